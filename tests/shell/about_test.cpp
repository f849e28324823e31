#include "shell/aboutform.h"
#include "support/cli.h"
#include "shell/messages.h"
#include "core/version.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace shell;

TEST(About, ShowsTitleAndVersion)
{
    AboutForm about;
    EXPECT_EQ(about.lblTitle->text(), "Bunline");
    EXPECT_EQ(about.lblVersion->text(), "Version 1.00 8/29/16");
    EXPECT_TRUE(about.lblBuild->text().startsWith("Bunline " + core::programVersion()))
        << about.lblBuild->text().toStdString();
}

TEST(About, SystemInformationWithoutAProgramSaysSo)
{
    QTemporaryDir empty;
    const testsupport::ScopedEnv path("PATH", empty.path().toLocal8Bit());
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
    const testsupport::ScopedEnv path("PATH", (bin.path() + ":/usr/bin:/bin").toLocal8Bit());
    EXPECT_EQ(findSystemInformationProgram(), bin.filePath("gnome-system-monitor"));

    MessageRecorder messages;
    AboutForm about;
    about.btnSysInfo->click();
    EXPECT_EQ(messages.count(), 0);
    for (int i = 0; i < 100 && !QFile::exists(marker); ++i)
        QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(marker));
}
