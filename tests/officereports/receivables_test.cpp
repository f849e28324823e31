// The receivables and sales reports on a plant of known invoices, on every
// backend: what the pages say, which invoices count as open, the aging, and
// what bunlinectl writes (against checked-in files).
//
// After a deliberate change, regenerate the expected files with
//   BUNLINE_REGENERATE_GOLDEN=1 officereports_tests --gtest_filter='*Receivables*Golden*'
#include "data/database.h"
#include "invoicing/invoicestore.h"
#include "officereports/receivables.h"
#include "reporting/reportlayout.h"
#include "reporting/reportrender.h"
#include "core/companysettings.h"
#include "support/receivablesfixture.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace officereports;
using reporting::ReportPtr;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

// Invoice 1: Amberline, 375.50 with 100 paid, due 4/30.
// Invoice 2: Cedar C-8, 269.85 paid in full (260 and 9.85 adjusted).
// Invoice 3: Cedar C-9, 89.95 unpaid, due 7/1.
// Invoice 4: Walk-in Buyer (no Customer row), 80 unpaid, due 2/1.
class Receivables : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        plant = testsupport::addReceivablesPlant(db());
        core::LoadCompanySettings(db());
    }

    void addInvoices()
    {
        using invoicing::NewInvoice;
        const auto o = [this](const char *n) { return plant.orders.at(s(n)); };
        const qint64 one = invoicing::CreateInvoice(db(),
                                                    {s("Amberline Furniture"),
                                                     QDate(2026, 3, 31),
                                                     QDate(2026, 4, 30),
                                                     20,
                                                     5,
                                                     s("Spring sofas"),
                                                     {o("A-100"), o("A-101")}})
                               .id;
        invoicing::RecordPayment(db(), one, QDate(2026, 4, 10), 100, 0);
        const qint64 two =
            invoicing::CreateInvoice(
                db(), {s("Cedar Ridge Seating"), QDate(2026, 3, 31), QDate(2026, 4, 30), 0, 0, {}, {o("C-8")}})
                .id;
        invoicing::RecordPayment(db(), two, QDate(2026, 4, 20), 260, 9.85);
        invoicing::CreateInvoice(
            db(), {s("Cedar Ridge Seating"), QDate(2026, 6, 1), QDate(2026, 7, 1), 0, 0, {}, {o("C-9")}});
        data::addRow(db(), s("Invoice"),
                     {{s("Customer"), s("Walk-in Buyer")},
                      {s("InvoiceDate"), QDate(2026, 1, 2)},
                      {s("DueDate"), QDate(2026, 2, 1)},
                      {s("Subtotal"), 80.0},
                      {s("Freight"), 0.0},
                      {s("Misc"), 0.0},
                      {s("Total"), 80.0},
                      {s("MemoField"), s("Cash sale")}});
    }

    QStringList pageTexts(const ReportPtr &report)
    {
        QStringList pages;
        for (const reporting::LaidPage &p : report->layout().pages)
            pages << p.texts().join(QLatin1Char('|'));
        return pages;
    }

    testsupport::ReceivablesPlant plant;
};

TEST_P(Receivables, InvoiceListsEveryLineByOrderWithTheCharges)
{
    addInvoices();
    const ReportPtr report = InvoiceReport(db(), 1);
    const reporting::BoundData &d = report->data();
    ASSERT_EQ(d.rowCount(), 3);
    const std::pair<const char *, int> lines[] = {{"A-100", 1}, {"A-101", 1}, {"A-101", 2}};
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(d.value(r, s("OrderNumber")).toString(), s(lines[r].first));
        EXPECT_EQ(d.value(r, s("ItemNumber")).toInt(), lines[r].second);
    }
    const QStringList pages = pageTexts(report);
    ASSERT_EQ(pages.size(), 1);
    for (const char *expected :
         {"Invoice", "Amberline Furniture", "220 Furniture Row\nSuite 4\nTupelo, MS  38801", "Order A-100",
          "Order A-101", "1200-LOVE", "$250.50", "Subtotal|$350.50", "Freight|$20.00", "Misc|$5.00",
          "Total Due|$375.50", "Spring sofas", "3/31/2026", "4/30/2026"})
        EXPECT_TRUE(pages[0].contains(s(expected))) << expected << "\n" << pages[0].toStdString();

    // A Walk-in Buyer's invoice has no orders to list; an order without lines
    // says so.
    const qint64 lineless =
        invoicing::CreateInvoice(
            db(),
            {s("Amberline Furniture"), QDate(2026, 4, 1), QDate(2026, 5, 1), 0, 0, {}, {plant.orders.at(s("A-102"))}})
            .id;
    EXPECT_TRUE(pageTexts(InvoiceReport(db(), lineless))[0].contains(s("This order has no lines.")));
    EXPECT_TRUE(pageTexts(InvoiceReport(db(), 999))[0].contains(s("There is no such invoice.")));
}

