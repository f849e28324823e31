// bunlinectl as administrators and scripts use it: a process, its output and
// its exit code.
#include "support/cli.h"
#include "data/passwords.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <functional>
#include <random>

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

class Bunlinectl : public ::testing::Test {
protected:
    void SetUp() override { writeConfig(QStringLiteral("Driver=SQLite;Database=plant.db")); }

    void writeConfig(const QString &connectionString) { testsupport::writeCtlConfig(m_dir, connectionString); }

    // Starts bunlinectl on the fixture's configuration.
    void start(QProcess &p, QStringList args)
    {
        args.prepend(m_dir.filePath(QStringLiteral("config.txt")));
        args.prepend(QStringLiteral("--config"));
        p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"), args);
    }

    Outcome run(QStringList args, const QByteArray &input = {})
    {
        QProcess p;
        start(p, args);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    QTemporaryDir m_dir;
};

TEST_F(Bunlinectl, InitDbCreatesTheSchemaOnceAndRefusesASecondTime)
{
    Outcome first = run({QStringLiteral("init-db"), QStringLiteral("--admin-user"), QStringLiteral("boss"),
                         QStringLiteral("--admin-password"), QStringLiteral("s3cret")});
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    Outcome users = run({QStringLiteral("sql"), QStringLiteral("SELECT Username, Type, Password FROM [User]")});
    ASSERT_EQ(users.code, 0) << users.err.toStdString();
    EXPECT_TRUE(users.out.startsWith(QLatin1String("Username,Type,Password\nboss,Admin,\"$argon2id$")))
        << users.out.toStdString();
    EXPECT_FALSE(users.out.contains(QLatin1String("s3cret")));

    Outcome again = run({QStringLiteral("init-db")});
    EXPECT_NE(again.code, 0);
    EXPECT_EQ(again.err.count(QLatin1Char('\n')), 1) << again.err.toStdString();
    EXPECT_EQ(run({QStringLiteral("sql"), QStringLiteral("SELECT COUNT(*) AS N FROM [User]")}).out,
              QStringLiteral("N\n1\n"));
}

TEST_F(Bunlinectl, AFailedInitDbLeavesNoDatabaseBehind)
{
    Outcome bad = run(
        {QStringLiteral("init-db"), QStringLiteral("--admin-password-file"), m_dir.filePath(QStringLiteral("none"))});
    EXPECT_NE(bad.code, 0);
    EXPECT_TRUE(bad.err.contains(m_dir.filePath(QStringLiteral("none")))) << bad.err.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("plant.db"))));
}

TEST_F(Bunlinectl, SqlPrintsEachResultAndStopsAtAFailure)
{
    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    Outcome r =
        run({QStringLiteral("sql"), QStringLiteral("INSERT INTO Plants (Name) VALUES('Elkhart'), ('Goshen, North')"),
             QStringLiteral("SELECT TOP 1 Name + ' plant' AS Label FROM Plants ORDER BY Name DESC")});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("2 rows changed\n\nLabel\n\"Goshen, North plant\"\n"));

    Outcome failed = run({QStringLiteral("sql"), QStringLiteral("SELECT Nope FROM Plants")});
    EXPECT_NE(failed.code, 0);
    EXPECT_TRUE(failed.err.contains(QLatin1String("SELECT Nope FROM Plants"))) << failed.err.toStdString();
    EXPECT_EQ(failed.err.count(QLatin1Char('\n')), 1);
}

