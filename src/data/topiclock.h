#pragma once

#include <QString>
#include <QtGlobal>
#include <QStringList>

namespace data {

class Database;

// Inside a transaction: waits until no other connection's transaction holds the
// same topic, and holds it until this transaction ends. A check that must stay
// true until its write commits (the last active administrator) takes the lock
// first. SQLite needs none: its write transactions run one at a time already.
void lockTopic(Database &db, const QString &topic);

// Inside a transaction: writes to these tables that are under way on other
// connections finish first, and new ones wait until this transaction ends, so
// that what it counts next stays true until it commits (a user still named
// on orders or customers is not deleted). Reading goes on meanwhile. SQLite
// needs nothing: its write transactions run one at a time.
void holdWritesTo(Database &db, const QStringList &tables);

// Inside a transaction: holds the row of the table whose ID is id until this
// transaction ends, so that what is checked against it (what is still open on
// an order, whether it is on an invoice) stays true until the write commits;
// another connection locking the same row waits. SQLite needs nothing: its
// write transactions run one at a time.
void lockRow(Database &db, const QString &table, qint64 id);

} // namespace data
