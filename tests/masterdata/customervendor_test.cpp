#include "masterdata/customerform.h"
#include "masterdata/vendorform.h"
#include "core/clock.h"
#include "shell/messages.h"

#include "data/quoting.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace masterdata;
using shell::MessageRecorder;

namespace {

class CustomerScreen : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        db().execute("INSERT INTO Customer (Customer, Address1, City, State, Zip, Status, DateAdded, Terms, Days, "
                     "SalesRepID, ShipTo) VALUES ('Acme Foam', '1 Mill Rd', 'Dalton', 'GA', '30720', 'Active', "
                     "'2015-03-01 08:00:00', 'Net 30', 30, 7, 'Acme Dock 4')");
        db().execute("INSERT INTO Customer (Customer, Status) VALUES ('Zed Seating', 'InActive')");
    }
    std::unique_ptr<CustomerForm> open()
    {
        auto form = std::make_unique<CustomerForm>();
        form->load();
        form->show();
        return form;
    }
    data::Recordset row(const QString &name)
    {
        return db().query("SELECT * FROM Customer WHERE Customer = " + data::sqlText(name));
    }

    MessageRecorder messages;
    core::ManualClock clock{QDateTime(QDate(2016, 8, 29), QTime(9, 30))};
};

} // namespace

TEST_F(CustomerScreen, OpensEmptyWithEveryCustomerListed)
{
    auto form = open();
    EXPECT_EQ(form->objectName(), "frmCustomer");
    EXPECT_EQ(form->windowTitle(), "Customer Entry/Edit");
    ASSERT_EQ(form->cmbCustomer->count(), 2);
    EXPECT_EQ(form->cmbCustomer->itemText(1), "Zed Seating") << "inactive customers are listed";
    EXPECT_TRUE(form->cmbCustomer->currentText().isEmpty());
    EXPECT_EQ(form->cmbStatus->currentIndex(), -1);
    EXPECT_EQ(form->cmbStatus->count(), 2);
    EXPECT_EQ(form->cmbStatus->itemText(1), "InActive");
    EXPECT_EQ(form->btnSave->text(), "Save And Close");
}

TEST_F(CustomerScreen, TypingFillsOnceTheNameMatchesInAnyCaseAndClearsForANewName)
{
    auto form = open();
    QTest::keyClicks(form->cmbCustomer, "ACME FOA");
    EXPECT_TRUE(form->txtCity->text().isEmpty());
    EXPECT_EQ(form->cmbStatus->currentText(), "Active") << "a new name proposes Active";
    QTest::keyClicks(form->cmbCustomer, "M");
    EXPECT_EQ(form->txtAddress1->text(), "1 Mill Rd");
    EXPECT_EQ(form->txtShipTo->text(), "Acme Dock 4");
    QTest::keyClicks(form->cmbCustomer, "X");
    EXPECT_TRUE(form->txtAddress1->text().isEmpty());

    form->cmbCustomer->setCurrentIndex(1);
    EXPECT_EQ(form->cmbStatus->currentText(), "InActive");
}

TEST_F(CustomerScreen, SavingAnExistingCustomerKeepsWhatTheScreenDoesNotShow)
{
    auto form = open();
    QTest::keyClicks(form->cmbCustomer, "acme foam");
    form->txtAddress2->setText("Suite 'B'");
    form->cmbStatus->setCurrentText("InActive");
    form->btnSave->click();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_FALSE(form->isVisible()) << "Save And Close closes";

    EXPECT_EQ(db().query("SELECT COUNT(*) AS N FROM Customer").integer("N"), 2);
    data::Recordset rs = row("Acme Foam");
    EXPECT_EQ(rs.text("Customer"), "acme foam") << "the name is written as typed";
    EXPECT_EQ(rs.text("Address2"), "Suite 'B'");
    EXPECT_EQ(rs.text("Address1"), "1 Mill Rd");
    EXPECT_EQ(rs.text("Status"), "InActive");
    EXPECT_EQ(rs.text("Terms"), "Net 30");
    EXPECT_EQ(rs.integer("Days"), 30);
    EXPECT_EQ(rs.integer("SalesRepID"), 7);
    EXPECT_EQ(rs.dateTime("DateAdded"), QDateTime(QDate(2015, 3, 1), QTime(8, 0)));
}

TEST_F(CustomerScreen, ANewCustomerGetsItsDateAddedOnce)
{
    auto form = open();
    QTest::keyClicks(form->cmbCustomer, "O'Brien \"Bedding\"");
    form->txtCity->setText("Cal'houn");
    form->txtShipToFax->setText("555-0101");
    form->btnSave->click();
    data::Recordset rs = row("O'Brien \"Bedding\"");
    ASSERT_FALSE(rs.isEmpty());
    EXPECT_EQ(rs.text("City"), "Cal'houn");
    EXPECT_EQ(rs.text("ShipToFax"), "555-0101");
    EXPECT_EQ(rs.text("Status"), "Active");
    EXPECT_EQ(rs.dateTime("DateAdded"), QDateTime(QDate(2016, 8, 29), QTime(9, 30)));

    clock.advance(86400);
    auto again = open();
    QTest::keyClicks(again->cmbCustomer, "O'Brien \"Bedding\"");
    EXPECT_EQ(again->txtCity->text(), "Cal'houn");
    again->txtCity->setText("Calhoun");
    again->btnSave->click();
    rs = row("O'Brien \"Bedding\"");
    EXPECT_EQ(rs.text("City"), "Calhoun");
    EXPECT_EQ(rs.dateTime("DateAdded"), QDateTime(QDate(2016, 8, 29), QTime(9, 30)));
}

