#include "app/screens.h"
#include "core/companysettings.h"
#include "core/cursor.h"
#include "core/currentuser.h"
#include "shell/loginform.h"
#include "shell/messages.h"
#include "shell/startup.h"

#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "support/testdatabase.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace shell;
using namespace core;

namespace {

// A program folder with config.txt and a database.
class Startup : public ::testing::Test {
protected:
    void SetUp() override
    {
        data::OpenOptions create;
        create.create = true;
        auto db = data::Database::open("Driver=SQLite;Database=" + dir.filePath("bunline.db"), create);
        data::createSchema(*db);
        db->execute("INSERT INTO Company (Name, City, State, Zip) VALUES ('Acme Foam', 'Dalton', 'GA', '30720')");
        writeConfig("\"Driver=SQLite;Database=bunline.db\"");
    }
    void TearDown() override
    {
        data::setSharedDatabase(nullptr);
        setCurrentUser({});
    }

    void writeConfig(const QString &connection, int lines = 5)
    {
        QFile file(configPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QStringList all{"Bunline configuration", "Connection string, " + connection, "Read-only catalogue, No",
                              "Local order IDs, No", "Hide prices, No"};
        file.write((all.mid(0, lines).join("\n") + "\n").toUtf8());
    }
    QString configPath() const { return dir.filePath("config.txt"); }

    QTemporaryDir dir;
    MessageRecorder messages;
};

} // namespace

TEST_F(Startup, OpensTheMainWindowLockedWithTheLoginCentred)
{
    const int hourglasses = busyCursorCount();
    StartedProgram program = startUp(configPath(), app::registerScreens);
    ASSERT_NE(program.window, nullptr);
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(program.window->windowTitle(), "Bunline");
    EXPECT_TRUE(program.window->isVisible());
    EXPECT_GT(busyCursorCount(), hourglasses);
    EXPECT_EQ(busyCursorDepth(), 0);
    EXPECT_TRUE(program.window->menuAction("Exit")->isEnabled());
    EXPECT_FALSE(program.window->menuAction("mnuCompanySetup")->isEnabled());
    EXPECT_FALSE(program.window->menuAction("Help")->isEnabled());
    auto *login = program.window->findChild<LoginForm *>("frmLogin");
    ASSERT_NE(login, nullptr);
    EXPECT_TRUE(login->isVisible());
    EXPECT_EQ(program.window->workArea()->subWindowList().size(), 1);
    EXPECT_EQ(companySettings().name, "Acme Foam");
    EXPECT_EQ(companySettings().cityStateZip(), "Dalton, GA  30720");
}

TEST_F(Startup, AnEmptyCompanyTableAsksForTheCompanyScreen)
{
    {
        auto db = data::Database::open("Driver=SQLite;Database=" + dir.filePath("bunline.db"));
        db->execute("DELETE FROM Company");
    }
    StartedProgram program = startUp(configPath(), app::registerScreens);
    ASSERT_NE(program.window, nullptr);
    EXPECT_TRUE(companySettings().name.isEmpty());
    // Whether or not this build has the company screen, login is still offered.
    EXPECT_NE(program.window->findChild<LoginForm *>("frmLogin"), nullptr);
    if (program.window->hasScreen("mnuCompanySetup")) {
        EXPECT_NE(program.window->openedScreen("mnuCompanySetup"), nullptr);
    }
}

TEST_F(Startup, ConfigurationAndConnectionFailuresAreNamedAndEndStartUp)
{
    writeConfig("\"Driver=SQLite;Database=bunline.db\"", 3);
    StartedProgram shortFile = startUp(configPath(), app::registerScreens);
    EXPECT_EQ(shortFile.window, nullptr);
    EXPECT_NE(shortFile.exitCode, 0);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().text.contains(QDir::toNativeSeparators(configPath())));
    EXPECT_TRUE(messages.last().text.contains("local order-ID")) << messages.last().text.toStdString();

    QFile::remove(configPath());
    StartedProgram missing = startUp(configPath(), app::registerScreens);
    EXPECT_EQ(missing.window, nullptr);
    EXPECT_TRUE(messages.last().text.contains("missing")) << messages.last().text.toStdString();

    writeConfig("\"Driver=SQLite;Database=no-such-folder/none.db\"");
    StartedProgram unreachable = startUp(configPath(), app::registerScreens);
    EXPECT_EQ(unreachable.window, nullptr);
    EXPECT_EQ(messages.count(), 3);
    EXPECT_TRUE(messages.last().text.contains("database")) << messages.last().text.toStdString();

    // A missing central server is named, not made up empty.
    writeConfig("\"Driver=SQLite;Database=bunline.db;LinkedServer=central.db\"");
    StartedProgram unlinked = startUp(configPath(), app::registerScreens);
    EXPECT_EQ(unlinked.window, nullptr);
    EXPECT_TRUE(messages.last().text.contains(dir.filePath("central.db"))) << messages.last().text.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("central.db")));
}

TEST_F(Startup, ASecondCopyIsRefusedWhileTheFirstRuns)
{
    const QString program = QStringLiteral(BUNLINE_BIN_DIR "/bunline");
    if (!QFile::exists(program))
        GTEST_SKIP() << "bunline is not built";

    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    first.setProcessEnvironment(env);
    first.start(program, {"--config", configPath()});
    ASSERT_TRUE(first.waitForStarted());

    // Wait until the first copy holds its lock.
    QLockFile probe(instanceLockPath(configPath()));
    qint64 holder = 0;
    QString host, app;
    for (int i = 0; i < 200 && holder != first.processId(); ++i) {
        QThread::msleep(50);
        probe.getLockInfo(&holder, &host, &app);
    }
    ASSERT_EQ(holder, first.processId()) << first.readAllStandardError().toStdString();

    StartedProgram second = startUp(configPath(), app::registerScreens);
    EXPECT_EQ(second.window, nullptr);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Application Already Running");
    EXPECT_EQ(messages.last().text, "This application is already running.");
    EXPECT_EQ(messages.last().icon, MessageIcon::None);
    EXPECT_EQ(messages.last().buttons, MessageButtons::Ok);
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy keeps running";

    // Once the first copy is gone (even without cleaning up), the program starts.
    first.kill();
    first.waitForFinished();
    data::setSharedDatabase(nullptr);
    StartedProgram third = startUp(configPath(), app::registerScreens);
    EXPECT_NE(third.window, nullptr);
    EXPECT_EQ(messages.count(), 1);
}
