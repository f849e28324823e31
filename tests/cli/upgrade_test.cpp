// Schema versions: a database of the first release upgraded in place works as
// a new one; what cannot be upgraded is listed and left alone; a newer
// database is refused.
#include "core/configuration.h"
#include "data/backup.h"
#include "data/demoplant.h"
#include "data/schema.h"
#include "data/schemaversion.h"
#include "lifecyclefixture.h"
#include "orders/orderstore.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <random>

using testsupport::TempDatabase;

namespace {

class SchemaUpgrade : public ::testing::TestWithParam<data::Dialect> {
protected:
    bool sqlite() const { return GetParam() == data::Dialect::SQLite; }
    // A database of the first release holding the demo plant.
    std::unique_ptr<TempDatabase> version1Plant()
    {
        auto temp = std::make_unique<TempDatabase>(GetParam(), false);
        lifecycle::loadVersion1(temp->db());
        data::addDemoPlant(temp->db());
        return temp;
    }
    QString config(const TempDatabase &temp, const QString &name) { return config(temp.connectionString(), name); }
    QString config(const QString &connectionString, const QString &name)
    {
        QDir(m_dir.path()).mkpath(name);
        return testsupport::writeCtlConfig(m_dir.filePath(name), connectionString);
    }
    QTemporaryDir m_dir;
};

// Each found order as its columns read, in the order found.
QStringList navigatorRows(data::Database &db, const orders::SearchCriteria &criteria)
{
    orders::FoundOrders found(db, criteria);
    QStringList rows;
    for (int r = 0; r < found.count(); ++r) {
        QStringList fields{QString::number(found.id(r))};
        for (const char *column : {"OrderNumber", "Customer", "OrderDate", "Status", "Total"})
            fields << found.value(r, QString::fromLatin1(column)).toString();
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

QMap<QString, QByteArray> filesIn(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files, QDir::Name)) {
        QFile f(info.filePath());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        files.insert(info.fileName(), f.readAll());
    }
    return files;
}

TEST_P(SchemaUpgrade, AFirstReleasePlantUpgradesInPlaceAndWorksAsANewOne)
{
    auto old = version1Plant();
    TempDatabase fresh(GetParam());
    // The first release's administrator, so that every later key is the same.
    fresh.db().execute(QStringLiteral(
        "INSERT INTO [User] (Name, Username, Password, Type, SalesRep, Inactive, SalesOrderPrintQty, InvoicePrintQty, "
        "PackingSlipPrintQty, PickTicketPrintQty, EnteredBy) VALUES ('Administrator', 'admin', 'admin', 'Admin', 0, 0, "
        "'1', '1', '1', '1', 'bunlinectl')"));
    data::addDemoPlant(fresh.db());
    EXPECT_EQ(data::schemaVersion(old->db()), 1);
    EXPECT_EQ(data::schemaVersion(fresh.db()), data::kSchemaVersion);
    const QString oldConfig = config(*old, QStringLiteral("old"));
    const QString freshConfig = config(fresh, QStringLiteral("fresh"));

    // Before the upgrade: the program and the working commands refuse it;
    // sql and backup still work on it.
    try {
        core::OpenConnection(core::ReadConfiguration(oldConfig), oldConfig);
        data::setSharedDatabase(nullptr);
        ADD_FAILURE() << "the program opened a database of the first release";
    } catch (const data::SchemaVersionError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("Run bunlinectl upgrade-db"))) << e.message().toStdString();
    }
    const auto refused = testsupport::runCtl(oldConfig,
                                             {QStringLiteral("print-order"), QStringLiteral("1"),
                                              QStringLiteral("--out"), m_dir.filePath(QStringLiteral("x"))});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.err.contains(QLatin1String("schema version 1"))
                && refused.err.contains(QLatin1String("needs version 2")))
        << refused.err.toStdString();
    EXPECT_EQ(
        testsupport::runCtl(oldConfig, {QStringLiteral("sql"), QStringLiteral("SELECT COUNT(*) AS N FROM Orders")})
            .exitCode,
        0);

    const auto upgraded = testsupport::runCtl(oldConfig, {QStringLiteral("upgrade-db")});
    ASSERT_EQ(upgraded.exitCode, 0) << upgraded.err.toStdString();
    EXPECT_TRUE(upgraded.out.contains(QLatin1String("from schema version 1 to 2"))) << upgraded.out.toStdString();
    if (sqlite()) {
        // The copy beside the file is the database as it was.
        const QStringList copies = QDir(old->directory()).entryList({QStringLiteral("test.db.v1-*.bak")});
        ASSERT_EQ(copies.size(), 1) << copies.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(data::backupSchemaVersion(data::Dialect::SQLite, QDir(old->directory()).filePath(copies[0])), 1);
    }
    // Twice is harmless.
    const auto again = testsupport::runCtl(oldConfig, {QStringLiteral("upgrade-db")});
    ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_TRUE(again.out.contains(QLatin1String("nothing to do"))) << again.out.toStdString();
    if (sqlite()) {
        EXPECT_EQ(QDir(old->directory()).entryList({QStringLiteral("*.bak")}).size(), 1);
    }

    EXPECT_EQ(data::schemaVersion(old->db()), data::kSchemaVersion);
    EXPECT_EQ(lifecycle::schemaShape(old->db()), lifecycle::schemaShape(fresh.db()));

    // The paperwork of every order, and the navigator's searches, as on a new
    // database.
    const data::Recordset ids = fresh.db().query(QStringLiteral("SELECT ID FROM Orders ORDER BY ID"));
    ASSERT_GT(ids.recordCount(), 0);
    for (const auto &row : ids.rows()) {
        const QString id = row[0].toString();
        QMap<QString, QByteArray> printed[2];
        int i = 0;
        for (const QString &cfg : {oldConfig, freshConfig}) {
            const QString out = m_dir.filePath(QStringLiteral("print-%1-%2").arg(id).arg(i));
            const auto run = testsupport::runCtl(cfg,
                                                 {QStringLiteral("print-order"), id, QStringLiteral("--out"), out,
                                                  QStringLiteral("--format"), QStringLiteral("csv")});
            ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
            printed[i++] = filesIn(out);
        }
        EXPECT_FALSE(printed[1].isEmpty());
        EXPECT_EQ(printed[0], printed[1]) << "order " << id.toStdString();
    }
    std::vector<orders::SearchCriteria> searches(4);
    searches[1].status = QStringLiteral("Open");
    searches[2].customer = fresh.db().query(QStringLiteral("SELECT TOP 1 Customer FROM Orders")).value(0).toString();
    searches[3].orderNumber = QStringLiteral("1");
    for (const orders::SearchCriteria &criteria : searches) {
        const QStringList expected = navigatorRows(fresh.db(), criteria);
        EXPECT_EQ(navigatorRows(old->db(), criteria), expected) << orders::searchStatement(criteria).toStdString();
    }
    EXPECT_FALSE(navigatorRows(old->db(), searches[0]).isEmpty());
}