TEST_F(Bunlinectl, DemoDataFillsAnEmptyDatabaseOnly)
{
    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    Outcome demo = run({QStringLiteral("demo-data")});
    ASSERT_EQ(demo.code, 0) << demo.err.toStdString();
    Outcome counts = run(
        {QStringLiteral("sql"),
         QStringLiteral(
             "SELECT (SELECT COUNT(*) FROM Customer) AS Customers, (SELECT COUNT(*) FROM Customer WHERE Status = 'InActive') AS Inactive, "
             "(SELECT COUNT(*) FROM Bun WHERE ID LIKE 'FB%' OR ID LIKE 'PC%') AS FiberBuns, "
             "(SELECT COUNT(*) FROM Bun WHERE OffAll = 1) AS OffAll, (SELECT COUNT(*) FROM Component) AS Components, "
             "(SELECT COUNT(DISTINCT ReportType) FROM Operation) AS ReportTypes, (SELECT COUNT(*) FROM Style) AS Styles, "
             "(SELECT COUNT(*) FROM StyleOperation WHERE Operation2ID <> '') AS Splits, "
             "(SELECT COUNT(*) FROM Orders) AS Orders")});
    EXPECT_EQ(counts.out.section(QLatin1Char('\n'), 1, 1), QStringLiteral("4,1,2,1,12,10,6,2,4"))
        << counts.out.toStdString();
    EXPECT_NE(run({QStringLiteral("demo-data")}).code, 0);
}

TEST_F(Bunlinectl, UnknownCommandsAndMissingConfigurationFail)
{
    EXPECT_EQ(run({QStringLiteral("frobnicate")}).code, 2);
    QFile::remove(m_dir.filePath(QStringLiteral("config.txt")));
    Outcome r = run({QStringLiteral("sql"), QStringLiteral("SELECT 1")});
    EXPECT_NE(r.code, 0);
    EXPECT_TRUE(r.err.contains(QLatin1String("config.txt")));
}

// The stored hash of the one administrator checked against a password.
bool adminPasswordIs(const Outcome &users, const QString &password)
{
    QString hash = users.out.section(QLatin1Char('\n'), 1, 1);
    if (hash.startsWith(QLatin1Char('"'))) // the CSV field is quoted: the hash holds commas
        hash = hash.mid(1, hash.size() - 2);
    return data::isPasswordHash(hash) && data::verifyPassword(hash, password);
}

TEST_F(Bunlinectl, InitDbTakesThePasswordFromAFileOrStandardInputOrMakesOneUp)
{
    const QString sql = QStringLiteral("SELECT Password FROM [User]");
    QFile file(m_dir.filePath(QStringLiteral("pw.txt")));
    file.open(QIODevice::WriteOnly);
    file.write("from file\r\nsecond line\n");
    file.close();
    Outcome fromFile = run({QStringLiteral("init-db"), QStringLiteral("--admin-password-file"), file.fileName()});
    ASSERT_EQ(fromFile.code, 0) << fromFile.err.toStdString();
    EXPECT_FALSE(fromFile.out.contains(QLatin1String("from file")));
    EXPECT_TRUE(adminPasswordIs(run({QStringLiteral("sql"), sql}), QStringLiteral("from file")));

    QFile::remove(m_dir.filePath(QStringLiteral("plant.db")));
    ASSERT_EQ(
        run({QStringLiteral("init-db"), QStringLiteral("--admin-password-file"), QStringLiteral("-")}, "typed in\n")
            .code,
        0);
    EXPECT_TRUE(adminPasswordIs(run({QStringLiteral("sql"), sql}), QStringLiteral("typed in")));

    QFile::remove(m_dir.filePath(QStringLiteral("plant.db")));
    Outcome made = run({QStringLiteral("init-db")});
    ASSERT_EQ(made.code, 0) << made.err.toStdString();
    const QRegularExpressionMatch shown = QRegularExpression(QStringLiteral("password (\\S{20}) ")).match(made.out);
    ASSERT_TRUE(shown.hasMatch()) << made.out.toStdString();
    const Outcome users = run({QStringLiteral("sql"), sql});
    EXPECT_TRUE(adminPasswordIs(users, shown.captured(1)));
    EXPECT_FALSE(adminPasswordIs(users, QStringLiteral("admin")));
}

