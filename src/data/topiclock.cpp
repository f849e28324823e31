#include "data/topiclock.h"

#include "data/database.h"
#include "data/quoting.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

ExclusiveRun::ExclusiveRun(Database &db, const QString &what) : m_db(db)
{
    const QString busy = QStringLiteral("Another %1 run is in progress on this database; try again when it has "
                                        "finished.")
                             .arg(what);
    if (db.dialect() == Dialect::PostgreSQL) {
        m_key = sqlText(QStringLiteral("bunline.run.") + what);
        if (!db.queryNative(QStringLiteral("SELECT pg_try_advisory_lock(hashtext(%1))").arg(m_key)).value(0).toBool())
            throw DbError(busy);
        return;
    }
    const QString file = db.settings().database;
    if (file.isEmpty() || file == QLatin1String(":memory:"))
        return;
    m_fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        throw DbError(
            QStringLiteral("Cannot open the database file %1: %2").arg(file, QString::fromLocal8Bit(strerror(errno))));
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_fd);
        m_fd = -1;
        throw DbError(busy);
    }
}

ExclusiveRun::~ExclusiveRun()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the flock
    if (!m_key.isEmpty()) {
        try {
            m_db.queryNative(QStringLiteral("SELECT pg_advisory_unlock(hashtext(%1))").arg(m_key));
        } catch (...) {
            // The lock ends with the session anyway.
        }
    }
}

} // namespace data
