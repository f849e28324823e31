#include "shipping/shipmententryform.h"

#include "shipping/shipmentnavigatorform.h"
#include "shipping/orderpicklist.h"
#include "shipping/shipments.h"

#include "core/clock.h"
#include "core/formats.h"
#include "core/vbnumeric.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/formlayout.h"
#include "shell/datefield.h"
#include "shell/grid.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shipping {

using shell::named;

namespace {

const QStringList kHeaders = {QStringLiteral("Item Number"),   QStringLiteral("Qty Ordered"),
                              QStringLiteral("Prev. Shipped"), QStringLiteral("This Shipment"),
                              QStringLiteral("Style"),         QStringLiteral("Price Each"),
                              QStringLiteral("Price Ext.")};

} // namespace

ShipmentEntryForm::ShipmentEntryForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmShipmentEntry"));
    setWindowTitle(QStringLiteral("Shipment Entry"));
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = named(new QGroupBox(QStringLiteral("Order Info")), "Frame1");
    txtID = named(new QLineEdit, "txtID");
    txtID->setReadOnly(true);
    dtDate = shell::dateField("dtDate");
    cmbCustomer = named(new QComboBox, "cmbCustomer");
    cmbCustomer->setMinimumWidth(220);
    cmbOrder = named(new QComboBox, "cmbOrder");
    cmbOrder->setMinimumWidth(220);
    cmbOrderID = named(new QComboBox, "cmbOrderID");
    cmbOrderID->setVisible(false);
    txtShipTo = named(new QLineEdit, "txtShipTo");
    txtAddress1 = named(new QLineEdit, "txtAddress1");
    txtAddress2 = named(new QLineEdit, "txtAddress2");
    txtCity = named(new QLineEdit, "txtCity");
    txtState = named(new QLineEdit, "txtState");
    txtState->setMaximumWidth(40);
    txtZip = named(new QLineEdit, "txtZip");
    txtZip->setMaximumWidth(90);

    auto *info = new QGridLayout(Frame1);
    info->addWidget(shell::buddyLabel(QStringLiteral("Shipment ID"), txtID), 0, 0);
    info->addWidget(txtID, 0, 1);
    info->addWidget(shell::buddyLabel(QStringLiteral("Shipment Date"), dtDate), 1, 0);
    info->addWidget(dtDate, 1, 1);
    info->addWidget(shell::buddyLabel(QStringLiteral("Customer"), cmbCustomer), 2, 0);
    info->addWidget(cmbCustomer, 2, 1);
    info->addWidget(shell::buddyLabel(QStringLiteral("Order Number"), cmbOrder), 3, 0);
    info->addWidget(cmbOrder, 3, 1);
    info->addWidget(shell::buddyLabel(QStringLiteral("Ship To"), txtShipTo), 0, 2);
    info->addWidget(txtShipTo, 0, 3, 1, 3);
    info->addWidget(shell::buddyLabel(QStringLiteral("Address 1"), txtAddress1), 1, 2);
    info->addWidget(txtAddress1, 1, 3, 1, 3);
    info->addWidget(shell::buddyLabel(QStringLiteral("Address 2"), txtAddress2), 2, 2);
    info->addWidget(txtAddress2, 2, 3, 1, 3);
    info->addWidget(shell::buddyLabel(QStringLiteral("City/St/Zip"), txtCity), 3, 2);
    info->addWidget(txtCity, 3, 3);
    info->addWidget(txtState, 3, 4);
    info->addWidget(txtZip, 3, 5);
    info->addWidget(cmbOrderID, 4, 0);

    Frame2 = named(new QGroupBox(QStringLiteral("Shipment Selection")), "Frame2");
    vsfgItems = named(new shell::Grid({}), "vsfgItems");
    vsfgItems->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                               | QAbstractItemView::AnyKeyPressed);
    vsfgItems->setSelectionBehavior(QAbstractItemView::SelectItems);
    btnShipAll = named(new QPushButton(QStringLiteral("Ship All")), "btnShipAll");
    btnSave = named(new QPushButton(QStringLiteral("Save and Close")), "btnSave");
    btnExit = named(new QPushButton(QStringLiteral("Exit")), "btnExit");
    auto *selection = new QVBoxLayout(Frame2);
    selection->addWidget(vsfgItems);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnShipAll);
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnExit);
    selection->addLayout(buttons);

    auto *main = new QVBoxLayout(this);
    main->addWidget(Frame1);
    main->addWidget(Frame2, 1);

    setTabOrder(dtDate, cmbCustomer);
    setTabOrder(cmbCustomer, cmbOrder);
    setTabOrder(cmbOrder, txtShipTo);
    setTabOrder(txtShipTo, txtAddress1);
    setTabOrder(txtAddress1, txtAddress2);
    setTabOrder(txtAddress2, txtCity);
    setTabOrder(txtCity, txtState);
    setTabOrder(txtState, txtZip);
    setTabOrder(txtZip, vsfgItems);
    setTabOrder(vsfgItems, btnShipAll);
    setTabOrder(btnShipAll, btnSave);
    setTabOrder(btnSave, btnExit);

    shell::attachTypeAhead(cmbCustomer);
    shell::attachTypeAhead(cmbOrder);
    for (QLineEdit *e : {txtShipTo, txtAddress1, txtAddress2, txtCity, txtState, txtZip})
        shell::attachSelectOnFocus(e);

    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this] { customerChosen(); });
    connect(cmbOrder, &QComboBox::activated, this, [this](int index) {
        // An order chosen from the list starts a new shipment: the grid then
        // shows that order's lines with nothing of this shipment, and a
        // shipment that was open keeps its own order.
        txtID->clear();
        cmbOrderID->setCurrentIndex(index);
        FillOrder(chosenOrderId());
    });
    connect(vsfgItems, &QTableWidget::cellChanged, this, &ShipmentEntryForm::cellEdited);
    connect(btnShipAll, &QPushButton::clicked, this, [this] { shipAll(); });
    connect(btnSave, &QPushButton::clicked, this, [this] { save(); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);

    dtDate->setDate(core::currentDate());
    shell::reportingDbErrors([&] { cmbCustomer->addItems(customerNames(data::sharedDatabase())); }, this);
    cmbCustomer->setCurrentIndex(-1);
    resize(760, 480);
}