TEST_F(Bunlinectl, UpgradePasswordsHashesThePlainOnes)
{
    ASSERT_EQ(run({QStringLiteral("init-db"), QStringLiteral("--admin-password"), QStringLiteral("admin")}).code, 0);
    ASSERT_EQ(run({QStringLiteral("sql"),
                   QStringLiteral(
                       "INSERT INTO [User] (Username, Password, Type, Inactive) VALUES ('dana', 'dana', 'User', 0)")})
                  .code,
              0);
    Outcome upgraded = run({QStringLiteral("upgrade-passwords")});
    ASSERT_EQ(upgraded.code, 0) << upgraded.err.toStdString();
    EXPECT_EQ(upgraded.out, QStringLiteral("Hashed 1 plain-text password.\n"));
    const Outcome dana =
        run({QStringLiteral("sql"), QStringLiteral("SELECT Password FROM [User] WHERE Username = 'dana'")});
    EXPECT_TRUE(adminPasswordIs(dana, QStringLiteral("dana"))) << dana.out.toStdString();
    EXPECT_FALSE(dana.out.contains(QLatin1String("\ndana")));
}

TEST_F(Bunlinectl, SynchronisationCommandsPrintTheRowsPerTableOrOneLineWhenTheyFail)
{
    const QString s = QStringLiteral("sql");
    writeConfig(QStringLiteral("Driver=SQLite;Database=central.db"));
    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    ASSERT_EQ(
        run({s, QStringLiteral("INSERT INTO Style (ID, Customer, Name, Type) VALUES (70, 'Amberline', '1200', 'SOFA')"),
             QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")})
            .code,
        0);
    writeConfig(QStringLiteral("Driver=SQLite;Database=plant.db"));
    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    const Outcome unlinked = run({QStringLiteral("download-catalogue")});
    EXPECT_NE(unlinked.code, 0);
    EXPECT_TRUE(unlinked.err.contains(QLatin1String("LinkedServer"))) << unlinked.err.toStdString();
    EXPECT_NE(run({QStringLiteral("link-server"), QStringLiteral("--host"), QStringLiteral("h"),
                   QStringLiteral("--dbname"), QStringLiteral("d"), QStringLiteral("--user"), QStringLiteral("u")})
                  .code,
              0);

    writeConfig(QStringLiteral("Driver=SQLite;Database=plant.db;LinkedServer=central.db"));
    const Outcome download = run({QStringLiteral("download-catalogue")});
    ASSERT_EQ(download.code, 0) << download.err.toStdString();
    EXPECT_TRUE(download.out.contains(QLatin1String("\nStyle: 1 rows\n"))) << download.out.toStdString();
    EXPECT_TRUE(download.out.contains(QRegularExpression(QStringLiteral("Completed in \\d+ seconds"))));
    const Outcome exchange = run({QStringLiteral("exchange-orders")});
    ASSERT_EQ(exchange.code, 0) << exchange.err.toStdString();
    EXPECT_TRUE(exchange.out.startsWith(QLatin1String("Orders uploaded: 0\n"))) << exchange.out.toStdString();
    EXPECT_TRUE(exchange.out.contains(QLatin1String("\nCustomer: 1 rows\n"))) << exchange.out.toStdString();

    // A central database that is no Bunline database fails at the first table.
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(m_dir.filePath(QStringLiteral("central.db") + QLatin1String(suffix)));
    QFile empty(m_dir.filePath(QStringLiteral("central.db")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    writeConfig(QStringLiteral("Driver=SQLite;Database=plant.db;LinkedServer=central.db"));
    const Outcome broken = run({QStringLiteral("download-catalogue")});
    EXPECT_NE(broken.code, 0);
    EXPECT_EQ(broken.err.count(QLatin1Char('\n')), 1) << broken.err.toStdString();
    EXPECT_TRUE(broken.err.contains(QLatin1String("table Bun"))) << broken.err.toStdString();
    EXPECT_EQ(run({s, QStringLiteral("SELECT ID FROM Style")}).out, QStringLiteral("ID\n70\n"));
}

TEST_F(Bunlinectl, EveryErrorIsOneLineNamingTheStatementOrFile)
{
    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    struct Case {
        QString statement;
        const char *named; // what the message must show
    };
    const Case cases[] = {
        {QStringLiteral("SELECT 1 AS a; CREATE TABLE p(x int)"), "CREATE TABLE p"},
        {QStringLiteral("SELECT\r\nNope\rFROM Plants"), "Nope"},
        {QStringLiteral("SELECT [abc"), "SELECT [abc"},
        {QString(), "empty"},
        {QString(QChar(0xFEFF)), "empty"},
        {QStringLiteral("UPDATE Customer SET Phone='wiped' WHERE [Custmer]='Custmer'"), "Custmer"},
    };
    for (const Case &c : cases) {
        const Outcome r = run({QStringLiteral("sql"), c.statement});
        EXPECT_NE(r.code, 0) << c.named;
        EXPECT_EQ(r.err.count(QLatin1Char('\n')), 1) << r.err.toStdString();
        EXPECT_EQ(r.err.count(QLatin1Char('\r')), 0) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QLatin1String(c.named))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QLatin1String("without a message"))) << r.err.toStdString();
    }
    EXPECT_NE(run({QStringLiteral("sql"), QStringLiteral("SELECT * FROM p")}).code, 0);

    writeConfig(QStringLiteral("Driver=SQLite;Database=plant.db;LinkedServer=central.db"));
    const Outcome linked = run({QStringLiteral("sql"), QStringLiteral("SELECT 1")});
    EXPECT_NE(linked.code, 0);
    EXPECT_TRUE(linked.err.contains(m_dir.filePath(QStringLiteral("central.db")))) << linked.err.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("central.db"))));
}

