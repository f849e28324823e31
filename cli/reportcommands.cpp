// bunlinectl report: an office report written to a PDF or CSV file.
#include "cli.h"

#include "data/database.h"
#include "invoicing/invoicestore.h"
#include "officereports/listings.h"
#include "officereports/orderreport.h"
#include "production/paperwork.h"
#include "officereports/receivables.h"
#include "core/clock.h"
#include "core/formats.h"
#include "reporting/reportrender.h"
#include "core/companysettings.h"

#include <QFileInfo>
#include <functional>
#include <map>

namespace cli {

namespace {

const char *kReportUsage = "usage: bunlinectl report NAME [options] --out FILE [--format pdf|csv]\n"
                           "reports:\n"
                           "  vendor-listing\n"
                           "  customer-listing\n"
                           "  component-listing\n"
                           "  bun-listing\n"
                           "  style-listing [--customer C [--style S [--type T]]]\n"
                           "  order-report --order ID\n"
                           "  invoice --invoice N\n"
                           "  open-invoices\n"
                           "  customer-statements [--as-of D]       aged as of D (today when absent)\n"
                           "  sales-by-customer --start D --end D [--detail]\n"
                           "The format follows the file's extension (.pdf or .csv) unless --format gives it.\n";

using Builder = std::function<reporting::ReportPtr(data::Database &, Context &)>;

reporting::ReportPtr styleListing(data::Database &db, Context &ctx)
{
    QString customer = ctx.takeOption(QStringLiteral("--customer"));
    QString style = ctx.takeOption(QStringLiteral("--style"));
    QString type = ctx.takeOption(QStringLiteral("--type"));
    // A style belongs to a customer and a type to a style: naming one without
    // the other would list nothing.
    if (!style.isEmpty() && customer.isEmpty())
        throw CliError(QStringLiteral("--style needs --customer"));
    if (!type.isEmpty() && style.isEmpty())
        throw CliError(QStringLiteral("--type needs --style"));
    ctx.finish();
    if (customer.isEmpty())
        customer = QString::fromLatin1(officereports::kAllCustomers);
    if (style.isEmpty())
        style = QString::fromLatin1(officereports::kAllStyles);
    if (type.isEmpty())
        type = QString::fromLatin1(officereports::kAllTypes);
    return officereports::StyleListing(db, customer, style, type);
}

reporting::ReportPtr orderReport(data::Database &db, Context &ctx)
{
    const QString order = ctx.takeOption(QStringLiteral("--order"));
    if (order.isEmpty())
        throw CliError(QStringLiteral("order-report needs --order ID"));
    ctx.finish();
    try {
        return officereports::OrderReport(db, production::checkedOrderId(db, order), QStringLiteral("Office Manager"));
    } catch (const production::PaperworkError &e) {
        throw CliError(e.text());
    }
}

QDate dateOption(Context &ctx, const QString &name, bool required)
{
    const QString text = ctx.takeOption(name);
    if (text.isEmpty()) {
        if (required)
            throw CliError(QStringLiteral("needs %1 DATE").arg(name));
        return core::currentDate();
    }
    return dateValue(text, name);
}

reporting::ReportPtr invoiceReport(data::Database &db, Context &ctx)
{
    const QString text = ctx.takeOption(QStringLiteral("--invoice"));
    ctx.finish();
    if (text.isEmpty())
        throw CliError(QStringLiteral("needs --invoice N"));
    bool ok = false;
    const qint64 invoice = text.toLongLong(&ok);
    if (!ok || !invoicing::InvoiceExists(db, invoice))
        throw CliError(QStringLiteral("there is no invoice %1").arg(text));
    return officereports::InvoiceReport(db, invoice);
}

reporting::ReportPtr customerStatements(data::Database &db, Context &ctx)
{
    const QDate asOf = dateOption(ctx, QStringLiteral("--as-of"), false);
    ctx.finish();
    return officereports::CustomerStatements(db, asOf);
}

reporting::ReportPtr salesByCustomer(data::Database &db, Context &ctx)
{
    const QDate start = dateOption(ctx, QStringLiteral("--start"), true);
    const QDate end = dateOption(ctx, QStringLiteral("--end"), true);
    const bool detail = ctx.takeFlag(QStringLiteral("--detail"));
    ctx.finish();
    return officereports::SalesByCustomer(db, start, end, detail);
}

Builder plain(reporting::ReportPtr (*build)(data::Database &))
{
    return [build](data::Database &db, Context &ctx) {
        ctx.finish();
        return build(db);
    };
}

} // namespace

int report(Context &ctx)
{
    if (ctx.args.isEmpty() || ctx.takeFlag(QStringLiteral("--help"))) {
        ctx.out << kReportUsage;
        return 0;
    }
    const std::map<QString, Builder> reports = {
        {QStringLiteral("vendor-listing"), plain(officereports::VendorListing)},
        {QStringLiteral("customer-listing"), plain(officereports::CustomerListing)},
        {QStringLiteral("component-listing"), plain(officereports::ComponentListing)},
        {QStringLiteral("bun-listing"), plain(officereports::BunListing)},
        {QStringLiteral("style-listing"), styleListing},
        {QStringLiteral("order-report"), orderReport},
        {QStringLiteral("invoice"), invoiceReport},
        {QStringLiteral("open-invoices"), plain(officereports::OpenInvoices)},
        {QStringLiteral("customer-statements"), customerStatements},
        {QStringLiteral("sales-by-customer"), salesByCustomer},
    };
    const QString name = ctx.args.takeFirst();
    const auto it = reports.find(name);
    if (it == reports.end())
        throw CliError(QStringLiteral("unknown report \"%1\"; one of: vendor-listing, customer-listing, "
                                      "component-listing, bun-listing, style-listing, order-report, invoice, "
                                      "open-invoices, customer-statements, sales-by-customer")
                           .arg(name));
    const QString out = ctx.takeOption(QStringLiteral("--out"));
    if (out.isEmpty())
        throw CliError(QStringLiteral("report %1 needs --out FILE").arg(name));
    QString format = ctx.takeOption(QStringLiteral("--format")).toLower();
    if (format.isEmpty())
        format = QFileInfo(out).suffix().toLower();
    if (format != QLatin1String("pdf") && format != QLatin1String("csv"))
        throw CliError(QStringLiteral("cannot tell the format of %1; give --format pdf or --format csv").arg(out));

    std::unique_ptr<data::Database> db = ctx.openDatabase();
    core::LoadCompanySettings(*db);
    const reporting::ReportPtr report = it->second(*db, ctx);
    if (format == QLatin1String("csv"))
        reporting::writeCsv(*report, out);
    else
        reporting::writePdf(*report, out);
    return 0;
}

} // namespace cli
