#include "invoicing/invoicestore.h"

#include "data/database.h"
#include "data/transact.h"
#include "data/quoting.h"
#include "data/topiclock.h"

#include <cmath>
#include <set>

namespace invoicing {

using data::sqlNumber;
using data::sqlText;

std::vector<UninvoicedOrder> OrdersNotYetInvoiced(data::Database &db, const QString &customer)
{
    data::Recordset rs =
        db.query(QStringLiteral("SELECT ID,OrderNumber, OrderDate FROM Orders WHERE Customer = %1 AND ID NOT IN "
                                "(SELECT OrderID FROM OrdersInvoiced) ORDER BY Orders.OrderNumber")
                     .arg(sqlText(customer)));
    std::vector<UninvoicedOrder> out;
    for (; !rs.isEOF(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("ID")), rs.text(QStringLiteral("OrderNumber")),
                       data::toDate(rs.value(QStringLiteral("OrderDate")))});
    return out;
}

qint64 OrderIdOfEntry(const QString &entry)
{
    const qsizetype dash = entry.indexOf(QLatin1Char('-'));
    return (dash < 0 ? entry : entry.left(dash)).trimmed().toLongLong();
}

namespace {

// The order's number for messages, or its ID when it has none.
QString orderName(const QString &number, qint64 id)
{
    return number.trimmed().isEmpty() ? QStringLiteral("Order ID %1").arg(id)
                                      : QStringLiteral("Order %1 (ID %2)").arg(number.trimmed()).arg(id);
}

} // namespace

static CreatedInvoice createInvoiceOnce(data::Database &db, const NewInvoice &invoice)
{
    if (invoice.orders.empty())
        throw InvoiceError(QStringLiteral("No Invoices Selected."));
    if (!std::isfinite(invoice.freight) || !std::isfinite(invoice.misc))
        throw InvoiceError(QStringLiteral("Freight and misc must be amounts."));

    data::Transaction transaction(db);
    // Invoices are written one at a time across workstations, so the check
    // below sees every order another workstation invoiced before us.
    db.lockForNewKey(QStringLiteral("OrdersInvoiced"));

    data::Recordset customer =
        db.query(QStringLiteral("SELECT Customer FROM Customer WHERE Customer = %1").arg(sqlText(invoice.customer)));
    if (customer.isEmpty())
        throw InvoiceError(QStringLiteral("There is no customer \"%1\".").arg(invoice.customer));
    const QString customerName = customer.text(QStringLiteral("Customer"));

    std::set<qint64> seen;
    for (const qint64 id : invoice.orders) {
        if (!seen.insert(id).second)
            throw InvoiceError(QStringLiteral("Order ID %1 is listed twice.").arg(id));
        // An order entry save under way finishes first, so the subtotal sums
        // the lines the order keeps.
        data::lockRow(db, QStringLiteral("Orders"), id);
        data::Recordset order =
            db.query(QStringLiteral("SELECT Customer, OrderNumber FROM Orders WHERE ID = %1").arg(sqlNumber(id)));
        if (order.isEmpty())
            throw InvoiceError(QStringLiteral("There is no order with ID %1.").arg(id));
        const QString name = orderName(order.text(QStringLiteral("OrderNumber")), id);
        if (order.text(QStringLiteral("Customer")).compare(customerName, Qt::CaseInsensitive) != 0)
            throw InvoiceError(QStringLiteral("%1 belongs to %2, not to %3.")
                                   .arg(name, order.text(QStringLiteral("Customer")), customerName));
        data::Recordset done =
            db.query(QStringLiteral("SELECT Invoice FROM InvoiceOrders WHERE OrderID = %1").arg(sqlNumber(id)));
        data::Recordset marked =
            db.query(QStringLiteral("SELECT OrderID FROM OrdersInvoiced WHERE OrderID = %1").arg(sqlNumber(id)));
        if (!done.isEmpty())
            throw InvoiceError(
                QStringLiteral("%1 is already on invoice %2.").arg(name).arg(done.integer(QStringLiteral("Invoice"))));
        if (!marked.isEmpty())
            throw InvoiceError(QStringLiteral("%1 has already been invoiced.").arg(name));
    }

    for (const qint64 id : invoice.orders)
        data::addRow(db, QStringLiteral("OrdersInvoiced"), {{QStringLiteral("OrderID"), id}});

    CreatedInvoice created;
    for (const qint64 id : invoice.orders) {
        data::Recordset sum = db.query(
            QStringLiteral("SELECT SUM(PriceExt) AS Total FROM OrderItems WHERE OrderID = %1").arg(sqlNumber(id)));
        if (!sum.isEmpty() && !sum.isNull(QStringLiteral("Total")))
            created.subtotal += sum.number(QStringLiteral("Total"));
    }
    created.total = created.subtotal + invoice.freight + invoice.misc;
    const data::Recordset row = data::addRow(db, QStringLiteral("Invoice"),
                                             {{QStringLiteral("Customer"), customerName},
                                              {QStringLiteral("InvoiceDate"), invoice.invoiceDate},
                                              {QStringLiteral("DueDate"), invoice.dueDate},
                                              {QStringLiteral("Freight"), invoice.freight},
                                              {QStringLiteral("Misc"), invoice.misc},
                                              {QStringLiteral("MemoField"), invoice.memo},
                                              {QStringLiteral("Subtotal"), created.subtotal},
                                              {QStringLiteral("Total"), created.total}});
    created.id = row.integer(QStringLiteral("ID"));

    for (const qint64 id : invoice.orders)
        data::addRow(db, QStringLiteral("InvoiceOrders"),
                     {{QStringLiteral("Invoice"), created.id}, {QStringLiteral("OrderID"), id}});
    transaction.commit();
    return created;
}

