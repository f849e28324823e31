#include "invoicing/invoicesform.h"

#include "data/database.h"
#include "invoicing/invoicestore.h"
#include "officereports/showreports.h"
#include "reporting/reportdefinition.h"
#include "core/clock.h"
#include "core/formats.h"
#include "shell/defaultbutton.h"
#include "shell/datefield.h"
#include "shell/formlayout.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using shell::named;

namespace invoicing {

namespace {

// A money box: shows "$1,250.00" / "($20.00)" once the user leaves it.
QLineEdit *moneyBox(const char *name)
{
    auto *box = named(new QLineEdit, name);
    box->setAlignment(Qt::AlignRight);
    shell::attachSelectOnFocus(box);
    QObject::connect(box, &QLineEdit::editingFinished, box, [box] {
        if (const std::optional<double> amount = core::parseMoney(box->text()))
            box->setText(core::formatMoney(*amount));
    });
    return box;
}

} // namespace

InvoicesForm::InvoicesForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmInvoices"));
    setWindowTitle(QStringLiteral("Invoicing"));
    setAttribute(Qt::WA_DeleteOnClose);

    cmbCustomer = named(new QComboBox, "cmbCustomer");
    cmbCustomer->setMinimumWidth(240);
    shell::attachTypeAhead(cmbCustomer);
    lstOrders = named(new QListWidget, "lstOrders");
    lstToInvoice = named(new QListWidget, "lstToInvoice");
    for (QListWidget *list : {lstOrders, lstToInvoice})
        list->setMinimumSize(220, 180);
    btnAdd = named(new QPushButton(QStringLiteral(">>")), "btnAdd");
    btnRemove = named(new QPushButton(QStringLiteral("<<")), "btnRemove");
    dtInvoiceDate = shell::dateField("dtInvoiceDate");
    dtDueDate = shell::dateField("dtDueDate");
    txtFreight = moneyBox("txtFreight");
    txtMisc = moneyBox("txtMisc");
    txtMemo = named(new QLineEdit, "txtMemo");
    txtMemo->setMaxLength(255);
    btnPrint = named(new QPushButton(QStringLiteral("Create Invoices")), "btnPrint");
    btnCancel = named(new QPushButton(QStringLiteral("Cancel")), "btnCancel");

    auto *top = new QHBoxLayout;
    top->addWidget(shell::buddyLabel(QStringLiteral("Customer:"), cmbCustomer));
    top->addWidget(cmbCustomer, 1);

    auto *lists = new QGridLayout;
    lists->addWidget(shell::buddyLabel(QStringLiteral("Orders Not Yet Invoiced"), lstOrders), 0, 0);
    lists->addWidget(shell::buddyLabel(QStringLiteral("Orders To Invoice"), lstToInvoice), 0, 2);
    lists->addWidget(lstOrders, 1, 0);
    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(btnAdd);
    arrows->addWidget(btnRemove);
    arrows->addStretch();
    lists->addLayout(arrows, 1, 1);
    lists->addWidget(lstToInvoice, 1, 2);

    auto *fields = new QGridLayout;
    fields->addWidget(shell::buddyLabel(QStringLiteral("Invoice Date:"), dtInvoiceDate), 0, 0);
    fields->addWidget(dtInvoiceDate, 0, 1);
    fields->addWidget(shell::buddyLabel(QStringLiteral("Due Date:"), dtDueDate), 0, 2);
    fields->addWidget(dtDueDate, 0, 3);
    fields->addWidget(shell::buddyLabel(QStringLiteral("Freight:"), txtFreight), 1, 0);
    fields->addWidget(txtFreight, 1, 1);
    fields->addWidget(shell::buddyLabel(QStringLiteral("Misc:"), txtMisc), 1, 2);
    fields->addWidget(txtMisc, 1, 3);
    fields->addWidget(shell::buddyLabel(QStringLiteral("Memo:"), txtMemo), 2, 0);
    fields->addWidget(txtMemo, 2, 1, 1, 3);

