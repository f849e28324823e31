// The office listings on the demo plant, on every backend: what the PDF says,
// what bunlinectl writes as CSV (against checked-in files), and how the style
// report's selection narrows its statement.
//
// After a deliberate change to a listing, regenerate the expected files with
//   BUNLINE_REGENERATE_GOLDEN=1 officereports_tests --gtest_filter='*Golden*'
#include "data/database.h"
#include "data/demoplant.h"
#include "officereports/listings.h"
#include "reporting/reportlayout.h"
#include "reporting/reportrender.h"
#include "core/companysettings.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <set>

using namespace officereports;
using reporting::ReportPtr;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}
const QString kAllC = QString::fromLatin1(kAllCustomers);
const QString kAllS = QString::fromLatin1(kAllStyles);
const QString kAllT = QString::fromLatin1(kAllTypes);

class Listings : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        data::addDemoPlant(db());
        core::LoadCompanySettings(db());
    }

    QString pdfText(const ReportPtr &report)
    {
        const QString path = QDir(m_dir.path()).filePath(report->name() + s(".pdf"));
        reporting::writePdf(*report, path);
        return testsupport::pdfText(path);
    }

    QTemporaryDir m_dir;
};

// The text by which a row is found on the page.
struct ListingCase {
    const char *name;
    ReportPtr (*build)(data::Database &);
    QString (*rowKey)(const reporting::BoundData &, int row);
};

ReportPtr allStyles(data::Database &db)
{
    return StyleListing(db, kAllC, kAllS, kAllT);
}

const ListingCase kListings[] = {
    {"vendor", VendorListing, [](const reporting::BoundData &d, int r) { return d.value(r, s("Vendor")).toString(); }},
    {"customer", CustomerListing,
     [](const reporting::BoundData &d, int r) { return d.value(r, s("Customer")).toString(); }},
    {"component", ComponentListing,
     [](const reporting::BoundData &d, int r) { return d.value(r, s("Description")).toString(); }},
    {"bun", BunListing, [](const reporting::BoundData &d, int r) { return d.value(r, s("ID")).toString(); }},
    {"style", allStyles,
     [](const reporting::BoundData &d, int r) {
         return d.value(r, s("Name")).toString() + QLatin1Char('-') + d.value(r, s("Type")).toString();
     }},
};

TEST_P(Listings, PdfShowsTheCompanyHeadingAndEveryRowInStatementOrder)
{
    for (const ListingCase &c : kListings) {
        SCOPED_TRACE(c.name);
        const ReportPtr report = c.build(db());
        ASSERT_GT(report->data().rowCount(), 1);
        const QString text = pdfText(report);
        EXPECT_TRUE(text.contains(s("Prairie Foam Fabricators")));
        EXPECT_TRUE(text.contains(s("1400 Industrial Pkwy")));
        EXPECT_TRUE(text.contains(QRegularExpression(s("Elkhart, IN +46514"))));
        EXPECT_EQ(report->texts().value(s("txtCompanyCityStateZip")), s("Elkhart, IN  46514"));
        EXPECT_TRUE(text.contains(s("Page 1 of ")));
        qsizetype at = 0;
        for (int r = 0; r < report->data().rowCount(); ++r) {
            const QString key = c.rowKey(report->data(), r);
            const qsizetype found = text.indexOf(key, at);
            ASSERT_GE(found, 0) << "row " << r << " (" << key.toStdString() << ") missing or out of order";
            at = found;
        }
    }
}

TEST_P(Listings, FlagsAndSizesReadForTheOffice)
{
    const QString text = pdfText(ComponentListing(db()));
    // BOLSTER: 6 x 6 x 30, tested, printed on shipping, no arm, no tie.
    const QRegularExpression bolster(
        s("BOLSTER +Round bolster +6 +6 +30 +Pattern Cut +Yes +1.8 - 2.0 lb +2850-76 +12 +2 +Yes +No +No"));
    EXPECT_TRUE(text.contains(bolster)) << text.toStdString();
    EXPECT_TRUE(pdfText(BunListing(db())).contains(QRegularExpression(s("FB10-54 +Fiber 10oz +54 +1,200 +No"))));
}

