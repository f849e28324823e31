#include "officereports/showreports.h"

#include "data/database.h"
#include "officereports/receivables.h"
#include "core/clock.h"
#include "core/cursor.h"

namespace officereports {

void ShowInvoice(qint64 invoice)
{
    core::BusyCursor busy;
    reporting::ShowReport(InvoiceReport(data::sharedDatabase(), invoice));
}

void ShowOpenInvoices()
{
    core::BusyCursor busy;
    reporting::ShowReport(OpenInvoices(data::sharedDatabase()));
}

void ShowCustomerStatements()
{
    core::BusyCursor busy;
    reporting::ShowReport(CustomerStatements(data::sharedDatabase(), core::currentDate()));
}

void ShowSalesByCustomer(const QDate &start, const QDate &end, bool detail)
{
    core::BusyCursor busy;
    reporting::ShowReport(SalesByCustomer(data::sharedDatabase(), start, end, detail));
}

} // namespace officereports
