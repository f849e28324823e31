#pragma once

#include <QString>

namespace data {
class Database;
} // namespace data

namespace serversync {

// Where the central server's database is, as a PostgreSQL installation reaches it.
struct CentralServer {
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password;
    QString schema = QStringLiteral("public"); // the schema holding the central tables
};

// PostgreSQL: links the central server through postgres_fdw - a foreign server,
// the user mapping and one foreign table per shared table in the connection's
// linked schema (LinkedSchema=, "quorlanserver" when unset). Running it again
// replaces them, so a changed address or schema takes effect. All or nothing;
// the central server must answer before anything is kept.
void linkServer(data::Database &db, const CentralServer &central);

// Fails with a message saying how to link the central server when the
// connection has none.
void requireLinkedServer(data::Database &db);

} // namespace serversync
