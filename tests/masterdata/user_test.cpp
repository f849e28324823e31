#include "masterdata/userform.h"
#include "core/clock.h"
#include "core/currentuser.h"
#include "shell/messages.h"

#include "data/passwords.h"
#include "data/quoting.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>
#include <tuple>

using namespace masterdata;
using shell::MessageAnswer;
using shell::MessageRecorder;

namespace {

class UserScreen : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        adminId = addUser("Ann Admin", "admin", "Admin");
        danaId = addUser("Dana Clerk", "dana", "User");
        grant(danaId, "Order Entry/Edit");
        grant(danaId, "Customer Entry/Edit");
        core::setCurrentUser({adminId, "Admin", "admin"});
    }
    void TearDown() override
    {
        core::setCurrentUser({});
        ScreenTest::TearDown();
    }

    qint64 addUser(const QString &name, const QString &username, const QString &type)
    {
        return data::addRow(db(), "User",
                            {{"Name", name},
                             {"Username", username},
                             {"Password", data::hashPassword(username)},
                             {"Type", type},
                             {"Inactive", 0},
                             {"City", "Dalton"},
                             {"InvoicePrintQty", "3"},
                             {"EmailServer", "smtp.example.com"}})
            .integer("ID");
    }
    void grant(qint64 user, const QString &permission)
    {
        db().execute("INSERT INTO UserPermission (UserID, PermissionID) SELECT " + data::sqlNumber(user)
                     + ", ID FROM Permission WHERE Name = " + data::sqlText(permission));
    }
    QStringList held(qint64 user)
    {
        QStringList names;
        for (data::Recordset rs = db().query("SELECT Permission.Name FROM UserPermission INNER JOIN Permission ON "
                                             "UserPermission.PermissionID = Permission.ID WHERE UserID = "
                                             + data::sqlNumber(user) + " ORDER BY Permission.Name");
             !rs.isEOF(); rs.moveNext())
            names << rs.text("Name");
        return names;
    }
    data::Recordset row(qint64 id) { return db().query("SELECT * FROM [User] WHERE ID = " + data::sqlNumber(id)); }
    static QStringList texts(QListWidget *list)
    {
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text();
        return t;
    }
    std::unique_ptr<UserForm> open()
    {
        auto form = std::make_unique<UserForm>();
        form->load();
        form->show();
        QApplication::setActiveWindow(form.get());
        return form;
    }
    void choose(UserForm &form, const QString &name) { form.cmbUser->setCurrentIndex(form.cmbUser->findText(name)); }

    qint64 adminId = 0, danaId = 0;
    MessageRecorder messages;
    core::ManualClock clock{QDateTime(QDate(2016, 8, 29), QTime(9, 30))};
};

} // namespace

TEST_F(UserScreen, ChoosingAUserShowsTheRecordButNeverThePassword)
{
    auto form = open();
    EXPECT_FALSE(form->restricted());
    EXPECT_EQ(form->cmbUser->count(), 2);
    EXPECT_FALSE(form->lstAllPermissions->isEnabled()) << "no type chosen yet";
    EXPECT_EQ(form->lstAllPermissions->count(), 22);

    choose(*form, "Dana Clerk");
    EXPECT_EQ(form->lblID->text(), QString::number(danaId));
    EXPECT_EQ(form->txtUsername->text(), "dana");
    EXPECT_TRUE(form->txtPassword->text().isEmpty());
    EXPECT_EQ(form->cmbType->currentText(), "User");
    EXPECT_TRUE(form->lstAllPermissions->isEnabled());
    EXPECT_EQ(texts(form->lstUserPermissions), QStringList({"Customer Entry/Edit", "Order Entry/Edit"}));
    EXPECT_EQ(form->lstAllPermissions->count(), 20);
    EXPECT_EQ(form->txtInvoicePrintQty->text(), "3");

    form->cmbType->setCurrentText("Admin");
    EXPECT_FALSE(form->btnAdd->isEnabled());
    EXPECT_EQ(form->lstUserPermissions->count(), 2) << "the entries stay";
}

TEST_F(UserScreen, ChangingOnlyTheAddressKeepsPermissionsPasswordAndHiddenFields)
{
    const QString hash = row(danaId).text("Password");
    auto form = open();
    choose(*form, "Dana Clerk");
    form->txtAddress1->setText("4 O'Neil Way");
    form->btnSave->click();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(held(danaId), QStringList({"Customer Entry/Edit", "Order Entry/Edit"}));
    data::Recordset rs = row(danaId);
    EXPECT_EQ(rs.text("Address1"), "4 O'Neil Way");
    EXPECT_EQ(rs.text("Password"), hash) << "an empty password field keeps the password";
    EXPECT_EQ(rs.text("InvoicePrintQty"), "3");
    EXPECT_EQ(rs.text("EmailServer"), "smtp.example.com");
    EXPECT_EQ(form->cmbUser->currentIndex(), -1) << "the screen is empty again";
    EXPECT_TRUE(form->lblID->text().isEmpty());
}

