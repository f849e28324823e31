// The habits a user of any desktop program expects of the main window: menus
// reached from the keyboard, Escape and Ctrl+F4, Enter on buttons, the window
// as it was left, who is logged in where, and logging off.
#include "app/screens.h"
#include "core/currentuser.h"
#include "shell/datefield.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "support/testdatabase.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace shell;

namespace {

class Desktop : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        QSettings().clear();
        window = std::make_unique<MainWindow>();
        app::registerScreens(*window);
        window->resize(1100, 800);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
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
    QList<QMdiSubWindow *> children() const { return window->workArea()->subWindowList(); }

    std::unique_ptr<MainWindow> window;
    MessageRecorder messages;
};

TEST_F(Desktop, EveryMenuItemHasItsOwnMnemonic)
{
    QList<QList<QAction *>> menus{window->menuBar()->actions()};
    for (QMenu *menu : window->menuBar()->findChildren<QMenu *>())
        menus << menu->actions();
    int items = 0;
    for (const QList<QAction *> &menu : menus) {
        QSet<QChar> taken;
        for (QAction *action : menu) {
            const QString text = action->text();
            const int at = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(at, 0) << text.toStdString();
            EXPECT_EQ(text.count(QLatin1Char('&')), 1) << text.toStdString();
            const QChar key = text.at(at + 1).toLower();
            EXPECT_FALSE(taken.contains(key)) << text.toStdString() << " shares its key in its menu";
            taken.insert(key);
            ++items;
        }
    }
    EXPECT_GE(items, 40);
    EXPECT_EQ(window->menuAction(QStringLiteral("File"))->text(), QStringLiteral("&File"));
}

TEST_F(Desktop, EscapeCtrlF4AndCtrlTabWorkOnChildWindows)
{
    QWidget *about = window->openScreen(QStringLiteral("About"));
    ASSERT_NE(about, nullptr);
    QTest::keyClick(about, Qt::Key_Escape);
    settle();
    EXPECT_EQ(window->openedScreen(QStringLiteral("About")), nullptr) << "Escape works as Cancel";

    QWidget *navigator = window->openScreen(QStringLiteral("OrdNav"));
    QWidget *entry = window->openScreen(QStringLiteral("OrderEntry"));
    ASSERT_EQ(window->workArea()->activeSubWindow()->widget(), entry);
    QTest::keyClick(window.get(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window->workArea()->activeSubWindow()->widget(), navigator);
    QTest::keyClick(window.get(), Qt::Key_F4, Qt::ControlModifier);
    settle();
    EXPECT_EQ(window->openedScreen(QStringLiteral("OrdNav")), nullptr);
    EXPECT_NE(window->openedScreen(QStringLiteral("OrderEntry")), nullptr);
}

TEST_F(Desktop, EscapeCancelsTheSelectionScreensAndF10OpensTheMenu)
{
    for (const char *screen :
         {"Production", "ShippingMgr", "OrderEntryControlReport", "SalesByCustomer", "StyleListing"}) {
        QWidget *selection = window->openScreen(QLatin1String(screen));
        if (!selection)
            continue; // a command, not a screen, in this build
        QTest::keyClick(selection, Qt::Key_Escape);
        settle();
        EXPECT_EQ(window->openedScreen(QLatin1String(screen)), nullptr) << screen;
    }
    QTest::keyClick(window.get(), Qt::Key_F10);
    EXPECT_EQ(window->menuBar()->activeAction(), window->menuAction(QStringLiteral("File")));
}

TEST_F(Desktop, EscapeInAnOpenListClosesTheListOnly)
{
    for (const char *name : {"Production", "ShippingMgr", "OrderEntryControlReport", "CreateInvoices",
                             "ReceivePayments", "SalesByCustomer", "InvoiceReport", "StylePriceChange"}) {
        QWidget *screen = window->openScreen(QLatin1String(name));
        if (!screen)
            continue; // a command, not a screen, in this build
        if (auto *list = screen->findChild<QComboBox *>()) {
            if (list->count() == 0) {
                const QSignalBlocker quiet(list);
                list->addItem(QStringLiteral("1"));
            }
            list->setFocus();
            list->showPopup();
        } else {
            auto *date = screen->findChild<QDateEdit *>();
            ASSERT_NE(date, nullptr) << name;
            date->setFocus();
            // The arrow at its right opens the calendar.
            QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 6, date->height() / 2));
        }
        QWidget *popup = QApplication::activePopupWidget();
        ASSERT_NE(popup, nullptr) << name;
        QTest::keyClick(popup, Qt::Key_Escape);
        settle();
        EXPECT_FALSE(popup->isVisible()) << name;
        ASSERT_EQ(window->openedScreen(QLatin1String(name)), screen) << name << " closed with its list";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        settle();
        EXPECT_EQ(window->openedScreen(QLatin1String(name)), nullptr) << name << ": Escape is Cancel";
    }
}

