#include "core/clock.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace shell;
using namespace core;

namespace {

class TypeAhead : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetTypeAhead();
        customers = addList({"Acme Foam", "Smith Bedding", "sMart Seating", "Moss Upholstery", "Zed"});
        styles = addList({"Sofa", "Smooth", "Mattress"});
        window.show();
    }

    QComboBox *addList(const QStringList &entries)
    {
        auto *list = new QComboBox(&window);
        list->addItems(entries);
        list->setCurrentIndex(0);
        attachTypeAhead(list);
        return list;
    }

    void type(QComboBox *list, const QString &keys)
    {
        for (const QChar c : keys) {
            QTest::keyClick(list, c.toLatin1());
            clock.advance(0.2);
        }
    }

    ManualClock clock{QDateTime(QDate(2016, 8, 29), QTime(10, 0))};
    QWidget window;
    QComboBox *customers = nullptr;
    QComboBox *styles = nullptr;
};

} // namespace

TEST_F(TypeAhead, KeysWithinASecondExtendTheSearchInAnyCase)
{
    QSignalSpy picked(customers, &QComboBox::activated);
    type(customers, "SM");
    EXPECT_EQ(customers->currentText(), "Smith Bedding");
    type(customers, "a");
    EXPECT_EQ(customers->currentText(), "sMart Seating");
    EXPECT_EQ(picked.count(), 3) << "each found entry is picked as with the mouse";
}

TEST_F(TypeAhead, APauseOfASecondStartsOver)
{
    type(customers, "s");
    clock.advance(0.8); // a full second since the "s"
    type(customers, "m");
    EXPECT_EQ(customers->currentText(), "Moss Upholstery");

    // Just under a second still extends ("mo" is Moss, a fresh "o" finds nothing).
    resetTypeAhead();
    customers->setCurrentIndex(0);
    QTest::keyClick(customers, 'm');
    clock.advance(0.999);
    QTest::keyClick(customers, 'o');
    EXPECT_EQ(customers->currentText(), "Moss Upholstery");
}

TEST_F(TypeAhead, AnotherListStartsAFreshSearch)
{
    type(customers, "s");
    type(styles, "m");
    EXPECT_EQ(styles->currentText(), "Mattress");
    EXPECT_EQ(customers->currentText(), "Smith Bedding");
}

TEST_F(TypeAhead, NoMatchKeepsTheSelectionAndConsumesTheKey)
{
    customers->setEditable(true);
    customers->setCurrentIndex(1);
    type(customers, "q");
    EXPECT_EQ(customers->currentIndex(), 1);
    EXPECT_EQ(customers->currentText(), "Smith Bedding") << "the list's text is never edited by typing";
}

TEST_F(TypeAhead, AKeyAfterAFailedSearchExtendsItInsteadOfStartingOver)
{
    customers->setCurrentIndex(1);
    type(customers, "q"); // nothing starts with "q"
    type(customers, "a"); // "qa" finds nothing either; a fresh "a" would find Acme
    EXPECT_EQ(customers->currentText(), "Smith Bedding");
}

TEST_F(TypeAhead, BackspaceIsPartOfTheSearch)
{
    type(customers, "z");
    EXPECT_EQ(customers->currentText(), "Zed");
    QTest::keyClick(customers, Qt::Key_Backspace);
    clock.advance(0.2);
    EXPECT_EQ(customers->currentText(), "Zed");
    type(customers, "a"); // "z\ba" matches nothing
    EXPECT_EQ(customers->currentText(), "Zed");
    clock.advance(1.0);
    type(customers, "a");
    EXPECT_EQ(customers->currentText(), "Acme Foam");
}

TEST_F(TypeAhead, ASearchAcrossMidnightContinues)
{
    clock.set(QDateTime(QDate(2016, 8, 29), QTime(23, 59, 59, 700)));
    type(customers, "s");
    clock.set(QDateTime(QDate(2016, 8, 30), QTime(0, 0, 0, 100)));
    type(customers, "m");
    EXPECT_EQ(customers->currentText(), "Smith Bedding");
}

TEST_F(TypeAhead, ArrowKeysStillMoveThroughTheList)
{
    QTest::keyClick(customers, Qt::Key_Down);
    EXPECT_EQ(customers->currentIndex(), 1);
}

TEST(SelectOnFocus, TheWholeTextIsSelectedWhenTheFieldGetsTheFocus)
{
    QWidget window;
    auto *first = new QLineEdit(&window);
    auto *field = new QLineEdit(&window);
    field->setText("123 Main Street");
    attachSelectOnFocus(field);
    auto *masked = new QLineEdit(&window);
    masked->setInputMask("(999) 999-9999");
    masked->setText("5551234567");
    attachSelectOnFocus(masked);
    window.show();
    QApplication::setActiveWindow(&window);

    first->setFocus();
    field->setCursorPosition(3);
    field->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(field->selectedText(), "123 Main Street");
    QTest::keyClicks(field, "9 Elm");
    EXPECT_EQ(field->text(), "9 Elm");

    masked->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(masked->selectedText(), "(555) 123-4567");

    // A click into the field selects the whole text as well.
    first->setFocus();
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(5, field->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(field->selectedText(), "9 Elm");
}
