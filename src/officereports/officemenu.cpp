#include "officereports/officemenu.h"

#include "officereports/invoicereportform.h"
#include "officereports/listings.h"
#include "officereports/salesbycustomerform.h"
#include "officereports/showreports.h"
#include "officereports/stylereportform.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"

namespace officereports {

namespace {

// A listing as a menu command. Database errors go on to the main window,
// which shows them; a report that cannot be produced is shown here.
shell::MenuCommand listingCommand(const QString &caption, void (*show)())
{
    return [caption, show](QWidget *parent) {
        try {
            show();
        } catch (const reporting::ReportError &e) {
            shell::showMessage(caption, e.text(), shell::MessageIcon::Warning, shell::MessageButtons::Ok, parent);
        }
    };
}

} // namespace

void registerListings(shell::MainWindow &window)
{
    window.registerCommand(QStringLiteral("VendorListing"),
                           listingCommand(QStringLiteral("Vendor Listing"), ShowVendorListing));
    window.registerCommand(QStringLiteral("CustomerListing"),
                           listingCommand(QStringLiteral("Customer Listing"), ShowCustomerListing));
    window.registerCommand(QStringLiteral("ComponentListing"),
                           listingCommand(QStringLiteral("Component Listing"), ShowComponentListing));
    window.registerCommand(QStringLiteral("BunListing"), listingCommand(QStringLiteral("Bun Listing"), ShowBunListing));
    window.registerScreen(QStringLiteral("StyleListing"), [] {
        auto *form = new StyleReportForm;
        form->load();
        return form;
    });
}

void registerReceivables(shell::MainWindow &window)
{
    window.registerScreen(QStringLiteral("SalesByCustomer"), [] { return new SalesByCustomerForm; });
    window.registerScreen(QStringLiteral("InvoiceReport"), [] {
        auto *form = new InvoiceReportForm;
        form->load();
        return form;
    });
    window.registerCommand(QStringLiteral("OpenInvoicesReport"),
                           listingCommand(QStringLiteral("Open Invoices"), ShowOpenInvoices));
    window.registerCommand(QStringLiteral("CustomerStatementsReport"),
                           listingCommand(QStringLiteral("Customer Statements"), ShowCustomerStatements));
}

} // namespace officereports
