#include "app/screens.h"
#include "catalogue/copystyleform.h"
#include "catalogue/outlinetree.h"
#include "catalogue/styleduplicatecompform.h"
#include "catalogue/styleentry.h"
#include "catalogue/styleform.h"
#include "catalogue/stylepricechangeform.h"
#include "core/configuration.h"
#include "data/database.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "support/testdatabase.h"

#include <QMdiArea>
#include <QTest>
#include <QMdiSubWindow>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTreeWidget>

using namespace catalogue;
using shell::MessageAnswer;

namespace {

QTreeWidgetItem *child(QTreeWidgetItem *parent, const QString &text)
{
    for (int i = 0; parent && i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

// The style screen's tools as the program opens them: through the registry of
// a main window.
class CatalogueToolsScreens : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        core::setCurrentConfiguration({});
        for (const char *c : {"Acme", "Bravo"})
            add("Customer", {{"Customer", c}, {"Status", "Active"}});
        for (const char *t : {"SOFA", "CHAIR"})
            add("StyleType", {{"ID", t}, {"Description", t}, {"Status", "Active"}});
        add("Component", {{"ID", "10"}, {"Description", "Seat"}, {"Status", "Active"}, {"QtyPerBuggy", 0}});
        style9 = add("Style",
                     {{"Customer", "Acme"}, {"Name", "9"}, {"Type", "SOFA"}, {"Price", 10.0}, {"Status", "Active"}});
        style10 = add("Style",
                      {{"Customer", "Acme"}, {"Name", "10"}, {"Type", "SOFA"}, {"Price", 20.0}, {"Status", "Active"}});
        bravo = add("Style",
                    {{"Customer", "Bravo"}, {"Name", "B"}, {"Type", "CHAIR"}, {"Price", 10.0}, {"Status", "Active"}});
        seat = add("StyleComponent", {{"StyleID", style9}, {"ComponentID", "10"}, {"Qty", 2}});
        add("StyleOperation", {{"OperationID", "Saw 1"}, {"StyleID", style9}, {"ComponentID", seat}});
        for (qint64 s : {style10, bravo})
            add("StyleComponent", {{"StyleID", s}, {"ComponentID", "10"}, {"Qty", 1}});
    }
    void TearDown() override
    {
        window.reset();
        core::setCurrentConfiguration({});
        ScreenTest::TearDown();
    }
    qint64 add(const char *table, const std::vector<std::pair<QString, QVariant>> &values)
    {
        return data::addRow(db(), QLatin1String(table), values).integer(QStringLiteral("ID"));
    }
    int count(const QString &statement) { return int(db().query(statement).recordCount()); }

    StyleForm *openStyleScreen()
    {
        window = std::make_unique<shell::MainWindow>();
        app::registerScreens(*window);
        return qobject_cast<StyleForm *>(window->openScreen(QStringLiteral("StyleEntry")));
    }
    QTreeWidgetItem *row(StyleForm *form, std::initializer_list<const char *> path)
    {
        QTreeWidgetItem *item = form->styleEntry->fgTree->topLevelItem(0);
        for (const char *text : path) {
            item->setExpanded(true);
            item = child(item, QLatin1String(text));
        }
        return item;
    }
    template <typename T>
    T *tool(const char *name)
    {
        return qobject_cast<T *>(window->openedScreen(QLatin1String(name)));
    }
    // Closed screens go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    shell::MessageRecorder messages;
    std::unique_ptr<shell::MainWindow> window;
    qint64 style9 = 0, style10 = 0, bravo = 0, seat = 0;
};

TEST_F(CatalogueToolsScreens, CopyStyleMakesTheCopyAndShowsItInTheTree)
{
    StyleForm *form = openStyleScreen();
    ASSERT_TRUE(form);
    // Another child window lies behind the style screen.
    window->openScreen(QStringLiteral("StylePriceChange"));
    window->openScreen(QStringLiteral("StyleEntry"));
    form->styleEntry->fgTree->choose(row(form, {"Acme", "9-SOFA"}));
    form->styleEntry->btnCopyStyle->click();
    auto *copy = tool<CopyStyleForm>("frmCopyStyle");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->windowTitle(), "Copy Style");
    EXPECT_EQ(copy->txtSource->text(), "9-SOFA");
    EXPECT_EQ(copy->txtStyleID->text(), QString::number(style9));
    EXPECT_FALSE(form->isEnabled()) << "the style screen waits for the copy";

