#pragma once

#include <QtGlobal>

namespace shell {
class MainWindow;
} // namespace shell

namespace production {

// Registers the production screens: Reports > Production and Reports >
// Shipping > Shipping Mangager (order selection, then Report Selection),
// Reports > Orders > Order Entry Control Report, and the Report Selection
// screen that order entry opens after a save.
void registerScreens(shell::MainWindow &window);

// Opens Report Selection for the order with every plant; for the shipping
// manager only the shipping manager's reports are checked.
void openReportSelection(qint64 orderId, bool shippingOnly = false);

} // namespace production
