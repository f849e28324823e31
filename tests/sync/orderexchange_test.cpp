// The order exchange against a central database that other workstations use
// at the same time: order IDs that differ, shipments and invoices made here,
// runs that overlap or stop half-way.
#include "invoicing/invoicestore.h"
#include "shipping/shipments.h"
#include "sync/exchangelock.h"
#include "sync/serversyncfixture.h"

using namespace serversync;
using data::Database;

namespace {

class OrderExchange : public testsupport::ServerSync {
protected:
    // An order another workstation saved on the server, with one line.
    qint64 serverOrder(const QString &number, const QString &added, const QString &status = QStringLiteral("Open"))
    {
        const qint64 id = central()
                              .query(QStringLiteral("INSERT INTO Orders (OrderNumber, Customer, Status, DateAdded, "
                                                    "Total) VALUES (%1, 'Amberline', %2, %3, 5) RETURNING ID")
                                         .arg(data::sqlText(number), data::sqlText(status), data::sqlText(added)))
                              .value(0)
                              .toLongLong();
        central().execute(QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, "
                                         "PriceExt) VALUES (%1, 1, 'Theirs', 1, 100, 7, 7)")
                              .arg(id));
        return id;
    }
    qint64 ship(qint64 orderId, std::vector<shipping::ShipmentLine> lines)
    {
        return shipping::saveShipment(local(), {0, orderId, QDate(2016, 8, 29), std::move(lines)});
    }
    QStringList serverOrders()
    {
        return column(central(), QStringLiteral("SELECT ID || ':' || OrderNumber FROM Orders ORDER BY ID"));
    }
    // "order ID:item:line" of every line on a database.
    static QStringList lines(Database &db)
    {
        return column(db,
                      QStringLiteral("SELECT OrderID || ':' || ItemNumber || ':' || Line FROM OrderItems "
                                     "ORDER BY OrderID, ItemNumber"));
    }
};

