#include "shell/printing.h"

#include "shell/messages.h"
#include "reporting/reportsinks.h"

#include <QDir>
#include <QFileDialog>
#include <QSettings>

namespace shell {

namespace {

FolderChooser g_chooser;
const QString kKey = QStringLiteral("printing/folder");

// Picks a folder and saves it; false when the user cancels.
bool pickAndSave(const QString &title, QWidget *parent)
{
    const QString saved = savedPrintFolder();
    const QString folder = chooseFolder(title, saved.isEmpty() ? QDir::homePath() : saved, parent);
    if (folder.isEmpty())
        return false;
    setSavedPrintFolder(folder);
    return true;
}

} // namespace

QString savedPrintFolder()
{
    return QSettings().value(kKey).toString();
}

void setSavedPrintFolder(const QString &folder)
{
    QSettings settings;
    if (folder.isEmpty())
        settings.remove(kKey);
    else
        settings.setValue(kKey, folder);
}

void setFolderChooser(FolderChooser chooser)
{
    g_chooser = std::move(chooser);
}

QString chooseFolder(const QString &title, const QString &start, QWidget *parent)
{
    if (g_chooser)
        return g_chooser(title, start);
    return QFileDialog::getExistingDirectory(parent, title, start);
}

bool readyToPrint(const QString &title, QWidget *parent)
{
    if (!reporting::printFolder().isEmpty() || reporting::printerAvailable())
        return true;
    if (savedPrintFolder().isEmpty()) {
        if (!askYesNo(title,
                      QStringLiteral("No printer is installed on this workstation. Save the copies as PDF files in a "
                                     "folder instead?"),
                      MessageIcon::Question, parent))
            return false;
        if (!pickAndSave(QStringLiteral("Folder for Printed Copies"), parent))
            return false;
    }
    reporting::setPrintFolder(savedPrintFolder(), reporting::PrintFormat::Pdf);
    return true;
}

void tellWherePrinted(const QString &title, int copies, QWidget *parent)
{
    const QString folder = reporting::printFolder();
    if (folder.isEmpty() || copies <= 0)
        return;
    const QString what = copies == 1 ? QStringLiteral("1 copy was") : QStringLiteral("%1 copies were").arg(copies);
    showMessage(title,
                QStringLiteral("%1 saved as %2 files in %3.")
                    .arg(what,
                         reporting::printFormat() == reporting::PrintFormat::Csv ? QStringLiteral("CSV")
                                                                                 : QStringLiteral("PDF"),
                         QDir::toNativeSeparators(folder)),
                MessageIcon::Information, MessageButtons::Ok, parent);
}

void choosePrintFolder(QWidget *parent)
{
    if (!pickAndSave(QStringLiteral("Folder for Printed Copies"), parent))
        return;
    // Copies go there from now on when the workstation has no printer (a
    // folder named by the environment still comes first).
    if (!reporting::printerAvailable() && qEnvironmentVariableIsEmpty("BUNLINE_PRINT_DIR"))
        reporting::setPrintFolder(savedPrintFolder(), reporting::PrintFormat::Pdf);
}

} // namespace shell
