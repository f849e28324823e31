#include "orders/orderstore.h"

#include "data/database.h"
#include "data/transact.h"
#include "data/quoting.h"
#include "data/topiclock.h"
#include "core/formats.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

using data::sqlNumber;
using data::sqlText;

namespace orders {

namespace {

ShipTo shipToFrom(const data::Recordset &rs, const QString &prefix)
{
    ShipTo s;
    s.name = rs.text(prefix);
    s.address1 = rs.text(prefix + QStringLiteral("Address1"));
    s.address2 = rs.text(prefix + QStringLiteral("Address2"));
    s.city = rs.text(prefix + QStringLiteral("City"));
    s.state = rs.text(prefix + QStringLiteral("State"));
    s.zip = rs.text(prefix + QStringLiteral("Zip"));
    s.phone = rs.text(prefix + QStringLiteral("Phone"));
    s.fax = rs.text(prefix + QStringLiteral("Fax"));
    return s;
}

QDateTime midnight(const QDate &d)
{
    return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
}

} // namespace

QStringList activeCustomers(data::Database &db)
{
    QStringList out;
    for (data::Recordset rs =
             db.query(QStringLiteral("SELECT Customer FROM Customer WHERE Status = 'Active' ORDER BY Customer"));
         !rs.isEOF(); rs.moveNext())
        out << rs.text(QStringLiteral("Customer"));
    return out;
}

std::optional<ShipTo> customerShipTo(data::Database &db, const QString &customer)
{
    const data::Recordset rs = db.query(QStringLiteral("SELECT * FROM Customer WHERE Customer = ") + sqlText(customer));
    if (rs.isEmpty())
        return std::nullopt;
    return shipToFrom(rs, QStringLiteral("ShipTo"));
}

std::vector<StyleChoice> customerStyles(data::Database &db, const QString &customer)
{
    std::vector<StyleChoice> out;
    for (data::Recordset rs =
             db.query(QStringLiteral("SELECT ID,Name,Type,Price FROM Style WHERE Status = 'Active' AND Customer = ")
                      + sqlText(customer) + QStringLiteral(" ORDER BY Name,Type"));
         !rs.isEOF(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("ID")),
                       rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type")),
                       rs.number(QStringLiteral("Price"))});
    return out;
}

std::optional<OrderHeader> loadOrder(data::Database &db, qint64 id)
{
    const data::Recordset rs = db.query(QStringLiteral("SELECT * FROM Orders WHERE ID = ") + sqlNumber(id));
    if (rs.isEmpty())
        return std::nullopt;
    OrderHeader h;
    h.id = rs.integer(QStringLiteral("ID"));
    h.customer = rs.text(QStringLiteral("Customer"));
    h.orderNumber = rs.text(QStringLiteral("OrderNumber"));
    h.orderDate = rs.dateTime(QStringLiteral("OrderDate")).date();
    h.dueDate = rs.dateTime(QStringLiteral("DueDate")).date();
    h.status = rs.text(QStringLiteral("Status"));
    h.shipTo = shipToFrom(rs, QStringLiteral("ShipTo"));
    h.total = rs.number(QStringLiteral("Total"));
    return h;
}

std::vector<OrderLine> loadLines(data::Database &db, qint64 orderId)
{
    std::vector<OrderLine> out;
    for (data::Recordset rs =
             db.query(QStringLiteral("SELECT OrderID,ItemNumber,Line,Qty,StyleID,PriceEach,PriceExt,Name,Type FROM "
                                     "OrderItems LEFT JOIN Style ON OrderItems.StyleID = Style.ID WHERE ORDERID = ")
                      + sqlNumber(orderId) + QStringLiteral(" ORDER BY ItemNumber"));
         !rs.isEOF(); rs.moveNext()) {
        OrderLine l;
        l.itemNumber = int(rs.integer(QStringLiteral("ItemNumber")));
        l.line = rs.text(QStringLiteral("Line"));
        l.qty = rs.number(QStringLiteral("Qty"));
        l.styleText = rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type"));
        l.styleId = rs.integer(QStringLiteral("StyleID"));
        l.priceEach = rs.number(QStringLiteral("PriceEach"));
        out.push_back(l);
    }
    return out;
}

bool orderNumberExists(data::Database &db, const QString &customer, const QString &orderNumber)
{
    return !db.query(QStringLiteral("SELECT * FROM Orders WHERE Customer = %1 AND OrderNumber = %2")
                         .arg(sqlText(customer), sqlText(orderNumber)))
                .isEmpty();
}

