// Leaving the program or logging off never throws typed work away unasked:
// one question names every screen with changes not saved, No keeps them all
// open, and File > Exit leaves by the same way as the frame's close button.
#include "app/screens.h"
#include "core/currentuser.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/unsavedchanges.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

using namespace shell;

namespace {

class Unsaved : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        QSettings().clear();
        db().execute("INSERT INTO Customer (Customer, Status) VALUES ('Amberline Furniture', 'Active')");
        window = std::make_unique<MainWindow>();
        app::registerScreens(*window);
        QObject::connect(window.get(), &MainWindow::exitRequested, [this] { ++exits; });
        window->show();
        core::setCurrentUser({1, QStringLiteral("Admin"), QStringLiteral("admin")});
        window->unlockMenu();
    }
    void TearDown() override
    {
        window.reset();
        core::setCurrentUser({});
        QSettings().clear();
        ScreenTest::TearDown();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    bool isOpen(const char *name) const { return window->openedScreen(QLatin1String(name)) != nullptr; }

    // Order Entry with a customer chosen and an order number typed.
    QWidget *typedOrder()
    {
        QWidget *entry = window->openScreen(QStringLiteral("OrderEntry"));
        entry->findChild<QComboBox *>(QStringLiteral("cmbCustomer"))->setCurrentIndex(0);
        QTest::keyClicks(entry->findChild<QLineEdit *>(QStringLiteral("txtOrderNumber")), QStringLiteral("A-7"));
        return entry;
    }

    std::unique_ptr<MainWindow> window;
    MessageRecorder messages;
    int exits = 0;
};

TEST_F(Unsaved, LogOffAsksOnceAndNoKeepsEverythingOpen)
{
    typedOrder();
    window->openScreen(QStringLiteral("OrdNav"));
    messages.answer(MessageAnswer::No);
    window->choose(QStringLiteral("mnuLogOff"));
    settle();
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("Order Entry has changes that are not saved. Close without saving?"));
    EXPECT_EQ(messages.last().buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.last().defaultAnswer, MessageAnswer::No);
    EXPECT_TRUE(isOpen("OrderEntry"));
    EXPECT_TRUE(isOpen("OrdNav"));
    EXPECT_EQ(core::currentUser().userName, QStringLiteral("admin"));

    messages.answer(MessageAnswer::Yes);
    window->choose(QStringLiteral("mnuLogOff"));
    settle();
    EXPECT_EQ(messages.count(), 2);
    EXPECT_FALSE(isOpen("OrderEntry"));
    EXPECT_TRUE(core::currentUser().userName.isEmpty());
}

TEST_F(Unsaved, ExitAndTheCloseBoxAskForEveryScreenInOneQuestion)
{
    typedOrder();
    QWidget *customers = window->openScreen(QStringLiteral("CustomerEntry"));
    QTest::keyClicks(customers->findChild<QLineEdit *>(QStringLiteral("txtAddress1")), QStringLiteral("12 Elm"));

    messages.answer(MessageAnswer::No);
    window->choose(QStringLiteral("Exit"));
    messages.answer(MessageAnswer::No);
    window->close();
    settle();
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().text,
              QStringLiteral("Order Entry and Customer Entry/Edit have changes that are not saved. "
                             "Close without saving?"));
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(isOpen("OrderEntry"));
    EXPECT_TRUE(isOpen("CustomerEntry"));

    messages.answer(MessageAnswer::Yes);
    window->choose(QStringLiteral("Exit"));
    EXPECT_EQ(exits, 1);
}

TEST_F(Unsaved, ScreensOpenedOrLoadedWithoutTypingHaveNothingToLose)
{
    // Each entry screen, and a field whose typing is a change.
    const std::pair<const char *, const char *> screens[] = {
        {"OrderEntry", "txtOrderNumber"}, {"ShipmentEntry", "txtShipTo"}, {"CustomerEntry", "txtCity"},
        {"VendorEntry", "txtCity"},       {"mnuCompanySetup", "txtCity"}, {"mnuUserEntryEdit", "txtCity"},
    };
    for (const auto &[name, field] : screens) {
        QWidget *screen = window->openScreen(QLatin1String(name));
        ASSERT_NE(screen, nullptr) << name;
        const auto *unsaved = dynamic_cast<const UnsavedChanges *>(screen);
        ASSERT_NE(unsaved, nullptr) << name;
        EXPECT_FALSE(unsaved->hasUnsavedChanges()) << name;
        auto *edit = screen->findChild<QLineEdit *>(QLatin1String(field));
        ASSERT_NE(edit, nullptr) << name;
        QTest::keyClicks(edit, QStringLiteral("x"));
        EXPECT_TRUE(unsaved->hasUnsavedChanges()) << name;
        edit->clear();
        EXPECT_FALSE(unsaved->hasUnsavedChanges()) << name << ": back as it was";
    }
    // A customer picked by name is shown, not changed.
    auto *customers = window->openedScreen(QStringLiteral("CustomerEntry"));
    customers->findChild<QComboBox *>(QStringLiteral("cmbCustomer"))
        ->setEditText(QStringLiteral("Amberline Furniture"));
    EXPECT_FALSE(dynamic_cast<const UnsavedChanges *>(customers)->hasUnsavedChanges());
    window->choose(QStringLiteral("mnuLogOff"));
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(Unsaved, ExitKeepsTheWindowsSizeForTheNextStart)
{
    window->showNormal();
    window->setGeometry(40, 50, 880, 620);
    window->choose(QStringLiteral("Exit"));
    EXPECT_EQ(exits, 1);
    window.reset();
    MainWindow next;
    next.showRestored();
    EXPECT_FALSE(next.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(next.size(), QSize(880, 620));
}

} // namespace
