#include "support/cli.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace testsupport {

QString writeCtlConfig(const QTemporaryDir &dir, const QString &connectionString)
{
    return writeCtlConfig(dir.path(), connectionString);
}

QString writeCtlConfig(const QString &dir, const QString &connectionString)
{
    const QString config = QDir(dir).filePath(QStringLiteral("config.txt"));
    QFile file(config);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("Bunline configuration\nConnection string, \"%1\"\nRead-only catalogue, No\n"
                              "Local order IDs, No\nHide prices, No\n")
                   .arg(connectionString)
                   .toUtf8());
    return config;
}

CtlRun runCtl(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

CtlRun runCtlWritingTo(const QString &outputFile, const QStringList &args)
{
    QProcess p;
    p.setStandardOutputFile(outputFile);
    p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"), args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitCode(), {}, QString::fromUtf8(p.readAllStandardError())};
}

CtlRun runCtl(const QString &config, const QStringList &args)
{
    return runCtl(QStringList{QStringLiteral("--config"), config} + args);
}

QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(30000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

ScopedEnv::ScopedEnv(const char *name, const QByteArray &value)
    : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
{
    if (value.isEmpty())
        qunsetenv(name);
    else
        qputenv(name, value);
}

ScopedEnv::~ScopedEnv()
{
    if (m_wasSet)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

} // namespace testsupport
