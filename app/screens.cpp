#include "app/screens.h"

#include "shell/aboutform.h"
#include "shell/mainwindow.h"
#include "shell/viewer.h"

#include "officereports/officemenu.h"
#include "catalogue/copystyleform.h"
#include "catalogue/styleduplicatecompform.h"
#include "catalogue/styleform.h"
#include "catalogue/stylepricechangeform.h"
#include "masterdata/companyform.h"
#include "masterdata/customerform.h"
#include "masterdata/userform.h"
#include "masterdata/vendorform.h"
#include "orders/orderentryform.h"
#include "invoicing/invoicingmenu.h"
#include "orders/ordernavigatorform.h"
#include "production/productionmenu.h"
#include "sync/syncmenu.h"
#include "shipping/shippingmenu.h"

#include <QMdiSubWindow>
#include <QPointer>
#include <memory>

namespace app {

using shell::MainWindow;
using shell::ScreenFactory;

namespace {
// A screen that fills its lists when it opens; one that fails to is not shown.
template <typename Screen>
ScreenFactory loaded()
{
    return [] {
        auto screen = std::make_unique<Screen>();
        screen->load();
        return screen.release();
    };
}
} // namespace

// Every screen and report the main menu reaches, under its menu control name.
// A menu item with nothing registered here tells the user plainly that this
// build does not have it yet.
void registerScreens(MainWindow &window)
{
    window.registerScreen(QStringLiteral("About"), [] { return new shell::AboutForm; });
    window.registerScreen(QStringLiteral("CustomerEntry"), loaded<masterdata::CustomerForm>());
    window.registerScreen(QStringLiteral("VendorEntry"), loaded<masterdata::VendorForm>());
    window.registerScreen(QStringLiteral("mnuCompanySetup"), loaded<masterdata::CompanyForm>());
    window.registerScreen(QStringLiteral("mnuUserEntryEdit"), loaded<masterdata::UserForm>());
    window.registerScreen(QStringLiteral("OrderEntry"), [] { return new orders::OrderEntryForm; });
    window.registerScreen(QStringLiteral("OrdNav"), [] { return new orders::OrderNavigatorForm; });
    officereports::registerListings(window);
    officereports::registerReceivables(window);
    invoicing::registerScreens(window);
    // The one Report Viewer opens as a child window of the work area.
    shell::setViewerHost([frame = QPointer<MainWindow>(&window)](QWidget *viewer) {
        if (frame)
            frame->addChild(viewer)->show();
        else
            viewer->show();
    });
    window.registerScreen(QStringLiteral("StyleEntry"), loaded<catalogue::StyleForm>());
    window.registerScreen(QStringLiteral("StylePriceChange"), loaded<catalogue::StylePriceChangeForm>());
    // The style screen's tools, opened by name from it.
    window.registerScreen(QStringLiteral("frmCopyStyle"), loaded<catalogue::CopyStyleForm>());
    window.registerScreen(QStringLiteral("frmStyleDuplicateComp"),
                          [] { return new catalogue::StyleDuplicateCompForm; });
    production::registerScreens(window);
    serversync::registerScreens(window);
    shipping::registerScreens(window);

    // A saved order goes on to the choice of its production paperwork, for
    // every plant.
    orders::setOrderSavedHook([](qint64 orderId, QWidget *) { production::openReportSelection(orderId); });
}

} // namespace app
