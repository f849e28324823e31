#pragma once

#include <QString>

namespace shell {

// A control with its control name as objectName, so that screens and tests
// find it by the name the office knows it by.
template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace shell
