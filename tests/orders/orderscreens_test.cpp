#include "app/screens.h"
#include "data/demoplant.h"
#include "orderfixture.h"
#include "orders/orderentryform.h"
#include "orders/ordernavigatorform.h"
#include "core/configuration.h"
#include "shell/grid.h"
#include "shell/listgrid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace orders;

namespace {

class OrderScreens : public testsupport::ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        addOrderCatalogue(db());
        m_main = std::make_unique<shell::MainWindow>();
        app::registerScreens(*m_main);
        m_main->resize(1200, 900);
        m_main->show();
    }
    void TearDown() override
    {
        core::setCurrentConfiguration({});
        m_main.reset();
        ScreenTest::TearDown();
    }

    // Lets screens closed by a button go away, as the event loop would.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    OrderEntryForm *entry() { return qobject_cast<OrderEntryForm *>(m_main->openScreen(QStringLiteral("OrderEntry"))); }
    OrderNavigatorForm *navigator()
    {
        return qobject_cast<OrderNavigatorForm *>(m_main->openScreen(QStringLiteral("OrdNav")));
    }

    static void pick(QComboBox *list, const QString &text)
    {
        const int i = list->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        list->setCurrentIndex(i);
    }
    static void type(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    // Enters a line through the editor the way a user does: line, style, Enter, qty, Enter, Enter.
    static void addLine(OrderEntryForm *f, const QString &line, const QString &style, const QString &qty)
    {
        type(f->txtLine, line);
        pick(f->cmbStyle, style);
        type(f->txtQty, qty);
        QTest::keyClick(f->txtQty, Qt::Key_Return);
        QTest::keyClick(f->txtPriceEach, Qt::Key_Return);
        QTest::keyClick(f->btnSaveItem, Qt::Key_Return);
    }
    OrderEntryForm *newOrder(const QString &customer, const QString &number)
    {
        OrderEntryForm *f = entry();
        pick(f->cmbCustomer, customer);
        type(f->txtOrderNumber, number);
        return f;
    }
    int rows(const QString &statement) { return db().query(statement).recordCount(); }

    std::unique_ptr<shell::MainWindow> m_main;
    shell::MessageRecorder m_messages;
};

// An order on an invoice: the editor refuses line changes, and a change made
// before the order was invoiced elsewhere is refused at the save.
TEST_F(OrderScreens, AnInvoicedOrdersLinesCannotChange)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-8"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("2"));
    f->btnSave->click();
    settle();
    const qint64 id = db().query(QStringLiteral("SELECT ID FROM Orders")).integer(QStringLiteral("ID"));
    const auto invoice = [this, id] {
        const qint64 number =
            data::addRow(db(), QStringLiteral("Invoice"), {{QStringLiteral("Customer"), QStringLiteral("Amberline")}})
                .integer(QStringLiteral("ID"));
        data::addRow(db(), QStringLiteral("InvoiceOrders"),
                     {{QStringLiteral("Invoice"), number}, {QStringLiteral("OrderID"), id}});
        return number;
    };

    // Invoiced while the screen is open: the save refuses the new quantity.
    f = entry();
    f->OpenOrder(id);
    f->vsfgItems->setCurrentCell(0, 0);
    const qint64 number = invoice();
    type(f->txtQty, QStringLiteral("5"));
    f->btnSaveItem->click();
    m_messages.clear();
    f->btnSave->click();
    const QString refusal = QStringLiteral("Order PO-8 is on invoice %1; its lines cannot be changed.").arg(number);
    EXPECT_EQ(m_messages.last().text, refusal);
    EXPECT_EQ(db().query(QStringLiteral("SELECT Qty FROM OrderItems")).number(QStringLiteral("Qty")), 2);
    f->close();
    settle();

    // Opened after: the editor refuses at once; the header still saves.
    f = entry();
    f->OpenOrder(id);
    f->vsfgItems->setCurrentCell(0, 0);
    type(f->txtQty, QStringLiteral("5"));
    f->btnSaveItem->click();
    EXPECT_EQ(m_messages.last().text, refusal);
    f->btnDeleteItem->click();
    EXPECT_EQ(m_messages.last().text, refusal);
    EXPECT_EQ(f->vsfgItems->rowCount(), 1);
    type(f->txtShipTo, QStringLiteral("Amberline East"));
    m_messages.clear();
    f->btnSave->click();
    settle();
    EXPECT_EQ(m_messages.count(), 0) << m_messages.last().text.toStdString();
    EXPECT_EQ(db().query(QStringLiteral("SELECT ShipTo FROM Orders")).text(QStringLiteral("ShipTo")),
              QStringLiteral("Amberline East"));
    EXPECT_EQ(db().query(QStringLiteral("SELECT Qty FROM OrderItems")).number(QStringLiteral("Qty")), 2);
}

