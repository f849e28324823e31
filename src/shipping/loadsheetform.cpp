#include "shipping/loadsheetform.h"

#include "data/database.h"
#include "shell/messages.h"

#include <QTableWidget>

namespace shipping {

LoadSheetForm::LoadSheetForm(QWidget *parent) : LoadPlanForm("frmLoadSheet", QStringLiteral("Load Sheet"), parent) {}

void LoadSheetForm::deleteRows()
{
    const int row = vsfgItems->currentRow();
    if (row < 0)
        return;
    const QTableWidgetItem *orig = vsfgItems->item(row, ColOrig);
    if (orig && orig->text() == QLatin1String("*")) {
        shell::showMessage(QStringLiteral("Cannot Delete"), QStringLiteral("You cannot delete an Original Row."),
                           shell::MessageIcon::None);
        return;
    }
    removeRow(row);
}

void LoadSheetForm::printPlan(production::Printout &out)
{
    PrintLoadSheet(out, data::sharedDatabase());
}

} // namespace shipping