// The password a made-up-password init-db printed; empty when none.
QString shownPassword(const QString &out)
{
    return QRegularExpression(QStringLiteral("password (\\S{20}) ")).match(out).captured(1);
}

TEST_F(Bunlinectl, ACommandWhoseOutputCannotBeWrittenFails)
{
    // Standard output on a full disk: a made-up password nobody saw leaves no
    // administrator behind, and every other command fails too.
    const auto toFullDisk = [&](const QStringList &args) {
        QProcess p;
        p.setStandardOutputFile(QStringLiteral("/dev/full"));
        start(p, args);
        p.waitForFinished(60000);
        return Outcome{p.exitCode(), {}, QString::fromUtf8(p.readAllStandardError())};
    };
    Outcome init = toFullDisk({QStringLiteral("init-db")});
    EXPECT_NE(init.code, 0);
    EXPECT_TRUE(init.err.contains(QLatin1String("standard output"))) << init.err.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("plant.db"))));
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("plant.db*")}, QDir::Files).isEmpty());

    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    const Outcome select = toFullDisk({QStringLiteral("sql"), QStringLiteral("SELECT Username FROM [User]")});
    EXPECT_NE(select.code, 0);
    EXPECT_TRUE(select.err.contains(QLatin1String("standard output"))) << select.err.toStdString();
}

