#pragma once

// The receivables and sales reports in the Report Viewer, on the shared
// connection, under the busy cursor.

#include <QDate>
#include <QtGlobal>

namespace officereports {

void ShowInvoice(qint64 invoice);
void ShowOpenInvoices();
// Aged as of today.
void ShowCustomerStatements();
void ShowSalesByCustomer(const QDate &start, const QDate &end, bool detail);

} // namespace officereports
