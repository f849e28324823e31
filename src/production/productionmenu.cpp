#include "production/productionmenu.h"

#include "data/database.h"
#include "officereports/orderreport.h"
#include "production/orderselectionform.h"
#include "production/paperwork.h"
#include "production/printorderreportsform.h"
#include "core/cursor.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"

namespace production {

namespace {

const QString kReportSelection = QStringLiteral("frmPrintOrderReports");

void showOrderReport(qint64 orderId)
{
    reporting::ReportPtr report;
    {
        core::BusyCursor busy;
        report = officereports::OrderReport(data::sharedDatabase(), qint32(orderId), QStringLiteral("Office Manager"));
    }
    if (!report) {
        shell::showMessage(QStringLiteral("Order Selection"),
                           QStringLiteral("There is no order with the ID %1.").arg(orderId),
                           shell::MessageIcon::Warning);
        return;
    }
    reporting::ShowReport(report);
}

shell::ScreenFactory selection(const char *name, std::function<void(qint64)> print)
{
    return [name, print] {
        auto *form = new OrderSelectionForm(QString::fromLatin1(name), print);
        form->load();
        return form;
    };
}

} // namespace

void openReportSelection(qint64 orderId, bool shippingOnly)
{
    auto *form =
        qobject_cast<PrintOrderReportsForm *>(shell::openScreen(kReportSelection, QStringLiteral("Report Selection")));
    if (!form)
        return;
    form->FillOrderID(orderId);
    for (const QString &plant : plantNames(data::sharedDatabase()))
        form->AddPlant(plant);
    if (shippingOnly)
        form->checkOnly({17, 18, 19});
}

void registerScreens(shell::MainWindow &window)
{
    window.registerScreen(kReportSelection, [] { return new PrintOrderReportsForm; });
    window.registerScreen(QStringLiteral("Production"),
                          selection("frmFabMgrReports", [](qint64 id) { openReportSelection(id); }));
    window.registerScreen(QStringLiteral("ShippingMgr"),
                          selection("frmShipMgrReports", [](qint64 id) { openReportSelection(id, true); }));
    window.registerScreen(QStringLiteral("OrderEntryControlReport"), selection("frmOrderEntryReport", showOrderReport));
}

} // namespace production
