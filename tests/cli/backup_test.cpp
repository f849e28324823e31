// Backups taken while workstations write, restored into a new database.
#include "data/backup.h"
#include "data/demoplant.h"
#include "data/schema.h"
#include "data/schemaversion.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>

using testsupport::TempDatabase;

namespace {

// A database of its own on the PostgreSQL test server (a restore recreates
// the dumped schema by its name, which the source's database already holds).
class PgDatabase {
public:
    PgDatabase() : m_name(QStringLiteral("bunline_restore_%1").arg(QRandomGenerator::global()->generate(), 0, 36))
    {
        admin()->executeNative(QStringLiteral("CREATE DATABASE ") + m_name);
    }
    ~PgDatabase()
    {
        try {
            admin()->executeNative(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
        } catch (const std::exception &) {
        }
    }
    QString connectionString(const QString &schema) const
    {
        QString s = qEnvironmentVariable("BUNLINE_TEST_PG");
        s.replace(QRegularExpression(QStringLiteral("Database=[^;]*")), QStringLiteral("Database=") + m_name);
        return schema.isEmpty() ? s : s + QStringLiteral(";Schema=") + schema;
    }

private:
    static std::unique_ptr<data::Database> admin()
    {
        return data::Database::open(qEnvironmentVariable("BUNLINE_TEST_PG"));
    }
    QString m_name;
};

class Backup : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        data::addDemoPlant(db());
    }
    // An empty database to restore into: a new SQLite file, or a new
    // PostgreSQL database whose connection names the source's schema.
    std::unique_ptr<data::Database> emptyTarget()
    {
        data::OpenOptions create;
        create.create = true;
        if (!isPostgres())
            return data::Database::open(
                QStringLiteral("Driver=SQLite;Database=") + m_dir.filePath(QStringLiteral("restored.db")), create);
        m_pg = std::make_unique<PgDatabase>();
        return data::Database::open(m_pg->connectionString(temp().schema()), create);
    }
    QString backupFile() const { return m_dir.filePath(QStringLiteral("plant.backup")); }

    QTemporaryDir m_dir;
    std::unique_ptr<PgDatabase> m_pg;
};

// One order of three lines, written whole in one transaction.
void writeOrder(data::Database &db, int n)
{
    data::Transaction tx(db);
    const data::Recordset order = data::addRow(db, QStringLiteral("Orders"),
                                               {{QStringLiteral("OrderNumber"), QStringLiteral("BK-%1").arg(n)},
                                                {QStringLiteral("Customer"), QStringLiteral("Backup Test")},
                                                {QStringLiteral("Status"), QStringLiteral("Open")},
                                                {QStringLiteral("Total"), 6.0}});
    const qint64 id = order.value(QStringLiteral("ID")).toLongLong();
    for (int item = 1; item <= 3; ++item)
        db.execute(QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Qty, PriceEach, PriceExt) VALUES "
                                  "(%1, %2, 1, 2, 2)")
                       .arg(id)
                       .arg(item));
    tx.commit();
}

TEST_P(Backup, WritesDuringABackupNeverLeaveHalfAnOrderInIt)
{
    auto workstation = temp().openAnother();
    const int demoOrders = db().query(QStringLiteral("SELECT COUNT(*) AS N FROM Orders")).integer(QStringLiteral("N"));
    int written = 0;
    data::BackupOptions options;
    options.pagesPerStep = 1;
    options.progress = [&](qint64, qint64) {
        if (written < 40)
            writeOrder(*workstation, ++written);
    };
    data::backupDatabase(db(), backupFile(), options);
    ASSERT_GT(written, 0) << "no write happened while the backup ran";
    EXPECT_FALSE(QFile::exists(backupFile() + QStringLiteral(".part")));
    EXPECT_EQ(data::backupSchemaVersion(GetParam(), backupFile()), data::kSchemaVersion);

    auto target = emptyTarget();
    EXPECT_EQ(data::restoreDatabase(*target, backupFile()), data::kSchemaVersion);
    EXPECT_NO_THROW(data::checkSchemaVersion(*target, data::OlderSchema::Refuse));
    // Every order with all its lines, and the orders written during the
    // backup present as a run from the first (the database of one moment).
    const data::Recordset orders = target->query(QStringLiteral(
        "SELECT o.OrderNumber AS OrderNumber, (SELECT COUNT(*) FROM OrderItems i WHERE i.OrderID = o.ID) AS Lines "
        "FROM Orders o WHERE o.Customer = 'Backup Test' ORDER BY o.ID"));
    int n = 0;
    for (const auto &row : orders.rows()) {
        EXPECT_EQ(row[0].toString(), QStringLiteral("BK-%1").arg(++n));
        EXPECT_EQ(row[1].toInt(), 3) << row[0].toString().toStdString();
    }
    EXPECT_EQ(target
                  ->query(QStringLiteral("SELECT COUNT(*) AS N FROM OrderItems WHERE OrderID NOT IN (SELECT ID FROM "
                                         "Orders)"))
                  .integer(QStringLiteral("N")),
              0);
    EXPECT_EQ(target->query(QStringLiteral("SELECT COUNT(*) AS N FROM Orders")).integer(QStringLiteral("N")),
              demoOrders + n);
    if (!isPostgres()) {
        EXPECT_EQ(n, 0) << "the copy is the database as the backup began";
    }
    // The restored database goes on numbering orders after the highest key.
    writeOrder(*target, 999);
}