    struct Refusal {
        const char *name, *type, *title, *text;
    };
    for (const Refusal &r : {Refusal{"", "SOFA", "Invalid Info", "You must enter a name and type before saving."},
                             Refusal{"New", "", "Invalid Info", "You must enter a name and type before saving."},
                             Refusal{"b", "chair", "Invalid Name",
                                     "A Style with the same name already exists, please enter a different name."}}) {
        copy->txtName->setText(QLatin1String(r.name));
        copy->cmbType->setCurrentIndex(copy->cmbType->findText(QLatin1String(r.type), Qt::MatchFixedString));
        messages.clear();
        copy->btnSave->click();
        ASSERT_EQ(messages.count(), 1) << r.name;
        EXPECT_EQ(messages.last().title, r.title);
        EXPECT_EQ(messages.last().text, r.text);
    }
    EXPECT_EQ(count("SELECT * FROM Style"), 3);

    copy->txtName->setText(QStringLiteral("9B"));
    copy->cmbType->setCurrentIndex(copy->cmbType->findText(QStringLiteral("SOFA")));
    messages.clear();
    QPointer<CopyStyleForm> watch(copy);
    copy->btnSave->click();
    settle();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_FALSE(watch) << "a finished copy closes the screen";
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(count("SELECT * FROM Style WHERE Name = '9B' AND Customer = 'Acme'"), 1);
    QTreeWidgetItem *acme = child(form->styleEntry->fgTree->topLevelItem(0), QStringLiteral("Acme"));
    EXPECT_TRUE(acme->isExpanded());
    EXPECT_TRUE(child(acme, QStringLiteral("9B-SOFA"))) << "the tree moved to the new style";
    EXPECT_EQ(window->workArea()->activeSubWindow()->widget(), form) << "the style screen comes to the front";
    EXPECT_EQ(form->styleEntry->txtStyleNameID->text(),
              db().query(QStringLiteral("SELECT ID FROM Style WHERE Name = '9B'")).text("ID"))
        << "the new style is shown, and its buggy grouping with it";

    // Cancel closes without copying and gives the screen back.
    form->styleEntry->fgTree->choose(row(form, {"Acme", "9-SOFA"}));
    form->styleEntry->btnCopyStyle->click();
    tool<CopyStyleForm>("frmCopyStyle")->btnCancel->click();
    settle();
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(count("SELECT * FROM Style"), 4);
}

TEST_F(CatalogueToolsScreens, AStyleEditedAndNotSavedIsAskedAboutOnLogOff)
{
    StyleForm *form = openStyleScreen();
    ASSERT_TRUE(form);
    EXPECT_FALSE(form->hasUnsavedChanges());
    form->styleEntry->fgTree->choose(row(form, {"Acme", "9-SOFA"}));
    EXPECT_FALSE(form->hasUnsavedChanges()) << "a style shown is not changed";
    form->styleEntry->txtPrice->selectAll();
    QTest::keyClicks(form->styleEntry->txtPrice, QStringLiteral("25"));
    EXPECT_TRUE(form->hasUnsavedChanges());
    messages.clear();
    messages.answer(shell::MessageAnswer::No);
    EXPECT_FALSE(window->logOff());
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().text, "Administration has changes that are not saved. Close without saving?");
    form->styleEntry->fgTree->choose(row(form, {"Acme", "9-SOFA"}));
    EXPECT_FALSE(form->hasUnsavedChanges()) << "showing the style again discards the edit";
}

