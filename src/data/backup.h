#pragma once

#include "data/sqltranslator.h"

#include <QString>
#include <QtGlobal>
#include <functional>

namespace data {

class Database;

struct BackupOptions {
    // Called between the steps of a copy: what is done of the whole (pages on
    // SQLite, bytes written on PostgreSQL; total 0 when unknown).
    std::function<void(qint64 done, qint64 total)> progress;
    // SQLite: pages copied per step. Other workstations go on writing
    // between steps; the copy stays the database as of its start.
    int pagesPerStep = 1024;
};

// Writes a backup of the open database into file, which must not exist yet:
// SQLite through the online backup (a consistent copy while other
// workstations write), PostgreSQL through pg_dump in its custom format. The
// file appears only once complete.
void backupDatabase(Database &db, const QString &file, const BackupOptions &options = {});

// SQLite: the copy taken before an upgrade, beside the database file and
// named with its version and today's date; answers its path.
QString backupBeside(Database &db, int version);

// The schema version of the database a backup file holds (1 when it holds
// the tables without a version row); throws DbError when the file is no
// backup of a Bunline database.
int backupSchemaVersion(Dialect dialect, const QString &file);

// Restores a backup into the open database, which must hold no table; refuses
// a backup of a newer schema. Answers the restored schema version.
int restoreDatabase(Database &db, const QString &file, const BackupOptions &options = {});

} // namespace data
