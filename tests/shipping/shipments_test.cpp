// Shipments and the order status they set, on every backend.
#include "shippingfixture.h"
#include "support/testdatabase.h"

#include "data/recordset.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <thread>

using namespace fixture;

namespace {

class Shipments : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        addPlant(db());
        sofa = addSofa(db());
    }
    double shipped(qint64 order, int item)
    {
        for (const shipping::OrderLine &l : shipping::orderLines(db(), order))
            if (l.itemNumber == item)
                return l.shipped;
        ADD_FAILURE() << "no item " << item;
        return -1;
    }
    int count(const QString &table) { return int(db().query(s("SELECT COUNT(*) AS N FROM ") + table).integer(s("N"))); }
    Sofa sofa;
};

TEST_P(Shipments, TwoShipmentsCloseTheOrder)
{
    const qint64 order = addPlainOrder(db(), 2001, sofa.style, {{1, 10}, {2, 5}});
    const qint64 first = ship(db(), order, {{1, 10}, {2, 0}});
    EXPECT_EQ(shipping::orderStatus(db(), order), s("Open"));
    EXPECT_EQ(count(s("ShipmentItems")), 1) << "a line shipping nothing is not stored";

    const std::vector<shipping::OrderLine> lines = shipping::orderLines(db(), order);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].open(), 0);
    EXPECT_EQ(lines[1].open(), 5);
    EXPECT_FALSE(lines[1].everShipped);

    const qint64 second = ship(db(), order, {{1, lines[0].open()}, {2, lines[1].open()}});
    EXPECT_NE(first, second);
    EXPECT_EQ(shipping::orderStatus(db(), order), s("Closed"));
    EXPECT_EQ(count(s("ShipmentItems")), 2);
    // The closed order is no longer offered for shipping.
    EXPECT_TRUE(shipping::openOrders(db(), s("Amberline")).empty()
                || shipping::openOrders(db(), s("Amberline")).front().id != order);
}

TEST_P(Shipments, ReopeningAndResavingChangesNothing)
{
    const qint64 order = addPlainOrder(db(), 2002, sofa.style, {{1, 10}});
    ship(db(), order, {{1, 4}});
    const qint64 id = ship(db(), order, {{1, 6}});
    ASSERT_EQ(shipping::orderStatus(db(), order), s("Closed"));

    shipping::SavedShipment saved;
    ASSERT_TRUE(shipping::loadShipment(db(), id, saved));
    EXPECT_EQ(saved.shipment.orderId, order);
    ASSERT_EQ(saved.shipment.lines.size(), 1u);
    EXPECT_EQ(saved.shipment.lines[0].qty, 6);
    EXPECT_EQ(saved.shipment.date, QDate(2026, 3, 20));
    EXPECT_EQ(shipping::saveShipment(db(), saved.shipment), id);
    EXPECT_EQ(shipped(order, 1), 10);
    EXPECT_EQ(count(s("Shipments")), 2);

    // Taking quantity off an old shipment reopens the order.
    saved.shipment.lines[0].qty = 5;
    shipping::saveShipment(db(), saved.shipment);
    EXPECT_EQ(shipping::orderStatus(db(), order), s("Open"));
    EXPECT_FALSE(shipping::loadShipment(db(), 9999, saved));
}

TEST_P(Shipments, ItemNumbersWithGapsAndVoidOrders)
{
    const qint64 order = addPlainOrder(db(), 2003, sofa.style, {{1, 2}, {4, 3}});
    db().execute(s("UPDATE Orders SET Status = 'Void' WHERE ID = 2003"));
    ship(db(), order, {{4, 3}});
    EXPECT_EQ(shipped(order, 4), 3);
    EXPECT_EQ(shipped(order, 1), 0);
    EXPECT_EQ(shipping::orderStatus(db(), order), s("Open")) << "a shipment overwrites Void";
    ship(db(), order, {{1, 2}});
    EXPECT_EQ(shipping::orderStatus(db(), order), s("Closed"));
}

TEST_P(Shipments, AFailedSaveLeavesNothingBehind)
{
    const qint64 order = addPlainOrder(db(), 2004, sofa.style, {{1, 10}});
    const auto run = [this](const QString &statement) {
        QSqlQuery q(db().connection());
        ASSERT_TRUE(q.exec(statement)) << q.lastError().text().toStdString();
    };
    // The status update fails after the header and lines are written.
    if (isPostgres()) {
        run(s("CREATE FUNCTION refuse_status() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
              "'status refused'; END $$ LANGUAGE plpgsql"));
        run(s("CREATE TRIGGER refuse BEFORE UPDATE ON orders FOR EACH ROW EXECUTE FUNCTION "
              "refuse_status()"));
    } else {
        run(s("CREATE TRIGGER refuse BEFORE UPDATE ON Orders BEGIN SELECT RAISE(ABORT, "
              "'status refused'); END"));
    }
    EXPECT_ANY_THROW(ship(db(), order, {{1, 10}}));
    EXPECT_EQ(count(s("Shipments")), 0);
    EXPECT_EQ(count(s("ShipmentItems")), 0);
    EXPECT_EQ(shipping::orderStatus(db(), order), s("Open"));
}

