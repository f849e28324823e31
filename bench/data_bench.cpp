// Statement translation and snapshot opening. PostgreSQL figures run when
// BUNLINE_TEST_PG holds a connection string (source scripts/test-postgres.sh).
#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QString kStatement = QStringLiteral(
    "SELECT Orders.ID AS OrderID,Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,"
    "OrderItems.Line AS LineNumber,Style.Name+'-'+Style.Type AS StyleName,StyleComponent.ComponentID,"
    "OrderItems.Qty * StyleComponent.Qty AS Qty,ISNULL(Component.Description,'') AS Description "
    "FROM ((((Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) "
    "LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID) "
    "WHERE Orders.ID IN (SELECT TOP 10 ID FROM [QuorlanServer].QuorlanData.dbo.Orders ORDER BY ID DESC) "
    "ORDER BY case IsNumeric(Component.ID) when 1 then Replicate('0', 100 - Len(Component.ID)) + Component.ID else Component.ID end");

void BM_TranslateStatement(benchmark::State &state)
{
    const data::TranslationOptions options{data::Dialect::PostgreSQL, QStringLiteral("quorlanserver")};
    for (auto _ : state)
        benchmark::DoNotOptimize(data::translateStatement(kStatement, options));
    state.SetBytesProcessed(int64_t(state.iterations()) * kStatement.size());
}
BENCHMARK(BM_TranslateStatement);

// Hostile sizes: a run of "SELECT TOP 1 " (each TOP leaves its place) and
// parentheses nested as deep as the translator accepts. Both should grow
// linearly with the range argument.
void BM_TranslateRepeatedTop(benchmark::State &state)
{
    QString statement;
    for (int64_t i = 0; i < state.range(0); ++i)
        statement += QStringLiteral("SELECT TOP 1 ");
    const data::TranslationOptions options{data::Dialect::SQLite, QStringLiteral("quorlanserver")};
    for (auto _ : state)
        benchmark::DoNotOptimize(data::translateStatement(statement, options));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TranslateRepeatedTop)->RangeMultiplier(4)->Range(256, 16384)->Complexity();

void BM_TranslateDeepNesting(benchmark::State &state)
{
    const int depth = int(state.range(0));
    const QString statement = QStringLiteral("SELECT ") + QString(depth, QLatin1Char('(')) + QLatin1Char('1')
        + QString(depth, QLatin1Char(')'));
    const data::TranslationOptions options{data::Dialect::PostgreSQL, QStringLiteral("quorlanserver")};
    for (auto _ : state)
        benchmark::DoNotOptimize(data::translateStatement(statement, options));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_TranslateDeepNesting)->RangeMultiplier(2)->Range(125, 1000)->Complexity();

struct Fixture {
    QTemporaryDir dir;
    QString schema;
    std::unique_ptr<data::Database> db;
};

std::unique_ptr<Fixture> makeDatabase(bool postgres)
{
    auto f = std::make_unique<Fixture>();
    data::OpenOptions create;
    create.create = true;
    QString cs = QStringLiteral("Driver=SQLite;Database=") + f->dir.filePath(QStringLiteral("bench.db"));
    if (postgres) {
        f->schema = QStringLiteral("bench_%1").arg(QRandomGenerator::global()->generate(), 0, 36);
        cs = qEnvironmentVariable("BUNLINE_TEST_PG") + QStringLiteral(";Schema=") + f->schema;
    }
    f->db = data::Database::open(cs, create);
    data::createSchema(*f->db);
    data::Transaction tx(*f->db);
    for (int i = 0; i < 10000; ++i)
        f->db->execute(
            QStringLiteral("INSERT INTO Component (ID, Description, Thickness, Width, Length, Status, Plant) "
                           "VALUES (%1, %2, 2, 24, 72, 'Active', 'Elkhart')")
                .arg(data::sqlText(QString::number(i)), data::sqlText(QStringLiteral("Component %1").arg(i))));
    tx.commit();
    return f;
}

void openRecordset(benchmark::State &state, bool postgres)
{
    if (postgres && qEnvironmentVariableIsEmpty("BUNLINE_TEST_PG")) {
        state.SkipWithError("BUNLINE_TEST_PG is not set");
        return;
    }
    auto f = makeDatabase(postgres);
    for (auto _ : state) {
        data::Recordset rs = f->db->query(QStringLiteral("SELECT * FROM Component ORDER BY ID"));
        benchmark::DoNotOptimize(rs.recordCount());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * 10000);
    if (postgres)
        f->db->executeNative(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(f->schema));
}

void BM_OpenRecordset10k_SQLite(benchmark::State &state)
{
    openRecordset(state, false);
}
void BM_OpenRecordset10k_PostgreSQL(benchmark::State &state)
{
    openRecordset(state, true);
}
BENCHMARK(BM_OpenRecordset10k_SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenRecordset10k_PostgreSQL)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