void ShipmentEntryForm::customerChosen()
{
    if (!cmbCustomer->currentText().isEmpty())
        fillOpenOrders(cmbOrder, cmbOrderID, cmbCustomer->currentText(), this);
}

qint64 ShipmentEntryForm::chosenOrderId() const
{
    return shipping::chosenOrderId(cmbOrderID);
}

void ShipmentEntryForm::FillOrder(qint64 orderId)
{
    if (cmbOrder->currentText().isEmpty())
        return;
    m_filling = true;
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            data::Recordset order =
                db.query(QStringLiteral("SELECT * FROM Orders WHERE ID = ") + data::sqlNumber(orderId));
            if (!order.isEmpty()) {
                txtShipTo->setText(order.text(QStringLiteral("ShipTo")));
                txtAddress1->setText(order.text(QStringLiteral("ShipToAddress1")));
                txtAddress2->setText(order.text(QStringLiteral("ShipToAddress2")));
                txtCity->setText(order.text(QStringLiteral("ShipToCity")));
                txtState->setText(order.text(QStringLiteral("ShipToState")));
                txtZip->setText(order.text(QStringLiteral("ShipToZip")));
            }
            vsfgItems->setHeaders(kHeaders);
            for (const OrderLine &l : orderLines(db, orderId)) {
                const int row = vsfgItems->addRow({QString::number(l.itemNumber), core::formatQuantity(l.ordered),
                                                   l.everShipped ? core::formatQuantity(l.shipped) : QString(),
                                                   QString(), l.style, core::formatMoneyCell(l.priceEach),
                                                   core::formatMoneyCell(l.priceEach * l.ordered)});
                // Only the quantity of this shipment is typed.
                for (int c = 0; c < vsfgItems->columnCount(); ++c)
                    if (QTableWidgetItem *item = vsfgItems->item(row, c))
                        item->setFlags(c == ColThisShipment ? item->flags() | Qt::ItemIsEditable
                                                            : item->flags() & ~Qt::ItemIsEditable);
            }
            vsfgItems->fit();
        },
        this);
    m_filling = false;
}

double ShipmentEntryForm::open(int row) const
{
    return core::roundQuantity(core::Val(vsfgItems->cell(row, ColOrdered))
                               - core::Val(vsfgItems->cell(row, ColPrevShipped)));
}

