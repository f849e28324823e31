#pragma once

namespace shell {
class MainWindow;
} // namespace shell

namespace serversync {

// File > Download Catalogue... and File > Exchange Orders...: each asks, runs
// its batch operation on the shared connection with a progress dialog, and
// says how long it took.
void registerScreens(shell::MainWindow &window);

} // namespace serversync
