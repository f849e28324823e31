#include "shipping/shipments.h"

#include "core/formats.h"
#include "data/database.h"
#include "data/transact.h"
#include "data/quoting.h"
#include "data/recordset.h"
#include "data/topiclock.h"

#include <QSet>
#include <cmath>

namespace shipping {

namespace {

using data::sqlNumber;

QDateTime midnight(const QDate &d)
{
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

} // namespace

QStringList customerNames(data::Database &db)
{
    QStringList names;
    for (data::Recordset rs = db.query(QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer")); !rs.isEOF();
         rs.moveNext())
        names << rs.text(QStringLiteral("Customer"));
    return names;
}

QString orderChoiceText(const QString &orderNumber, const QDate &orderDate)
{
    return orderNumber + QStringLiteral(" - ") + core::formatShortDate(orderDate);
}

std::vector<OrderChoice> openOrders(data::Database &db, const QString &customer)
{
    std::vector<OrderChoice> out;
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM Orders WHERE Customer = ") + data::sqlText(customer)
                                  + QStringLiteral(" AND Status = 'Open' ORDER BY OrderNumber"));
    for (; !rs.isEOF(); rs.moveNext())
        out.push_back(
            {rs.integer(QStringLiteral("ID")),
             orderChoiceText(rs.text(QStringLiteral("OrderNumber")), rs.dateTime(QStringLiteral("OrderDate")).date())});
    return out;
}

double OrderLine::open() const
{
    return core::roundQuantity(ordered - shipped);
}

std::vector<OrderLine> orderLines(data::Database &db, qint64 orderId)
{
    std::vector<OrderLine> out;
    data::Recordset rs =
        db.query(QStringLiteral("SELECT ItemNumber,OrderItems.Line,OrderItems.Qty,SUM(ShipmentItems.Qty) AS Shipped, "
                                "Style.Name,Style.Type,PriceEach,PriceExt FROM ((OrderItems LEFT JOIN ShipmentItems ON "
                                "OrderItems.OrderID = ShipmentItems.OrderID AND OrderItems.ItemNumber = "
                                "ShipmentItems.OrderLineItem) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) WHERE "
                                "OrderItems.OrderID = ")
                 + sqlNumber(orderId)
                 + QStringLiteral(" GROUP BY ItemNumber,Line,OrderItems.Qty,Style.Name,Style.Type,PriceEach,PriceExt "
                                  "ORDER BY ItemNumber "));
    for (; !rs.isEOF(); rs.moveNext()) {
        OrderLine l;
        l.itemNumber = int(rs.integer(QStringLiteral("ItemNumber")));
        l.line = rs.text(QStringLiteral("Line"));
        l.ordered = rs.number(QStringLiteral("Qty"));
        l.everShipped = !rs.isNull(QStringLiteral("Shipped"));
        l.shipped = core::roundQuantity(rs.number(QStringLiteral("Shipped")));
        l.style = rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type"));
        l.priceEach = rs.number(QStringLiteral("PriceEach"));
        l.priceExt = rs.number(QStringLiteral("PriceExt"));
        out.push_back(l);
    }
    return out;
}

bool loadShipment(data::Database &db, qint64 shipmentId, SavedShipment &out)
{
    data::Recordset rs = db.query(
        QStringLiteral("SELECT Shipments.Date,Orders.ID,Orders.OrderDate, Orders.Customer, Orders.OrderNumber, "
                       "Orders.ShipTo, Orders.ShipToAddress1, Orders.ShipToAddress2, Orders.ShipToCity, "
                       "Orders.ShipToState, Orders.ShipToZip FROM Shipments LEFT JOIN Orders ON Shipments.OrderID = "
                       "Orders.ID WHERE Shipments.ID = ")
        + sqlNumber(shipmentId));
    if (rs.isEmpty())
        return false;
    out = {};
    out.shipment.id = shipmentId;
    out.shipment.orderId = rs.integer(QStringLiteral("ID"));
    out.shipment.date = rs.dateTime(QStringLiteral("Date")).date();
    out.customer = rs.text(QStringLiteral("Customer"));
    out.orderNumber = rs.text(QStringLiteral("OrderNumber"));
    out.orderDate = rs.dateTime(QStringLiteral("OrderDate")).date();
    out.shipTo = rs.text(QStringLiteral("ShipTo"));
    out.address1 = rs.text(QStringLiteral("ShipToAddress1"));
    out.address2 = rs.text(QStringLiteral("ShipToAddress2"));
    out.city = rs.text(QStringLiteral("ShipToCity"));
    out.state = rs.text(QStringLiteral("ShipToState"));
    out.zip = rs.text(QStringLiteral("ShipToZip"));
    for (data::Recordset lines =
             db.query(QStringLiteral("SELECT * FROM ShipmentItems WHERE ShipmentID = ") + sqlNumber(shipmentId));
         !lines.isEOF(); lines.moveNext())
        out.shipment.lines.push_back(
            {int(lines.integer(QStringLiteral("OrderLineItem"))), lines.number(QStringLiteral("Qty"))});
    return true;
}

void UpdateOrderStatus(data::Database &db, qint64 orderId)
{
    data::Recordset rs = db.query(
        QStringLiteral("SELECT OrderItems.OrderID,ItemNumber,OrderItems.Qty AS Ordered,SUM(ShipmentItems.qty) As "
                       "Shipped From (OrderItems LEFT JOIN ShipmentItems ON OrderItems.OrderID = ShipmentItems.OrderID "
                       "AND OrderItems.ItemNumber = ShipmentItems.OrderLineItem) WHERE OrderItems.OrderID = ")
        + sqlNumber(orderId) + QStringLiteral(" Group By OrderItems.OrderID, ItemNumber,OrderItems.qty "));
    bool complete = true;
    for (; !rs.isEOF() && complete; rs.moveNext())
        complete = core::roundQuantity(rs.number(QStringLiteral("Shipped")))
            >= core::roundQuantity(rs.number(QStringLiteral("Ordered")));
    db.execute(
        QStringLiteral("UPDATE Orders SET Status = %1 WHERE ID = %2")
            .arg(data::sqlText(complete ? QStringLiteral("Closed") : QStringLiteral("Open")), sqlNumber(orderId)));
}

namespace {

// "order PO-3001 (ID 3001)", or "order 3001" when it has no number.
QString orderName(data::Database &db, qint64 orderId)
{
    const data::Recordset rs =
        db.query(QStringLiteral("SELECT OrderNumber FROM Orders WHERE ID = ") + sqlNumber(orderId));
    const QString number = rs.isEmpty() ? QString() : rs.text(QStringLiteral("OrderNumber")).trimmed();
    return number.isEmpty() ? QStringLiteral("order %1").arg(orderId)
                            : QStringLiteral("order %1 (ID %2)").arg(number).arg(orderId);
}

// The order a shipment is written against: a saved shipment's own, which
// lines of another order cannot change.
qint64 shipmentOrder(data::Database &db, const Shipment &shipment)
{
    if (shipment.id == 0)
        return shipment.orderId;
    const data::Recordset header =
        db.query(QStringLiteral("SELECT OrderID FROM Shipments WHERE ID = ") + sqlNumber(shipment.id));
    if (header.isEmpty())
        throw ShipmentError(QStringLiteral("Shipment %1 no longer exists.").arg(shipment.id));
    const qint64 orderId = header.integer(QStringLiteral("OrderID"));
    if (shipment.orderId != 0 && shipment.orderId != orderId)
        throw ShipmentError(QStringLiteral("Shipment %1 belongs to %2; it cannot take the lines of %3.")
                                .arg(shipment.id)
                                .arg(orderName(db, orderId), orderName(db, shipment.orderId)));
    return orderId;
}

} // namespace

static qint64 saveShipmentOnce(data::Database &db, const Shipment &shipment)
{
    data::Transaction transaction(db);
    Shipment checked = shipment;
    checked.orderId = shipmentOrder(db, shipment);
    // What is still open is read under the order's lock, so two workstations
    // shipping the same order never both take the same quantity.
    data::lockRow(db, QStringLiteral("Orders"), checked.orderId);
    checkShipment(db, checked);

    data::Recordset header;
    if (checked.id != 0) {
        header = db.query(QStringLiteral("SELECT * FROM Shipments WHERE ID = ") + sqlNumber(checked.id));
    } else {
        header = db.query(QStringLiteral("SELECT TOP 1 *  FROM Shipments"));
        header.addNew();
        header.setValue(QStringLiteral("OrderID"), checked.orderId);
    }
    header.setValue(QStringLiteral("Date"), midnight(checked.date));
    header.update();
    const qint64 id = header.integer(QStringLiteral("ID"));

    db.execute(QStringLiteral("DELETE FROM ShipmentItems WHERE ShipmentID = ") + sqlNumber(id));
    data::Recordset lines = db.query(QStringLiteral("SELECT TOP 1 * FROM ShipmentItems"));
    for (const ShipmentLine &l : checked.lines) {
        const double qty = core::roundQuantity(l.qty);
        if (qty == 0)
            continue;
        lines.addNew();
        lines.setValue(QStringLiteral("ShipmentID"), id);
        lines.setValue(QStringLiteral("OrderID"), checked.orderId);
        lines.setValue(QStringLiteral("OrderLineItem"), l.itemNumber);
        lines.setValue(QStringLiteral("Qty"), qty);
        lines.update();
    }
    UpdateOrderStatus(db, checked.orderId);
    transaction.commit();
    return id;
}

qint64 saveShipment(data::Database &db, const Shipment &shipment)
{
    return data::transact(db, [&] { return saveShipmentOnce(db, shipment); });
}

QString orderStatus(data::Database &db, qint64 orderId)
{
    data::Recordset rs = db.query(QStringLiteral("SELECT Status FROM Orders WHERE ID = ") + sqlNumber(orderId));
    return rs.isEmpty() ? QString() : rs.text(QStringLiteral("Status"));
}

void checkShipment(data::Database &db, const Shipment &shipment)
{
    data::Recordset order = db.query(QStringLiteral("SELECT ID FROM Orders WHERE ID = ") + sqlNumber(shipment.orderId));
    if (order.isEmpty())
        throw ShipmentError(QStringLiteral("There is no order %1.").arg(shipment.orderId));
    std::vector<OrderLine> lines = orderLines(db, shipment.orderId);
    // A shipment being edited gives its own quantities back to the lines.
    SavedShipment saved;
    if (shipment.id != 0 && loadShipment(db, shipment.id, saved))
        for (const ShipmentLine &s : saved.shipment.lines)
            for (OrderLine &l : lines)
                if (l.itemNumber == s.itemNumber)
                    l.shipped = core::roundQuantity(l.shipped - s.qty);
    bool any = false;
    QSet<int> seen;
    for (const ShipmentLine &s : shipment.lines) {
        const auto line =
            std::find_if(lines.begin(), lines.end(), [&](const OrderLine &l) { return l.itemNumber == s.itemNumber; });
        if (line == lines.end())
            throw ShipmentError(QStringLiteral("Order %1 has no item %2.").arg(shipment.orderId).arg(s.itemNumber));
        if (seen.contains(s.itemNumber))
            throw ShipmentError(QStringLiteral("Item %1 is named twice.").arg(s.itemNumber));
        seen.insert(s.itemNumber);
        const double qty = core::roundQuantity(s.qty);
        if (!std::isfinite(qty))
            throw ShipmentError(QStringLiteral("Item %1: the quantity is not a number.").arg(s.itemNumber));
        if (qty < 0)
            throw ShipmentError(QStringLiteral("Item %1: a shipped quantity cannot be negative.").arg(s.itemNumber));
        if (qty > line->open())
            throw ShipmentError(QStringLiteral("Item %1: %2 is more than the %3 still open.")
                                    .arg(s.itemNumber)
                                    .arg(core::formatQuantity(qty), core::formatQuantity(std::max(0.0, line->open()))));
        any = any || qty != 0;
    }
    if (!any)
        throw ShipmentError(QStringLiteral("No Items to save."));
}

} // namespace shipping
