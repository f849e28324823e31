// The codes on the floor's paperwork, read back from the drawn pages as a
// scanner reads them: every buggy ticket names its order, line item, buggy
// group and which ticket of the line's group it is; every station sheet copy
// its order, team, station and plant.
#include "production/buggytickets.h"
#include "production/reportdata.h"
#include "production/scancodes.h"
#include "production/stationsheets.h"
#include "productionfixture.h"
#include "reporting/reportrender.h"
#include "core/companysettings.h"
#include "support/barcodes.h"
#include "support/testdatabase.h"

#include <QRegularExpression>
#include <QSet>
#include <numeric>
#include <map>

using namespace fixture;
using namespace production;

namespace {

class ScanCodes : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (!testsupport::barcodeReaderAvailable())
            GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
        addPlant(db());
        f = addSofaOrder(db());
        all = {f.seat, f.back, f.arm, f.wrap, f.scrap, f.bolster};
        core::LoadCompanySettings(db());
    }

    // The code a copy carries in its data, and the codes read from its first page.
    static std::pair<QString, QStringList> codesOf(const Copy &copy)
    {
        const QString carried = copy.report->data().value(0, reporting::kScanCodeField).toString();
        const reporting::LaidReport laid = copy.report->layout();
        return {carried, testsupport::decodeBarcodes(reporting::pageImage(laid, 0, 200))};
    }

    Sofa f;
    ComponentList all;
};

TEST_P(ScanCodes, EveryBuggyTicketReadsAsItsLineGroupAndNumber)
{
    // Seats alone: L1 is 20 pieces at 6 a buggy, L2 25 pieces.
    Printout seats;
    PrintBuggyTickets(seats, db(), 1001, s("North"), {f.seat});
    ASSERT_EQ(seats.count(), 9);
    QStringList read;
    for (const Copy &copy : seats.copies()) {
        const auto [carried, decoded] = codesOf(copy);
        EXPECT_EQ(decoded, QStringList{carried});
        read << carried;
    }
    const QString group = seats.copies().front().report->data().value(0, s("BuggySheet")).toString();
    QStringList expected;
    for (int n = 1; n <= 4; ++n)
        expected << s("T-1001-1-%1-%2/4").arg(group).arg(n);
    for (int n = 1; n <= 5; ++n)
        expected << s("T-1001-2-%1-%2/5").arg(group).arg(n);
    EXPECT_EQ(read, expected);

    // The whole order: a group of two components (seat and back, different
    // counts) prints its tickets once per component and numbers them all
    // through, so that no two tickets carry the same code.
    Printout out;
    PrintBuggyTickets(out, db(), 1001, s("North"), all);
    ASSERT_EQ(out.count(), 19);
    static const QRegularExpression shape(s(R"(^T-1001-(\d+)-(\d+)-(\d+)/(\d+)$)"));
    std::map<QString, std::vector<int>> numbers; // item-group/m -> n
    QSet<QString> unique;
    for (const Copy &copy : out.copies()) {
        const auto [carried, decoded] = codesOf(copy);
        EXPECT_EQ(decoded, QStringList{carried});
        const QRegularExpressionMatch m = shape.match(carried);
        ASSERT_TRUE(m.hasMatch()) << carried.toStdString();
        EXPECT_EQ(m.captured(2), copy.report->data().value(0, s("BuggySheet")).toString());
        EXPECT_EQ(s("L") + m.captured(1), copy.report->data().value(0, s("Line")).toString());
        numbers[m.captured(1) + s("-") + m.captured(2) + s("/") + m.captured(4)].push_back(m.captured(3).toInt());
        unique.insert(carried);
    }
    EXPECT_EQ(unique.size(), 19);
    for (const auto &[key, ns] : numbers) {
        std::vector<int> oneToM(size_t(key.section(QLatin1Char('/'), 1).toInt()));
        std::iota(oneToM.begin(), oneToM.end(), 1);
        EXPECT_EQ(ns, oneToM) << key.toStdString();
    }
}

TEST_P(ScanCodes, EveryStationSheetCopyReadsAsItsStationTeamAndPlant)
{
    BuildReportData(db(), 1001, all);
    Printout out;
    PrintGlueSprayLineSheets(out, db(), 1001, s("North"), all, s("-R"));
    PrintBandSawSheets(out, db(), 1001, s("South"));
    QStringList read;
    for (const Copy &copy : out.copies()) {
        const auto [carried, decoded] = codesOf(copy);
        EXPECT_EQ(decoded, QStringList{carried});
        read << carried;
    }
    EXPECT_EQ(read,
              (QStringList{s("S-1001-1-Glue 2|North"), s("S-1001-2-Glue 2|North"), s("S-1001-3-Glue 2|North"),
                           s("S-1001-1-Spray 1|North"), s("S-1001-1-Band Saw 2|South")}));
}

BUNLINE_ON_EVERY_BACKEND(ScanCodes);

} // namespace
