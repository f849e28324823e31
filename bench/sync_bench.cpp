// The catalogue download on a large central catalogue: 20,000 styles, 200,000
// component lines and 400,000 operations (with 2,000 components, 40 buns, 12
// stations), timed beside the backend's plain INSERT INTO ... SELECT of the
// same tables in one transaction, the fastest this copy can be. Then the order
// exchange: 300 queued orders of 3 lines (half of them shipped here), each
// sent in its own two commits, and 5,000 recent server orders downloaded.
//
//   sync_bench                SQLite: two files in a temporary folder, one attached
//   sync_bench --postgres     PostgreSQL: two databases on the server of BUNLINE_TEST_PG,
//                             one linked to the other through postgres_fdw
#include "core/clock.h"
#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "sync/batch.h"
#include "sync/linkserver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using data::Database;
using data::Dialect;

struct Generated {
    const char *table;
    const char *columns;
    const char *values; // an expression of i, the row number
    int rows;
};
const Generated kCatalogue[] = {
    {"StyleType", "ID, Description, Status", "'T' || i, 'Type ' || i, 'Active'", 4},
    {"Plants", "Name", "'Plant ' || i", 2},
    {"Operation", "Station, ReportType, Teams, Status", "'Station ' || i, 'Band Saw', 2, 'Active'", 12},
    {"Bun", "ID, Width, Length, Grade, Vendor, Status, OffAll",
     "'B' || i, 80, 120, 'G', 'Vendor ' || (i % 20), 'Active', 0", 40},
    {"Vendor", "Vendor, City, Status", "'Vendor ' || i, 'Tupelo', 'Active'", 20},
    {"Data", "ID, LaborCostPerHour", "'Data' || i, 12.5", 1},
    {"Component", "ID, Description, Thickness, Width, Length, BunID, RailsPerBun, PiecesPerRail, Status, Plant",
     "'C' || i, 'Component ' || i, 2, 20, 30, 'B' || (i % 40 + 1), 4, 6, 'Active', 'Plant 1'", 2000},
    {"Style", "ID, Customer, Name, Type, Cost, Price, Status",
     "i, 'Customer ' || (i % 500), 'S' || i, 'T' || (i % 4 + 1), 10.25, 20.5, 'Active'", 20000},
    {"StyleComponent", "ID, StyleID, ComponentID, Qty, BuggySheet", "i, (i - 1) / 10 + 1, 'C' || (i % 2000 + 1), 2, 0",
     200000},
    {"StyleOperation", "ID, OperationID, Instructions, Thickness, Width, Length, StyleID, ComponentID",
     "i, 'Station ' || (i % 12 + 1), 'Cut', 2, 20, 30, ((i - 1) / 2) / 10 + 1, (i - 1) / 2 + 1", 400000},
};

QString numbered(Dialect dialect, int rows, const QString &values)
{
    const QString select = dialect == Dialect::SQLite
        ? QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) SELECT %2 FROM n")
        : QStringLiteral("SELECT %2 FROM generate_series(1, %1) AS n(i)");
    return select.arg(rows).arg(values);
}

void generate(Database &central)
{
    data::Transaction tx(central);
    for (const Generated &g : kCatalogue)
        central.executeNative(QStringLiteral("INSERT INTO %1 (%2) %3")
                                  .arg(QLatin1String(g.table), QLatin1String(g.columns),
                                       numbered(central.dialect(), g.rows, QLatin1String(g.values))));
    tx.commit();
}

// The limit: every table emptied and copied by one INSERT ... SELECT, one transaction.
void plainCopy(Database &local)
{
    data::Transaction tx(local);
    for (const char *t : {"Bun", "Component", "Operation", "Plants", "Style", "StyleComponent", "StyleOperation",
                          "StyleType", "Data", "Vendor"}) {
        const QString table = QLatin1String(t);
        local.execute(QStringLiteral("DELETE FROM ") + table);
        local.execute(QStringLiteral("INSERT INTO %1 SELECT * FROM [QuorlanServer].QuorlanData.dbo.%1").arg(table));
    }
    tx.commit();
}

double seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

void measure(const char *backend, Database &local)
{
    double download = 1e9, plain = 1e9;
    for (int round = 0; round < 3; ++round) {
        download = std::min(download, seconds([&] { serversync::DownloadCatalogue(local, false); }));
        plain = std::min(plain, seconds([&] { plainCopy(local); }));
    }
    std::printf("%-10s  DownloadCatalogue %.2f s   plain INSERT INTO ... SELECT %.2f s   ratio %.2f\n", backend,
                download, plain, download / plain);
}