std::optional<qint64> invoiceOfOrder(data::Database &db, qint64 orderId)
{
    const data::Recordset rs =
        db.query(QStringLiteral("SELECT Invoice FROM InvoiceOrders WHERE OrderID = ") + sqlNumber(orderId));
    if (rs.isEmpty())
        return std::nullopt;
    return rs.integer(QStringLiteral("Invoice"));
}

QString invoicedLinesMessage(const QString &orderNumber, qint64 invoice)
{
    return QStringLiteral("Order %1 is on invoice %2; its lines cannot be changed.").arg(orderNumber).arg(invoice);
}

namespace {

bool sameLines(const std::vector<OrderLine> &a, const std::vector<OrderLine> &b)
{
    const auto same = [](const OrderLine &x, const OrderLine &y) {
        return x.itemNumber == y.itemNumber && x.line == y.line && x.styleId == y.styleId
            && core::roundQuantity(x.qty) == core::roundQuantity(y.qty) && std::fabs(x.priceEach - y.priceEach) < 1e-9;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same);
}

} // namespace

static qint64 saveOrderOnce(data::Database &db, const OrderHeader &header, const std::vector<OrderLine> &lines,
                            bool localIds, const QDate &today)
{
    data::Transaction tx(db);
    data::Recordset rs;
    bool keepLines = false;
    if (header.id) {
        // Held until the save commits, so the order cannot be invoiced between
        // the check below and the lines written.
        data::lockRow(db, QStringLiteral("Orders"), *header.id);
        rs = db.query(QStringLiteral("SELECT * FROM Orders WHERE ID = ") + sqlNumber(*header.id));
        if (rs.isEmpty())
            throw data::DbError(
                QStringLiteral("Order %1 no longer exists; it may have been deleted at another workstation.")
                    .arg(*header.id));
        if (const std::optional<qint64> invoice = invoiceOfOrder(db, *header.id)) {
            if (!sameLines(loadLines(db, *header.id), lines))
                throw OrderError(invoicedLinesMessage(rs.text(QStringLiteral("OrderNumber")), *invoice));
            keepLines = true;
        }
        rs.setValue(QStringLiteral("Status"), header.status.isEmpty() ? QStringLiteral("Open") : header.status);
    } else {
        rs = db.query(QStringLiteral("SELECT TOP 1 * FROM Orders"));
        rs.addNew();
        // Every new order takes its key under one lock, numbered here or by
        // the database: otherwise a MAX(ID) + 1 taken here and the database's
        // counter at another workstation hand out the same key at once.
        db.lockForNewKey(QStringLiteral("Orders"));
        if (localIds) {
            const data::Recordset max = db.query(QStringLiteral("SELECT MAX(ID) AS MaxID FROM Orders"));
            rs.setValue(QStringLiteral("ID"),
                        max.isNull(QStringLiteral("MaxID")) ? 1 : max.integer(QStringLiteral("MaxID")) + 1);
        }
        rs.setValue(QStringLiteral("Status"), QStringLiteral("Open"));
        rs.setValue(QStringLiteral("OrderNumber"), header.orderNumber);
    }
    rs.setValue(QStringLiteral("Customer"), header.customer);
    rs.setValue(QStringLiteral("OrderDate"), midnight(header.orderDate));
    rs.setValue(QStringLiteral("DueDate"), midnight(header.dueDate));
    const ShipTo &s = header.shipTo;
    const std::pair<const char *, QString> shipTo[] = {{"ShipTo", s.name},
                                                       {"ShipToAddress1", s.address1},
                                                       {"ShipToAddress2", s.address2},
                                                       {"ShipToCity", s.city},
                                                       {"ShipToState", s.state},
                                                       {"ShipToZip", s.zip},
                                                       {"ShipToPhone", s.phone},
                                                       {"ShipToFax", s.fax}};
    for (const auto &[column, value] : shipTo)
        rs.setValue(QLatin1String(column), value);
    rs.setValue(QStringLiteral("DateAdded"), midnight(today));
    rs.setValue(QStringLiteral("Total"), header.total);
    rs.update();
    const qint64 id = rs.integer(QStringLiteral("ID"));

    if (!keepLines)
        db.execute(QStringLiteral("DELETE FROM OrderItems WHERE OrderID = ") + sqlNumber(id));
    data::Recordset items = db.query(QStringLiteral("SELECT * FROM OrderItems WHERE OrderID = ") + sqlNumber(id));
    for (const OrderLine &l : keepLines ? std::vector<OrderLine>() : lines) {
        items.addNew();
        items.setValue(QStringLiteral("OrderID"), id);
        items.setValue(QStringLiteral("ItemNumber"), l.itemNumber);
        items.setValue(QStringLiteral("Line"), l.line);
        items.setValue(QStringLiteral("Qty"), l.qty);
        items.setValue(QStringLiteral("StyleID"), l.styleId);
        items.setValue(QStringLiteral("PriceEach"), l.priceEach);
        items.setValue(QStringLiteral("PriceExt"), l.priceExt());
        items.update();
    }
    if (!header.id)
        db.execute(QStringLiteral("INSERT INTO OrdersToBatch (OrderID) VALUES (%1)").arg(sqlNumber(id)));
    tx.commit();
    return id;
}