// Two orders entered here took IDs 5 and 6 while another workstation's order
// took 5 on the server: they come back as 6 and 7, and every shipment, invoice
// link and invoiced mark made here follows them.
TEST_P(OrderExchange, RowsMadeHereFollowTheirOrderToTheIdTheServerGave)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    for (int i = 1; i <= 4; ++i)
        serverOrder(QStringLiteral("S-%1").arg(i), QStringLiteral("2016-08-01"));
    ExchangeOrders(local(), false);
    const qint64 first = saveLocalOrder(QStringLiteral("PO-A"), QDate(2016, 8, 29), {1, 2});
    const qint64 second = saveLocalOrder(QStringLiteral("PO-B"), QDate(2016, 8, 29), {1});
    ASSERT_EQ(first, 5);
    ASSERT_EQ(second, 6);
    local().execute(QStringLiteral("UPDATE Orders SET SalesRepID = 3 WHERE ID = 5"));
    const qint64 shippedFirst = ship(5, {{1, 1}, {2, 2}});
    const qint64 shippedSecond = ship(6, {{1, 0.5}});
    const invoicing::CreatedInvoice invoice = invoicing::CreateInvoice(
        local(),
        {QStringLiteral("Amberline"), QDate(2016, 8, 29), QDate(2016, 9, 28), 0, 0, QString(), std::vector<qint64>{5}});
    // Meanwhile on the server.
    const qint64 theirs = serverOrder(QStringLiteral("X-1"), QStringLiteral("2016-08-29"));
    ASSERT_EQ(theirs, 5);

    const BatchResult r = ExchangeOrders(local(), false);
    EXPECT_EQ(r.ordersUploaded, 2);
    EXPECT_EQ(serverOrders().mid(4), QStringList({"5:X-1", "6:PO-A", "7:PO-B"}));
    EXPECT_EQ(lines(central()).mid(4), QStringList({"5:1:Theirs", "6:1:L1", "6:2:L2", "7:1:L1"}));
    EXPECT_EQ(column(central(), QStringLiteral("SELECT SalesRepID FROM Orders WHERE ID = 6")), QStringList({"3"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT SalesRepID FROM Orders WHERE ID = 6")), QStringList({"3"}));

    EXPECT_EQ(column(local(), QStringLiteral("SELECT ID || ':' || OrderID FROM Shipments ORDER BY ID")),
              QStringList({QStringLiteral("%1:6").arg(shippedFirst), QStringLiteral("%1:7").arg(shippedSecond)}));
    EXPECT_EQ(column(local(),
                     QStringLiteral(
                         "SELECT OrderID || ':' || OrderLineItem FROM ShipmentItems ORDER BY OrderID, OrderLineItem")),
              QStringList({"6:1", "6:2", "7:1"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderID FROM InvoiceOrders")), QStringList({"6"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderID FROM OrdersInvoiced")), QStringList({"6"}));
    // The invoice still bills its own order's lines; the other client's order is free to invoice.
    EXPECT_DOUBLE_EQ(invoicing::InvoiceBalance(local(), invoice.id), invoice.total);
    QStringList offered;
    for (const invoicing::UninvoicedOrder &o : invoicing::OrdersNotYetInvoiced(local(), QStringLiteral("Amberline")))
        offered << o.orderNumber;
    EXPECT_FALSE(offered.contains(QStringLiteral("PO-A")));
    EXPECT_TRUE(offered.contains(QStringLiteral("X-1")));
    // What the shipments say decides the status, not the server's copy.
    EXPECT_EQ(shipping::orderStatus(local(), 6), QStringLiteral("Closed"));
    EXPECT_EQ(shipping::orderStatus(local(), 7), QStringLiteral("Open"));
    EXPECT_EQ(shipping::orderStatus(local(), 5), QStringLiteral("Open"));
}

TEST_P(OrderExchange, AShippedOrderStaysClosedAfterEveryExchangeUnlessTheServerVoidsIt)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    const qint64 shipped = serverOrder(QStringLiteral("S-1"), QStringLiteral("2016-08-01"));
    const qint64 voided = serverOrder(QStringLiteral("S-2"), QStringLiteral("2016-08-01"));
    ExchangeOrders(local(), false);
    ship(shipped, {{1, 1}});
    ship(voided, {{1, 1}});
    central().execute(QStringLiteral("UPDATE Orders SET Status = 'Void' WHERE ID = %1").arg(voided));
    for (int pass = 0; pass < 2; ++pass) {
        ExchangeOrders(local(), false);
        EXPECT_EQ(shipping::orderStatus(local(), shipped), QStringLiteral("Closed"));
        EXPECT_EQ(shipping::orderStatus(local(), voided), QStringLiteral("Void"));
    }
}

// The server numbers orders past ten; the two uploaded here as 1 and 2 keep
// their own lines under 11 and 12. A queued order deleted since is passed by.
TEST_P(OrderExchange, LinesFollowTheServersIdsAndAQueuedOrderNoLongerHereIsDropped)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    for (int i = 1; i <= 10; ++i)
        serverOrder(QStringLiteral("S-%1").arg(i), QStringLiteral("2016-01-01"));
    ASSERT_EQ(saveLocalOrder(QStringLiteral("PO-1"), QDate(2016, 8, 29), {1, 2}), 1);
    ASSERT_EQ(saveLocalOrder(QStringLiteral("PO-2"), QDate(2016, 8, 29), {1, 2, 3}), 2);
    const qint64 gone = saveLocalOrder(QStringLiteral("PO-GONE"), QDate(2016, 8, 29), {1});
    run(local(),
        {QStringLiteral("DELETE FROM OrderItems WHERE OrderID = %1").arg(gone),
         QStringLiteral("DELETE FROM Orders WHERE ID = %1").arg(gone)});

    const BatchResult r = ExchangeOrders(local(), false);
    EXPECT_EQ(r.ordersUploaded, 2);
    EXPECT_EQ(serverOrders().mid(10), QStringList({"11:PO-1", "12:PO-2"}));
    EXPECT_EQ(lines(central()).mid(10), QStringList({"11:1:L1", "11:2:L2", "12:1:L1", "12:2:L2", "12:3:L3"}));
    EXPECT_EQ(lines(local()), QStringList({"11:1:L1", "11:2:L2", "12:1:L1", "12:2:L2", "12:3:L3"}));
    EXPECT_TRUE(column(local(), QStringLiteral("SELECT OrderID FROM OrdersToBatch")).isEmpty());
}

TEST_P(OrderExchange, TheDownloadTakesOrdersAddedSixtyDaysAgoAndNoneOlder)
{
    // Today is 29 August 2016: 30 June is 60 days ago.
    serverOrder(QStringLiteral("DAY-61-LATE"), QStringLiteral("2016-06-29 23:59:59"));
    serverOrder(QStringLiteral("DAY-60"), QStringLiteral("2016-06-30 00:00:00"));
    serverOrder(QStringLiteral("DAY-60-LATE"), QStringLiteral("2016-06-30 17:30:00"));
    serverOrder(QStringLiteral("DAY-59"), QStringLiteral("2016-07-01 00:00:00"));
    ExchangeOrders(local(), false);
    EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderNumber FROM Orders ORDER BY ID")),
              QStringList({"DAY-60", "DAY-60-LATE", "DAY-59"}));
}

