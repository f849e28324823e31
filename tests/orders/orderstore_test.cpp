#include "data/quoting.h"
#include "orderfixture.h"
#include "orders/orderstore.h"
#include "support/testdatabase.h"

#include <functional>

using namespace orders;

namespace {

class OrderStore : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        addOrderCatalogue(db());
    }
    OrderHeader header(const QString &number) const
    {
        OrderHeader h;
        h.customer = QStringLiteral("Amberline");
        h.orderNumber = number;
        h.orderDate = QDate(2016, 8, 1);
        h.dueDate = QDate(2016, 8, 20);
        h.shipTo.name = QStringLiteral("Amberline DC");
        return h;
    }
    std::vector<OrderLine> lines(std::initializer_list<int> items) const
    {
        std::vector<OrderLine> out;
        for (int n : items)
            out.push_back({n, QStringLiteral("L%1").arg(n), 2.0 * n, QStringLiteral("1200-SOFA"), 1, 131.0});
        return out;
    }
    int count(const QString &statement) { return db().query(statement).recordCount(); }
};

TEST_P(OrderStore, ANewOrderIsStoredOpenWithItsLinesAndQueuedOnce)
{
    OrderHeader h = header(QStringLiteral("PO-1"));
    h.status = QStringLiteral("Void"); // chosen before the first save: not stored
    const qint64 id = saveOrder(db(), h, lines({1, 3}), false, QDate(2016, 8, 2));
    const auto stored = loadOrder(db(), id);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->status, QStringLiteral("Open"));
    EXPECT_EQ(stored->orderDate, QDate(2016, 8, 1));
    EXPECT_EQ(stored->shipTo.name, QStringLiteral("Amberline DC"));
    const auto storedLines = loadLines(db(), id);
    ASSERT_EQ(storedLines.size(), 2u);
    EXPECT_EQ(storedLines[1].itemNumber, 3);
    EXPECT_EQ(storedLines[1].styleText, QStringLiteral("1200-SOFA"));
    EXPECT_DOUBLE_EQ(db().query(QStringLiteral("SELECT PriceExt FROM OrderItems WHERE ItemNumber = 3"))
                         .number(QStringLiteral("PriceExt")),
                     786);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM OrdersToBatch WHERE OrderID = %1").arg(id)), 1);

    // A second save rewrites the lines, keeps the number, sets the status and queues nothing.
    h.id = id;
    h.orderNumber = QStringLiteral("ignored");
    h.status = QStringLiteral("Closed");
    saveOrder(db(), h, lines({3}), false, QDate(2016, 8, 5));
    const auto again = loadOrder(db(), id);
    EXPECT_EQ(again->orderNumber, QStringLiteral("PO-1"));
    EXPECT_EQ(again->status, QStringLiteral("Closed"));
    EXPECT_EQ(db().query(QStringLiteral("SELECT DateAdded FROM Orders")).dateTime(QStringLiteral("DateAdded")).date(),
              QDate(2016, 8, 5));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM OrderItems")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM OrdersToBatch")), 1);
}

