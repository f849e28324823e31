#pragma once

#include <functional>

class QWidget;

namespace shell {

// Runs action when Enter or Return is pressed in the widget, instead of the
// widget's own handling (a field moves the focus on, a button presses itself).
// Installed after a type-ahead list's behaviour, it takes Enter before the
// type-ahead search sees it.
void onEnterKey(QWidget *widget, std::function<void()> action);

} // namespace shell