TEST_F(CatalogueToolsScreens, DuplicateListsOtherStylesAndCopiesToTheChosenOnes)
{
    StyleForm *form = openStyleScreen();
    form->styleEntry->btnDuplicate->click();
    EXPECT_FALSE(tool<StyleDuplicateCompForm>("frmStyleDuplicateComp")) << "nothing without a chosen line";

    form->styleEntry->fgTree->choose(row(form, {"Acme", "9-SOFA", "(2) - 10-Seat"}));
    form->styleEntry->btnDuplicate->click();
    auto *duplicate = tool<StyleDuplicateCompForm>("frmStyleDuplicateComp");
    ASSERT_TRUE(duplicate);
    EXPECT_FALSE(form->isEnabled());
    EXPECT_EQ(duplicate->lblStyle->text(), "9-SOFA");
    EXPECT_EQ(duplicate->lblComponent->text(), "10-Seat");
    ASSERT_EQ(duplicate->lstStyles->count(), 2) << "the source is never listed";
    EXPECT_EQ(duplicate->lstStyles->item(0)->text(), "10-SOFA (Acme)");
    EXPECT_EQ(duplicate->lstStyleID->item(1)->text(), QString::number(bravo));

    // No keeps the screen; Yes with nothing chosen changes nothing but closes it.
    messages.answer(MessageAnswer::No);
    duplicate->btnDuplicate->click();
    EXPECT_EQ(messages.last().title, "Duplication Confirmation");
    EXPECT_TRUE(tool<StyleDuplicateCompForm>("frmStyleDuplicateComp"));
    duplicate->btnDuplicate->click();
    settle();
    EXPECT_FALSE(tool<StyleDuplicateCompForm>("frmStyleDuplicateComp"));
    EXPECT_TRUE(form->isEnabled());
    EXPECT_EQ(count("SELECT * FROM StyleOperation"), 1);

    form->styleEntry->fgTree->choose(row(form, {"Acme", "9-SOFA", "(2) - 10-Seat"}));
    form->styleEntry->btnDuplicate->click();
    duplicate = tool<StyleDuplicateCompForm>("frmStyleDuplicateComp");
    duplicate->lstStyles->item(1)->setSelected(true);
    duplicate->btnDuplicate->click();
    settle();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = %1").arg(bravo)), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = %1").arg(style10)), 0);
}

TEST_F(CatalogueToolsScreens, AnotherStyleInTheComponentFrameLeavesTheChosenLineBehind)
{
    // Every style's line of the seat has one operation of its own.
    for (qint64 s : {style10, bravo})
        add("StyleOperation",
            {{"OperationID", "CNC 1"},
             {"StyleID", s},
             {"ComponentID",
              db().query(QStringLiteral("SELECT ID FROM StyleComponent WHERE StyleID = %1").arg(s)).integer("ID")}});
    StyleForm *form = openStyleScreen();
    form->styleEntry->fgTree->choose(row(form, {"Acme", "9-SOFA", "(2) - 10-Seat"}));
    ASSERT_EQ(form->styleEntry->txtStyleComponentID->text(), QString::number(seat));
    QComboBox *style = form->styleEntry->cmbStyle;
    style->setCurrentIndex(style->findText(QStringLiteral("10-SOFA")));
    EXPECT_TRUE(form->styleEntry->txtStyleComponentID->text().isEmpty());

    // Duplicate has no line to copy from; nothing is deleted anywhere.
    form->styleEntry->btnDuplicate->click();
    EXPECT_FALSE(tool<StyleDuplicateCompForm>("frmStyleDuplicateComp"));
    EXPECT_EQ(count("SELECT * FROM StyleOperation"), 3);

    // Save writes the line of the style shown, not the line chosen before.
    form->styleEntry->txtQty->setText(QStringLiteral("5"));
    form->styleEntry->cmbComponentSave2->click();
    EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleComponent WHERE StyleID = %1 AND Qty = 5").arg(style10)), 1);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleComponent WHERE ID = %1 AND Qty = 2").arg(seat)), 1);
}

