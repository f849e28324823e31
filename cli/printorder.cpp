// bunlinectl print-order: an order's production paperwork for every plant,
// each printed copy written to a folder, exactly as Print on the report
// selection screen prints it.
#include "cli.h"

#include "data/database.h"
#include "production/paperwork.h"
#include "reporting/reportsinks.h"
#include "core/companysettings.h"

#include <QDir>
#include <algorithm>

namespace cli {

namespace {

// "1,5,7" -> the numbers; a part that is not a whole number is an error.
std::vector<qint64> numbers(const QString &list, const QString &option)
{
    std::vector<qint64> out;
    for (const QString &part : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        out.push_back(wholeNumberValue(part, option));
    return out;
}

} // namespace

int printOrder(Context &ctx)
{
    const QString orderText = ctx.takeLeading(QStringLiteral(
        "print-order ORDER_ID --out DIR [--format pdf|csv] [--reports LIST] [--components LIST] [--suffix TEXT]"));
    const QString out = ctx.takeOutFolder(QStringLiteral("print-order"));
    const QString format = ctx.takeFormat();
    const bool reportsGiven = ctx.args.contains(QStringLiteral("--reports"));
    const QString reports = ctx.takeOption(QStringLiteral("--reports"));
    const bool componentsGiven = ctx.args.contains(QStringLiteral("--components"));
    const QString components = ctx.takeOption(QStringLiteral("--components"));
    const QString suffix = ctx.takeOption(QStringLiteral("--suffix"));
    ctx.finish();

    production::PaperworkRequest request;
    if (reportsGiven) {
        for (qint64 box : numbers(reports, QStringLiteral("--reports"))) {
            if (box < 1 || box > production::kReportBoxes)
                throw CliError(QStringLiteral("--reports: %1 is not a report box (1 to %2)")
                                   .arg(box)
                                   .arg(production::kReportBoxes));
            request.boxes.set(size_t(box));
        }
    } else {
        request.checkAll();
    }

    std::unique_ptr<data::Database> db = ctx.openDatabase();
    core::LoadCompanySettings(*db);
    try {
        request.orderId = production::checkedOrderId(*db, orderText);
    } catch (const production::PaperworkError &e) {
        throw CliError(e.text());
    }
    std::vector<qint64> lines;
    for (const production::OrderComponent &row : production::orderComponents(*db, request.orderId))
        lines.push_back(row.styleComponentId);
    if (componentsGiven) {
        request.components = numbers(components, QStringLiteral("--components"));
        // A component that is no line of the order would print nothing for
        // it, and the run would look done.
        for (qint64 id : request.components)
            if (std::find(lines.begin(), lines.end(), id) == lines.end())
                throw CliError(QStringLiteral("--components: %1 is not a component line of order %2")
                                   .arg(id)
                                   .arg(request.orderId));
        if (request.components.empty())
            throw CliError(QStringLiteral("--components names no component line"));
    } else {
        request.components = lines;
    }
    request.plants = production::plantNames(*db);
    request.orderSuffix = suffix;

    production::Printout printout;
    production::collectPaperwork(printout, *db, request);
    if (!QDir().mkpath(out))
        throw CliError(QStringLiteral("the folder %1 could not be created").arg(out));
    reporting::setPrintFolder(
        out, format == QLatin1String("csv") ? reporting::PrintFormat::Csv : reporting::PrintFormat::Pdf);
    const int printed = production::printCopies(printout);
    ctx.out << printed << (printed == 1 ? " copy" : " copies") << " written to " << QDir::toNativeSeparators(out)
            << "\n";
    return 0;
}

} // namespace cli
