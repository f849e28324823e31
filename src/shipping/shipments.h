#pragma once

// Shipments against an order and the order's status that follows from them.
// Widget-free: the shipment entry screen and bunlinectl save through here.

#include <QDate>
#include <QString>
#include <stdexcept>
#include <vector>

namespace data {
class Database;
} // namespace data

namespace shipping {

// A refusal fit for the user ("Item 2 has only 7 still open.").
class ShipmentError : public std::runtime_error {
public:
    explicit ShipmentError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// One line of an order with what its shipments have taken so far.
struct OrderLine {
    int itemNumber = 0;
    QString line;
    double ordered = 0;
    double shipped = 0;       // over every shipment
    bool everShipped = false; // false: no shipment has touched the line
    QString style;            // Name-Type
    double priceEach = 0;
    double priceExt = 0;
    // What is still open, to the quantities' four decimals.
    double open() const;
};

// An order offered for shipping: "PO-1 - 3/2/2026" with its ID.
struct OrderChoice {
    qint64 id = 0;
    QString text;
};

struct ShipmentLine {
    int itemNumber = 0;
    double qty = 0;
};

struct Shipment {
    qint64 id = 0; // 0: a new shipment
    qint64 orderId = 0;
    QDate date;
    std::vector<ShipmentLine> lines;
};

// A saved shipment as the entry screen loads it, with its order.
struct SavedShipment {
    Shipment shipment;
    QString customer;
    QString orderNumber;
    QDate orderDate;
    QString shipTo, address1, address2, city, state, zip;
};

QStringList customerNames(data::Database &db);
// The customer's open orders, by order number.
std::vector<OrderChoice> openOrders(data::Database &db, const QString &customer);
QString orderChoiceText(const QString &orderNumber, const QDate &orderDate);
// Every line of the order by item number, with the quantity shipped so far.
std::vector<OrderLine> orderLines(data::Database &db, qint64 orderId);
// False when there is no such shipment.
bool loadShipment(data::Database &db, qint64 shipmentId, SavedShipment &out);

// Sets the order "Closed" when every line has been shipped in full, "Open"
// otherwise, whatever it was before ("Void" included).
void UpdateOrderStatus(data::Database &db, qint64 orderId);

// Writes the shipment (its header, its non-zero lines replacing any it had,
// the order's status) as one transaction and answers its ID. Inside it, under
// the order's lock, the lines are checked as checkShipment does against what
// is open at that moment; a saved shipment stays on the order it was saved
// against, and lines of another order are refused. A refusal throws
// ShipmentError and, like any failure, leaves the shipments and the order as
// they were. Quantities are stored to four decimals.
qint64 saveShipment(data::Database &db, const Shipment &shipment);

// The order's status text.
QString orderStatus(data::Database &db, qint64 orderId);

// Refuses a shipment that names an unknown item, a negative quantity or more
// than is open on a line (counting only other shipments), naming the item and
// what is still open.
void checkShipment(data::Database &db, const Shipment &shipment);

} // namespace shipping
