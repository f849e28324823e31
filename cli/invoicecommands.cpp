// bunlinectl invoice and pay: the invoicing screens' routines from the
// command line.
#include "cli.h"

#include "data/database.h"
#include "invoicing/invoicestore.h"
#include "core/clock.h"
#include "core/formats.h"

#include <cmath>

namespace cli {

namespace {

qint64 idArgument(const QString &text, const QString &what)
{
    bool ok = false;
    const qint64 id = text.trimmed().toLongLong(&ok);
    if (!ok || id <= 0)
        throw CliError(QStringLiteral("%1: \"%2\" is not a number").arg(what, text));
    return id;
}

// The one argument left after the options.
QString positional(Context &ctx, const QString &command, const QString &what)
{
    if (ctx.args.isEmpty() || ctx.args.first().startsWith(QLatin1String("--"))) {
        if (!ctx.args.isEmpty())
            ctx.finish();
        throw CliError(QStringLiteral("%1 needs %2").arg(command, what));
    }
    const QString value = ctx.args.takeFirst();
    ctx.finish();
    return value;
}

} // namespace

int invoice(Context &ctx)
{
    if (ctx.args.isEmpty() || ctx.takeFlag(QStringLiteral("--help"))) {
        ctx.out
            << "usage: bunlinectl invoice CUSTOMER --orders ID[,ID...] [--date D] [--due D] [--freight N] [--misc N] "
               "[--memo TEXT]\n";
        return 0;
    }
    invoicing::NewInvoice invoice;
    const QString orders = ctx.takeOption(QStringLiteral("--orders"));
    if (orders.isEmpty())
        throw CliError(QStringLiteral("invoice needs --orders ID[,ID...]"));
    for (const QString &id : orders.split(QLatin1Char(',')))
        invoice.orders.push_back(idArgument(id, QStringLiteral("--orders")));
    invoice.invoiceDate = ctx.takeDate(QStringLiteral("--date"), core::currentDate());
    invoice.dueDate = ctx.takeDate(QStringLiteral("--due"), invoice.invoiceDate.addDays(30));
    invoice.freight = ctx.takeAmount(QStringLiteral("--freight"));
    invoice.misc = ctx.takeAmount(QStringLiteral("--misc"));
    invoice.memo = ctx.takeOption(QStringLiteral("--memo"));
    invoice.customer = positional(ctx, QStringLiteral("invoice"), QStringLiteral("a CUSTOMER"));
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    const invoicing::CreatedInvoice created = invoicing::CreateInvoice(*db, invoice);
    ctx.out << created.id << "\n";
    return 0;
}

int pay(Context &ctx)
{
    if (ctx.args.isEmpty() || ctx.takeFlag(QStringLiteral("--help"))) {
        ctx.out << "usage: bunlinectl pay INVOICE [--amount N] [--adjustment N] [--date D]\n";
        return 0;
    }
    bool hasAmount = false, hasAdjustment = false;
    const double amount = ctx.takeAmount(QStringLiteral("--amount"), &hasAmount);
    const double adjustment = ctx.takeAmount(QStringLiteral("--adjustment"), &hasAdjustment);
    const QDate date = ctx.takeDate(QStringLiteral("--date"), core::currentDate());
    const qint64 invoice =
        idArgument(positional(ctx, QStringLiteral("pay"), QStringLiteral("an INVOICE")), QStringLiteral("INVOICE"));
    if (!hasAmount && !hasAdjustment)
        throw CliError(QStringLiteral("pay needs --amount or --adjustment"));
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    const double balance = invoicing::RecordPayment(*db, invoice, date, amount, adjustment);
    // Paid in full reads 0.00, not a rounding remainder such as -0.00.
    ctx.out << QString::number(std::abs(balance) < 0.005 ? 0.0 : balance, 'f', 2) << "\n";
    return 0;
}

} // namespace cli
