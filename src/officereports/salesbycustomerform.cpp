#include "officereports/salesbycustomerform.h"

#include "data/dberror.h"
#include "officereports/showreports.h"
#include "reporting/reportdefinition.h"
#include "core/clock.h"
#include "core/cursor.h"
#include "shell/datefield.h"
#include "shell/defaultbutton.h"
#include "shell/formlayout.h"
#include "shell/messages.h"
#include "shell/named.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using shell::named;

namespace officereports {

SalesByCustomerForm::SalesByCustomerForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSalesByCustomer"));
    setWindowTitle(QStringLiteral("Sales By Customer Report"));
    setAttribute(Qt::WA_DeleteOnClose);

    dtStart = shell::dateField("dtStart");
    dtEnd = shell::dateField("dtEnd");
    chkDetail = named(new QCheckBox(QStringLiteral("With Details")), "chkDetail");
    btnOK = named(new QPushButton(QStringLiteral("Ok")), "btnOK");
    btnCancel = named(new QPushButton(QStringLiteral("Cancel")), "btnCancel");

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Begin Date"), dtStart);
    form->addRow(QStringLiteral("End Date"), dtEnd);
    form->addRow(QString(), chkDetail);
    auto *buttons = shell::buttonRow({btnOK, btnCancel});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(dtStart, dtEnd);
    setTabOrder(dtEnd, chkDetail);
    setTabOrder(chkDetail, btnOK);
    setTabOrder(btnOK, btnCancel);

    connect(btnOK, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    shell::attachCancelButton(this, btnCancel);
    shell::attachDefaultButton(this, btnOK);
    // Wide enough for its caption beside the frame's buttons.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 140);
}

void SalesByCustomerForm::okClicked()
{
    core::BusyCursor busy;
    try {
        ShowSalesByCustomer(dtStart->date(), dtEnd->date(), chkDetail->isChecked());
    } catch (const data::DbError &e) {
        shell::showDbError(e, this);
        return;
    } catch (const reporting::ReportError &e) {
        shell::showMessage(QStringLiteral("Sales By Customer"), e.text(), shell::MessageIcon::Warning,
                           shell::MessageButtons::Ok, this);
        return;
    }
    close();
}

} // namespace officereports
