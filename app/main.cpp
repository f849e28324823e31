#include "data/database.h"
#include "shell/companysettings.h"
#include "shell/configuration.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Bunline"));
    const QString configPath = shell::defaultConfigurationPath();
    try {
        const shell::Configuration configuration = shell::ReadConfiguration(configPath);
        shell::setCurrentConfiguration(configuration);
        shell::OpenConnection(configuration, configPath);
        shell::LoadCompanySettings(data::sharedDatabase());
    } catch (const shell::ConfigError &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Bunline"), e.text());
        return 1;
    } catch (const data::DbError &e) {
        QMessageBox::critical(nullptr, QStringLiteral("Bunline"), e.text());
        return 1;
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bunline"));
    window.resize(1024, 768);
    window.show();
    const int code = app.exec();
    data::setSharedDatabase(nullptr);
    return code;
}
