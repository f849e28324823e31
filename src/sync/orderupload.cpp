#include "sync/orderupload.h"

#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "data/topiclock.h"

#include <cmath>

namespace serversync {

using data::Database;
using data::DbError;
using data::Recordset;
using data::sqlNumber;
using data::sqlText;

namespace {

const QString kServer = QStringLiteral("[QuorlanServer].QuorlanData.dbo.");

// The order's columns after its ID, as the server's insert takes them.
const char *const kUploadColumns = "OrderNumber,Customer,OrderDate,DueDate,ShipTo,ShipToAddress1,ShipToAddress2,"
                                   "ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,Status,DateAdded,Total,"
                                   "SalesRepID";

// Every table here that names an order by its ID, with the column that does.
const std::pair<const char *, const char *> kOrderReferences[] = {
    {"Orders", "ID"},
    {"OrderItems", "OrderID"},
    {"OrdersToBatch", "OrderID"},
    {"Shipments", "OrderID"},
    {"ShipmentItems", "OrderID"},
    {"InvoiceOrders", "OrderID"},
    {"OrdersInvoiced", "OrderID"},
};

QStringList referencingTables()
{
    QStringList out;
    for (const auto &[table, column] : kOrderReferences)
        out << QString::fromLatin1(table);
    return out;
}

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    bool numberA = false, numberB = false;
    const double x = a.toDouble(&numberA), y = b.toDouble(&numberB);
    if (numberA && numberB)
        return std::abs(x - y) <= 1e-9 * std::max({1.0, std::abs(x), std::abs(y)});
    return a.toString() == b.toString();
}

// Columns from `first` on of the current rows of two result sets of one table.
bool sameRow(const Recordset &a, const Recordset &b, int first)
{
    if (a.fieldCount() != b.fieldCount())
        return false;
    for (int i = first; i < a.fieldCount(); ++i)
        if (!sameValue(a.value(i), b.value(i)))
            return false;
    return true;
}

// Lines of one order, their order ID left out.
bool sameLines(Recordset a, Recordset b)
{
    if (a.recordCount() != b.recordCount())
        return false;
    for (a.moveFirst(), b.moveFirst(); !a.isEOF(); a.moveNext(), b.moveNext())
        if (!sameRow(a, b, 1))
            return false;
    return true;
}

QString linesOf(const QString &table, qint64 orderId)
{
    return QStringLiteral("SELECT * FROM %1 WHERE OrderID = %2 ORDER BY ItemNumber").arg(table, sqlNumber(orderId));
}

// The server's ID of this order when the server holds it already: an order
// with the same header and lines whose ID no order here stands for (an order
// here under that ID that is not queued is that server order, downloaded or
// sent before). 0 when it holds none.
qint64 heldByServer(Database &db, const Recordset &order, const Recordset &lines)
{
    for (Recordset s = db.query(QStringLiteral("SELECT * FROM %1Orders WHERE OrderNumber = %2 AND Customer = %3 "
                                               "ORDER BY ID")
                                    .arg(kServer, sqlText(order.text(QStringLiteral("OrderNumber"))),
                                         sqlText(order.text(QStringLiteral("Customer")))));
         !s.isEOF(); s.moveNext()) {
        if (!sameRow(order, s, 1))
            continue;
        const qint64 id = s.integer(QStringLiteral("ID"));
        if (!db.query(QStringLiteral("SELECT ID FROM Orders WHERE ID = %1 AND ID NOT IN (SELECT OrderID FROM "
                                     "OrdersToBatch)")
                          .arg(sqlNumber(id)))
                 .isEmpty())
            continue;
        if (sameLines(lines, db.query(linesOf(kServer + QStringLiteral("OrderItems"), id))))
            return id;
    }
    return 0;
}

qint64 sendToServer(Database &db, const Recordset &order, qint64 localId)
{
    QStringList values;
    for (int i = 1; i < order.fieldCount(); ++i)
        values << data::sqlLiteral(order.value(i));
    const Recordset inserted =
        db.query(QStringLiteral("INSERT INTO %1Orders (%2) VALUES (%3) RETURNING ID")
                     .arg(kServer, QString::fromLatin1(kUploadColumns), values.join(QLatin1Char(','))));
    if (inserted.isEmpty() || inserted.value(0).isNull())
        throw DbError(QStringLiteral("The server gave no number for the order."));
    const qint64 serverId = inserted.value(0).toLongLong();
    db.execute(QStringLiteral("INSERT INTO %1OrderItems (OrderID,ItemNumber,Line,Qty,StyleID,PriceEach,PriceExt) "
                              "SELECT %2, ItemNumber, Line, Qty, StyleID, PriceEach, PriceExt FROM OrderItems "
                              "WHERE OrderID = %3 ORDER BY ItemNumber")
                   .arg(kServer, sqlNumber(serverId), sqlNumber(localId)));
    return serverId;
}

bool anyRowRefersTo(Database &db, qint64 orderId)
{
    for (const auto &[table, column] : kOrderReferences)
        if (!db.query(QStringLiteral("SELECT TOP 1 %2 FROM %1 WHERE %2 = %3")
                          .arg(QLatin1String(table), QLatin1String(column), sqlNumber(orderId)))
                 .isEmpty())
            return true;
    return false;
}

// Moves every row that names order `from` to order `to`, which no row names.
void renumber(Database &db, qint64 from, qint64 to)
{
    for (const auto &[table, column] : kOrderReferences)
        db.execute(QStringLiteral("UPDATE %1 SET %2 = %3 WHERE %2 = %4")
                       .arg(QLatin1String(table), QLatin1String(column), sqlNumber(to), sqlNumber(from)));
}

// The order here known as `localId` becomes `serverId` in every table. Rows
// that already name `serverId` (another queued order that took the same
// number here) first move to an ID that nothing names yet.
void takeServerId(Database &db, qint64 localId, qint64 serverId)
{
    if (localId == serverId)
        return;
    if (anyRowRefersTo(db, serverId)) {
        qint64 highest = serverId;
        for (const auto &[table, column] : kOrderReferences) {
            const Recordset max = db.query(
                QStringLiteral("SELECT MAX(%2) AS Highest FROM %1").arg(QLatin1String(table), QLatin1String(column)));
            if (!max.isNull(QStringLiteral("Highest")))
                highest = std::max(highest, max.integer(QStringLiteral("Highest")));
        }
        renumber(db, serverId, highest + 1);
    }
    renumber(db, localId, serverId);
}

} // namespace

