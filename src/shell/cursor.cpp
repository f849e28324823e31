#include "shell/cursor.h"

#include <QApplication>

namespace shell {

namespace {
int g_depth = 0;
int g_count = 0;
} // namespace

BusyCursor::BusyCursor()
{
    ++g_depth;
    ++g_count;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    --g_depth;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::restoreOverrideCursor();
}

int busyCursorDepth()
{
    return g_depth;
}

int busyCursorCount()
{
    return g_count;
}

} // namespace shell
