#include "shell/formlayout.h"
#include "shell/aboutform.h"

#include "shell/defaultbutton.h"
#include "shell/messages.h"
#include "core/version.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace shell {

const QStringList &systemInformationPrograms()
{
    static const QStringList programs{
        QStringLiteral("hardinfo2"),   QStringLiteral("hardinfo"),    QStringLiteral("gnome-system-monitor"),
        QStringLiteral("kinfocenter"), QStringLiteral("xfce4-about"), QStringLiteral("lxtask"),
    };
    return programs;
}

QString findSystemInformationProgram()
{
    for (const QString &program : systemInformationPrograms()) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

AboutForm::AboutForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Bunline"));

    lblTitle = new QLabel(QStringLiteral("Bunline"), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = new QLabel(QStringLiteral("Version 1.00 8/29/16"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    // The release and build that is running, for support calls.
    lblBuild = new QLabel(core::versionText(QStringLiteral("Bunline")), this);
    lblBuild->setObjectName(QStringLiteral("lblBuild"));
    lblBuild->setTextInteractionFlags(Qt::TextSelectableByMouse);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnSysInfo = new QPushButton(QStringLiteral("System Info..."), this);
    btnSysInfo->setObjectName(QStringLiteral("btnSysInfo"));

    auto *buttons = buttonRow({btnOK, btnSysInfo});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addWidget(lblBuild);
    layout->addSpacing(24);
    layout->addLayout(buttons);

    setMinimumWidth(320);

    connect(btnOK, &QPushButton::clicked, this, &QWidget::close);
    attachCancelButton(this, btnOK);
    connect(btnSysInfo, &QPushButton::clicked, this, &AboutForm::startSystemInformation);
}

void AboutForm::startSystemInformation()
{
    const QString program = findSystemInformationProgram();
    if (program.isEmpty()) {
        showMessage(QStringLiteral("System Information"),
                    QStringLiteral("No system information program is installed on this workstation.\n"
                                   "Install one of these to use this button: %1.")
                        .arg(systemInformationPrograms().join(QStringLiteral(", "))),
                    MessageIcon::Information, MessageButtons::Ok, this);
        return;
    }
    if (!QProcess::startDetached(program, {}))
        showMessage(QStringLiteral("System Information"),
                    QStringLiteral("%1 could not be started.").arg(QFileInfo(program).fileName()), MessageIcon::Warning,
                    MessageButtons::Ok, this);
}

} // namespace shell
