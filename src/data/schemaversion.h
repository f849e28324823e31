#pragma once

#include "data/dberror.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace data {

class Database;

// The schema this program creates and works on. Version 1 is the schema as
// first released, before the database recorded its version: a database that
// holds the tables but no SchemaVersion row is of version 1.
constexpr int kSchemaVersion = 2;

// 0 for a database without the system's tables (before init-db), 1 for one
// without a version row, else the version it records.
int schemaVersion(Database &db);
// Replaces the one row of SchemaVersion (creating the table when missing).
// Runs inside the caller's transaction.
void writeSchemaVersion(Database &db, int version);

// A database of a version this program does not work on.
class SchemaVersionError : public DbError {
public:
    SchemaVersionError(const QString &message, int found) : DbError(message), m_found(found) {}
    int found() const { return m_found; }

private:
    int m_found;
};

enum class OlderSchema { Refuse, Accept };
// Refuses (SchemaVersionError) a database newer than this program, and an
// older one unless told to accept it. An empty database passes: init-db and
// restore fill it.
void checkSchemaVersion(Database &db, OlderSchema older);
// The message for a database of version found, naming both versions.
QString schemaVersionMessage(int found);

// An upgrade step that cannot apply to the data as it stands; nothing was
// changed. rows() lists what the administrator must fix first, one per line.
class UpgradeBlocked : public DbError {
public:
    UpgradeBlocked(const QString &message, const QStringList &rows) : DbError(message), m_rows(rows) {}
    const QStringList &rows() const { return m_rows; }

private:
    QStringList m_rows;
};

struct UpgradeReport {
    int from = 0;
    int to = 0;
    QStringList steps;  // what each applied step did
    QString backupFile; // SQLite: the copy taken before the first step
};

// Brings the database from its version to kSchemaVersion, one step per
// transaction; a database already current is left alone. On SQLite the file
// is first copied beside itself (<file>.v<old>-<date>.bak) through the online
// backup, under the first step's write lock. Throws UpgradeBlocked when a
// step's data does not allow it, SchemaVersionError for a newer database.
UpgradeReport upgradeSchema(Database &db);

} // namespace data
