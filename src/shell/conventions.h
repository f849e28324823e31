#pragma once

namespace shell {

// Keyboard habits every screen shares, installed once for the whole program
// (the main window does it):
// - Enter on a focused button presses it, as Space does;
// - Tab and Shift+Tab leave a date field in one step instead of walking its
//   month, day and year;
// - a calendar starts its weeks on the workstation's first day of the week.
void installKeyboardConventions();

} // namespace shell