TEST_F(UserScreen, ATypeIsShownAndSavedExactlyAsStored)
{
    // "admin" in lower case is not an administrator; "Clerk" is no type of the list.
    const qint64 lower = addUser("Lou Lower", "lou", "admin");
    const qint64 other = addUser("Otto Other", "otto", "Clerk");
    grant(lower, "Order Entry/Edit");
    grant(other, "Customer Entry/Edit");
    auto form = open();
    for (const auto &[name, id, type, permission] : {std::tuple{"Lou Lower", lower, "admin", "Order Entry/Edit"},
                                                     std::tuple{"Otto Other", other, "Clerk", "Customer Entry/Edit"}}) {
        SCOPED_TRACE(name);
        choose(*form, name);
        EXPECT_EQ(form->cmbType->currentText(), type);
        form->txtAddress1->setText("1 Main St");
        form->btnSave->click();
        EXPECT_EQ(messages.count(), 0);
        EXPECT_EQ(row(id).text("Type"), type);
        EXPECT_EQ(held(id), QStringList({permission}));
    }
    // The stored odd type is no entry of the list for the next user.
    choose(*form, "Dana Clerk");
    EXPECT_EQ(form->cmbType->findText("Clerk"), -1);
    EXPECT_EQ(form->cmbType->currentText(), "User");

    // Picking the user shown again shows the stored record again.
    form->txtCity->setText("Elsewhere");
    QApplication::processEvents();
    emit form->cmbUser->activated(form->cmbUser->currentIndex());
    EXPECT_EQ(form->txtCity->text(), "Dalton");
}

TEST_F(UserScreen, MovingPermissionsAndSavingWritesTheList)
{
    auto form = open();
    choose(*form, "Dana Clerk");
    form->lstUserPermissions->item(0)->setSelected(true); // Customer Entry/Edit
    form->btnRemove->click();
    EXPECT_EQ(texts(form->lstUserPermissions), QStringList({"Order Entry/Edit"}));
    for (int i = 0; i < form->lstAllPermissions->count(); ++i)
        if (form->lstAllPermissions->item(i)->text().startsWith("Reports - O")
            || form->lstAllPermissions->item(i)->text() == "Vendor Entry/Edit")
            form->lstAllPermissions->item(i)->setSelected(true);
    form->btnAdd->click();
    EXPECT_EQ(form->lstAllPermissions->count() + form->lstUserPermissions->count(), 22);
    form->btnSave->click();
    EXPECT_EQ(
        held(danaId),
        QStringList({"Order Entry/Edit", "Reports - Open Invoice", "Reports - Order Report", "Vendor Entry/Edit"}));

    choose(*form, "Dana Clerk");
    form->btnAddAll->click();
    EXPECT_EQ(form->lstAllPermissions->count(), 0);
    form->btnRemoveAll->click();
    EXPECT_EQ(form->lstUserPermissions->count(), 0);
    EXPECT_EQ(form->lstAllPermissions->count(), 22);
}

TEST_F(UserScreen, AnAdminKeepsNoPermissionRows)
{
    auto form = open();
    choose(*form, "Dana Clerk");
    form->cmbType->setCurrentText("Admin");
    form->btnSave->click();
    EXPECT_TRUE(held(danaId).isEmpty());
    EXPECT_EQ(row(danaId).text("Type"), "Admin");
}

TEST_F(UserScreen, ANewUserGetsPrintQuantitiesEnteredByAndAHashedPassword)
{
    auto form = open();
    form->btnNew->click();
    form->txtName->setText("Pat \"Pete\" O'Hara");
    form->cmbType->setCurrentText("User");
    form->txtUsername->setText(" pat ");
    form->btnSave->click();
    EXPECT_EQ(messages.last().text, "A new user needs a password.");
    form->txtPassword->setText("it's 'secret'");
    form->txtCity->setText("Cal'houn");
    form->cmbState->setCurrentText("GA");
    form->lstAllPermissions->item(0)->setSelected(true);
    form->btnAdd->click();
    form->btnSave->click();
    EXPECT_EQ(messages.count(), 1);

    data::Recordset rs = db().query("SELECT * FROM [User] WHERE Username = 'pat'");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text("Name"), "Pat \"Pete\" O'Hara");
    EXPECT_EQ(rs.text("City"), "Cal'houn");
    EXPECT_EQ(rs.text("State"), "GA");
    for (const char *quantity : {"SalesOrderPrintQty", "InvoicePrintQty", "PackingSlipPrintQty", "PickTicketPrintQty"})
        EXPECT_EQ(rs.text(quantity), "1") << quantity;
    EXPECT_EQ(rs.text("EnteredBy"), "admin");
    EXPECT_EQ(rs.dateTime("EnteredDate"), QDateTime(QDate(2016, 8, 29), QTime(9, 30)));
    EXPECT_TRUE(data::verifyPassword(rs.text("Password"), "it's 'secret'"));
    EXPECT_FALSE(rs.flag("Inactive"));
    EXPECT_EQ(held(rs.integer("ID")).size(), 1);
    EXPECT_EQ(form->cmbUser->count(), 3);
}

