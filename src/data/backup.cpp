#include "data/backup.h"

#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "data/schemaversion.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <sqlite3.h>

namespace data {

namespace {

sqlite3 *sqliteHandle(Database &db)
{
    const QVariant handle = db.connection().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("The SQLite driver gave no connection handle."));
    return *static_cast<sqlite3 *const *>(handle.data());
}

// A plain SQLite connection of our own to a file that is not the program's
// database (the backup being written or read); closed on every way out.
class RawSqlite {
public:
    RawSqlite(const QString &file, int flags)
    {
        const int rc = sqlite3_open_v2(QFile::encodeName(file).constData(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("out of memory");
            sqlite3_close(m_db);
            throw DbError(QStringLiteral("Cannot open %1: %2").arg(file, message));
        }
        sqlite3_busy_timeout(m_db, 10000);
    }
    ~RawSqlite() { sqlite3_close(m_db); }
    RawSqlite(const RawSqlite &) = delete;
    RawSqlite &operator=(const RawSqlite &) = delete;
    sqlite3 *get() const { return m_db; }
    void exec(const char *statement, const QString &file)
    {
        if (sqlite3_exec(m_db, statement, nullptr, nullptr, nullptr) != SQLITE_OK)
            throw DbError(QStringLiteral("%1: %2").arg(file, QString::fromUtf8(sqlite3_errmsg(m_db))),
                          QString::fromLatin1(statement));
    }
    // The first column of the first row, or a null QVariant when no row.
    QVariant scalar(const char *statement, const QString &file)
    {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(m_db, statement, -1, &st, nullptr) != SQLITE_OK)
            throw DbError(QStringLiteral("%1: %2").arg(file, QString::fromUtf8(sqlite3_errmsg(m_db))),
                          QString::fromLatin1(statement));
        QVariant value;
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_ROW && sqlite3_column_type(st, 0) != SQLITE_NULL)
            value = sqlite3_column_int64(st, 0);
        sqlite3_finalize(st);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw DbError(QStringLiteral("%1: %2").arg(file, QString::fromUtf8(sqlite3_errmsg(m_db))),
                          QString::fromLatin1(statement));
        return value;
    }

private:
    sqlite3 *m_db = nullptr;
};

