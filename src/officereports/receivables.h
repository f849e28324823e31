#pragma once

// The accounts-receivable reports: one invoice, the open invoices, and the
// customer statements; and the sales by customer report. Each builds the
// loaded report from its statement (tests and bunlinectl call these); the
// Show... routines of showreports.h put them in the viewer.

#include "reporting/report.h"

#include <QDate>

namespace data {
class Database;
} // namespace data

namespace officereports {

// The invoice with its customer's bill-to address and every line of its
// orders. An invoice that does not exist gives a report without rows.
reporting::ReportPtr InvoiceReport(data::Database &db, qint64 invoice);

// Every invoice with what has been paid on it (Paid is null for an invoice
// without payments); the layout lists those with a balance.
reporting::ReportPtr OpenInvoices(data::Database &db);

// The same with the customers' addresses, one statement per customer, its
// open invoices aged from the due date to asOf.
reporting::ReportPtr CustomerStatements(data::Database &db, const QDate &asOf);

// Sales and present cost of each customer's styles on the orders dated from
// start to end (both days included), per style (detail) or per customer.
QString SalesByCustomerStatement(const QDate &start, const QDate &end);
reporting::ReportPtr SalesByCustomer(data::Database &db, const QDate &start, const QDate &end, bool detail);

} // namespace officereports
