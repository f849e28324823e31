// Lookups of the catalogue screens: every pick finds its record again, typed
// keys find their stored record, and a save writes to the record that was found.
#include "catalogue/stationentry.h"
#include "catalogue/styleentry.h"
#include "catalogue/styleform.h"
#include "catalogue/outlinetree.h"
#include "core/configuration.h"
#include "data/database.h"
#include "shell/messages.h"
#include "shell/typeahead.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

using catalogue::StyleEntry;
using catalogue::StyleForm;

namespace {

class CatalogueLookups : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        core::setCurrentConfiguration({});
        shell::resetTypeAhead();
        add("Customer", {{"Customer", "Acme"}, {"Status", "Active"}});
        for (const char *t : {"SOFA", "CHAIR"})
            add("StyleType", {{"ID", t}, {"Description", t}, {"Status", "Active"}});
        add("Operation", {{"Station", "Saw 1"}, {"ReportType", "Band Saw"}, {"Teams", 2}, {"Status", "Active"}});
        add("Operation", {{"Station", "CNC 1"}, {"ReportType", "CNC"}, {"Teams", 1}, {"Status", "Inactive"}});
        for (const char *c : {"10", "20"})
            add("Component", {{"ID", c}, {"Description", "Part"}, {"Status", "Active"}, {"QtyPerBuggy", 0}});
        sofa = add("Style",
                   {{"Customer", "Acme"},
                    {"Name", "1200"},
                    {"Type", "SOFA"},
                    {"Cost", 5.0},
                    {"Price", 9.5},
                    {"Status", "Active"}});
        other = add("Style",
                    {{"Customer", "Acme"},
                     {"Name", "1400"},
                     {"Type", "SOFA"},
                     {"Cost", 1.0},
                     {"Price", 2.0},
                     {"Status", "Active"}});
        line = add("StyleComponent", {{"StyleID", sofa}, {"ComponentID", "10"}, {"Qty", 2.0}});
        operation = add("StyleOperation",
                        {{"OperationID", "Saw 1"},
                         {"Instructions", "cut"},
                         {"StyleID", sofa},
                         {"ComponentID", line},
                         {"Thickness", 1.0},
                         {"Width", 2.0},
                         {"Length", 3.0}});
    }
    void TearDown() override
    {
        form.reset();
        core::setCurrentConfiguration({});
        ScreenTest::TearDown();
    }

    qint64 add(const QString &table, const std::vector<std::pair<QString, QVariant>> &values)
    {
        data::Recordset rs = data::addRow(db(), table, values);
        return rs.hasField("ID") ? rs.integer("ID") : 0;
    }
    StyleEntry &open()
    {
        form = std::make_unique<StyleForm>();
        form->load();
        return *form->styleEntry;
    }
    QTreeWidgetItem *row(QTreeWidgetItem *parent, const QString &text)
    {
        parent->setExpanded(true);
        for (int i = 0; i < parent->childCount(); ++i)
            if (parent->child(i)->text(0) == text)
                return parent->child(i);
        return nullptr;
    }
    QTreeWidgetItem *styleRow(const QString &text)
    {
        return row(row(form->styleEntry->fgTree->topLevelItem(0), "Acme"), text);
    }
    void select(QTreeWidgetItem *item)
    {
        ASSERT_TRUE(item);
        form->styleEntry->fgTree->choose(item);
    }
    // A pick by the user, as the list reports it: the entry (when it changes),
    // then the pick. The user acts from the event loop.
    static void userPick(QComboBox *list, const QString &text)
    {
        QApplication::processEvents();
        const int index = list->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        list->setCurrentIndex(index);
        emit list->activated(index);
    }
    int count(const QString &statement) { return int(db().query(statement).recordCount()); }

    shell::MessageRecorder messages;
    std::unique_ptr<StyleForm> form;
    qint64 sofa = 0, other = 0, line = 0, operation = 0;
};

} // namespace

TEST_F(CatalogueLookups, PickingTheShownTypeAgainLooksTheStyleUpUnderTheTypedName)
{
    StyleEntry &entry = open();
    select(styleRow("1200-SOFA"));
    ASSERT_EQ(entry.txtStyleNameID->text(), QString::number(sofa));
    entry.cmbStyleName->setEditText("1300");
    userPick(entry.cmbType, "SOFA");
    EXPECT_TRUE(entry.txtStyleNameID->text().isEmpty()) << "no style 1300-SOFA yet";
    entry.btnStyleSave->click();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(count("SELECT * FROM Style WHERE Name = '1200' AND Type = 'SOFA'"), 1) << "the original stays";
    EXPECT_EQ(count("SELECT * FROM Style WHERE Name = '1300' AND Type = 'SOFA'"), 1);

    // Another type for a selected style is another style: added beside it.
    select(styleRow("1200-SOFA"));
    userPick(entry.cmbType, "CHAIR");
    EXPECT_TRUE(entry.txtStyleNameID->text().isEmpty());
    entry.btnStyleSave->click();
    EXPECT_EQ(count("SELECT * FROM Style WHERE Name = '1200'"), 2);
    EXPECT_EQ(count("SELECT * FROM StyleComponent WHERE StyleID = " + QString::number(sofa)), 1);
}

