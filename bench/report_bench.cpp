// How fast the report engine turns a long listing into pages: layout alone,
// and layout plus rendering to PDF, for a 2,000-row component listing.
#include "reporting/report.h"
#include "reporting/reportlayout.h"
#include "reporting/reportrender.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

reporting::ReportPtr componentListing(int rows)
{
    const QStringList columns = {"ID",          "Description",   "Thickness",       "Width", "Length",
                                 "Cutstyle",    "Test",          "TestRange",       "BunID", "Topped",
                                 "RailsPerBun", "PiecesPerRail", "PrintOnShipping", "Arm",   "Tie"};
    reporting::ReportTable table{columns, {}};
    for (int i = 0; i < rows; ++i)
        table.rows.push_back({QString::number(1000 + i), QStringLiteral("Seat cushion core %1").arg(i), 4.0, 22.0,
                              24.5 + i % 7, QStringLiteral("Straight Cut"), i % 3 == 0, QStringLiteral("1.8 - 2.0 lb"),
                              QStringLiteral("1845-76"), QString(), 19.0, 3.0, 1, 0, i % 2});
    reporting::ReportPtr report = reporting::CreateReport(QStringLiteral("crptComponentListing"));
    reporting::SetReportData(report, table);
    reporting::LoadReportData(report);
    reporting::SetReportText(report, QStringLiteral("txtCompanyName"), QStringLiteral("Prairie Foam Fabricators"));
    reporting::SetReportText(report, QStringLiteral("txtCompanyAddress"), QStringLiteral("1400 Industrial Pkwy"));
    reporting::SetReportText(report, QStringLiteral("txtCompanyCityStateZip"), QStringLiteral("Elkhart, IN  46514"));
    return report;
}

void BM_Layout2000Rows(benchmark::State &state)
{
    const reporting::ReportPtr report = componentListing(2000);
    int pages = 0;
    for (auto _ : state) {
        const reporting::LaidReport laid = report->layout();
        pages += laid.pageCount();
        benchmark::DoNotOptimize(laid.pages.data());
    }
    state.counters["pages_per_second"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Layout2000Rows)->Unit(benchmark::kMillisecond);

void BM_Pdf2000Rows(benchmark::State &state)
{
    const reporting::ReportPtr report = componentListing(2000);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("listing.pdf"));
    int pages = 0;
    for (auto _ : state) {
        const reporting::LaidReport laid = report->layout();
        reporting::writePdf(*report, laid, path);
        pages += laid.pageCount();
    }
    state.counters["pages"] = double(pages) / double(state.iterations());
    state.counters["pages_per_second"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Pdf2000Rows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
