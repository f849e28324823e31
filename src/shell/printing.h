#pragma once

// Printing from the screens on a workstation without a printer: the copies
// can go as PDF files into a folder the user picks, remembered in the
// settings for next time and changed from File > Print Folder. The picker goes
// through a seam, so that tests answer it.

#include <QString>
#include <functional>

class QWidget;

namespace shell {

// The folder chosen for printed copies (the user's settings); empty when none.
QString savedPrintFolder();
void setSavedPrintFolder(const QString &folder);

// Picks a folder: the folder dialog, or what a test installed. Empty when the
// user cancels.
using FolderChooser = std::function<QString(const QString &title, const QString &start)>;
void setFolderChooser(FolderChooser chooser); // empty: the dialog again
QString chooseFolder(const QString &title, const QString &start, QWidget *parent = nullptr);

// Before a screen prints: whether the copies have somewhere to go. A print
// folder (set or from the environment) or a printer: yes. Else the saved
// folder, or - asked first - a folder the user picks now and that is saved.
// False when the user declines or cancels.
bool readyToPrint(const QString &title, QWidget *parent = nullptr);

// After a screen printed: when the copies went into a folder, says how many
// and where.
void tellWherePrinted(const QString &title, int copies, QWidget *parent = nullptr);

// File > Print Folder: picks the folder for printed copies and saves it.
void choosePrintFolder(QWidget *parent = nullptr);

} // namespace shell