TEST_F(UserScreen, NameAndTypeAreRequired)
{
    auto form = open();
    form->txtName->setText("Nobody");
    form->btnSave->click();
    EXPECT_EQ(messages.last().title, "Required Fields");
    EXPECT_EQ(messages.last().text, "Name and Type are Required.");
}

TEST_F(UserScreen, DeleteAsksAndRefusesASalesRepresentative)
{
    db().execute("INSERT INTO Customer (Customer, Status, SalesRepID) VALUES ('Acme', 'Active', "
                 + data::sqlNumber(danaId) + ")");
    auto form = open();
    choose(*form, "Dana Clerk");
    messages.answer(MessageAnswer::No);
    form->btnDelete->click();
    EXPECT_EQ(messages.last().title, "Delete Confirmation");
    EXPECT_EQ(messages.last().text, "Are you sure you want to delete this user?");
    EXPECT_EQ(messages.last().buttons, shell::MessageButtons::YesNo);
    EXPECT_FALSE(row(danaId).isEmpty());

    messages.answer(MessageAnswer::Yes);
    form->btnDelete->click();
    EXPECT_EQ(messages.last().title, "Cannot Delete");
    EXPECT_EQ(messages.last().text,
              "Cannot delete the select user because they are used in one or more orders or customers.");
    EXPECT_FALSE(row(danaId).isEmpty());

    db().execute("UPDATE Customer SET SalesRepID = NULL");
    db().execute("INSERT INTO Orders (Customer, Status, SalesRepID) VALUES ('Acme', 'Open', " + data::sqlNumber(danaId)
                 + ")");
    messages.answer(MessageAnswer::Yes);
    form->btnDelete->click();
    EXPECT_FALSE(row(danaId).isEmpty());

    db().execute("DELETE FROM Orders");
    messages.answer(MessageAnswer::Yes);
    form->btnDelete->click();
    EXPECT_TRUE(row(danaId).isEmpty());
    EXPECT_TRUE(held(danaId).isEmpty()) << "the user's permission rows go with the user";
    EXPECT_EQ(form->cmbUser->count(), 1);
}

TEST_F(UserScreen, NobodyDeletesThemselvesOrTheLastActiveAdmin)
{
    auto form = open();
    choose(*form, "Ann Admin");
    form->btnDelete->click();
    EXPECT_EQ(messages.last().text, "You cannot delete your own user account.");

    // Logged in as another administrator, Ann is still the last active one.
    const qint64 other = addUser("Otto", "otto", "Admin");
    db().execute("UPDATE [User] SET Inactive = 1 WHERE ID = " + data::sqlNumber(other));
    core::setCurrentUser({other, "Admin", "otto"});
    choose(*form, "Ann Admin");
    messages.answer(MessageAnswer::Yes);
    form->btnDelete->click();
    EXPECT_EQ(messages.last().title, "Cannot Delete");
    EXPECT_FALSE(row(adminId).isEmpty());

    choose(*form, "Ann Admin");
    form->cmbType->setCurrentText("User");
    form->btnSave->click();
    EXPECT_EQ(messages.last().title, "Cannot Save");
    EXPECT_EQ(row(adminId).text("Type"), "Admin");
}

TEST_F(UserScreen, RestrictedModeChangesOnlyTheOwnPassword)
{
    grant(danaId, "User Entry/Edit");
    core::setCurrentUser({danaId, "User", "dana"});
    const QString before = row(danaId).text("Address1");
    auto form = open();
    ASSERT_TRUE(form->restricted());
    EXPECT_EQ(form->cmbUser->currentText(), "Dana Clerk");
    EXPECT_EQ(form->txtName->text(), "Dana Clerk");
    for (QWidget *w : std::initializer_list<QWidget *>{form->cmbUser, form->txtName, form->txtAddress1, form->cmbType,
                                                       form->txtUsername, form->chkInactive, form->lstAllPermissions,
                                                       form->btnAdd, form->btnNew, form->btnDelete})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    for (QWidget *w : std::initializer_list<QWidget *>{form->txtPassword, form->btnSave, form->btnExit})
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();

    form->txtAddress1->setText("changed behind the lock");
    form->txtPassword->setText("new pass");
    form->btnSave->click();
    EXPECT_EQ(messages.last().title, "Password Changed");
    data::Recordset rs = row(danaId);
    EXPECT_TRUE(data::verifyPassword(rs.text("Password"), "new pass"));
    EXPECT_EQ(rs.text("Address1"), before);
    EXPECT_EQ(held(danaId).size(), 3);
    EXPECT_TRUE(data::verifyPassword(row(adminId).text("Password"), "admin"));
}

TEST_F(UserScreen, UserEntryHolderEditsEveryone)
{
    grant(danaId, "User Entry");
    core::setCurrentUser({danaId, "User", "dana"});
    auto form = open();
    EXPECT_FALSE(form->restricted());
    EXPECT_TRUE(form->cmbUser->isEnabled());
}