TEST_F(OrderScreens, ItemNumbersAreNeverRenumbered)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-1"));
    EXPECT_EQ(f->txtShipTo->text(), QStringLiteral("Amberline"));
    EXPECT_EQ(f->txtCity->text(), QStringLiteral("Tupelo"));
    for (const char *qty : {"1", "2", "3"})
        addLine(f, QStringLiteral("L") + QLatin1String(qty), QStringLiteral("1200-SOFA"), QLatin1String(qty));
    ASSERT_EQ(f->vsfgItems->rowCount(), 3);
    EXPECT_EQ(f->vsfgItems->cell(2, 5), QStringLiteral("$393.00"));
    EXPECT_EQ(f->lblTotal->text(), QStringLiteral("$786.00"));

    f->vsfgItems->setCurrentCell(1, 0);
    EXPECT_EQ(f->lblItem->text(), QStringLiteral("2"));
    m_messages.answer(shell::MessageAnswer::Yes);
    f->btnDeleteItem->click();
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Are you sure you want to delete Line Item 2?"));
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Delete Confirmation"));
    ASSERT_EQ(f->vsfgItems->rowCount(), 2);
    EXPECT_EQ(f->vsfgItems->cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(f->vsfgItems->cell(1, 0), QStringLiteral("3"));

    addLine(f, QStringLiteral("L4"), QStringLiteral("1200-LOVE"), QStringLiteral("4"));
    EXPECT_EQ(f->vsfgItems->cell(2, 0), QStringLiteral("4"));
    EXPECT_EQ(f->vsfgItems->cell(2, 4), QStringLiteral("$98.50"));

    // Editing item 3 changes the second row and keeps its number.
    f->vsfgItems->setCurrentCell(1, 2);
    EXPECT_EQ(f->txtPriceEach->text(), QStringLiteral("$131.00"));
    type(f->txtQty, QStringLiteral("10"));
    f->btnSaveItem->click();
    EXPECT_EQ(f->vsfgItems->cell(1, 0), QStringLiteral("3"));
    EXPECT_EQ(f->vsfgItems->cell(1, 2), QStringLiteral("10"));

    f->btnSave->click();
    settle();
    data::Recordset items = db().query(QStringLiteral("SELECT ItemNumber, Qty FROM OrderItems ORDER BY ItemNumber"));
    QStringList stored;
    for (; !items.isEOF(); items.moveNext())
        stored << items.text(QStringLiteral("ItemNumber")) + QLatin1Char('x') + items.text(QStringLiteral("Qty"));
    EXPECT_EQ(stored, (QStringList{"1x1", "3x10", "4x4"}));
    EXPECT_EQ(m_main->openedScreen(QStringLiteral("OrderEntry")), nullptr);
}

TEST_F(OrderScreens, TheLineEditorRefusesWhatIsNoQuantity)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-1"));
    f->btnSaveItem->click();
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Not Enough Information"));
    EXPECT_EQ(m_messages.last().text, QStringLiteral("You must enter a Style, Quantity, and Price before saving."));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("12abc"));
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Qty Ordered must be a number."));
    EXPECT_EQ(f->vsfgItems->rowCount(), 0);
    type(f->txtPriceEach, QStringLiteral("cheap"));
    type(f->txtQty, QStringLiteral("2"));
    f->btnSaveItem->click();
    EXPECT_EQ(m_messages.last().text, QStringLiteral("Price Each must be a number."));
    EXPECT_EQ(f->vsfgItems->rowCount(), 0);
}

