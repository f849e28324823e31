#include "shipping/gluesprayprintform.h"

#include "data/database.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QGridLayout>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace shipping {

GlueSprayPrintForm::GlueSprayPrintForm(QWidget *parent)
    : LoadPlanForm("frmGlueSprayPrint", QStringLiteral("Glue/Spray/Supply/Tie/Load Sheet"), parent)
{
    txtHeader = shell::named(new QLineEdit, "txtHeader");
    auto *label = new QLabel(QStringLiteral("Order Suffix"));
    label->setBuddy(txtHeader);
    infoLayout()->addWidget(label, 2, 0);
    infoLayout()->addWidget(txtHeader, 2, 1);
    shell::attachSelectOnFocus(txtHeader);
    setTabOrder(cmbOrder, txtHeader);
    setTabOrder(txtHeader, btnPrint);
}

// Every row from the current row to the end of the selection, order-line
// rows included.
void GlueSprayPrintForm::deleteRows()
{
    const QList<int> rows = selectedRows();
    const int current = vsfgItems->currentRow();
    if (current < 0)
        return;
    int first = current, last = current;
    if (!rows.isEmpty()) {
        first = std::min(first, rows.first());
        last = std::max(last, rows.last());
    }
    for (int row = last; row >= first; --row)
        removeRow(row);
}

void GlueSprayPrintForm::printPlan(production::Printout &out)
{
    PrintLoadRun(out, data::sharedDatabase(), txtHeader->text());
}

} // namespace shipping
