#include "invoicing/receivepaymentform.h"

#include "data/database.h"
#include "invoicing/invoicestore.h"
#include "core/clock.h"
#include "core/formats.h"
#include "shell/datefield.h"
#include "shell/formlayout.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

using shell::named;

namespace invoicing {

namespace {

// Reads a box as the balance arithmetic does: its number, "$" and thousands
// separators and brackets included; anything else is 0.
double amountOf(const QLineEdit *box)
{
    return core::parseMoney(box->text()).value_or(0);
}

// The balances in the boxes' display format.
QString shownBalance(double value)
{
    return core::formatMoney(value);
}

} // namespace

ReceivePaymentForm::ReceivePaymentForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmReceivePayment"));
    setWindowTitle(QStringLiteral("Receive Payment"));
    setAttribute(Qt::WA_DeleteOnClose);

    cmbInvoice = named(new QComboBox, "cmbInvoice");
    cmbInvoice->setMinimumWidth(140);
    shell::attachTypeAhead(cmbInvoice);
    dtDate = shell::dateField("dtDate");
    txtInvoiceBalance = named(new QLineEdit, "txtInvoiceBalance");
    txtPaymentAmount = named(new QLineEdit, "txtPaymentAmount");
    txtAdjustments = named(new QLineEdit, "txtAdjustments");
    txtNewBalance = named(new QLineEdit, "txtNewBalance");
    for (QLineEdit *box : {txtInvoiceBalance, txtPaymentAmount, txtAdjustments, txtNewBalance})
        box->setAlignment(Qt::AlignRight);
    // The two balances are shown, not typed: disabled on the button face.
    for (QLineEdit *box : {txtInvoiceBalance, txtNewBalance}) {
        box->setEnabled(false);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Button));
        box->setPalette(p);
    }
    for (QLineEdit *box : {txtPaymentAmount, txtAdjustments}) {
        shell::attachSelectOnFocus(box);
        connect(box, &QLineEdit::editingFinished, this, [this, box] { amountLeft(box); });
    }
    btnSave = named(new QPushButton(QStringLiteral("Save")), "btnSave");
    btnExit = named(new QPushButton(QStringLiteral("Exit")), "btnExit");

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Invoice"), cmbInvoice);
    form->addRow(QStringLiteral("Date"), dtDate);
    form->addRow(QStringLiteral("Invoice Balance"), txtInvoiceBalance);
    form->addRow(QStringLiteral("Payment Amount"), txtPaymentAmount);
    form->addRow(QStringLiteral("Adjustment"), txtAdjustments);
    form->addRow(QStringLiteral("New Balance"), txtNewBalance);
    auto *buttons = shell::buttonRow({btnSave, btnExit});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    setTabOrder(cmbInvoice, dtDate);
    setTabOrder(dtDate, txtPaymentAmount);
    setTabOrder(txtPaymentAmount, txtAdjustments);
    setTabOrder(txtAdjustments, btnSave);
    setTabOrder(btnSave, btnExit);

    connect(cmbInvoice, &QComboBox::currentIndexChanged, this, [this] { invoiceChosen(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { saveClicked(); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
}

void ReceivePaymentForm::load()
{
    move(0, 0);
    {
        const QSignalBlocker block(cmbInvoice);
        cmbInvoice->clear();
        for (const qint64 id : InvoiceNumbers(data::sharedDatabase()))
            cmbInvoice->addItem(QString::number(id));
        cmbInvoice->setCurrentIndex(-1);
    }
    dtDate->setDate(core::currentDate());
    clearAmounts();
}

void ReceivePaymentForm::clearAmounts()
{
    m_balance = 0;
    for (QLineEdit *box : {txtInvoiceBalance, txtPaymentAmount, txtAdjustments, txtNewBalance})
        box->setText(QStringLiteral("0"));
}

void ReceivePaymentForm::invoiceChosen()
{
    clearAmounts();
    const QString invoice = cmbInvoice->currentText();
    if (invoice.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            m_balance = InvoiceBalance(data::sharedDatabase(), invoice.toLongLong());
            txtInvoiceBalance->setText(shownBalance(m_balance));
            recompute();
        },
        this);
}

void ReceivePaymentForm::amountLeft(QLineEdit *box)
{
    if (core::parseMoney(box->text()))
        recompute();
    else
        box->setText(QStringLiteral("0"));
}

void ReceivePaymentForm::recompute()
{
    txtNewBalance->setText(shownBalance(NewBalance(m_balance, amountOf(txtPaymentAmount), amountOf(txtAdjustments))));
}

void ReceivePaymentForm::saveClicked()
{
    const QString invoice = cmbInvoice->currentText();
    if (cmbInvoice->currentIndex() < 0 || invoice.isEmpty()) {
        shell::showMessage(QStringLiteral("No Invoice Selected"), QStringLiteral("You must select an invoice"),
                           shell::MessageIcon::None, shell::MessageButtons::Ok, this);
    } else if (IsZeroPayment(amountOf(txtPaymentAmount), amountOf(txtAdjustments))) {
        shell::showMessage(QStringLiteral("Invalid Payment/Adjustment Amount"),
                           QStringLiteral("You must enter a payment or adjustment amount."), shell::MessageIcon::None,
                           shell::MessageButtons::Ok, this);
    } else {
        bool saved = false;
        shell::reportingDbErrors(
            [&] {
                try {
                    RecordPayment(data::sharedDatabase(), invoice.toLongLong(), dtDate->date(),
                                  amountOf(txtPaymentAmount), amountOf(txtAdjustments));
                    saved = true;
                } catch (const InvoiceError &e) {
                    shell::showMessage(QStringLiteral("Unable to Save"), e.text(), shell::MessageIcon::None,
                                       shell::MessageButtons::Ok, this);
                }
            },
            this);
        if (!saved)
            return; // the amounts stay, so the user can try again
    }
    clearAmounts();
    const QSignalBlocker block(cmbInvoice);
    cmbInvoice->setCurrentIndex(-1);
}

} // namespace invoicing
