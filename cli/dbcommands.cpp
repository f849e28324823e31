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
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n'))) {
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

} // namespace

int initDb(Context &ctx)
{
    const QString user = ctx.takeOption(QStringLiteral("--admin-user"));
    const QString password = ctx.takeOption(QStringLiteral("--admin-password"));
    ctx.finish();
    if (user.isEmpty() != password.isEmpty())
        throw CliError(QStringLiteral("--admin-user and --admin-password go together"));

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
        data::createSchema(*db);
        data::Transaction tx(*db);
        data::Recordset rs = db->query(QStringLiteral("SELECT TOP 1 * FROM [User]"));
        rs.addNew();
        const QString name = user.isEmpty() ? QStringLiteral("admin") : user;
        rs.setValue(QStringLiteral("Name"), QStringLiteral("Administrator"));
        rs.setValue(QStringLiteral("Username"), name);
        rs.setValue(QStringLiteral("Password"), data::hashPassword(user.isEmpty() ? QStringLiteral("admin") : password));
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
        ctx.out << "Created the Bunline schema; administrator \"" << name << "\""
                << (user.isEmpty() ? " with password \"admin\" (change it)" : "") << ".\n";
    } catch (...) {
        if (!createdFile.isEmpty())
            for (const QString &f : sqliteFiles(createdFile))
                QFile::remove(f);
        throw;
    }
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
