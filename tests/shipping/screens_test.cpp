// The shipping screens driven through their named controls, headless.
#include "app/screens.h"
#include "shippingfixture.h"
#include "support/testdatabase.h"

#include "core/clock.h"
#include "data/recordset.h"
#include "reporting/reportsinks.h"
#include "shell/grid.h"
#include "shell/listgrid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shipping/gluesprayprintform.h"
#include "shipping/loadsheetform.h"
#include "shipping/shipmententryform.h"
#include "shipping/shipmentnavigatorform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

using namespace fixture;
using namespace shipping;

namespace {

class ShippingScreens : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        addPlant(db());
        sofa = addSofa(db());
        reporting::setPrintFolder(m_print.path(), reporting::PrintFormat::Csv);
        m_main = std::make_unique<shell::MainWindow>();
        app::registerScreens(*m_main);
        m_main->resize(1200, 900);
        m_main->show();
    }
    void TearDown() override
    {
        m_main.reset();
        reporting::setPrintFolder({});
        ScreenTest::TearDown();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <typename Form>
    Form *open(const char *name)
    {
        return qobject_cast<Form *>(m_main->openScreen(s(name)));
    }
    // Chooses the customer and then the order, as a click in each list does.
    static void chooseOrder(QComboBox *customer, QComboBox *order, const QString &orderNumber)
    {
        customer->setCurrentIndex(customer->findText(s("Amberline")));
        const int i = order->findText(orderNumber, Qt::MatchStartsWith);
        ASSERT_GE(i, 0) << orderNumber.toStdString();
        order->setCurrentIndex(i);
        emit order->activated(i);
    }
    static QStringList column(QTableWidget *grid, int c)
    {
        QStringList out;
        for (int r = 0; r < grid->rowCount(); ++r)
            out << (grid->item(r, c) ? grid->item(r, c)->text() : QString());
        return out;
    }
    QStringList printed() const { return QDir(m_print.path()).entryList(QDir::Files, QDir::Name); }

    Sofa sofa;
    shell::MessageRecorder m_messages;
    QTemporaryDir m_print;
    std::unique_ptr<shell::MainWindow> m_main;
};

TEST_F(ShippingScreens, ShipmentEntryResetsWhatCannotShipAndSavesTheRest)
{
    addPlainOrder(db(), 3001, sofa.style, {{1, 10}, {2, 5}});
    ship(db(), 3001, {{1, 3}});
    auto *f = open<ShipmentEntryForm>("ShipmentEntry");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->vsfgItems->columnCount(), 0) << "no grid until an order is chosen";
    chooseOrder(f->cmbCustomer, f->cmbOrder, s("PO-3001"));
    EXPECT_EQ(f->txtAddress1->text(), s("1 Main St"));
    ASSERT_EQ(f->vsfgItems->rowCount(), 2);
    EXPECT_EQ(column(f->vsfgItems, ShipmentEntryForm::ColPrevShipped), (QStringList{s("3"), s("")}));

    for (const char *typed : {"12", "abc"}) {
        f->vsfgItems->item(0, ShipmentEntryForm::ColThisShipment)->setText(s(typed));
        EXPECT_EQ(f->vsfgItems->cell(0, ShipmentEntryForm::ColThisShipment), s("0")) << typed;
    }
    EXPECT_FALSE(f->vsfgItems->item(0, ShipmentEntryForm::ColOrdered)->flags() & Qt::ItemIsEditable);

    f->btnSave->click();
    EXPECT_EQ(m_messages.last().text, s("No Items to save."));
    EXPECT_EQ(m_messages.last().title, s("Unable to Save"));

    auto *navigator = open<ShipmentNavigatorForm>("ShipmentNav");
    ASSERT_EQ(navigator->vsfgShipments->rowCount(), 1);
    f->btnShipAll->click();
    EXPECT_EQ(column(f->vsfgItems, ShipmentEntryForm::ColThisShipment), (QStringList{s("7"), s("5")}));
    f->btnSave->click();
    settle();
    EXPECT_EQ(orderStatus(db(), 3001), s("Closed"));
    EXPECT_EQ(navigator->vsfgShipments->rowCount(), 2) << "closing shipment entry refreshes the navigator";
}