TEST_F(Desktop, ADateTypedAfterAClickIntoItsYearIsTakenWhole)
{
    auto *screen = new QWidget;
    QDateEdit *date = dateField("dtTyped");
    auto *layout = new QVBoxLayout(screen);
    layout->addWidget(date);
    window->addChild(screen)->show();
    date->setDate(QDate(2026, 12, 10));
    date->setFocus();
    for (const QDateTimeEdit::Section where :
         {QDateTimeEdit::YearSection, QDateTimeEdit::DaySection, QDateTimeEdit::MonthSection}) {
        date->setCurrentSection(where);
        QTest::keyClicks(date, QStringLiteral("3/15/2027"));
        EXPECT_EQ(date->date(), QDate(2027, 3, 15)) << int(where);
        QTest::keyClick(date, Qt::Key_Left); // a fresh start for the next date
        date->setDate(QDate(2026, 12, 10));
    }
    // Two digits of a year are this century's; digits alone still edit the part at the caret.
    date->setCurrentSection(QDateTimeEdit::MonthSection);
    QTest::keyClicks(date, QStringLiteral("7-4-27"));
    EXPECT_EQ(date->date(), QDate(2027, 7, 4));
    QTest::keyClick(date, Qt::Key_Left);
    date->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClicks(date, QStringLiteral("2030"));
    EXPECT_EQ(date->date().year(), 2030);
}

TEST_F(Desktop, ShipmentEntryStartsAtTheCustomerNotTheShownId)
{
    QWidget *entry = window->openScreen(QStringLiteral("ShipmentEntry"));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->focusWidget(), entry->findChild<QComboBox *>(QStringLiteral("cmbCustomer")));
    EXPECT_FALSE(entry->findChild<QLineEdit *>(QStringLiteral("txtID"))->focusPolicy() & Qt::TabFocus);
}

TEST_F(Desktop, TypingIntoAMoneyFieldReplacesIt)
{
    QWidget *style = window->openScreen(QStringLiteral("StyleEntry"));
    ASSERT_NE(style, nullptr);
    for (const char *name : {"txtCost", "txtPrice"}) {
        auto *field = style->findChild<QLineEdit *>(QLatin1String(name));
        ASSERT_NE(field, nullptr) << name;
        field->setText(QStringLiteral("$0.00"));
        field->deselect();
        field->setFocus(Qt::OtherFocusReason);
        EXPECT_EQ(field->selectedText(), QStringLiteral("$0.00")) << name;
    }
}

TEST_F(Desktop, EnterPressesAFocusedButtonAndTabLeavesADateInOneStep)
{
    auto *screen = new QWidget;
    auto *date = new QDateEdit(screen);
    date->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    auto *after = new QLineEdit(screen);
    auto *button = new QPushButton(QStringLiteral("Go"), screen);
    auto *layout = new QVBoxLayout(screen);
    for (QWidget *w : {static_cast<QWidget *>(date), static_cast<QWidget *>(after), static_cast<QWidget *>(button)})
        layout->addWidget(w);
    window->addChild(screen)->show();
    int pressed = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });

    button->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(pressed, 1);

    date->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus()) << "Tab went to " << QApplication::focusWidget()->metaObject()->className();
}

TEST_F(Desktop, AnEmptyDateShowsBlankAndReadsNull)
{
    QDateEdit date;
    date.setDate(QDate(2024, 5, 1));
    allowEmptyDate(&date);
    setDateOrEmpty(&date, QDate());
    EXPECT_TRUE(date.text().trimmed().isEmpty());
    EXPECT_TRUE(dateOrEmpty(&date).isNull());
    setDateOrEmpty(&date, QDate(2024, 5, 2));
    EXPECT_EQ(dateOrEmpty(&date), QDate(2024, 5, 2));
}

TEST_F(Desktop, TheWindowOpensMaximisedFirstThenAsItWasLeft)
{
    window.reset();
    {
        MainWindow first;
        first.showRestored();
        EXPECT_TRUE(first.windowState() & Qt::WindowMaximized);
        first.showNormal();
        first.setGeometry(60, 70, 900, 640);
        first.close();
    }
    MainWindow second;
    second.showRestored();
    EXPECT_FALSE(second.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(second.size(), QSize(900, 640));
}

TEST_F(Desktop, AChildWindowFitsTheWorkArea)
{
    auto *big = new QWidget;
    big->resize(3000, 2000);
    QMdiSubWindow *sub = window->addChild(big);
    sub->show();
    EXPECT_LE(sub->width(), window->workArea()->viewport()->width());
    EXPECT_LE(sub->height(), window->workArea()->viewport()->height());
}

TEST_F(Desktop, TheStatusBarNamesTheUserAndTheDatabase)
{
    window->updateStatus();
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("lblStatusUser"))->text(), QStringLiteral("User: admin"));
    const QString where = window->findChild<QLabel *>(QStringLiteral("lblStatusDatabase"))->text();
    EXPECT_TRUE(where.startsWith(QStringLiteral("Database: "))) << where.toStdString();
    EXPECT_GT(where.size(), 12);
}

TEST_F(Desktop, LogOffClosesEveryWindowAndAsksForALogin)
{
    window->openScreen(QStringLiteral("OrdNav"));
    window->openScreen(QStringLiteral("About"));
    window->choose(QStringLiteral("mnuLogOff"));
    settle();
    ASSERT_EQ(children().size(), 1);
    EXPECT_EQ(children().first()->widget()->objectName(), QStringLiteral("frmLogin"));
    EXPECT_EQ(window->openedScreen(QStringLiteral("OrdNav")), nullptr);
    EXPECT_TRUE(core::currentUser().userName.isEmpty());
    EXPECT_FALSE(window->menuAction(QStringLiteral("OrdNav"))->isEnabled());
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("lblStatusUser"))->text(), QStringLiteral("Not logged in"));
    EXPECT_EQ(messages.count(), 0);
}

} // namespace
