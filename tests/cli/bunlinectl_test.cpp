// bunlinectl as administrators and scripts use it: a process, its output and
// its exit code.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int code;
    QString out;
    QString err;
};

class Bunlinectl : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile config(m_dir.filePath(QStringLiteral("config.txt")));
        config.open(QIODevice::WriteOnly);
        config.write("Bunline\nConnection, \"Driver=SQLite;Database=plant.db\"\nRead-only, No\nLocal IDs, No\nHide, No\n");
    }

    Outcome run(QStringList args)
    {
        QProcess p;
        args.prepend(m_dir.filePath(QStringLiteral("config.txt")));
        args.prepend(QStringLiteral("--config"));
        p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"), args);
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
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
    EXPECT_TRUE(users.out.startsWith(QLatin1String("Username,Type,Password\nboss,Admin,\"$argon2id$"))) << users.out.toStdString();
    EXPECT_FALSE(users.out.contains(QLatin1String("s3cret")));

    Outcome again = run({QStringLiteral("init-db")});
    EXPECT_NE(again.code, 0);
    EXPECT_EQ(again.err.count(QLatin1Char('\n')), 1) << again.err.toStdString();
    EXPECT_EQ(run({QStringLiteral("sql"), QStringLiteral("SELECT COUNT(*) AS N FROM [User]")}).out, QStringLiteral("N\n1\n"));
}

TEST_F(Bunlinectl, AFailedInitDbLeavesNoDatabaseBehind)
{
    Outcome bad = run({QStringLiteral("init-db"), QStringLiteral("--admin-user"), QStringLiteral("only-a-user")});
    EXPECT_NE(bad.code, 0);
    EXPECT_FALSE(QFile::exists(m_dir.filePath(QStringLiteral("plant.db"))));
}

TEST_F(Bunlinectl, SqlPrintsEachResultAndStopsAtAFailure)
{
    ASSERT_EQ(run({QStringLiteral("init-db")}).code, 0);
    Outcome r = run({QStringLiteral("sql"), QStringLiteral("INSERT INTO Plants (Name) VALUES('Elkhart'), ('Goshen, North')"),
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
    Outcome counts = run({QStringLiteral("sql"),
                      QStringLiteral("SELECT (SELECT COUNT(*) FROM Customer) AS Customers, (SELECT COUNT(*) FROM Customer WHERE Status = 'InActive') AS Inactive, "
                                     "(SELECT COUNT(*) FROM Bun WHERE ID LIKE 'FB%' OR ID LIKE 'PC%') AS FiberBuns, "
                                     "(SELECT COUNT(*) FROM Bun WHERE OffAll = 1) AS OffAll, (SELECT COUNT(*) FROM Component) AS Components, "
                                     "(SELECT COUNT(DISTINCT ReportType) FROM Operation) AS ReportTypes, (SELECT COUNT(*) FROM Style) AS Styles, "
                                     "(SELECT COUNT(*) FROM StyleOperation WHERE Operation2ID <> '') AS Splits, "
                                     "(SELECT COUNT(*) FROM Orders) AS Orders")});
    EXPECT_EQ(counts.out.section(QLatin1Char('\n'), 1, 1), QStringLiteral("4,1,2,1,12,10,6,2,4")) << counts.out.toStdString();
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

} // namespace
