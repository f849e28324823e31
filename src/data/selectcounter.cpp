#include "data/selectcounter.h"

#include "data/database.h"

#include <QSqlDriver>
#include <sqlite3.h>

namespace data {

SelectCounter::SelectCounter(Database &db)
{
    if (db.dialect() != Dialect::SQLite)
        return;
    const QVariant handle = db.connection().driver()->handle();
    m_handle = *static_cast<sqlite3 *const *>(handle.data());
    sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &SelectCounter::trace, this);
}

SelectCounter::~SelectCounter()
{
    if (m_handle)
        sqlite3_trace_v2(m_handle, 0, nullptr, nullptr);
}

int SelectCounter::trace(unsigned, void *self, void *, void *sql)
{
    const QString text = QString::fromUtf8(static_cast<const char *>(sql)).trimmed();
    if (text.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        ++static_cast<SelectCounter *>(self)->m_count;
    return 0;
}

} // namespace data