TEST_F(CustomerScreen, NameAndStatusAreRequired)
{
    auto form = open();
    QTest::keyClicks(form->cmbCustomer, "Acme Foam");
    form->cmbCustomer->setEditText("");
    EXPECT_EQ(form->txtCity->text(), "Dalton") << "clearing the name leaves the fields";
    form->btnSave->click();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Required Fields");
    EXPECT_EQ(messages.last().text, "Customer Name and Status are required.");
    EXPECT_EQ(messages.last().icon, shell::MessageIcon::None);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(CustomerScreen, ExitClosesWithoutSaving)
{
    auto form = open();
    QTest::keyClicks(form->cmbCustomer, "New One");
    form->btnExit->click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(row("New One").isEmpty());
}

class VendorScreen : public testsupport::ScreenTest {
protected:
    MessageRecorder messages;
    core::ManualClock clock{QDateTime(QDate(2016, 8, 29), QTime(9, 30))};
};

TEST_F(VendorScreen, AVendorSavedTwiceKeepsItsFirstDateAdded)
{
    for (int pass = 0; pass < 2; ++pass) {
        VendorForm form;
        form.load();
        form.show();
        QTest::keyClicks(form.cmbVendor, pass == 0 ? "Foamco" : "FOAMCO");
        if (pass == 0) {
            EXPECT_EQ(form.cmbStatus->currentText(), "Active");
            form.txtContact->setText("Jo 'Foam' Smith");
        } else {
            EXPECT_EQ(form.txtContact->text(), "Jo 'Foam' Smith");
            form.txtPhone->setText("706-555-0100");
        }
        form.btnSave->click();
        clock.advance(3600);
    }
    data::Recordset rs = db().query("SELECT * FROM Vendor");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text("Contact"), "Jo 'Foam' Smith");
    EXPECT_EQ(rs.text("Phone"), "706-555-0100");
    EXPECT_EQ(rs.dateTime("DateAdded"), QDateTime(QDate(2016, 8, 29), QTime(9, 30)));
    EXPECT_EQ(messages.count(), 0);

    VendorForm empty;
    empty.load();
    empty.btnSave->click();
    EXPECT_EQ(messages.last().text, "Vendor Name and Status are required.");
}

TEST_F(CustomerScreen, TrailingBlanksOfATypedNameFindTheStoredOne)
{
    db().execute("INSERT INTO Vendor (Vendor, Contact, Status) VALUES ('Acme Foam', 'Jo', 'Active')");
    {
        auto form = open();
        QTest::keyClicks(form->cmbCustomer, "acme foam  ");
        EXPECT_EQ(form->txtAddress1->text(), "1 Mill Rd");
        form->txtCity->setText("Rome");
        form->btnSave->click();
    }
    {
        VendorForm form;
        form.load();
        form.show();
        QTest::keyClicks(form.cmbVendor, "Acme Foam ");
        EXPECT_EQ(form.txtContact->text(), "Jo");
        form.txtContact->setText("Al");
        form.btnSave->click();
    }
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(db().query("SELECT * FROM Customer").recordCount(), 2);
    EXPECT_EQ(row("Acme Foam").text("City"), "Rome");
    data::Recordset vendors = db().query("SELECT * FROM Vendor");
    ASSERT_EQ(vendors.recordCount(), 1);
    EXPECT_EQ(vendors.text("Contact"), "Al");

    // A new name is stored without its trailing blanks.
    auto form = open();
    QTest::keyClicks(form->cmbCustomer, "New One  ");
    form->btnSave->click();
    EXPECT_EQ(row("New One").recordCount(), 1);
    EXPECT_EQ(db().query("SELECT * FROM Customer WHERE Customer LIKE 'New One %'").recordCount(), 0);
}

TEST_F(CustomerScreen, TabOrderFollowsTheForm)
{
    auto form = open();
    const QStringList expected{
        "cmbCustomer",   "txtAddress1",    "txtAddress2",  "txtCity",        "txtState",          "txtZip",
        "txtPhone",      "txtFax",         "cmbStatus",    "txtShipTo",      "txtShipToAddress1", "txtShipToAddress2",
        "txtShipToCity", "txtShipToState", "txtShipToZip", "txtShipToPhone", "txtShipToFax",      "btnSave",
        "btnExit"};
    QStringList order;
    QWidget *w = form->cmbCustomer;
    for (int i = 0; i < expected.size(); ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty())
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    EXPECT_EQ(order, expected);
}