TEST_F(OrderScreens, TheDuplicateQuestionIsAskedPerCustomerAndNoWritesNothing)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-1"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    f->btnSave->click();
    settle();
    EXPECT_EQ(m_messages.count(), 0);

    f = newOrder(QStringLiteral("Cedar Ridge"), QStringLiteral("PO-1"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("88-REC"), QStringLiteral("1"));
    f->btnSave->click();
    settle();
    EXPECT_EQ(m_messages.count(), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Orders")), 2);

    f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-1"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    m_messages.answer(shell::MessageAnswer::No);
    f->btnSave->click();
    settle();
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Order Number Exists"));
    EXPECT_EQ(
        m_messages.last().text,
        QStringLiteral("Order Number PO-1 already exists for Amberline. This will not overwrite the previous Order. "
                       "Are you sure you want two Orders with the same number?"));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Orders")), 2);
    EXPECT_NE(m_main->openedScreen(QStringLiteral("OrderEntry")), nullptr);
    m_messages.answer(shell::MessageAnswer::Yes);
    f->btnSave->click();
    settle();
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Orders")), 3);
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM OrdersToBatch")), 3);
}

TEST_F(OrderScreens, StatusButtonsAndLockedFieldsOfASavedOrder)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-1"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    m_messages.answer(shell::MessageAnswer::Yes);
    f->btnVoidOrder->click();
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Void Order Confirmations"));
    EXPECT_EQ(f->lblStatus->text(), QStringLiteral("Void"));
    f->btnSave->click();
    settle();
    data::Recordset order = db().query(QStringLiteral("SELECT * FROM Orders"));
    EXPECT_EQ(order.text(QStringLiteral("Status")), QStringLiteral("Open"));
    const qint64 id = order.integer(QStringLiteral("ID"));

    f = entry();
    f->OpenOrder(id);
    EXPECT_EQ(f->lblID->text(), QString::number(id));
    EXPECT_FALSE(f->cmbCustomer->isEnabled());
    EXPECT_FALSE(f->txtOrderNumber->isEnabled());
    EXPECT_FALSE(f->dtOrderDate->isEnabled());
    EXPECT_FALSE(f->dtDueDate->isEnabled());
    EXPECT_EQ(f->vsfgItems->rowCount(), 1);
    m_messages.answer(shell::MessageAnswer::Yes);
    f->btnClose->click();
    f->btnSave->click();
    settle();
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM Orders")).text(QStringLiteral("Status")),
              QStringLiteral("Closed"));
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM OrdersToBatch")), 1);

    // Nothing to save without the three required parts.
    f = entry();
    f->btnSave->click();
    settle();
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Required Fields"));
}

TEST_F(OrderScreens, LocalOrderIdsNumberNewOrdersHere)
{
    core::Configuration c;
    c.localOrderIds = true;
    core::setCurrentConfiguration(c);
    for (const char *number : {"A", "B"}) {
        OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QLatin1String(number));
        addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
        f->btnSave->click();
        settle();
    }
    data::Recordset ids = db().query(QStringLiteral("SELECT ID FROM Orders ORDER BY ID"));
    EXPECT_EQ(ids.integer(QStringLiteral("ID")), 1);
    ids.moveNext();
    EXPECT_EQ(ids.integer(QStringLiteral("ID")), 2);
}

TEST_F(OrderScreens, HiddenPricesStillTravelWithTheLines)
{
    core::Configuration c;
    c.hidePrices = true;
    core::setCurrentConfiguration(c);
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-9"));
    f->show();
    EXPECT_FALSE(f->txtPriceEach->isVisible());
    EXPECT_FALSE(f->lblPriceExt->isVisible());
    EXPECT_FALSE(f->lblTotal->isVisible());
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-LOVE"), QStringLiteral("2"));
    EXPECT_TRUE(f->vsfgItems->isColumnHidden(4));
    EXPECT_TRUE(f->vsfgItems->isColumnHidden(5));
    f->btnSave->click();
    settle();
    data::Recordset line = db().query(QStringLiteral("SELECT * FROM OrderItems"));
    EXPECT_DOUBLE_EQ(line.number(QStringLiteral("PriceEach")), 98.5);
    EXPECT_DOUBLE_EQ(line.number(QStringLiteral("PriceExt")), 197);
    EXPECT_DOUBLE_EQ(db().query(QStringLiteral("SELECT Total FROM Orders")).number(QStringLiteral("Total")), 197);
}

