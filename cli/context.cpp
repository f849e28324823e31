#include "cli.h"

#include "data/database.h"
#include "data/schemaversion.h"
#include "core/configuration.h"

#include <QFileInfo>

namespace cli {

QString Context::takeOption(const QString &name)
{
    const qsizetype i = args.indexOf(name);
    if (i < 0)
        return {};
    if (i + 1 >= args.size())
        throw CliError(QStringLiteral("%1 needs a value").arg(name));
    const QString value = args[i + 1];
    args.remove(i, 2);
    return value;
}

bool Context::takeFlag(const QString &name)
{
    return args.removeAll(name) > 0;
}

QString Context::takeLeading(const QString &usage)
{
    if (args.isEmpty() || args.first().startsWith(QLatin1String("--")))
        throw CliError(QStringLiteral("usage: bunlinectl ") + usage);
    return args.takeFirst();
}

QString Context::takeOutFolder(const QString &command)
{
    const QString out = takeOption(QStringLiteral("--out"));
    if (out.isEmpty())
        throw CliError(QStringLiteral("%1 needs --out DIR").arg(command));
    return out;
}

QString Context::takeFormat()
{
    QString format = takeOption(QStringLiteral("--format")).toLower();
    if (format.isEmpty())
        format = QStringLiteral("pdf");
    if (format != QLatin1String("pdf") && format != QLatin1String("csv"))
        throw CliError(QStringLiteral("--format must be pdf or csv, not \"%1\"").arg(format));
    return format;
}

void Context::finish() const
{
    if (!args.isEmpty())
        throw CliError(QStringLiteral("unexpected argument \"%1\"").arg(args.first()));
}

std::unique_ptr<data::Database> Context::openDatabase(bool create) const
{
    const core::Configuration configuration = core::ReadConfiguration(configPath);
    data::OpenOptions options;
    options.create = create;
    options.baseDirectory = QFileInfo(configPath).absolutePath();
    std::unique_ptr<data::Database> db = data::Database::open(configuration.connectionString, options);
    data::checkSchemaVersion(*db, acceptOlderSchema ? data::OlderSchema::Accept : data::OlderSchema::Refuse);
    return db;
}

} // namespace cli
