#include "shell/startup.h"

#include "data/database.h"
#include "shell/companysettings.h"
#include "shell/configuration.h"
#include "shell/cursor.h"
#include "shell/messages.h"

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

StartedProgram startUp(const QString &configurationPath)
{
    StartedProgram program;
    bool companyMissing = false;
    try {
        const Configuration configuration = ReadConfiguration(configurationPath);
        setCurrentConfiguration(configuration);
        OpenConnection(configuration, configurationPath);
        companyMissing = !LoadCompanySettings(data::sharedDatabase());
    } catch (const ConfigError &error) {
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

    BusyCursor busy;
    program.window = std::make_unique<MainWindow>();
    program.window->show();
    program.window->lockMenu();
    if (companyMissing)
        reportingDbErrors([&] { program.window->openScreen(QStringLiteral("mnuCompanySetup")); });
    program.window->showLogin();
    return program;
}

} // namespace shell
