// Invoices and payments through their routines, on every backend.
#include "data/database.h"
#include "invoicing/invoicestore.h"
#include "support/receivablesfixture.h"
#include "support/testdatabase.h"

#include <QThread>
#include <array>
#include <cmath>
#include <thread>

using namespace invoicing;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

class Invoicing : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        plant = testsupport::addReceivablesPlant(db());
    }

    qint64 order(const char *number) const { return plant.orders.at(s(number)); }

    NewInvoice amberline(std::vector<qint64> orders, double freight = 0, double misc = 0) const
    {
        return {s("Amberline Furniture"), QDate(2026, 3, 31), QDate(2026, 4, 30), freight, misc,
                s("Spring sofas"),        std::move(orders)};
    }

    int count(data::Database &on, const char *table)
    {
        return int(on.query(s("SELECT * FROM ") + s(table)).recordCount());
    }

    // Invoice, link and mark rows: what an invoice writes.
    std::array<int, 3> written(data::Database &on)
    {
        return {count(on, "Invoice"), count(on, "InvoiceOrders"), count(on, "OrdersInvoiced")};
    }

    std::vector<QString> offered(const char *customer)
    {
        std::vector<QString> numbers;
        for (const UninvoicedOrder &o : OrdersNotYetInvoiced(db(), s(customer)))
            numbers.push_back(o.orderNumber);
        return numbers;
    }

    testsupport::ReceivablesPlant plant;
};

TEST_P(Invoicing, InvoiceTotalsTheOrdersAndMarksThemInvoiced)
{
    EXPECT_EQ(offered("Amberline Furniture"), (std::vector<QString>{s("A-100"), s("A-101"), s("A-102")}));
    const CreatedInvoice created = CreateInvoice(db(), amberline({order("A-100"), order("A-101")}, 20, 5));
    EXPECT_DOUBLE_EQ(created.subtotal, 350.5);
    EXPECT_DOUBLE_EQ(created.total, 375.5);

    data::Recordset row = db().query(s("SELECT * FROM Invoice WHERE ID = ") + QString::number(created.id));
    ASSERT_FALSE(row.isEmpty());
    EXPECT_EQ(row.text(s("Customer")), s("Amberline Furniture"));
    EXPECT_DOUBLE_EQ(row.number(s("Subtotal")), 350.5);
    EXPECT_DOUBLE_EQ(row.number(s("Total")), 375.5);
    EXPECT_EQ(row.text(s("MemoField")), s("Spring sofas"));
    EXPECT_EQ(data::toDate(row.value(s("DueDate"))), QDate(2026, 4, 30));
    EXPECT_EQ(written(db()), (std::array<int, 3>{1, 2, 2}));
    data::Recordset links =
        db().query(s("SELECT OrderID FROM InvoiceOrders WHERE Invoice = %1 ORDER BY OrderID").arg(created.id));
    ASSERT_EQ(links.recordCount(), 2);
    EXPECT_EQ(links.integer(s("OrderID")), order("A-100"));

    // Invoiced orders are offered no more; a void order still is.
    EXPECT_EQ(offered("Amberline Furniture"), std::vector<QString>{s("A-102")});
    EXPECT_EQ(offered("amberline furniture"), std::vector<QString>{s("A-102")});
}

TEST_P(Invoicing, OrderWithoutLinesAddsNothingAndNoChargesLeaveTheSubtotal)
{
    const CreatedInvoice created = CreateInvoice(db(), amberline({order("A-102"), order("A-100")}));
    EXPECT_DOUBLE_EQ(created.subtotal, 100);
    EXPECT_DOUBLE_EQ(created.total, 100);
    // Negative charges (a credit) are amounts too.
    const CreatedInvoice credit = CreateInvoice(db(), amberline({order("A-101")}, 0, -20));
    EXPECT_DOUBLE_EQ(credit.total, 230.5);
}

TEST_P(Invoicing, RefusedInvoicesWriteNothing)
{
    CreateInvoice(db(), amberline({order("A-100")}));
    const std::array<int, 3> before = written(db());
    struct Case {
        NewInvoice invoice;
        const char *message;
    };
    NewInvoice unknownCustomer = amberline({order("A-101")});
    unknownCustomer.customer = s("Nobody Inc");
    const Case cases[] = {
        {{}, "No Invoices Selected."},
        {unknownCustomer, "There is no customer \"Nobody Inc\"."},
        {amberline({order("A-101"), 9999}), "There is no order with ID 9999."},
        {amberline({order("A-101"), order("C-8")}), "C-8"},
        {amberline({order("A-101"), order("A-101")}), "is listed twice"},
        {amberline({order("A-101"), order("A-100")}), "already on invoice"},
        {amberline({order("A-101")}, std::nan(""), 0), "must be amounts"},
    };
    const qint64 first = InvoiceNumbers(db()).front();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        try {
            CreateInvoice(db(), c.invoice);
            ADD_FAILURE() << "not refused";
        } catch (const InvoiceError &e) {
            EXPECT_TRUE(e.text().contains(s(c.message))) << e.text().toStdString();
            if (QByteArray(c.message) == "already on invoice")
                EXPECT_EQ(e.text(), s("Order A-100 (ID %1) is already on invoice %2.").arg(order("A-100")).arg(first));
        }
        EXPECT_EQ(written(db()), before);
    }
    EXPECT_EQ(offered("Amberline Furniture"), (std::vector<QString>{s("A-101"), s("A-102")}));
}

