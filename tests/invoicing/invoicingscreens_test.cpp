// "Invoicing" and "Receive Payment" driven as the office drives them.
#include "data/database.h"
#include "invoicing/invoicesform.h"
#include "invoicing/invoicestore.h"
#include "invoicing/receivepaymentform.h"
#include "shell/viewer.h"
#include "core/clock.h"
#include "core/companysettings.h"
#include "shell/messages.h"
#include "support/receivablesfixture.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace invoicing;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

QStringList items(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Types into a box and leaves it with Enter, as the user does.
void type(QLineEdit *box, const QString &text)
{
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

class InvoicingScreens : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        plant = testsupport::addReceivablesPlant(db());
        core::LoadCompanySettings(db());
    }
    void TearDown() override
    {
        delete m_invoices.data();
        delete m_payments.data();
        delete shell::Viewer::instance();
        ScreenTest::TearDown();
    }

    InvoicesForm &invoices()
    {
        m_invoices = new InvoicesForm;
        m_invoices->load();
        m_invoices->show();
        return *m_invoices;
    }
    ReceivePaymentForm &payments()
    {
        m_payments = new ReceivePaymentForm;
        m_payments->load();
        m_payments->show();
        return *m_payments;
    }
    QString entry(const char *number, const char *date) const
    {
        return QStringLiteral("%1 - %2 - %3").arg(plant.orders.at(s(number))).arg(s(number), s(date));
    }
    void pick(QListWidget *list, const QString &text)
    {
        const auto found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        list->setCurrentItem(found.front());
    }
    int count(const char *table) { return int(db().query(s("SELECT * FROM ") + s(table)).recordCount()); }

    core::ManualClock clock{QDateTime(QDate(2026, 3, 31), QTime(9, 0))};
    shell::MessageRecorder messages;
    testsupport::ReceivablesPlant plant;
    QPointer<InvoicesForm> m_invoices;
    QPointer<ReceivePaymentForm> m_payments;
};

TEST_F(InvoicingScreens, CreatesAnInvoiceShowsItAndStartsAfresh)
{
    InvoicesForm &f = invoices();
    EXPECT_EQ(f.windowTitle(), s("Invoicing"));
    EXPECT_EQ(f.cmbCustomer->currentIndex(), -1);
    EXPECT_EQ(f.dtInvoiceDate->date(), QDate(2026, 3, 31));
    EXPECT_EQ(f.dtDueDate->date(), QDate(2026, 4, 30));
    EXPECT_EQ(f.txtFreight->text(), s("$0.00"));

    f.cmbCustomer->setCurrentIndex(f.cmbCustomer->findText(s("Amberline Furniture")));
    EXPECT_EQ(items(f.lstOrders),
              (QStringList{entry("A-100", "3/2/2026"), entry("A-101", "3/10/2026"), entry("A-102", "3/31/2026")}));
    // The arrows do nothing without a chosen order.
    f.lstOrders->clearSelection();
    f.btnAdd->click();
    EXPECT_TRUE(items(f.lstToInvoice).isEmpty());
    pick(f.lstOrders, entry("A-101", "3/10/2026"));
    f.btnAdd->click();
    pick(f.lstOrders, entry("A-100", "3/2/2026"));
    f.btnAdd->click();
    pick(f.lstOrders, entry("A-102", "3/31/2026"));
    f.btnAdd->click();
    pick(f.lstToInvoice, entry("A-102", "3/31/2026"));
    f.btnRemove->click();
    EXPECT_EQ(items(f.lstOrders), QStringList{entry("A-102", "3/31/2026")});
    type(f.txtFreight, s("20"));
    EXPECT_EQ(f.txtFreight->text(), s("$20.00"));
    type(f.txtMisc, s("5"));
    type(f.txtMemo, s("Spring sofas"));
    f.btnPrint->click();

    EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
    data::Recordset invoice = db().query(s("SELECT * FROM Invoice"));
    ASSERT_EQ(invoice.recordCount(), 1);
    EXPECT_DOUBLE_EQ(invoice.number(s("Total")), 375.5);
    EXPECT_EQ(invoice.text(s("MemoField")), s("Spring sofas"));
    ASSERT_NE(shell::Viewer::instance(), nullptr);
    EXPECT_EQ(shell::Viewer::instance()->report()->name(), s("crptInvoice"));
    EXPECT_EQ(shell::Viewer::instance()->report()->data().rowCount(), 3);

    // Ready for the next invoice; the invoiced orders are offered no more.
    EXPECT_TRUE(m_invoices);
    EXPECT_EQ(f.cmbCustomer->currentIndex(), -1);
    EXPECT_TRUE(items(f.lstToInvoice).isEmpty());
    EXPECT_EQ(f.txtMisc->text(), s("$0.00"));
    EXPECT_TRUE(f.txtMemo->text().isEmpty());
    f.cmbCustomer->setCurrentIndex(f.cmbCustomer->findText(s("Amberline Furniture")));
    EXPECT_EQ(items(f.lstOrders), QStringList{entry("A-102", "3/31/2026")});
}