// How often a text stands on the pages of a report.
int occurrences(const ReportPtr &report, const QString &text)
{
    int n = 0;
    for (const auto &page : report->layout().pages)
        n += int(page.texts().count(text));
    return n;
}

TEST_P(Listings, GroupsIgnoreLetterCaseAndTakeANullFlagAsNo)
{
    const int regular = occurrences(BunListing(db()), s("Regular buns"));
    ASSERT_GT(regular, 0);
    db().execute(s("UPDATE Vendor SET Status = 'Active'"));
    db().execute(s("INSERT INTO Vendor (Vendor, Status) VALUES ('Zeta Foam', 'active ')"));
    db().execute(s("UPDATE Bun SET OffAll = NULL WHERE ID = 'FB10-54'"));

    const ReportPtr vendors = VendorListing(db());
    EXPECT_EQ(occurrences(vendors, s("Active Vendors")), 1);
    EXPECT_EQ(occurrences(vendors, s("Vendors in this group:")), 1);
    const ReportPtr buns = BunListing(db());
    EXPECT_EQ(occurrences(buns, s("Regular buns")), regular);
    EXPECT_TRUE(pdfText(buns).contains(QRegularExpression(s("FB10-54 +Fiber 10oz +54 +1,200 +No"))));
}

TEST_P(Listings, EmptyTableGivesHeadingsAndNoRows)
{
    db().execute(s("DELETE FROM Vendor"));
    const ReportPtr report = VendorListing(db());
    EXPECT_EQ(report->data().rowCount(), 0);
    const reporting::LaidReport laid = report->layout();
    ASSERT_EQ(laid.pageCount(), 1);
    EXPECT_TRUE(laid.pages[0].bandsOf(reporting::BandKind::Detail).empty());
    const QString text = pdfText(report);
    EXPECT_TRUE(text.contains(s("Vendor Listing")));
    EXPECT_TRUE(text.contains(s("Prairie Foam Fabricators")));
    EXPECT_TRUE(text.contains(QRegularExpression(s("Vendors listed: +0"))));
}

// Style IDs of a listing, in order, without repeats.
std::vector<QString> styles(const ReportPtr &report)
{
    std::vector<QString> out;
    for (int r = 0; r < report->data().rowCount(); ++r) {
        const QString style = report->data().value(r, s("Customer")).toString() + s(" / ")
            + report->data().value(r, s("Name")).toString() + QLatin1Char('-')
            + report->data().value(r, s("Type")).toString();
        if (out.empty() || out.back() != style)
            out.push_back(style);
    }
    return out;
}

TEST_P(Listings, StyleSelectionNarrowsByTheFirstRuleThatApplies)
{
    struct Case {
        const char *customer, *style, *type;
        std::vector<const char *> expected;
    };
    const Case cases[] = {
        {kAllCustomers,
         kAllStyles,
         kAllTypes,
         {"Amberline Furniture / 1200-LOVE", "Amberline Furniture / 1200-SOFA", "Amberline Furniture / A-300-CHAIR",
          "Cedar Ridge Seating / 88-REC", "Cedar Ridge Seating / 9-CHAIR", "Summit Sofa Works / Horizon-SOFA"}},
        {"Amberline Furniture",
         kAllStyles,
         kAllTypes,
         {"Amberline Furniture / 1200-LOVE", "Amberline Furniture / 1200-SOFA", "Amberline Furniture / A-300-CHAIR"}},
        // A style chosen with the type left at all types: every type of that name.
        {"Amberline Furniture",
         "1200",
         kAllTypes,
         {"Amberline Furniture / 1200-LOVE", "Amberline Furniture / 1200-SOFA"}},
        {"Amberline Furniture", "1200", "SOFA", {"Amberline Furniture / 1200-SOFA"}},
        // Another customer's style name lists nothing for this one.
        {"Cedar Ridge Seating", "1200", kAllTypes, {}},
        // A customer without styles gives an empty listing.
        {"Lakeside Recliners", kAllStyles, kAllTypes, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.customer) + " " + c.style + " " + c.type);
        const ReportPtr report = StyleListing(db(), s(c.customer), s(c.style), s(c.type));
        std::vector<QString> expected;
        for (const char *e : c.expected)
            expected.push_back(s(e));
        EXPECT_EQ(styles(report), expected);
    }
    const reporting::LaidReport empty = StyleListing(db(), s("Lakeside Recliners"), kAllS, kAllT)->layout();
    EXPECT_TRUE(empty.pages[0].texts().contains(s("No styles match the selection.")));
    EXPECT_TRUE(empty.pages[0].texts().contains(s("Prairie Foam Fabricators")));
}

