#pragma once

#include <functional>

// The hourglass while long work runs. Every busy cursor of the program is a
// BusyCursor, so the normal cursor comes back however the work ends (an
// exception included), and tests can see that the hourglass was shown.
// Routines without widgets use it too: the widget shell installs what shows
// and hides the cursor (installBusyCursorDisplay); without it only the count
// is kept.
namespace core {

class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// How many BusyCursor guards are alive now (0: the normal cursor).
int busyCursorDepth();
// How many BusyCursor guards were ever made, for tests that expect the
// hourglass during some work.
int busyCursorCount();

// What showing and restoring the hourglass does on screen.
void setBusyCursorDisplay(std::function<void()> show, std::function<void()> restore);

} // namespace core
