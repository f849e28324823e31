#include "data/database.h"

#include "data/quoting.h"
#include "data/schema.h"
#include "data/sqlitefunctions.h"
#include "data/transact.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <atomic>
#include <sqlite3.h>
#include <sys/stat.h>

namespace data {

namespace {

QAtomicInt g_connectionCounter;
std::unique_ptr<Database> g_shared;

QString errorText(const QSqlError &e)
{
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("The database reported an error without a message.");
    return text;
}

QString resolvePath(const QString &file, const QString &base)
{
    if (file.isEmpty() || file == QLatin1String(":memory:") || QDir::isAbsolutePath(file))
        return file;
    return QDir(base.isEmpty() ? QDir::currentPath() : base).absoluteFilePath(file);
}

// A new database file in a folder that hands its group down (the installed
// /var/lib/bunline of the bunline group) is made writable by that group, so
// that every member can work in it whoever created it.
void shareWithFolderGroup(const QString &file)
{
    struct stat folder;
    if (::stat(QFile::encodeName(QFileInfo(file).absolutePath()).constData(), &folder) != 0
        || !(folder.st_mode & S_ISGID))
        return;
    QFile::setPermissions(file, QFile::permissions(file) | QFileDevice::ReadGroup | QFileDevice::WriteGroup);
}

} // namespace

ConnectionSettings ConnectionSettings::parse(const QString &connectionString)
{
    ConnectionSettings s;
    QString driver;
    for (const QString &pair : connectionString.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq < 0) {
            if (pair.trimmed().isEmpty())
                continue;
            throw DbError(
                QStringLiteral("The connection string item \"%1\" is not of the form key=value.").arg(pair.trimmed()));
        }
        const QString key = pair.left(eq).trimmed().toLower();
        const QString value = pair.mid(eq + 1).trimmed();
        if (key == QLatin1String("driver"))
            driver = value.toLower();
        else if (key == QLatin1String("database") || key == QLatin1String("dbname"))
            s.database = value;
        else if (key == QLatin1String("host"))
            s.host = value;
        else if (key == QLatin1String("port")) {
            bool ok = false;
            s.port = value.toInt(&ok);
            if (!ok)
                throw DbError(QStringLiteral("The connection string's Port \"%1\" is not a number.").arg(value));
        } else if (key == QLatin1String("user") || key == QLatin1String("username"))
            s.user = value;
        else if (key == QLatin1String("password"))
            s.password = value;
        else if (key == QLatin1String("schema"))
            s.schema = value;
        else if (key == QLatin1String("linkedserver"))
            s.linkedServer = value;
        else if (key == QLatin1String("linkedschema"))
            s.linkedSchema = value;
        else
            throw DbError(
                QStringLiteral("The connection string has an unknown key \"%1\".").arg(pair.left(eq).trimmed()));
    }
    if (driver == QLatin1String("sqlite"))
        s.dialect = Dialect::SQLite;
    else if (driver == QLatin1String("postgresql") || driver == QLatin1String("postgres"))
        s.dialect = Dialect::PostgreSQL;
    else if (driver.isEmpty())
        throw DbError(QStringLiteral("The connection string names no Driver (SQLite or PostgreSQL)."));
    else
        throw DbError(QStringLiteral("The connection string names the unknown Driver \"%1\".").arg(driver));
    if (s.database.isEmpty())
        throw DbError(QStringLiteral("The connection string names no Database."));
    auto validName = [](const QString &n) {
        static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        return n.isEmpty() || re.match(n).hasMatch();
    };
    if (!validName(s.schema) || !validName(s.linkedSchema))
        throw DbError(QStringLiteral("Schema names in the connection string may hold only letters, digits and _."));
    for (const QString *path : {&s.database, &s.linkedServer})
        if (path->contains(QChar(0)))
            throw DbError(QStringLiteral("The file name \"%1\" in the connection string holds a NUL character.")
                              .arg(QString(*path).replace(QChar(0), QLatin1String("\\0"))));
    return s;
}

