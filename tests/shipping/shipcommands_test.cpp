// bunlinectl ship and load-sheet on the sofa order: shipments through the
// save routine, refusals that write nothing, and the printed copies as CSV
// against the files checked in beside this test.
//
// After a deliberate change to the sheets, regenerate the expected files with
//   BUNLINE_REGENERATE_GOLDEN=1 shipping_tests --gtest_filter='*Golden*'
#include "shippingfixture.h"
#include "support/cli.h"
#include "support/testdatabase.h"

#include <QProcess>

using namespace fixture;
using testsupport::runCtl;

namespace {

class ShipCommands : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        addPlant(db());
        sofa = addSofaOrder(db());
        config = testsupport::writeCtlConfig(dir, temp().connectionString());
    }
    testsupport::CtlRun ctl(const QStringList &args) { return runCtl(QStringList{s("--config"), config} + args); }
    int shipmentLines() { return int(db().query(s("SELECT COUNT(*) AS N FROM ShipmentItems")).integer(s("N"))); }

    // Writes the copies and compares them with golden/<name>, file by file.
    void expectGolden(const QString &name, const QStringList &args)
    {
        const QString out = QDir(dir.path()).filePath(name);
        const testsupport::CtlRun run =
            ctl(QStringList{s("load-sheet"), s("1001"), s("--out"), out, s("--format"), s("csv")} + args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString golden = s(BUNLINE_SOURCE_DIR "/tests/shipping/golden/") + name;
        const QStringList written = QDir(out).entryList(QDir::Files, QDir::Name);
        if (!qEnvironmentVariableIsEmpty("BUNLINE_REGENERATE_GOLDEN") && !isPostgres()) {
            QDir(golden).removeRecursively();
            QDir().mkpath(golden);
            for (const QString &file : written)
                ASSERT_TRUE(QFile::copy(QDir(out).filePath(file), QDir(golden).filePath(file)));
            return;
        }
        ASSERT_EQ(written, QDir(golden).entryList(QDir::Files, QDir::Name));
        for (const QString &file : written) {
            QFile a(QDir(out).filePath(file)), b(QDir(golden).filePath(file));
            ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
            EXPECT_EQ(a.readAll().toStdString(), b.readAll().toStdString()) << file.toStdString();
        }
    }

    QTemporaryDir dir;
    QString config;
    Sofa sofa;
};

TEST_P(ShipCommands, ShipsItemsThenTheRest)
{
    testsupport::CtlRun run = ctl({s("ship"), s("1001"), s("1=4"), s("--date"), s("2026-03-20")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith(s("saved; order 1001 is Open\n"))) << run.out.toStdString();
    EXPECT_EQ(shipping::orderLines(db(), 1001)[0].shipped, 4);

    run = ctl({s("ship"), s("1001"), s("--all")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith(s("saved; order 1001 is Closed\n"))) << run.out.toStdString();
    EXPECT_EQ(shipmentLines(), 3);
}

TEST_P(ShipCommands, RefusesWithOneLineAndWritesNothing)
{
    const QString out = QDir(dir.path()).filePath(s("none"));
    const struct {
        QStringList args;
        const char *message;
    } cases[] = {
        {{s("ship"), s("1001"), s("1=12")}, "Item 1: 12 is more than the 10 still open."},
        {{s("ship"), s("1001"), s("1=-3")}, "Item 1: a shipped quantity cannot be negative."},
        {{s("ship"), s("1001"), s("3=1")}, "Order 1001 has no item 3."},
        {{s("ship"), s("4242"), s("1=1")}, "There is no order with the ID 4242"},
        {{s("ship"), s("1001"), s("1=x")}, "is not a quantity"},
        {{s("ship"), s("1001"), s("1=1"), s("--date"), s("3/20/2026")}, "is not a date"},
        {{s("ship"), s("1001")}, "usage"},
        {{s("load-sheet"), s("1001"), s("--out"), out, s("--plan"), s("9:1")}, "order 1001 has no item 9"},
        {{s("load-sheet"), s("1001"), s("--out"), out, s("--plan"), s("1:x")}, "is not a quantity"},
        {{s("load-sheet"), s("1001"), s("--out"), out, s("--suffix"), s("-A")}, "--suffix goes with --all-sheets"},
    };
    for (const auto &c : cases) {
        const testsupport::CtlRun run = ctl(c.args);
        EXPECT_NE(run.exitCode, 0) << c.message;
        EXPECT_TRUE(run.err.contains(s(c.message))) << run.err.toStdString();
        EXPECT_EQ(run.err.trimmed().count(QLatin1Char('\n')), 0) << run.err.toStdString();
    }
    EXPECT_EQ(shipmentLines(), 0);
    EXPECT_FALSE(QFileInfo::exists(out));
}

// Two workstations ship the rest of an order at the same moment: one saves,
// the other is refused, and the order never ships more than was ordered.
TEST_P(ShipCommands, TwoShipsAtOnceNeverBothSave)
{
    for (qint64 order : {2101, 2102, 2103}) {
        addPlainOrder(db(), order, sofa.style, {{1, 10}});
        std::vector<std::unique_ptr<QProcess>> runs;
        for (int i = 0; i < 2; ++i) {
            runs.push_back(std::make_unique<QProcess>());
            runs.back()->start(s(BUNLINE_BIN_DIR "/bunlinectl"),
                               {s("--config"), config, s("ship"), QString::number(order), s("--all")});
        }
        int saved = 0;
        for (const auto &run : runs) {
            ASSERT_TRUE(run->waitForFinished(120000));
            const QString err = QString::fromUtf8(run->readAllStandardError());
            if (run->exitCode() == 0)
                ++saved;
            else
                EXPECT_TRUE(err.contains(s("is more than the 0 still open")) || err.contains(s("No Items to save.")))
                    << err.toStdString();
        }
        EXPECT_EQ(saved, 1) << order;
        EXPECT_EQ(shipping::orderLines(db(), order)[0].shipped, 10) << order;
    }
}

TEST_P(ShipCommands, LoadSheetCopiesMatchGoldenFiles)
{
    ASSERT_EQ(ctl({s("ship"), s("1001"), s("2=2.5"), s("--date"), s("2026-03-20")}).exitCode, 0);
    expectGolden(s("load-sheet"), {});
    expectGolden(s("load-run"), {s("--plan"), s("1:4,BREAK,1:6,2:10"), s("--all-sheets"), s("--suffix"), s("-B")});
    expectGolden(s("empty-run"), {s("--plan"), s("BREAK"), s("--all-sheets"), s("--suffix"), s("-C")});
}

} // namespace

BUNLINE_ON_EVERY_BACKEND(ShipCommands);