TEST_P(SchemaUpgrade, StylesDifferingOnlyInCaseAreListedAndNothingChanges)
{
    TempDatabase temp(GetParam(), false);
    lifecycle::loadVersion1(temp.db());
    data::Database &db = temp.db();
    for (const char *values :
         {"('Acme', 'Seat', 'CUSH', 'Active')", "('ACME', 'seat', 'Cush', 'Active')",
          "('Acme', 'Back', NULL, 'Active')", "('Acme', 'Back', NULL, 'Active')", "('Acme', 'Seat', 'Arm', 'Active')"})
        db.execute(QStringLiteral("INSERT INTO Style (Customer, Name, Type, Status) VALUES ") + QLatin1String(values));
    const QStringList before = lifecycle::schemaShape(db);

    try {
        data::upgradeSchema(db);
        FAIL() << "the upgrade applied over two styles that differ only in case";
    } catch (const data::UpgradeBlocked &blocked) {
        ASSERT_EQ(blocked.rows().size(), 2) << blocked.rows().join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(blocked.rows()[0].contains(QLatin1String("\"Seat\"")));
        EXPECT_TRUE(blocked.rows()[1].contains(QLatin1String("\"seat\"")));
    }
    EXPECT_EQ(data::schemaVersion(db), 1);
    EXPECT_EQ(lifecycle::schemaShape(db), before);
    if (sqlite()) {
        EXPECT_TRUE(QDir(temp.directory()).entryList({QStringLiteral("*.bak")}).isEmpty());
    }

    // The command lists the rows on stdout and fails in one line.
    const QString cfg = config(temp, QStringLiteral("dup"));
    const auto run = testsupport::runCtl(cfg, {QStringLiteral("upgrade-db")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(run.out.count(QStringLiteral("Style ID ")), 2) << run.out.toStdString();
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1) << run.err.toStdString();

    db.execute(QStringLiteral("UPDATE Style SET Name = 'Seat 2' WHERE ID = (SELECT MAX(ID) FROM Style WHERE Name = "
                              "'Seat' AND Type = 'Cush')"));
    const data::UpgradeReport report = data::upgradeSchema(db);
    EXPECT_EQ(report.to, data::kSchemaVersion);
    EXPECT_THROW(db.execute(QStringLiteral("INSERT INTO Style (Customer, Name, Type) VALUES ('acme', 'SEAT', 'cush')")),
                 data::DbError);
}

TEST_P(SchemaUpgrade, ANewerDatabaseIsRefusedByEveryoneNamingBothVersions)
{
    TempDatabase temp(GetParam());
    data::writeSchemaVersion(temp.db(), data::kSchemaVersion + 1);
    const QString newer = QString::number(data::kSchemaVersion + 1);
    const QString ours = QString::number(data::kSchemaVersion);
    for (data::OlderSchema older : {data::OlderSchema::Refuse, data::OlderSchema::Accept})
        EXPECT_THROW(data::checkSchemaVersion(temp.db(), older), data::SchemaVersionError);
    EXPECT_THROW(data::upgradeSchema(temp.db()), data::SchemaVersionError);

    const QString cfg = config(temp, QStringLiteral("newer"));
    try {
        core::OpenConnection(core::ReadConfiguration(cfg), cfg);
        data::setSharedDatabase(nullptr);
        ADD_FAILURE() << "the program opened a newer database";
    } catch (const data::SchemaVersionError &e) {
        EXPECT_TRUE(e.message().contains(newer) && e.message().contains(ours)) << e.message().toStdString();
    }
    for (const QStringList &args : {QStringList{QStringLiteral("upgrade-db")},
                                    QStringList{QStringLiteral("sql"), QStringLiteral("SELECT 1 AS x")},
                                    QStringList{QStringLiteral("demo-data")}}) {
        const auto run = testsupport::runCtl(cfg, args);
        EXPECT_NE(run.exitCode, 0) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("version ") + newer)
                    && run.err.contains(QStringLiteral("version ") + ours))
            << run.err.toStdString();
    }
    // An empty database is not "older": init-db fills it.
    TempDatabase empty(GetParam(), false);
    EXPECT_EQ(data::schemaVersion(empty.db()), 0);
    EXPECT_NO_THROW(data::checkSchemaVersion(empty.db(), data::OlderSchema::Refuse));
}

