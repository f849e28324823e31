#include "sync/linkserver.h"

#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"

namespace serversync {

using data::DbError;
using data::sqlText;

namespace {

// The schema the four-part [QuorlanServer] names lead to on PostgreSQL.
QString linkedSchema(const data::Database &db)
{
    const QString s = db.settings().linkedSchema;
    return (s.isEmpty() ? QStringLiteral("quorlanserver") : s).toLower();
}

QString foreignColumnType(data::ColumnType type)
{
    using T = data::ColumnType;
    switch (type) {
    case T::Text:
        return QStringLiteral("citext");
    case T::Integer:
        return QStringLiteral("integer");
    case T::Number:
        return QStringLiteral("double precision");
    case T::Date:
        return QStringLiteral("timestamp(0)");
    case T::Flag:
        return QStringLiteral("smallint");
    case T::Counter:
        // postgres_fdw sends every column of a foreign table on insert, a NULL
        // key included, but never a generated one: so the central server
        // assigns the key of an uploaded order, and RETURNING reads it back.
        return QStringLiteral("integer GENERATED ALWAYS AS (NULL::integer) STORED");
    }
    return {};
}

QString foreignTableDdl(const data::Table &t, const QString &schema, const QString &server, const QString &remoteSchema)
{
    QStringList columns;
    for (const data::Column &c : t.columns)
        columns << QStringLiteral("\"%1\" %2").arg(c.name.toLower(), foreignColumnType(c.type));
    return QStringLiteral("CREATE FOREIGN TABLE %1.\"%2\" (%3) SERVER %4 OPTIONS (schema_name %5, table_name %6)")
        .arg(schema, t.name.toLower(), columns.join(QStringLiteral(", ")), server, sqlText(remoteSchema),
             sqlText(t.name.toLower()));
}

} // namespace

void requireLinkedServer(data::Database &db)
{
    if (db.dialect() == data::Dialect::SQLite) {
        if (db.settings().linkedServer.isEmpty())
            throw DbError(QStringLiteral("No central server is linked: the connection string needs "
                                         "LinkedServer=<file of the central database>."));
        return;
    }
    const QString schema = linkedSchema(db);
    if (db.queryNative(QStringLiteral("SELECT 1 FROM pg_namespace WHERE nspname = %1").arg(sqlText(schema))).isEmpty())
        throw DbError(QStringLiteral("No central server is linked in the schema %1: run bunlinectl link-server first.")
                          .arg(schema));
}

void linkServer(data::Database &db, const CentralServer &central)
{
    if (db.dialect() != data::Dialect::PostgreSQL)
        throw DbError(QStringLiteral("link-server is for PostgreSQL databases; a SQLite database names the central "
                                     "database file with LinkedServer=<file> in its connection string."));
    if (central.host.isEmpty() || central.database.isEmpty() || central.user.isEmpty())
        throw DbError(QStringLiteral("The central server needs a host, a database name and a user."));
    const QString schema = linkedSchema(db);
    const QString server = schema + QStringLiteral("_server");
    const QString remoteSchema = central.schema.isEmpty() ? QStringLiteral("public") : central.schema;
    // The schema is dropped and made again: it must be one of foreign tables only.
    if (schema == QLatin1String("public") || schema == db.settings().schema.toLower()
        || !db.queryNative(QStringLiteral("SELECT 1 FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace "
                                          "WHERE n.nspname = %1 AND c.relkind <> 'f' LIMIT 1")
                               .arg(sqlText(schema)))
                .isEmpty())
        throw DbError(QStringLiteral("The linked schema %1 holds tables of its own; name another one with "
                                     "LinkedSchema= in the connection string.")
                          .arg(schema));
    if (db.queryNative(QStringLiteral("SELECT 1 FROM pg_extension WHERE extname = 'postgres_fdw'")).isEmpty()) {
        try {
            db.executeNative(QStringLiteral("CREATE EXTENSION IF NOT EXISTS postgres_fdw"));
        } catch (const DbError &) {
            // Another connection may have created it at the same moment.
            if (db.queryNative(QStringLiteral("SELECT 1 FROM pg_extension WHERE extname = 'postgres_fdw'")).isEmpty())
                throw;
        }
    }
    data::Transaction tx(db);
    db.executeNative(QStringLiteral("DROP SERVER IF EXISTS %1 CASCADE").arg(server));
    // The text columns compare through citext on both sides: naming the
    // extension lets a WHERE on them run on the central server (an order
    // looked up by number and customer) instead of fetching the whole table.
    db.executeNative(
        QStringLiteral("CREATE SERVER %1 FOREIGN DATA WRAPPER postgres_fdw OPTIONS (host %2, port %3, "
                       "dbname %4, fetch_size '10000', extensions 'citext')")
            .arg(server, sqlText(central.host), sqlText(QString::number(central.port)), sqlText(central.database)));
    QString mapping = QStringLiteral("user %1").arg(sqlText(central.user));
    if (!central.password.isEmpty())
        mapping += QStringLiteral(", password %1").arg(sqlText(central.password));
    db.executeNative(
        QStringLiteral("CREATE USER MAPPING FOR CURRENT_USER SERVER %1 OPTIONS (%2)").arg(server, mapping));
    db.executeNative(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
    db.executeNative(QStringLiteral("CREATE SCHEMA %1").arg(schema));
    for (const data::Table &t : data::schemaTables())
        if (!t.workTable)
            db.executeNative(foreignTableDdl(t, schema, server, remoteSchema));
    try {
        // Every foreign table must reach its central table before the link is kept.
        for (const data::Table &t : data::schemaTables())
            if (!t.workTable)
                db.queryNative(QStringLiteral("SELECT * FROM %1.\"%2\" LIMIT 0").arg(schema, t.name.toLower()));
    } catch (const DbError &e) {
        throw DbError(QStringLiteral("The central server %1 on %2:%3 cannot be read: %4")
                          .arg(central.database, central.host)
                          .arg(central.port)
                          .arg(e.message()),
                      e.statement(), e.translated());
    }
    tx.commit();
}

} // namespace serversync