// Runs the same command twice at once; answers both outcomes.
std::pair<Outcome, Outcome> runTwiceAtOnce(const std::function<void(QProcess &)> &start)
{
    QProcess a, b;
    start(a);
    start(b);
    a.waitForFinished(60000);
    b.waitForFinished(60000);
    const auto outcome = [](QProcess &p) {
        return Outcome{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                       QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    };
    return {outcome(a), outcome(b)};
}

TEST_F(Bunlinectl, TwoInitDbAtOnceLeaveTheWinnersDatabase)
{
    const QString file = m_dir.filePath(QStringLiteral("plant.db"));
    for (int i = 0; i < 10; ++i) {
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(file + QLatin1String(suffix));
        const auto [a, b] = runTwiceAtOnce([&](QProcess &p) { start(p, {QStringLiteral("init-db")}); });
        ASSERT_EQ(int(a.code == 0) + int(b.code == 0), 1) << a.err.toStdString() << b.err.toStdString();
        const Outcome &winner = a.code == 0 ? a : b;
        const Outcome &loser = a.code == 0 ? b : a;
        EXPECT_TRUE(loser.err.contains(QLatin1String("Another init-db run"))
                    || loser.err.contains(QLatin1String("already holds")))
            << loser.err.toStdString();
        ASSERT_TRUE(QFile::exists(file)) << "try " << i;
        EXPECT_TRUE(adminPasswordIs(run({QStringLiteral("sql"), QStringLiteral("SELECT Password FROM [User]")}),
                                    shownPassword(winner.out)));
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.tmp*")}, QDir::Files), QStringList());
}

TEST_F(Bunlinectl, TheLoserOfTwoDemoDataRunsIsToldAnotherRunIsInProgress)
{
    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    const auto [a, b] = runTwiceAtOnce([&](QProcess &p) { start(p, {QStringLiteral("demo-data")}); });
    ASSERT_EQ(int(a.code == 0) + int(b.code == 0), 1) << a.err.toStdString() << b.err.toStdString();
    const Outcome &loser = a.code == 0 ? b : a;
    EXPECT_TRUE(loser.err.contains(QLatin1String("Another demo-data run is in progress"))
                || loser.err.contains(QLatin1String("already holds a company")))
        << loser.err.toStdString();
    EXPECT_EQ(run({QStringLiteral("sql"), QStringLiteral("SELECT COUNT(*) AS N FROM Company")}).out,
              QStringLiteral("N\n1\n"));
}

// init-db killed at each write to disk in turn (strace stops it right before
// the write): it leaves no database, or one ready to log in to with the
// password it showed. BUNLINE_KILL_EVERY_WRITE=1 tries every write; the
// test run tries a spread of them.
TEST_F(Bunlinectl, InitDbKilledAtEveryWriteLeavesNothingOrALoginItShowed)
{
    if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
        GTEST_SKIP() << "strace is not installed";
    const QString file = m_dir.filePath(QStringLiteral("plant.db"));
    const QString config = m_dir.filePath(QStringLiteral("config.txt"));
    const auto reset = [&] {
        for (const QString &name : QDir(m_dir.path()).entryList({QStringLiteral("plant.db*")}, QDir::Files))
            QFile::remove(m_dir.filePath(name));
    };
    const auto traced = [&](const QStringList &strace) {
        QProcess p;
        p.start(QStringLiteral("strace"),
                strace
                    + QStringList{QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"), QStringLiteral("--config"), config,
                                  QStringLiteral("init-db")});
        p.waitForFinished(120000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    const QStringList calls = {QStringLiteral("write"),     QStringLiteral("pwrite64"),  QStringLiteral("fdatasync"),
                               QStringLiteral("fsync"),     QStringLiteral("ftruncate"), QStringLiteral("rename"),
                               QStringLiteral("renameat2"), QStringLiteral("unlink")};
    // How often an undisturbed run makes each call.
    reset();
    const QString log = m_dir.filePath(QStringLiteral("calls.log"));
    traced({QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), log, QStringLiteral("-e"),
            QStringLiteral("trace=") + calls.join(QLatin1Char(','))});
    QFile logFile(log);
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QString trace = QString::fromUtf8(logFile.readAll());
    const bool every = !qEnvironmentVariableIsEmpty("BUNLINE_KILL_EVERY_WRITE");
    int runs = 0;
    for (const QString &call : calls) {
        const int count = int(trace.count(QRegularExpression(QStringLiteral("(^|\\s)%1\\(").arg(call))));
        const int step = every ? 1 : std::max(1, count / 6);
        for (int when = 1; when <= count; when += step) {
            reset();
            const QString out =
                traced({QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-o"), QStringLiteral("/dev/null"),
                        QStringLiteral("-e"), QStringLiteral("inject=%1:signal=KILL:when=%2").arg(call).arg(when)});
            ++runs;
            if (!QFile::exists(file))
                continue; // nothing left, or only this run's private file
            const Outcome users = run({QStringLiteral("sql"), QStringLiteral("SELECT Password FROM [User]")});
            ASSERT_EQ(users.code, 0) << call.toStdString() << " " << when << ": " << users.err.toStdString();
            ASSERT_TRUE(adminPasswordIs(users, shownPassword(out)))
                << "killed at " << call.toStdString() << " " << when << " left an administrator it did not show";
        }
    }
    EXPECT_GT(runs, 10);
    RecordProperty("killedRuns", runs);
}

// init-db killed at random moments (the same ones every run) leaves either
// nothing or a database ready to log in to - never a schema without its
// administrator - and a later init-db finishes the job.
class InitDbKilled : public Bunlinectl, public ::testing::WithParamInterface<data::Dialect> {};

TEST_P(InitDbKilled, LeavesNothingOrEverything)
{
    testsupport::TempDatabase temp(GetParam(), false);
    const bool sqlite = GetParam() == data::Dialect::SQLite;
    const QString file = m_dir.filePath(QStringLiteral("killed.db"));
    writeConfig(sqlite ? QStringLiteral("Driver=SQLite;Database=killed.db") : temp.connectionString());
    const auto reset = [&] {
        if (sqlite) {
            for (const char *suffix : {"", "-wal", "-shm"})
                QFile::remove(file + QLatin1String(suffix));
        } else {
            temp.db().executeNative(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(temp.schema()));
        }
    };
    // Complete: the schema with its administrator. Empty: no table at all.
    const auto state = [&]() -> QString {
        std::unique_ptr<data::Database> db;
        if (sqlite && !QFile::exists(file))
            return QStringLiteral("empty");
        db = data::Database::open(sqlite ? QStringLiteral("Driver=SQLite;Database=") + file : temp.connectionString());
        const QString tables = sqlite
            ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'")
            : QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = %1")
                  .arg(data::sqlText(temp.schema()));
        if (db->queryNative(tables).value(0).toInt() == 0)
            return QStringLiteral("empty");
        if (data::hasSchema(*db)
            && db->query(QStringLiteral("SELECT COUNT(*) AS N FROM [User] WHERE Type = 'Admin'"))
                    .integer(QStringLiteral("N"))
                == 1
            && db->query(QStringLiteral("SELECT COUNT(*) AS N FROM State")).integer(QStringLiteral("N"))
                == data::stateCodes().size())
            return QStringLiteral("complete");
        return QStringLiteral("half-finished");
    };

    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(run({QStringLiteral("init-db"), QStringLiteral("--admin-password"), QStringLiteral("pw")}).code, 0);
    const qint64 full = std::max<qint64>(timer.elapsed(), 50);
    std::mt19937 rng(16);
    int complete = 0;
    for (int i = 0; i < 16; ++i) {
        reset();
        QProcess p;
        start(p, {QStringLiteral("init-db"), QStringLiteral("--admin-password"), QStringLiteral("pw")});
        QThread::msleep(rng() % quint32(full));
        p.kill();
        p.waitForFinished(60000);
        const QString after = state();
        ASSERT_NE(after, QStringLiteral("half-finished")) << "killed after try " << i;
        if (after == QStringLiteral("complete")) {
            ++complete;
            continue;
        }
        // Whatever a kill left, init-db starts over on it.
        const Outcome again =
            run({QStringLiteral("init-db"), QStringLiteral("--admin-password"), QStringLiteral("pw")});
        ASSERT_EQ(again.code, 0) << again.err.toStdString();
        ASSERT_EQ(state(), QStringLiteral("complete"));
    }
    RecordProperty("completeBeforeTheKill", complete);
}

INSTANTIATE_TEST_SUITE_P(Backends, InitDbKilled, ::testing::ValuesIn(::testsupport::testBackends()),
                         ::testsupport::backendName);

} // namespace
