// bunlinectl print-order on the sofa order: every copy's CSV against the
// files checked in beside this test, and the refusals that print nothing.
//
// After a deliberate change to the paperwork, regenerate the expected files with
//   BUNLINE_REGENERATE_GOLDEN=1 production_tests --gtest_filter='*Golden*'
#include "productionfixture.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace fixture;

using testsupport::CtlRun;

namespace {

class PrintOrder : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        addPlant(db());
        addSofaOrder(db());
        config = testsupport::writeCtlConfig(dir, temp().connectionString());
    }
    QTemporaryDir dir;
    QString config;
};

TEST_P(PrintOrder, CsvCopiesMatchGoldenFiles)
{
    const QString out = QDir(dir.path()).filePath(s("out"));
    const CtlRun run = testsupport::runCtl({s("--config"), config, s("print-order"), s("1001"), s("--out"), out,
                                            s("--format"), s("csv"), s("--suffix"), s("-A")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList written = QDir(out).entryList(QDir::Files, QDir::Name);
    const QString goldenDir = s(BUNLINE_SOURCE_DIR "/tests/production/golden/print-order");
    if (!qEnvironmentVariableIsEmpty("BUNLINE_REGENERATE_GOLDEN") && GetParam() == data::Dialect::SQLite) {
        QDir(goldenDir).removeRecursively();
        QDir().mkpath(goldenDir);
        for (const QString &name : written)
            ASSERT_TRUE(QFile::copy(QDir(out).filePath(name), QDir(goldenDir).filePath(name)));
        return;
    }
    // Several statements leave the order of rows to the database (and so the
    // order of the buggy tickets within a line): files are compared by name
    // in print order, and by content with each table's rows sorted.
    const auto copies = [](const QString &folder) {
        std::vector<std::string> names, contents;
        for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            const QString stem = name.section(QLatin1Char('-'), 1);
            names.push_back(stem.toStdString());
            QFile file(QDir(folder).filePath(name));
            EXPECT_TRUE(file.open(QIODevice::ReadOnly));
            QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < lines.size();) {
                if (lines[i].startsWith(QLatin1Char('#'))) {
                    ++i;
                    continue;
                }
                const qsizetype first = ++i; // past the column header
                while (i < lines.size() && !lines[i].startsWith(QLatin1Char('#')))
                    ++i;
                std::sort(lines.begin() + first, lines.begin() + i);
            }
            contents.push_back((stem + s("\n") + lines.join(QLatin1Char('\n'))).toStdString());
        }
        std::sort(contents.begin(), contents.end());
        return std::pair{names, contents};
    };
    const auto [actualNames, actualContents] = copies(out);
    const auto [goldenNames, goldenContents] = copies(goldenDir);
    EXPECT_EQ(actualNames, goldenNames);
    ASSERT_EQ(actualContents.size(), goldenContents.size());
    for (size_t i = 0; i < actualContents.size(); ++i)
        EXPECT_EQ(actualContents[i], goldenContents[i]);
}

TEST_P(PrintOrder, ChosenReportsAndComponentsOnly)
{
    // The CNC sheets (box 5) of the BACK line alone: one copy, in North.
    data::Recordset back = db().query(s("SELECT ID FROM StyleComponent WHERE ComponentID = 'BACK'"));
    const QString out = QDir(dir.path()).filePath(s("cnc"));
    const CtlRun run =
        testsupport::runCtl({s("--config"), config, s("print-order"), s("1001"), s("--out"), out, s("--format"),
                             s("csv"), s("--reports"), s("5"), s("--components"), back.text(s("ID"))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{s("001-crptCNC-CNC-North.csv")});
}

TEST_P(PrintOrder, RefusesWithOneLineAndWritesNothing)
{
    const QString out = QDir(dir.path()).filePath(s("none"));
    struct Case {
        QStringList args;
        const char *message;
    };
    const Case cases[] = {
        {{s("print-order"), s("abc"), s("--out"), out}, "is not an order number"},
        {{s("print-order"), s("4242"), s("--out"), out}, "There is no order with the ID 4242"},
        {{s("print-order"), s("1001")}, "needs --out DIR"},
        {{s("print-order"), s("1001"), s("--out"), out, s("--reports"), s("20")}, "not a report box"},
        {{s("print-order"), s("1001"), s("--out"), out, s("--components"), s("999999")},
         "--components: 999999 is not a component line of order 1001"},
        {{s("print-order"), s("1001"), s("--out"), out, s("--components"), s(",")}, "--components"},
        {{s("report"), s("order-report"), s("--order"), s("x1"), s("--out"), out + s(".csv")},
         "is not an order number"},
    };
    for (const Case &c : cases) {
        const CtlRun run = testsupport::runCtl(QStringList{s("--config"), config} + c.args);
        EXPECT_NE(run.exitCode, 0) << c.message;
        EXPECT_TRUE(run.err.contains(s(c.message))) << run.err.toStdString();
        EXPECT_EQ(run.err.trimmed().count(QLatin1Char('\n')), 0) << run.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(out));
    EXPECT_FALSE(QFileInfo::exists(out + s(".csv")));
}

TEST_P(PrintOrder, TwoRunsIntoOneFolderAtOnceKeepEveryCopy)
{
    const QString out = QDir(dir.path()).filePath(s("shared"));
    QProcess a, b;
    for (QProcess *p : {&a, &b})
        p->start(s(BUNLINE_BIN_DIR "/bunlinectl"),
                 {s("--config"), config, s("print-order"), s("1001"), s("--out"), out, s("--format"), s("csv")});
    int copies = 0;
    for (QProcess *p : {&a, &b}) {
        ASSERT_TRUE(p->waitForFinished(120000));
        ASSERT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        copies += QString::fromUtf8(p->readAllStandardOutput()).section(QLatin1Char(' '), 0, 0).toInt();
    }
    const QStringList files = QDir(out).entryList(QDir::Files | QDir::Hidden);
    EXPECT_GT(copies, 2);
    EXPECT_EQ(files.size(), copies) << files.join(s("\n")).toStdString();
    EXPECT_EQ(QDir(out).entryList({s("*.part"), s("*.csv.*")}, QDir::Files | QDir::Hidden), QStringList());
}

BUNLINE_ON_EVERY_BACKEND(PrintOrder);

} // namespace