UploadedOrder uploadNextOrder(Database &db)
{
    UploadedOrder r;
    {
        data::Transaction tx(db);
        // Order entry and shipping on other workstations wait for this short
        // transaction, so the order is read whole and as it stands.
        data::holdWritesTo(db, referencingTables());
        const Recordset next = db.query(QStringLiteral("SELECT MIN(OrderID) AS OrderID FROM OrdersToBatch"));
        if (next.isNull(QStringLiteral("OrderID")))
            return r;
        r.localId = next.integer(QStringLiteral("OrderID"));
        const Recordset order = db.query(QStringLiteral("SELECT * FROM Orders WHERE ID = ") + sqlNumber(r.localId));
        if (order.isEmpty()) {
            // Nothing is left to send.
            db.execute(QStringLiteral("DELETE FROM OrdersToBatch WHERE OrderID = ") + sqlNumber(r.localId));
            tx.commit();
            r.outcome = UploadedOrder::Dropped;
            return r;
        }
        r.orderNumber = order.text(QStringLiteral("OrderNumber"));
        r.customer = order.text(QStringLiteral("Customer"));
        try {
            const Recordset lines = db.query(linesOf(QStringLiteral("OrderItems"), r.localId));
            if (lines.isEmpty())
                throw DbError(QStringLiteral("the order has no lines; open it and add them, or delete it"));
            r.lines = lines.recordCount();
            r.serverId = heldByServer(db, order, lines);
            if (r.serverId) {
                r.outcome = UploadedOrder::AlreadyHeld;
            } else {
                r.serverId = sendToServer(db, order, r.localId);
                r.outcome = UploadedOrder::Sent;
            }
            tx.commit();
        } catch (const DbError &e) {
            throw DbError(QStringLiteral("The upload stopped at the order %1 of %2, which stays queued with the "
                                         "orders after it: %3")
                              .arg(r.orderNumber, r.customer, e.message()),
                          e.statement(), e.translated());
        }
    }
    try {
        data::Transaction tx(db);
        data::holdWritesTo(db, referencingTables());
        db.execute(QStringLiteral("DELETE FROM OrdersToBatch WHERE OrderID = ") + sqlNumber(r.localId));
        takeServerId(db, r.localId, r.serverId);
        tx.commit();
    } catch (const DbError &e) {
        throw DbError(QStringLiteral("The order %1 of %2 reached the server as order %3 but is still queued here; "
                                     "the next exchange takes it up: %4")
                          .arg(r.orderNumber, r.customer)
                          .arg(r.serverId)
                          .arg(e.message()),
                      e.statement(), e.translated());
    }
    return r;
}

} // namespace serversync
