#pragma once

// What tests of bunlinectl and of printed output share: a config.txt for a
// test database, running the program, reading a PDF's text, and environment
// variables set for one test and put back however it ends.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testsupport {

// Writes DIR/config.txt naming connectionString; answers its path.
QString writeCtlConfig(const QTemporaryDir &dir, const QString &connectionString);
QString writeCtlConfig(const QString &dir, const QString &connectionString);

struct CtlRun {
    int exitCode;
    QString out, err;
};

// Runs bunlinectl with these arguments; runCtl(config, args) puts
// "--config CONFIG" first.
CtlRun runCtl(const QStringList &args);
CtlRun runCtl(const QString &config, const QStringList &args);
// The same with standard output sent to a file ("/dev/full" for a full disk).
CtlRun runCtlWritingTo(const QString &outputFile, const QStringList &args);

// The text of a PDF file, laid out as on the page (pdftotext -layout).
QString pdfText(const QString &path);

// Sets (or with an empty value, unsets) an environment variable until the
// end of the scope.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv &) = delete;
    ScopedEnv &operator=(const ScopedEnv &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};

} // namespace testsupport
