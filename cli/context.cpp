#include "cli.h"

#include "data/database.h"
#include "data/schemaversion.h"
#include "core/configuration.h"
#include "core/formats.h"
#include "core/vbnumeric.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

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

QDate Context::takeDate(const QString &name, const QDate &otherwise, DateForm form)
{
    const bool given = args.contains(name);
    const QString text = takeOption(name);
    return given ? dateValue(text, name, form) : otherwise;
}

double Context::takeAmount(const QString &name, bool *given)
{
    const bool present = args.contains(name);
    if (given)
        *given = present;
    const QString text = takeOption(name);
    return present ? amountValue(text, name) : 0;
}

QDate dateValue(const QString &text, const QString &argument, DateForm form)
{
    static const QRegularExpression iso(QStringLiteral(R"(^\d{4}-\d{2}-\d{2}$)"));
    const QDate date = form == DateForm::Iso && !iso.match(text).hasMatch() ? QDate() : core::parseShortDate(text);
    if (!date.isValid() || date.year() < 1753 || date.year() > 9999)
        throw CliError(
            QStringLiteral("%1: \"%2\" is not a date (%3)")
                .arg(argument, text,
                     form == DateForm::Iso ? QStringLiteral("YYYY-MM-DD") : QStringLiteral("YYYY-MM-DD or M/D/YYYY")));
    return date;
}

double amountValue(const QString &text, const QString &argument)
{
    const std::optional<double> amount = core::parseMoney(text);
    if (!amount)
        throw CliError(QStringLiteral("%1: \"%2\" is not an amount").arg(argument, text));
    return *amount;
}

double quantityValue(const QString &text, const QString &argument)
{
    if (!core::IsNumeric(text))
        throw CliError(QStringLiteral("%1: \"%2\" is not a quantity").arg(argument, text.trimmed()));
    const double value = core::Val(text);
    if (!std::isfinite(value) || std::fabs(value) >= core::kLargestAmount)
        throw CliError(QStringLiteral("%1: \"%2\" is too large a quantity").arg(argument, text.trimmed()));
    return value;
}

qint64 wholeNumberValue(const QString &text, const QString &argument)
{
    bool ok = false;
    const qint64 n = text.trimmed().toLongLong(&ok);
    if (!ok)
        throw CliError(QStringLiteral("%1: \"%2\" is not a whole number").arg(argument, text.trimmed()));
    return n;
}

void Context::finish() const
{
    if (!args.isEmpty())
        throw CliError(QStringLiteral("unexpected argument \"%1\"").arg(args.first()));
}

void Context::flushOut()
{
    out.flush();
    errno = 0;
    const bool failed = out.status() != QTextStream::Ok || std::fflush(stdout) != 0 || std::ferror(stdout);
    if (failed)
        throw CliError(
            QStringLiteral("standard output could not be written%1")
                .arg(errno ? QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno)) : QString()));
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
