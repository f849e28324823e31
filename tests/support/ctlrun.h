#pragma once

// Running bunlinectl from a test: a config.txt for a test database, and the
// program's exit code and output.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testsupport {

inline QString writeCtlConfig(const QTemporaryDir &dir, const QString &connectionString)
{
    const QString config = QDir(dir.path()).filePath(QStringLiteral("config.txt"));
    QFile file(config);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("Bunline configuration\nConnection string, \"%1\"\nRead-only catalogue, No\n"
                              "Local order IDs, No\nHide prices, No\n")
                   .arg(connectionString)
                   .toUtf8());
    return config;
}

struct CtlRun {
    int exitCode;
    QString out, err;
};

inline CtlRun runCtl(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace testsupport
