#pragma once

class QPushButton;
class QWidget;

namespace shell {

// Makes button the default button of a screen: Enter pressed anywhere in the
// screen presses it, unless the focus is on another button, which Enter then
// presses instead. (A screen in the work area is no dialog, so Qt's own default
// button does not apply.) Fields that use Enter themselves keep it.
void attachDefaultButton(QWidget *screen, QPushButton *button);

// Makes button the screen's Cancel: Escape pressed anywhere in the screen
// presses it; an open drop-down list or calendar takes its own Escape and
// closes, leaving the screen open. Call it once the screen's fields exist.
void attachCancelButton(QWidget *screen, QPushButton *button);

} // namespace shell
