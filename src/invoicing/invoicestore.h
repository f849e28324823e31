#pragma once

// Invoices over whole orders and the payments against them, without widgets:
// the invoicing and payment screens and bunlinectl call these.

#include <QDate>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace data {
class Database;
} // namespace data

namespace invoicing {

// A request the data refuse: an unknown customer, order or invoice, an order
// of another customer, an order already on an invoice. The message names what
// is wrong and is fit for the user. Nothing has been written.
class InvoiceError : public std::runtime_error {
public:
    explicit InvoiceError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// An order the invoicing lists offer.
struct UninvoicedOrder {
    qint64 id = 0;
    QString orderNumber;
    QDate orderDate;
};

// The customer's orders that are on no invoice yet, of every status, in
// order-number order.
std::vector<UninvoicedOrder> OrdersNotYetInvoiced(data::Database &db, const QString &customer);

// The order ID of a list entry: the text before its first " -".
qint64 OrderIdOfEntry(const QString &entry);

struct NewInvoice {
    QString customer;
    QDate invoiceDate;
    QDate dueDate;
    double freight = 0;
    double misc = 0;
    QString memo;
    std::vector<qint64> orders; // in list order
};

struct CreatedInvoice {
    qint64 id = 0;
    double subtotal = 0;
    double total = 0;
};

// Writes the invoice in one transaction: the orders marked invoiced, the
// Invoice row with its subtotal (the orders' line extensions) and total (plus
// freight and misc), and one link per order. An order can be invoiced once:
// when another workstation invoiced one of the orders first, the whole
// invoice is refused with InvoiceError naming the order, and nothing is
// written. Database failures throw data::DbError, also writing nothing.
CreatedInvoice CreateInvoice(data::Database &db, const NewInvoice &invoice);

// Every invoice number, newest first.
std::vector<qint64> InvoiceNumbers(data::Database &db);
bool InvoiceExists(data::Database &db, qint64 invoice);

// Invoice total less the payments and adjustments recorded against it; an
// invoice that does not exist counts as a total of 0.
double InvoiceBalance(data::Database &db, qint64 invoice);

// The balance shown before a payment is saved, as the save will leave it:
// payment plus adjustment, rounded to cents half away from zero, taken off
// the balance with its sign (a negative payment raises the balance).
double NewBalance(double balance, double payment, double adjustment);

// A payment whose amount and adjustment are both zero to the cent, however
// typed ("0", "0.00", "$0"): there is nothing to record.
bool IsZeroPayment(double amount, double adjustment);

// Adds one Payments row for an existing invoice and answers the invoice's
// balance after it, read inside the same transaction. Refuses (InvoiceError,
// nothing written) an unknown invoice and a zero payment.
double RecordPayment(data::Database &db, qint64 invoice, const QDate &date, double amount, double adjustment);

} // namespace invoicing
