// The style screen on a large catalogue: 500 customers, 20,000 styles and
// 200,000 component lines (2,000 components, ten lines a style, two operations
// on each line of one customer's styles). Measures opening the screen (every
// list filled and the tree built) and opening one customer, one style and one
// component line in the tree, with the SELECT statements each of them runs.
//
//   catalogue_bench [--benchmark_...]      (SQLite, generated in a temporary folder)
#include "catalogue/styleentry.h"
#include "catalogue/styleform.h"
#include "catalogue/outlinetree.h"
#include "data/database.h"
#include "data/selectcounter.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "core/configuration.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

constexpr int kCustomers = 500;
constexpr int kStylesPerCustomer = 40;
constexpr int kLinesPerStyle = 10;
constexpr int kComponents = 2000;

QString customerName(int c)
{
    return QStringLiteral("Customer %1").arg(c, 3, 10, QLatin1Char('0'));
}

// Rows go in as multi-row INSERTs of a few hundred rows each.
class BulkInsert {
public:
    BulkInsert(data::Database &db, QString head) : m_db(db), m_head(std::move(head)) {}
    ~BulkInsert() { flush(); }
    void add(const QStringList &values)
    {
        m_rows << QLatin1Char('(') + values.join(QLatin1Char(',')) + QLatin1Char(')');
        if (m_rows.size() >= 400)
            flush();
    }
    void flush()
    {
        if (m_rows.isEmpty())
            return;
        m_db.execute(m_head + QStringLiteral(" VALUES ") + m_rows.join(QLatin1Char(',')));
        m_rows.clear();
    }

private:
    data::Database &m_db;
    QString m_head;
    QStringList m_rows;
};

void generateCatalogue(data::Database &db)
{
    data::Transaction transaction(db);
    using data::sqlNumber;
    using data::sqlText;
    for (const char *type : {"SOFA", "CHAIR", "LOVE", "OTTO"})
        db.execute(QStringLiteral("INSERT INTO StyleType (ID, Description, Status) VALUES (%1, %1, 'Active')")
                       .arg(sqlText(QLatin1String(type))));
    for (const char *plant : {"Main", "North"})
        db.execute(QStringLiteral("INSERT INTO Plants (Name) VALUES (%1)").arg(sqlText(QLatin1String(plant))));
    for (int s = 1; s <= 12; ++s)
        db.execute(
            QStringLiteral(
                "INSERT INTO Operation (Station, ReportType, Teams, Status) VALUES (%1, 'Band Saw', 2, 'Active')")
                .arg(sqlText(QStringLiteral("Station %1").arg(s))));
    for (int b = 1; b <= 40; ++b)
        db.execute(
            QStringLiteral("INSERT INTO Bun (ID, Width, Length, Status, OffAll) VALUES (%1, 80, 120, 'Active', 0)")
                .arg(sqlText(QStringLiteral("B%1").arg(b))));
    {
        BulkInsert components(
            db,
            QStringLiteral("INSERT INTO Component (ID, Description, Thickness, Width, Length, "
                           "CutStyle, BunID, RailsPerBun, PiecesPerRail, Status, Plant, QtyPerBuggy)"));
        for (int c = 1; c <= kComponents; ++c)
            components.add({sqlText(c % 3 == 0 ? QStringLiteral("C%1").arg(c) : QString::number(c)),
                            sqlText(QStringLiteral("Part %1").arg(c)), QStringLiteral("4"), QStringLiteral("20"),
                            QStringLiteral("30"), sqlText(QStringLiteral("Straight Cut")),
                            sqlText(QStringLiteral("B%1").arg(c % 40 + 1)), QStringLiteral("4"), QStringLiteral("6"),
                            sqlText(QStringLiteral("Active")), sqlText(QStringLiteral("Main")), sqlNumber(c % 4 * 6)});
    }
    {
        BulkInsert customers(db, QStringLiteral("INSERT INTO Customer (Customer, Status)"));
        for (int c = 0; c < kCustomers; ++c)
            customers.add({sqlText(customerName(c)), sqlText(QStringLiteral("Active"))});
    }
    {
        BulkInsert styles(db, QStringLiteral("INSERT INTO Style (ID, Customer, Name, Type, Cost, Price, Status)"));
        int id = 0;
        for (int c = 0; c < kCustomers; ++c)
            for (int s = 0; s < kStylesPerCustomer; ++s)
                styles.add({sqlNumber(++id), sqlText(customerName(c)),
                            sqlText(s % 5 == 0 ? QStringLiteral("X%1").arg(s) : QString::number(100 + s * 7)),
                            sqlText(QLatin1String(s % 2 ? "SOFA" : "CHAIR")), QStringLiteral("5"),
                            QStringLiteral("9.5"), sqlText(QStringLiteral("Active"))});
    }
    {
        BulkInsert lines(db, QStringLiteral("INSERT INTO StyleComponent (ID, StyleID, ComponentID, Qty)"));
        BulkInsert operations(db,
                              QStringLiteral("INSERT INTO StyleOperation (OperationID, Instructions, Thickness, "
                                             "Width, Length, StyleID, ComponentID, SplitQty, Operation2ID)"));
        int id = 0;
        for (int style = 1; style <= kCustomers * kStylesPerCustomer; ++style)
            for (int l = 0; l < kLinesPerStyle; ++l) {
                const int component = (style * 7 + l * 131) % kComponents + 1;
                lines.add(
                    {sqlNumber(++id), sqlNumber(style),
                     sqlText(component % 3 == 0 ? QStringLiteral("C%1").arg(component) : QString::number(component)),
                     sqlNumber(l % 3 + 1)});
                if (style <= kStylesPerCustomer) // the first customer's lines have operations
                    for (int op = 0; op < 2; ++op)
                        operations.add({sqlText(QStringLiteral("Station %1").arg(op + 1)),
                                        sqlText(QStringLiteral("cut it")), QStringLiteral("1"), QStringLiteral("2"),
                                        QStringLiteral("3"), sqlNumber(style), sqlNumber(id), QStringLiteral("0.25"),
                                        sqlText(QStringLiteral("Station 3"))});
            }
    }
    transaction.commit();
}

