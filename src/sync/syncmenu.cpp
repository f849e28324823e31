#include "sync/syncmenu.h"

#include "data/database.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "sync/batch.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <memory>

namespace serversync {

namespace {

using Batch = BatchResult (*)(data::Database &, bool, const BatchHooks &);

// Runs a batch operation as the menu does: its question and closing note as
// message boxes without an icon, and while it runs a progress dialog (shown
// once the user said Yes) naming the table or order being copied and the rows
// done so far, repainted at every step.
void runWithProgress(QWidget *parent, const QString &title, Batch batch)
{
    std::unique_ptr<QProgressDialog> progress;
    BatchHooks hooks;
    hooks.confirm = [parent](const QString &text, const QString &caption) {
        // Yes replaces local rows with the server's: Enter answers No.
        return shell::askYesDefaultNo(caption, text, shell::MessageIcon::None, parent);
    };
    hooks.inform = [parent, &progress](const QString &text, const QString &caption) {
        progress.reset();
        shell::showMessage(caption, text, shell::MessageIcon::None, shell::MessageButtons::Ok, parent);
    };
    hooks.progress = [&](const QString &step, qint64 rowsDone) {
        if (!progress) {
            progress = std::make_unique<QProgressDialog>(parent);
            progress->setObjectName(QStringLiteral("dlgBatchProgress"));
            progress->setWindowTitle(title);
            progress->setCancelButton(nullptr); // a table is copied whole or not at all
            progress->setRange(0, 0);
            progress->setMinimumDuration(0);
            progress->setWindowModality(Qt::WindowModal);
            progress->show();
        }
        progress->setLabelText(QStringLiteral("%1\n%2 rows done").arg(step).arg(rowsDone));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    batch(data::sharedDatabase(), true, hooks);
}

} // namespace

void registerScreens(shell::MainWindow &window)
{
    window.registerCommand(QStringLiteral("mnuDownloadCatalogue"), [](QWidget *parent) {
        runWithProgress(parent, QStringLiteral("Download Catalogue"), DownloadCatalogue);
    });
    window.registerCommand(QStringLiteral("mnuExchangeOrders"), [](QWidget *parent) {
        runWithProgress(parent, QStringLiteral("Exchange Orders"), ExchangeOrders);
    });
}

} // namespace serversync
