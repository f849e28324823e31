#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace data {
class Database;
} // namespace data

namespace core {

// config.txt could not be read or does not hold what start-up needs.
class ConfigError : public std::runtime_error {
public:
    explicit ConfigError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// The settings of config.txt, held for the whole run.
struct Configuration {
    QString connectionString;
    bool readOnlyCatalogue = false; // the style catalogue cannot be changed
    bool localOrderIds = false;     // new orders are numbered MAX(ID) + 1 here
    bool hidePrices = false;        // prices and costs are not shown
};

// The file's items in the free comma-separated format: commas and line ends
// separate items, leading blanks are skipped, an item in double quotes is taken
// without them (and may hold commas). Blank lines hold no item.
QStringList readConfigurationItems(const QString &text);

// Reads config.txt: a heading, then label and value for the connection string
// and the three settings - nine items. The read-only and local order-ID
// settings are on for anything but exactly "No"; prices are hidden only for
// exactly "Yes".
Configuration ReadConfiguration(const QString &path);

// Where a program started without --config finds config.txt: the first that
// exists of the user's (~/.config/bunline/), the machine's (/etc/bunline/)
// and the program's folder; the program's folder when none does.
QString defaultConfigurationPath();

// The settings of this run (start-up sets them; screens read them).
const Configuration &currentConfiguration();
void setCurrentConfiguration(const Configuration &configuration);

// Opens the shared connection with the 10-second time-out; relative SQLite
// files are found beside config.txt. Throws data::DbError with the driver's
// text, and data::SchemaVersionError for a database of another schema version.
void OpenConnection(const Configuration &configuration, const QString &configurationPath);

} // namespace core
