#pragma once

#include "data/database.h"

namespace data {

// A statement the database undid because it clashed with another connection:
// a serialization failure or deadlock on PostgreSQL (SQLSTATE 40001, 40P01), a
// busy or locked database on SQLite. The same work, run again from the start,
// gets past it.
class TransientDbError : public DbError {
public:
    using DbError::DbError;
};

// How many times a transaction that clashed with another workstation is run
// in all before its error reaches the user.
constexpr int kTransactAttempts = 5;
// A short, growing and slightly random pause before the next attempt, so that
// two workstations that clashed do not clash again at once.
void pauseBeforeRetry(int attempt);
// How many times this program ran a transaction again after a clash.
int retriedTransactions();

// Runs work, which writes in one transaction of its own, and runs it again
// from the start when the database undid it for a clash with another
// connection. The user never sees such a clash unless it repeats
// kTransactAttempts times. Inside a transaction that is already open the work
// runs once: the outer transaction was undone as a whole, so only whoever
// opened it can try again.
template <typename Work>
auto transact(Database &db, Work &&work) -> decltype(work())
{
    if (db.inTransaction())
        return work();
    for (int attempt = 1;; ++attempt) {
        try {
            return work();
        } catch (const TransientDbError &) {
            if (attempt >= kTransactAttempts || db.inTransaction())
                throw;
        }
        pauseBeforeRetry(attempt);
    }
}

} // namespace data
