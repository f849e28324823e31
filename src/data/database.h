#pragma once

#include "data/dberror.h"
#include "data/recordset.h"
#include "data/sqltranslator.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace data {

// What a connection string says. Pairs key=value separated by ";":
//   Driver=SQLite;Database=<file>[;LinkedServer=<file>]
//   Driver=PostgreSQL;Host=..;Port=..;Database=..;User=..;Password=..
//       [;Schema=<search path schema>][;LinkedSchema=<schema of the server's tables>]
struct ConnectionSettings {
    Dialect dialect = Dialect::SQLite;
    QString database;
    QString host;
    int port = 5432;
    QString user;
    QString password;
    QString schema;       // PostgreSQL: schema placed first on the search path
    QString linkedServer; // SQLite: file attached as the central server
    QString linkedSchema; // PostgreSQL: schema holding the server's tables

    // Throws DbError naming what is wrong with the string.
    static ConnectionSettings parse(const QString &connectionString);
};

struct OpenOptions {
    int timeoutSeconds = 10;
    // SQLite: create the database file when it does not exist (init-db, tests).
    bool create = false;
    // Folder against which a relative SQLite file name is resolved.
    QString baseDirectory;
};

// The one connection through which everything reaches the database. Statements
// are written in the system's dialect and translated here; failures raise
// DbError with the database's message and both forms of the statement.
class Database {
public:
    static std::unique_ptr<Database> open(const QString &connectionString, const OpenOptions &options = {});
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    Dialect dialect() const { return m_options.dialect; }
    const ConnectionSettings &settings() const { return m_settings; }
    QString translate(const QString &statement) const;

    // Runs a statement that returns no rows; answers the number of rows changed.
    int execute(const QString &statement);
    // Runs a SELECT (or anything returning rows) and takes the complete result.
    // Parameters fill the statement's "?" marks in order, bound by the driver
    // rather than placed in the text (the login screen's typed text); a result
    // read that way cannot be written back.
    Recordset query(const QString &statement, const QVariantList &parameters = {});
    int execute(const QString &statement, const QVariantList &parameters);
    // A statement already in the backend's own dialect (schema set-up).
    int executeNative(const QString &statement);
    Recordset queryNative(const QString &statement);
    // Runs any statement: its rows when it returns some (fieldCount() > 0),
    // else the number of rows changed in *affected. Every call runs exactly
    // one statement; text holding more is refused.
    Recordset perform(const QString &statement, int *affected);

    bool tableExists(const QString &table);

    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_transactionDepth > 0; }

    // After a row was written with a given counter value, moves the counter on
    // so that the next assigned key does not collide with it (PostgreSQL; SQLite
    // does this by itself).
    void syncCounter(const QString &writtenTable, const QString &column);

    // Inside a transaction: makes every other connection that wants to take a
    // MAX(key) + 1 for this table wait until the transaction ends, so that two
    // workstations never take the same key. (SQLite's write transactions are
    // already one at a time.)
    void lockForNewKey(const QString &table);

    QSqlDatabase connection() const;

private:
    Database() = default;
    void prepare();
    // The text to send: translated (or as given), refused when it is empty,
    // holds more than one statement or cannot be read.
    QString checked(const QString &written, const QString *sent = nullptr) const;
    Recordset run(const QString &written, const QString &sent, bool wantRows, int *affected,
                  const QVariantList &parameters = {});

    QString m_name;
    ConnectionSettings m_settings;
    TranslationOptions m_options;
    int m_transactionDepth = 0;
    bool m_rollbackOnly = false;
    friend class Transaction;
};

// Writes that belong together: commits on commit(), rolls back when it goes out
// of scope without one (an exception on the way). Nested scopes join the outer
// transaction.
class Transaction {
public:
    explicit Transaction(Database &db);
    ~Transaction();
    void commit();

private:
    Database &m_db;
    bool m_done = false;
};

// The statements a new PostgreSQL connection runs before any other, in order;
// then SHOW standard_conforming_strings must answer what checkStandardStrings
// accepts ("on"), or the connection is refused (DbError).
QStringList postgresSessionSetup(const ConnectionSettings &settings);
void checkStandardStrings(const QString &shown);

// Adds one row the way every screen does: opens "SELECT TOP 1 * FROM <table>",
// adds a row, sets the given columns and writes it. Answers the row as written
// (its counter key included).
Recordset addRow(Database &db, const QString &table, const std::vector<std::pair<QString, QVariant>> &values);

// "DROP TABLE " + name, ignoring any error: the table may not exist.
void DropTable(Database &db, const QString &name);

// The shared connection of the running program (start-up sets it).
Database &sharedDatabase();
bool hasSharedDatabase();
void setSharedDatabase(std::unique_ptr<Database> db);

} // namespace data
