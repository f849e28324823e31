#include "shipping/shipmentnavigatorform.h"

#include "shipping/shipmententryform.h"
#include "shipping/shipments.h"

#include "core/clock.h"
#include "core/cursor.h"
#include "core/formats.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/formlayout.h"
#include "shell/datefield.h"
#include "shell/enterkey.h"
#include "shell/listgrid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/navigatorlayout.h"
#include "shell/typeahead.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace shipping {

using shell::named;

namespace {

QPointer<ShipmentNavigatorForm> g_navigator;

const QStringList kItemHeaders = {QStringLiteral("Item Number"), QStringLiteral("Qty Ordered"),
                                  QStringLiteral("Qty Shipped"), QStringLiteral("Part No."),
                                  QStringLiteral("Price Each"),  QStringLiteral("Price Ext.")};

} // namespace

bool shipmentNavigatorOpen()
{
    return !g_navigator.isNull();
}

void refreshShipmentNavigator()
{
    if (g_navigator)
        g_navigator->UpdateGrids();
}

QString shipmentSearchStatement(const ShipmentCriteria &c)
{
    QStringList clauses;
    if (!c.customer.isEmpty())
        clauses << QStringLiteral(" Orders.Customer = ") + data::sqlText(c.customer);
    // Dates go in as ISO text, which every backend reads one way.
    if (c.useShipDate)
        clauses << QStringLiteral(" Shipments.Date >= %1 AND Shipments.Date <= %2")
                       .arg(data::sqlDate(c.startDate), data::sqlDate(c.endDate));
    if (!c.orderNumber.isEmpty())
        clauses << QStringLiteral(" Orders.OrderNumber Like ") + data::sqlLikeContains(c.orderNumber);
    QString statement = QStringLiteral(
        "SELECT Shipments.ID AS ShipmentID,Shipments.Date,Orders.ID AS OrderID,Orders.Customer,Orders.OrderNumber,"
        "Orders.ShipTo,Orders.ShipToAddress1,Orders.ShipToAddress2,Orders.ShipToCity,Orders.ShipToState,"
        "Orders.ShipToZip FROM Shipments LEFT JOIN Orders ON Shipments.OrderID = Orders.ID ");
    if (!clauses.isEmpty())
        statement += QStringLiteral(" WHERE ") + clauses.join(QStringLiteral(" AND "));
    return statement + QStringLiteral(" ORDER BY Orders.Customer, Orders.OrderNumber");
}

QString shipToLine(const QString &shipTo, const QString &address1, const QString &address2, const QString &city,
                   const QString &state, const QString &zip)
{
    return shipTo + QStringLiteral(", ") + address1 + QStringLiteral(", ") + address2 + QStringLiteral(", ") + city
        + QStringLiteral(", ") + state + QStringLiteral("  ") + zip;
}

