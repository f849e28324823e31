#pragma once

// The arrangement the navigators share: the search criteria on top, the
// records found in 55% of the height below them and the lines of the current
// record in the other 45%, the window at the top left of the work area.

#include <QSize>
#include <functional>

class QWidget;

namespace shell {

void layOutNavigator(QWidget *form, QWidget *criteria, QWidget *found, QWidget *lines);

// Moves the form's child window to the top left of the work area, sized from
// the main window's size. Does nothing outside a main window.
void placeAtTopLeft(QWidget *form, const std::function<QSize(const QSize &mainWindow)> &size);

} // namespace shell