    auto *buttons = shell::buttonRow({btnPrint, btnCancel});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(lists);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    QWidget *order[] = {cmbCustomer, lstOrders,  btnAdd,  btnRemove, lstToInvoice, dtInvoiceDate,
                        dtDueDate,   txtFreight, txtMisc, txtMemo,   btnPrint,     btnCancel};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this] { customerChosen(); });
    connect(btnAdd, &QPushButton::clicked, this, [this] { moveOrder(lstOrders, lstToInvoice); });
    connect(btnRemove, &QPushButton::clicked, this, [this] { moveOrder(lstToInvoice, lstOrders); });
    // A double-click moves an order across as the arrows do.
    connect(lstOrders, &QListWidget::itemDoubleClicked, this, [this] { moveOrder(lstOrders, lstToInvoice); });
    connect(lstToInvoice, &QListWidget::itemDoubleClicked, this, [this] { moveOrder(lstToInvoice, lstOrders); });
    connect(btnPrint, &QPushButton::clicked, this, [this] { createClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    shell::attachCancelButton(this, btnCancel);
}

void InvoicesForm::load()
{
    {
        const QSignalBlocker block(cmbCustomer);
        cmbCustomer->clear();
        data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM Customer ORDER BY Customer"));
        for (; !rs.isEOF(); rs.moveNext())
            cmbCustomer->addItem(rs.text(QStringLiteral("Customer")));
    }
    reset();
}

void InvoicesForm::reset()
{
    {
        const QSignalBlocker block(cmbCustomer);
        cmbCustomer->setCurrentIndex(-1);
    }
    lstOrders->clear();
    lstToInvoice->clear();
    const QDate today = core::currentDate();
    dtInvoiceDate->setDate(today);
    dtDueDate->setDate(today.addDays(30));
    txtFreight->setText(core::formatMoney(0));
    txtMisc->setText(core::formatMoney(0));
    txtMemo->clear();
}

void InvoicesForm::customerChosen()
{
    const QString customer = cmbCustomer->currentText();
    if (customer.isEmpty())
        return;
    lstOrders->clear();
    lstToInvoice->clear();
    shell::reportingDbErrors(
        [&] {
            for (const UninvoicedOrder &o : OrdersNotYetInvoiced(data::sharedDatabase(), customer))
                lstOrders->addItem(
                    QStringLiteral("%1 - %2 - %3").arg(o.id).arg(o.orderNumber, core::formatShortDate(o.orderDate)));
        },
        this);
}

void InvoicesForm::moveOrder(QListWidget *from, QListWidget *to)
{
    const int row = from->currentRow();
    if (row < 0 || !from->item(row)->isSelected())
        return;
    QListWidgetItem *item = from->takeItem(row);
    to->addItem(item);
    to->setCurrentItem(item);
}

bool InvoicesForm::readAmount(QLineEdit *box, const QString &field, double &amount)
{
    const std::optional<double> value = core::parseMoney(box->text());
    if (value) {
        amount = *value;
        return true;
    }
    shell::showMessage(QStringLiteral("Invalid Information"),
                       QStringLiteral("%1 must be an amount, such as 20 or $1,250.00.").arg(field),
                       shell::MessageIcon::None, shell::MessageButtons::Ok, this);
    box->setFocus();
    return false;
}

void InvoicesForm::createClicked()
{
    if (lstToInvoice->count() == 0) {
        shell::showMessage(QStringLiteral("No Invoices Selected"), QStringLiteral("No Invoices Selected."),
                           shell::MessageIcon::None, shell::MessageButtons::Ok, this);
        return;
    }
    NewInvoice invoice;
    if (!readAmount(txtFreight, QStringLiteral("Freight"), invoice.freight)
        || !readAmount(txtMisc, QStringLiteral("Misc"), invoice.misc))
        return;
    invoice.customer = cmbCustomer->currentText();
    invoice.invoiceDate = dtInvoiceDate->date();
    invoice.dueDate = dtDueDate->date();
    invoice.memo = txtMemo->text();
    for (int i = 0; i < lstToInvoice->count(); ++i)
        invoice.orders.push_back(OrderIdOfEntry(lstToInvoice->item(i)->text()));

    qint64 created = 0;
    try {
        created = CreateInvoice(data::sharedDatabase(), invoice).id;
    } catch (const InvoiceError &e) {
        // Another workstation invoiced an order first: nothing was written,
        // and the lists are read again so that it is no longer offered.
        shell::showMessage(QStringLiteral("Invoice Not Created"), e.text(), shell::MessageIcon::Warning,
                           shell::MessageButtons::Ok, this);
        customerChosen();
        return;
    } catch (const data::DbError &e) {
        shell::showDbError(e, this);
        return;
    }
    reset();
    try {
        officereports::ShowInvoice(created);
    } catch (const data::DbError &e) {
        shell::showDbError(e, this);
    } catch (const reporting::ReportError &e) {
        shell::showMessage(QStringLiteral("Invoice Report"), e.text(), shell::MessageIcon::Warning,
                           shell::MessageButtons::Ok, this);
    }
}

} // namespace invoicing