ShipmentNavigatorForm::ShipmentNavigatorForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmShipmentNavigator"));
    setWindowTitle(QStringLiteral("Shipment Navigator"));
    setAttribute(Qt::WA_DeleteOnClose);
    g_navigator = this;

    Frame1 = named(new QGroupBox(QStringLiteral("Search Criteria")), "Frame1");
    cmbCustomer = named(new QComboBox, "cmbCustomer");
    cmbCustomer->setMinimumWidth(200);
    chkShipDate = named(new QCheckBox(QStringLiteral("Ship Date")), "chkShipDate");
    dtStartDate = shell::dateField("dtStartDate");
    dtEndDate = shell::dateField("dtEndDate");
    txtOrderNumber = named(new QLineEdit, "txtOrderNumber");
    btnFind = named(new QPushButton(QStringLiteral("Find")), "btnFind");
    btnClear = named(new QPushButton(QStringLiteral("Clear")), "btnClear");
    btnExit = named(new QPushButton(QStringLiteral("Exit")), "btnExit");

    auto *criteriaBox = new QGridLayout(Frame1);
    criteriaBox->addWidget(shell::buddyLabel(QStringLiteral("Customer"), cmbCustomer), 0, 0);
    criteriaBox->addWidget(cmbCustomer, 0, 1, 1, 3);
    criteriaBox->addWidget(chkShipDate, 1, 0);
    criteriaBox->addWidget(dtStartDate, 1, 1);
    criteriaBox->addWidget(new QLabel(QStringLiteral("to")), 1, 2, Qt::AlignCenter);
    criteriaBox->addWidget(dtEndDate, 1, 3);
    criteriaBox->addWidget(shell::buddyLabel(QStringLiteral("Order Number"), txtOrderNumber), 2, 0);
    criteriaBox->addWidget(txtOrderNumber, 2, 1);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {btnFind, btnClear, btnExit})
        buttons->addWidget(b);
    criteriaBox->addLayout(buttons, 0, 4, 3, 1);
    criteriaBox->setColumnStretch(5, 1);

    Frame2 = named(new QGroupBox(QStringLiteral("Shipments")), "Frame2");
    vsfgShipments = named(
        new shell::ListGrid({QStringLiteral("Customer"), QStringLiteral("Order Number"), QStringLiteral("Shipment ID"),
                             QStringLiteral("Shipment Date"), QStringLiteral("Order ID"), QStringLiteral("Ship To")}),
        "vsfgShipments");
    (new QVBoxLayout(Frame2))->addWidget(vsfgShipments);
    Frame3 = named(new QGroupBox(QStringLiteral("Line Items")), "Frame3");
    vsfgItems = named(new shell::ListGrid(), "vsfgItems");
    (new QVBoxLayout(Frame3))->addWidget(vsfgItems);
    shell::layOutNavigator(this, Frame1, Frame2, Frame3);

    setTabOrder(cmbCustomer, chkShipDate);
    setTabOrder(chkShipDate, dtStartDate);
    setTabOrder(dtStartDate, dtEndDate);
    setTabOrder(dtEndDate, txtOrderNumber);
    setTabOrder(txtOrderNumber, btnFind);
    setTabOrder(btnFind, btnClear);
    setTabOrder(btnClear, btnExit);
    setTabOrder(btnExit, vsfgShipments);
    setTabOrder(vsfgShipments, vsfgItems);

    shell::attachTypeAhead(cmbCustomer);
    shell::attachSelectOnFocus(txtOrderNumber);
    btnFind->setDefault(true);

    connect(btnFind, &QPushButton::clicked, this, &ShipmentNavigatorForm::UpdateGrids);
    connect(btnClear, &QPushButton::clicked, this, [this] { clearCriteria(); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
    connect(vsfgShipments, &shell::ListGrid::currentRowChanged, this, [this](int row) { shipmentSelected(row); });
    connect(vsfgShipments, &shell::ListGrid::openRequested, this, [this] { openSelected(); });
    shell::onEnterKey(vsfgShipments, [this] { openSelected(); });

    shell::reportingDbErrors([&] { cmbCustomer->addItems(customerNames(data::sharedDatabase())); }, this);
    cmbCustomer->setCurrentIndex(-1);
    resize(800, 600);
    UpdateGrids();
}

ShipmentNavigatorForm::~ShipmentNavigatorForm()
{
    g_navigator = nullptr;
}

// At the top left of the work area, 90% of the main window's width and height.
void ShipmentNavigatorForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    shell::placeAtTopLeft(this, [](const QSize &main) { return main * 0.9; });
}

ShipmentCriteria ShipmentNavigatorForm::criteria() const
{
    ShipmentCriteria c;
    c.customer = cmbCustomer->currentIndex() >= 0 ? cmbCustomer->currentText() : QString();
    c.useShipDate = chkShipDate->isChecked();
    c.startDate = dtStartDate->date();
    c.endDate = dtEndDate->date();
    c.orderNumber = txtOrderNumber->text();
    return c;
}