TEST_F(InvoicingScreens, RefusalsNameTheirReasonAndWriteNothing)
{
    InvoicesForm &f = invoices();
    f.btnPrint->click();
    EXPECT_EQ(messages.last().title, s("No Invoices Selected"));
    EXPECT_EQ(messages.last().text, s("No Invoices Selected."));

    f.cmbCustomer->setCurrentIndex(f.cmbCustomer->findText(s("Amberline Furniture")));
    pick(f.lstOrders, entry("A-100", "3/2/2026"));
    f.btnAdd->click();
    type(f.txtMisc, s("five"));
    f.btnPrint->click();
    EXPECT_EQ(messages.last().title, s("Invalid Information"));
    EXPECT_TRUE(messages.last().text.startsWith(s("Misc must be an amount"))) << messages.last().text.toStdString();
    EXPECT_EQ(count("Invoice"), 0);

    // Another workstation invoices A-100 meanwhile.
    type(f.txtMisc, s("(2.50)"));
    CreateInvoice(
        db(),
        {s("Amberline Furniture"), QDate(2026, 3, 31), QDate(2026, 4, 30), 0, 0, {}, {plant.orders.at(s("A-100"))}});
    f.btnPrint->click();
    EXPECT_EQ(messages.last().title, s("Invoice Not Created"));
    EXPECT_TRUE(messages.last().text.contains(s("Order A-100"))) << messages.last().text.toStdString();
    EXPECT_EQ(count("Invoice"), 1);
    EXPECT_EQ(count("OrdersInvoiced"), 1);
    EXPECT_EQ(items(f.lstOrders), (QStringList{entry("A-101", "3/10/2026"), entry("A-102", "3/31/2026")}));
}

TEST_F(InvoicingScreens, PaymentShowsTheBalancesAndSavesOneRow)
{
    const auto o = [this](const char *n) { return plant.orders.at(s(n)); };
    const qint64 big =
        CreateInvoice(
            db(),
            {s("Amberline Furniture"), QDate(2026, 3, 31), QDate(2026, 4, 30), 20, 5, {}, {o("A-100"), o("A-101")}})
            .id;
    RecordPayment(db(), big, QDate(2026, 4, 1), 100, 0);
    const qint64 small =
        CreateInvoice(db(), {s("Cedar Ridge Seating"), QDate(2026, 4, 1), QDate(2026, 5, 1), 10.05, 0, {}, {o("C-9")}})
            .id;
    ReceivePaymentForm &f = payments();
    EXPECT_EQ(f.windowTitle(), s("Receive Payment"));
    ASSERT_EQ(f.cmbInvoice->count(), 2);
    EXPECT_EQ(f.cmbInvoice->itemText(0), QString::number(small));
    EXPECT_FALSE(f.txtInvoiceBalance->isEnabled());
    EXPECT_EQ(f.dtDate->date(), QDate(2026, 3, 31));

    f.cmbInvoice->setCurrentIndex(1);
    EXPECT_EQ(f.txtInvoiceBalance->text(), s("$275.50"));
    type(f.txtPaymentAmount, s("200"));
    type(f.txtAdjustments, s("25"));
    EXPECT_EQ(f.txtNewBalance->text(), s("$50.50"));
    // Letters are no amount: the box goes back to 0 and the balance stays.
    type(f.txtAdjustments, s("abc"));
    EXPECT_EQ(f.txtAdjustments->text(), s("0"));
    EXPECT_EQ(f.txtNewBalance->text(), s("$50.50"));
    f.btnSave->click();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_NEAR(InvoiceBalance(db(), big), 75.5, 1e-9);
    EXPECT_EQ(f.cmbInvoice->currentIndex(), -1);
    EXPECT_EQ(f.txtPaymentAmount->text(), s("0"));

    // The new balance shown is the one saved, whatever the signs.
    f.cmbInvoice->setCurrentIndex(0);
    EXPECT_EQ(f.txtInvoiceBalance->text(), s("$100.00"));
    type(f.txtPaymentAmount, s("-10"));
    EXPECT_EQ(f.txtNewBalance->text(), s("$110.00"));
    type(f.txtAdjustments, s("4.5"));
    EXPECT_EQ(f.txtNewBalance->text(), s("$105.50"));
    f.btnSave->click();
    EXPECT_NEAR(InvoiceBalance(db(), small), 105.5, 1e-9);
    EXPECT_EQ(db().query(s("SELECT Adjustment FROM Payments WHERE Invoice = %1").arg(small)).number(s("Adjustment")),
              4.5);
}

TEST_F(InvoicingScreens, PaymentRefusalsClearTheScreen)
{
    const qint64 id =
        CreateInvoice(
            db(),
            {s("Amberline Furniture"), QDate(2026, 3, 31), QDate(2026, 4, 30), 0, 0, {}, {plant.orders.at(s("A-100"))}})
            .id;
    ReceivePaymentForm &f = payments();
    type(f.txtPaymentAmount, s("5"));
    f.btnSave->click();
    EXPECT_EQ(messages.last().title, s("No Invoice Selected"));
    EXPECT_EQ(messages.last().text, s("You must select an invoice"));
    EXPECT_EQ(f.txtPaymentAmount->text(), s("0"));

    f.cmbInvoice->setCurrentIndex(0);
    f.btnSave->click();
    EXPECT_EQ(messages.last().title, s("Invalid Payment/Adjustment Amount"));
    EXPECT_EQ(messages.last().text, s("You must enter a payment or adjustment amount."));
    EXPECT_EQ(f.cmbInvoice->currentIndex(), -1);
    EXPECT_EQ(count("Payments"), 0);

    // Zero typed any other way is no payment either.
    for (const char *zero : {"0.00", "$0", "-0"}) {
        f.cmbInvoice->setCurrentIndex(0);
        type(f.txtPaymentAmount, s(zero));
        f.btnSave->click();
        EXPECT_EQ(messages.last().title, s("Invalid Payment/Adjustment Amount")) << zero;
    }
    EXPECT_EQ(messages.count(), 5);
    EXPECT_EQ(count("Payments"), 0);
    EXPECT_NEAR(InvoiceBalance(db(), id), 100, 1e-9);
}

} // namespace

namespace {} // namespace
