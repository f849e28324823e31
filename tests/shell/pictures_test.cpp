// Pictures of the main window for a person to look at:
// BUNLINE_SCREENSHOT_DIR=/tmp/shots xvfb-run -a shell_tests --gtest_also_run_disabled_tests --gtest_filter='*Pictures*'
#include "app/screens.h"
#include "core/currentuser.h"
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

// The main window filling a screen of each common size, with the style screen
// and the order navigator open in it (scripts/screenshots.sh).
TEST_F(ShellPictures, DISABLED_DesktopAtScreenSizes)
{
    const QString dir = qEnvironmentVariable("BUNLINE_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP();
    QDir().mkpath(dir);
    data::addDemoPlant(db());
    shell::MessageRecorder messages;
    core::setCurrentUser({1, QStringLiteral("Admin"), QStringLiteral("admin")});
    for (const QSize size : {QSize(1280, 800), QSize(1920, 1080)}) {
        const QString suffix = QStringLiteral("-%1x%2.png").arg(size.width()).arg(size.height());
        shell::MainWindow window;
        app::registerScreens(window);
        window.setGeometry(QRect(QPoint(0, 0), size));
        window.show();
        window.unlockMenu();
        window.updateStatus();
        QTest::qWait(100);
        window.grab().save(dir + QStringLiteral("/mainwindow") + suffix);
        QWidget *style = window.openScreen(QStringLiteral("StyleEntry"));
        ASSERT_NE(style, nullptr);
        QTest::qWait(100);
        window.grab().save(dir + QStringLiteral("/style") + suffix);
        style->parentWidget()->close();
        QWidget *navigator = window.openScreen(QStringLiteral("OrdNav"));
        ASSERT_NE(navigator, nullptr);
        QTest::qWait(100);
        window.grab().save(dir + QStringLiteral("/navigator") + suffix);
    }
    core::setCurrentUser({});
    EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
}

} // namespace
