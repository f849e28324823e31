#pragma once

#include "shell/mainwindow.h"

#include <QString>
#include <functional>
#include <memory>

class QLockFile;

namespace shell {

// What start-up leaves running: the main window with the login window open,
// and the lock that tells a second copy this one runs. No window means the
// program ends at once with exitCode.
struct StartedProgram {
    std::unique_ptr<QLockFile> lock;
    std::unique_ptr<MainWindow> window;
    int exitCode = 0;

    StartedProgram();
    StartedProgram(StartedProgram &&) noexcept;
    StartedProgram &operator=(StartedProgram &&) noexcept;
    ~StartedProgram();
};

// The lock a running copy holds, one per user and program folder (the folder of
// config.txt), as two copies of the program over one configuration would
// share everything.
QString instanceLockPath(const QString &configurationPath);

// Start-up, in order: read the configuration, open the shared connection, load
// the company settings, refuse a second copy ("Application Already Running"),
// then with the hourglass showing open the main window with only File > Exit
// working, the company screen when the Company table is empty, and the login
// window. A configuration or connection failure is shown (naming the file and
// what is missing, or the database's message) and start-up ends.
// registerScreens fills the main window's registry before anything opens.
StartedProgram startUp(const QString &configurationPath, const std::function<void(MainWindow &)> &registerScreens);

// What the desktop puts behind the seams of the layers below it: the hourglass
// of core::BusyCursor, the Report Viewer behind ShowReport, and the company
// heading of every report from the loaded company settings.
void installDesktop();

} // namespace shell
