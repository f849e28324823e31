// The database's life beside the plant's work: schema upgrades, backups and
// restores.
#include "cli.h"

#include "core/configuration.h"
#include "data/backup.h"
#include "data/database.h"
#include "data/schemaversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace cli {

namespace {

// Progress on stderr for copies big enough to take a while: a percentage
// (or megabytes written when the whole is unknown), rewritten in place.
class Progress {
public:
    explicit Progress(const char *what) : m_what(what) {}
    ~Progress()
    {
        if (m_shown)
            fprintf(stderr, "\n");
    }
    void operator()(qint64 done, qint64 total)
    {
        if (total > 0) {
            // Pages of 4 KiB: from about 50 MB on.
            if (total < 12800)
                return;
            const int percent = int(done * 100 / total);
            if (percent == m_last)
                return;
            m_last = percent;
            fprintf(stderr, "\r%s: %d%%", m_what, percent);
        } else {
            const int mb = int(done / (1024 * 1024));
            if (mb < 50 || mb / 10 == m_last)
                return;
            m_last = mb / 10;
            fprintf(stderr, "\r%s: %d MB", m_what, mb);
        }
        fflush(stderr);
        m_shown = true;
    }

private:
    const char *m_what;
    int m_last = -1;
    bool m_shown = false;
};

QString absolute(const QString &file)
{
    return QFileInfo(file).absoluteFilePath();
}

} // namespace

int upgradeDb(Context &ctx)
{
    ctx.finish();
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    try {
        const data::UpgradeReport report = data::upgradeSchema(*db);
        if (!report.backupFile.isEmpty())
            ctx.out << "Copied the database to " << report.backupFile << " before upgrading.\n";
        for (const QString &step : report.steps)
            ctx.out << "Applied " << step << ".\n";
        if (report.from == report.to)
            ctx.out << "The database is of schema version " << report.to << " already; nothing to do.\n";
        else
            ctx.out << "Upgraded the database from schema version " << report.from << " to " << report.to << ".\n";
    } catch (const data::UpgradeBlocked &blocked) {
        ctx.out << "Rows to fix before the upgrade:\n";
        for (const QString &row : blocked.rows())
            ctx.out << "  " << row << "\n";
        ctx.out.flush();
        throw;
    }
    return 0;
}

int backup(Context &ctx)
{
    const QString file = ctx.takeOption(QStringLiteral("--out"));
    ctx.finish();
    if (file.isEmpty())
        throw CliError(QStringLiteral("backup needs --out FILE"));
    std::unique_ptr<data::Database> db = ctx.openDatabase();
    Progress progress("Backing up");
    data::BackupOptions options;
    options.progress = [&](qint64 done, qint64 total) { progress(done, total); };
    data::backupDatabase(*db, absolute(file), options);
    ctx.out << "Backed up the database (schema version " << data::schemaVersion(*db) << ") to " << absolute(file)
            << ".\n";
    return 0;
}

int restore(Context &ctx)
{
    const QString file = ctx.takeLeading(QStringLiteral("restore FILE"));
    ctx.finish();
    // The backup is checked before anything is created.
    const data::ConnectionSettings settings =
        data::ConnectionSettings::parse(core::ReadConfiguration(ctx.configPath).connectionString);
    data::backupSchemaVersion(settings.dialect, absolute(file));
    QString createdFile;
    if (settings.dialect == data::Dialect::SQLite) {
        const QString path = QFileInfo(ctx.configPath).absoluteDir().absoluteFilePath(settings.database);
        if (!QFileInfo::exists(path))
            createdFile = path;
    }
    try {
        std::unique_ptr<data::Database> db = ctx.openDatabase(true);
        Progress progress("Restoring");
        data::BackupOptions options;
        options.progress = [&](qint64 done, qint64 total) { progress(done, total); };
        const int version = data::restoreDatabase(*db, absolute(file), options);
        ctx.out << "Restored " << absolute(file) << " (schema version " << version << ").";
        if (version < data::kSchemaVersion)
            ctx.out << " Run bunlinectl upgrade-db before using it.";
        ctx.out << "\n";
    } catch (...) {
        if (!createdFile.isEmpty())
            for (const char *suffix : {"", "-wal", "-shm", "-journal"})
                QFile::remove(createdFile + QLatin1String(suffix));
        throw;
    }
    return 0;
}

} // namespace cli