TEST_P(Listings, StyleListingShowsComponentsAndOperationsOfAStyle)
{
    const ReportPtr report = StyleListing(db(), s("Amberline Furniture"), s("1200"), s("SOFA"));
    // Component.Thickness and StyleOperation.Thickness are both "Thickness"
    // in the result; each binds to its own column.
    bool sawOperation = false;
    for (int r = 0; r < report->data().rowCount(); ++r) {
        if (report->data().value(r, s("Operation")).isNull())
            continue;
        sawOperation = true;
        EXPECT_TRUE(report->data().value(r, s("StyleOperation.Thickness")).isValid());
    }
    EXPECT_TRUE(sawOperation);
    const QString text = pdfText(report);
    EXPECT_TRUE(text.contains(QRegularExpression(s("Seat cushion core +5 x 22 x 24 +3"))));
    EXPECT_TRUE(text.contains(s("Cut 3 across, keep skins")));
}

TEST_P(Listings, AStyleWithoutLinesAndALineWithoutOperationsShowNoEmptyRows)
{
    const QString component = db().query(s("SELECT TOP 1 ID FROM Component ORDER BY ID")).text(s("ID"));
    data::addRow(db(), s("Customer"), {{s("Customer"), s("Bare Customer")}, {s("Status"), s("Active")}});
    for (const char *name : {"Bare", "Lone"})
        data::addRow(db(), s("Style"),
                     {{s("Customer"), s("Bare Customer")},
                      {s("Name"), s(name)},
                      {s("Type"), s("SOFA")},
                      {s("Status"), s("Active")}});
    const qint64 lone = db().query(s("SELECT ID FROM Style WHERE Name = 'Lone'")).integer(s("ID"));
    data::addRow(db(), s("StyleComponent"), {{s("StyleID"), lone}, {s("ComponentID"), component}, {s("Qty"), 2.0}});

    const ReportPtr report = StyleListing(db(), s("Bare Customer"), kAllS, kAllT);
    ASSERT_EQ(report->data().rowCount(), 2);
    const reporting::LaidReport laid = report->layout();
    ASSERT_EQ(laid.pageCount(), 1);
    const reporting::LaidPage &page = laid.pages[0];
    EXPECT_TRUE(page.bandsOf(reporting::BandKind::Detail).empty()) << "no operation rows";
    int styleHeadings = 0, lineHeadings = 0;
    for (const reporting::LaidBand *band : page.bandsOf(reporting::BandKind::GroupHeader)) {
        styleHeadings += band->group == 1;
        lineHeadings += band->group == 2;
    }
    EXPECT_EQ(styleHeadings, 2);
    EXPECT_EQ(lineHeadings, 1) << "only Lone's line";
    EXPECT_TRUE(page.texts().contains(s("Bare-SOFA")));
    EXPECT_TRUE(page.texts().contains(s("Lone-SOFA")));
    EXPECT_TRUE(page.texts().contains(component));
}

