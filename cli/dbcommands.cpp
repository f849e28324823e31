#include "cli.h"

#include "data/database.h"
#include "data/demoplant.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "core/configuration.h"
#include "data/passwords.h"
#include "data/topiclock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace cli {

namespace {

QString csvField(const QVariant &v)
{
    QString s;
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        s = data::sqlNumber(v.toDouble());
    else if (v.typeId() == QMetaType::QDateTime)
        s = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    else
        s = v.toString();
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n'))
        || s.contains(QLatin1Char('\r'))) {
        s.replace(QLatin1Char('"'), QLatin1String("\"\""));
        s = QLatin1Char('"') + s + QLatin1Char('"');
    }
    return s;
}

// The database file with its WAL and shared-memory files.
QStringList sqliteFiles(const QString &path)
{
    return {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
}

void removeSqliteFiles(const QString &path)
{
    for (const QString &f : sqliteFiles(path))
        QFile::remove(f);
}

// Puts a finished database file in place under its name, unless a file of
// that name exists by now: two init-db runs on a new file never overwrite each
// other, and the loser takes away only its own private file.
void placeNewDatabase(const QString &built, const QString &path)
{
    const QByteArray from = QFile::encodeName(built);
    const QByteArray to = QFile::encodeName(path);
    int rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without the no-replace rename: a hard link is just as
        // exclusive.
        rc = ::link(from.constData(), to.constData());
        if (rc == 0)
            ::unlink(from.constData());
    }
    if (rc != 0) {
        const int error = errno;
        removeSqliteFiles(built);
        if (error == EEXIST)
            throw CliError(QStringLiteral("Another init-db run created the database %1 meanwhile; nothing was "
                                          "changed by this one.")
                               .arg(path));
        throw CliError(QStringLiteral("The database %1 could not be put in place: %2")
                           .arg(path, QString::fromLocal8Bit(strerror(error))));
    }
}

// The administrator's password: from --admin-password, from the first line of
// --admin-password-file (or standard input for "-"), or made up here.
QString adminPassword(Context &ctx, bool *generated)
{
    const QString given = ctx.takeOption(QStringLiteral("--admin-password"));
    const QString file = ctx.takeOption(QStringLiteral("--admin-password-file"));
    *generated = false;
    if (!given.isEmpty() && !file.isEmpty())
        throw CliError(QStringLiteral("give --admin-password or --admin-password-file, not both"));
    if (!given.isEmpty())
        return given;
    if (file.isEmpty()) {
        *generated = true;
        return data::generatePassword();
    }
    QFile in;
    const bool opened = file == QLatin1String("-") ? in.open(stdin, QIODevice::ReadOnly)
                                                   : (in.setFileName(file), in.open(QIODevice::ReadOnly));
    if (!opened)
        throw CliError(QStringLiteral("cannot read the password file %1: %2").arg(file, in.errorString()));
    QString password = QString::fromUtf8(in.readLine());
    while (password.endsWith(QLatin1Char('\n')) || password.endsWith(QLatin1Char('\r')))
        password.chop(1);
    if (password.isEmpty())
        throw CliError(QStringLiteral("the password file %1 holds no password on its first line").arg(file));
    return password;
}

} // namespace

