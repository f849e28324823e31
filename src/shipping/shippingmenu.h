#pragma once

namespace shell {
class MainWindow;
} // namespace shell

namespace shipping {

// Shipment entry, the shipment navigator, the load sheet and the
// glue/spray/supply/tie/load screen under their menu items.
void registerScreens(shell::MainWindow &window);

} // namespace shipping
