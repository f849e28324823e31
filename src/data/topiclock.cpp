#include "data/topiclock.h"

#include "data/database.h"
#include "data/quoting.h"

namespace data {

void lockTopic(Database &db, const QString &topic)
{
    if (!db.inTransaction())
        throw DbError(QStringLiteral("The lock on %1 must be taken inside a transaction.").arg(topic));
    if (db.dialect() == Dialect::PostgreSQL)
        db.queryNative(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(%1))")
                           .arg(sqlText(QStringLiteral("bunline.topic.") + topic)));
}

void holdWritesTo(Database &db, const QStringList &tables)
{
    if (!db.inTransaction())
        throw DbError(QStringLiteral("Writes to %1 can be held only inside a transaction.")
                          .arg(tables.join(QStringLiteral(", "))));
    if (db.dialect() == Dialect::PostgreSQL)
        db.execute(QStringLiteral("LOCK TABLE %1 IN SHARE MODE").arg(tables.join(QStringLiteral(", "))));
}

void lockRow(Database &db, const QString &table, qint64 id)
{
    if (!db.inTransaction())
        throw DbError(QStringLiteral("The row of %1 can be locked only inside a transaction.").arg(table));
    if (db.dialect() == Dialect::PostgreSQL)
        db.queryNative(
            QStringLiteral("SELECT id FROM %1 WHERE id = %2 FOR UPDATE").arg(table.toLower(), sqlNumber(id)));
}

} // namespace data
