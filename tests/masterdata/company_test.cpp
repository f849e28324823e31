#include "masterdata/companyform.h"
#include "core/companysettings.h"
#include "core/currentuser.h"
#include "shell/messages.h"

#include "support/testdatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace masterdata;
using shell::MessageRecorder;

namespace {
class CompanyScreen : public testsupport::ScreenTest {
protected:
    void TearDown() override
    {
        core::setCurrentUser({});
        ScreenTest::TearDown();
    }
    std::unique_ptr<CompanyForm> open()
    {
        auto form = std::make_unique<CompanyForm>();
        form->load();
        form->show();
        QApplication::setActiveWindow(form.get());
        return form;
    }
    int companies() { return int(db().query("SELECT COUNT(*) AS N FROM Company").integer("N")); }

    MessageRecorder messages;
};
} // namespace

TEST_F(CompanyScreen, BeforeLoginTheSaveIsRefusedAndAfterAnAdminLoginItSaves)
{
    auto form = open();
    EXPECT_EQ(form->windowTitle(), "Setup");
    EXPECT_TRUE(form->txtCompany->text().isEmpty());
    EXPECT_GT(form->cmbState->count(), 50);
    form->txtCompany->setText("Bob's \"Best\" Foam");
    form->txtAddress1->setText("12 Mill Rd");
    form->txtCity->setText("Dalton");
    form->cmbState->setCurrentText("GA");
    form->txtZip->setText("30720");
    form->txtPhone->setFocus();
    QTest::keyClicks(form->txtPhone, "7065550100");
    ASSERT_EQ(form->txtPhone->text().toStdString(), "(706) 555-0100");
    form->txtKeyPressDelay->setText("1.5");
    form->btnSave->click();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Invalid Permission");
    EXPECT_EQ(messages.last().text, "You do not have permission to save this record.");
    EXPECT_EQ(messages.last().icon, shell::MessageIcon::Warning);
    EXPECT_EQ(companies(), 0);
    EXPECT_TRUE(form->isVisible());

    core::setCurrentUser({1, "Admin", "admin"});
    form->btnSave->click();
    EXPECT_EQ(messages.count(), 1);
    EXPECT_FALSE(form->isVisible());
    data::Recordset rs = db().query("SELECT * FROM Company");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text("Name"), "Bob's \"Best\" Foam");
    EXPECT_EQ(rs.text("Phone"), "(706) 555-0100");
    EXPECT_EQ(rs.text("Fax"), "") << "an untouched masked field stores nothing";
    EXPECT_EQ(rs.text("KeyPressDelay"), "1.5");
    EXPECT_EQ(core::companySettings().name, "Bob's \"Best\" Foam");
    EXPECT_EQ(core::companySettings().cityStateZip(), "Dalton, GA  30720");
}

TEST_F(CompanyScreen, ASecondSaveUpdatesTheOneRow)
{
    db().execute("INSERT INTO Company (Name, State, Phone) VALUES ('Old Name', 'TN', '(423) 555-0199')");
    core::setCurrentUser({1, "Admin", "admin"});
    auto form = open();
    EXPECT_EQ(form->txtCompany->text(), "Old Name");
    EXPECT_EQ(form->cmbState->currentText(), "TN");
    EXPECT_EQ(form->txtPhone->text(), "(423) 555-0199");
    form->txtCompany->setText("New Name");
    form->btnSave->click();
    EXPECT_EQ(companies(), 1);
    data::Recordset rs = db().query("SELECT * FROM Company");
    EXPECT_EQ(rs.text("Name"), "New Name");
    EXPECT_EQ(rs.text("Phone"), "(423) 555-0199");
    EXPECT_EQ(core::companySettings().name, "New Name");
}

TEST_F(CompanyScreen, NameIsRequiredAndAHolderOfCompanyInfoMaySave)
{
    const qint64 id = db().query("SELECT ID FROM Permission WHERE Name = 'Company Info'").integer("ID");
    db().execute(QString("INSERT INTO UserPermission (UserID, PermissionID) VALUES (5, %1)").arg(id));
    core::setCurrentUser({5, "User", "dana"});
    auto form = open();
    form->btnSave->click();
    EXPECT_EQ(messages.last().title, "Required Fields");
    EXPECT_EQ(messages.last().text, "Name is Required.");
    EXPECT_EQ(companies(), 0);
    form->txtCompany->setText("Acme");
    QTest::keyClick(form->txtCompany, Qt::Key_Return); // Save And Close is the default button
    EXPECT_EQ(companies(), 1);
    EXPECT_EQ(messages.count(), 1);
}

TEST_F(CompanyScreen, TabIntoAMaskedFieldSelectsItAllSoTypingReplacesTheNumber)
{
    auto form = open();
    for (QLineEdit *masked : {form->txtPhone, form->txtFax}) {
        SCOPED_TRACE(masked->objectName().toStdString());
        masked->setText("4235550100");
        ASSERT_EQ(masked->text(), "(423) 555-0100");
        QWidget *before = masked == form->txtPhone ? static_cast<QWidget *>(form->txtZip) : form->txtPhone;
        before->setFocus();
        QTest::keyClick(before, Qt::Key_Tab);
        ASSERT_TRUE(masked->hasFocus());
        EXPECT_EQ(masked->selectedText(), masked->text()) << "mask characters included";
        QTest::keyClicks(masked, "706");
        EXPECT_TRUE(masked->text().startsWith("(706)")) << masked->text().toStdString();
        EXPECT_FALSE(masked->text().contains("555")) << masked->text().toStdString();
    }
}
