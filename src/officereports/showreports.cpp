#include "officereports/showreports.h"

#include "data/database.h"
#include "officereports/receivables.h"
#include "shell/clock.h"
#include "shell/cursor.h"

namespace officereports {

void ShowInvoice(qint64 invoice)
{
    shell::BusyCursor busy;
    reporting::ShowReport(InvoiceReport(data::sharedDatabase(), invoice));
}

void ShowOpenInvoices()
{
    shell::BusyCursor busy;
    reporting::ShowReport(OpenInvoices(data::sharedDatabase()));
}

void ShowCustomerStatements()
{
    shell::BusyCursor busy;
    reporting::ShowReport(CustomerStatements(data::sharedDatabase(), shell::currentDate()));
}

void ShowSalesByCustomer(const QDate &start, const QDate &end, bool detail)
{
    shell::BusyCursor busy;
    reporting::ShowReport(SalesByCustomer(data::sharedDatabase(), start, end, detail));
}

} // namespace officereports
