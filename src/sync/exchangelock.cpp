#include "sync/exchangelock.h"

#include "data/database.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace serversync {

const char *const kExchangeRunning = "Another order exchange is running for this plant; nothing was changed. Run "
                                     "Exchange Orders again when it has finished.";

namespace {

const QString kSessionKey = QStringLiteral("hashtext('bunline.exchange.' || current_schema())");

} // namespace

ExchangeLock::ExchangeLock(data::Database &db) : m_db(db)
{
    if (db.dialect() == data::Dialect::PostgreSQL) {
        if (!db.queryNative(QStringLiteral("SELECT pg_try_advisory_lock(%1)").arg(kSessionKey)).value(0).toBool())
            throw data::DbError(QString::fromLatin1(kExchangeRunning));
        m_session = true;
        return;
    }
    const QString file = db.settings().database;
    if (file == QLatin1String(":memory:"))
        return; // no other connection can reach it
    // flock() locks are apart from the byte-range locks SQLite takes on the
    // same file, and end with the process that holds them.
    m_fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        throw data::DbError(
            QStringLiteral("Cannot open %1 to lock it for the order exchange: %2").arg(file, qt_error_string(errno)));
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(m_fd);
        m_fd = -1;
        if (error == EWOULDBLOCK)
            throw data::DbError(QString::fromLatin1(kExchangeRunning));
        throw data::DbError(
            QStringLiteral("Cannot lock %1 for the order exchange: %2").arg(file, qt_error_string(error)));
    }
}

ExchangeLock::~ExchangeLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the descriptor lets go of the lock
    if (m_session) {
        try {
            m_db.queryNative(QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(kSessionKey));
        } catch (...) {
            // The session's end lets go of it as well.
        }
    }
}

} // namespace serversync
