// The production sheets of the sofa order on every backend: which stations
// and teams get copies, which rows each sheet lists, when the summary prints,
// how pieces fill buggies, and the order the whole run prints in.
#include "officereports/orderreport.h"
#include "production/buggytickets.h"
#include "production/departmentsummary.h"
#include "production/ordersheets.h"
#include "production/paperwork.h"
#include "production/reportdata.h"
#include "production/stationsheets.h"
#include "productionfixture.h"
#include "reporting/reportsinks.h"
#include "core/companysettings.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QTemporaryDir>

using namespace fixture;
using namespace production;

namespace {

QStringList titles(const Printout &out)
{
    QStringList t;
    for (const Copy &c : out.copies())
        t << c.report->title() + (c.plant.isEmpty() ? QString() : s(" @") + c.plant);
    return t;
}

// The values of one field over a report's rows.
QStringList column(const reporting::ReportPtr &report, const char *field)
{
    QStringList values;
    for (int r = 0; r < report->data().rowCount(); ++r)
        values << report->data().value(r, s(field)).toString();
    return values;
}

class Sheets : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        addPlant(db());
        f = addSofaOrder(db());
        all = {f.seat, f.back, f.arm, f.wrap, f.scrap, f.bolster};
        core::LoadCompanySettings(db());
        BuildReportData(db(), 1001, all);
        BuildStencilReportData(db(), 1001, all);
    }
    Sofa f;
    ComponentList all;
};

TEST_P(Sheets, StationsWithWorkPrintOneCopyPerTeam)
{
    Printout out;
    PrintCNCSheets(out, db(), 1001, s("North"));
    PrintGlueSprayLineSheets(out, db(), 1001, s("North"), all, s("-R"));
    PrintBulletNoserSheets(out, db(), 1001, s("North"), all);
    PrintBandSawSheets(out, db(), 1001, s("South"));
    PrintCNCSheets(out, db(), 1001, s("South"));
    EXPECT_EQ(
        titles(out),
        (QStringList{s("CNC @North"), s("Glue 2 Team 1 @North"), s("Glue 2 Team 2 @North"), s("Glue 2 Team 3 @North"),
                     s("Spray 1 @North"), s("Noser Team 1 @North"), s("Noser Team 2 @North"), s("Band Saw 2 @South")}));
    const reporting::ReportPtr glue = out.copies()[2].report;
    EXPECT_EQ(glue->texts().value(s("txtDepartment")), s("Fabrication Department"));
    EXPECT_EQ(glue->texts().value(s("txtOrderSuffix")), s("-R"));
    EXPECT_EQ(column(glue, "Line"), (QStringList{s("L1"), s("L1"), s("L2"), s("L2")}));
    // The part bun moved to the South plant prints on that plant's band saw sheet.
    EXPECT_EQ(column(out.copies().back().report, "Qty"), QStringList{s("5")});
}

