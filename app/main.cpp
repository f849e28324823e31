#include "app/screens.h"
#include "data/database.h"
#include "core/configuration.h"
#include "core/version.h"
#include "shell/messages.h"
#include "shell/startup.h"

#include <QApplication>
#include <cstdio>

namespace {

// The last line of defence: an error that escapes a screen's own handling is
// shown to the user instead of ending the program.
class BunlineApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const data::DbError &error) {
            shell::showDbError(error);
        } catch (const std::exception &error) {
            shell::showMessage(QStringLiteral("Bunline"), QString::fromLocal8Bit(error.what()),
                               shell::MessageIcon::Critical);
        }
        return false;
    }
};

// The file named by --config FILE, else the first config.txt found in the
// user's configuration folder, /etc/bunline/ and beside the program.
QString configurationPath(const QStringList &arguments)
{
    const int at = arguments.indexOf(QStringLiteral("--config"));
    if (at > 0 && at + 1 < arguments.size())
        return arguments[at + 1];
    return core::defaultConfigurationPath();
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before any window system is needed.
    if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
        printf("%s\n", qPrintable(core::versionText(QStringLiteral("bunline"))));
        return 0;
    }
    BunlineApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bunline"));
    shell::installDesktop();

    shell::StartedProgram program = shell::startUp(configurationPath(QApplication::arguments()), app::registerScreens);
    if (!program.window) {
        data::setSharedDatabase(nullptr);
        return program.exitCode;
    }
    // File > Exit, the login window's Close and the main window's frame all
    // end the program; the connection is closed on the way out.
    QObject::connect(program.window.get(), &shell::MainWindow::exitRequested, &app, [] { QCoreApplication::exit(0); });
    const int code = app.exec();
    program.window.reset();
    data::setSharedDatabase(nullptr);
    return code;
}
