// The whole production paperwork of a 200-line order, every report box, two
// plants, printed to PDF files: gathering the copies (work table and every
// report's rows) and writing them. Each line is a style of five components
// with two operations each.
//
//   [BENCH_OUT=DIR] [BENCH_CSV=1] paperwork_bench [lines]
//
// Whole run, every box, 200 lines, on the 2-core development machine (shared,
// so CPU seconds are given beside the wall clock; min / median of 3 runs):
//
//                                   copies   wall s          CPU s
//   painted PDFs, fonts embedded     1,483   41.5 / 58.7     about 17
//   standard-font PDFs               1,483    8.5 / 9.4      3.1 / 3.2
#include "../tests/production/productionfixture.h"
#include "data/schema.h"
#include "production/paperwork.h"
#include "reporting/reportsinks.h"
#include "core/companysettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <map>

using namespace fixture;

namespace {

// CPU seconds this process has used: the machine is shared, so the wall clock
// alone says little.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 200;
    QTemporaryDir dir;
    data::OpenOptions options;
    options.create = true;
    auto db = data::Database::open(s("Driver=SQLite;Database=") + dir.filePath(s("bench.db")), options);
    data::createSchema(*db);
    data::createWorkTables(*db);
    {
        data::Transaction tx(*db);
        addPlant(*db);
        addOrder(*db, 1, s("Amberline"));
        for (int i = 0; i < lines; ++i) {
            const qint64 style = addStyle(*db, s("Amberline"), s("S%1").arg(i), s("SOFA"));
            const qint64 seat = addLine(*db, style, "SEAT", 2, 1);
            const qint64 back = addLine(*db, style, "BACK", 1, 1);
            const qint64 arm = addLine(*db, style, "ARM", 2);
            const qint64 wrap = addLine(*db, style, "WRAP", 1);
            const qint64 bolster = addLine(*db, style, "BOLSTER", 1);
            addOperation(*db, style, seat, "Band Saw 1", 0.5, "Band Saw 2", "South", 5);
            addOperation(*db, style, seat, "Glue 2", 0.0, "", nullptr, 5);
            addOperation(*db, style, back, "CNC", 0.0, "", nullptr, 4);
            addOperation(*db, style, back, "Spray 1", 0.0, "", nullptr, 4);
            addOperation(*db, style, arm, "Band Saw 1", 0.0, "", nullptr, 3);
            addOperation(*db, style, arm, "Glue 1", 0.0, "", nullptr, 3);
            addOperation(*db, style, wrap, "Fiber 1", 3.0, "Fiber 2", "", 1);
            addOperation(*db, style, wrap, "Supply", 0.0, "", nullptr, 1);
            addOperation(*db, style, bolster, "Stencil", 0.0, "", nullptr, 6);
            addOperation(*db, style, bolster, "Noser", 0.0, "", nullptr, 6);
            addItem(*db, 1, i + 1, QByteArray("L" + QByteArray::number(i + 1)).constData(), 10 + i % 7, style);
        }
        tx.commit();
    }
    core::LoadCompanySettings(*db);

    production::PaperworkRequest request;
    request.orderId = 1;
    request.plants = production::plantNames(*db);
    request.checkAll();
    for (const production::OrderComponent &c : production::orderComponents(*db, 1))
        request.components.push_back(c.styleComponentId);

    // The whole run, then the run without the buggy tickets (one document per
    // buggy, so they are most of the copies).
    for (const bool tickets : {true, false}) {
        request.boxes[19] = tickets;
        // BENCH_OUT keeps the copies for a look (they go into a temporary folder otherwise).
        const QString keep = qEnvironmentVariable("BENCH_OUT");
        const QString out = QDir(keep.isEmpty() ? dir.path() : keep).filePath(tickets ? s("all") : s("no-tickets"));
        QDir().mkpath(out);
        reporting::setPrintFolder(
            out, qEnvironmentVariableIsSet("BENCH_CSV") ? reporting::PrintFormat::Csv : reporting::PrintFormat::Pdf);
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuSeconds();
        production::Printout printout;
        production::collectPaperwork(printout, *db, request);
        const double gathered = timer.nsecsElapsed() / 1e9;
        // Time per definition, to see where printing goes.
        std::map<QString, std::pair<int, qint64>> perDefinition;
        QString last;
        qint64 lastStart = timer.nsecsElapsed();
        const int printed = production::printCopies(printout, [&](int, int, const production::Copy &copy) {
            const qint64 now = timer.nsecsElapsed();
            if (!last.isEmpty())
                perDefinition[last].second += now - lastStart;
            last = copy.report->name();
            perDefinition[last].first += 1;
            lastStart = now;
            return true;
        });
        perDefinition[last].second += timer.nsecsElapsed() - lastStart;
        const double total = timer.nsecsElapsed() / 1e9;
        std::printf("%d-line order, %d plants, %s: %d copies\n", lines, int(request.plants.size()),
                    tickets ? "every box" : "every box but buggy tickets", printed);
        std::printf("  gather %.2f s, print %.2f s, total %.2f s (CPU %.2f s), %.0f copies/s\n", gathered,
                    total - gathered, total, cpuSeconds() - cpuStart, printed / total);
        for (const auto &[name, entry] : perDefinition)
            std::printf("    %-22s %5d copies %7.2f s\n", qPrintable(name), entry.first, entry.second / 1e9);
    }
    return 0;
}
