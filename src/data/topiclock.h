#pragma once

#include <QString>

namespace data {

class Database;

// Inside a transaction: waits until no other connection's transaction holds the
// same topic, and holds it until this transaction ends. A check that must stay
// true until its write commits (the last active administrator) takes the lock
// first. SQLite needs none: its write transactions run one at a time already.
void lockTopic(Database &db, const QString &topic);

} // namespace data