// upgrade-db killed at random moments (the same ones every run) leaves the
// database of version 1 as it was or of version 2 complete, never between;
// the next upgrade-db finishes the job.
TEST_P(SchemaUpgrade, AKilledUpgradeLeavesTheOldVersionIntact)
{
    auto temp = std::make_unique<TempDatabase>(GetParam(), false);
    TempDatabase fresh(GetParam());
    const QStringList newShape = lifecycle::schemaShape(fresh.db());
    // Enough styles that building the new index takes a while.
    const int styles = sqlite() ? 40000 : 10000;
    const auto fill = [&](data::Database &db) {
        lifecycle::loadVersion1(db);
        db.executeNative((sqlite() ? QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                                    "WHERE i < %1) INSERT INTO Style (Customer, Name, Type, Status) "
                                                    "SELECT 'Bulk', 'S' || i, 'T', 'Active' FROM n")
                                   : QStringLiteral("INSERT INTO style (customer, name, type, status) SELECT 'Bulk', "
                                                    "'S' || i, 'T', 'Active' FROM generate_series(1, %1) i"))
                             .arg(styles));
    };
    // SQLite: a file of our own, copied afresh before each try.
    const QString file = m_dir.filePath(QStringLiteral("killed.db"));
    const QString pristine = m_dir.filePath(QStringLiteral("pristine.db"));
    const QString connection = sqlite() ? QStringLiteral("Driver=SQLite;Database=") + file : temp->connectionString();
    QStringList oldShape;
    if (sqlite()) {
        data::OpenOptions create;
        create.create = true;
        auto db = data::Database::open(QStringLiteral("Driver=SQLite;Database=") + pristine, create);
        fill(*db);
        oldShape = lifecycle::schemaShape(*db);
    } else {
        fill(temp->db());
        oldShape = lifecycle::schemaShape(temp->db());
    }
    const QString cfg = config(connection, QStringLiteral("killed"));
    const auto reset = [&] {
        if (sqlite()) {
            for (const QString &f : QDir(m_dir.path()).entryList({QStringLiteral("killed.db*")}))
                QFile::remove(m_dir.filePath(f));
            ASSERT_TRUE(QFile::copy(pristine, file));
        } else {
            temp->db().executeNative(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(temp->schema()));
            temp->db().executeNative(QStringLiteral("CREATE SCHEMA %1").arg(temp->schema()));
            fill(temp->db());
        }
    };
    const auto state = [&]() -> QString {
        auto db = data::Database::open(connection);
        const QStringList shape = lifecycle::schemaShape(*db);
        const int version = data::schemaVersion(*db);
        if (db->query(QStringLiteral("SELECT COUNT(*) AS N FROM Style")).integer(QStringLiteral("N")) != styles)
            return QStringLiteral("styles lost");
        if (version == 1 && shape == oldShape)
            return QStringLiteral("old");
        if (version == 2 && shape == newShape)
            return QStringLiteral("new");
        return QStringLiteral("between");
    };

    reset();
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(testsupport::runCtl(cfg, {QStringLiteral("upgrade-db")}).exitCode, 0);
    const qint64 full = std::max<qint64>(timer.elapsed(), 50);
    std::mt19937 rng(7);
    int old = 0;
    for (int i = 0; i < (sqlite() ? 10 : 4); ++i) {
        reset();
        QProcess p;
        p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"),
                {QStringLiteral("--config"), cfg, QStringLiteral("upgrade-db")});
        QThread::msleep(rng() % quint32(full));
        p.kill();
        p.waitForFinished(60000);
        const QString after = state();
        ASSERT_TRUE(after == QLatin1String("old") || after == QLatin1String("new"))
            << after.toStdString() << " after try " << i;
        old += after == QLatin1String("old");
        const auto again = testsupport::runCtl(cfg, {QStringLiteral("upgrade-db")});
        ASSERT_EQ(again.exitCode, 0) << again.err.toStdString();
        ASSERT_EQ(state(), QStringLiteral("new"));
    }
    RecordProperty("oldAfterTheKill", old);
}

BUNLINE_ON_EVERY_BACKEND(SchemaUpgrade);

} // namespace