// A run stopped after the server took an order and before the order left the
// queue here: the next run finds it on the server and sends it no second
// time, while a second identical order is still sent.
TEST_P(OrderExchange, AnOrderTheServerAlreadyHoldsIsNotSentAgain)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    serverOrder(QStringLiteral("S-1"), QStringLiteral("2016-08-01"));
    const qint64 first = saveLocalOrder(QStringLiteral("PO-7"), QDate(2016, 8, 29), {1, 2});
    const qint64 twin = saveLocalOrder(QStringLiteral("PO-7"), QDate(2016, 8, 29), {1, 2});
    ASSERT_EQ(first, 1);
    ship(first, {{1, 1}});
    // What the stopped run had sent: the first order under the server's ID 2.
    const data::Recordset sent = local().query(QStringLiteral("SELECT * FROM Orders WHERE ID = %1").arg(first));
    QStringList values;
    for (int i = 1; i < sent.fieldCount(); ++i)
        values << data::sqlLiteral(sent.value(i));
    central().execute(QStringLiteral("INSERT INTO Orders (OrderNumber, Customer, OrderDate, DueDate, ShipTo, "
                                     "ShipToAddress1, ShipToAddress2, ShipToCity, ShipToState, ShipToZip, ShipToPhone, "
                                     "ShipToFax, Status, DateAdded, Total, SalesRepID) VALUES (%1)")
                          .arg(values.join(QLatin1Char(','))));
    for (data::Recordset l = local().query(QStringLiteral("SELECT * FROM OrderItems WHERE OrderID = %1").arg(first));
         !l.isEOF(); l.moveNext())
        central().execute(
            QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) "
                           "VALUES (2, %1, %2, %3, %4, %5, %6)")
                .arg(data::sqlLiteral(l.value(1)), data::sqlLiteral(l.value(2)), data::sqlLiteral(l.value(3)),
                     data::sqlLiteral(l.value(4)), data::sqlLiteral(l.value(5)), data::sqlLiteral(l.value(6))));

    const BatchResult r = ExchangeOrders(local(), false);
    EXPECT_EQ(r.ordersUploaded, 2);
    EXPECT_EQ(serverOrders(), QStringList({"1:S-1", "2:PO-7", "3:PO-7"})) << "the twin sent, the first not again";
    EXPECT_EQ(lines(central()), QStringList({"1:1:Theirs", "2:1:L1", "2:2:L2", "3:1:L1", "3:2:L2"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderID FROM Shipments")), QStringList({"2"}));
    EXPECT_EQ(twin, 2);
}

// An order never leaves here without its lines: one that has none stops the
// upload there, named, and stays queued with the orders after it.
TEST_P(OrderExchange, AQueuedOrderWithoutLinesIsNotSent)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    const qint64 sent = saveLocalOrder(QStringLiteral("PO-1"), QDate(2016, 8, 29), {1});
    const qint64 bare = saveLocalOrder(QStringLiteral("PO-2"), QDate(2016, 8, 29), {1});
    const qint64 after = saveLocalOrder(QStringLiteral("PO-3"), QDate(2016, 8, 29), {1});
    local().execute(QStringLiteral("DELETE FROM OrderItems WHERE OrderID = %1").arg(bare));
    try {
        ExchangeOrders(local(), false);
        FAIL() << "an order without lines was sent";
    } catch (const data::DbError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("PO-2 of Amberline"))) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(QLatin1String("no lines"))) << e.message().toStdString();
    }
    EXPECT_EQ(serverOrders(), QStringList({QStringLiteral("%1:PO-1").arg(sent)}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderID FROM OrdersToBatch ORDER BY OrderID")),
              QStringList({QString::number(bare), QString::number(after)}));
}

// Another run holds the plant's exchange: this one is refused before it writes.
TEST_P(OrderExchange, ASecondRunAtTheSameTimeIsRefusedAndWritesNothing)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    saveLocalOrder(QStringLiteral("PO-1"), QDate(2016, 8, 29), {1});
    std::unique_ptr<Database> other = Database::open(m_localConnection);
    {
        const ExchangeLock running(*other);
        try {
            ExchangeOrders(local(), false);
            FAIL() << "a second run went ahead";
        } catch (const data::DbError &e) {
            EXPECT_EQ(e.message(), QString::fromLatin1(kExchangeRunning));
        }
        EXPECT_TRUE(serverOrders().isEmpty());
        EXPECT_EQ(column(local(), QStringLiteral("SELECT COUNT(*) FROM OrdersToBatch")), QStringList({"1"}));
        EXPECT_TRUE(column(local(), QStringLiteral("SELECT Customer FROM Customer")).isEmpty());
    }
    ExchangeOrders(local(), false); // free again once the other run ends
    EXPECT_EQ(serverOrders(), QStringList({"1:PO-1"}));
}

BUNLINE_ON_EVERY_BACKEND(OrderExchange);

} // namespace