std::unique_ptr<Database> Database::open(const QString &connectionString, const OpenOptions &options)
{
    std::unique_ptr<Database> db(new Database);
    db->m_settings = ConnectionSettings::parse(connectionString);
    db->m_options.dialect = db->m_settings.dialect;
    db->m_name = QStringLiteral("bunline-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1));
    ConnectionSettings &s = db->m_settings;
    bool newFile = false;

    if (s.dialect == Dialect::SQLite) {
        s.database = resolvePath(s.database, options.baseDirectory);
        if (!options.create && s.database != QLatin1String(":memory:") && !QFileInfo::exists(s.database))
            throw DbError(QStringLiteral("The database file %1 does not exist.").arg(s.database));
        newFile = options.create && s.database != QLatin1String(":memory:") && !QFileInfo::exists(s.database);
        QSqlDatabase qdb = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), db->m_name);
        qdb.setDatabaseName(s.database);
        qdb.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.timeoutSeconds * 1000));
        if (!qdb.open())
            throw DbError(
                QStringLiteral("Cannot open the database %1: %2").arg(s.database, errorText(qdb.lastError())));
        db->m_options.linkedQualifier = QStringLiteral("quorlanserver");
        if (!s.linkedServer.isEmpty()) {
            // Attaching a missing file would quietly make an empty central
            // database, and a catalogue download from it would empty ours.
            s.linkedServer = resolvePath(s.linkedServer, options.baseDirectory);
            if (s.linkedServer != QLatin1String(":memory:") && !QFileInfo(s.linkedServer).isFile())
                throw DbError(QStringLiteral("The linked server database file %1 does not exist.").arg(s.linkedServer));
        }
    } else {
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
            throw DbError(QStringLiteral("The PostgreSQL driver (QPSQL) is not installed."));
        QSqlDatabase qdb = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), db->m_name);
        qdb.setHostName(s.host.isEmpty() ? QStringLiteral("localhost") : s.host);
        qdb.setPort(s.port);
        qdb.setDatabaseName(s.database);
        qdb.setUserName(s.user);
        qdb.setPassword(s.password);
        qdb.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(options.timeoutSeconds));
        if (!qdb.open())
            throw DbError(QStringLiteral("Cannot connect to the PostgreSQL database %1 on %2:%3: %4")
                              .arg(s.database, qdb.hostName())
                              .arg(s.port)
                              .arg(errorText(qdb.lastError())));
        db->m_options.linkedQualifier = s.linkedSchema.isEmpty() ? QStringLiteral("quorlanserver") : s.linkedSchema;
        if (!s.schema.isEmpty() && options.create)
            db->executeNative(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(s.schema));
    }
    try {
        db->prepare();
        if (newFile)
            shareWithFolderGroup(s.database);
    } catch (const DbError &e) {
        // Name the database: "disk I/O error" alone does not say which file.
        const QString where = s.dialect == Dialect::SQLite
            ? s.database
            : QStringLiteral("%1 on %2:%3").arg(s.database, s.host).arg(s.port);
        throw DbError(QStringLiteral("Cannot prepare the database %1: %2").arg(where, e.message()), e.statement(),
                      e.translated());
    }
    return db;
}

QStringList postgresSessionSetup(const ConnectionSettings &settings)
{
    // Quoting doubles single quotes and nothing else, which is safe only
    // while backslashes in literals are plain characters: this comes first.
    QStringList statements = {QStringLiteral("SET standard_conforming_strings TO on"),
                              QStringLiteral("SET client_min_messages TO warning")};
    if (!settings.schema.isEmpty())
        statements << QStringLiteral("SET search_path TO %1, public").arg(settings.schema);
    return statements;
}

void checkStandardStrings(const QString &shown)
{
    if (shown != QLatin1String("on"))
        throw DbError(QStringLiteral("The server does not let standard_conforming_strings be turned on."));
}

// Everything a fresh connection needs before the program uses it.
void Database::prepare()
{
    if (dialect() == Dialect::SQLite) {
        const QVariant handle = connection().driver()->handle();
        if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
            throw DbError(QStringLiteral("The SQLite driver gave no connection handle."));
        sqlite3 *sqlite = *static_cast<sqlite3 *const *>(handle.data());
        // "x" is a name, never a text literal: a misspelt [Column] must fail,
        // not compare as the text of its own name.
        if (sqlite3_db_config(sqlite, SQLITE_DBCONFIG_DQS_DML, 0, nullptr) != SQLITE_OK
            || sqlite3_db_config(sqlite, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr) != SQLITE_OK)
            throw DbError(QStringLiteral("SQLite cannot turn off double-quoted text literals."));
        registerSqliteFunctions(sqlite);
        if (m_settings.database != QLatin1String(":memory:"))
            queryNative(QStringLiteral("PRAGMA journal_mode=WAL"));
        executeNative(QStringLiteral("PRAGMA synchronous=NORMAL"));
        if (!m_settings.linkedServer.isEmpty())
            executeNative(QStringLiteral("ATTACH DATABASE %1 AS %2")
                              .arg(sqlText(m_settings.linkedServer), m_options.linkedQualifier));
        createWorkTables(*this);
    } else {
        for (const QString &statement : postgresSessionSetup(m_settings))
            executeNative(statement);
        checkStandardStrings(queryNative(QStringLiteral("SHOW standard_conforming_strings")).value(0).toString());
        // The work tables use the case-insensitive text type, which exists once
        // the schema has been created.
        if (!queryNative(QStringLiteral("SELECT 1 FROM pg_type WHERE typname = 'citext'")).isEmpty())
            createWorkTables(*this);
    }
}

