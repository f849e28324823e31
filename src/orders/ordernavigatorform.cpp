#include "orders/ordernavigatorform.h"

#include "orders/orderentryform.h"

#include "data/database.h"
#include "data/quoting.h"
#include "core/clock.h"
#include "core/configuration.h"
#include "core/cursor.h"
#include "shell/formlayout.h"
#include "shell/datefield.h"
#include "shell/defaultbutton.h"
#include "shell/enterkey.h"
#include "core/formats.h"
#include "shell/listgrid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/navigatorlayout.h"
#include "shell/typeahead.h"

#include <QCheckBox>
#include <array>
#include <memory>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPushButton>
#include <QVBoxLayout>

namespace orders {

using shell::named;

namespace {

enum OrderColumn {
    ColNumber,
    ColCustomer,
    ColOrderDate,
    ColDueDate,
    ColStatus,
    ColTotal,
    ColShipTo,
    ColPhone,
    ColFax,
    ColDateAdded,
    ColOrderId
};
enum ItemColumn { ItemPriceEach = 4, ItemPriceExt = 5 };

const QStringList kItemHeaders = {QStringLiteral("Item Number"), QStringLiteral("Style"),
                                  QStringLiteral("Qty Ordered"), QStringLiteral("Qty Shipped"),
                                  QStringLiteral("Price Each"),  QStringLiteral("Price Ext.")};

} // namespace

OrderNavigatorForm::OrderNavigatorForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmOrderNavigator"));
    setWindowTitle(QStringLiteral("Order Navigator"));
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = named(new QGroupBox(QStringLiteral("Search Criteria")), "Frame1");
    cmbCustomer = named(new QComboBox, "cmbCustomer");
    cmbCustomer->setMinimumWidth(200);
    cmbStatus = named(new QComboBox, "cmbStatus");
    chkOrderDate = named(new QCheckBox(QStringLiteral("Order Date")), "chkOrderDate");
    dtStartDate = shell::dateField("dtStartDate");
    dtEndDate = shell::dateField("dtEndDate");
    txtOrderNumber = named(new QLineEdit, "txtOrderNumber");
    btnFind = named(new QPushButton(QStringLiteral("Find")), "btnFind");
    btnClear = named(new QPushButton(QStringLiteral("Clear")), "btnClear");
    btnAddNew = named(new QPushButton(QStringLiteral("Add New")), "btnAddNew");
    btnExit = named(new QPushButton(QStringLiteral("Exit")), "btnExit");

    auto *criteria = new QGridLayout(Frame1);
    criteria->addWidget(shell::buddyLabel(QStringLiteral("Customer"), cmbCustomer), 0, 0);
    criteria->addWidget(cmbCustomer, 0, 1, 1, 3);
    criteria->addWidget(shell::buddyLabel(QStringLiteral("Status"), cmbStatus), 1, 0);
    criteria->addWidget(cmbStatus, 1, 1);
    criteria->addWidget(chkOrderDate, 2, 0);
    criteria->addWidget(dtStartDate, 2, 1);
    criteria->addWidget(new QLabel(QStringLiteral("to")), 2, 2, Qt::AlignCenter);
    criteria->addWidget(dtEndDate, 2, 3);
    criteria->addWidget(shell::buddyLabel(QStringLiteral("Order Number"), txtOrderNumber), 3, 0);
    criteria->addWidget(txtOrderNumber, 3, 1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {btnFind, btnClear, btnAddNew, btnExit})
        buttons->addWidget(b);
    criteria->addLayout(buttons, 0, 4, 4, 1);
    criteria->setColumnStretch(5, 1);

    Frame2 = named(new QGroupBox(QStringLiteral("Orders")), "Frame2");
    vsfgOrders = named(
        new shell::ListGrid({QStringLiteral("Order Number"), QStringLiteral("Customer"), QStringLiteral("Order Date"),
                             QStringLiteral("Due Date"), QStringLiteral("Status"), QStringLiteral("Total"),
                             QStringLiteral("Ship To"), QStringLiteral("Ship To Phone"), QStringLiteral("Ship To Fax"),
                             QStringLiteral("Date Added"), QStringLiteral("OrderID")}),
        "vsfgOrders");
    (new QVBoxLayout(Frame2))->addWidget(vsfgOrders);
    Frame3 = named(new QGroupBox(QStringLiteral("Line Items")), "Frame3");
    vsfgItems = named(new shell::ListGrid(), "vsfgItems");
    (new QVBoxLayout(Frame3))->addWidget(vsfgItems);

