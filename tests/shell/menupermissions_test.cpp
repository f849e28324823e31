// Which permission each item of the main menu asks for, item by item: two
// permissions swapped between items must not pass.
#include "shell/mainwindow.h"

#include <gtest/gtest.h>

using shell::MainWindow;

TEST(MenuPermissions, EveryItemAsksForItsOwnPermission)
{
    // Control, permission; nothing for a submenu, Exit and About.
    const struct {
        const char *control, *permission;
    } items[] = {
        {"File", ""},
        {"mnuCompanySetup", "Company Info"},
        {"Exit", ""},
        {"Orders", ""},
        {"OrdNav", "Order Navigator"},
        {"OrderEntry", "Order Entry/Edit"},
        {"mnuGlueSprayTieLoadReports", "Reports - Production"},
        {"Shipping", ""},
        {"ShipmentNav", "Shipment Navigator"},
        {"ShipmentEntry", "Shipment Entry/Edit"},
        {"LoadSheet", "Load Sheet Entry/Edit"},
        {"Administrative", ""},
        {"CustomerEntry", "Customer Entry/Edit"},
        {"VendorEntry", "Vendor Entry/Edit"},
        {"StyleEntry", "Style Entry/Edit"},
        {"StylePriceChange", "Style Price Change"},
        {"CreateInvoices", "Invoice Entry/Edit"},
        {"ReceivePayments", "Receive Payments"},
        {"mnuUserEntryEdit", "User Entry/Edit"},
        {"Reports", ""},
        {"OrderReports", ""},
        {"OrderEntryControlReport", "Reports - Order Report"},
        {"SalesByCustomer", "Reports - Sales By Customer"},
        {"Production", "Reports - Production"},
        {"ShippingReports", ""},
        {"ShippingMgr", "Reports - Shipping Manager"},
        {"Admin", ""},
        {"CustomerListing", "Reports - Administrative"},
        {"VendorListing", "Reports - Administrative"},
        {"BunListing", "Reports - Administrative"},
        {"ComponentListing", "Reports - Administrative"},
        {"StyleListing", "Reports - Administrative"},
        {"AR", ""},
        {"InvoiceReport", "Reports - Invoice"},
        {"OpenInvoicesReport", "Reports - Open Invoice"},
        {"CustomerStatementsReport", "Reports - Customer Statement"},
        {"Help", ""},
        {"About", ""},
    };
    MainWindow window;
    for (const auto &item : items) {
        SCOPED_TRACE(item.control);
        EXPECT_NE(window.menuAction(QString::fromLatin1(item.control)), nullptr);
        EXPECT_EQ(MainWindow::permissionFor(QString::fromLatin1(item.control)).toStdString(), item.permission);
    }
}
