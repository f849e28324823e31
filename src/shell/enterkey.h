#pragma once

#include <functional>
#include <initializer_list>

class QWidget;

namespace shell {

// Runs action when Enter or Return is pressed in the widget, instead of the
// widget's own handling (a field moves the focus on, a button presses itself).
// Installed after a type-ahead list's behaviour, it takes Enter before the
// type-ahead search sees it.
void onEnterKey(QWidget *widget, std::function<void()> action);

// Enter walks a row of fields: from each step the focus goes to the next step
// that is shown and enabled (a hidden price field is passed over), and the
// last step, a button, presses itself.
void enterWalk(std::initializer_list<QWidget *> steps);

} // namespace shell
