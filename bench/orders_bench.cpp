// The order navigator on 100,000 orders and opening a 500-line order in order
// entry, on the embedded SQLite database.
#include "data/database.h"
#include "data/schema.h"
#include "orders/orderentryform.h"
#include "orders/ordernavigatorform.h"
#include "shell/grid.h"
#include "shell/listgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir *g_dir = nullptr;

void buildPlant()
{
    data::OpenOptions create;
    create.create = true;
    auto db = data::Database::open(
        QStringLiteral("Driver=SQLite;Database=") + g_dir->filePath(QStringLiteral("orders.db")), create);
    data::createSchema(*db);
    data::Transaction tx(*db);
    for (int c = 0; c < 200; ++c)
        db->execute(
            QStringLiteral(
                "INSERT INTO Customer (Customer, Status, ShipTo, ShipToAddress1, ShipToCity, ShipToState, ShipToZip) "
                "VALUES ('Customer %1', 'Active', 'Customer %1', '1 Main St', 'Tupelo', 'MS', '38801')")
                .arg(c));
    db->execute(QStringLiteral(
        "INSERT INTO Style (Customer, Name, Type, Price, Status) VALUES ('Customer 0', '1200', 'SOFA', 131, 'Active')"));
    db->execute(
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
            "INSERT INTO Orders (OrderNumber, Customer, OrderDate, DueDate, ShipTo, ShipToAddress1, ShipToCity, ShipToState, ShipToZip, "
            "Status, DateAdded, Total) SELECT 'PO-' || i, 'Customer ' || (i % 200), '2016-08-01', '2016-08-20', 'Customer', '1 Main St', "
            "'Tupelo', 'MS', '38801', 'Open', '2016-08-01', i FROM n")
            .arg(qEnvironmentVariableIntValue("BUNLINE_BENCH_ORDERS") > 0
                     ? qEnvironmentVariableIntValue("BUNLINE_BENCH_ORDERS")
                     : 100000));
    db->execute(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 500) "
        "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) SELECT 1, i, 'L' || i, 2, 1, 131, 262 FROM n"));
    // The largest orders a plant enters: 5,000 lines.
    db->execute(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
        "INSERT INTO OrderItems (OrderID, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt) SELECT 2, i, 'L' || i, 2, 1, 131, 262 FROM n"));
    tx.commit();
    data::setSharedDatabase(
        data::Database::open(QStringLiteral("Driver=SQLite;Database=") + g_dir->filePath(QStringLiteral("orders.db"))));
}

void BM_NavigatorSearchAllOrders(benchmark::State &state)
{
    orders::OrderNavigatorForm form;
    for (auto _ : state) {
        form.UpdateGrids();
        benchmark::DoNotOptimize(form.vsfgOrders->rowCount());
    }
    state.counters["rows"] = form.vsfgOrders->rowCount();
}
BENCHMARK(BM_NavigatorSearchAllOrders)->Unit(benchmark::kMillisecond)->Iterations(3);

// What a user waits for: the search and the texts of the first screenful.
void BM_NavigatorFirstScreenful(benchmark::State &state)
{
    orders::OrderNavigatorForm form;
    for (auto _ : state) {
        form.UpdateGrids();
        for (int r = 0; r < 30; ++r)
            for (int c = 0; c < form.vsfgOrders->columnCount(); ++c)
                benchmark::DoNotOptimize(form.vsfgOrders->cell(r, c));
    }
}
BENCHMARK(BM_NavigatorFirstScreenful)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_NavigatorSearchOrderNumberFragment(benchmark::State &state)
{
    orders::OrderNavigatorForm form;
    form.txtOrderNumber->setText(QStringLiteral("777"));
    for (auto _ : state) {
        form.UpdateGrids();
        benchmark::DoNotOptimize(form.vsfgOrders->rowCount());
    }
    state.counters["rows"] = form.vsfgOrders->rowCount();
}
BENCHMARK(BM_NavigatorSearchOrderNumberFragment)->Unit(benchmark::kMillisecond);

// Order 1 has 500 lines, order 2 the largest a plant enters, 5,000 (kept under 100 ms).
void BM_OpenOrder(benchmark::State &state, qint64 orderId)
{
    orders::OrderEntryForm form;
    for (auto _ : state) {
        form.OpenOrder(orderId);
        benchmark::DoNotOptimize(form.vsfgItems->rowCount());
    }
    state.counters["lines"] = form.vsfgItems->rowCount();
}
BENCHMARK_CAPTURE(BM_OpenOrder, 500Lines, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenOrder, 5000Lines, 2)->Unit(benchmark::kMillisecond)->Repetitions(3);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    buildPlant();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    data::setSharedDatabase(nullptr);
    return 0;
}
