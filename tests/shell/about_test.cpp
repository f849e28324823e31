#include "shell/aboutform.h"
#include "shell/messages.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace shell;

namespace {
// PATH replaced for one test.
class PathScope {
public:
    explicit PathScope(const QString &path)
        : m_old(qgetenv("PATH"))
    {
        qputenv("PATH", path.toLocal8Bit());
    }
    ~PathScope() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};
} // namespace

TEST(About, ShowsTitleAndVersion)
{
    AboutForm about;
    EXPECT_EQ(about.lblTitle->text(), "Bunline");
    EXPECT_EQ(about.lblVersion->text(), "Version 1.00 8/29/16");
}

TEST(About, SystemInformationWithoutAProgramSaysSo)
{
    QTemporaryDir empty;
    PathScope path(empty.path());
    MessageRecorder messages;
    AboutForm about;
    about.btnSysInfo->click();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_TRUE(messages.last().text.contains("No system information program")) << messages.last().text.toStdString();
}

TEST(About, SystemInformationStartsTheInstalledProgram)
{
    QTemporaryDir bin;
    const QString marker = bin.filePath("started");
    QFile script(bin.filePath("gnome-system-monitor"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\ntouch '" + marker + "'\n").toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    PathScope path(bin.path() + ":/usr/bin:/bin");
    EXPECT_EQ(findSystemInformationProgram(), bin.filePath("gnome-system-monitor"));

    MessageRecorder messages;
    AboutForm about;
    about.btnSysInfo->click();
    EXPECT_EQ(messages.count(), 0);
    for (int i = 0; i < 100 && !QFile::exists(marker); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
}
