#include "sync/batch.h"

#include "core/clock.h"
#include "core/cursor.h"
#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "shipping/shipments.h"
#include "sync/exchangelock.h"
#include "sync/linkserver.h"
#include "sync/orderupload.h"

namespace serversync {

using data::DbError;
using data::sqlNumber;

const char *const kDownloadQuestion = "This will download updated/new styles from the server. This may take several "
                                      "minutes. Are you sure you wish to continue?";
const char *const kExchangeQuestion = "This will upload any new orders you have entered and download updated/new "
                                      "Orders from the server. This may take several minutes. Are you sure you wish "
                                      "to continue?";
const char *const kConfirmTitle = "Batch Confirmation";
const char *const kCompleteTitle = "Batch Complete";

QString completionText(qint64 elapsedSeconds)
{
    return QStringLiteral("The Batch processed completed in %1 Seconds.").arg(elapsedSeconds);
}

namespace {

const QString kServer = QStringLiteral("[QuorlanServer].QuorlanData.dbo.");
const QString kLocal = QStringLiteral("QuorlanDataLocal.dbo.");

// The catalogue tables in the order they are refreshed, with the order in
// which the server's rows are read (and so written here).
struct CatalogueTable {
    const char *name;
    const char *orderBy;
};
const CatalogueTable kCatalogue[] = {
    {"Bun", "ID"},   {"Component", "ID"},      {"Operation", "Station"}, {"Plants", "Name"},
    {"Style", "ID"}, {"StyleComponent", "ID"}, {"StyleOperation", "ID"}, {"StyleType", "ID"},
    {"Data", "ID"},  {"Vendor", nullptr},
};

// Where a run stands: the start time, the rows copied so far, the hooks.
class Run {
public:
    Run(const BatchHooks &hooks) : m_hooks(hooks), m_start(core::currentDateTime()) {}

    void step(const QString &what)
    {
        if (m_hooks.progress)
            m_hooks.progress(what, m_rows);
    }
    void copied(const QString &table, qint64 rows)
    {
        m_rows += rows;
        m_result.tables.push_back({table, rows});
        step(table);
    }
    BatchResult &result() { return m_result; }

