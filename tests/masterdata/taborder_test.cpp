// Tab walks the fields of each master-data screen, and the login, in the
// order the user reads them.
#include "core/currentuser.h"
#include "masterdata/companyform.h"
#include "masterdata/userform.h"
#include "masterdata/vendorform.h"
#include "shell/loginform.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <gtest/gtest.h>
#include <functional>

namespace {

// The named controls that take the focus, from first on, as Tab reaches them.
QStringList tabOrder(QWidget *first, qsizetype count)
{
    QStringList order;
    QWidget *w = first;
    for (qsizetype i = 0; i < count; ++i, w = w->nextInFocusChain()) {
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty() || !w->isEnabled())
            w = w->nextInFocusChain();
        order << w->objectName();
    }
    return order;
}

class TabOrder : public testsupport::ScreenTest {
protected:
    // An administrator, so that the user screen is not limited to the password.
    void SetUp() override
    {
        ScreenTest::SetUp();
        core::setCurrentUser({1, QStringLiteral("Admin"), QStringLiteral("admin")});
    }
    void TearDown() override
    {
        core::setCurrentUser({});
        ScreenTest::TearDown();
    }
};

} // namespace

TEST_F(TabOrder, VendorCompanyUserAndLoginScreens)
{
    struct Case {
        const char *screen;
        std::function<QWidget *()> make;
        const char *first;
        QStringList expected;
    };
    const Case cases[] = {
        {"vendor",
         [] {
             auto *form = new masterdata::VendorForm;
             form->load();
             return form;
         },
         "cmbVendor",
         {"cmbVendor", "txtAddress1", "txtAddress2", "txtCity", "txtState", "txtZip", "txtPhone", "txtFax",
          "txtContact", "cmbStatus", "btnSave", "btnExit"}},
        {"company",
         [] {
             auto *form = new masterdata::CompanyForm;
             form->load();
             return form;
         },
         "txtCompany",
         {"txtCompany", "txtAddress1", "txtAddress2", "txtCity", "cmbState", "txtZip", "txtPhone", "txtFax", "txtEmail",
          "txtWebsite", "txtTaxID", "txtKeyPressDelay", "btnSave", "btnExit"}},
        {"user",
         [] {
             auto *form = new masterdata::UserForm;
             form->load();
             return form;
         },
         "cmbUser",
         {"cmbUser", "txtName", "txtAddress1", "txtAddress2", "txtCity", "cmbState", "txtZip", "txtPhone", "txtFax",
          "txtEmail", "cmbType", "txtUsername", "txtPassword", "chkInactive"}},
        {"login",
         [] { return new shell::LoginForm; },
         "txtUsername",
         {"txtUsername", "txtPassword", "btnLogin", "btnCancel"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.screen);
        std::unique_ptr<QWidget> screen(c.make());
        auto *first = screen->findChild<QWidget *>(QString::fromLatin1(c.first));
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(tabOrder(first, c.expected.size()), c.expected);
    }
}
