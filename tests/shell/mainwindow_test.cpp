#include "app/screens.h"
#include "core/currentuser.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "core/permissions.h"

#include "data/schema.h"
#include "support/testdatabase.h"
#include "support/users.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <gtest/gtest.h>

using namespace shell;
using namespace core;
using shelltest::addUser;
using shelltest::grant;

namespace {

const QStringList kItems{
    "mnuCompanySetup",
    "OrdNav",
    "OrderEntry",
    "mnuGlueSprayTieLoadReports",
    "ShipmentNav",
    "ShipmentEntry",
    "LoadSheet",
    "CustomerEntry",
    "VendorEntry",
    "StyleEntry",
    "StylePriceChange",
    "CreateInvoices",
    "ReceivePayments",
    "mnuUserEntryEdit",
    "OrderEntryControlReport",
    "SalesByCustomer",
    "Production",
    "ShippingMgr",
    "CustomerListing",
    "VendorListing",
    "BunListing",
    "ComponentListing",
    "StyleListing",
    "InvoiceReport",
    "OpenInvoicesReport",
    "CustomerStatementsReport",
};

class Permissions : public testsupport::ScreenTest {
protected:
    CurrentUser user(qint64 id, const QString &type) { return CurrentUser{id, type, "x"}; }
};

class MainMenu : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        window = std::make_unique<MainWindow>();
        app::registerScreens(*window);
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        setCurrentUser({});
        ScreenTest::TearDown();
    }
    void logInAs(const QString &type) { shelltest::logInAs(db(), *window, type); }
    int subWindows() const
    {
        int n = 0;
        for (QMdiSubWindow *sub : window->workArea()->subWindowList())
            n += sub->isVisible() ? 1 : 0;
        return n;
    }

    std::unique_ptr<MainWindow> window;
    MessageRecorder messages;
};

} // namespace

TEST_F(Permissions, AdminHoldsEverythingOnlyWhenSpelledExactly)
{
    const qint64 admin = addUser(db(), "boss", "pw", "Admin");
    const qint64 lower = addUser(db(), "clerk", "pw", "admin");
    for (const QString &name : data::permissionNames()) {
        EXPECT_TRUE(CheckPermission(db(), user(admin, "Admin"), name)) << name.toStdString();
        EXPECT_FALSE(CheckPermission(db(), user(lower, "admin"), name)) << name.toStdString();
    }
    grant(db(), lower, "Vendor Entry/Edit");
    EXPECT_TRUE(CheckPermission(db(), user(lower, "admin"), "Vendor Entry/Edit"));
    EXPECT_FALSE(CheckPermission(db(), user(addUser(db(), "other", "pw"), "User"), "Vendor Entry/Edit"));
    EXPECT_FALSE(CheckPermission(db(), user(lower, "admin"), "Customer Entry/Edit"));
}

TEST_F(Permissions, UnknownNamesAndNobodyHoldNothing)
{
    const qint64 id = addUser(db(), "dana", "pw");
    grant(db(), id, "Customer Entry/Edit");
    // A stray row for permission 0 must not make an unknown name count as held.
    db().execute("INSERT INTO UserPermission (UserID, PermissionID) VALUES (" + data::sqlNumber(id) + ", 0)");
    EXPECT_FALSE(CheckPermission(db(), user(id, "User"), "Customer Entry"));
    EXPECT_TRUE(CheckPermission(db(), user(id, "User"), "Customer Entry/Edit"));
    // Before login: ID 0, no type.
    EXPECT_FALSE(CheckPermission(db(), CurrentUser{}, "Customer Entry/Edit"));
    // Quotes in a name are data, not statement text.
    EXPECT_FALSE(CheckPermission(db(), user(id, "User"), "x' OR '1'='1"));
}

TEST_F(Permissions, ChangesCountFromTheNextCheck)
{
    const qint64 id = addUser(db(), "dana", "pw");
    EXPECT_FALSE(CheckPermission(db(), user(id, "User"), "Receive Payments"));
    grant(db(), id, "Receive Payments");
    EXPECT_TRUE(CheckPermission(db(), user(id, "User"), "Receive Payments"));
}

TEST_F(MainMenu, EveryItemHasItsCaptionAndAKnownPermission)
{
    EXPECT_EQ(window->objectName(), "frmMain");
    EXPECT_EQ(window->windowTitle(), "Bunline");
    QStringList top;
    for (QAction *a : window->menuBar()->actions())
        top << a->objectName();
    EXPECT_EQ(top, QStringList({"File", "Orders", "Shipping", "Administrative", "Reports", "Help"}));

    const struct {
        const char *control, *caption;
    } captions[] = {
        {"mnuCompanySetup", "Company Setup"},
        {"mnuGlueSprayTieLoadReports", "Glue/Spray/Tie/Load Reports"},
        {"OrderReports", "Orders"},
        {"ShippingMgr", "Shipping Mangager"},
        {"Admin", "Administrative"},
        {"AR", "Accounts Receivable"},
        {"CustomerStatementsReport", "Customer Statements"},
        {"mnuUserEntryEdit", "User Entry/Edit"},
        {"About", "About"},
    };
    for (const auto &c : captions) {
        QAction *action = window->menuAction(c.control);
        ASSERT_NE(action, nullptr) << c.control;
        EXPECT_EQ(action->text().remove(QLatin1Char('&')), c.caption);
        EXPECT_TRUE(action->shortcut().isEmpty());
    }
    EXPECT_NE(window->findChild<QMenu *>("AR"), nullptr);
    EXPECT_EQ(window->menuAction("ShippingMgr")->parent(), window->findChild<QMenu *>("ShippingReports"));

    const QSet<QString> known(data::permissionNames().begin(), data::permissionNames().end());
    for (const QString &item : kItems) {
        ASSERT_NE(window->menuAction(item), nullptr) << item.toStdString();
        EXPECT_TRUE(known.contains(MainWindow::permissionFor(item))) << item.toStdString();
    }
    EXPECT_EQ(MainWindow::permissionFor("Production"), "Reports - Production");
    EXPECT_EQ(MainWindow::permissionFor("mnuGlueSprayTieLoadReports"), "Reports - Production");
    EXPECT_TRUE(MainWindow::permissionFor("About").isEmpty());
}