TEST_P(Backup, RestoreRefusesANonEmptyDatabaseANewerBackupAndAStrangeFile)
{
    data::backupDatabase(db(), backupFile());
    EXPECT_THROW(data::backupDatabase(db(), backupFile()), data::DbError) << "overwrote a file";
    try {
        data::restoreDatabase(db(), backupFile());
        FAIL() << "restored over a database with the plant in it";
    } catch (const data::DbError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("not empty"))) << e.message().toStdString();
    }

    data::writeSchemaVersion(db(), data::kSchemaVersion + 1);
    const QString newer = m_dir.filePath(QStringLiteral("newer.backup"));
    data::backupDatabase(db(), newer);
    auto target = emptyTarget();
    try {
        data::restoreDatabase(*target, newer);
        FAIL() << "restored a backup of a newer schema";
    } catch (const data::SchemaVersionError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("version %1").arg(data::kSchemaVersion + 1))
                    && e.message().contains(QStringLiteral("version %1").arg(data::kSchemaVersion)))
            << e.message().toStdString();
    }
    EXPECT_EQ(target
                  ->queryNative(isPostgres() ? QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE "
                                                              "table_schema = current_schema()")
                                             : QStringLiteral("SELECT COUNT(*) FROM sqlite_master"))
                  .value(0)
                  .toInt(),
              0);

    const QString strange = m_dir.filePath(QStringLiteral("notes.txt"));
    QFile f(strange);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a backup\n");
    f.close();
    EXPECT_THROW(data::restoreDatabase(*target, strange), data::DbError);
}

BUNLINE_ON_EVERY_BACKEND(Backup);

// A plant's own PostgreSQL database keeps its tables in the public schema,
// which every new database already has.
TEST(PostgresBackup, APlantInThePublicSchemaRestoresIntoANewDatabase)
{
    if (qEnvironmentVariableIsEmpty("BUNLINE_TEST_PG"))
        GTEST_SKIP() << "BUNLINE_TEST_PG is not set";
    QTemporaryDir dir;
    PgDatabase plant, spare;
    data::OpenOptions create;
    create.create = true;
    auto source = data::Database::open(plant.connectionString({}), create);
    data::createSchema(*source);
    data::addDemoPlant(*source);
    const QString file = dir.filePath(QStringLiteral("plant.backup"));
    data::backupDatabase(*source, file);
    auto target = data::Database::open(spare.connectionString({}), create);
    EXPECT_EQ(data::restoreDatabase(*target, file), data::kSchemaVersion);
    const QString lines = QStringLiteral("SELECT COUNT(*) AS N FROM OrderItems");
    EXPECT_EQ(target->query(lines).integer(QStringLiteral("N")), source->query(lines).integer(QStringLiteral("N")));
    EXPECT_GT(target->query(lines).integer(QStringLiteral("N")), 0);
}

// The commands as an administrator runs them.
TEST(BackupCommands, BackupAndRestoreRoundTripAndSayWhatIsMissing)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("plant"));
    QDir(dir.path()).mkpath(QStringLiteral("spare"));
    const QString plant = testsupport::writeCtlConfig(dir, QStringLiteral("Driver=SQLite;Database=plant/plant.db"));
    ASSERT_EQ(testsupport::runCtl(plant,
                                  {QStringLiteral("init-db"), QStringLiteral("--admin-password"), QStringLiteral("pw")})
                  .exitCode,
              0);
    ASSERT_EQ(testsupport::runCtl(plant, {QStringLiteral("demo-data")}).exitCode, 0);
    const QString file = dir.filePath(QStringLiteral("plant.backup"));
    const auto backup = testsupport::runCtl(plant, {QStringLiteral("backup"), QStringLiteral("--out"), file});
    ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    EXPECT_TRUE(backup.out.contains(file)) << backup.out.toStdString();
    EXPECT_NE(testsupport::runCtl(plant, {QStringLiteral("backup"), QStringLiteral("--out"), file}).exitCode, 0);

    // Restore into the configuration of a database that does not exist yet.
    QFile::rename(plant, dir.filePath(QStringLiteral("plant.txt")));
    const QString spare = testsupport::writeCtlConfig(dir, QStringLiteral("Driver=SQLite;Database=spare/spare.db"));
    const auto restored = testsupport::runCtl(spare, {QStringLiteral("restore"), file});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    const QString count = QStringLiteral("SELECT COUNT(*) AS N FROM OrderItems");
    EXPECT_EQ(testsupport::runCtl(spare, {QStringLiteral("sql"), count}).out,
              testsupport::runCtl(dir.filePath(QStringLiteral("plant.txt")), {QStringLiteral("sql"), count}).out);
    // A second restore finds the database in use.
    const auto again = testsupport::runCtl(spare, {QStringLiteral("restore"), file});
    EXPECT_NE(again.exitCode, 0);
    EXPECT_TRUE(again.err.contains(QLatin1String("not empty"))) << again.err.toStdString();
    // A missing backup file creates no database.
    QFile::remove(dir.filePath(QStringLiteral("spare/spare.db")));
    const auto missing = testsupport::runCtl(spare, {QStringLiteral("restore"), dir.filePath(QStringLiteral("none"))});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("spare/spare.db"))));

    if (qEnvironmentVariableIsEmpty("BUNLINE_TEST_PG"))
        return;
    // Without pg_dump on the PATH, a PostgreSQL backup says so plainly.
    TempDatabase pg(data::Dialect::PostgreSQL);
    const QString pgConfig = testsupport::writeCtlConfig(dir, pg.connectionString());
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), dir.path());
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"),
            {QStringLiteral("--config"), pgConfig, QStringLiteral("backup"), QStringLiteral("--out"),
             dir.filePath(QStringLiteral("pg.backup"))});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_NE(p.exitCode(), 0);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(err.contains(QLatin1String("pg_dump is not installed"))) << err.toStdString();
}

} // namespace
