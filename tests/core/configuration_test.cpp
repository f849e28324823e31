#include "core/configuration.h"
#include "core/companysettings.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>

using core::ConfigError;
using core::ReadConfiguration;

namespace {

QString writeConfig(const QTemporaryDir &dir, const char *text)
{
    const QString path = dir.filePath(QStringLiteral("config.txt"));
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text);
    return path;
}

TEST(Configuration, ReadsTheNineItems)
{
    QTemporaryDir dir;
    const core::Configuration c =
        ReadConfiguration(writeConfig(dir,
                                      "Bunline configuration\n"
                                      "Connection string,  \"Driver=PostgreSQL;Host=db, east;Database=plant\"\n"
                                      "Read-only catalogue, No\n"
                                      "Local order IDs, No\n"
                                      "Hide prices, Yes\n"));
    EXPECT_EQ(c.connectionString, QStringLiteral("Driver=PostgreSQL;Host=db, east;Database=plant"));
    EXPECT_FALSE(c.readOnlyCatalogue);
    EXPECT_FALSE(c.localOrderIds);
    EXPECT_TRUE(c.hidePrices);
}

TEST(Configuration, SettingsCompareExactly)
{
    struct Case {
        const char *readOnly, *localIds, *hide;
        bool expectReadOnly, expectLocal, expectHide;
    };
    const Case cases[] = {
        {"No", "No", "No", false, false, false},
        {"no", "NO", "yes", true, true, false},
        {"Yes", "anything", "YES", true, true, false},
        {"\"No\"", "\"No\"", "\"Yes\"", false, false, true},
    };
    for (const Case &k : cases) {
        QTemporaryDir dir;
        const QByteArray text = QByteArray("h\nc, Driver=SQLite;Database=x.db\nr, ") + k.readOnly + "\nl, " + k.localIds
            + "\np, " + k.hide + "\n";
        const core::Configuration c = ReadConfiguration(writeConfig(dir, text.constData()));
        EXPECT_EQ(c.readOnlyCatalogue, k.expectReadOnly) << k.readOnly;
        EXPECT_EQ(c.localOrderIds, k.expectLocal) << k.localIds;
        EXPECT_EQ(c.hidePrices, k.expectHide) << k.hide;
    }
}

TEST(Configuration, ItemsSplitOnCommasAndLineEnds)
{
    // An unquoted connection string with a comma is cut at the comma, and the
    // rest shifts into the following items.
    EXPECT_EQ(core::readConfigurationItems(QStringLiteral("h\nc, Driver=SQLite;Database=a,b.db\n")),
              (QStringList{"h", "c", "Driver=SQLite;Database=a", "b.db"}));
    EXPECT_EQ(core::readConfigurationItems(QStringLiteral("\"a,b\" , c\r\n\r\n  d,\n")),
              (QStringList{"a,b", "c", "d", ""}));
}

TEST(Configuration, AMissingOrShortFileNamesWhatIsMissing)
{
    QTemporaryDir dir;
    try {
        ReadConfiguration(dir.filePath(QStringLiteral("config.txt")));
        FAIL();
    } catch (const ConfigError &e) {
        EXPECT_TRUE(e.text().contains(QLatin1String("config.txt"))) << e.what();
    }
    try {
        ReadConfiguration(writeConfig(dir, "heading\nConnection, \"Driver=SQLite;Database=x.db\"\nRead-only, No\n"));
        FAIL();
    } catch (const ConfigError &e) {
        EXPECT_TRUE(e.text().contains(QLatin1String("config.txt"))) << e.what();
        EXPECT_TRUE(e.text().contains(QLatin1String("local order-ID"))) << e.what();
    }
}

TEST(Configuration, OpenConnectionFindsTheDatabaseBesideTheFile)
{
    testsupport::TempDatabase temp; // makes test.db in its folder
    const QString path = temp.directory() + QStringLiteral("/config.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("h\nc, \"Driver=SQLite;Database=test.db\"\nr, No\nl, No\np, No\n");
    f.close();
    core::OpenConnection(ReadConfiguration(path), path);
    EXPECT_FALSE(core::LoadCompanySettings(data::sharedDatabase()));
    data::addRow(data::sharedDatabase(), QStringLiteral("Company"),
                 {{QStringLiteral("Name"), QStringLiteral("Prairie Foam")},
                  {QStringLiteral("City"), QStringLiteral("Elkhart")},
                  {QStringLiteral("State"), QStringLiteral("IN")},
                  {QStringLiteral("Zip"), QStringLiteral("46514")}});
    EXPECT_TRUE(core::LoadCompanySettings(data::sharedDatabase()));
    EXPECT_EQ(core::companySettings().name, QStringLiteral("Prairie Foam"));
    EXPECT_EQ(core::companySettings().cityStateZip(), QStringLiteral("Elkhart, IN  46514"));
    EXPECT_EQ(core::companySettings().address1, QString());
    data::setSharedDatabase(nullptr);
}

} // namespace

// An installed program keeps its configuration where the user or the machine
// keeps it: the user's own file first, then /etc/bunline/, then the program's
// folder.
TEST(Configuration, WithoutConfigTheUsersFileComesBeforeTheMachinesAndTheProgramFolder)
{
    QTemporaryDir home;
    const testsupport::ScopedEnv xdg("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("config.txt"));
    const QString machine = QStringLiteral("/etc/bunline/config.txt");
    EXPECT_EQ(core::defaultConfigurationPath(), QFileInfo::exists(machine) ? machine : beside);

    QDir(home.path()).mkpath(QStringLiteral("bunline"));
    QFile own(home.filePath(QStringLiteral("bunline/config.txt")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.close();
    EXPECT_EQ(core::defaultConfigurationPath(), own.fileName());
}

// The installed /var/lib/bunline hands its group down (set-group-ID): a
// database made there by one member is writable by the others.
TEST(Configuration, ANewDatabaseInASharedFolderIsWritableByItsGroup)
{
    QTemporaryDir dir;
    const QString shared = dir.filePath(QStringLiteral("shared"));
    const QString own = dir.filePath(QStringLiteral("own"));
    QDir(dir.path()).mkpath(QStringLiteral("shared"));
    QDir(dir.path()).mkpath(QStringLiteral("own"));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 02775), 0);
    data::OpenOptions create;
    create.create = true;
    const mode_t umask = ::umask(022);
    for (const QString &folder : {shared, own})
        data::Database::open(QStringLiteral("Driver=SQLite;Database=%1/plant.db").arg(folder), create);
    ::umask(umask);
    EXPECT_TRUE(QFile::permissions(shared + QStringLiteral("/plant.db")) & QFileDevice::WriteGroup);
    EXPECT_FALSE(QFile::permissions(own + QStringLiteral("/plant.db")) & QFileDevice::WriteGroup)
        << "only a shared folder's files are shared";
}
