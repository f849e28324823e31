#pragma once

namespace shell {
class MainWindow;
} // namespace shell

namespace app {

// Fills the main window's registry with every screen and report the menu
// reaches, and wires the calls that cross from one subsystem's screens to
// another's. The one place that knows every screen.
void registerScreens(shell::MainWindow &window);

} // namespace app
