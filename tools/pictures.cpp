// bunline-pictures: pictures of every screen on the demo plant, for a person to
// look at (scripts/screenshots.sh runs it under Xvfb). It builds a throwaway
// demo database, logs in as an administrator, and for each screen size saves
// the main window alone, then with each registered screen open in it.
//
//   bunline-pictures OUT_DIR [WIDTHxHEIGHT ...]     (default 1280x800 1920x1080)
#include "app/screens.h"
#include "core/companysettings.h"
#include "core/currentuser.h"
#include "data/database.h"
#include "data/demoplant.h"
#include "data/schema.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

void settle()
{
    QTest::qWait(150);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Window geometry is remembered under this name, never the user's own.
    QApplication::setOrganizationName(QStringLiteral("Bunline Pictures"));
    QApplication::setApplicationName(QStringLiteral("bunline-pictures"));
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) {
        fprintf(stderr, "usage: bunline-pictures OUT_DIR [WIDTHxHEIGHT ...]\n");
        return 2;
    }
    const QString out = args.first();
    QList<QSize> sizes;
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d+)x(\\d+)$"));
    for (const QString &arg : args.mid(1)) {
        const QRegularExpressionMatch m = sizePattern.match(arg);
        if (!m.hasMatch()) {
            fprintf(stderr, "bunline-pictures: \"%s\" is not a size like 1280x800\n", qPrintable(arg));
            return 2;
        }
        sizes << QSize(m.captured(1).toInt(), m.captured(2).toInt());
    }
    if (sizes.isEmpty())
        sizes = {QSize(1280, 800), QSize(1920, 1080)};
    if (!QDir().mkpath(out)) {
        fprintf(stderr, "bunline-pictures: cannot make the folder %s\n", qPrintable(out));
        return 1;
    }

    QTemporaryDir dir;
    try {
        data::OpenOptions create;
        create.create = true;
        auto db = data::Database::open(
            QStringLiteral("Driver=SQLite;Database=") + dir.filePath(QStringLiteral("demo.db")), create);
        data::createSchema(*db);
        data::createWorkTables(*db);
        data::addDemoPlant(*db);
        data::setSharedDatabase(std::move(db));
        core::LoadCompanySettings(data::sharedDatabase());
    } catch (const std::exception &e) {
        fprintf(stderr, "bunline-pictures: %s\n", e.what());
        return 1;
    }
    shell::installDesktop();
    // Questions a screen asks while it opens are answered and not shown.
    shell::MessageRecorder messages;
    core::setCurrentUser({1, QStringLiteral("Admin"), QStringLiteral("admin")});

    int saved = 0;
    for (const QSize &size : sizes) {
        const QString suffix = QStringLiteral("-%1x%2.png").arg(size.width()).arg(size.height());
        shell::MainWindow window;
        app::registerScreens(window);
        window.setGeometry(QRect(QPoint(0, 0), size));
        window.show();
        window.unlockMenu();
        window.updateStatus();
        settle();
        saved += window.grab().save(QDir(out).filePath(QStringLiteral("mainwindow") + suffix));
        for (const QString &name : window.screenNames()) {
            QWidget *screen = nullptr;
            try {
                screen = window.openScreen(name);
            } catch (const std::exception &e) {
                fprintf(stderr, "bunline-pictures: %s did not open: %s\n", qPrintable(name), e.what());
                continue;
            }
            if (!screen)
                continue;
            settle();
            saved += window.grab().save(QDir(out).filePath(name + suffix));
            if (auto *frame = qobject_cast<QMdiSubWindow *>(screen->parentWidget()))
                frame->close();
            else
                screen->close();
            settle();
        }
    }
    core::setCurrentUser({});
    data::setSharedDatabase(nullptr);
    printf("%d pictures in %s\n", saved, qPrintable(out));
    return saved > 0 ? 0 : 1;
}
