#pragma once

#include <QString>

namespace data {
class Database;
} // namespace data

namespace serversync {

extern const char *const kExchangeRunning;

// Held while orders are exchanged: one exchange at a time per plant database.
// Taken without waiting: while another run holds it, the constructor throws
// DbError (kExchangeRunning) before anything is written. The operating system
// (SQLite: a lock on the plant's file) or the server (PostgreSQL: a session
// lock keyed on the plant's schema) lets go of it when the holder dies.
class ExchangeLock {
public:
    explicit ExchangeLock(data::Database &db);
    ~ExchangeLock();
    ExchangeLock(const ExchangeLock &) = delete;
    ExchangeLock &operator=(const ExchangeLock &) = delete;

private:
    data::Database &m_db;
    int m_fd = -1;
    bool m_session = false;
};

} // namespace serversync