// An order chosen in the list while a saved shipment is open starts a new
// shipment for that order; the saved one keeps its order and quantities.
TEST_F(ShippingScreens, ChoosingAnotherOrderStartsANewShipment)
{
    addPlainOrder(db(), 3001, sofa.style, {{1, 10}});
    addPlainOrder(db(), 3002, sofa.style, {{1, 40}});
    const qint64 id = ship(db(), 3001, {{1, 3}});
    auto *f = open<ShipmentEntryForm>("ShipmentEntry");
    f->OpenShipment(id);
    ASSERT_EQ(f->txtID->text(), QString::number(id));
    chooseOrder(f->cmbCustomer, f->cmbOrder, s("PO-3002"));
    EXPECT_TRUE(f->txtID->text().isEmpty());
    f->vsfgItems->item(0, ShipmentEntryForm::ColThisShipment)->setText(s("40"));
    f->btnSave->click();
    settle();
    EXPECT_EQ(m_messages.count(), 0) << m_messages.last().text.toStdString();
    EXPECT_EQ(orderLines(db(), 3001)[0].shipped, 3);
    EXPECT_EQ(orderStatus(db(), 3001), s("Open"));
    EXPECT_EQ(orderLines(db(), 3002)[0].shipped, 40);
    EXPECT_EQ(orderStatus(db(), 3002), s("Closed"));
    SavedShipment saved;
    ASSERT_TRUE(loadShipment(db(), id, saved));
    EXPECT_EQ(saved.shipment.orderId, 3001);
    EXPECT_EQ(saved.shipment.lines[0].qty, 3);
}

// The screen saves what it shows against what is open when it saves: a
// shipment made meanwhile at another workstation is not shipped twice.
TEST_F(ShippingScreens, AScreenLeftOpenDoesNotOverShip)
{
    addPlainOrder(db(), 3004, sofa.style, {{1, 10}});
    auto *f = open<ShipmentEntryForm>("ShipmentEntry");
    chooseOrder(f->cmbCustomer, f->cmbOrder, s("PO-3004"));
    f->btnShipAll->click();
    ship(*m_temp->openAnother(), 3004, {{1, 10}});
    f->btnSave->click();
    EXPECT_EQ(m_messages.last().title, s("Unable to Save"));
    EXPECT_EQ(m_messages.last().text, s("Item 1: 10 is more than the 0 still open."));
    EXPECT_EQ(orderLines(db(), 3004)[0].shipped, 10);
    EXPECT_EQ(db().query(s("SELECT COUNT(*) AS N FROM Shipments")).integer(s("N")), 1);
    EXPECT_TRUE(f->isVisible()) << "the screen stays for the user to see";
}

TEST_F(ShippingScreens, ThisShipmentRefusesNegativesAndShowsFourDecimals)
{
    addPlainOrder(db(), 3005, sofa.style, {{1, 5}, {2, 2}});
    for (int i = 0; i < 10; ++i)
        ship(db(), 3005, {{2, 0.1}});
    auto *f = open<ShipmentEntryForm>("ShipmentEntry");
    chooseOrder(f->cmbCustomer, f->cmbOrder, s("PO-3005"));
    EXPECT_EQ(column(f->vsfgItems, ShipmentEntryForm::ColPrevShipped), (QStringList{s(""), s("1")}));

    f->vsfgItems->item(0, ShipmentEntryForm::ColThisShipment)->setText(s("-3"));
    EXPECT_EQ(m_messages.last().text, s("This Shipment cannot be negative."));
    EXPECT_EQ(f->vsfgItems->cell(0, ShipmentEntryForm::ColThisShipment), s("0"));
    f->vsfgItems->item(1, ShipmentEntryForm::ColThisShipment)->setText(s("0.33333"));
    EXPECT_EQ(f->vsfgItems->cell(1, ShipmentEntryForm::ColThisShipment), s("0.3333"));
    f->btnShipAll->click();
    EXPECT_EQ(column(f->vsfgItems, ShipmentEntryForm::ColThisShipment), (QStringList{s("5"), s("1")}));
    f->btnSave->click();
    settle();
    EXPECT_EQ(orderStatus(db(), 3005), s("Closed"));
    EXPECT_EQ(orderLines(db(), 3005)[0].shipped, 5);
}

