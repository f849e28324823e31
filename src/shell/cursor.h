#pragma once

// The hourglass while long work runs. Every busy cursor of the program is a
// BusyCursor, so the normal cursor comes back however the work ends (an
// exception included), and tests can see that the hourglass was shown.
namespace shell {

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

} // namespace shell