// Two workstations save invoices over the same order at the same moment:
// the second waits for the first to commit, then sees its mark and refuses.
TEST_P(Invoicing, AnOrderIsInvoicedOnceWhenTwoSaveTogether)
{
    data::Transaction first(db());
    db().lockForNewKey(s("OrdersInvoiced"));
    data::addRow(db(), s("OrdersInvoiced"), {{s("OrderID"), order("A-100")}});
    QString refusal;
    std::thread second([&] {
        std::unique_ptr<data::Database> other = temp().openAnother();
        try {
            CreateInvoice(*other, amberline({order("A-101"), order("A-100")}));
        } catch (const InvoiceError &e) {
            refusal = e.text();
        }
    });
    QThread::msleep(300);
    first.commit();
    second.join();
    EXPECT_EQ(refusal, QStringLiteral("Order A-100 (ID %1) has already been invoiced.").arg(order("A-100")));
    EXPECT_EQ(written(db()), (std::array<int, 3>{0, 0, 1}));
}

TEST_P(Invoicing, PaymentsAndAdjustmentsLowerTheBalance)
{
    const qint64 invoice = CreateInvoice(db(), amberline({order("A-100"), order("A-101")}, 20, 5)).id;
    EXPECT_DOUBLE_EQ(InvoiceBalance(db(), invoice), 375.5); // no payments yet
    EXPECT_DOUBLE_EQ(RecordPayment(db(), invoice, QDate(2026, 4, 10), 100, 0), 275.5);
    EXPECT_DOUBLE_EQ(InvoiceBalance(db(), invoice), 275.5);
    EXPECT_NEAR(NewBalance(275.5, 200, 25), 50.5, 1e-9);

    const qint64 small =
        CreateInvoice(db(),
                      {s("Cedar Ridge Seating"), QDate(2026, 4, 1), QDate(2026, 5, 1), 10.05, 0, {}, {order("C-9")}})
            .id;
    EXPECT_DOUBLE_EQ(InvoiceBalance(db(), small), 100);
    // A negative payment raises the balance, shown and saved alike.
    EXPECT_NEAR(NewBalance(100, -10, 0), 110, 1e-9);
    EXPECT_NEAR(RecordPayment(db(), small, QDate(2026, 4, 2), -10, 0), 110, 1e-9);
    // The adjustment counts like the payment.
    EXPECT_NEAR(RecordPayment(db(), small, QDate(2026, 4, 3), 5, 15), 90, 1e-9);
    EXPECT_NEAR(InvoiceBalance(db(), small), 90, 1e-9);
    EXPECT_EQ(count(db(), "Payments"), 3);

    EXPECT_DOUBLE_EQ(InvoiceBalance(db(), 777), 0);
    EXPECT_THROW(RecordPayment(db(), 777, QDate(2026, 4, 2), 5, 0), InvoiceError);
    EXPECT_EQ(count(db(), "Payments"), 3);
    EXPECT_EQ(InvoiceNumbers(db()), (std::vector<qint64>{small, invoice}));
}

// The new balance shown is the one the save leaves: payment plus adjustment,
// rounded to cents half away from zero, taken off with its sign.
TEST(NewBalance, IsTheBalanceLessPaymentAndAdjustment)
{
    const struct {
        double balance, payment, adjustment, expected;
    } cases[] = {
        {275.5, 200, 25, 50.5}, {1137, -10, 0, 1147},     {100, 10, -30, 120},      {100, 0, 12.5, 87.5},
        {100, 0.125, 0, 99.87}, {100, -0.125, 0, 100.13}, {100, 0.1, 0.025, 99.87}, {100, 0.004, 0, 100},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(NewBalance(c.balance, c.payment, c.adjustment), c.expected, 1e-9)
            << c.payment << " + " << c.adjustment;
}

TEST_P(Invoicing, AZeroPaymentIsRefusedHoweverTyped)
{
    const qint64 invoice = CreateInvoice(db(), amberline({order("A-100")})).id;
    for (const auto &[amount, adjustment] : {std::pair{0.0, 0.0}, std::pair{-0.0, 0.0}, std::pair{0.004, -0.004}}) {
        try {
            RecordPayment(db(), invoice, QDate(2026, 4, 2), amount, adjustment);
            ADD_FAILURE() << amount << " saved";
        } catch (const InvoiceError &e) {
            EXPECT_EQ(e.text(), s("You must enter a payment or adjustment amount."));
        }
    }
    EXPECT_EQ(count(db(), "Payments"), 0);
    EXPECT_NEAR(RecordPayment(db(), invoice, QDate(2026, 4, 2), 0, 0.01), 99.99, 1e-9);
}

// Two workstations record payments to one invoice at the same moment: each
// reports the balance after its own payment and every one before it.
TEST_P(Invoicing, TwoPaymentsAtOnceReportTheBalanceAfterBoth)
{
    const qint64 invoice = CreateInvoice(db(), amberline({order("A-100")})).id;
    data::Transaction first(db());
    EXPECT_NEAR(RecordPayment(db(), invoice, QDate(2026, 4, 2), 10, 0), 90, 1e-9);
    double reported = 0;
    std::thread second([&] {
        std::unique_ptr<data::Database> other = temp().openAnother();
        reported = RecordPayment(*other, invoice, QDate(2026, 4, 2), 10, 0);
    });
    QThread::msleep(300);
    first.commit();
    second.join();
    EXPECT_NEAR(reported, 80, 1e-9);
    EXPECT_NEAR(InvoiceBalance(db(), invoice), 80, 1e-9);
}

BUNLINE_ON_EVERY_BACKEND(Invoicing);

} // namespace