// The check runs inside every save: a refused shipment writes nothing.
TEST_P(Shipments, SaveRefusesWhatCannotBeShippedAndWritesNothing)
{
    const qint64 order = addPlainOrder(db(), 2005, sofa.style, {{1, 10}, {3, 5}});
    const qint64 id = ship(db(), order, {{1, 3}});
    const struct {
        shipping::Shipment shipment;
        const char *message; // empty: accepted
    } cases[] = {
        {{0, order, {}, {{1, 7}}}, ""},
        {{0, order, {}, {{1, 8}}}, "Item 1: 8 is more than the 7 still open."},
        {{0, order, {}, {{1, 7.0001}}}, "Item 1: 7.0001 is more than the 7 still open."},
        {{0, order, {}, {{2, 1}}}, "Order 2005 has no item 2."},
        {{0, 7777, {}, {{1, 1}}}, "There is no order 7777."},
        {{0, order, {}, {{1, 0}, {3, 0}}}, "No Items to save."},
        {{0, order, {}, {{3, -1}}}, "Item 3: a shipped quantity cannot be negative."},
        {{0, order, {}, {{3, 1}, {3, 1}}}, "Item 3 is named twice."},
        // Editing the shipment of 3 gives its own quantity back.
        {{id, order, {}, {{1, 10}}}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        try {
            shipping::checkShipment(db(), c.shipment);
            EXPECT_STREQ(c.message, "");
        } catch (const shipping::ShipmentError &e) {
            EXPECT_EQ(e.text().toStdString(), c.message);
        }
        if (*c.message == 0)
            continue;
        try {
            shipping::saveShipment(db(), c.shipment);
            ADD_FAILURE() << "saved";
        } catch (const shipping::ShipmentError &e) {
            EXPECT_EQ(e.text().toStdString(), c.message);
        }
        EXPECT_EQ(count(s("Shipments")), 1);
        EXPECT_EQ(shipped(order, 1), 3);
        EXPECT_EQ(shipped(order, 3), 0);
    }
    try {
        shipping::saveShipment(db(), {9999, order, {}, {{1, 1}}});
        ADD_FAILURE() << "saved";
    } catch (const shipping::ShipmentError &e) {
        EXPECT_EQ(e.text(), s("Shipment 9999 no longer exists."));
    }
    EXPECT_EQ(count(s("Shipments")), 1);
}

TEST_P(Shipments, AResavedShipmentStaysOnItsOrder)
{
    const qint64 first = addPlainOrder(db(), 3001, sofa.style, {{1, 10}});
    const qint64 second = addPlainOrder(db(), 3002, sofa.style, {{1, 40}});
    const qint64 id = ship(db(), first, {{1, 3}});
    try {
        ship(db(), second, {{1, 40}}, id);
        ADD_FAILURE() << "saved against another order";
    } catch (const shipping::ShipmentError &e) {
        EXPECT_EQ(e.text(),
                  s("Shipment %1 belongs to order PO-3001 (ID 3001); it cannot take the lines of order "
                    "PO-3002 (ID 3002).")
                      .arg(id));
    }
    EXPECT_EQ(shipped(first, 1), 3);
    EXPECT_EQ(shipped(second, 1), 0);
    EXPECT_EQ(shipping::orderStatus(db(), first), s("Open"));
    EXPECT_EQ(shipping::orderStatus(db(), second), s("Open"));
    // Without an order the shipment keeps its own.
    EXPECT_EQ(ship(db(), 0, {{1, 10}}, id), id);
    EXPECT_EQ(shipped(first, 1), 10);
    EXPECT_EQ(shipping::orderStatus(db(), first), s("Closed"));
    EXPECT_EQ(shipped(second, 1), 0);
    EXPECT_EQ(db().query(s("SELECT OrderID FROM ShipmentItems")).integer(s("OrderID")), first);
}

// Quantities count to four decimals: ten shipments of 0.1 ship the 1
// ordered in full.
TEST_P(Shipments, FractionalShipmentsCloseTheOrder)
{
    const qint64 order = addPlainOrder(db(), 2006, sofa.style, {{1, 1}, {2, 0.3}});
    for (int i = 0; i < 10; ++i)
        ship(db(), order, {{1, 0.1}});
    ship(db(), order, {{2, 0.1}});
    ship(db(), order, {{2, 0.2}});
    EXPECT_EQ(shipping::orderStatus(db(), order), s("Closed"));
    const std::vector<shipping::OrderLine> lines = shipping::orderLines(db(), order);
    EXPECT_EQ(lines[0].shipped, 1);
    EXPECT_EQ(lines[0].open(), 0);
    EXPECT_EQ(lines[1].open(), 0);
    EXPECT_THROW(ship(db(), order, {{1, 0.0001}}), shipping::ShipmentError);
    // A quantity finer than the four decimals is stored at them.
    const qint64 other = addPlainOrder(db(), 2007, sofa.style, {{1, 1}});
    ship(db(), other, {{1, 0.33333}});
    EXPECT_EQ(shipped(other, 1), 0.3333);
}

// Two workstations ship the same order at the same moment: the second waits
// for the first to commit, then finds nothing open and writes nothing.
TEST_P(Shipments, TwoSavesOfOneOrderNeverBothPass)
{
    const qint64 order = addPlainOrder(db(), 2008, sofa.style, {{1, 10}});
    data::Transaction first(db());
    ship(db(), order, {{1, 10}});
    QString refusal;
    std::thread second([&] {
        std::unique_ptr<data::Database> other = temp().openAnother();
        try {
            ship(*other, order, {{1, 10}});
        } catch (const shipping::ShipmentError &e) {
            refusal = e.text();
        }
    });
    QThread::msleep(300);
    first.commit();
    second.join();
    EXPECT_EQ(refusal, s("Item 1: 10 is more than the 0 still open."));
    EXPECT_EQ(shipped(order, 1), 10);
    EXPECT_EQ(count(s("Shipments")), 1);
}

} // namespace

BUNLINE_ON_EVERY_BACKEND(Shipments);
