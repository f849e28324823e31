#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace shell {

// The system-information programs the About screen can start, in the order
// they are looked for on the PATH.
const QStringList &systemInformationPrograms();
// The full path of the first of them that is installed; empty when none is.
QString findSystemInformationProgram();

// frmAbout: the product title, the version and a button that starts the
// workstation's system-information program.
class AboutForm : public QWidget {
    Q_OBJECT
public:
    explicit AboutForm(QWidget *parent = nullptr);

    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblBuild;
    QPushButton *btnSysInfo;
    QPushButton *btnOK;

private:
    void startSystemInformation();
};

} // namespace shell
