#include "cli.h"

#include "data/database.h"
#include "data/demoplant.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "core/configuration.h"
#include "data/passwords.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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

// SQLite files that init-db made and must take away again when it fails.
QStringList sqliteFiles(const QString &path)
{
    return {path, path + QStringLiteral("-wal"), path + QStringLiteral("-shm")};
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
    QString createdFile;
    if (settings.dialect == data::Dialect::SQLite) {
        const QString path = QFileInfo(settings.database).isAbsolute()
            ? settings.database
            : QFileInfo(ctx.configPath).absoluteDir().absoluteFilePath(settings.database);
        if (!QFileInfo::exists(path))
            createdFile = path;
    }
    try {
        std::unique_ptr<data::Database> db = ctx.openDatabase(true);
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
        tx.commit();
        data::createWorkTables(*db);
        ctx.out << "Created the Bunline schema; administrator \"" << name << "\"";
        if (generated)
            ctx.out << " with the password " << password << " (shown only this once; write it down)";
        ctx.out << ".\n";
    } catch (...) {
        if (!createdFile.isEmpty())
            for (const QString &f : sqliteFiles(createdFile))
                QFile::remove(f);
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
    data::addDemoPlant(*db);
    ctx.out << "Added the demo plant.\n";
    return 0;
}

} // namespace cli
