#pragma once

namespace shell {
class MainWindow;
} // namespace shell

namespace officereports {

// Registers the items of Reports > Administrative with the main window: the
// four listings as commands (each shows its report in the viewer) and the
// style selection screen frmStyleReport under "StyleListing". The main window
// checks "Reports - Administrative" before any of them.
void registerListings(shell::MainWindow &window);

// Registers Reports > Orders > Sales By Customer (frmSalesByCustomer) and the
// items of Reports > Accounts Receivable: the invoice report screen
// frmInvoiceReport, and the open invoices and customer statements as commands.
void registerReceivables(shell::MainWindow &window);

} // namespace officereports