// An invoiced order's lines are what its invoice printed: any change to them
// is refused and writes nothing, while its header still saves.
TEST_P(OrderStore, AnInvoicedOrderKeepsItsLines)
{
    OrderHeader h = header(QStringLiteral("PO-7"));
    const std::vector<OrderLine> invoiced = lines({1, 2});
    h.id = saveOrder(db(), h, invoiced, false, QDate(2016, 8, 2));
    const qint64 invoice =
        data::addRow(db(), QStringLiteral("Invoice"),
                     {{QStringLiteral("Customer"), QStringLiteral("Amberline")}, {QStringLiteral("Total"), 786.0}})
            .integer(QStringLiteral("ID"));
    data::addRow(db(), QStringLiteral("InvoiceOrders"),
                 {{QStringLiteral("Invoice"), invoice}, {QStringLiteral("OrderID"), *h.id}});
    EXPECT_EQ(invoiceOfOrder(db(), *h.id), invoice);

    const auto changed = [&](const std::function<void(std::vector<OrderLine> &)> &change) {
        std::vector<OrderLine> l = invoiced;
        change(l);
        return l;
    };
    const struct {
        const char *what;
        std::vector<OrderLine> lines;
    } cases[] = {
        {"quantity", changed([](auto &l) { l[0].qty = 3; })},
        {"price", changed([](auto &l) { l[1].priceEach = 130; })},
        {"style", changed([](auto &l) { l[0].styleId = 2; })},
        {"line text", changed([](auto &l) { l[0].line = QStringLiteral("L9"); })},
        {"added line", changed([&](auto &l) { l.push_back(lines({3})[0]); })},
        {"deleted line", changed([](auto &l) { l.pop_back(); })},
    };
    OrderHeader edited = h;
    edited.dueDate = QDate(2016, 9, 30);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            saveOrder(db(), edited, c.lines, false, QDate(2016, 8, 9));
            ADD_FAILURE() << "saved";
        } catch (const OrderError &e) {
            EXPECT_EQ(e.text(),
                      QStringLiteral("Order PO-7 is on invoice %1; its lines cannot be changed.").arg(invoice));
        }
        EXPECT_EQ(loadOrder(db(), *h.id)->dueDate, QDate(2016, 8, 20));
        const std::vector<OrderLine> stored = loadLines(db(), *h.id);
        ASSERT_EQ(stored.size(), 2u);
        EXPECT_EQ(stored[0].qty, 2);
        EXPECT_EQ(stored[1].priceEach, 131);
    }
    // The header alone still saves, the lines as they were.
    saveOrder(db(), edited, invoiced, false, QDate(2016, 8, 9));
    EXPECT_EQ(loadOrder(db(), *h.id)->dueDate, QDate(2016, 9, 30));
    EXPECT_EQ(loadLines(db(), *h.id).size(), 2u);
}

TEST_P(OrderStore, LocalOrderIdsCountOnFromTheLargest)
{
    EXPECT_EQ(saveOrder(db(), header(QStringLiteral("A")), lines({1}), true, QDate(2016, 8, 2)), 1);
    data::addRow(db(), QStringLiteral("Orders"),
                 {{QStringLiteral("ID"), 41}, {QStringLiteral("OrderNumber"), QStringLiteral("from server")}});
    EXPECT_EQ(saveOrder(db(), header(QStringLiteral("B")), lines({1}), true, QDate(2016, 8, 2)), 42);
    // The database's own numbering carries on past them.
    EXPECT_EQ(saveOrder(db(), header(QStringLiteral("C")), lines({1}), false, QDate(2016, 8, 2)), 43);
}

TEST_P(OrderStore, AFailedSaveLeavesTheOrderAsItWas)
{
    const qint64 id = saveOrder(db(), header(QStringLiteral("PO-7")), lines({1, 2}), false, QDate(2016, 8, 2));
    OrderHeader h = header(QStringLiteral("PO-7"));
    h.id = id;
    h.status = QStringLiteral("Void");
    std::vector<OrderLine> broken = lines({1, 1}); // the same item number twice cannot be stored
    EXPECT_THROW(saveOrder(db(), h, broken, false, QDate(2016, 9, 1)), data::DbError);
    EXPECT_EQ(loadOrder(db(), id)->status, QStringLiteral("Open"));
    EXPECT_EQ(loadLines(db(), id).size(), 2u);
    // A new order that fails is not queued and not stored.
    EXPECT_THROW(saveOrder(db(), header(QStringLiteral("PO-8")), broken, false, QDate(2016, 9, 1)), data::DbError);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Orders")), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM OrdersToBatch")), 1);
}

TEST_P(OrderStore, DuplicateNumbersAreFoundPerCustomer)
{
    saveOrder(db(), header(QStringLiteral("PO-1")), lines({1}), false, QDate(2016, 8, 2));
    EXPECT_TRUE(orderNumberExists(db(), QStringLiteral("amberline"), QStringLiteral("PO-1")));
    EXPECT_FALSE(orderNumberExists(db(), QStringLiteral("Cedar Ridge"), QStringLiteral("PO-1")));
    EXPECT_FALSE(orderNumberExists(db(), QStringLiteral("Amberline"), QStringLiteral("PO-1'; DELETE FROM Orders --")));
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Orders")), 1);
}