TEST_F(CatalogueLookups, PickingTheShownComponentAgainLooksTheLineUpInTheChosenStyle)
{
    StyleEntry &entry = open();
    select(row(styleRow("1200-SOFA"), "(2) - 10-Part"));
    ASSERT_EQ(entry.txtStyleComponentID->text(), QString::number(line));
    userPick(entry.cmbStyle, "1400-SOFA");
    userPick(entry.cmbComponent, "10-Part");
    EXPECT_TRUE(entry.txtStyleComponentID->text().isEmpty()) << "the style has no such line";
    EXPECT_TRUE(entry.txtQty->text().isEmpty());
    entry.txtQty->setText("3");
    entry.cmbComponentSave2->click();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(count("SELECT * FROM StyleComponent WHERE StyleID = " + QString::number(sofa)), 1)
        << "the selected line stays where it was";
    EXPECT_EQ(count("SELECT * FROM StyleComponent WHERE StyleID = " + QString::number(other)), 1);
    EXPECT_EQ(count("SELECT * FROM StyleOperation WHERE ComponentID = " + QString::number(line)), 1);
}

TEST_F(CatalogueLookups, PickingTheShownStationAgainLooksTheOperationUpOnTheChosenLine)
{
    const qint64 line20 = add("StyleComponent", {{"StyleID", sofa}, {"ComponentID", "20"}, {"Qty", 1.0}});
    StyleEntry &entry = open();
    QTreeWidgetItem *saw = row(row(styleRow("1200-SOFA"), "(2) - 10-Part"), "Saw 1 - (cut)");
    select(saw);
    ASSERT_EQ(entry.txtStyleComponentOperationID->text(), QString::number(operation));
    userPick(entry.cmbComponent2, "20-Part");
    userPick(entry.cmbOperation, "Saw 1");
    EXPECT_TRUE(entry.txtStyleComponentOperationID->text().isEmpty());
    EXPECT_TRUE(entry.txtInstructions->text().isEmpty());
    entry.btnOperationsSave2->click();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(count("SELECT * FROM StyleOperation WHERE ComponentID = " + QString::number(line)), 1);
    EXPECT_EQ(count("SELECT * FROM StyleOperation WHERE ComponentID = " + QString::number(line20)), 1);
}

TEST_F(CatalogueLookups, HiddenPricesAreKeptWhenTheStyleIsSaved)
{
    core::Configuration config;
    config.hidePrices = true;
    core::setCurrentConfiguration(config);
    StyleEntry &entry = open();
    select(styleRow("1200-SOFA"));
    entry.txtGroupBy->setText("G2");
    entry.btnStyleSave->click();
    data::Recordset rs = db().query("SELECT * FROM Style WHERE ID = " + QString::number(sofa));
    EXPECT_DOUBLE_EQ(rs.number("Cost"), 5.0);
    EXPECT_DOUBLE_EQ(rs.number("Price"), 9.5);
    EXPECT_EQ(rs.text("GroupField"), "G2");
}

TEST_F(CatalogueLookups, StationsAreFoundByTheirNameWithoutTrailingBlanks)
{
    open();
    catalogue::StationEntry &station = *form->stationEntry;
    EXPECT_EQ(station.cmbReportName->count(), 10);
    QStringList types;
    for (int i = 0; i < station.cmbReportName->count(); ++i)
        types << station.cmbReportName->itemText(i);
    EXPECT_EQ(types,
              QStringList({"Band Saw", "Bullet Noser", "CNC", "CNC Stencil", "Fiber Table", "Glue Line", "Spray Line",
                           "Glue/Spray Line Supply", "Top Out Saw", "Vertical Slitter"}));

    struct Case {
        const char *typed, *reportType, *teams, *status;
    };
    for (const Case &c : {Case{"CNC 1", "CNC", "1", "Inactive"}, Case{"Saw 1  ", "Band Saw", "2", "Active"},
                          Case{"New 1", "", "1", ""}}) {
        SCOPED_TRACE(c.typed);
        station.cmbStationName->setEditText(c.typed);
        EXPECT_EQ(station.cmbReportName->currentText(), c.reportType);
        EXPECT_EQ(station.txtTeams->text(), c.teams);
        EXPECT_EQ(station.cmbOperationStatus->currentText(), c.status);
    }
    // A save under a name with trailing blanks updates the stored station.
    station.cmbStationName->setEditText("Saw 1 ");
    station.txtTeams->setText("4");
    station.btnOperationSave->click();
    EXPECT_EQ(messages.count(), 0);
    EXPECT_EQ(count("SELECT * FROM Operation"), 2);
    EXPECT_EQ(db().query("SELECT Teams FROM Operation WHERE Station = 'Saw 1'").integer("Teams"), 4);
}