// A quantity that is no number, or more than is still open on the line,
// becomes 0; a negative one is refused with a message (it would add to what
// is open). What stays is shown to the quantities' four decimals.
void ShipmentEntryForm::cellEdited(int row, int column)
{
    if (m_filling || column != ColThisShipment)
        return;
    const QString text = vsfgItems->cell(row, column);
    QString shown = QStringLiteral("0");
    if (core::IsNumeric(text)) {
        const double qty = core::roundQuantity(core::Val(text));
        if (qty < 0)
            shell::showMessage(QStringLiteral("Invalid Information"),
                               QStringLiteral("This Shipment cannot be negative."), shell::MessageIcon::None,
                               shell::MessageButtons::Ok, this);
        else if (qty <= open(row))
            shown = core::formatQuantity(qty);
    }
    if (shown != text) {
        m_filling = true;
        vsfgItems->setCell(row, column, shown);
        m_filling = false;
    }
}

void ShipmentEntryForm::shipAll()
{
    m_filling = true;
    for (int row = 0; row < vsfgItems->rowCount(); ++row)
        vsfgItems->setCell(row, ColThisShipment, core::formatQuantity(std::max(0.0, open(row))));
    m_filling = false;
    vsfgItems->fit();
}

void ShipmentEntryForm::OpenShipment(qint64 shipmentId)
{
    if (shipmentId == 0)
        return;
    SavedShipment saved;
    if (!shell::reportingDbErrors(
            [&] {
                if (!loadShipment(data::sharedDatabase(), shipmentId, saved))
                    saved.shipment.id = 0;
            },
            this)
        || saved.shipment.id == 0)
        return;
    txtID->setText(QString::number(shipmentId));
    cmbCustomer->setCurrentIndex(cmbCustomer->findText(saved.customer, Qt::MatchFixedString));
    // The shipment's order is offered even when it is no longer open, so the
    // shipment can be corrected and saved like any other.
    const QString id = QString::number(saved.shipment.orderId);
    int index = cmbOrderID->findText(id);
    if (index < 0) {
        cmbOrder->addItem(orderChoiceText(saved.orderNumber, saved.orderDate));
        cmbOrderID->addItem(id);
        index = cmbOrder->count() - 1;
    }
    cmbOrder->setCurrentIndex(index);
    cmbOrderID->setCurrentIndex(index);
    dtDate->setDate(saved.shipment.date);
    FillOrder(saved.shipment.orderId);
    m_filling = true;
    for (const ShipmentLine &l : saved.shipment.lines)
        for (int row = 0; row < vsfgItems->rowCount(); ++row)
            if (core::Val(vsfgItems->cell(row, ColItem)) == l.itemNumber) {
                vsfgItems->setCell(row, ColThisShipment, core::formatQuantity(l.qty));
                vsfgItems->setCell(row, ColPrevShipped,
                                   core::formatQuantity(core::Val(vsfgItems->cell(row, ColPrevShipped)) - l.qty));
            }
    m_filling = false;
    vsfgItems->fit();
}

void ShipmentEntryForm::save()
{
    Shipment shipment;
    shipment.id = txtID->text().toLongLong();
    shipment.orderId = chosenOrderId();
    shipment.date = dtDate->date();
    bool any = false;
    for (int row = 0; row < vsfgItems->rowCount(); ++row) {
        const double qty = core::Val(vsfgItems->cell(row, ColThisShipment));
        shipment.lines.push_back({int(core::Val(vsfgItems->cell(row, ColItem))), qty});
        any = any || qty != 0;
    }
    if (!any || vsfgItems->rowCount() == 0 || cmbCustomer->currentText().isEmpty() || shipment.orderId == 0) {
        shell::showMessage(QStringLiteral("Unable to Save"), QStringLiteral("No Items to save."),
                           shell::MessageIcon::None);
        return;
    }
    bool saved = false;
    shell::reportingDbErrors(
        [&] {
            try {
                txtID->setText(QString::number(saveShipment(data::sharedDatabase(), shipment)));
                saved = true;
            } catch (const ShipmentError &e) {
                shell::showMessage(QStringLiteral("Unable to Save"), e.text(), shell::MessageIcon::Warning);
            }
        },
        this);
    if (saved)
        close();
}

void ShipmentEntryForm::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    refreshShipmentNavigator();
}

} // namespace shipping