TEST_P(Sheets, SingleOrderSheetsSelectTheirRows)
{
    struct Case {
        const char *name;
        std::function<reporting::ReportPtr()> build;
        QStringList components; // by row
        QStringList stations;   // by row, for the work-table sheets
    };
    const auto one = [this](auto print) {
        Printout out;
        print(out);
        return out.isEmpty() ? reporting::ReportPtr() : out.copies().front().report;
    };
    const Case cases[] = {
        // CNC work of ARM is left out: a band saw cuts ARM too. Off-all SCRAP never tops out.
        {"top out saw",
         [&] { return one([&](Printout &o) { PrintTopOutSawSheet(o, db(), 1001, s("North")); }); },
         {s("SEAT"), s("ARM"), s("BACK")},
         {s("Band Saw 1"), s("Band Saw 1"), s("CNC")}},
        {"foam order north",
         [&] { return one([&](Printout &o) { PrintFoamOrder(o, db(), 1001, s("North")); }); },
         {s("SEAT"), s("ARM"), s("ARM"), s("BACK")},
         {s("Band Saw 1"), s("Band Saw 1"), s("CNC"), s("CNC")}},
        {"foam order south",
         [&] { return one([&](Printout &o) { PrintFoamOrder(o, db(), 1001, s("South")); }); },
         {s("SEAT")},
         {s("Band Saw 2")}},
        {"fiber order",
         [&] { return one([&](Printout &o) { PrintFiberOrder(o, db(), 1001, s("South")); }); },
         {s("WRAP")},
         {s("Fiber 2")}},
        {"test",
         [&] { return one([&](Printout &o) { PrintTestSheet(o, db(), 1001, s("North"), all); }); },
         {s("SEAT"), s("BOLSTER"), s("SEAT"), s("BOLSTER")},
         {}},
        // A component without a bun is neither foam nor fiber.
        {"tie foam",
         [&] { return one([&](Printout &o) { PrintTieSheet(o, db(), 1001, s("North"), all, s("Foam")); }); },
         {s("SEAT"), s("SEAT")},
         {}},
        {"tie fiber",
         [&] { return one([&](Printout &o) { PrintTieSheet(o, db(), 1001, s("South"), all, s("Fiber")); }); },
         {s("WRAP"), s("WRAP")},
         {}},
        {"tie fiber north",
         [&] { return one([&](Printout &o) { PrintTieSheet(o, db(), 1001, s("North"), all, s("Fiber")); }); },
         {},
         {}},
        {"shipment",
         [&] { return one([&](Printout &o) { PrintShipmentComponents(o, db(), 1001, s("North"), all); }); },
         {s("BOLSTER"), s("BACK"), s("SEAT"), s("BOLSTER"), s("BACK"), s("SEAT")},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const reporting::ReportPtr report = c.build();
        if (c.components.isEmpty()) {
            EXPECT_FALSE(report);
            continue;
        }
        ASSERT_TRUE(report);
        // Rows that tie on every sort key come in the database's order.
        QStringList components = column(report, "ComponentID");
        std::sort(components.begin(), components.end());
        QStringList expected = c.components;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(components, expected);
        if (!c.stations.isEmpty()) {
            EXPECT_EQ(column(report, "OperationID"), c.stations);
        }
    }
    Printout tie;
    PrintTieSheet(tie, db(), 1001, s("South"), all, s("Fiber"));
    EXPECT_EQ(tie.copies().front().report->texts().value(s("txtDepartment")), s("Fabrication Department"));
}

TEST_P(Sheets, SummaryPrintsWhereThePlantHasWorkAndReadsEmptyLinesAsNull)
{
    db().execute(s("INSERT INTO Plants (Name) VALUES ('West')"));
    const reporting::ReportPtr north = DepartmentSummary(db(), 1001, s("Saw Department"), s("North"), all);
    ASSERT_TRUE(north);
    const reporting::BoundData *glue = north->subreportData(s("Subreport1"));
    ASSERT_TRUE(glue);
    ASSERT_EQ(glue->rowCount(), 2);
    // Glue 1 has no work: a null total, listed first.
    EXPECT_TRUE(glue->value(0, s("TotalArms")).isNull());
    EXPECT_EQ(glue->value(1, s("TotalArms")).toDouble(), 90);
    EXPECT_EQ(glue->value(1, s("NonArms")).toDouble(), 45);
    EXPECT_EQ(glue->value(1, s("Rate")).toDouble(), 40);
    // Off-all SCRAP is not in the band saw count.
    const reporting::BoundData *saw = north->subreportData(s("Subreport6"));
    double sawn = 0;
    for (int r = 0; r < saw->rowCount(); ++r)
        sawn += saw->value(r, s("CompQty")).toDouble();
    EXPECT_EQ(sawn, 90);
    EXPECT_EQ(north->texts().value(s("txtDepartment")), s("Saw Department"));
    // South has only fiber work; West none at all.
    EXPECT_TRUE(DepartmentSummary(db(), 1001, s("Fabrication Department"), s("South"), all));
    EXPECT_FALSE(DepartmentSummary(db(), 1001, s("Shipping Department"), s("West"), all));
    // Without glue or spray stations there is nothing to hang the summary on.
    db().execute(s("DELETE FROM Operation WHERE ReportType = 'Glue Line' OR ReportType = 'Spray Line'"));
    EXPECT_FALSE(DepartmentSummary(db(), 1001, s("Saw Department"), s("North"), all));
}

TEST(BuggyLoads, FullBuggiesThenTheRest)
{
    struct Case {
        double pieces, perBuggy;
        std::vector<qint64> loads;
    };
    const Case cases[] = {
        {20, 6, {6, 6, 6, 2}},
        {18, 6, {6, 6, 6}},
        {4, 6, {4}},
        {12.5, 6, {6, 6}},    // 12.5 pieces round to 12
        {12.6, 6, {6, 6, 1}}, // and 12.6 to 13
        {10, 0.4, {}},        // less than half a piece a buggy
        {0, 6, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(buggyLoads(c.pieces, c.perBuggy), c.loads) << c.pieces << " by " << c.perBuggy;
    // Beyond a 16-bit count.
    const std::vector<qint64> many = buggyLoads(40000, 3);
    EXPECT_EQ(many.size(), 13334u);
    EXPECT_EQ(many.back(), 1);
}

TEST_P(Sheets, BuggyTicketsListTheWholeGroupWithTheBuggysPieces)
{
    Printout out;
    PrintBuggyTickets(out, db(), 1001, s("North"), all);
    // L1: SEAT 20 (6,6,6,2), BACK 10 (6,4), BOLSTER 10 (4,4,2);
    // L2: SEAT 25 (6,6,6,6,1), BACK 12 (6,6), BOLSTER 12 (4,4,4).
    ASSERT_EQ(out.count(), 19);
    std::vector<int> loads;
    for (const Copy &c : out.copies()) {
        const QStringList rows = column(c.report, "QtyPerBuggy");
        const QStringList parts = column(c.report, "ComponentID");
        // Every row of a ticket carries the buggy's pieces.
        EXPECT_EQ(rows.count(rows.front()), rows.size());
        EXPECT_TRUE(parts == (QStringList{s("BACK"), s("SEAT")}) || parts == QStringList{s("BOLSTER")})
            << parts.join(s(",")).toStdString();
        loads.push_back(rows.front().toInt());
    }
    std::sort(loads.begin(), loads.end());
    EXPECT_EQ(loads, (std::vector<int>{1, 2, 2, 4, 4, 4, 4, 4, 4, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6}));
    EXPECT_EQ(out.copies().front().report->texts().value(s("txtPlant")), s("North"));
    Printout none;
    PrintBuggyTickets(none, db(), 1001, s("South"), all);
    EXPECT_TRUE(none.isEmpty());
}

TEST(TeamTitles, NameTheStationAsTypedAndTheTeam)
{
    struct Case {
        const char *station;
        int team, teams;
        const char *title;
    };
    const Case cases[] = {
        {"Glue 2", 3, 3, "Glue 2 Team 3"},
        {"Glue 2", 1, 1, "Glue 2"},
        // Placeholders in a name are text like any other.
        {"Line %1", 1, 2, "Line %1 Team 1"},
        {"Line %1", 2, 2, "Line %1 Team 2"},
        {"50% %2 %L1", 2, 3, "50% %2 %L1 Team 2"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(teamTitle(s(c.station), c.team, c.teams), s(c.title));
}

TEST_P(Sheets, EachReportBoxPrintsOnlyItsOwnReports)
{
    PaperworkRequest request;
    request.orderId = 1001;
    request.plants = plantNames(db());
    request.components = all;
    // Each copy as definition, title, plant and the department it was set for.
    const auto copies = [&](int box) {
        request.boxes.reset();
        request.boxes.set(size_t(box));
        Printout out;
        collectPaperwork(out, db(), request);
        QStringList labels;
        for (const Copy &c : out.copies()) {
            QString label = c.report->name() + s(" ") + c.report->title();
            if (!c.plant.isEmpty())
                label += s(" @") + c.plant;
            if (c.report->textsSet().contains(s("txtDepartment")))
                label += s(" [") + c.report->texts().value(s("txtDepartment")) + s("]");
            labels << label;
        }
        return labels;
    };
    const auto times = [](int n, const QString &label) {
        QStringList labels;
        for (int i = 0; i < n; ++i)
            labels << label;
        return labels;
    };
    // A plant's three summaries and two tie sheets are titled by department.
    const auto summaries = [](const char *department) {
        const QString name = s(department);
        const QString title = s("crptSummary Summary ") + name.section(QLatin1Char(' '), 0, 0);
        return QStringList{title + s(" @North [%1]").arg(name), title + s(" @South [%1]").arg(name)};
    };
    const std::vector<QStringList> expected = {
        {s("crptOrder Order Report [Office Manager]")},
        summaries("Saw Department"),
        {s("crptGlueSprayLine Supply @North [Saw Department]")},
        {s("crptBulletNoser Noser Team 1 @North"), s("crptBulletNoser Noser Team 2 @North")},
        {s("crptCNC CNC @North")},
        {s("crptCNCStencil Stencil @North")},
        {s("crptBandSaw Band Saw 1 @North"), s("crptBandSaw Band Saw 2 @South")},
        {s("crptVerticalSlitter Slitter @North [Saw Department]")},
        {s("crptTopOutSaw Top Out Saw @North"), s("crptTopOutSaw Top Out Saw @South")},
        {s("crptTest Test Sheet @North")},
        // Tie Reports: the foam tie sheet with the saw reports, the fiber one
        // after the fiber tables.
        {s("crptTie Tie Sheet Saw @North [Saw Department]"),
         s("crptTie Tie Sheet Fabrication @South [Fabrication Department]")},
        {s("crptFoamOrder Foam Order @North"), s("crptFoamOrder Foam Order @South")},
        summaries("Fabrication Department"),
        {s("crptGlueSprayLine Glue 2 Team 1 @North [Fabrication Department]"),
         s("crptGlueSprayLine Glue 2 Team 2 @North [Fabrication Department]"),
         s("crptGlueSprayLine Glue 2 Team 3 @North [Fabrication Department]"),
         s("crptGlueSprayLine Spray 1 @North [Fabrication Department]")},
        {s("crptFiberTable Fiber 2 @South")},
        {s("crptFiberOrder Fiber Order @South")},
        summaries("Shipping Department"),
        {s("crptLoadSheetOld Shipment Components @North")},
        times(19, s("crptBuggySheetReport Buggy Ticket @North")),
    };
    ASSERT_EQ(int(expected.size()), kReportBoxes);
    for (int box = 1; box <= kReportBoxes; ++box) {
        SCOPED_TRACE(box);
        EXPECT_EQ(copies(box).join(s("\n")).toStdString(), expected[size_t(box - 1)].join(s("\n")).toStdString())
            << reportBoxCaption(box).toStdString();
    }
}

TEST_P(Sheets, ARunPrintsEachPlantInTurnAndTheOrderReportFirst)
{
    db().execute(s("INSERT INTO Plants (Name) VALUES ('Aurora')"));
    PaperworkRequest request;
    request.orderId = 1001;
    request.plants = plantNames(db());
    request.checkAll();
    // Two grid rows share each component line; the list holds it twice.
    for (const OrderComponent &c : orderComponents(db(), 1001))
        request.components.push_back(c.styleComponentId);
    EXPECT_EQ(request.components.size(), 12u);
    Printout out;
    collectPaperwork(out, db(), request);
    ASSERT_GT(out.count(), 20);
    EXPECT_EQ(out.copies().front().report->name(), s("crptOrder"));
    EXPECT_TRUE(out.copies().front().plant.isEmpty());
    QStringList plantsInOrder;
    for (const Copy &c : out.copies())
        if (!c.plant.isEmpty() && (plantsInOrder.isEmpty() || plantsInOrder.back() != c.plant))
            plantsInOrder << c.plant;
    EXPECT_EQ(plantsInOrder, (QStringList{s("North"), s("South")})); // Aurora has no work

    // Nothing marked: the order report alone, nothing built.
    PaperworkRequest bare = request;
    bare.components.clear();
    Printout only;
    collectPaperwork(only, db(), bare);
    EXPECT_EQ(titles(only), QStringList{s("Order Report")});
}

TEST_P(Sheets, OrderReportUsesTheOwnPaperLayoutForExactlyOneCustomer)
{
    for (const char *customer : {"Brisko", "brisko"}) {
        const qint64 id = QString::fromLatin1(customer) == s("Brisko") ? 3001 : 3002;
        addOrder(db(), id, s(customer));
        addItem(db(), id, 1, "L1", 4, f.style);
        const reporting::ReportPtr report = officereports::OrderReport(db(), qint32(id), s("Office Manager"));
        ASSERT_TRUE(report);
        EXPECT_EQ(report->name(), id == 3001 ? s("crptOrder2") : s("crptOrder")) << customer;
        EXPECT_EQ(report->textsSet().contains(s("txtCompanyName")), id == 3002);
        EXPECT_EQ(report->texts().value(s("txtDepartment")), s("Office Manager"));
    }
    EXPECT_FALSE(officereports::OrderReport(db(), 999, s("Office Manager")));
}

TEST_P(Sheets, OrderIdsAreCheckedBeforeAnythingPrints)
{
    EXPECT_EQ(checkedOrderId(db(), s(" 1001 ")), 1001);
    for (const char *bad : {"abc", "", "12x", "-4", "99999999999", "1e3"})
        EXPECT_THROW(checkedOrderId(db(), s(bad)), PaperworkError) << bad;
    EXPECT_THROW(checkedOrderId(db(), s("4242")), PaperworkError);
    // Quotes in a plant's name are data, not statement.
    Printout out;
    PrintCNCSheets(out, db(), 1001, s("O'Neil's"));
    PrintTestSheet(out, db(), 1001, s("O'Neil's"), all);
    EXPECT_TRUE(out.isEmpty());
}

TEST_P(Sheets, CancelStopsTheRunBetweenCopies)
{
    QTemporaryDir folder;
    reporting::setPrintFolder(folder.path(), reporting::PrintFormat::Csv);
    Printout out;
    PrintGlueSprayLineSheets(out, db(), 1001, s("North"), all, {});
    ASSERT_EQ(out.count(), 4);
    std::vector<int> asked;
    const int printed = printCopies(out, [&](int n, int m, const Copy &) {
        asked.push_back(n);
        EXPECT_EQ(m, 4);
        return n < 3; // Cancel pressed while copy 2 printed
    });
    reporting::setPrintFolder({});
    EXPECT_EQ(printed, 2);
    EXPECT_EQ(asked, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

BUNLINE_ON_EVERY_BACKEND(Sheets);

} // namespace
