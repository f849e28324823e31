#include "shipping/shippingmenu.h"

#include "shipping/gluesprayprintform.h"
#include "shipping/loadsheetform.h"
#include "shipping/shipmententryform.h"
#include "shipping/shipmentnavigatorform.h"

#include "shell/mainwindow.h"

namespace shipping {

void registerScreens(shell::MainWindow &window)
{
    window.registerScreen(QStringLiteral("ShipmentEntry"), [] { return new ShipmentEntryForm; });
    window.registerScreen(QStringLiteral("ShipmentNav"), [] { return new ShipmentNavigatorForm; });
    window.registerScreen(QStringLiteral("LoadSheet"), [] { return new LoadSheetForm; });
    window.registerScreen(QStringLiteral("mnuGlueSprayTieLoadReports"), [] { return new GlueSprayPrintForm; });
}

} // namespace shipping