qint64 saveOrder(data::Database &db, const OrderHeader &header, const std::vector<OrderLine> &lines, bool localIds,
                 const QDate &today)
{
    return data::transact(db, [&] { return saveOrderOnce(db, header, lines, localIds, today); });
}

QStringList plantNames(data::Database &db)
{
    QStringList out;
    for (data::Recordset rs = db.query(QStringLiteral("SELECT Name FROM Plants ORDER BY Name")); !rs.isEOF();
         rs.moveNext())
        out << rs.text(QStringLiteral("Name"));
    return out;
}

namespace {
// What a search asks for and in which order, after "... FROM Orders".
QString searchFilter(const SearchCriteria &c)
{
    QStringList clauses;
    if (!c.customer.isEmpty())
        clauses << QStringLiteral(" Orders.Customer = ") + sqlText(c.customer);
    if (!c.status.isEmpty())
        clauses << QStringLiteral(" Orders.Status = ") + sqlText(c.status);
    if (c.useOrderDate)
        clauses << QStringLiteral(" Orders.OrderDate >= %1 AND Orders.OrderDate <= %2")
                       .arg(data::sqlDate(c.startDate), data::sqlDate(c.endDate));
    if (!c.orderNumber.isEmpty())
        clauses << QStringLiteral(" Orders.OrderNumber Like ") + data::sqlLikeContains(c.orderNumber);
    QString filter;
    if (!clauses.isEmpty())
        filter += QStringLiteral(" WHERE ") + clauses.join(QStringLiteral(" AND "));
    return filter + QStringLiteral(" ORDER BY Orders.Customer, Orders.OrderNumber");
}
} // namespace

QString searchStatement(const SearchCriteria &c)
{
    return QStringLiteral("SELECT * FROM Orders") + searchFilter(c);
}

FoundOrders::FoundOrders(data::Database &db, const SearchCriteria &criteria) : m_db(&db)
{
    // The index on (Customer, OrderNumber) gives the keys in order without sorting.
    data::Recordset keys = db.query(QStringLiteral("SELECT Orders.ID FROM Orders") + searchFilter(criteria));
    m_ids.reserve(size_t(keys.recordCount()));
    for (const std::vector<QVariant> &row : keys.rows())
        m_ids.push_back(row[0].toLongLong());
}

QVariant FoundOrders::value(int row, const QString &column)
{
    if (row < 0 || row >= count())
        return {};
    const int pageNumber = row / kPageRows;
    auto found = m_pages.find(pageNumber);
    if (found == m_pages.end()) {
        QStringList ids;
        const int end = std::min(count(), (pageNumber + 1) * kPageRows);
        for (int r = pageNumber * kPageRows; r < end; ++r)
            ids << sqlNumber(m_ids[size_t(r)]);
        Page page;
        page.rows =
            m_db->query(QStringLiteral("SELECT * FROM Orders WHERE ID IN (%1)").arg(ids.join(QLatin1Char(','))));
        const int idColumn = page.rows.fieldIndex(QStringLiteral("ID"));
        for (int r = 0; r < page.rows.recordCount(); ++r)
            page.at.emplace(page.rows.rows()[size_t(r)][size_t(idColumn)].toLongLong(), r);
        found = m_pages.emplace(pageNumber, std::move(page)).first;
    }
    const Page &page = found->second;
    const auto at = page.at.find(id(row));
    const int field = page.rows.fieldIndex(column);
    if (at == page.at.end() || field < 0)
        return {}; // deleted since the search
    return page.rows.rows()[size_t(at->second)][size_t(field)];
}

QString shipToText(const ShipTo &s)
{
    QString text = s.name + QStringLiteral(", ") + s.address1 + QStringLiteral(", ");
    if (!s.address2.isEmpty())
        text += s.address2 + QStringLiteral(", ");
    return text + s.city + QStringLiteral(", ") + s.state + QLatin1Char(' ') + s.zip;
}

} // namespace orders