TEST_F(MainMenu, LockedBeforeLoginAndFullyEnabledAfter)
{
    window->lockMenu();
    for (const QString &item : kItems + QStringList{"Orders", "Reports", "AR", "Help", "About"})
        EXPECT_FALSE(window->menuAction(item)->isEnabled()) << item.toStdString();
    EXPECT_TRUE(window->menuAction("File")->isEnabled());
    EXPECT_TRUE(window->menuAction("Exit")->isEnabled());

    setCurrentUser({1, "Admin", "admin"});
    window->unlockMenu();
    for (QAction *action : window->findChildren<QAction *>()) {
        if (!action->objectName().isEmpty()) {
            EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
        }
    }
}

TEST_F(MainMenu, RefusesWithoutPermissionAndOpensNothing)
{
    logInAs("User");
    window->registerScreen("CustomerEntry", [] { return new QLabel("customers"); });
    window->menuAction("CustomerEntry")->trigger();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Invalid Permission");
    EXPECT_EQ(messages.last().text, "You do not have permission to view this screen.");
    EXPECT_EQ(messages.last().icon, MessageIcon::Warning);
    EXPECT_EQ(subWindows(), 0);
    EXPECT_EQ(window->openedScreen("CustomerEntry"), nullptr);
}

TEST_F(MainMenu, AScreenOpensOnceAtTheTopLeft)
{
    logInAs("Admin");
    int made = 0;
    window->registerScreen("CustomerEntry", [&] {
        ++made;
        auto *screen = new QLabel("customers");
        screen->setMinimumSize(300, 200);
        return screen;
    });
    window->menuAction("CustomerEntry")->trigger();
    window->menuAction("CustomerEntry")->trigger();
    EXPECT_EQ(made, 1);
    EXPECT_EQ(subWindows(), 1);
    EXPECT_EQ(messages.count(), 0);
    QWidget *screen = window->openedScreen("CustomerEntry");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->parentWidget()->pos(), QPoint(0, 0));

    // Closed by its own button, it opens afresh the next time.
    screen->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->openedScreen("CustomerEntry"), nullptr);
    EXPECT_EQ(subWindows(), 0);
    window->menuAction("CustomerEntry")->trigger();
    EXPECT_EQ(made, 2);

    // Closed by its frame, likewise.
    window->workArea()->subWindowList().first()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window->openedScreen("CustomerEntry"), nullptr);
}

TEST_F(MainMenu, ACommandRunsEveryTimeItIsChosen)
{
    logInAs("Admin");
    int runs = 0;
    window->registerCommand("CustomerListing", [&](QWidget *) { ++runs; });
    window->menuAction("CustomerListing")->trigger();
    window->menuAction("CustomerListing")->trigger();
    EXPECT_EQ(runs, 2);
}

TEST_F(MainMenu, AnItemNotInThisBuildChecksThenSaysSo)
{
    // A main window whose registry is empty: every item is "not in this build".
    window = std::make_unique<MainWindow>();
    logInAs("User");
    window->menuAction("CreateInvoices")->trigger();
    EXPECT_EQ(messages.last().title, "Invalid Permission");

    grant(db(), currentUser().id, "Invoice Entry/Edit");
    window->menuAction("CreateInvoices")->trigger();
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().title, "Not Available");
    EXPECT_TRUE(messages.last().text.contains("\"Create Invoices\"")) << messages.last().text.toStdString();
}

TEST_F(MainMenu, AboutNeedsNoPermission)
{
    logInAs("User");
    window->menuAction("About")->trigger();
    EXPECT_EQ(messages.count(), 0);
    ASSERT_NE(window->openedScreen("About"), nullptr);
    EXPECT_EQ(window->openedScreen("About")->objectName(), "frmAbout");
}

TEST_F(MainMenu, ExitAndTheFrameEndTheProgram)
{
    int exits = 0;
    QObject::connect(window.get(), &MainWindow::exitRequested, [&] { ++exits; });
    window->lockMenu();
    window->menuAction("Exit")->trigger();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(window->isVisible()) << "Exit closes the window as its frame does";
    window->show();
    window->registerScreen("About", [] { return new QLabel("about"); });
    window->openScreen("About");
    window->close();
    EXPECT_EQ(exits, 2);
}

TEST_F(MainMenu, ADatabaseErrorWhileCheckingLeavesTheWindowUsable)
{
    logInAs("User");
    db().execute("DROP TABLE UserPermission");
    window->menuAction("VendorEntry")->trigger();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Database Error");
    EXPECT_EQ(subWindows(), 0);
}
