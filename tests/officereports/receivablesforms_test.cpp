// "Sales By Customer Report" and "Invoice Report" driven as a user drives them.
#include "app/screens.h"
#include "data/database.h"
#include "data/passwords.h"
#include "invoicing/invoicestore.h"
#include "invoicing/invoicingmenu.h"
#include "officereports/invoicereportform.h"
#include "officereports/officemenu.h"
#include "officereports/salesbycustomerform.h"
#include "shell/viewer.h"
#include "core/clock.h"
#include "core/companysettings.h"
#include "core/currentuser.h"
#include "core/cursor.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "support/receivablesfixture.h"
#include "support/testdatabase.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QPointer>
#include <QPushButton>

using namespace officereports;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

class ReceivablesForms : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        plant = testsupport::addReceivablesPlant(db());
        core::LoadCompanySettings(db());
    }
    void TearDown() override
    {
        delete shell::Viewer::instance();
        ScreenTest::TearDown();
    }
    reporting::ReportPtr shown() const
    {
        return shell::Viewer::instance() ? shell::Viewer::instance()->report() : nullptr;
    }

    core::ManualClock clock{QDateTime(QDate(2026, 3, 31), QTime(16, 0))};
    shell::MessageRecorder messages;
    testsupport::ReceivablesPlant plant;
};

TEST_F(ReceivablesForms, SalesOkAtOnceReportsTodaysOrders)
{
    QPointer<SalesByCustomerForm> f = new SalesByCustomerForm;
    f->show();
    EXPECT_EQ(f->windowTitle(), s("Sales By Customer Report"));
    EXPECT_EQ(f->dtStart->date(), QDate(2026, 3, 31));
    EXPECT_EQ(f->dtEnd->date(), QDate(2026, 3, 31));
    const int busyBefore = core::busyCursorCount();
    f->btnOK->click();
    EXPECT_GT(core::busyCursorCount(), busyBefore);
    const reporting::ReportPtr report = shown();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->title(), s("Sales By Customer"));
    // A-102 (no lines) and C-8, entered at 3 pm today.
    ASSERT_EQ(report->data().rowCount(), 2);
    EXPECT_EQ(report->data().value(1, s("Customer")).toString(), s("Cedar Ridge Seating"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull() || !f->isVisible());

    QPointer<SalesByCustomerForm> detail = new SalesByCustomerForm;
    detail->dtStart->setDate(QDate(2026, 3, 1));
    detail->chkDetail->setChecked(true);
    detail->btnOK->click();
    EXPECT_EQ(shown()->title(), s("Sales By Customer & Style"));
    EXPECT_EQ(shown()->data().rowCount(), 4);
    delete detail.data();
    delete f.data();
}

TEST_F(ReceivablesForms, InvoiceReportNeedsAnInvoice)
{
    const auto o = [this](const char *n) { return plant.orders.at(s(n)); };
    invoicing::CreateInvoice(
        db(), {s("Amberline Furniture"), QDate(2026, 3, 31), QDate(2026, 4, 30), 0, 0, {}, {o("A-100")}});
    invoicing::CreateInvoice(db(),
                             {s("Cedar Ridge Seating"), QDate(2026, 3, 31), QDate(2026, 4, 30), 0, 0, {}, {o("C-8")}});
    QPointer<InvoiceReportForm> f = new InvoiceReportForm;
    f->load();
    f->show();
    EXPECT_EQ(f->windowTitle(), s("Invoice Report"));
    ASSERT_EQ(f->cmbInvoice->count(), 2);
    EXPECT_EQ(f->cmbInvoice->itemText(0), s("2"));
    f->btnOK->click();
    EXPECT_EQ(messages.last().title, s("Invalid Selection"));
    EXPECT_EQ(messages.last().text, s("You must select an Invoice."));
    EXPECT_EQ(shown(), nullptr);
    EXPECT_TRUE(f->isVisible());

    f->cmbInvoice->setCurrentIndex(1);
    f->btnOK->click();
    ASSERT_NE(shown(), nullptr);
    EXPECT_EQ(shown()->name(), s("crptInvoice"));
    EXPECT_EQ(shown()->data().value(0, s("OrderNumber")).toString(), s("A-100"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(f.isNull());
}

TEST_F(ReceivablesForms, MenuItemsOpenTheirScreensAndReports)
{
    shell::MainWindow window;
    app::registerScreens(window);
    window.show();
    const data::Recordset user = data::addRow(db(), s("[User]"),
                                              {{s("Username"), s("clerk")},
                                               {s("Password"), data::hashPassword(s("pw"))},
                                               {s("Type"), s("Admin")},
                                               {s("Inactive"), 0}});
    core::setCurrentUser({qint16(user.integer(s("ID"))), s("Admin"), s("clerk")});
    window.unlockMenu();
    const std::pair<const char *, const char *> screens[] = {{"CreateInvoices", "frmInvoices"},
                                                             {"ReceivePayments", "frmReceivePayment"},
                                                             {"SalesByCustomer", "frmSalesByCustomer"},
                                                             {"InvoiceReport", "frmInvoiceReport"}};
    for (const auto &[item, form] : screens) {
        window.choose(s(item));
        ASSERT_NE(window.openedScreen(s(item)), nullptr) << item;
        EXPECT_EQ(window.openedScreen(s(item))->objectName(), s(form));
    }
    for (const auto &[item, definition] : {std::pair{"OpenInvoicesReport", "crptOpenInvoices"},
                                           std::pair{"CustomerStatementsReport", "crptCustomerStatements"}}) {
        window.choose(s(item));
        ASSERT_NE(shown(), nullptr) << item;
        EXPECT_EQ(shown()->name(), s(definition));
    }
    // Statements are aged as of today (the clock's day).
    EXPECT_EQ(shown()->texts().value(s("txtStatementDate")), s("3/31/2026"));
    EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
    core::setCurrentUser({});
}

} // namespace
