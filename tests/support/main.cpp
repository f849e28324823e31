// One main() for every test program: screens need a QApplication, and tests
// run without a display. The desktop's seams are installed as the program
// installs them, so the hourglass, the Report Viewer and report headings work
// as they do for a user.
#include "shell/startup.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    shell::installDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
