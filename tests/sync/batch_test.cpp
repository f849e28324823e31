#include "data/schema.h"
#include "sync/serversyncfixture.h"

using namespace serversync;
using data::Database;
using testsupport::ServerSync;

namespace {

const QStringList kCentralCatalogue = {
    QStringLiteral("INSERT INTO Bun (ID, Width, Length, Vendor, Status) VALUES ('B1', 80, 120, 'Foamco', 'Active')"),
    QStringLiteral("INSERT INTO Component (ID, Description, BunID) VALUES ('C1', 'Seat', 'B1'), ('C2', 'Back', 'B1')"),
    QStringLiteral("INSERT INTO Operation (Station, ReportType, Teams) VALUES ('Band Saw 1', 'Saw', 2)"),
    QStringLiteral(
        "INSERT INTO Style (ID, Customer, Name, Type, Price) VALUES (100, 'Amberline', '1200', 'SOFA', 131), "
        "(140, 'Amberline', '1200', 'LOVE', 98)"),
    QStringLiteral(
        "INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty) VALUES (500, 100, 'C1', 2), (501, 140, 'C2', 1)"),
    QStringLiteral(
        "INSERT INTO StyleOperation (ID, OperationID, StyleID, ComponentID) VALUES (900, 'Band Saw 1', 100, 500), "
        "(901, 'Band Saw 1', 140, 501)"),
    QStringLiteral("INSERT INTO StyleType (ID, Description) VALUES ('SOFA', 'Sofa'), ('LOVE', 'Loveseat')"),
    QStringLiteral("INSERT INTO Data (ID, LaborCostPerHour) VALUES ('Data', 99), ('Spare', 7)"),
    QStringLiteral("INSERT INTO Vendor (Vendor) VALUES ('Foamco'), ('Fiberworks')"),
};

TEST_P(ServerSync, CatalogueDownloadMakesTheLocalCatalogueTheServersAndKeepsLocalCostingVariables)
{
    run(central(), kCentralCatalogue);
    run(local(),
        {QStringLiteral("INSERT INTO Data (ID, LaborCostPerHour) VALUES ('Data', 12)"),
         QStringLiteral("INSERT INTO Vendor (Vendor) VALUES ('Foamco'), ('Local Only'), ('Gone From Server')"),
         QStringLiteral("INSERT INTO Plants (Name) VALUES ('Tupelo')"), // the server has no plants
         QStringLiteral("INSERT INTO Style (ID, Customer, Name, Type) VALUES (3, 'Amberline', 'Old', 'SOFA')")});

    int asked = 0;
    BatchHooks hooks;
    hooks.confirm = [&](const QString &, const QString &) { return ++asked, true; };
    hooks.inform = [&](const QString &, const QString &) { ++asked; };
    QStringList steps;
    hooks.progress = [&](const QString &step, qint64) { steps << step; };
    for (int pass = 0; pass < 2; ++pass) {
        const BatchResult r = DownloadCatalogue(local(), false, hooks);
        EXPECT_TRUE(r.ran);
        ASSERT_EQ(r.tables.size(), 10u);
        EXPECT_EQ(r.tables[5].table, QStringLiteral("StyleComponent"));
        EXPECT_EQ(r.tables[5].rows, 2);
        EXPECT_EQ(r.tables[8].rows, pass == 0 ? 1 : 0) << "Data: only the row missing here";
        EXPECT_EQ(column(local(), QStringLiteral("SELECT ID FROM Style ORDER BY ID")), QStringList({"100", "140"}));
        // Style operations still point at their component lines, and these at their styles.
        EXPECT_EQ(
            column(local(),
                   QStringLiteral("SELECT StyleComponent.StyleID FROM StyleOperation INNER JOIN StyleComponent "
                                  "ON StyleOperation.ComponentID = StyleComponent.ID ORDER BY StyleOperation.ID")),
            QStringList({"100", "140"}));
        EXPECT_EQ(column(local(), QStringLiteral("SELECT Vendor FROM Vendor ORDER BY Vendor")),
                  QStringList({"Fiberworks", "Foamco"}));
        EXPECT_EQ(column(local(), QStringLiteral("SELECT LaborCostPerHour FROM Data ORDER BY ID")),
                  QStringList({"12", "7"}));
        EXPECT_TRUE(column(local(), QStringLiteral("SELECT Name FROM Plants")).isEmpty());
    }
    EXPECT_EQ(asked, 0) << "a silent run asks and tells nothing";
    EXPECT_TRUE(steps.contains(QStringLiteral("StyleOperation")));
    // A style added here afterwards gets a key past the server's.
    const data::Recordset added =
        data::addRow(local(), QStringLiteral("Style"), {{QStringLiteral("Name"), QStringLiteral("New")}});
    EXPECT_GT(added.integer(QStringLiteral("ID")), 140);
}

TEST_P(ServerSync, ATableThatFailsHalfWayIsLeftAsItWasAndTheRunStopsThere)
{
    run(central(), kCentralCatalogue);
    // The server lost its unique key on components and holds one twice.
    central().executeNative(QStringLiteral("DROP INDEX ix_component_1"));
    central().execute(QStringLiteral("INSERT INTO Component (ID, Description) VALUES ('C2', 'Back again')"));
    run(local(),
        {QStringLiteral("INSERT INTO Component (ID, Description) VALUES ('Mine', 'Local')"),
         QStringLiteral("INSERT INTO Style (ID, Customer, Name, Type) VALUES (3, 'Amberline', 'Old', 'SOFA')")});
    try {
        DownloadCatalogue(local(), false);
        FAIL() << "the download should fail";
    } catch (const data::DbError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("table Component"))) << e.message().toStdString();
    }
    EXPECT_EQ(column(local(), QStringLiteral("SELECT ID FROM Bun")), QStringList({"B1"})) << "done before the failure";
    EXPECT_EQ(column(local(), QStringLiteral("SELECT ID FROM Component")), QStringList({"Mine"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT ID FROM Style")), QStringList({"3"})) << "never reached";
}

TEST_P(ServerSync, ExchangeUploadsEachQueuedOrderOnceAndReplacesCustomersAndRecentOrders)
{
    run(central(),
        {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline'), ('Cedar Ridge')"),
         QStringLiteral("INSERT INTO Orders (OrderNumber, Customer, DateAdded, Total) VALUES "
                        "('S-OLD', 'Amberline', '2016-06-01', 1), ('S-NEW', 'Cedar Ridge', '2016-08-01', 2)")});
    const qint64 serverNew = central()
                                 .query(QStringLiteral("SELECT ID FROM Orders WHERE OrderNumber = 'S-NEW'"))
                                 .integer(QStringLiteral("ID"));
    central().execute(
        QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID) VALUES (%1, 1, 'A', 4, 100)")
            .arg(serverNew));
    run(local(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline'), ('Local Only')")});

    // The queue empty: the download alone.
    ExchangeOrders(local(), false);
    EXPECT_EQ(column(local(), QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer")),
              QStringList({"Amberline", "Cedar Ridge"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderNumber FROM Orders")), QStringList({"S-NEW"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT Line FROM OrderItems")), QStringList({"A"}));

    // Two orders with the same number and customer, and one added long ago.
    saveLocalOrder(QStringLiteral("PO-7"), QDate(2016, 8, 29), {1, 2});
    saveLocalOrder(QStringLiteral("PO-7"), QDate(2016, 8, 29), {1, 2, 3});
    saveLocalOrder(QStringLiteral("PO-1"), QDate(2016, 5, 1), {1});
    for (int pass = 0; pass < 2; ++pass) {
        const BatchResult r = ExchangeOrders(local(), false);
        EXPECT_EQ(r.ordersUploaded, pass == 0 ? 3 : 0);
        EXPECT_TRUE(local().query(QStringLiteral("SELECT * FROM OrdersToBatch")).isEmpty());
        EXPECT_EQ(
            column(central(), QStringLiteral("SELECT COUNT(*) FROM OrderItems GROUP BY OrderID ORDER BY OrderID")),
            QStringList({"1", "2", "3", "1"}));
        EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderNumber FROM Orders ORDER BY ID")),
                  QStringList({"S-NEW", "PO-7", "PO-7"}))
            << "the old order stays on the server only";
        EXPECT_EQ(column(local(), QStringLiteral("SELECT COUNT(*) FROM OrderItems GROUP BY OrderID ORDER BY OrderID")),
                  QStringList({"1", "2", "3"}));
    }
    EXPECT_EQ(column(central(), QStringLiteral("SELECT OrderNumber FROM Orders WHERE OrderNumber = 'PO-1'")).size(), 1);
}

TEST_P(ServerSync, AnUploadThatFailsKeepsExactlyTheOrdersNotYetUploadedQueued)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    const qint64 first = saveLocalOrder(QStringLiteral("PO-1"), QDate(2016, 8, 29), {1});
    const qint64 second = saveLocalOrder(QStringLiteral("PO-2"), QDate(2016, 8, 29), {1, 2});
    const qint64 third = saveLocalOrder(QStringLiteral("PO-3"), QDate(2016, 8, 29), {1});
    // The second order's lines are refused by the server half way.
    local().executeNative(QStringLiteral("DROP INDEX ix_orderitems_1"));
    local().execute(QStringLiteral("UPDATE OrderItems SET ItemNumber = 1 WHERE OrderID = %1").arg(second));
    EXPECT_THROW(ExchangeOrders(local(), false), data::DbError);
    EXPECT_EQ(column(central(), QStringLiteral("SELECT OrderNumber FROM Orders")), QStringList({"PO-1"}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT OrderID FROM OrdersToBatch ORDER BY OrderID")),
              QStringList({QString::number(second), QString::number(third)}));
    EXPECT_EQ(column(local(), QStringLiteral("SELECT ID FROM Orders ORDER BY ID")),
              QStringList({QString::number(first), QString::number(second), QString::number(third)}));
    EXPECT_TRUE(column(local(), QStringLiteral("SELECT Customer FROM Customer")).isEmpty()) << "no download ran";

    local().execute(QStringLiteral("DELETE FROM OrderItems WHERE OrderID = %1 AND Line = 'L2'").arg(second));
    ExchangeOrders(local(), false);
    EXPECT_EQ(column(central(), QStringLiteral("SELECT OrderNumber FROM Orders ORDER BY ID")),
              QStringList({"PO-1", "PO-2", "PO-3"}));
}

BUNLINE_ON_EVERY_BACKEND(ServerSync);

} // namespace