TEST_F(ShippingScreens, NavigatorFindsListsAndReopensAShipmentOfAClosedOrder)
{
    addPlainOrder(db(), 3002, sofa.style, {{1, 4}});
    const qint64 id = shipping::saveShipment(db(), {0, 3002, core::currentDate(), {{1, 4}}});
    ASSERT_EQ(orderStatus(db(), 3002), s("Closed"));
    auto *n = open<ShipmentNavigatorForm>("ShipmentNav");
    ASSERT_TRUE(shipmentNavigatorOpen());
    ASSERT_EQ(n->vsfgShipments->rowCount(), 1);
    EXPECT_EQ(n->vsfgShipments->cell(0, ShipmentNavigatorForm::ColShipTo),
              s("Amberline, 1 Main St, , Tupelo, MS  38801"));

    const struct {
        const char *customer, *number;
        bool byDate;
        QDate from;
        int found;
    } searches[] = {
        {"Amberline", "", false, {}, 1},
        {"", "300", false, {}, 1},
        {"", "999", false, {}, 0},
        {"", "", true, core::currentDate(), 1},
        {"", "", true, core::currentDate().addDays(1), 0},
    };
    for (const auto &c : searches) {
        n->cmbCustomer->setCurrentIndex(n->cmbCustomer->findText(s(c.customer)));
        n->txtOrderNumber->setText(s(c.number));
        n->chkShipDate->setChecked(c.byDate);
        n->dtStartDate->setDate(c.byDate ? c.from : core::currentDate());
        n->dtEndDate->setDate(c.byDate ? c.from : core::currentDate());
        n->btnFind->click();
        EXPECT_EQ(n->vsfgShipments->rowCount(), c.found) << c.customer << "/" << c.number << "/" << c.byDate;
    }
    n->btnClear->click();
    ASSERT_EQ(n->vsfgShipments->rowCount(), 1);
    n->vsfgShipments->selectRowIndex(0);
    ASSERT_EQ(n->vsfgItems->rowCount(), 1);
    EXPECT_EQ(n->vsfgItems->cell(0, 2), s("4"));

    // A closed order's shipment opens with its order offered, and saves unchanged.
    auto *e = open<ShipmentEntryForm>("ShipmentEntry");
    e->OpenShipment(id);
    EXPECT_EQ(e->txtID->text(), QString::number(id));
    EXPECT_EQ(e->cmbOrderID->currentText(), s("3002"));
    EXPECT_EQ(e->vsfgItems->cell(0, ShipmentEntryForm::ColThisShipment), s("4"));
    EXPECT_EQ(e->vsfgItems->cell(0, ShipmentEntryForm::ColPrevShipped), s("0"));
    e->btnSave->click();
    settle();
    EXPECT_EQ(shipping::orderLines(db(), 3002)[0].shipped, 4);
    EXPECT_EQ(db().query(s("SELECT COUNT(*) AS N FROM Shipments")).integer(s("N")), 1);

    n->btnClear->click();
    n->vsfgShipments->selectRowIndex(-1);
    // A double-click below the last row opens an empty shipment entry.
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(5, 300), QPointF(5, 300), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(n->vsfgShipments->viewport(), &click);
    auto *empty = qobject_cast<ShipmentEntryForm *>(m_main->openedScreen(s("ShipmentEntry")));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->txtID->text().isEmpty());
    n->close();
    settle();
    EXPECT_FALSE(shipmentNavigatorOpen());
}