TEST_P(Receivables, OpenInvoicesListOnlyInvoicesWithABalance)
{
    addInvoices();
    const ReportPtr report = OpenInvoices(db());
    const reporting::BoundData &d = report->data();
    // The data hold every invoice; Paid is null where nothing was paid.
    ASSERT_EQ(d.rowCount(), 4);
    EXPECT_EQ(d.value(0, s("Customer")).toString(), s("Amberline Furniture"));
    EXPECT_DOUBLE_EQ(d.value(0, s("Paid")).toDouble(), 100);
    EXPECT_NEAR(d.value(1, s("Paid")).toDouble(), 269.85, 1e-9);
    EXPECT_TRUE(d.value(2, s("Paid")).isNull());
    EXPECT_TRUE(d.value(3, s("Paid")).isNull());
    EXPECT_EQ(d.value(3, s("Customer")).toString(), s("Walk-in Buyer"));

    const QString page = pageTexts(report).join(QLatin1Char('|'));
    EXPECT_TRUE(page.contains(s("1|3/31/2026|4/30/2026|Spring sofas|$375.50|$100.00|$275.50")));
    EXPECT_TRUE(page.contains(s("Total for Amberline Furniture|$375.50|$100.00|$275.50")));
    // Paid in full: neither invoice 2 nor its amount shows; Cedar's total is
    // invoice 3 alone.
    EXPECT_FALSE(page.contains(s("$269.85")));
    EXPECT_TRUE(page.contains(s("Total for Cedar Ridge Seating|$89.95|$0.00|$89.95")));
    EXPECT_TRUE(page.contains(s("Walk-in Buyer|4|1/2/2026|2/1/2026|Cash sale|$80.00||$80.00")));
    EXPECT_TRUE(page.contains(s("Open invoices:|3|All customers|$545.45|$100.00|$445.45")));

    // Half a cent or less either way is paid; more is owed.
    for (const auto &[paid, open] : {std::pair{79.996, false}, std::pair{80.004, false}, std::pair{79.99, true}}) {
        db().execute(s("DELETE FROM Payments WHERE Invoice = 4"));
        data::addRow(db(), s("Payments"),
                     {{s("Invoice"), 4}, {s("Date"), QDate(2026, 5, 1)}, {s("Amount"), paid}, {s("Adjustment"), 0.0}});
        EXPECT_EQ(pageTexts(OpenInvoices(db())).join(QLatin1Char('|')).contains(s("Walk-in Buyer")), open) << paid;
    }
}