TEST_F(OrderScreens, TheNavigatorFindsShowsAndOpensOrders)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("A120"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("5"));
    f->btnSave->click();
    settle();
    f = newOrder(QStringLiteral("Cedar Ridge"), QStringLiteral("312-B"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("88-REC"), QStringLiteral("1"));
    f->btnSave->click();
    settle();
    const qint64 shipped =
        db().query(QStringLiteral("SELECT ID FROM Orders WHERE OrderNumber = 'A120'")).integer(QStringLiteral("ID"));
    data::addRow(db(), QStringLiteral("ShipmentItems"),
                 {{QStringLiteral("ShipmentID"), 1},
                  {QStringLiteral("OrderID"), shipped},
                  {QStringLiteral("OrderLineItem"), 1},
                  {QStringLiteral("Qty"), 3}});

    OrderNavigatorForm *nav = navigator();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 2);
    EXPECT_EQ(nav->vsfgOrders->cell(0, 6), QStringLiteral("Amberline, 1 Main St, Tupelo, MS 38801"));
    EXPECT_EQ(nav->vsfgItems->columnCount(), 0);

    nav->vsfgOrders->selectRowIndex(0);
    EXPECT_EQ(nav->Frame3->title(), QStringLiteral("Order A120 Line Items"));
    ASSERT_EQ(nav->vsfgItems->rowCount(), 1);
    EXPECT_EQ(nav->vsfgItems->cell(0, 3), QStringLiteral("3"));
    nav->vsfgOrders->selectRowIndex(1);
    EXPECT_EQ(nav->vsfgItems->cell(0, 3), QStringLiteral("0"));

    type(nav->txtOrderNumber, QStringLiteral("12"));
    nav->btnFind->click();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 2);
    pick(nav->cmbStatus, QStringLiteral("Closed"));
    nav->btnFind->click();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 0);
    nav->btnClear->click();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 2);
    EXPECT_EQ(nav->txtOrderNumber->text(), QString());

    // Double-click with no order row opens an empty order entry.
    nav->vsfgOrders->selectRowIndex(-1);
    QTest::mouseDClick(nav->vsfgOrders->viewport(), Qt::LeftButton, {},
                       QPoint(5, nav->vsfgOrders->viewport()->height() - 3));
    auto *opened = qobject_cast<OrderEntryForm *>(m_main->openedScreen(QStringLiteral("OrderEntry")));
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->lblID->text().isEmpty());

    // Saving the order while the navigator is open refreshes it.
    pick(opened->cmbCustomer, QStringLiteral("Amberline"));
    type(opened->txtOrderNumber, QStringLiteral("NEW-1"));
    addLine(opened, QStringLiteral("L1"), QStringLiteral("Smooth-CHAIR"), QStringLiteral("2"));
    nav->vsfgOrders->selectRowIndex(0);
    opened->btnSave->click();
    settle();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 3);
    EXPECT_EQ(nav->vsfgItems->columnCount(), 0);

    // A double-click on an order opens it.
    const QRect firstRow = nav->vsfgOrders->visualRect(nav->vsfgOrders->model()->index(0, 0));
    QTest::mouseDClick(nav->vsfgOrders->viewport(), Qt::LeftButton, {}, firstRow.center());
    opened = qobject_cast<OrderEntryForm *>(m_main->openedScreen(QStringLiteral("OrderEntry")));
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->txtOrderNumber->text(), nav->vsfgOrders->cell(0, 0));
}

TEST_F(OrderScreens, ANewOrderShowsNoShipToBeforeItsCustomer)
{
    OrderEntryForm *f = entry();
    for (QLineEdit *field : {f->txtShipTo, f->txtAddress1, f->txtCity, f->txtState, f->txtZip, f->txtPhone})
        EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    pick(f->cmbCustomer, QStringLiteral("Cedar Ridge"));
    EXPECT_EQ(f->txtCity->text(), QStringLiteral("Hickory"));
}

TEST_F(OrderScreens, WithHiddenPricesEnterGoesFromQtyToSave)
{
    core::Configuration c;
    c.hidePrices = true;
    core::setCurrentConfiguration(c);
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-9"));
    m_main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_main.get()));
    type(f->txtLine, QStringLiteral("L1"));
    pick(f->cmbStyle, QStringLiteral("1200-LOVE"));
    type(f->txtQty, QStringLiteral("2"));
    QTest::keyClick(f->txtQty, Qt::Key_Return);
    EXPECT_TRUE(f->btnSaveItem->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(f->vsfgItems->rowCount(), 1);
    EXPECT_EQ(m_messages.count(), 0);
}