TEST_P(OrderStore, TheSearchFindsAPartOfTheNumberAndCombinesCriteria)
{
    for (const char *number : {"A120", "12", "312-B", "99"})
        saveOrder(db(), header(QString::fromLatin1(number)), lines({1}), false, QDate(2016, 8, 2));
    SearchCriteria c;
    c.orderNumber = QStringLiteral("12");
    QStringList found;
    for (data::Recordset rs = db().query(searchStatement(c)); !rs.isEOF(); rs.moveNext())
        found << rs.text(QStringLiteral("OrderNumber"));
    EXPECT_EQ(found, (QStringList{"12", "312-B", "A120"}));

    c.customer = QStringLiteral("Amberline");
    c.status = QStringLiteral("Open");
    c.useOrderDate = true;
    c.startDate = QDate(2016, 8, 1);
    c.endDate = QDate(2016, 8, 1);
    EXPECT_EQ(
        searchStatement(c),
        QStringLiteral("SELECT * FROM Orders WHERE  Orders.Customer = 'Amberline' AND  Orders.Status = 'Open' AND "
                       " Orders.OrderDate >= '2016-08-01' AND Orders.OrderDate <= '2016-08-01' AND  "
                       "Orders.OrderNumber Like '%12%' ESCAPE '\\' ORDER BY Orders.Customer, Orders.OrderNumber"));
    // An order dated on the last day of the range is in it.
    EXPECT_EQ(db().query(searchStatement(c)).recordCount(), 3);
    EXPECT_EQ(searchStatement({}), QStringLiteral("SELECT * FROM Orders ORDER BY Orders.Customer, Orders.OrderNumber"));
}

TEST_P(OrderStore, TheNumberSearchTakesWildcardsLiterally)
{
    for (const char *number : {"A_1", "AB1", "50%", "500", "[X]", "X", "C\\D"})
        saveOrder(db(), header(QString::fromLatin1(number)), lines({1}), false, QDate(2016, 8, 2));
    auto found = [&](const char *typed) {
        SearchCriteria c;
        c.orderNumber = QString::fromLatin1(typed);
        QStringList numbers;
        for (data::Recordset rs = db().query(searchStatement(c)); !rs.isEOF(); rs.moveNext())
            numbers << rs.text(QStringLiteral("OrderNumber"));
        return numbers;
    };
    EXPECT_EQ(found("_"), QStringList{"A_1"});
    EXPECT_EQ(found("%"), QStringList{"50%"});
    EXPECT_EQ(found("[X"), QStringList{"[X]"});
    EXPECT_EQ(found("\\"), QStringList{"C\\D"});
    EXPECT_EQ(found("b1"), QStringList{"AB1"});
}

TEST_P(OrderStore, TheDateRangeFindsTheOrdersBetweenItsEnds)
{
    const QDate dates[] = {QDate(2016, 7, 30), QDate(2016, 8, 1), QDate(2016, 8, 3), QDate(2016, 8, 5),
                           QDate(2016, 8, 7)};
    for (const QDate &d : dates) {
        OrderHeader h = header(d.toString(QStringLiteral("MMdd")));
        h.orderDate = d;
        saveOrder(db(), h, lines({1}), false, QDate(2016, 8, 8));
    }
    SearchCriteria c;
    c.useOrderDate = true;
    c.startDate = QDate(2016, 8, 1);
    c.endDate = QDate(2016, 8, 5);
    QStringList found;
    for (data::Recordset rs = db().query(searchStatement(c)); !rs.isEOF(); rs.moveNext())
        found << rs.text(QStringLiteral("OrderNumber"));
    EXPECT_EQ(found, (QStringList{"0801", "0803", "0805"}));
}

BUNLINE_ON_EVERY_BACKEND(OrderStore);

TEST(ShipToText, LeavesOutAnEmptySecondAddressLine)
{
    EXPECT_EQ(shipToText({QStringLiteral("Amberline"),
                          QStringLiteral("1 Main St"),
                          QString(),
                          QStringLiteral("Tupelo"),
                          QStringLiteral("MS"),
                          QStringLiteral("38801"),
                          {},
                          {}}),
              QStringLiteral("Amberline, 1 Main St, Tupelo, MS 38801"));
    EXPECT_EQ(shipToText({QStringLiteral("A"),
                          QStringLiteral("1"),
                          QStringLiteral("Dock 3"),
                          QStringLiteral("C"),
                          QStringLiteral("S"),
                          QStringLiteral("Z"),
                          {},
                          {}}),
              QStringLiteral("A, 1, Dock 3, C, S Z"));
}

} // namespace