TEST_P(Receivables, StatementsGiveEachCustomerWhoOwesAPageWithItsAging)
{
    addInvoices();
    const ReportPtr report = CustomerStatements(db(), QDate(2026, 6, 15));
    EXPECT_EQ(report->texts().value(s("txtStatementDate")), s("6/15/2026"));
    const QStringList pages = pageTexts(report);
    ASSERT_EQ(pages.size(), 3);
    // Aging columns: Current, 1-30, 31-60, 61-90, over 90 days past due.
    const auto aging = [](const char *current, const char *d30, const char *d60, const char *d90, const char *over) {
        return QStringLiteral("Current|%1|1-30 Days|%2|31-60 Days|%3|61-90 Days|%4|Over 90 Days|%5")
            .arg(s(current), s(d30), s(d60), s(d90), s(over));
    };
    EXPECT_TRUE(pages[0].contains(s("Amberline Furniture|220 Furniture Row\nSuite 4\nTupelo, MS  38801")));
    EXPECT_TRUE(pages[0].contains(s("Balance Due:|$275.50")));
    EXPECT_TRUE(pages[0].contains(aging("$0.00", "$0.00", "$275.50", "$0.00", "$0.00"))) << pages[0].toStdString();
    EXPECT_FALSE(pages[1].contains(s("$269.85")));
    EXPECT_TRUE(pages[1].contains(aging("$89.95", "$0.00", "$0.00", "$0.00", "$0.00"))) << pages[1].toStdString();
    // A customer without a Customer row still gets a statement, without address.
    EXPECT_TRUE(pages[2].contains(s("Bill To:|Walk-in Buyer||Statement Date:")));
    EXPECT_TRUE(pages[2].contains(aging("$0.00", "$0.00", "$0.00", "$0.00", "$80.00")));

    // Due today is current; a day later it is 1-30 days past due.
    const QString dueDay = pageTexts(CustomerStatements(db(), QDate(2026, 7, 1)))[1];
    EXPECT_TRUE(dueDay.contains(aging("$89.95", "$0.00", "$0.00", "$0.00", "$0.00"))) << dueDay.toStdString();
    EXPECT_TRUE(pageTexts(CustomerStatements(db(), QDate(2026, 7, 2)))[1].contains(
        aging("$0.00", "$89.95", "$0.00", "$0.00", "$0.00")));

    // A customer who owes nothing gets no page, not even a blank one.
    invoicing::RecordPayment(db(), 4, QDate(2026, 6, 1), 80, 0);
    const QStringList owing = pageTexts(CustomerStatements(db(), QDate(2026, 6, 15)));
    ASSERT_EQ(owing.size(), 2);
    EXPECT_TRUE(owing[1].contains(s("Cedar Ridge Seating")));
    EXPECT_FALSE(owing.join(QString()).contains(s("Walk-in Buyer")));

    db().execute(s("DELETE FROM Invoice WHERE ID <> 2"));
    const QStringList paidUp = pageTexts(CustomerStatements(db(), QDate(2026, 6, 15)));
    ASSERT_EQ(paidUp.size(), 1);
    EXPECT_TRUE(paidUp[0].contains(s("No customer has an open balance.")));
}

// Each boundary day falls in exactly one aging column.
TEST_P(Receivables, StatementAgingPutsEachBoundaryDayInOneColumn)
{
    addInvoices();
    const QStringList columns = {s("Current"), s("1-30 Days"), s("31-60 Days"), s("61-90 Days"), s("Over 90 Days")};
    // Invoice 3 (89.95) is due 7/1/2026.
    const struct {
        int daysPastDue;
        int column;
    } cases[] = {{0, 0}, {1, 1}, {30, 1}, {31, 2}, {60, 2}, {61, 3}, {90, 3}, {91, 4}};
    for (const auto &c : cases) {
        const QString page = pageTexts(CustomerStatements(db(), QDate(2026, 7, 1).addDays(c.daysPastDue)))[1];
        for (int col = 0; col < columns.size(); ++col)
            EXPECT_EQ(page.contains(columns[col] + s("|$89.95")), col == c.column)
                << c.daysPastDue << " days, " << columns[col].toStdString() << "\n"
                << page.toStdString();
    }
}

// Paid more than half a cent too much: the invoice stays open with its
// credit, on the list and on the customer's statement.
TEST_P(Receivables, AnOverpaidInvoiceStaysOpenWithItsCredit)
{
    addInvoices();
    invoicing::RecordPayment(db(), 4, QDate(2026, 5, 1), 85, 0);
    const QString list = pageTexts(OpenInvoices(db())).join(QLatin1Char('|'));
    EXPECT_TRUE(list.contains(s("Walk-in Buyer|4|1/2/2026|2/1/2026|Cash sale|$80.00|$85.00|($5.00)")))
        << list.toStdString();
    const QStringList statements = pageTexts(CustomerStatements(db(), QDate(2026, 6, 15)));
    ASSERT_EQ(statements.size(), 3);
    EXPECT_TRUE(statements[2].contains(s("Walk-in Buyer"))) << statements[2].toStdString();
    EXPECT_TRUE(statements[2].contains(s("($5.00)"))) << statements[2].toStdString();
}