// Copies the main database of `from` into `to` a few pages at a time. A busy
// destination or source is waited for, ten seconds at most.
void copyPages(sqlite3 *from, sqlite3 *to, const BackupOptions &options, const QString &what)
{
    sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throw DbError(QStringLiteral("Cannot start the copy %1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(to))));
    int rc;
    int waited = 0;
    do {
        rc = sqlite3_backup_step(backup, options.pagesPerStep > 0 ? options.pagesPerStep : -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            sqlite3_sleep(50);
            waited += 50;
        } else {
            waited = 0;
        }
        if (options.progress && rc != SQLITE_DONE) {
            const int total = sqlite3_backup_pagecount(backup);
            options.progress(total - sqlite3_backup_remaining(backup), total);
        }
    } while ((rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && waited < 10000);
    const int total = sqlite3_backup_pagecount(backup);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        throw DbError(QStringLiteral("The copy %1 stopped: %2").arg(what, QString::fromUtf8(sqlite3_errstr(rc))));
    if (options.progress)
        options.progress(total, total);
}

// Has write() fill file.part and renames it to file once whole, so that a
// backup cut short never looks like one.
void writeThroughPart(const QString &file, const std::function<void(const QString &part)> &write)
{
    const QString part = file + QStringLiteral(".part");
    QFile::remove(part);
    try {
        write(part);
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    if (!QFile::rename(part, file)) {
        QFile::remove(part);
        throw DbError(QStringLiteral("Cannot name the backup %1 (does it exist already?).").arg(file));
    }
}

// Writes the main database of source into file through file.part, renamed
// once the copy is whole.
void writeSqliteCopy(sqlite3 *source, const QString &file, const BackupOptions &options)
{
    writeThroughPart(file, [&](const QString &part) {
        RawSqlite out(part, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        copyPages(source, out.get(), options, QStringLiteral("into ") + file);
        // A backup is one self-contained file, not a WAL database.
        out.exec("PRAGMA journal_mode=DELETE", part);
    });
}

// Holding a read transaction on the source for the whole copy keeps it one
// moment's database however many steps it takes: in WAL mode other
// workstations go on committing behind it.
void backupSqlite(Database &db, const QString &file, const BackupOptions &options)
{
    db.executeNative(QStringLiteral("BEGIN"));
    try {
        db.queryNative(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        writeSqliteCopy(sqliteHandle(db), file, options);
    } catch (...) {
        db.executeNative(QStringLiteral("ROLLBACK"));
        throw;
    }
    db.executeNative(QStringLiteral("COMMIT"));
}

QProcessEnvironment pgEnvironment(const ConnectionSettings &s)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!s.password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), s.password);
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    return env;
}

QStringList pgConnectionArguments(const ConnectionSettings &s)
{
    QStringList args{QStringLiteral("--host"), s.host.isEmpty() ? QStringLiteral("localhost") : s.host,
                     QStringLiteral("--port"), QString::number(s.port)};
    if (!s.user.isEmpty())
        args << QStringLiteral("--username") << s.user;
    return args << QStringLiteral("--no-password");
}

// The schema that holds the plant's tables.
QString pgSchema(const ConnectionSettings &s)
{
    return s.schema.isEmpty() ? QStringLiteral("public") : s.schema.toLower();
}

QString findTool(const QString &tool)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        throw DbError(
            QStringLiteral("%1 is not installed on this computer, so a PostgreSQL database cannot be %2 "
                           "here; install the postgresql-client package.")
                .arg(tool,
                     tool == QLatin1String("pg_dump") ? QStringLiteral("backed up") : QStringLiteral("restored")));
    return path;
}

// Runs a PostgreSQL tool to its end, reporting progress while it runs;
// answers its standard output.
QByteArray runTool(const QString &tool, const QStringList &args, const ConnectionSettings &s,
                   const BackupOptions &options, const QString &watchFile = {})
{
    QProcess p;
    p.setProcessEnvironment(pgEnvironment(s));
    p.start(findTool(tool), args);
    if (!p.waitForStarted(30000))
        throw DbError(QStringLiteral("%1 could not be started: %2").arg(tool, p.errorString()));
    QByteArray out;
    while (!p.waitForFinished(100)) {
        out += p.readAllStandardOutput();
        if (p.state() == QProcess::NotRunning)
            break;
        if (options.progress)
            options.progress(watchFile.isEmpty() ? out.size() : QFileInfo(watchFile).size(), 0);
    }
    out += p.readAllStandardOutput();
    const QString err = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw DbError(QStringLiteral("%1 failed: %2").arg(tool, err.isEmpty() ? p.errorString() : err));
    return out;
}

void backupPostgres(Database &db, const QString &file, const BackupOptions &options)
{
    const ConnectionSettings &s = db.settings();
    writeThroughPart(file, [&](const QString &part) {
        runTool(QStringLiteral("pg_dump"),
                pgConnectionArguments(s) << QStringLiteral("--format=custom") << QStringLiteral("--schema")
                                         << pgSchema(s) << QStringLiteral("--file") << part
                                         << QStringLiteral("--dbname") << s.database,
                s, options, part);
    });
}

// What a pg_dump archive holds: the schema of its tables and their names.
struct PgArchive {
    QString schema;
    QStringList tables;
    QString list; // pg_restore --list
};

PgArchive readPgArchive(const QString &file)
{
    const QByteArray list = runTool(QStringLiteral("pg_restore"), {QStringLiteral("--list"), file}, {}, {});
    PgArchive archive;
    archive.list = QString::fromUtf8(list);
    // "215; 1259 16390 TABLE public company postgres" (and "TABLE DATA" for
    // its rows)
    static const QRegularExpression table(QStringLiteral("^\\d+; \\d+ \\d+ TABLE (?!DATA )(\\S+) (\\S+) "),
                                          QRegularExpression::MultilineOption);
    for (auto m = table.globalMatch(QString::fromUtf8(list)); m.hasNext();) {
        const auto match = m.next();
        archive.schema = match.captured(1);
        archive.tables << match.captured(2);
    }
    return archive;
}

int pgBackupVersion(const QString &file)
{
    const PgArchive archive = readPgArchive(file);
    if (!archive.tables.contains(QStringLiteral("company")))
        throw DbError(QStringLiteral("%1 is no backup of a Bunline database.").arg(file));
    if (!archive.tables.contains(QStringLiteral("schemaversion")))
        return 1;
    const QString data = QString::fromUtf8(runTool(
        QStringLiteral("pg_restore"),
        {QStringLiteral("--data-only"), QStringLiteral("--table=schemaversion"), QStringLiteral("--file=-"), file}, {},
        {}));
    static const QRegularExpression row(QStringLiteral("FROM stdin;\\n(\\d+)\\n"));
    const auto match = row.match(data);
    if (!match.hasMatch())
        throw DbError(QStringLiteral("The backup %1 holds no schema version row.").arg(file));
    return match.captured(1).toInt();
}

int sqliteBackupVersion(const QString &file)
{
    if (!QFileInfo(file).isFile())
        throw DbError(QStringLiteral("The backup file %1 does not exist.").arg(file));
    RawSqlite in(file, SQLITE_OPEN_READONLY);
    try {
        const auto tables = [&](const char *name) {
            return in.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = "
                                            "'%1' COLLATE NOCASE")
                                 .arg(QLatin1String(name))
                                 .toUtf8()
                                 .constData(),
                             file)
                       .toInt()
                > 0;
        };
        if (!tables("Company"))
            throw DbError(QStringLiteral("%1 is no backup of a Bunline database.").arg(file));
        if (!tables("SchemaVersion"))
            return 1;
        return in.scalar("SELECT MAX(Version) FROM SchemaVersion", file).toInt();
    } catch (const DbError &e) {
        if (e.message().contains(QLatin1String("not a database")))
            throw DbError(QStringLiteral("%1 is no SQLite database backup.").arg(file));
        throw;
    }
}

} // namespace

