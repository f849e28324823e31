// Shipments and the order status they set, on every backend.
#include "shippingfixture.h"
#include "support/testdatabase.h"

#include "data/recordset.h"

#include <QSqlError>
#include <QSqlQuery>

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

TEST_P(Shipments, CheckRefusesWhatCannotBeShipped)
{
    const qint64 order = addPlainOrder(db(), 2005, sofa.style, {{1, 10}, {3, 5}});
    const qint64 id = ship(db(), order, {{1, 3}});
    const struct {
        shipping::Shipment shipment;
        const char *message; // empty: accepted
    } cases[] = {
        {{0, order, {}, {{1, 7}}}, ""},
        {{0, order, {}, {{1, 12}}}, "Item 1: 12 is more than the 7 still open."},
        {{0, order, {}, {{2, 1}}}, "Order 2005 has no item 2."},
        {{0, 7777, {}, {{1, 1}}}, "There is no order 7777."},
        {{0, order, {}, {{1, 0}, {3, 0}}}, "No Items to save."},
        {{0, order, {}, {{3, -1}}}, "Item 3: a shipped quantity cannot be negative."},
        // Editing the shipment of 3 gives its own quantity back.
        {{id, order, {}, {{1, 10}}}, ""},
    };
    for (const auto &c : cases) {
        try {
            shipping::checkShipment(db(), c.shipment);
            EXPECT_STREQ(c.message, "");
        } catch (const shipping::ShipmentError &e) {
            EXPECT_EQ(e.text().toStdString(), c.message);
        }
    }
}

} // namespace

BUNLINE_ON_EVERY_BACKEND(Shipments);
