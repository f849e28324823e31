#include "shell/startup.h"

#include "data/database.h"
#include "core/companysettings.h"
#include "core/configuration.h"
#include "core/cursor.h"
#include "reporting/report.h"
#include "shell/messages.h"
#include "shell/viewer.h"

#include <QApplication>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace shell {

StartedProgram::StartedProgram() = default;
StartedProgram::StartedProgram(StartedProgram &&) noexcept = default;
StartedProgram &StartedProgram::operator=(StartedProgram &&) noexcept = default;
StartedProgram::~StartedProgram() = default;

QString instanceLockPath(const QString &configurationPath)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray key = QFileInfo(configurationPath).absoluteFilePath().toUtf8();
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));
    return QDir(folder).filePath(
        QStringLiteral("bunline-%1-%2.lock")
            .arg(user, QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16))));
}

void installDesktop()
{
    core::setBusyCursorDisplay([] { QApplication::setOverrideCursor(Qt::WaitCursor); },
                               [] { QApplication::restoreOverrideCursor(); });
    installReportViewer();
    reporting::useLoadedCompanyHeading();
}

StartedProgram startUp(const QString &configurationPath, const std::function<void(MainWindow &)> &registerScreens)
{
    StartedProgram program;
    bool companyMissing = false;
    try {
        const core::Configuration configuration = core::ReadConfiguration(configurationPath);
        core::setCurrentConfiguration(configuration);
        core::OpenConnection(configuration, configurationPath);
        companyMissing = !core::LoadCompanySettings(data::sharedDatabase());
    } catch (const core::ConfigError &error) {
        showMessage(QStringLiteral("Bunline"), error.text(), MessageIcon::Critical);
        program.exitCode = 1;
        return program;
    } catch (const data::DbError &error) {
        showMessage(QStringLiteral("Bunline"),
                    QStringLiteral("The database could not be opened.\n\n%1").arg(error.text()), MessageIcon::Critical);
        program.exitCode = 1;
        return program;
    }

    program.lock = std::make_unique<QLockFile>(instanceLockPath(configurationPath));
    // Only a lock whose process has ended counts as stale, however old.
    program.lock->setStaleLockTime(0);
    if (!program.lock->tryLock(0)) {
        if (program.lock->error() == QLockFile::LockFailedError) {
            showMessage(QStringLiteral("Application Already Running"),
                        QStringLiteral("This application is already running."));
            program.lock.reset();
            program.exitCode = 0;
            return program;
        }
        // The lock cannot be written at all (no writable folder): run anyway,
        // as refusing would lock every user out.
        program.lock.reset();
    }

    core::BusyCursor busy;
    program.window = std::make_unique<MainWindow>();
    registerScreens(*program.window);
    program.window->showRestored();
    program.window->lockMenu();
    if (companyMissing)
        reportingDbErrors([&] { program.window->openScreen(QStringLiteral("mnuCompanySetup")); });
    program.window->showLogin();
    return program;
}

} // namespace shell
