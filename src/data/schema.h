#pragma once

#include "data/sqltranslator.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace data {

class Database;

enum class ColumnType {
    Text,    // case-insensitive text
    Integer, // whole number
    Number,  // double precision
    Date,    // date with time of day
    Flag,    // 1 / 0, compared with = 1 and <> 1
    Counter, // integer key the database assigns, that also takes given values
};

struct Column {
    QString name;
    ColumnType type;
};

struct Table {
    QString name;
    std::vector<Column> columns;
    QStringList key;        // the columns that identify a row; empty when none do
    bool workTable = false; // private to each connection (TEMP)

    const Column *column(const QString &name) const; // case-insensitive
    // The counter column, if the table has one.
    const Column *counter() const;
};

// Every table of the system in its column order, the work tables included.
const std::vector<Table> &schemaTables();
// A table by name without regard to case; nullptr when unknown.
const Table *findTable(const QString &name);

// The permission names that the menu and the screens check, in menu order.
const QStringList &permissionNames();
const QStringList &stateCodes();

// CREATE statements for one table in the backend's own dialect. A work table
// becomes a TEMP table.
QStringList tableDdl(const Table &table, Dialect dialect, const QString &qualifier = {});

// "CREATE [UNIQUE] INDEX ix_<table>_<number> ON <table> (<columns>)" as the
// schema writes it for an unqualified table.
QString createIndexStatement(const QString &table, int number, const QStringList &columns, bool unique,
                             Dialect dialect);

// True when the database already holds the system's tables.
bool hasSchema(Database &db);
// Creates every shared table, their indexes, the PostgreSQL helper functions,
// the reference rows and the schema version row, in one transaction. Refuses a database that already
// has the schema.
void createSchema(Database &db);
// Creates the shared tables (no reference rows) under a qualifier - an
// attached SQLite database or a PostgreSQL schema - for a linked server copy.
void createTablesIn(Database &db, const QString &qualifier);
// The per-connection work tables; called by every connection open.
void createWorkTables(Database &db);

} // namespace data