Database::~Database()
{
    {
        QSqlDatabase qdb = QSqlDatabase::database(m_name, false);
        if (qdb.isOpen()) {
            if (m_transactionDepth > 0)
                QSqlQuery(qdb).exec(QStringLiteral("ROLLBACK"));
            qdb.close();
        }
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Database::connection() const
{
    return QSqlDatabase::database(m_name, false);
}

QString Database::translate(const QString &statement) const
{
    return translateStatement(statement, m_options);
}

QString Database::checked(const QString &written, const QString *sent) const
{
    try {
        const QString text = sent ? *sent : translate(written);
        checkSingleStatement(text, dialect());
        return text;
    } catch (const DbError &e) {
        throw DbError(e.message(), written);
    }
}

namespace {

// A refused statement as an exception: a clash with another connection as
// TransientDbError, so that the work can be run again.
[[noreturn]] void raise(const QSqlError &error, const QString &written, const QString &sent)
{
    const QString code = error.nativeErrorCode();
    bool number = false;
    // SQLite's extended codes keep the primary one in their low byte:
    // SQLITE_BUSY (5), SQLITE_LOCKED (6).
    const int sqlite = code.toInt(&number);
    if (code == QLatin1String("40001") || code == QLatin1String("40P01")
        || (number && ((sqlite & 0xff) == 5 || (sqlite & 0xff) == 6)))
        throw TransientDbError(errorText(error), written, sent);
    throw DbError(errorText(error), written, sent);
}

} // namespace

Recordset Database::run(const QString &written, const QString &sent, bool wantRows, int *affected,
                        const QVariantList &parameters)
{
    QSqlQuery q(connection());
    q.setForwardOnly(true);
    bool ok;
    if (parameters.isEmpty()) {
        ok = q.exec(sent);
    } else {
        ok = q.prepare(sent);
        for (const QVariant &p : parameters)
            q.addBindValue(p);
        ok = ok && q.exec();
    }
    if (!ok) {
        const QSqlError error = q.lastError();
        q.finish();
        raise(error, written, sent);
    }
    Recordset rs;
    rs.m_db = this;
    if (affected)
        *affected = q.isSelect() ? 0 : q.numRowsAffected();
    if (wantRows && q.isSelect()) {
        const QSqlRecord record = q.record();
        for (int i = 0; i < record.count(); ++i) {
            rs.m_names << record.fieldName(i);
            const QString key = record.fieldName(i).toLower();
            if (!rs.m_index.contains(key))
                rs.m_index.insert(key, i);
        }
        const int n = record.count();
        while (q.next()) {
            std::vector<QVariant> row(static_cast<size_t>(n));
            for (int i = 0; i < n; ++i)
                row[size_t(i)] = q.value(i);
            rs.m_rows.push_back(std::move(row));
        }
        if (q.lastError().isValid()) {
            const QSqlError error = q.lastError();
            q.finish();
            raise(error, written, sent);
        }
    }
    q.finish();
    rs.m_pos = 0;
    return rs;
}

int Database::execute(const QString &statement)
{
    int affected = 0;
    run(statement, checked(statement), false, &affected);
    return affected;
}

int Database::execute(const QString &statement, const QVariantList &parameters)
{
    int affected = 0;
    run(statement, checked(statement), false, &affected, parameters);
    return affected;
}

Recordset Database::query(const QString &statement, const QVariantList &parameters)
{
    Recordset rs = run(statement, checked(statement), true, nullptr, parameters);
    const SelectSource source = analyseSelect(statement);
    rs.m_statement = statement;
    rs.m_updatable = source.updatable && parameters.isEmpty();
    rs.m_table = source.table;
    rs.m_baseName = source.baseName;
    return rs;
}

Recordset Database::perform(const QString &statement, int *affected)
{
    return run(statement, checked(statement), true, affected);
}

int Database::executeNative(const QString &statement)
{
    int affected = 0;
    run(statement, checked(statement, &statement), false, &affected);
    return affected;
}

Recordset Database::queryNative(const QString &statement)
{
    return run(statement, checked(statement, &statement), true, nullptr);
}

bool Database::tableExists(const QString &table)
{
    if (dialect() == Dialect::SQLite)
        return !queryNative(
                    QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = %1 COLLATE NOCASE")
                        .arg(sqlText(table)))
                    .isEmpty();
    return !queryNative(QStringLiteral("SELECT 1 FROM information_schema.tables WHERE table_schema = current_schema() "
                                       "AND table_name = %1")
                            .arg(sqlText(table.toLower())))
                .isEmpty();
}

void Database::beginTransaction()
{
    if (m_transactionDepth++ > 0)
        return;
    m_rollbackOnly = false;
    try {
        // IMMEDIATE takes SQLite's write lock at once, so two workstations
        // writing together wait for each other instead of failing half-way.
        executeNative(dialect() == Dialect::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
    } catch (...) {
        m_transactionDepth = 0;
        throw;
    }
}

void Database::commit()
{
    if (m_transactionDepth <= 0)
        throw DbError(QStringLiteral("Commit without a transaction."));
    if (--m_transactionDepth > 0)
        return;
    if (m_rollbackOnly) {
        executeNative(QStringLiteral("ROLLBACK"));
        throw DbError(QStringLiteral("The changes were rolled back because part of them failed."));
    }
    try {
        executeNative(QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            executeNative(QStringLiteral("ROLLBACK"));
        } catch (...) {
        }
        throw;
    }
}

void Database::rollback()
{
    if (m_transactionDepth <= 0)
        return;
    if (--m_transactionDepth > 0) {
        m_rollbackOnly = true;
        return;
    }
    executeNative(QStringLiteral("ROLLBACK"));
}

void Database::syncCounter(const QString &writtenTable, const QString &column)
{
    if (dialect() != Dialect::PostgreSQL)
        return;
    const QString table = translate(writtenTable);
    if (table.contains(QLatin1Char('.')))
        return; // a linked server's table keeps its own counter
    const Recordset seq = queryNative(
        QStringLiteral("SELECT pg_get_serial_sequence(%1, %2)").arg(sqlText(table), sqlText(column.toLower())));
    if (seq.isEmpty() || seq.value(0).isNull())
        return;
    const QString sequence = seq.value(0).toString();
    const Recordset state = queryNative(QStringLiteral("SELECT last_value, is_called FROM %1").arg(sequence));
    const qint64 current = state.value(0).toLongLong() - (state.value(1).toBool() ? 0 : 1);
    const Recordset max =
        queryNative(QStringLiteral("SELECT COALESCE(MAX(\"%1\"), 0) FROM %2").arg(column.toLower(), table));
    const qint64 highest = max.value(0).toLongLong();
    if (highest > current)
        queryNative(QStringLiteral("SELECT setval(%1, %2, true)").arg(sqlText(sequence)).arg(highest));
}

void Database::lockForNewKey(const QString &table)
{
    if (!inTransaction())
        throw DbError(QStringLiteral("A new key for %1 must be taken inside a transaction.").arg(table));
    if (dialect() == Dialect::PostgreSQL)
        queryNative(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(%1))")
                        .arg(sqlText(QStringLiteral("bunline.newkey.") + table.toLower())));
}

namespace {
std::atomic<int> g_retries{0};
} // namespace

int retriedTransactions()
{
    return g_retries.load();
}

void pauseBeforeRetry(int attempt)
{
    ++g_retries;
    QThread::msleep(unsigned(QRandomGenerator::global()->bounded(20, 60) * attempt));
}

Transaction::Transaction(Database &db) : m_db(db)
{
    m_db.beginTransaction();
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    try {
        m_db.rollback();
    } catch (...) {
    }
}

void Transaction::commit()
{
    m_done = true;
    m_db.commit();
}

Recordset addRow(Database &db, const QString &table, const std::vector<std::pair<QString, QVariant>> &values)
{
    Recordset rs = db.query(QStringLiteral("SELECT TOP 1 * FROM ") + table);
    rs.addNew();
    for (const auto &[column, value] : values)
        rs.setValue(column, value);
    rs.update();
    return rs;
}

void DropTable(Database &db, const QString &name)
{
    try {
        db.execute(QStringLiteral("DROP TABLE IF EXISTS ") + name);
    } catch (const DbError &) {
        // The table may not exist, or may be no table at all: nothing to do.
    }
}

Database &sharedDatabase()
{
    if (!g_shared)
        throw DbError(QStringLiteral("No database connection is open."));
    return *g_shared;
}

bool hasSharedDatabase()
{
    return g_shared != nullptr;
}

void setSharedDatabase(std::unique_ptr<Database> db)
{
    g_shared = std::move(db);
}

} // namespace data