void ShipmentNavigatorForm::UpdateGrids()
{
    core::BusyCursor busy;
    std::vector<QStringList> rows;
    shell::reportingDbErrors(
        [&] {
            for (data::Recordset rs = data::sharedDatabase().query(shipmentSearchStatement(criteria())); !rs.isEOF();
                 rs.moveNext())
                rows.push_back(
                    {rs.text(QStringLiteral("Customer")), rs.text(QStringLiteral("OrderNumber")),
                     rs.text(QStringLiteral("ShipmentID")),
                     core::formatShortDate(rs.dateTime(QStringLiteral("Date")).date()),
                     rs.text(QStringLiteral("OrderID")),
                     shipToLine(rs.text(QStringLiteral("ShipTo")), rs.text(QStringLiteral("ShipToAddress1")),
                                rs.text(QStringLiteral("ShipToAddress2")), rs.text(QStringLiteral("ShipToCity")),
                                rs.text(QStringLiteral("ShipToState")), rs.text(QStringLiteral("ShipToZip")))});
        },
        this);
    vsfgShipments->setRows(std::move(rows));
    vsfgItems->setHeaders({});
}

void ShipmentNavigatorForm::shipmentSelected(int row)
{
    if (row < 0 || row >= vsfgShipments->rowCount())
        return;
    const qint64 id = vsfgShipments->cell(row, ColShipmentId).toLongLong();
    std::vector<QStringList> rows;
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs = data::sharedDatabase().query(
                QStringLiteral(
                    "SELECT Shipments.ID,Shipments.Date,Orders.ID,Orders.Customer,Orders.OrderNumber,Orders.ShipTo,"
                    "Orders.ShipToAddress1,Orders.ShipToAddress2,Orders.ShipToCity,Orders.ShipToState,Orders.ShipToZip,"
                    "OrderItems.ItemNumber, OrderItems.Qty AS OrderItemsQty, ShipmentItems.Qty AS ShipmentItemsQty,"
                    "Style.Name,Style.Type, OrderItems.PriceEach,OrderItems.PriceExt FROM ((((Shipments LEFT JOIN "
                    "ShipmentItems ON Shipments.ID = ShipmentItems.ShipmentID) LEFT JOIN Orders ON Shipments.OrderID = "
                    "Orders.ID) LEFT JOIN OrderItems ON ShipmentItems.OrderID = OrderItems.OrderID AND "
                    "ShipmentItems.OrderLineItem = OrderItems.ItemNumber) LEFT JOIN Style ON OrderItems.StyleID = "
                    "Style.ID) WHERE ShipmentID = ")
                + data::sqlNumber(id) + QStringLiteral(" ORDER BY OrderLineItem"));
            for (; !rs.isEOF(); rs.moveNext())
                rows.push_back({rs.text(QStringLiteral("ItemNumber")),
                                core::formatQuantity(rs.number(QStringLiteral("OrderItemsQty"))),
                                core::formatQuantity(rs.number(QStringLiteral("ShipmentItemsQty"))),
                                rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type")),
                                core::formatMoneyCell(rs.number(QStringLiteral("PriceEach"))),
                                core::formatMoneyCell(rs.number(QStringLiteral("PriceExt")))});
        },
        this);
    vsfgItems->setHeaders(kItemHeaders);
    vsfgItems->setRows(std::move(rows));
}

void ShipmentNavigatorForm::openSelected()
{
    const int row = vsfgShipments->currentRowIndex();
    auto *entry = qobject_cast<ShipmentEntryForm *>(shell::openScreen(QStringLiteral("ShipmentEntry")));
    if (entry && row >= 0 && row < vsfgShipments->rowCount())
        entry->OpenShipment(vsfgShipments->cell(row, ColShipmentId).toLongLong());
}

void ShipmentNavigatorForm::clearCriteria()
{
    cmbCustomer->setCurrentIndex(-1);
    txtOrderNumber->clear();
    chkShipDate->setChecked(false);
    UpdateGrids();
    Frame3->setTitle(QStringLiteral("Line Items"));
}

} // namespace shipping
