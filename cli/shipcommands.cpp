// bunlinectl ship and load-sheet: a shipment recorded as Save and Close on the
// shipment entry screen records it, and a planned truck load printed as the
// load sheet screens print it, each copy written to a folder.
#include "cli.h"

#include "core/clock.h"
#include "core/companysettings.h"
#include "core/formats.h"
#include "core/vbnumeric.h"
#include "data/database.h"
#include "production/paperwork.h"
#include "reporting/reportsinks.h"
#include "shipping/loadsheet.h"
#include "shipping/shipments.h"

#include <QDir>

namespace cli {

namespace {

qint32 orderIdOf(data::Database &db, const QString &text)
{
    try {
        return production::checkedOrderId(db, text);
    } catch (const production::PaperworkError &e) {
        throw CliError(e.text());
    }
}

int wholeNumber(const QString &text, const QString &what)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok)
        throw CliError(QStringLiteral("%1: \"%2\" is not a whole number").arg(what, text.trimmed()));
    return n;
}

double quantity(const QString &text, const QString &what)
{
    if (!core::IsNumeric(text))
        throw CliError(QStringLiteral("%1: \"%2\" is not a quantity").arg(what, text.trimmed()));
    return core::Val(text);
}

bool hasItem(const std::vector<shipping::OrderLine> &lines, int item)
{
    return std::any_of(lines.begin(), lines.end(),
                       [item](const shipping::OrderLine &l) { return l.itemNumber == item; });
}

} // namespace

int ship(Context &ctx)
{
    const QString usage = QStringLiteral("usage: bunlinectl ship ORDER_ID ITEM=QTY ... | --all [--date YYYY-MM-DD]");
    if (ctx.args.isEmpty() || ctx.args.first().startsWith(QLatin1String("--")))
        throw CliError(usage);
    const QString orderText = ctx.args.takeFirst();
    const bool all = ctx.takeFlag(QStringLiteral("--all"));
    const QString dateText = ctx.takeOption(QStringLiteral("--date"));
    QStringList items;
    while (!ctx.args.isEmpty() && !ctx.args.first().startsWith(QLatin1String("--")))
        items << ctx.args.takeFirst();
    ctx.finish();
    if (all == !items.isEmpty())
        throw CliError(usage);

    std::unique_ptr<data::Database> db = ctx.openDatabase();
    shipping::Shipment shipment;
    shipment.orderId = orderIdOf(*db, orderText);
    shipment.date = core::currentDate();
    if (!dateText.isEmpty()) {
        shipment.date = QDate::fromString(dateText, Qt::ISODate);
        if (!shipment.date.isValid())
            throw CliError(QStringLiteral("--date: \"%1\" is not a date (YYYY-MM-DD)").arg(dateText));
    }
    if (all) {
        // What remains open on every line, as Ship All offers it.
        for (const shipping::OrderLine &l : shipping::orderLines(*db, shipment.orderId))
            if (l.open() > 0)
                shipment.lines.push_back({l.itemNumber, l.open()});
    }
    for (const QString &item : items) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        if (eq < 0)
            throw CliError(QStringLiteral("\"%1\" is not ITEM=QTY").arg(item));
        shipment.lines.push_back({wholeNumber(item.left(eq), QStringLiteral("item")),
                                  quantity(item.mid(eq + 1), QStringLiteral("item ") + item.left(eq).trimmed())});
    }
    qint64 id = 0;
    try {
        // Checked inside the save, against what is open at that moment.
        id = shipping::saveShipment(*db, shipment);
    } catch (const shipping::ShipmentError &e) {
        throw CliError(e.text());
    }
    ctx.out << "Shipment " << id << " saved; order " << shipment.orderId << " is "
            << shipping::orderStatus(*db, shipment.orderId) << "\n";
    return 0;
}

int loadSheet(Context &ctx)
{
    const QString orderText = ctx.takeLeading(
        QStringLiteral("load-sheet ORDER_ID --out DIR [--format pdf|csv] [--plan PLAN] [--all-sheets --suffix TEXT]"));
    const QString out = ctx.takeOutFolder(QStringLiteral("load-sheet"));
    const QString format = ctx.takeFormat();
    const bool planGiven = ctx.args.contains(QStringLiteral("--plan"));
    const QString planText = ctx.takeOption(QStringLiteral("--plan"));
    const bool allSheets = ctx.takeFlag(QStringLiteral("--all-sheets"));
    const bool suffixGiven = ctx.args.contains(QStringLiteral("--suffix"));
    const QString suffix = ctx.takeOption(QStringLiteral("--suffix"));
    ctx.finish();
    if (suffixGiven && !allSheets)
        throw CliError(QStringLiteral("--suffix goes with --all-sheets"));

    std::unique_ptr<data::Database> db = ctx.openDatabase();
    core::LoadCompanySettings(*db);
    const qint32 orderId = orderIdOf(*db, orderText);
    const std::vector<shipping::OrderLine> lines = shipping::orderLines(*db, orderId);
    shipping::Plan plan;
    if (planGiven) {
        // "1:30,BREAK,1:30": an item and the quantity to load, or a break.
        for (const QString &part : planText.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString row = part.trimmed();
            if (row.compare(QLatin1String("BREAK"), Qt::CaseInsensitive) == 0) {
                plan.push_back({shipping::kBreakText, {}});
                continue;
            }
            const qsizetype colon = row.indexOf(QLatin1Char(':'));
            if (colon < 0)
                throw CliError(QStringLiteral("--plan: \"%1\" is neither ITEM:QTY nor BREAK").arg(row));
            const int item = wholeNumber(row.left(colon), QStringLiteral("--plan"));
            if (!hasItem(lines, item))
                throw CliError(QStringLiteral("--plan: order %1 has no item %2").arg(orderId).arg(item));
            const double qty = quantity(row.mid(colon + 1), QStringLiteral("--plan"));
            plan.push_back({QString::number(item), core::formatNumber(qty)});
        }
    } else {
        for (const shipping::OrderLine &l : lines)
            plan.push_back({QString::number(l.itemNumber), core::formatNumber(l.open())});
    }

    shipping::fillLoadSheet(*db, orderId, plan);
    production::Printout printout;
    if (allSheets)
        shipping::PrintLoadRun(printout, *db, suffix);
    else
        shipping::PrintLoadSheet(printout, *db);
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
