// Reports > Administrative in the main window: the listings open in the one
// viewer child window, after the permission check.
#include "app/screens.h"
#include "data/database.h"
#include "data/demoplant.h"
#include "data/passwords.h"
#include "shell/viewer.h"
#include "support/users.h"
#include "core/companysettings.h"
#include "core/currentuser.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "support/testdatabase.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

class AdministrativeReports : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        data::addDemoPlant(db());
        core::LoadCompanySettings(db());
        window = std::make_unique<shell::MainWindow>();
        app::registerScreens(*window);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        delete shell::Viewer::instance();
        core::setCurrentUser({});
        ScreenTest::TearDown();
    }
    void logInAs(const QString &type) { shelltest::logInAs(db(), *window, type); }
    int viewerWindows() const
    {
        int n = 0;
        for (QMdiSubWindow *sub : window->workArea()->subWindowList())
            if (sub->widget() && sub->widget()->objectName() == s("Viewer"))
                ++n;
        return n;
    }

    std::unique_ptr<shell::MainWindow> window;
    shell::MessageRecorder messages;
};

TEST_F(AdministrativeReports, ListingsOpenInTheOneViewerChildWindow)
{
    logInAs(s("Admin"));
    const std::pair<const char *, const char *> items[] = {{"VendorListing", "crptVendorListing"},
                                                           {"CustomerListing", "crptCustomerListing"},
                                                           {"ComponentListing", "crptComponentListing"},
                                                           {"BunListing", "crptBunListing"}};
    for (const auto &[item, definition] : items) {
        window->choose(s(item));
        EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
        ASSERT_NE(shell::Viewer::instance(), nullptr) << item;
        EXPECT_EQ(shell::Viewer::instance()->report()->name(), s(definition));
        EXPECT_EQ(viewerWindows(), 1) << "after " << item;
    }
    window->choose(s("StyleListing"));
    EXPECT_NE(window->openedScreen(s("StyleListing")), nullptr);
    EXPECT_EQ(window->openedScreen(s("StyleListing"))->objectName(), s("frmStyleReport"));
}

TEST_F(AdministrativeReports, UserWithoutThePermissionIsRefused)
{
    logInAs(s("User"));
    window->choose(s("VendorListing"));
    EXPECT_EQ(messages.last().title, s("Invalid Permission"));
    EXPECT_EQ(shell::Viewer::instance(), nullptr);
}

} // namespace
