#include "core/configuration.h"

#include "data/database.h"
#include "data/schemaversion.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// The machine's configuration folder.
#ifndef BUNLINE_SYSCONFDIR
#define BUNLINE_SYSCONFDIR "/etc"
#endif

namespace core {

namespace {
Configuration g_configuration;

const char *const kItemMeaning[9] = {
    "the heading (line 1)",
    "the connection string label (line 2)",
    "the connection string (line 2)",
    "the read-only catalogue label (line 3)",
    "the read-only catalogue setting (line 3)",
    "the local order-ID label (line 4)",
    "the local order-ID setting (line 4)",
    "the hide-prices label (line 5)",
    "the hide-prices setting (line 5)",
};
} // namespace

QStringList readConfigurationItems(const QString &text)
{
    QStringList items;
    const QStringList lines =
        QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        qsizetype i = 0;
        const qsizetype n = line.size();
        while (i <= n) {
            while (i < n && (line[i] == QLatin1Char(' ') || line[i] == QLatin1Char('\t')))
                ++i;
            QString item;
            if (i < n && line[i] == QLatin1Char('"')) {
                const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
                if (close < 0) {
                    item = line.mid(i + 1);
                    i = n;
                } else {
                    item = line.mid(i + 1, close - i - 1);
                    i = close + 1;
                }
                // Anything between the closing quote and the next comma is dropped.
                const qsizetype comma = line.indexOf(QLatin1Char(','), i);
                i = comma < 0 ? n : comma;
            } else {
                const qsizetype comma = line.indexOf(QLatin1Char(','), i);
                const qsizetype end = comma < 0 ? n : comma;
                item = line.mid(i, end - i);
                i = end;
            }
            items << item;
            if (i >= n)
                break;
            ++i; // past the comma
            if (i == n) {
                items << QString(); // a trailing comma ends with an empty item
                break;
            }
        }
    }
    return items;
}

Configuration ReadConfiguration(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw ConfigError(QStringLiteral("The configuration file %1 is missing.").arg(QDir::toNativeSeparators(path)));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw ConfigError(QStringLiteral("The configuration file %1 cannot be read: %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()));
    const QStringList items = readConfigurationItems(QString::fromUtf8(file.readAll()));
    if (items.size() < 9)
        throw ConfigError(QStringLiteral("The configuration file %1 holds %2 of its 9 items; %3 is missing.")
                              .arg(QDir::toNativeSeparators(path))
                              .arg(items.size())
                              .arg(QLatin1String(kItemMeaning[items.size()])));
    Configuration c;
    c.connectionString = items[2];
    c.readOnlyCatalogue = items[4] != QLatin1String("No");
    c.localOrderIds = items[6] != QLatin1String("No");
    c.hidePrices = items[8] == QLatin1String("Yes");
    return c;
}

// Where a program started without --config looks for config.txt, in order:
// the user's configuration folder (~/.config/bunline/), the machine's
// (/etc/bunline/), then the program's own folder.
static QStringList configurationSearchPaths()
{
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    QStringList paths;
    if (!user.isEmpty())
        paths << QDir(user).filePath(QStringLiteral("bunline/config.txt"));
    paths << QStringLiteral(BUNLINE_SYSCONFDIR "/bunline/config.txt");
    paths << QDir(dir).filePath(QStringLiteral("config.txt"));
    return paths;
}

QString defaultConfigurationPath()
{
    const QStringList paths = configurationSearchPaths();
    for (const QString &path : paths)
        if (QFileInfo(path).isFile())
            return path;
    return paths.last();
}

const Configuration &currentConfiguration()
{
    return g_configuration;
}

void setCurrentConfiguration(const Configuration &configuration)
{
    g_configuration = configuration;
}

void OpenConnection(const Configuration &configuration, const QString &configurationPath)
{
    data::OpenOptions options;
    options.timeoutSeconds = 10;
    options.baseDirectory = QFileInfo(configurationPath).absolutePath();
    std::unique_ptr<data::Database> db = data::Database::open(configuration.connectionString, options);
    // An administrator decides when a shared database changes, not whichever
    // workstation starts first: an older one waits for upgrade-db.
    data::checkSchemaVersion(*db, data::OlderSchema::Refuse);
    data::setSharedDatabase(std::move(db));
}

} // namespace core
