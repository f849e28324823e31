#pragma once

#include "data/recordset.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <stdexcept>
#include <unordered_map>
#include <vector>

namespace data {
class Database;
} // namespace data

// Orders and their lines as order entry and the order navigator read and write
// them: plain functions, no widgets.
namespace orders {

struct StyleChoice {
    qint64 id = 0;
    QString text;     // Name-Type
    double price = 0; // the catalogue price (0 when the style has none)
};

struct OrderLine {
    int itemNumber = 0;
    QString line;
    double qty = 0;
    QString styleText;
    qint64 styleId = 0;
    double priceEach = 0;
    double priceExt() const { return qty * priceEach; }
};

struct ShipTo {
    QString name, address1, address2, city, state, zip, phone, fax;
};

struct OrderHeader {
    std::optional<qint64> id; // empty for an order not saved yet
    QString customer;
    QString orderNumber;
    QDate orderDate;
    QDate dueDate;
    QString status;
    ShipTo shipTo;
    double total = 0;
};

// Customers that new work may be entered for.
QStringList activeCustomers(data::Database &db);
// The customer's default ship-to; nothing when there is no such customer.
std::optional<ShipTo> customerShipTo(data::Database &db, const QString &customer);
// The customer's active styles in name and type order.
std::vector<StyleChoice> customerStyles(data::Database &db, const QString &customer);

// An order with its lines (computed extensions); nothing when the ID is unknown.
std::optional<OrderHeader> loadOrder(data::Database &db, qint64 id);
std::vector<OrderLine> loadLines(data::Database &db, qint64 orderId);

// Whether the customer already has an order with this number.
bool orderNumberExists(data::Database &db, const QString &customer, const QString &orderNumber);

// A save the data refuse (the lines of an invoiced order changed); the
// message names the order and the invoice and is fit for the user. Nothing
// has been written.
class OrderError : public std::runtime_error {
public:
    explicit OrderError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// The invoice an order is on; nothing when it is on none.
std::optional<qint64> invoiceOfOrder(data::Database &db, qint64 orderId);
// "Order PO-1 is on invoice 5; its lines cannot be changed."
QString invoicedLinesMessage(const QString &orderNumber, qint64 invoice);

// Writes the header, replaces every line and, for a new order, queues it for
// upload - all in one transaction, so a failure leaves the order as it was.
// A new order is stored "Open" and gets the database's key, or MAX(ID) + 1
// when localIds is set (taken inside the transaction). An existing order keeps
// its number; its status is the given one ("Open" when empty). The lines of
// an order on an invoice are what the invoice printed: a save that changes
// them (quantity, price, style, line text, a line added or deleted) is
// refused with OrderError, checked under the order's lock; its header still
// saves. Answers the ID.
qint64 saveOrder(data::Database &db, const OrderHeader &header, const std::vector<OrderLine> &lines, bool localIds,
                 const QDate &today);

QStringList plantNames(data::Database &db);

// The navigator's search.
struct SearchCriteria {
    QString customer;
    QString status;
    bool useOrderDate = false;
    QDate startDate;
    QDate endDate;
    QString orderNumber;
};
QString searchStatement(const SearchCriteria &criteria);

// The orders a search found, read a page at a time as they are shown: the
// search itself reads only their keys, in order, so a search that finds every
// order of the last years answers at once. Reads raise DbError.
class FoundOrders {
public:
    FoundOrders(data::Database &db, const SearchCriteria &criteria);

    int count() const { return int(m_ids.size()); }
    qint64 id(int row) const { return m_ids[size_t(row)]; }
    // A column of the found order at row (its page read when first needed).
    QVariant value(int row, const QString &column);

    static constexpr int kPageRows = 250;

private:
    struct Page {
        data::Recordset rows;
        std::unordered_map<qint64, int> at; // order ID -> row of the page
    };
    data::Database *m_db;
    std::vector<qint64> m_ids;
    std::map<int, Page> m_pages;
};

// "Ship To, Address1, [Address2, ]City, State Zip"
QString shipToText(const ShipTo &shipTo);

} // namespace orders