TEST_F(OrderScreens, AnOrderWithoutDatesKeepsThemEmpty)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("DATED"));
    f->dtOrderDate->setDate(QDate(2024, 3, 5));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    f->btnSave->click();
    settle();
    f = newOrder(QStringLiteral("Amberline"), QStringLiteral("UNDATED"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    f->btnSave->click();
    settle();
    db().execute(QStringLiteral("UPDATE Orders SET OrderDate = NULL, DueDate = NULL WHERE OrderNumber = 'UNDATED'"));
    const auto idOf = [this](const char *number) {
        return db()
            .query(QStringLiteral("SELECT ID FROM Orders WHERE OrderNumber = '%1'").arg(QLatin1String(number)))
            .integer(QStringLiteral("ID"));
    };

    // The window shows a dated order first, then is reused for the undated one.
    f = entry();
    f->OpenOrder(idOf("DATED"));
    EXPECT_EQ(f->dtOrderDate->date(), QDate(2024, 3, 5));
    f->OpenOrder(idOf("UNDATED"));
    EXPECT_TRUE(f->dtOrderDate->text().trimmed().isEmpty());
    EXPECT_TRUE(f->dtDueDate->text().trimmed().isEmpty());
    f->btnSave->click();
    settle();
    data::Recordset saved =
        db().query(QStringLiteral("SELECT OrderDate, DueDate FROM Orders WHERE OrderNumber = 'UNDATED'"));
    EXPECT_TRUE(saved.value(QStringLiteral("OrderDate")).isNull());
    EXPECT_TRUE(saved.value(QStringLiteral("DueDate")).isNull());
}

TEST_F(OrderScreens, TheNavigatorRefreshLeavesNoOrderChosen)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("A1"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    f->btnSave->click();
    settle();
    OrderNavigatorForm *nav = navigator();
    nav->vsfgOrders->selectRowIndex(0);
    QTest::keyClick(nav->vsfgOrders, Qt::Key_Return);
    f = qobject_cast<OrderEntryForm *>(m_main->openedScreen(QStringLiteral("OrderEntry")));
    ASSERT_NE(f, nullptr);
    f->btnSave->click();
    settle();
    // The focus comes back to the orders grid, which must not choose row 1 again.
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(nav->vsfgOrders, &back);
    EXPECT_EQ(nav->vsfgOrders->currentRowIndex(), -1);
    EXPECT_EQ(nav->vsfgItems->columnCount(), 0);
    EXPECT_EQ(nav->Frame3->title(), QStringLiteral("Line Items"));
}

TEST_F(OrderScreens, SavingWithoutReportSelectionSaysSo)
{
    // A build with order entry but no production paperwork screens.
    shell::MainWindow bare;
    bare.registerScreen(QStringLiteral("OrderEntry"), [] { return new OrderEntryForm; });
    auto *f = qobject_cast<OrderEntryForm *>(bare.openScreen(QStringLiteral("OrderEntry")));
    pick(f->cmbCustomer, QStringLiteral("Amberline"));
    type(f->txtOrderNumber, QStringLiteral("PO-2"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    f->btnSave->click();
    settle();
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Orders")), 1);
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Not Available"));
    EXPECT_EQ(m_messages.last().text, QStringLiteral("\"Report Selection\" is not part of this build of Bunline yet."));
}

TEST_F(OrderScreens, QuestionsThatDestroyDefaultToNo)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-1"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    f->vsfgItems->setCurrentCell(0, 0);
    m_messages.answer(shell::MessageAnswer::No);
    f->btnDeleteItem->click();
    EXPECT_EQ(m_messages.last().defaultAnswer, shell::MessageAnswer::No);
    EXPECT_EQ(f->vsfgItems->rowCount(), 1);
    f->btnSave->click();
    settle();
    f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-1"));
    addLine(f, QStringLiteral("L1"), QStringLiteral("1200-SOFA"), QStringLiteral("1"));
    m_messages.answer(shell::MessageAnswer::No);
    f->btnSave->click();
    EXPECT_EQ(m_messages.last().title, QStringLiteral("Order Number Exists"));
    EXPECT_EQ(m_messages.last().defaultAnswer, shell::MessageAnswer::No);
    EXPECT_EQ(m_messages.unusedAnswers(), 0);
}

// A saved order opened again: its own ship-to and prices, no duplicate
// question, and the total stored after lines are deleted and edited.
TEST_F(OrderScreens, ReopeningAnOrderKeepsWhatItsOwn)
{
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("PO-7"));
    type(f->txtShipTo, QStringLiteral("Amberline Annex"));
    type(f->txtCity, QStringLiteral("Oxford"));
    for (const char *line : {"L1", "L2", "L3"}) {
        type(f->txtLine, QLatin1String(line));
        pick(f->cmbStyle, QStringLiteral("1200-SOFA"));
        type(f->txtQty, QStringLiteral("2"));
        type(f->txtPriceEach, QStringLiteral("120")); // a negotiated price, below the catalogue's $131.00
        f->btnSaveItem->click();
    }
    f->btnSave->click();
    settle();
    const qint64 id = db().query(QStringLiteral("SELECT ID FROM Orders")).integer(QStringLiteral("ID"));
    m_messages.clear();

    f = entry();
    f->OpenOrder(id);
    EXPECT_EQ(f->txtShipTo->text(), QStringLiteral("Amberline Annex")) << "not the customer's default";
    EXPECT_EQ(f->txtCity->text(), QStringLiteral("Oxford"));
    f->vsfgItems->setCurrentCell(1, 0);
    EXPECT_EQ(f->txtPriceEach->text(), QStringLiteral("$120.00")) << "the line's price, not the catalogue's";
    type(f->txtQty, QStringLiteral("5"));
    f->btnSaveItem->click();
    f->vsfgItems->setCurrentCell(0, 0);
    m_messages.answer(shell::MessageAnswer::Yes);
    f->btnDeleteItem->click();
    f->btnSave->click();
    settle();
    EXPECT_EQ(m_messages.count(), 1) << "only the delete question; a saved order is never a duplicate of itself";
    EXPECT_EQ(rows(QStringLiteral("SELECT * FROM Orders")), 1);
    data::Recordset order = db().query(QStringLiteral("SELECT Total, ShipTo FROM Orders"));
    EXPECT_DOUBLE_EQ(order.number(QStringLiteral("Total")), 5 * 120 + 2 * 120);
    EXPECT_EQ(order.text(QStringLiteral("ShipTo")), QStringLiteral("Amberline Annex"));
    EXPECT_DOUBLE_EQ(
        db().query(QStringLiteral("SELECT SUM(PriceExt) AS S FROM OrderItems")).number(QStringLiteral("S")), 840);
}

TEST_F(OrderScreens, TheNavigatorFollowsOrderEntryHoweverItCloses)
{
    OrderNavigatorForm *nav = navigator();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 0);
    OrderEntryForm *f = newOrder(QStringLiteral("Amberline"), QStringLiteral("X1"));
    f->btnExit->click();
    settle();
    db().execute(QStringLiteral(
        "INSERT INTO Orders (Customer, OrderNumber, Status, Total) VALUES ('Amberline', 'X2', 'Open', 0)"));
    f = entry();
    f->parentWidget()->close(); // the close box
    settle();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 1);
    f = entry();
    db().execute(QStringLiteral(
        "INSERT INTO Orders (Customer, OrderNumber, Status, Total) VALUES ('Amberline', 'X3', 'Open', 0)"));
    f->btnExit->click();
    settle();
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 2);

    // Enter in a search field runs Find.
    type(nav->txtOrderNumber, QStringLiteral("X3"));
    QTest::keyClick(nav->txtOrderNumber, Qt::Key_Return);
    EXPECT_EQ(nav->vsfgOrders->rowCount(), 1);
}

TEST_F(OrderScreens, TheNavigatorIsWideEnoughForItsColumns)
{
    data::addRow(db(), QStringLiteral("Orders"),
                 {{QStringLiteral("Customer"), QStringLiteral("Amberline")},
                  {QStringLiteral("OrderNumber"), QStringLiteral("A-2024-000123")},
                  {QStringLiteral("Status"), QStringLiteral("Open")},
                  {QStringLiteral("ShipTo"), QStringLiteral("Amberline Warehouse North")},
                  {QStringLiteral("ShipToAddress1"), QStringLiteral("1200 Industrial Parkway")},
                  {QStringLiteral("Total"), 1234.5}});
    OrderNavigatorForm *nav = navigator();
    QTest::qWait(10);
    const int columns = nav->vsfgOrders->horizontalHeader()->length();
    EXPECT_GE(nav->vsfgOrders->viewport()->width(), columns) << "every column shows";
    EXPECT_GE(nav->parentWidget()->width(), 600);
}

} // namespace