// Orders queued here under IDs the server has given to other orders, half of
// them shipped, and recent orders of other workstations on the server.
void queueOrders(Database &central, Database &local)
{
    const QString today = data::sqlDate(core::currentDate());
    const Dialect d = local.dialect();
    data::Transaction server(central);
    central.executeNative(
        QStringLiteral("INSERT INTO Orders (OrderNumber, Customer, Status, DateAdded, Total) %1")
            .arg(numbered(d, 5000, QStringLiteral("'S' || i, 'Customer 1', 'Open', %1, 10").arg(today))));
    server.commit();
    data::Transaction tx(local);
    local.executeNative(
        QStringLiteral("INSERT INTO Orders (ID, OrderNumber, Customer, Status, DateAdded, Total) %1")
            .arg(numbered(d, 300, QStringLiteral("i, 'PO' || i, 'Customer 2', 'Open', %1, 30").arg(today))));
    local.executeNative(
        QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, "
                       "PriceExt) %1")
            .arg(numbered(d, 900, QStringLiteral("(i - 1) / 3 + 1, (i - 1) % 3 + 1, 'L', 2, 1, 5, 10"))));
    local.executeNative(
        QStringLiteral("INSERT INTO OrdersToBatch (OrderID) %1").arg(numbered(d, 300, QStringLiteral("i"))));
    local.executeNative(QStringLiteral("INSERT INTO Shipments (ID, OrderID, Date) %1")
                            .arg(numbered(d, 150, QStringLiteral("i, i * 2, %1").arg(today))));
    local.executeNative(
        QStringLiteral("INSERT INTO ShipmentItems (ShipmentID, OrderID, OrderLineItem, Qty) %1")
            .arg(numbered(d, 450, QStringLiteral("(i - 1) / 3 + 1, ((i - 1) / 3 + 1) * 2, (i - 1) % 3 + 1, 2"))));
    tx.commit();
}

void measureExchange(const char *backend, Database &central, Database &local)
{
    queueOrders(central, local);
    const double exchange = seconds([&] { serversync::ExchangeOrders(local, false); });
    std::printf("%-10s  ExchangeOrders 300 queued, 5,000 downloaded %.2f s (%.1f ms per queued order at most)\n",
                backend, exchange, exchange * 1000 / 300);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    data::OpenOptions create;
    create.create = true;
    if (!app.arguments().contains(QStringLiteral("--postgres"))) {
        QTemporaryDir dir;
        const QString centralFile = dir.filePath(QStringLiteral("central.db"));
        {
            auto central = Database::open(QStringLiteral("Driver=SQLite;Database=") + centralFile, create);
            data::createSchema(*central);
            generate(*central);
        }
        const QString localFile = dir.filePath(QStringLiteral("local.db"));
        data::createSchema(*Database::open(QStringLiteral("Driver=SQLite;Database=") + localFile, create));
        auto local =
            Database::open(QStringLiteral("Driver=SQLite;Database=%1;LinkedServer=%2").arg(localFile, centralFile));
        measure("SQLite", *local);
        auto central = Database::open(QStringLiteral("Driver=SQLite;Database=") + centralFile);
        measureExchange("SQLite", *central, *local);
        return 0;
    }
    const QString pg = qEnvironmentVariable("BUNLINE_TEST_PG");
    if (pg.isEmpty()) {
        std::fprintf(stderr, "sync_bench: --postgres needs BUNLINE_TEST_PG (source scripts/test-postgres.sh)\n");
        return 2;
    }
    const data::ConnectionSettings s = data::ConnectionSettings::parse(pg);
    const QString server = QStringLiteral("Driver=PostgreSQL;Host=%1;Port=%2;User=%3;Password=%4;Database=")
                               .arg(s.host)
                               .arg(s.port)
                               .arg(s.user, s.password);
    {
        auto admin = Database::open(server + s.database);
        admin->executeNative(QStringLiteral("DROP DATABASE IF EXISTS bunline_bench_central"));
        admin->executeNative(QStringLiteral("CREATE DATABASE bunline_bench_central"));
        admin->executeNative(QStringLiteral("DROP SCHEMA IF EXISTS bench_local CASCADE"));
    }
    auto central = Database::open(server + QStringLiteral("bunline_bench_central"));
    data::createSchema(*central);
    generate(*central);
    {
        auto local = Database::open(pg + QStringLiteral(";Schema=bench_local"), create);
        data::createSchema(*local);
    }
    auto local = Database::open(pg + QStringLiteral(";Schema=bench_local;LinkedSchema=bench_link"));
    serversync::linkServer(*local, {s.host, s.port, QStringLiteral("bunline_bench_central"), s.user, s.password});
    measure("PostgreSQL", *local);
    measureExchange("PostgreSQL", *central, *local);
    return 0;
}