CreatedInvoice CreateInvoice(data::Database &db, const NewInvoice &invoice)
{
    return data::transact(db, [&] { return createInvoiceOnce(db, invoice); });
}

std::vector<qint64> InvoiceNumbers(data::Database &db)
{
    data::Recordset rs = db.query(QStringLiteral("SELECT ID FROM Invoice ORDER BY ID DESC"));
    std::vector<qint64> out;
    for (; !rs.isEOF(); rs.moveNext())
        out.push_back(rs.integer(QStringLiteral("ID")));
    return out;
}

std::vector<InvoiceChoice> InvoiceChoices(data::Database &db)
{
    data::Recordset rs = db.query(QStringLiteral("SELECT ID,Customer FROM Invoice ORDER BY ID DESC"));
    std::vector<InvoiceChoice> out;
    for (; !rs.isEOF(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("ID")), rs.text(QStringLiteral("Customer"))});
    return out;
}

bool InvoiceExists(data::Database &db, qint64 invoice)
{
    return !db.query(QStringLiteral("SELECT ID FROM Invoice WHERE ID = %1").arg(sqlNumber(invoice))).isEmpty();
}

double InvoiceBalance(data::Database &db, qint64 invoice)
{
    data::Recordset total = db.query(QStringLiteral("SELECT Total FROM Invoice Where ID = %1").arg(sqlNumber(invoice)));
    double balance = total.isEmpty() ? 0 : total.number(QStringLiteral("Total"));
    data::Recordset paid =
        db.query(QStringLiteral("SELECT Amount, Adjustment FROM Payments WHERE Invoice =%1").arg(sqlNumber(invoice)));
    for (; !paid.isEOF(); paid.moveNext())
        balance -= paid.number(QStringLiteral("Amount")) + paid.number(QStringLiteral("Adjustment"));
    return balance;
}

double NewBalance(double balance, double payment, double adjustment)
{
    // Rounded to cents the way the amount is written ("#,##0.00"): half away
    // from zero. Taken off with its sign, as the saved row will be.
    const double s = std::round((payment + adjustment) * 100.0) / 100.0;
    return balance - s;
}

bool IsZeroPayment(double amount, double adjustment)
{
    return std::fabs(amount) < 0.005 && std::fabs(adjustment) < 0.005;
}

static double recordPaymentOnce(data::Database &db, qint64 invoice, const QDate &date, double amount, double adjustment)
{
    if (!std::isfinite(amount) || !std::isfinite(adjustment))
        throw InvoiceError(QStringLiteral("The payment and the adjustment must be amounts."));
    if (IsZeroPayment(amount, adjustment))
        throw InvoiceError(QStringLiteral("You must enter a payment or adjustment amount."));
    data::Transaction transaction(db);
    if (!InvoiceExists(db, invoice))
        throw InvoiceError(QStringLiteral("There is no invoice %1.").arg(invoice));
    // Payments to one invoice are written one at a time, so the balance read
    // back below counts every payment committed before this one.
    data::lockRow(db, QStringLiteral("Invoice"), invoice);
    data::addRow(db, QStringLiteral("Payments"),
                 {{QStringLiteral("Invoice"), invoice},
                  {QStringLiteral("Date"), date},
                  {QStringLiteral("Amount"), amount},
                  {QStringLiteral("Adjustment"), adjustment}});
    const double balance = InvoiceBalance(db, invoice);
    transaction.commit();
    return balance;
}

double RecordPayment(data::Database &db, qint64 invoice, const QDate &date, double amount, double adjustment)
{
    return data::transact(db, [&] { return recordPaymentOnce(db, invoice, date, amount, adjustment); });
}

} // namespace invoicing