    BatchResult finish(bool ask)
    {
        m_result.ran = true;
        m_result.elapsedSeconds = core::currentDateTime().toSecsSinceEpoch() - m_start.toSecsSinceEpoch();
        if (ask && m_hooks.inform)
            m_hooks.inform(completionText(m_result.elapsedSeconds), QString::fromLatin1(kCompleteTitle));
        return m_result;
    }

private:
    const BatchHooks &m_hooks;
    QDateTime m_start;
    qint64 m_rows = 0;
    BatchResult m_result;
};

bool confirmed(bool ask, const BatchHooks &hooks, const char *question)
{
    if (!ask || !hooks.confirm)
        return true;
    return hooks.confirm(QString::fromLatin1(question), QString::fromLatin1(kConfirmTitle));
}

// A local counter moves past the keys that arrived with the server's rows.
void keepCounterAhead(data::Database &db, const QString &table)
{
    if (const data::Table *t = data::findTable(table); t && t->counter())
        db.syncCounter(table, t->counter()->name);
}

// Replaces one catalogue table in a transaction of its own.
qint64 refreshCatalogueTable(data::Database &db, const CatalogueTable &t)
{
    const QString table = QString::fromLatin1(t.name);
    data::Transaction tx(db);
    qint64 rows = 0;
    if (table == QLatin1String("Data")) {
        // Costing variables set here stay; only rows this database lacks arrive.
        rows =
            db.execute(QStringLiteral("INSERT INTO %1Data SELECT * FROM %2Data WHERE ID NOT IN (SELECT ID FROM %1Data) "
                                      "ORDER BY ID")
                           .arg(kLocal, kServer));
    } else {
        db.execute(QStringLiteral("DELETE FROM %1%2").arg(kLocal, table));
        const QString order = t.orderBy ? QStringLiteral(" ORDER BY ") + QString::fromLatin1(t.orderBy) : QString();
        rows = db.execute(QStringLiteral("INSERT INTO %1%3 SELECT * FROM %2%3%4").arg(kLocal, kServer, table, order));
        keepCounterAhead(db, table);
    }
    tx.commit();
    return rows;
}

DbError stoppedAt(const QString &what, const DbError &e)
{
    return DbError(QStringLiteral("%1: %2").arg(what, e.message()), e.statement(), e.translated());
}

} // namespace

BatchResult DownloadCatalogue(data::Database &db, bool ask, const BatchHooks &hooks)
{
    requireLinkedServer(db);
    if (!confirmed(ask, hooks, kDownloadQuestion))
        return {};
    Run run(hooks);
    core::BusyCursor busy;
    for (const CatalogueTable &t : kCatalogue) {
        const QString table = QString::fromLatin1(t.name);
        run.step(table);
        try {
            run.copied(table, refreshCatalogueTable(db, t));
        } catch (const DbError &e) {
            throw stoppedAt(
                QStringLiteral("The catalogue download stopped at the table %1, which was left as it was").arg(table),
                e);
        }
    }
    return run.finish(ask);
}

namespace {

// Orders shipped here take their status from their shipments again, since the
// server does not know them; an order the server marks "Void" stays void.
void refreshShippedStatus(data::Database &db)
{
    for (data::Recordset rs = db.query(QStringLiteral("SELECT ID FROM Orders WHERE (Status IS NULL OR Status <> "
                                                      "'Void') AND ID IN (SELECT OrderID FROM Shipments) ORDER BY ID"));
         !rs.isEOF(); rs.moveNext())
        shipping::UpdateOrderStatus(db, rs.integer(QStringLiteral("ID")));
}

} // namespace

BatchResult ExchangeOrders(data::Database &db, bool ask, const BatchHooks &hooks)
{
    requireLinkedServer(db);
    if (!confirmed(ask, hooks, kExchangeQuestion))
        return {};
    ExchangeLock lock(db);
    Run run(hooks);
    core::BusyCursor busy;
    if (db.dialect() == data::Dialect::SQLite)
        // An order reaches the server's disk before it leaves the queue here,
        // even when the power fails.
        db.executeNative(QStringLiteral("PRAGMA quorlanserver.synchronous=FULL"));

    qint64 lines = 0;
    for (;;) {
        UploadedOrder up;
        try {
            up = uploadNextOrder(db);
        } catch (const DbError &e) {
            throw DbError(
                QStringLiteral("%1 (%2 orders uploaded before it)").arg(e.message()).arg(run.result().ordersUploaded),
                e.statement(), e.translated());
        }
        if (up.outcome == UploadedOrder::QueueEmpty)
            break;
        if (up.outcome == UploadedOrder::Dropped)
            continue;
        ++run.result().ordersUploaded;
        lines += up.lines;
        run.step(QStringLiteral("Order %1 of %2").arg(up.orderNumber, up.customer));
    }
    run.copied(QStringLiteral("OrderItems uploaded"), lines);

    const QString cutOff = data::sqlDate(core::currentDate().addDays(-60));
    try {
        data::Transaction tx(db);
        // An order saved here while the upload ran would be replaced unsent.
        db.lockForNewKey(QStringLiteral("Orders"));
        if (!db.query(QStringLiteral("SELECT TOP 1 OrderID FROM OrdersToBatch")).isEmpty())
            throw DbError(QStringLiteral("A new order was queued while the exchange ran; run Exchange Orders again."));
        run.step(QStringLiteral("Customer"));
        db.execute(QStringLiteral("DELETE FROM Customer"));
        const qint64 customers =
            db.execute(QStringLiteral("INSERT INTO Customer SELECT * FROM %1Customer").arg(kServer));
        run.copied(QStringLiteral("Customer"), customers);
        db.execute(QStringLiteral("DELETE FROM Orders"));
        const qint64 orders =
            db.execute(QStringLiteral("INSERT INTO Orders SELECT * FROM %1Orders WHERE DateAdded >= %2 ORDER BY ID")
                           .arg(kServer, cutOff));
        run.copied(QStringLiteral("Orders"), orders);
        db.execute(QStringLiteral("DELETE FROM OrderItems"));
        const qint64 items =
            db.execute(QStringLiteral("INSERT INTO OrderItems SELECT * FROM %1OrderItems WHERE OrderID IN "
                                      "(SELECT ID FROM Orders)")
                           .arg(kServer));
        run.copied(QStringLiteral("OrderItems"), items);
        refreshShippedStatus(db);
        keepCounterAhead(db, QStringLiteral("Customer"));
        keepCounterAhead(db, QStringLiteral("Orders"));
        tx.commit();
    } catch (const DbError &e) {
        throw stoppedAt(QStringLiteral("The order download failed and left the local customers and orders as they were "
                                       "(%1 orders uploaded)")
                            .arg(run.result().ordersUploaded),
                        e);
    }
    return run.finish(ask);
}

} // namespace serversync