TEST_F(ShippingScreens, LoadSheetPlansTrucksAndProtectsOrderLines)
{
    addPlainOrder(db(), 3003, sofa.style, {{1, 100}, {2, 6}});
    ship(db(), 3003, {{1, 40}});
    auto *f = open<LoadSheetForm>("LoadSheet");
    chooseOrder(f->cmbCustomer, f->cmbOrder, s("PO-3003"));
    ASSERT_EQ(f->vsfgItems->rowCount(), 2);
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColPrevShipped), (QStringList{s("40"), s("0")}));
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColToShip), (QStringList{s("60"), s("6")}));
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColLoad), (QStringList{s("60"), s("6")}));

    f->vsfgItems->setCurrentCell(0, 0);
    f->btnAdd->click();
    f->btnBuggyBar->click();
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColItem), (QStringList{s("1"), kBreakText, s("1"), s("2")}));
    EXPECT_EQ(f->vsfgItems->item(1, 3)->background().color(), breakRowColour());
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColOrig), (QStringList{s("*"), s(""), s(""), s("*")}));
    f->vsfgItems->item(0, LoadPlanForm::ColLoad)->setText(s("30"));
    f->vsfgItems->item(2, LoadPlanForm::ColLoad)->setText(s("thirty"));
    EXPECT_EQ(f->vsfgItems->item(2, LoadPlanForm::ColLoad)->text(), s("0"));
    f->vsfgItems->item(2, LoadPlanForm::ColLoad)->setText(s("30"));

    f->vsfgItems->setCurrentCell(0, 0);
    f->btnDelete->click();
    EXPECT_EQ(m_messages.last().text, s("You cannot delete an Original Row."));
    EXPECT_EQ(m_messages.last().title, s("Cannot Delete"));
    EXPECT_EQ(f->vsfgItems->rowCount(), 4);

    // Rows 1 and 4 selected: the top row stays, item 2 moves up above the copy.
    f->vsfgItems->clearSelection();
    f->vsfgItems->setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 7), true);
    f->vsfgItems->setRangeSelected(QTableWidgetSelectionRange(3, 0, 3, 7), true);
    f->btnBuggyUp->click();
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColItem), (QStringList{s("1"), kBreakText, s("2"), s("1")}));
    f->btnBuggyDown->click();
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColItem), (QStringList{kBreakText, s("1"), s("1"), s("2")}));
    f->vsfgItems->clearSelection();
    f->vsfgItems->setRangeSelected(QTableWidgetSelectionRange(0, 0, 0, 7), true);
    f->btnBuggyDown->click();
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColItem), (QStringList{s("1"), kBreakText, s("1"), s("2")}));
    EXPECT_EQ(f->vsfgItems->item(1, 0)->background().color(), breakRowColour()) << "colours move with rows";

    f->btnPrint->click();
    EXPECT_EQ(printed(), QStringList{s("001-crptLoadSheet-Load Sheet.csv")});
    data::Recordset rs =
        db().query(s("SELECT ItemNumber,Qty,Truck,PrintOrder FROM tmpLoadSheet ORDER BY Truck,PrintOrder"));
    QStringList loads;
    for (; !rs.isEOF(); rs.moveNext())
        loads << s("%1:%2 truck %3 #%4")
                     .arg(rs.integer(s("ItemNumber")))
                     .arg(rs.number(s("Qty")))
                     .arg(rs.integer(s("Truck")))
                     .arg(rs.integer(s("PrintOrder")));
    EXPECT_EQ(loads, (QStringList{s("1:30 truck 1 #1"), s("1:30 truck 2 #1"), s("2:6 truck 2 #2")}));

    // A break row and an added row can go.
    f->vsfgItems->setCurrentCell(1, 0);
    f->btnDelete->click();
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColItem), (QStringList{s("1"), s("1"), s("2")}));
}

TEST_F(ShippingScreens, GlueSprayScreenDeletesRangesAndPrintsTheRunWithTheSuffix)
{
    addOrder(db(), 1001, s("Amberline"));
    addItem(db(), 1001, 1, "L1", 10, sofa.style);
    addItem(db(), 1001, 2, "L2", 12.5, sofa.style);
    auto *f = open<GlueSprayPrintForm>("mnuGlueSprayTieLoadReports");
    chooseOrder(f->cmbCustomer, f->cmbOrder, s("PO-1001"));
    f->vsfgItems->setCurrentCell(0, 0);
    f->btnBuggyBar->click();
    f->btnAdd->click();
    ASSERT_EQ(f->vsfgItems->rowCount(), 4);
    // Rows 2 to 4 go, the order line in row 4 with them.
    f->vsfgItems->setCurrentCell(1, 0);
    f->vsfgItems->setRangeSelected(QTableWidgetSelectionRange(1, 0, 3, 7), true);
    f->btnDelete->click();
    EXPECT_EQ(column(f->vsfgItems, LoadPlanForm::ColItem), QStringList{s("1")});

    f->txtHeader->setText(s("-R"));
    f->btnPrint->click();
    const QStringList files = printed();
    ASSERT_EQ(files.size(), 8) << files.join(s(", ")).toStdString();
    EXPECT_TRUE(files.last().contains(s("crptLoadSheet")));
    for (const QString &file : files) {
        QFile csv(QDir(m_print.path()).filePath(file));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        EXPECT_TRUE(QString::fromUtf8(csv.readAll()).contains(s("# txtOrderSuffix: -R"))) << file.toStdString();
    }
}

} // namespace

namespace {

TEST_F(ShippingScreens, MenuItemsOpenTheirScreens)
{
    const std::pair<const char *, const char *> items[] = {{"ShipmentEntry", "frmShipmentEntry"},
                                                           {"ShipmentNav", "frmShipmentNavigator"},
                                                           {"LoadSheet", "frmLoadSheet"},
                                                           {"mnuGlueSprayTieLoadReports", "frmGlueSprayPrint"}};
    for (const auto &[item, form] : items) {
        QWidget *screen = m_main->openScreen(s(item));
        ASSERT_TRUE(screen) << item;
        EXPECT_EQ(screen->objectName(), s(form));
    }
}

} // namespace
