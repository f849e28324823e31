// download-catalogue, exchange-orders and link-server: the synchronisation
// batch operations without questions, for scheduled jobs.
#include "cli.h"

#include "data/database.h"
#include "data/topiclock.h"
#include "sync/batch.h"
#include "sync/linkserver.h"

namespace cli {

namespace {

void printResult(Context &ctx, const serversync::BatchResult &result)
{
    for (const serversync::TableCopied &t : result.tables)
        ctx.out << t.table << ": " << t.rows << " rows\n";
    ctx.out << "Completed in " << result.elapsedSeconds << " seconds.\n";
}

} // namespace

int downloadCatalogue(Context &ctx)
{
    ctx.finish();
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    const data::ExclusiveRun run(*db, QStringLiteral("download-catalogue"));
    printResult(ctx, serversync::DownloadCatalogue(*db, false));
    return 0;
}

int exchangeOrders(Context &ctx)
{
    ctx.finish();
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    const serversync::BatchResult result = serversync::ExchangeOrders(*db, false);
    ctx.out << "Orders uploaded: " << result.ordersUploaded << "\n";
    printResult(ctx, result);
    return 0;
}

int linkServer(Context &ctx)
{
    serversync::CentralServer central;
    central.host = ctx.takeOption(QStringLiteral("--host"));
    const QString port = ctx.takeOption(QStringLiteral("--port"));
    central.database = ctx.takeOption(QStringLiteral("--dbname"));
    central.user = ctx.takeOption(QStringLiteral("--user"));
    central.password = ctx.takeOption(QStringLiteral("--password"));
    const QString schema = ctx.takeOption(QStringLiteral("--schema"));
    ctx.finish();
    if (!schema.isEmpty())
        central.schema = schema;
    if (!port.isEmpty()) {
        bool ok = false;
        central.port = port.toInt(&ok);
        if (!ok || central.port <= 0 || central.port > 65535)
            throw CliError(QStringLiteral("--port \"%1\" is not a port number").arg(port));
    }
    if (central.host.isEmpty() || central.database.isEmpty() || central.user.isEmpty())
        throw CliError(QStringLiteral("link-server needs --host, --dbname and --user"));
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    serversync::linkServer(*db, central);
    ctx.out << "Linked the central database " << central.database << " on " << central.host << ":" << central.port
            << ".\n";
    return 0;
}

} // namespace cli