int initDb(Context &ctx)
{
    const QString user = ctx.takeOption(QStringLiteral("--admin-user"));
    bool generated = false;
    const QString password = adminPassword(ctx, &generated);
    ctx.finish();
    const QString name = user.isEmpty() ? QStringLiteral("admin") : user;
    // Hashing takes a moment and may fail; it comes before anything is written.
    const QString hash = data::hashPassword(password);

    const core::Configuration configuration = core::ReadConfiguration(ctx.configPath);
    const data::ConnectionSettings settings = data::ConnectionSettings::parse(configuration.connectionString);
    // A new SQLite database is built in a file of this run's own and put in
    // place only when it is complete; an existing file is filled where it is.
    QString path;
    QString built;
    if (settings.dialect == data::Dialect::SQLite && settings.database != QLatin1String(":memory:")) {
        path = QFileInfo(settings.database).isAbsolute()
            ? settings.database
            : QFileInfo(ctx.configPath).absoluteDir().absoluteFilePath(settings.database);
        if (!QFileInfo::exists(path)) {
            built = QStringLiteral("%1.init-%2.tmp").arg(path).arg(QCoreApplication::applicationPid());
            removeSqliteFiles(built);
        }
    }
    try {
        std::unique_ptr<data::Database> db;
        if (built.isEmpty()) {
            db = ctx.openDatabase(true);
        } else {
            data::OpenOptions options;
            options.create = true;
            db = data::Database::open(QStringLiteral("Driver=SQLite;Database=") + built, options);
        }
        const data::ExclusiveRun run(*db, QStringLiteral("init-db"));
        // Schema, reference rows and administrator in one transaction: a
        // database is either ready to log in to or holds nothing at all.
        data::Transaction tx(*db);
        data::createSchema(*db);
        data::Recordset rs = db->query(QStringLiteral("SELECT TOP 1 * FROM [User]"));
        rs.addNew();
        rs.setValue(QStringLiteral("Name"), QStringLiteral("Administrator"));
        rs.setValue(QStringLiteral("Username"), name);
        rs.setValue(QStringLiteral("Password"), hash);
        rs.setValue(QStringLiteral("Type"), QStringLiteral("Admin"));
        rs.setValue(QStringLiteral("SalesRep"), 0);
        rs.setValue(QStringLiteral("Inactive"), 0);
        for (const char *qty : {"SalesOrderPrintQty", "InvoicePrintQty", "PackingSlipPrintQty", "PickTicketPrintQty"})
            rs.setValue(QString::fromLatin1(qty), QStringLiteral("1"));
        rs.setValue(QStringLiteral("EnteredDate"), QDateTime::currentDateTime());
        rs.setValue(QStringLiteral("EnteredBy"), QStringLiteral("bunlinectl"));
        rs.update();
        // A made-up password is shown before the administrator exists: if it
        // cannot be shown, nobody could log in, so nothing is kept.
        if (generated) {
            ctx.out << "The administrator \"" << name << "\" gets the password " << password
                    << " (shown only this once; write it down).\n";
            ctx.flushOut();
        }
        tx.commit();
        data::createWorkTables(*db);
        if (!built.isEmpty()) {
            // Everything into the one file, which then goes in place whole.
            db->queryNative(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            db.reset();
            placeNewDatabase(built, path);
            built.clear();
        }
        ctx.out << "Created the Bunline schema; administrator \"" << name << "\".\n";
    } catch (...) {
        if (!built.isEmpty())
            removeSqliteFiles(built);
        throw;
    }
    return 0;
}

int upgradePasswords(Context &ctx)
{
    ctx.finish();
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    const int upgraded = data::upgradePlainPasswords(*db);
    ctx.out << "Hashed " << upgraded << (upgraded == 1 ? " plain-text password.\n" : " plain-text passwords.\n");
    return 0;
}

int sql(Context &ctx)
{
    if (ctx.args.isEmpty())
        throw CliError(QStringLiteral("sql needs at least one statement"));
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    bool first = true;
    for (const QString &statement : ctx.args) {
        if (!first)
            ctx.out << "\n";
        first = false;
        int affected = 0;
        const data::Recordset rs = db->perform(statement, &affected);
        if (rs.fieldCount() == 0) {
            ctx.out << affected << (affected == 1 ? " row changed\n" : " rows changed\n");
            continue;
        }
        QStringList header;
        for (const QString &name : rs.fieldNames())
            header << csvField(name);
        ctx.out << header.join(QLatin1Char(',')) << "\n";
        for (const auto &row : rs.rows()) {
            QStringList fields;
            for (const QVariant &v : row)
                fields << csvField(v);
            ctx.out << fields.join(QLatin1Char(',')) << "\n";
        }
    }
    return 0;
}

int demoData(Context &ctx)
{
    ctx.finish();
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    const data::ExclusiveRun run(*db, QStringLiteral("demo-data"));
    data::addDemoPlant(*db);
    ctx.out << "Added the demo plant.\n";
    return 0;
}

} // namespace cli