TEST_P(Receivables, SalesByCustomerCoversTheEndDateInBothVariants)
{
    const QString statement = SalesByCustomerStatement(QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_TRUE(statement.contains(s("Orders.OrderDate >= '2026-03-01' AND Orders.OrderDate < '2026-04-01'")));

    const ReportPtr detail = SalesByCustomer(db(), QDate(2026, 3, 1), QDate(2026, 3, 31), true);
    EXPECT_EQ(detail->title(), s("Sales By Customer & Style"));
    const reporting::BoundData &d = detail->data();
    // C-8 at 3 pm on the end date is in, C-9 of 4/1 is out; A-102 has no lines.
    ASSERT_EQ(d.rowCount(), 4);
    EXPECT_TRUE(d.value(0, s("StyleID")).isNull());
    EXPECT_EQ(d.value(1, s("Name")).toString() + d.value(1, s("Type")).toString(), s("1200LOVE"));
    EXPECT_NEAR(d.value(3, s("Sales")).toDouble(), 269.85, 1e-9);
    EXPECT_TRUE(d.value(3, s("Cost")).isNull());
    const QString page = pageTexts(detail).join(QLatin1Char('|'));
    for (const char *expected :
         {"Orders dated|3/1/2026|through|3/31/2026", "Customer|Style|Sales|Cost|Gross Margin|Margin %",
          "1200-SOFA|$300.00|$180.00|$120.00|40.0%", "1200-LOVE|$50.50|$30.25|$20.25|40.1%",
          "Total for Amberline Furniture|$350.50|$210.25|$140.25|40.0%", "88-REC|$269.85|$0.00|$269.85|100.0%",
          "Grand Total|$620.35|$210.25|$410.10|66.1%"})
        EXPECT_TRUE(page.contains(s(expected))) << expected << "\n" << page.toStdString();

    const ReportPtr byCustomer = SalesByCustomer(db(), QDate(2026, 3, 1), QDate(2026, 3, 31), false);
    EXPECT_EQ(byCustomer->title(), s("Sales By Customer"));
    const QString lines = pageTexts(byCustomer).join(QLatin1Char('|'));
    EXPECT_TRUE(lines.contains(s("Customer|Sales|Cost|Gross Margin|Margin %"))) << lines.toStdString();
    EXPECT_TRUE(lines.contains(s("Amberline Furniture|$350.50|$210.25|$140.25|40.0%|Cedar Ridge Seating|$269.85")));
    EXPECT_TRUE(lines.contains(s("Customers:|2")));
    EXPECT_FALSE(lines.contains(s("1200-SOFA")));

    const ReportPtr oneDay = SalesByCustomer(db(), QDate(2026, 4, 1), QDate(2026, 4, 1), false);
    EXPECT_EQ(oneDay->data().rowCount(), 1);
    EXPECT_TRUE(pageTexts(SalesByCustomer(db(), QDate(2025, 1, 1), QDate(2025, 1, 2), true))[0].contains(
        s("No orders are dated in this range.")));
}

// Invoices and payments made with bunlinectl, then each report's CSV against
// the files checked in beside this test.
TEST_P(Receivables, BunlinectlInvoicesAndReportsMatchGoldenFiles)
{
    QTemporaryDir dir;
    const QString config = testsupport::writeCtlConfig(dir, temp().connectionString());
    const auto id = [this](const char *n) { return QString::number(plant.orders.at(s(n))); };
    testsupport::CtlRun r =
        testsupport::runCtl(config,
                            {s("invoice"), s("Amberline Furniture"), s("--orders"), id("A-100") + s(",") + id("A-101"),
                             s("--date"), s("2026-03-31"), s("--due"), s("4/30/2026"), s("--freight"), s("$20.00"),
                             s("--misc"), s("5"), s("--memo"), s("Spring sofas")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, s("1\n"));
    r = testsupport::runCtl(config, {s("pay"), s("1"), s("--amount"), s("100"), s("--date"), s("2026-04-10")});
    EXPECT_EQ(r.out, s("275.50\n")) << r.err.toStdString();
    r = testsupport::runCtl(
        config, {s("invoice"), s("cedar ridge seating"), s("--orders"), id("C-8"), s("--date"), s("2026-03-31")});
    EXPECT_EQ(r.out, s("2\n")) << r.err.toStdString();
    r = testsupport::runCtl(
        config,
        {s("pay"), s("2"), s("--amount"), s("260"), s("--adjustment"), s("9.85"), s("--date"), s("2026-04-20")});
    EXPECT_EQ(r.out, s("0.00\n")) << r.err.toStdString();
    r = testsupport::runCtl(config,
                            {s("invoice"), s("Cedar Ridge Seating"), s("--orders"), id("C-9"), s("--date"),
                             s("2026-06-01"), s("--misc"), s("(20.00)")});
    EXPECT_EQ(r.out, s("3\n")) << r.err.toStdString();
    EXPECT_NEAR(invoicing::InvoiceBalance(db(), 3), 69.95, 1e-9);

    const std::vector<std::pair<const char *, QStringList>> runs = {
        {"invoice", {s("--invoice"), s("1")}},
        {"open-invoices", {}},
        {"customer-statements", {s("--as-of"), s("2026-06-15")}},
        {"sales-by-customer", {s("--start"), s("3/1/2026"), s("--end"), s("3/31/2026"), s("--detail")}},
    };
    const bool regenerate = !qEnvironmentVariableIsEmpty("BUNLINE_REGENERATE_GOLDEN");
    for (const auto &[name, options] : runs) {
        SCOPED_TRACE(name);
        const QString out = QDir(dir.path()).filePath(s(name) + s(".csv"));
        r = testsupport::runCtl(config, QStringList{s("report"), s(name)} + options + QStringList{s("--out"), out});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile written(out);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        const QString actual = QString::fromUtf8(written.readAll());
        const QString goldenPath = s(BUNLINE_SOURCE_DIR "/tests/officereports/golden/") + s(name) + s(".csv");
        QFile golden(goldenPath);
        if (regenerate && GetParam() == data::Dialect::SQLite) {
            ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
            golden.write(actual.toUtf8());
            continue;
        }
        ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << goldenPath.toStdString();
        EXPECT_EQ(actual.toStdString(), QString::fromUtf8(golden.readAll()).toStdString());
    }
}

TEST_P(Receivables, BunlinectlRefusesWithOneLineAndWritesNothing)
{
    QTemporaryDir dir;
    const QString config = testsupport::writeCtlConfig(dir, temp().connectionString());
    const auto id = [this](const char *n) { return QString::number(plant.orders.at(s(n))); };
    ASSERT_EQ(
        testsupport::runCtl(config, {s("invoice"), s("Amberline Furniture"), s("--orders"), id("A-100")}).exitCode, 0);
    struct Case {
        QStringList args;
        const char *message;
    };
    const Case cases[] = {
        {{s("invoice"), s("Nobody"), s("--orders"), id("A-101")}, "There is no customer \"Nobody\"."},
        {{s("invoice"), s("Amberline Furniture"), s("--orders"), s("4242")}, "There is no order with ID 4242."},
        {{s("invoice"), s("Amberline Furniture"), s("--orders"), id("A-101") + s(",") + id("C-8")},
         "belongs to Cedar Ridge Seating"},
        {{s("invoice"), s("Amberline Furniture"), s("--orders"), id("A-101") + s(",") + id("A-100")},
         "is already on invoice 1"},
        {{s("invoice"), s("Amberline Furniture"), s("--orders"), id("A-101"), s("--freight"), s("ten")},
         "--freight \"ten\" is not an amount"},
        {{s("invoice"), s("Amberline Furniture"), s("--orders"), s("x")}, "order ID \"x\" is not a number"},
        {{s("invoice"), s("--orders"), id("A-101")}, "invoice needs a CUSTOMER"},
        {{s("pay"), s("9"), s("--amount"), s("5")}, "There is no invoice 9."},
        {{s("pay"), s("1")}, "pay needs --amount or --adjustment"},
        {{s("pay"), s("1"), s("--amount"), s("0.00"), s("--adjustment"), s("$0")},
         "You must enter a payment or adjustment amount."},
        {{s("pay"), s("1"), s("--amount"), s("5"), s("--date"), s("someday")}, "--date \"someday\" is not a date"},
        {{s("report"), s("invoice"), s("--invoice"), s("9"), s("--out"), s("x.csv")}, "there is no invoice 9"},
        {{s("report"), s("sales-by-customer"), s("--start"), s("3/1/2026"), s("--out"), s("x.csv")},
         "needs --end DATE"},
    };
    for (const Case &c : cases) {
        const testsupport::CtlRun r = testsupport::runCtl(config, c.args);
        EXPECT_NE(r.exitCode, 0) << c.message;
        EXPECT_TRUE(r.err.contains(s(c.message))) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
    }
    EXPECT_EQ(db().query(s("SELECT * FROM Invoice")).recordCount(), 1);
    EXPECT_EQ(db().query(s("SELECT * FROM OrdersInvoiced")).recordCount(), 1);
    EXPECT_EQ(db().query(s("SELECT * FROM Payments")).recordCount(), 0);
}

BUNLINE_ON_EVERY_BACKEND(Receivables);

} // namespace
