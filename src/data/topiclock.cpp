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

} // namespace data