void backupDatabase(Database &db, const QString &file, const BackupOptions &options)
{
    if (db.inTransaction())
        throw DbError(QStringLiteral("A backup cannot be taken inside a transaction."));
    if (QFileInfo::exists(file))
        throw DbError(QStringLiteral("%1 exists already; a backup never overwrites a file.").arg(file));
    if (db.dialect() == Dialect::SQLite)
        backupSqlite(db, file, options);
    else
        backupPostgres(db, file, options);
}

QString backupBeside(Database &db, int version)
{
    const QString base = QStringLiteral("%1.v%2-%3")
                             .arg(db.settings().database)
                             .arg(version)
                             .arg(QDate::currentDate().toString(Qt::ISODate));
    QString file = base + QStringLiteral(".bak");
    for (int n = 2; QFileInfo::exists(file); ++n)
        file = QStringLiteral("%1-%2.bak").arg(base).arg(n);
    // The upgrade holds the write lock, and SQLite copies nothing out of a
    // connection in a write transaction: a reader of our own copies the
    // database as last committed, which no one else can change meanwhile.
    RawSqlite source(db.settings().database, SQLITE_OPEN_READONLY);
    writeSqliteCopy(source.get(), file, {});
    return file;
}

int backupSchemaVersion(Dialect dialect, const QString &file)
{
    if (!QFileInfo(file).isFile())
        throw DbError(QStringLiteral("The backup file %1 does not exist.").arg(file));
    return dialect == Dialect::SQLite ? sqliteBackupVersion(file) : pgBackupVersion(file);
}

int restoreDatabase(Database &db, const QString &file, const BackupOptions &options)
{
    const int version = backupSchemaVersion(db.dialect(), file);
    if (version > kSchemaVersion)
        throw SchemaVersionError(QStringLiteral("The backup %1 is of schema version %2, newer than this program's "
                                                "version %3; restore it with the Bunline release that made it.")
                                     .arg(file)
                                     .arg(version)
                                     .arg(kSchemaVersion),
                                 version);
    if (db.dialect() == Dialect::SQLite) {
        if (db.queryNative(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")).value(0).toInt() > 0)
            throw DbError(QStringLiteral("The database %1 is not empty; restore into a new database.")
                              .arg(db.settings().database));
        RawSqlite in(file, SQLITE_OPEN_READONLY);
        copyPages(in.get(), sqliteHandle(db), options, QStringLiteral("from ") + file);
        return version;
    }
    const ConnectionSettings &s = db.settings();
    const PgArchive archive = readPgArchive(file);
    if (archive.schema != pgSchema(s))
        throw DbError(QStringLiteral("The backup %1 holds the schema %2 and the connection string names %3; restore "
                                     "it through a connection string with Schema=%2.")
                          .arg(file, archive.schema, pgSchema(s)));
    if (db.queryNative(QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = %1")
                           .arg(sqlText(pgSchema(s))))
            .value(0)
            .toInt()
        > 0)
        throw DbError(QStringLiteral("The schema %1 of the database %2 is not empty; restore into a new database.")
                          .arg(pgSchema(s), s.database));
    // The schema is made here (the connection may have made it already), so
    // the archive's own CREATE SCHEMA is left out of what it restores.
    QTemporaryFile restoreList;
    if (!restoreList.open())
        throw DbError(QStringLiteral("Cannot write a temporary file: %1").arg(restoreList.errorString()));
    const QRegularExpression schemaEntry(QStringLiteral("^\\d+; \\d+ \\d+ (SCHEMA -|COMMENT - SCHEMA) %1 ")
                                             .arg(QRegularExpression::escape(archive.schema)));
    for (const QString &line : archive.list.split(QLatin1Char('\n')))
        if (!schemaEntry.match(line).hasMatch())
            restoreList.write(line.toUtf8() + '\n');
    restoreList.flush();
    db.executeNative(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(archive.schema));
    // The text columns are of the citext type, which a dump of one schema
    // leaves out: it is made where the dumped tables name it.
    const QString definitions = QString::fromUtf8(runTool(
        QStringLiteral("pg_restore"), {QStringLiteral("--schema-only"), QStringLiteral("--file=-"), file}, {}, {}));
    static const QRegularExpression citext(QStringLiteral("\\b(\\w+)\\.citext\\b"));
    const auto named = citext.match(definitions);
    const QString citextSchema = named.hasMatch() ? named.captured(1) : QStringLiteral("public");
    db.executeNative(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(citextSchema));
    db.executeNative(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext SCHEMA %1").arg(citextSchema));
    runTool(QStringLiteral("pg_restore"),
            pgConnectionArguments(s) << QStringLiteral("--no-owner") << QStringLiteral("--no-privileges")
                                     << QStringLiteral("--exit-on-error") << QStringLiteral("--single-transaction")
                                     << QStringLiteral("--use-list") << restoreList.fileName()
                                     << QStringLiteral("--dbname") << s.database << file,
            s, options);
    createWorkTables(db);
    return version;
}

} // namespace data
