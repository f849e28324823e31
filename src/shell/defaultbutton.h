#pragma once

class QPushButton;
class QWidget;

namespace shell {

// Makes button the default button of a screen: Enter pressed anywhere in the
// screen presses it, unless the focus is on another button, which Enter then
// presses instead. (A screen in the work area is no dialog, so Qt's own default
// button does not apply.) Fields that use Enter themselves keep it.
void attachDefaultButton(QWidget *screen, QPushButton *button);

} // namespace shell
