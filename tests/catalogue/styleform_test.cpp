#include "catalogue/styleformfixture.h"

using namespace styletest;
using catalogue::StyleForm;
using shell::MessageAnswer;

namespace {
// ---------------------------------------------------------------- screen and tree

TEST_F(StyleFormTest, OpensOnTheStyleTabWithSixTabsInTwoRows)
{
    StyleForm &f = open();
    EXPECT_EQ(f.objectName(), "frmStyle");
    EXPECT_EQ(f.windowTitle(), "Administration");
    EXPECT_EQ(f.currentTab(), StyleForm::StyleTab);
    QStringList row1, row2;
    for (int i = 0; i < 3; ++i) {
        row1 << f.tabRow1->tabText(i);
        row2 << f.tabRow2->tabText(i);
    }
    EXPECT_EQ(row1, QStringList({"Operation Entry", "Component Entry", "Style-Type Entry"}));
    EXPECT_EQ(row2, QStringList({"Style Entry", "Bun/Fiber Entry", "Variables"}));
    // Picking a tab in the first row shows its page; Ctrl+PgDown walks on.
    f.tabRow1->setCurrentIndex(1);
    EXPECT_EQ(f.currentTab(), StyleForm::ComponentTab);
    EXPECT_FALSE(f.tabRow2->isTabVisible(f.tabRow2->currentIndex())) << "no tab of the other row looks chosen";
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.tabRow1->setFocus();
    QTest::keyClick(f.tabRow1, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(f.currentTab(), StyleForm::TypeTab);
    QTest::keyClick(f.tabRow1, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(f.currentTab(), StyleForm::StyleTab);
    // Arrow keys move along a row and pass over the hidden entry.
    f.tabRow2->setFocus();
    QTest::keyClick(f.tabRow2, Qt::Key_Right);
    EXPECT_EQ(f.currentTab(), StyleForm::BunTab);
    QTest::keyClick(f.tabRow2, Qt::Key_Right);
    QTest::keyClick(f.tabRow2, Qt::Key_Right);
    EXPECT_EQ(f.currentTab(), StyleForm::VariablesTab);
}

TEST_F(StyleFormTest, OpeningBuildsCustomerNodesWithOneQuery)
{
    open();
    data::SelectCounter selects(data::sharedDatabase());
    form->FillTreeGrid();
    EXPECT_EQ(selects.count(), 1);
    ASSERT_EQ(form->styleEntry->fgTree->topLevelItemCount(), 1);
    EXPECT_EQ(root()->text(0), "Styles");
    EXPECT_EQ(childTexts(root()), QStringList({"Acme", "Bravo", "Carl's"}));
    for (int i = 0; i < root()->childCount(); ++i) {
        QTreeWidgetItem *customer = root()->child(i);
        EXPECT_EQ(catalogue::StyleEntry::keyOf(customer), customer->text(0));
        EXPECT_FALSE(customer->isExpanded());
        EXPECT_EQ(childTexts(customer), QStringList({QString()})) << "one placeholder";
    }
}

TEST_F(StyleFormTest, ExpandingLoadsOnceInNaturalOrder)
{
    open();
    data::SelectCounter selects(data::sharedDatabase());
    QTreeWidgetItem *customer = expanded(acme());
    EXPECT_EQ(selects.count(), 1);
    EXPECT_EQ(childTexts(customer), QStringList({"9-SOFA", "10-SOFA", "A1-SOFA"}));
    EXPECT_EQ(catalogue::StyleEntry::keyOf(customer->child(0)), QString::number(style9));

    // Closed and opened again: nothing is asked, a style added meanwhile does not show.
    addStyle(QStringLiteral("Acme"), QStringLiteral("8"));
    const int before = selects.count();
    customer->setExpanded(false);
    customer->setExpanded(true);
    EXPECT_EQ(selects.count(), before);
    EXPECT_EQ(childTexts(customer), QStringList({"9-SOFA", "10-SOFA", "A1-SOFA"}));

    // A customer without styles opens to nothing.
    QTreeWidgetItem *bravo = expanded(child(root(), QStringLiteral("Bravo")));
    EXPECT_EQ(bravo->childCount(), 0);

    // Lines in component order, operations in the order they were added, the split shown.
    QTreeWidgetItem *style = child(customer, QStringLiteral("9-SOFA"));
    expanded(style);
    EXPECT_EQ(childTexts(style), QStringList({"(1) - 9-Back", "(2) - 10-Seat"}));
    QTreeWidgetItem *line = expanded(child(style, QStringLiteral("(2) - 10-Seat")));
    EXPECT_EQ(childTexts(line), QStringList({"Saw 1 - (cut Saw 1)  [0.250 - CNC 1 - North]", "CNC 1 - (cut CNC 1)"}));
    EXPECT_EQ(catalogue::StyleEntry::levelOf(line->child(0)), 4);
    EXPECT_EQ(line->child(0)->childCount(), 0) << "operations are leaves";
    // A line without operations opens to nothing.
    EXPECT_EQ(expanded(child(style, QStringLiteral("(1) - 9-Back")))->childCount(), 0);
}

TEST_F(StyleFormTest, SelectingRowsFillsTheFrames)
{
    open();
    // A style.
    select(style9Row());
    EXPECT_EQ(form->styleEntry->cmbCustomer->currentText(), "Acme");
    EXPECT_EQ(form->styleEntry->cmbStyleName->currentText(), "9");
    EXPECT_EQ(form->styleEntry->cmbType->currentText(), "SOFA");
    EXPECT_EQ(form->styleEntry->txtCost->text(), "$5.00");
    EXPECT_EQ(form->styleEntry->txtPrice->text(), "$9.50");
    EXPECT_EQ(form->styleEntry->txtGroupBy->text(), "G1");
    EXPECT_EQ(form->styleEntry->txtStyleNameID->text(), QString::number(style9));
    EXPECT_EQ(form->styleEntry->cmbStyle->count(), 3) << "the customer's styles only";
    EXPECT_EQ(form->styleEntry->vsfgBuggy->rowCount(), 2) << "the style's buggy lines";

    // A component line.
    select(seatRow());
    EXPECT_EQ(form->styleEntry->cmbStyle->currentText(), "9-SOFA");
    EXPECT_EQ(form->styleEntry->cmbComponent->currentText(), "10-Seat");
    EXPECT_EQ(form->styleEntry->txtQty->text(), "2");
    EXPECT_EQ(form->styleEntry->txtStyleComponentID->text(), QString::number(lineSeat));
    EXPECT_EQ(form->styleEntry->cmbStyleName->currentText(), "9");

    // An operation with a split to a second station.
    select(expanded(seatRow())->child(0));
    EXPECT_EQ(form->styleEntry->cmbStyle2->currentText(), "9-SOFA");
    EXPECT_EQ(form->styleEntry->cmbComponent2->currentText(), "10-Seat");
    EXPECT_EQ(form->styleEntry->cmbOperation->currentText(), "Saw 1");
    EXPECT_EQ(form->styleEntry->txtInstructions->text(), "cut Saw 1");
    EXPECT_EQ(form->styleEntry->txtThickness->text(), "1.50");
    EXPECT_EQ(form->styleEntry->txtWidth->text(), "2.00");
    EXPECT_EQ(form->styleEntry->txtLength->text(), "3.00");
    EXPECT_EQ(form->styleEntry->txtOperationQty->text(), "0.25");
    EXPECT_EQ(form->styleEntry->cmbOperation2->currentText(), "CNC 1");
    EXPECT_EQ(form->styleEntry->cmbPlant2->currentText(), "North");
    EXPECT_EQ(form->styleEntry->txtStyleComponentOperationID->text(), QString::number(opSaw));
    EXPECT_EQ(form->styleEntry->txtStyleComponentID->text(), QString::number(lineSeat));

    // One without a split: "0.0", no second station, the empty plant entry.
    select(seatRow()->child(1));
    EXPECT_EQ(form->styleEntry->txtOperationQty->text(), "0.0");
    EXPECT_EQ(form->styleEntry->cmbOperation2->currentIndex(), -1);
    EXPECT_EQ(form->styleEntry->cmbPlant2->currentIndex(), 0);

    // The arrow keys only move through the tree: the frames keep what they show
    // (and any edit in them) until a row is clicked or Enter is pressed.
    form->styleEntry->txtQty->setText(QStringLiteral("7"));
    form->styleEntry->fgTree->setFocus();
    QTest::keyClick(form->styleEntry->fgTree, Qt::Key_Up);
    EXPECT_NE(form->styleEntry->fgTree->currentItem(), seatRow()->child(1));
    EXPECT_EQ(form->styleEntry->txtQty->text(), "7");
    EXPECT_EQ(form->styleEntry->txtOperationQty->text(), "0.0");
    QTest::keyClick(form->styleEntry->fgTree, Qt::Key_Return);
    EXPECT_EQ(form->styleEntry->txtOperationQty->text(), "0.25") << "Enter fills the row the cursor is on";

    // The root or a customer only empties the frames.
    select(acme());
    EXPECT_EQ(form->styleEntry->cmbCustomer->currentIndex(), -1);
    EXPECT_TRUE(form->styleEntry->txtQty->text().isEmpty());
    EXPECT_TRUE(form->styleEntry->cmbStyleName->currentText().isEmpty());
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(StyleFormTest, ValuesFinerThanTheirFormatSurviveShowAndSave)
{
    db().execute(QStringLiteral("UPDATE Style SET Cost = 0.125 WHERE ID = %1").arg(style9));
    db().execute(
        QStringLiteral("UPDATE StyleOperation SET Thickness = 1.125, SplitQty = 0.3333 WHERE ID = %1").arg(opSaw));
    open();
    select(expanded(seatRow())->child(0));
    EXPECT_EQ(form->styleEntry->txtCost->text(), "$0.125");
    EXPECT_EQ(form->styleEntry->txtThickness->text(), "1.125");
    EXPECT_EQ(form->styleEntry->txtOperationQty->text(), "0.3333");
    click(form->styleEntry->btnOperationsSave2);
    data::Recordset op = row(QStringLiteral("SELECT * FROM StyleOperation WHERE ID = %1").arg(opSaw));
    EXPECT_DOUBLE_EQ(op.number("Thickness"), 1.125);
    EXPECT_DOUBLE_EQ(op.number("SplitQty"), 0.3333);
    select(style9Row());
    click(form->styleEntry->btnStyleSave);
    EXPECT_DOUBLE_EQ(row(QStringLiteral("SELECT Cost FROM Style WHERE ID = %1").arg(style9)).number("Cost"), 0.125);
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(StyleFormTest, StalePlaceholderAndDeletedRecordsLeaveTheTree)
{
    open();
    form->GoToStyle(QStringLiteral("Acme"), QStringLiteral("9-SOFA"));
    QTreeWidgetItem *customer = acme();
    ASSERT_TRUE(customer->isExpanded());
    ASSERT_EQ(childTexts(customer), QStringList({"9-SOFA", "10-SOFA", "A1-SOFA", ""}));
    select(customer->child(3));
    EXPECT_EQ(childTexts(customer), QStringList({"9-SOFA", "10-SOFA", "A1-SOFA"}));

    // A line deleted by another workstation goes when it is selected.
    QTreeWidgetItem *back = child(customer->child(0), QStringLiteral("(1) - 9-Back"));
    ASSERT_TRUE(back);
    db().execute(QStringLiteral("DELETE FROM StyleComponent WHERE ID = %1").arg(lineBack));
    select(back);
    EXPECT_EQ(childTexts(customer->child(0)), QStringList({"(2) - 10-Seat", ""}));
    EXPECT_TRUE(form->styleEntry->txtStyleComponentID->text().isEmpty());
}

TEST_F(StyleFormTest, GoToComponentOpensTheLineAndItsOperations)
{
    open();
    form->GoToComponent(QStringLiteral("Acme"), QStringLiteral("9-SOFA"), QStringLiteral("(2) - 10-Seat"));
    QTreeWidgetItem *line = child(child(acme(), QStringLiteral("9-SOFA")), QStringLiteral("(2) - 10-Seat"));
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->isExpanded());
    EXPECT_EQ(line->childCount(), 3) << "two operations and the old placeholder";
    // A customer that is not there expands nothing.
    form->GoToStyle(QStringLiteral("Nobody"), QStringLiteral("9-SOFA"));
    EXPECT_FALSE(child(root(), QStringLiteral("Bravo"))->isExpanded());
}

// ---------------------------------------------------------------- styles, types, variables

TEST_F(StyleFormTest, StyleSaveUpdatesRenamesAndReactivates)
{
    open();
    const int styles = count(QStringLiteral("SELECT * FROM Style"));
    // The same customer, name and type with no style selected: that style is
    // updated (and active again), none is added.
    db().execute(QStringLiteral("UPDATE Style SET Status = 'Inactive' WHERE ID = %1").arg(style9));
    pick(form->styleEntry->cmbCustomer, QStringLiteral("Acme"));
    form->styleEntry->cmbStyleName->setEditText(QStringLiteral("9"));
    pick(form->styleEntry->cmbType, QStringLiteral("SOFA"));
    EXPECT_EQ(form->styleEntry->txtStyleNameID->text(), QString::number(style9)) << "the type lookup finds the style";
    form->styleEntry->txtStyleNameID->clear();
    form->styleEntry->txtCost->setText(QStringLiteral("$1,234.50"));
    form->styleEntry->txtPrice->setText(QStringLiteral("(2.00)"));
    form->styleEntry->txtGroupBy->setText(QStringLiteral("Bob's \"big\" group"));
    click(form->styleEntry->btnStyleSave);
    EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Style")), styles);
    data::Recordset rs = row(QStringLiteral("SELECT * FROM Style WHERE ID = %1").arg(style9));
    EXPECT_EQ(rs.text("Status"), "Active");
    EXPECT_DOUBLE_EQ(rs.number("Cost"), 1234.5);
    EXPECT_DOUBLE_EQ(rs.number("Price"), -2.0);
    EXPECT_EQ(rs.text("GroupField"), "Bob's \"big\" group");
    // The tree shows the saved style at the top, the frames are empty again.
    QTreeWidgetItem *customer = acme();
    EXPECT_TRUE(customer->isExpanded());
    EXPECT_TRUE(child(customer, QStringLiteral("9-SOFA"))->isExpanded());
    EXPECT_TRUE(form->styleEntry->txtStyleNameID->text().isEmpty());

    // Renaming through the style ID: a name with a quote, stored as typed.
    select(child(acme(), QStringLiteral("10-SOFA")));
    form->styleEntry->cmbStyleName->setEditText(QStringLiteral("O'Neil 10"));
    click(form->styleEntry->btnStyleSave);
    EXPECT_EQ(row(QStringLiteral("SELECT Name FROM Style WHERE ID = %1").arg(style10)).text("Name"), "O'Neil 10");
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Style")), styles);
    EXPECT_EQ(childTexts(acme()), QStringList({"9-SOFA", "A1-SOFA", "O'Neil 10-SOFA", ""}));

    // Renaming onto another style of the customer would make two alike: refused.
    select(child(acme(), QStringLiteral("A1-SOFA")));
    form->styleEntry->cmbStyleName->setEditText(QStringLiteral("9"));
    click(form->styleEntry->btnStyleSave);
    EXPECT_EQ(messages.last().title, "Invalid Information");
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM Style WHERE Name = '9'")), 1);
}

TEST_F(StyleFormTest, NewStyleAndTheTypeLookup)
{
    open();
    pick(form->styleEntry->cmbCustomer, QStringLiteral("Carl's"));
    EXPECT_EQ(form->styleEntry->cmbStyleName->count(), 0) << "a customer without styles";
    EXPECT_EQ(form->styleEntry->cmbStyle->count(), 0);
    EXPECT_EQ(form->styleEntry->cmbStyle2->count(), 0);
    form->styleEntry->cmbStyleName->setEditText(QStringLiteral("Loveseat"));
    form->styleEntry->txtGroupBy->setText(QStringLiteral("keep"));
    form->styleEntry->txtCost->setText(QStringLiteral("7"));
    pick(form->styleEntry->cmbType, QStringLiteral("CHAIR"));
    EXPECT_EQ(form->styleEntry->txtCost->text(), "$0.00");
    EXPECT_EQ(form->styleEntry->txtPrice->text(), "$0.00");
    EXPECT_EQ(form->styleEntry->txtGroupBy->text(), "keep");
    form->styleEntry->txtPrice->setText(QStringLiteral("12.5"));
    click(form->styleEntry->btnStyleSave);
    data::Recordset rs = row(QStringLiteral("SELECT * FROM Style WHERE Customer = 'Carl''s'"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text("Name"), "Loveseat");
    EXPECT_EQ(rs.text("Type"), "CHAIR");
    EXPECT_DOUBLE_EQ(rs.number("Price"), 12.5);
    EXPECT_EQ(rs.text("Status"), "Active");
    EXPECT_EQ(childTexts(child(root(), QStringLiteral("Carl's"))), QStringList({"Loveseat-CHAIR", ""}));

    click(form->styleEntry->btnStyleNew);
    EXPECT_EQ(form->styleEntry->cmbCustomer->currentIndex(), -1);
    EXPECT_EQ(form->styleEntry->txtCost->text(), "$0.00");
}

TEST_F(StyleFormTest, SavesRefuseWhatTheyCannotStore)
{
    open();
    struct Case {
        const char *name;
        std::function<void()> fill;
        const char *button; // by control name
        QString title, text;
        QString countStatement;
    };
    const QString notEnough = QStringLiteral("Not enouth information.");
    auto acmeNine = [this] {
        pick(form->styleEntry->cmbCustomer, QStringLiteral("Acme"));
        form->styleEntry->cmbStyleName->setEditText(QStringLiteral("9"));
        pick(form->styleEntry->cmbType, QStringLiteral("SOFA"));
    };
    std::vector<Case> cases = {
        {"style without a type", [this] { pick(form->styleEntry->cmbCustomer, QStringLiteral("Acme")); },
         "btnStyleSave", "Invalid Information", notEnough, "SELECT * FROM Style WHERE Cost = 5"},
        {"style cost in words",
         [&] {
             acmeNine();
             form->styleEntry->txtCost->setText(QStringLiteral("five"));
         },
         "btnStyleSave", "Invalid Information", "Cost must be a number (or left empty). Nothing was saved.",
         "SELECT * FROM Style WHERE Cost = 5"},
        {"type without status",
         [this] {
             form->typeEntry->cmbTypeID->setEditText(QStringLiteral("NEW"));
             form->typeEntry->txtTypeDescription->setText(QStringLiteral("New"));
         },
         "btnTypeSave", "Invalid Information", "You must enter an ID, Description, and Status for the Type.",
         "SELECT * FROM StyleType"},
        {"variables without labor cost",
         [this] { form->variablesEntry->txtNonArmsPerHour->setText(QStringLiteral("40")); }, "btnVariableSave",
         "Invalid Information", "You must enter a Labor Cost Per Hour and Non-Arms Per Hour before saving.",
         "SELECT * FROM Data"},
        {"labor percent in words",
         [this] {
             form->variablesEntry->txtLaborCostPerHour->setText(QStringLiteral("12"));
             form->variablesEntry->txtNonArmsPerHour->setText(QStringLiteral("40"));
             form->variablesEntry->txtLaborPercent->setText(QStringLiteral("ten"));
         },
         "btnVariableSave", "Invalid Information", "Labor Percent must be a number (or left empty). Nothing was saved.",
         "SELECT * FROM Data"},
        {"component without plant",
         [this] {
             form->componentEntry->cmbComponentID->setEditText(QStringLiteral("NEWC"));
             form->componentEntry->txtComponentDescription->setText(QStringLiteral("x"));
         },
         "btnComponentSave", "Invalid Information",
         "You must enter an ID,Description,Test,Print Info,Arm Info, Plant, and Status for the Component.",
         "SELECT * FROM Component"},
        {"component width in words",
         [this] {
             form->componentEntry->cmbComponentID->setEditText(QStringLiteral("10"));
             form->componentEntry->txtComponentWidth->setText(QStringLiteral("wide"));
         },
         "btnComponentSave", "Invalid Information", "Width must be a number (or left empty). Nothing was saved.",
         "SELECT * FROM Component WHERE Width = 20"},
        {"line quantity in words",
         [this] {
             select(seatRow());
             form->styleEntry->txtQty->setText(QStringLiteral("two"));
         },
         "cmbComponentSave2", "Invalid Information", "Qty must be a number. Nothing was saved.",
         "SELECT * FROM StyleComponent WHERE Qty = 2"},
        // The message above must not offer what this one refuses.
        {"line quantity left empty",
         [this] {
             select(seatRow());
             form->styleEntry->txtQty->clear();
         },
         "cmbComponentSave2", "Invalid Information", notEnough, "SELECT * FROM StyleComponent WHERE Qty = 2"},
        {"operation split in words",
         [this] {
             select(expanded(seatRow())->child(1));
             form->styleEntry->txtOperationQty->setText(QStringLiteral("half"));
         },
         "btnOperationsSave2", "Invalid Information",
         "Qty (the split) must be a number (or left empty). Nothing was saved.",
         "SELECT * FROM StyleOperation WHERE SplitQty IS NULL"},
        {"operation without station", [this] { pick(form->styleEntry->cmbStyle2, QStringLiteral("9-SOFA")); },
         "btnOperationsSave2", "Invalid Information", notEnough, "SELECT * FROM StyleOperation"},
        {"bun without status", [this] { form->bunEntry->cmbBunID->setEditText(QStringLiteral("B9")); }, "btnBunSave",
         "Invalid Information", "You must enter an ID and Status for the Bun.", "SELECT * FROM Bun"},
        {"station with teams in words",
         [this] {
             form->stationEntry->cmbStationName->setEditText(QStringLiteral("Saw 1"));
             form->stationEntry->txtTeams->setText(QStringLiteral("two"));
         },
         "btnOperationSave", "Invalid Information",
         "You must enter a Station Name, Report Name, Number of Teams, and Status for the Operation.",
         "SELECT * FROM Operation WHERE Teams = 2"},
        {"plant without a name", [] {}, "btnAddPlant", "No Data Entered", "You must enter a Plant before clicking Add.",
         "SELECT * FROM Plants"},
    };
    // A buggy holds whole pieces, none or more.
    for (const char *perBuggy : {"6.5", "0.4", "-6"})
        cases.push_back({perBuggy,
                         [this, perBuggy] {
                             form->componentEntry->cmbComponentID->setEditText(QStringLiteral("10"));
                             form->componentEntry->txtQtyPerBuggy->setText(QLatin1String(perBuggy));
                         },
                         "btnComponentSave", "Invalid Information",
                         "Qty/Buggy must be a whole number of pieces, 0 or more (0 prints no buggy tickets). Nothing "
                         "was saved.",
                         "SELECT * FROM Component WHERE QtyPerBuggy = 12"});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form->FillForm();
        form->styleEntry->ClearStyleForm();
        const int before = count(c.countStatement);
        messages.clear();
        c.fill();
        messages.clear();
        click(form->findChild<QPushButton *>(QLatin1String(c.button)));
        ASSERT_EQ(messages.count(), 1);
        EXPECT_EQ(messages.last().title, c.title);
        EXPECT_EQ(messages.last().text, c.text);
        EXPECT_EQ(messages.last().icon, shell::MessageIcon::None);
        EXPECT_EQ(count(c.countStatement), before) << "nothing written";
    }
}

TEST_F(StyleFormTest, TypesVariablesBunsStationsAndPlantsSave)
{
    open();
    // Type: typed key looked up, saved with a quote, offered in the type list.
    form->typeEntry->cmbTypeID->setEditText(QStringLiteral("SOFA"));
    EXPECT_EQ(form->typeEntry->txtTypeDescription->text(), "SOFA");
    EXPECT_EQ(form->typeEntry->cmbTypeStatus->currentText(), "Active");
    form->typeEntry->cmbTypeID->setEditText(QStringLiteral("O'TTOMAN"));
    EXPECT_TRUE(form->typeEntry->txtTypeDescription->text().isEmpty());
    form->typeEntry->txtTypeDescription->setText(QStringLiteral("Foot rest 'n' stool"));
    pick(form->typeEntry->cmbTypeStatus, QStringLiteral("Inactive"));
    click(form->typeEntry->btnTypeSave);
    EXPECT_EQ(row("SELECT Description FROM StyleType WHERE ID = 'O''TTOMAN'").text("Description"),
              "Foot rest 'n' stool");
    EXPECT_GE(form->styleEntry->cmbType->findText(QStringLiteral("O'TTOMAN")), 0) << "inactive types stay in the list";
    EXPECT_TRUE(form->typeEntry->cmbTypeID->currentText().isEmpty());

    // Variables: the first save adds the row; an empty optional field is allowed.
    form->variablesEntry->txtLaborCostPerHour->setText(QStringLiteral("1,250.5"));
    form->variablesEntry->txtNonArmsPerHour->setText(QStringLiteral("40"));
    form->variablesEntry->txtSLNonArmsPerHour->setText(QStringLiteral("30"));
    form->variablesEntry->txtLaborPercent->clear();
    click(form->variablesEntry->btnVariableSave);
    data::Recordset vars = row("SELECT * FROM Data");
    ASSERT_EQ(vars.recordCount(), 1);
    EXPECT_EQ(vars.text("ID"), "Data");
    EXPECT_DOUBLE_EQ(vars.number("LaborCostPerHour"), 1250.5);
    EXPECT_DOUBLE_EQ(vars.number("SprayLineNonArmPerHour"), 30);
    EXPECT_EQ(form->variablesEntry->txtLaborCostPerHour->text(), "1,250.50") << "shown again as stored";

    // Bun: a width that is not a number is saved as 0.
    form->bunEntry->cmbBunID->setEditText(QStringLiteral("B1"));
    EXPECT_EQ(form->bunEntry->txtBunWidth->text(), "80.00");
    form->bunEntry->cmbBunID->setEditText(QStringLiteral("FB-2"));
    form->bunEntry->txtBunWidth->setText(QStringLiteral("wide"));
    form->bunEntry->txtBunLength->setText(QStringLiteral("1,200"));
    form->bunEntry->chkOffAll->setChecked(true);
    pick(form->bunEntry->cmbBunStatus, QStringLiteral("Active"));
    click(form->bunEntry->btnBunSave);
    data::Recordset bun = row("SELECT * FROM Bun WHERE ID = 'FB-2'");
    EXPECT_DOUBLE_EQ(bun.number("Width"), 0);
    EXPECT_DOUBLE_EQ(bun.number("Length"), 1200);
    EXPECT_TRUE(bun.flag("OffAll"));
    EXPECT_GE(form->componentEntry->cmbComponentBun->findText(QStringLiteral("FB-2")), 0);

    // Station: a new one has one team unless told otherwise.
    form->stationEntry->cmbStationName->setEditText(QStringLiteral("Glue 1"));
    EXPECT_EQ(form->stationEntry->txtTeams->text(), "1");
    pick(form->stationEntry->cmbReportName, QStringLiteral("Glue Line"));
    pick(form->stationEntry->cmbOperationStatus, QStringLiteral("Active"));
    click(form->stationEntry->btnOperationSave);
    EXPECT_EQ(row("SELECT Teams FROM Operation WHERE Station = 'Glue 1'").integer("Teams"), 1);
    EXPECT_GE(form->styleEntry->cmbOperation2->findText(QStringLiteral("Glue 1")), 0);

    // Plants: the same name in the same case is not added again, another case is.
    for (const char *name : {"Main", "main", "Sam's"}) {
        form->variablesEntry->txtPlant->setText(QLatin1String(name));
        click(form->variablesEntry->btnAddPlant);
    }
    EXPECT_EQ(count("SELECT * FROM Plants"), 4);
    EXPECT_EQ(form->variablesEntry->lstPlant->count(), 4);
    EXPECT_EQ(form->styleEntry->cmbPlant2->itemText(0), "") << "the empty entry first";
    EXPECT_EQ(messages.count(), 0);
}

// ---------------------------------------------------------------- components and lines

TEST_F(StyleFormTest, ComponentSaveReadsLeadingNumbersAndLeavesTheBuggies)
{
    db().execute(QStringLiteral("UPDATE StyleComponent SET BuggySheet = 3"));
    open();
    form->setCurrentTab(StyleForm::ComponentTab);
    form->componentEntry->cmbComponentID->setEditText(QStringLiteral("10"));
    EXPECT_EQ(form->componentEntry->txtComponentDescription->text(), "Seat");
    EXPECT_EQ(form->componentEntry->txtQtyPerBuggy->text(), "12");
    EXPECT_EQ(form->componentEntry->cmbComponentBun->currentText(), "B1");
    EXPECT_EQ(form->componentEntry->cmbTest->currentText(), "No");
    form->componentEntry->txtQtyPerBuggy->clear();
    form->componentEntry->txtRailsPerBun->setText(QStringLiteral("12abc"));
    form->componentEntry->txtPiecesPerRail->clear();
    form->componentEntry->txtComponentDescription->setText(QStringLiteral("Seat 2\" 'firm'"));
    form->componentEntry->cmbComponentBun->setCurrentIndex(-1);
    form->componentEntry->cmbTie->setCurrentIndex(-1);
    click(form->componentEntry->btnComponentSave);
    EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
    data::Recordset c = row("SELECT * FROM Component WHERE ID = '10'");
    EXPECT_EQ(c.integer("QtyPerBuggy"), 0);
    EXPECT_DOUBLE_EQ(c.number("RailsPerBun"), 12);
    EXPECT_DOUBLE_EQ(c.number("PiecesPerRail"), 0);
    EXPECT_EQ(c.text("BunID"), "");
    EXPECT_FALSE(c.flag("Tie"));
    EXPECT_EQ(c.text("Description"), "Seat 2\" 'firm'");
    // Every line of that component, in every style, leaves its buggy group.
    EXPECT_TRUE(
        row(QStringLiteral("SELECT BuggySheet FROM StyleComponent WHERE ID = %1").arg(lineSeat)).isNull("BuggySheet"));
    EXPECT_EQ(
        row(QStringLiteral("SELECT BuggySheet FROM StyleComponent WHERE ID = %1").arg(lineBack)).integer("BuggySheet"),
        3);
    EXPECT_TRUE(form->componentEntry->cmbComponentID->currentText().isEmpty());
    EXPECT_EQ(form->componentEntry->txtRailsPerBun->text(), "0");
}

TEST_F(StyleFormTest, ValuesTheListsNoLongerOfferAreShownAndKept)
{
    // The bun went inactive, the vendor and the plant are gone from their lists.
    db().execute(QStringLiteral("UPDATE Bun SET Status = 'Inactive', Vendor = 'Gone Foam'"));
    db().execute(QStringLiteral("UPDATE Component SET Plant = 'Old Plant' WHERE ID = '10'"));
    open();
    EXPECT_LT(form->componentEntry->cmbComponentBun->findText(QStringLiteral("B1")), 0) << "active buns only";
    form->componentEntry->cmbComponentID->setEditText(QStringLiteral("10"));
    EXPECT_EQ(form->componentEntry->cmbComponentBun->currentText(), "B1");
    EXPECT_EQ(form->componentEntry->cmbPlant->currentText(), "Old Plant");
    form->componentEntry->txtComponentDescription->setText(QStringLiteral("Seat, firmer"));
    click(form->componentEntry->btnComponentSave);
    data::Recordset c = row("SELECT * FROM Component WHERE ID = '10'");
    EXPECT_EQ(c.text("BunID"), "B1");
    EXPECT_EQ(c.text("Plant"), "Old Plant");
    EXPECT_EQ(c.text("Description"), "Seat, firmer");

    form->bunEntry->cmbBunID->setEditText(QStringLiteral("B1"));
    EXPECT_EQ(form->bunEntry->cmbBunVendor->currentText(), "Gone Foam");
    EXPECT_EQ(form->bunEntry->cmbBunStatus->currentText(), "Inactive");
    click(form->bunEntry->btnBunSave);
    EXPECT_EQ(row("SELECT Vendor FROM Bun WHERE ID = 'B1'").text("Vendor"), "Gone Foam");
    EXPECT_EQ(messages.count(), 0);
}

TEST_F(StyleFormTest, QtyPerBuggyChecksItselfWhenLeft)
{
    open();
    form->setCurrentTab(StyleForm::ComponentTab);
    form->show();
    form->componentEntry->txtQtyPerBuggy->setFocus();
    QTest::keyClicks(form->componentEntry->txtQtyPerBuggy, QStringLiteral("12abc"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(form->componentEntry->txtQtyPerBuggy, &out);
    ASSERT_EQ(messages.count(), 1);
    EXPECT_EQ(messages.last().title, "Invalid Entry");
    EXPECT_EQ(messages.last().text, "You must enter a numeric value in this field or leave it blank.");
    form->componentEntry->txtQtyPerBuggy->setText(QStringLiteral("8"));
    QApplication::sendEvent(form->componentEntry->txtQtyPerBuggy, &out);
    EXPECT_EQ(messages.count(), 1);
    // A buggy holds whole pieces.
    form->componentEntry->txtQtyPerBuggy->setText(QStringLiteral("6.5"));
    QApplication::sendEvent(form->componentEntry->txtQtyPerBuggy, &out);
    ASSERT_EQ(messages.count(), 2);
    EXPECT_EQ(messages.last().title, "Invalid Entry");
    EXPECT_EQ(messages.last().text,
              "Qty/Buggy must be a whole number of pieces, 0 or more (0 prints no buggy tickets).");
}

TEST_F(StyleFormTest, ComponentLineSaveUpdatesTheLineOfThatComponent)
{
    open();
    const int lines = count("SELECT * FROM StyleComponent");
    // No line selected, the style already has the component: its quantity changes.
    pick(form->styleEntry->cmbStyle, QStringLiteral("9-SOFA"));
    pick(form->styleEntry->cmbComponent, QStringLiteral("10-Seat"));
    EXPECT_EQ(form->styleEntry->txtStyleComponentID->text(), QString::number(lineSeat)) << "the line lookup";
    click(form->styleEntry->btnComponentNew);
    pick(form->styleEntry->cmbStyle, QStringLiteral("9-SOFA"));
    pick(form->styleEntry->cmbComponent, QStringLiteral("10-Seat"));
    form->styleEntry->txtStyleComponentID->clear();
    form->styleEntry->txtQty->setText(QStringLiteral("4"));
    click(form->styleEntry->cmbComponentSave2);
    EXPECT_EQ(count("SELECT * FROM StyleComponent"), lines);
    EXPECT_DOUBLE_EQ(row(QStringLiteral("SELECT Qty FROM StyleComponent WHERE ID = %1").arg(lineSeat)).number("Qty"),
                     4);
    // The tree shows the line, opened.
    QTreeWidgetItem *line = child(child(acme(), QStringLiteral("9-SOFA")), QStringLiteral("(4) - 10-Seat"));
    ASSERT_TRUE(line);
    EXPECT_TRUE(line->isExpanded());

    // A new line: added, its buggy group empty.
    pick(form->styleEntry->cmbStyle, QStringLiteral("A1-SOFA"));
    pick(form->styleEntry->cmbComponent, QStringLiteral("A1-Arm"));
    EXPECT_TRUE(form->styleEntry->txtStyleComponentID->text().isEmpty());
    form->styleEntry->txtQty->setText(QStringLiteral("2.5"));
    click(form->styleEntry->cmbComponentSave2);
    data::Recordset added = row("SELECT * FROM StyleComponent WHERE ComponentID = 'A1'");
    ASSERT_EQ(added.recordCount(), 1);
    EXPECT_DOUBLE_EQ(added.number("Qty"), 2.5);
    EXPECT_TRUE(added.isNull("BuggySheet"));
    EXPECT_TRUE(child(child(acme(), QStringLiteral("A1-SOFA")), QStringLiteral("(2.5) - A1-Arm")));
}

TEST_F(StyleFormTest, DeletingALineTakesItsOperationsAndItsRows)
{
    open();
    QTreeWidgetItem *style = style9Row();
    expanded(seatRow());
    select(seatRow());
    messages.answer(MessageAnswer::No);
    click(form->styleEntry->btnDeleteComponent);
    EXPECT_EQ(messages.last().text, "Are you sure you want to delete the selected Component?");
    EXPECT_EQ(messages.last().title, "Delete Confirmation");
    EXPECT_EQ(messages.last().buttons, shell::MessageButtons::YesNo);
    EXPECT_EQ(count("SELECT * FROM StyleComponent"), 2);

    select(seatRow());
    messages.answer(MessageAnswer::Yes);
    click(form->styleEntry->btnDeleteComponent);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleOperation WHERE ComponentID = %1").arg(lineSeat)), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleComponent WHERE ID = %1").arg(lineSeat)), 0);
    EXPECT_EQ(count("SELECT * FROM Component WHERE ID = '10'"), 1) << "the component itself stays";
    EXPECT_EQ(childTexts(style), QStringList({"(1) - 9-Back"}));
    EXPECT_EQ(messages.unusedAnswers(), 0);
}

// ---------------------------------------------------------------- operations

TEST_F(StyleFormTest, OperationSaveStoresTheSplitAndTheSecondStation)
{
    open();
    const int operations = count("SELECT * FROM StyleOperation");
    // The operation with a split, selected: take the second station away with Backspace.
    select(expanded(seatRow())->child(0));
    ASSERT_EQ(form->styleEntry->cmbOperation2->currentText(), "CNC 1");
    form->show();
    form->styleEntry->cmbOperation2->setFocus();
    QTest::keyClick(form->styleEntry->cmbOperation2, Qt::Key_Backspace);
    EXPECT_EQ(form->styleEntry->cmbOperation2->currentIndex(), -1);
    EXPECT_EQ(form->styleEntry->cmbPlant2->currentText(), "North") << "the plant list still shows a plant";
    form->styleEntry->txtOperationQty->clear();
    form->styleEntry->txtInstructions->setText(QStringLiteral("Cut 2\" off, don't bevel"));
    click(form->styleEntry->btnOperationsSave2);
    EXPECT_EQ(messages.count(), 0) << messages.last().text.toStdString();
    EXPECT_EQ(count("SELECT * FROM StyleOperation"), operations);
    data::Recordset op = row(QStringLiteral("SELECT * FROM StyleOperation WHERE ID = %1").arg(opSaw));
    EXPECT_DOUBLE_EQ(op.number("SplitQty"), 0);
    EXPECT_FALSE(op.isNull("Operation2ID"));
    EXPECT_EQ(op.text("Operation2ID"), "");
    EXPECT_EQ(op.text("Plant2"), "");
    EXPECT_EQ(op.text("Instructions"), "Cut 2\" off, don't bevel");
    // The tree shows the line with its operations again.
    QTreeWidgetItem *line = child(child(acme(), QStringLiteral("9-SOFA")), QStringLiteral("(2) - 10-Seat"));
    ASSERT_TRUE(line);
    EXPECT_EQ(line->child(0)->text(0), "Saw 1 - (Cut 2\" off, don't bevel)");

    // No operation selected, an existing style/line/station: updated, none added.
    click(form->styleEntry->btnOperationNew);
    pick(form->styleEntry->cmbStyle2, QStringLiteral("9-SOFA"));
    EXPECT_EQ(form->styleEntry->cmbComponent2->itemText(0), "9-Back") << "lines in component order";
    pick(form->styleEntry->cmbComponent2, QStringLiteral("10-Seat"));
    pick(form->styleEntry->cmbOperation, QStringLiteral("CNC 1"));
    EXPECT_EQ(form->styleEntry->txtStyleComponentOperationID->text(), QString::number(opCnc));
    pick(form->styleEntry->cmbOperation2, QStringLiteral("Saw 1"));
    pick(form->styleEntry->cmbPlant2, QStringLiteral("Main"));
    form->styleEntry->txtOperationQty->setText(QStringLiteral("0.5"));
    click(form->styleEntry->btnOperationsSave2);
    EXPECT_EQ(count("SELECT * FROM StyleOperation"), operations);
    op = row(QStringLiteral("SELECT * FROM StyleOperation WHERE ID = %1").arg(opCnc));
    EXPECT_DOUBLE_EQ(op.number("SplitQty"), 0.5);
    EXPECT_EQ(op.text("Operation2ID"), "Saw 1");
    EXPECT_EQ(op.text("Plant2"), "Main");
}

TEST_F(StyleFormTest, DeletingAnOperationRemovesOnlyItsRow)
{
    open();
    QTreeWidgetItem *line = expanded(seatRow());
    select(line->child(1));
    messages.answer(MessageAnswer::Yes);
    click(form->styleEntry->btnDeleteOp);
    EXPECT_EQ(messages.last().text, "Are you sure you want to delete the selected Operation?");
    EXPECT_EQ(count(QStringLiteral("SELECT * FROM StyleOperation WHERE ID = %1").arg(opCnc)), 0);
    EXPECT_EQ(childTexts(line), QStringList({"Saw 1 - (cut Saw 1)  [0.250 - CNC 1 - North]"}));
    EXPECT_EQ(childTexts(style9Row()), QStringList({"(1) - 9-Back", "(2) - 10-Seat"}));
}

} // namespace
