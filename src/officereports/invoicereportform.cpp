#include "officereports/invoicereportform.h"

#include "data/database.h"
#include "officereports/showreports.h"
#include "reporting/reportdefinition.h"
#include "core/cursor.h"
#include "shell/formlayout.h"
#include "shell/enterkey.h"
#include "shell/defaultbutton.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using shell::named;

namespace officereports {

InvoiceReportForm::InvoiceReportForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmInvoiceReport"));
    setWindowTitle(QStringLiteral("Invoice Report"));
    setAttribute(Qt::WA_DeleteOnClose);

    cmbInvoice = named(new QComboBox, "cmbInvoice");
    cmbInvoice->setMinimumWidth(140);
    shell::attachTypeAhead(cmbInvoice);
    btnOK = named(new QPushButton(QStringLiteral("Ok")), "btnOK");
    btnCancel = named(new QPushButton(QStringLiteral("Cancel")), "btnCancel");

    auto *row = new QHBoxLayout;
    auto *caption = new QLabel(QStringLiteral("Invoice Number:"));
    caption->setBuddy(cmbInvoice);
    row->addWidget(caption);
    row->addWidget(cmbInvoice, 1);
    auto *buttons = shell::buttonRow({btnOK, btnCancel});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(cmbInvoice, btnOK);
    setTabOrder(btnOK, btnCancel);

    connect(btnOK, &QPushButton::clicked, this, [this] { okClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    shell::attachDefaultButton(this, btnOK);
    shell::attachCancelButton(this, btnCancel);
    shell::onEnterKey(cmbInvoice, [this] { okClicked(); });
}

void InvoiceReportForm::load()
{
    const QSignalBlocker block(cmbInvoice);
    cmbInvoice->clear();
    data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT ID FROM Invoice ORDER BY ID DESC"));
    for (; !rs.isEOF(); rs.moveNext())
        cmbInvoice->addItem(rs.text(QStringLiteral("ID")));
    cmbInvoice->setCurrentIndex(-1);
}

void InvoiceReportForm::okClicked()
{
    if (cmbInvoice->currentIndex() < 0 || cmbInvoice->currentText().isEmpty()) {
        shell::showMessage(QStringLiteral("Invalid Selection"), QStringLiteral("You must select an Invoice."),
                           shell::MessageIcon::None, shell::MessageButtons::Ok, this);
        return;
    }
    core::BusyCursor busy;
    try {
        ShowInvoice(cmbInvoice->currentText().toLongLong());
    } catch (const data::DbError &e) {
        shell::showDbError(e, this);
        return;
    } catch (const reporting::ReportError &e) {
        shell::showMessage(QStringLiteral("Invoice Report"), e.text(), shell::MessageIcon::Warning,
                           shell::MessageButtons::Ok, this);
        return;
    }
    close();
}

} // namespace officereports
