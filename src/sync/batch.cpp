#include "sync/batch.h"

#include "core/clock.h"
#include "core/cursor.h"
#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "sync/linkserver.h"

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

// The queued order's columns OrderNumber to Total, as the server's insert takes them.
const char *const kUploadColumns = "OrderNumber,Customer,OrderDate,DueDate,ShipTo,ShipToAddress1,ShipToAddress2,"
                                   "ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,Status,DateAdded,Total";

// One queued order to the server with its lines, and out of the queue, in one
// transaction: it is either uploaded once and gone from the queue, or neither.
// Answers the number of lines uploaded.
qint64 uploadOrder(data::Database &db, const data::Recordset &order)
{
    const qint64 localId = order.integer(QStringLiteral("ID"));
    QStringList values;
    for (int i = 1; i <= 15; ++i)
        values << data::sqlLiteral(order.value(i));
    data::Transaction tx(db);
    const data::Recordset inserted =
        db.query(QStringLiteral("INSERT INTO %1Orders (%2) VALUES (%3) RETURNING ID")
                     .arg(kServer, QString::fromLatin1(kUploadColumns), values.join(QLatin1Char(','))));
    if (inserted.isEmpty() || inserted.value(0).isNull())
        throw DbError(QStringLiteral("The server gave no number for the uploaded order %1.")
                          .arg(order.text(QStringLiteral("OrderNumber"))));
    const qint64 serverId = inserted.value(0).toLongLong();
    const qint64 lines = db.execute(
        QStringLiteral(
            "INSERT INTO %1OrderItems (OrderID,ItemNumber,Line,Qty,StyleID,PriceEach,PriceExt) "
            "SELECT %2, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt FROM OrderItems WHERE OrderID=%3 "
            "ORDER BY ItemNumber")
            .arg(kServer, sqlNumber(serverId), sqlNumber(localId)));
    db.execute(QStringLiteral("DELETE FROM OrdersToBatch WHERE OrderID=") + sqlNumber(localId));
    tx.commit();
    return lines;
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

BatchResult ExchangeOrders(data::Database &db, bool ask, const BatchHooks &hooks)
{
    requireLinkedServer(db);
    if (!confirmed(ask, hooks, kExchangeQuestion))
        return {};
    Run run(hooks);
    core::BusyCursor busy;

    data::Recordset queue =
        db.query(QStringLiteral("SELECT * FROM Orders WHERE ID IN (SELECT OrderID FROM OrdersToBatch) "
                                "ORDER BY ID"));
    qint64 lines = 0;
    for (; !queue.isEOF(); queue.moveNext()) {
        const QString what =
            QStringLiteral("Order %1 of %2")
                .arg(queue.text(QStringLiteral("OrderNumber")), queue.text(QStringLiteral("Customer")));
        run.step(what);
        try {
            lines += uploadOrder(db, queue);
        } catch (const DbError &e) {
            throw stoppedAt(
                QStringLiteral("The upload stopped at the order %1 of %2, which stays queued with the orders "
                               "after it (%3 uploaded before it)")
                    .arg(queue.text(QStringLiteral("OrderNumber")), queue.text(QStringLiteral("Customer")))
                    .arg(run.result().ordersUploaded),
                e);
        }
        ++run.result().ordersUploaded;
    }
    run.copied(QStringLiteral("OrderItems uploaded"), lines);

    const QString cutOff = data::sqlDate(core::currentDate().addDays(-60));
    try {
        data::Transaction tx(db);
        // A queue entry whose order is gone has nothing to upload.
        db.execute(QStringLiteral("DELETE FROM OrdersToBatch WHERE OrderID NOT IN (SELECT ID FROM Orders)"));
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
