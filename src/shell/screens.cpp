#include "orders/orderentryform.h"
#include "orders/ordernavigatorform.h"
#include "orders/orderentryform.h"
#include "orders/ordernavigatorform.h"
#include "shell/aboutform.h"
#include "shell/mainwindow.h"

namespace shell {

// Every screen and report the main menu reaches, under its menu control name.
// A menu item with nothing registered here tells the user plainly that this
// build does not have it yet.
void registerScreens(MainWindow &window)
{
    window.registerScreen(QStringLiteral("About"), [] { return new AboutForm; });
    window.registerScreen(QStringLiteral("OrderEntry"), [] { return new orders::OrderEntryForm; });
    window.registerScreen(QStringLiteral("OrdNav"), [] { return new orders::OrderNavigatorForm; });
    window.registerScreen(QStringLiteral("OrderEntry"), [] { return new orders::OrderEntryForm; });
    window.registerScreen(QStringLiteral("OrdNav"), [] { return new orders::OrderNavigatorForm; });
}

} // namespace shell