TEST(StyleListingStatement, QuotesTheSelectionAndKeepsTheOrder)
{
    const QString order =
        s(" ORDER BY Customer,Style.Name,Style.Type,StyleComponent.ComponentID,StyleOperation.OperationID");
    struct Case {
        const char *customer, *style, *type, *condition;
    };
    const Case cases[] = {
        {kAllCustomers, kAllStyles, kAllTypes, ")"},
        {"O'Brien Sofas", kAllStyles, kAllTypes, ") WHERE Customer = 'O''Brien Sofas'"},
        {"O'Brien Sofas", "12\" Bolster", kAllTypes, ") WHERE Customer = 'O''Brien Sofas' AND Name = '12\" Bolster'"},
        {"A", "B", "C'", ") WHERE Customer = 'A' AND Name = 'B' AND Type = 'C'''"},
        // The "all" entries compare exactly: another case is a real value.
        {"***all customers***", kAllStyles, kAllTypes, ") WHERE Customer = '***all customers***'"},
    };
    for (const Case &c : cases) {
        const QString sql = StyleListingStatement(s(c.customer), s(c.style), s(c.type));
        EXPECT_TRUE(sql.endsWith(s(c.condition) + order)) << sql.toStdString();
        EXPECT_TRUE(sql.startsWith(s("SELECT Customer,Style.ID AS StyleID,Name,Type,Style.Status AS Status,")));
    }
}

// bunlinectl's CSV output against the files checked in beside this test.
TEST_P(Listings, BunlinectlCsvMatchesGoldenFiles)
{
    QTemporaryDir dir;
    const QString config = testsupport::writeCtlConfig(dir, temp().connectionString());
    const std::vector<std::pair<const char *, QStringList>> runs = {
        {"vendor-listing", {}},
        {"customer-listing", {}},
        {"component-listing", {}},
        {"bun-listing", {}},
        {"style-listing", {}},
        {"style-listing-amberline-1200", {s("--customer"), s("Amberline Furniture"), s("--style"), s("1200")}},
    };
    const bool regenerate = !qEnvironmentVariableIsEmpty("BUNLINE_REGENERATE_GOLDEN");
    for (const auto &[name, options] : runs) {
        SCOPED_TRACE(name);
        const QString out = QDir(dir.path()).filePath(s(name) + s(".csv"));
        const testsupport::CtlRun run = testsupport::runCtl(
            config,
            QStringList{s("report"), s(name).section(QLatin1Char('-'), 0, 1)} + options + QStringList{s("--out"), out});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QFile written(out);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        // The demo plant dates its customers today.
        QString actual = QString::fromUtf8(written.readAll());
        actual.replace(QRegularExpression(s(R"(\d{4}-\d\d-\d\d( \d\d:\d\d:\d\d)?)")), s("<date>"));
        const QString goldenPath = s(BUNLINE_SOURCE_DIR "/tests/officereports/golden/") + s(name) + s(".csv");
        QFile golden(goldenPath);
        if (regenerate && GetParam() == data::Dialect::SQLite) {
            QDir().mkpath(QFileInfo(goldenPath).absolutePath());
            ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
            golden.write(actual.toUtf8());
            continue;
        }
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << goldenPath.toStdString();
        EXPECT_EQ(actual.toStdString(), QString::fromUtf8(golden.readAll()).toStdString());
    }
}

BUNLINE_ON_EVERY_BACKEND(Listings);

} // namespace

namespace {

TEST(ReportCommand, RefusesWhatItCannotDoWithOneLine)
{
    testsupport::TempDatabase temp;
    QTemporaryDir dir;
    const QString config = testsupport::writeCtlConfig(dir, temp.connectionString());
    const QString out = QDir(dir.path()).filePath(s("x.csv"));
    struct Case {
        QStringList args;
        const char *message;
    };
    const Case cases[] = {
        {{s("order-listing"), s("--out"), out}, "unknown report \"order-listing\""},
        {{s("vendor-listing")}, "needs --out FILE"},
        {{s("vendor-listing"), s("--out"), s("x.txt")}, "give --format pdf or --format csv"},
        {{s("style-listing"), s("--type"), s("SOFA"), s("--out"), out}, "--type needs --style"},
        {{s("style-listing"), s("--style"), s("1200"), s("--out"), out}, "--style needs --customer"},
        {{s("bun-listing"), s("--bogus"), s("--out"), out}, "unexpected argument \"--bogus\""},
    };
    for (const Case &c : cases) {
        const testsupport::CtlRun run = testsupport::runCtl(config, QStringList{s("report")} + c.args);
        const QString &err = run.err;
        EXPECT_NE(run.exitCode, 0) << c.message;
        EXPECT_TRUE(err.contains(s(c.message))) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

} // namespace