void BM_OpenStyleScreen(benchmark::State &state)
{
    int selects = 0;
    for (auto _ : state) {
        data::SelectCounter counter(data::sharedDatabase());
        catalogue::StyleForm form;
        form.load();
        selects = counter.count();
        benchmark::DoNotOptimize(form.styleEntry->fgTree->topLevelItem(0)->childCount());
    }
    state.counters["selects"] = selects;
}
BENCHMARK(BM_OpenStyleScreen)->Unit(benchmark::kMillisecond)->Iterations(5);

// The tree as it stands after opening; the customer expanded in the timed part.
void BM_ExpandOneCustomer(benchmark::State &state)
{
    catalogue::StyleForm form;
    form.load();
    int selects = 0, rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.FillTreeGrid();
        QTreeWidgetItem *customer = form.styleEntry->fgTree->topLevelItem(0)->child(kCustomers / 2);
        state.ResumeTiming();
        data::SelectCounter counter(data::sharedDatabase());
        customer->setExpanded(true);
        selects = counter.count();
        rows = customer->childCount();
    }
    state.counters["selects"] = selects;
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ExpandOneCustomer)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_ExpandStyleAndLine(benchmark::State &state)
{
    catalogue::StyleForm form;
    form.load();
    int selects = 0;
    for (auto _ : state) {
        state.PauseTiming();
        form.FillTreeGrid();
        QTreeWidgetItem *customer = form.styleEntry->fgTree->topLevelItem(0)->child(0);
        customer->setExpanded(true);
        QTreeWidgetItem *style = customer->child(0);
        state.ResumeTiming();
        data::SelectCounter counter(data::sharedDatabase());
        style->setExpanded(true);
        style->child(0)->setExpanded(true);
        selects = counter.count();
    }
    state.counters["selects"] = selects;
}
BENCHMARK(BM_ExpandStyleAndLine)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    core::setCurrentConfiguration({});
    QTemporaryDir dir;
    data::OpenOptions options;
    options.create = true;
    auto db = data::Database::open(
        QStringLiteral("Driver=SQLite;Database=") + dir.filePath(QStringLiteral("catalogue.db")), options);
    data::createSchema(*db);
    QElapsedTimer timer;
    timer.start();
    generateCatalogue(*db);
    std::printf("catalogue generated in %.1f s: %d customers, %d styles, %d component lines\n",
                double(timer.elapsed()) / 1000.0, kCustomers, kCustomers * kStylesPerCustomer,
                kCustomers * kStylesPerCustomer * kLinesPerStyle);
    data::setSharedDatabase(std::move(db));

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
