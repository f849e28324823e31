// Pictures of the main window for a person to look at:
// BUNLINE_SCREENSHOT_DIR=/tmp/shots xvfb-run -a shell_tests --gtest_also_run_disabled_tests --gtest_filter='*Pictures*'
#include "app/screens.h"
#include "data/demoplant.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

class ShellPictures : public testsupport::ScreenTest {};

TEST_F(ShellPictures, DISABLED_LoginAndMenu)
{
    const QString dir = qEnvironmentVariable("BUNLINE_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP();
    QDir().mkpath(dir);
    data::addDemoPlant(db());
    shell::MessageRecorder messages;
    shell::MainWindow window;
    app::registerScreens(window);
    window.resize(1024, 768);
    window.show();
    window.lockMenu();
    window.showLogin();
    QTest::qWait(100);
    window.grab().save(dir + QStringLiteral("/login.png"));
    window.unlockMenu();
    auto *reports = window.menuBar()->findChild<QMenu *>(QStringLiteral("Reports"));
    ASSERT_NE(reports, nullptr);
    reports->popup(window.mapToGlobal(QPoint(200, 20)));
    QTest::qWait(100);
    reports->grab().save(dir + QStringLiteral("/reports-menu.png"));
    auto *admin = window.menuBar()->findChild<QMenu *>(QStringLiteral("Administrative"));
    ASSERT_NE(admin, nullptr);
    admin->popup(window.mapToGlobal(QPoint(120, 20)));
    QTest::qWait(100);
    admin->grab().save(dir + QStringLiteral("/administrative-menu.png"));
}

} // namespace