TEST_F(CatalogueToolsScreens, DuplicateCopiesFromTheLinesOwnStyle)
{
    add("StyleOperation",
        {{"OperationID", "CNC 1"},
         {"StyleID", style10},
         {"ComponentID",
          db().query(QStringLiteral("SELECT ID FROM StyleComponent WHERE StyleID = %1").arg(style10)).integer("ID")}});
    // Handed the seat line of 9-SOFA with another style's texts: the line decides.
    StyleDuplicateCompForm duplicate;
    ASSERT_TRUE(duplicate.setSource({QStringLiteral("10-SOFA"), QString::number(style10), QStringLiteral("10-Seat"),
                                     QStringLiteral("10"), QString::number(seat)}));
    EXPECT_EQ(duplicate.lblStyle->text(), "9-SOFA");
    EXPECT_EQ(duplicate.lblStyleID->text(), QString::number(style9));
    ASSERT_EQ(duplicate.lstStyles->count(), 2);
    duplicate.btnSelectAll->click();
    messages.answer(MessageAnswer::Yes);
    duplicate.btnDuplicate->click();
    for (qint64 s : {style9, style10, bravo}) {
        SCOPED_TRACE(s);
        data::Recordset ops = db().query(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = %1").arg(s));
        ASSERT_EQ(ops.recordCount(), 1);
        EXPECT_EQ(ops.text("OperationID"), "Saw 1");
    }

    // The line deleted on another workstation before Duplicate: refused, nothing written.
    StyleDuplicateCompForm stale;
    ASSERT_TRUE(stale.setSource({QStringLiteral("9-SOFA"), QString::number(style9), QStringLiteral("10-Seat"),
                                 QStringLiteral("10"), QString::number(seat)}));
    db().execute(QStringLiteral("DELETE FROM StyleOperation WHERE ComponentID = %1").arg(seat));
    db().execute(QStringLiteral("DELETE FROM StyleComponent WHERE ID = %1").arg(seat));
    stale.btnSelectAll->click();
    messages.clear();
    messages.answer(MessageAnswer::Yes);
    stale.btnDuplicate->click();
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().title, "Invalid Information");
    EXPECT_TRUE(messages.last().text.contains(QStringLiteral("no longer exists")))
        << messages.last().text.toStdString();
    EXPECT_EQ(count("SELECT * FROM StyleOperation"), 2) << "the targets keep their operations";
    // Opening it on that line is refused the same way.
    StyleDuplicateCompForm gone;
    EXPECT_FALSE(gone.setSource({QString(), QString(), QString(), QString(), QString::number(seat)}));
    EXPECT_EQ(messages.last().title, "Invalid Information");
}

TEST_F(CatalogueToolsScreens, ReadOnlyCatalogueLocksTheDuplicateScreensButtons)
{
    core::Configuration config;
    config.readOnlyCatalogue = true;
    core::setCurrentConfiguration(config);
    StyleDuplicateCompForm duplicate;
    for (QPushButton *button : duplicate.findChildren<QPushButton *>())
        EXPECT_EQ(button->isEnabled(), button == duplicate.btnExit) << button->objectName().toStdString();
}

TEST_F(CatalogueToolsScreens, PriceChangeChecksRateAndSelectionThenChangesTheChosenPrices)
{
    openStyleScreen();
    auto *prices = qobject_cast<StylePriceChangeForm *>(window->openScreen(QStringLiteral("StylePriceChange")));
    ASSERT_TRUE(prices);
    EXPECT_EQ(prices->cmbCustomer->count(), 2);

    for (const char *rate : {"", "abc"}) {
        prices->txtAmount->setText(QLatin1String(rate));
        messages.clear();
        prices->btnOK->click();
        ASSERT_EQ(messages.count(), 1) << "refused before the question";
        EXPECT_EQ(messages.last().text, "Invalid amount. Must be a number value.");
    }

    prices->cmbCustomer->setCurrentIndex(prices->cmbCustomer->findText(QStringLiteral("Acme")));
    ASSERT_EQ(prices->lstItem->count(), 2);
    EXPECT_EQ(prices->lstItem->item(0)->text(), "10-SOFA    ($20.00)");
    prices->cmbCustomer->setCurrentIndex(prices->cmbCustomer->findText(QStringLiteral("Bravo")));
    ASSERT_EQ(prices->lstItem->count(), 1) << "a second customer replaces both lists";
    EXPECT_EQ(prices->lstID->count(), 1);
    EXPECT_EQ(prices->lstID->item(0)->text(), QString::number(bravo));

    prices->txtAmount->setText(QStringLiteral("0.034"));
    EXPECT_EQ(prices->lblPercent->text(), "3.40%");
    messages.clear();
    prices->btnOK->click();
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.messages()[0].text,
              "All selected Styles' prices will be changed by 3.40%. This cannot be undone, "
              "are you sure you want to continue?");
    EXPECT_EQ(messages.messages()[0].defaultAnswer, shell::MessageAnswer::No) << "Enter never changes prices";
    EXPECT_EQ(messages.last().text, "You must select an Item.");

    prices->btnSelectAll->click();
    QPointer<StylePriceChangeForm> watch(prices);
    prices->btnOK->click();
    settle();
    EXPECT_FALSE(watch);
    EXPECT_DOUBLE_EQ(db().query(QStringLiteral("SELECT Price FROM Style WHERE ID = %1").arg(bravo)).number("Price"),
                     10.34);
    EXPECT_DOUBLE_EQ(db().query(QStringLiteral("SELECT Price FROM Style WHERE ID = %1").arg(style9)).number("Price"),
                     10);
}

} // namespace