    shell::layOutNavigator(this, Frame1, Frame2, Frame3);

    setTabOrder(cmbCustomer, cmbStatus);
    setTabOrder(cmbStatus, chkOrderDate);
    setTabOrder(chkOrderDate, dtStartDate);
    setTabOrder(dtStartDate, dtEndDate);
    setTabOrder(dtEndDate, txtOrderNumber);
    setTabOrder(txtOrderNumber, btnFind);
    setTabOrder(btnFind, btnClear);
    setTabOrder(btnClear, btnAddNew);
    setTabOrder(btnAddNew, btnExit);
    setTabOrder(btnExit, vsfgOrders);
    setTabOrder(vsfgOrders, vsfgItems);

    shell::attachTypeAhead(cmbCustomer);
    shell::attachSelectOnFocus(txtOrderNumber);
    // Enter in the search fields runs Find (the grid takes Enter to open an order).
    shell::attachDefaultButton(this, btnFind);

    connect(btnFind, &QPushButton::clicked, this, &OrderNavigatorForm::UpdateGrids);
    connect(btnClear, &QPushButton::clicked, this, [this] { clearCriteria(); });
    connect(btnAddNew, &QPushButton::clicked, this, [] { shell::openScreen(QStringLiteral("OrderEntry")); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
    connect(vsfgOrders, &shell::ListGrid::currentRowChanged, this, [this](int row) { orderSelected(row); });
    // A double-click anywhere in the orders grid opens order entry, with the
    // selected order when there is one; Enter does the same from the keyboard.
    connect(vsfgOrders, &shell::ListGrid::openRequested, this, [this] { openSelected(); });
    shell::onEnterKey(vsfgOrders, [this] { openSelected(); });

    cmbStatus->addItems({QStringLiteral("Open"), QStringLiteral("Closed"), QStringLiteral("Void")});
    cmbStatus->setCurrentIndex(-1);
    shell::reportingDbErrors([&] { cmbCustomer->addItems(activeCustomers(data::sharedDatabase())); }, this);
    cmbCustomer->setCurrentIndex(-1);
    resize(600, 600);
    UpdateGrids();
}

// Placed at the top left of the work area, 9000 twips wide and 90% of the main
// window's height.
void OrderNavigatorForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    if (sub && shell::mainWindow()) {
        // Never so narrow that a column of the orders is hidden, nor wider
        // than the work area.
        const int frame = sub->width() - vsfgOrders->viewport()->width();
        const int columns =
            vsfgOrders->horizontalHeader()->length() + vsfgOrders->verticalScrollBar()->sizeHint().width();
        const QSize area = shell::mainWindow()->workArea()->viewport()->size();
        const int width = qMin(qMax(600, columns + frame), qMax(600, area.width()));
        const int height = qMin(int(shell::mainWindow()->height() * 0.9), qMax(400, area.height()));
        sub->setGeometry(0, 0, width, height);
    }
}

SearchCriteria OrderNavigatorForm::criteria() const
{
    SearchCriteria c;
    c.customer = cmbCustomer->currentIndex() >= 0 ? cmbCustomer->currentText() : QString();
    c.status = cmbStatus->currentIndex() >= 0 ? cmbStatus->currentText() : QString();
    c.useOrderDate = chkOrderDate->isChecked();
    c.startDate = dtStartDate->date();
    c.endDate = dtEndDate->date();
    c.orderNumber = txtOrderNumber->text();
    return c;
}

void OrderNavigatorForm::UpdateGrids()
{
    core::BusyCursor busy;
    emptyItems();
    m_lastStatement = searchStatement(criteria());
    std::shared_ptr<FoundOrders> found;
    shell::reportingDbErrors([&] { found = std::make_shared<FoundOrders>(data::sharedDatabase(), criteria()); }, this);
    if (!found) {
        vsfgOrders->setSource(0, {});
        return;
    }
    // Orders are read a page at a time as their rows are drawn or read.
    vsfgOrders->setSource(found->count(), [found](int r, int c) -> QString {
        try {
            auto text = [&](const char *column) {
                const QVariant v = found->value(r, QLatin1String(column));
                return v.isNull() ? QString() : v.toString();
            };
            auto date = [&](const char *column) {
                return core::formatShortDate(data::toDate(found->value(r, QLatin1String(column))));
            };
            switch (c) {
            case ColNumber:
                return text("OrderNumber");
            case ColCustomer:
                return text("Customer");
            case ColOrderDate:
                return date("OrderDate");
            case ColDueDate:
                return date("DueDate");
            case ColStatus:
                return text("Status");
            case ColTotal:
                return core::formatMoneyCell(found->value(r, QStringLiteral("Total")).toDouble());
            case ColShipTo:
                return shipToText({text("ShipTo"),
                                   text("ShipToAddress1"),
                                   text("ShipToAddress2"),
                                   text("ShipToCity"),
                                   text("ShipToState"),
                                   text("ShipToZip"),
                                   {},
                                   {}});
            case ColPhone:
                return text("ShipToPhone");
            case ColFax:
                return text("ShipToFax");
            case ColDateAdded:
                return date("DateAdded");
            case ColOrderId:
                return QString::number(found->id(r));
            }
        } catch (const data::DbError &) {
            // A page that cannot be read shows empty; the next search tries again.
        }
        return QString();
    });
    vsfgOrders->setColumnHidden(ColTotal, core::currentConfiguration().hidePrices);
}

void OrderNavigatorForm::emptyItems()
{
    vsfgItems->setHeaders({});
    Frame3->setTitle(QStringLiteral("Line Items"));
}

void OrderNavigatorForm::orderSelected(int row)
{
    if (row < 0 || row >= vsfgOrders->rowCount())
        return;
    const QString id = vsfgOrders->cell(row, ColOrderId);
    Frame3->setTitle(QStringLiteral("Order %1 Line Items").arg(vsfgOrders->cell(row, ColNumber)));
    vsfgItems->setHeaders(kItemHeaders);
    std::vector<QStringList> rows;
    shell::reportingDbErrors(
        [&] {
            // Lines in item order, each with what all shipments of the order took of it.
            data::Recordset rs = data::sharedDatabase().query(
                QStringLiteral(
                    "SELECT ItemNumber,OrderItems.Qty,ISNULL(SUM(ShipmentItems.Qty),0) AS Shipped, Style.Name, "
                    "Style.Type, PriceEach,PriceExt FROM ((OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = "
                    "ShipmentItems.OrderID AND OrderItems.ItemNumber = ShipmentItems.OrderLineItem) LEFT JOIN Style ON "
                    "OrderItems.StyleID = Style.ID) WHERE OrderItems.OrderID = %1 GROUP BY ItemNumber,OrderItems.Qty,"
                    "Style.Name,Style.Type,PriceEach,PriceExt ORDER BY ItemNumber")
                    .arg(data::sqlNumber(id.toLongLong())));
            for (; !rs.isEOF(); rs.moveNext())
                rows.push_back({rs.text(QStringLiteral("ItemNumber")),
                                rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type")),
                                core::formatQuantity(rs.number(QStringLiteral("Qty"))),
                                core::formatQuantity(rs.number(QStringLiteral("Shipped"))),
                                core::formatMoneyCell(rs.number(QStringLiteral("PriceEach"))),
                                core::formatMoneyCell(rs.number(QStringLiteral("PriceExt")))});
        },
        this);
    vsfgItems->setRows(std::move(rows));
    const bool hide = core::currentConfiguration().hidePrices;
    vsfgItems->setColumnHidden(ItemPriceEach, hide);
    vsfgItems->setColumnHidden(ItemPriceExt, hide);
}

void OrderNavigatorForm::openSelected()
{
    const int row = vsfgOrders->currentRowIndex();
    auto *entry = qobject_cast<OrderEntryForm *>(shell::openScreen(QStringLiteral("OrderEntry")));
    if (entry && row >= 0 && row < vsfgOrders->rowCount())
        entry->OpenOrder(vsfgOrders->cell(row, ColOrderId).toLongLong());
}

void OrderNavigatorForm::clearCriteria()
{
    cmbCustomer->setCurrentIndex(-1);
    cmbStatus->setCurrentIndex(-1);
    txtOrderNumber->clear();
    chkOrderDate->setChecked(false);
    UpdateGrids();
}

} // namespace orders
