#pragma once

namespace shell {
class MainWindow;
} // namespace shell

namespace invoicing {

// Registers Administrative > Create Invoices (frmInvoices, "Invoice
// Entry/Edit") and Administrative > Receive Payments (frmReceivePayment,
// "Receive Payments") with the main window, which checks the permissions.
void registerScreens(shell::MainWindow &window);

} // namespace invoicing
