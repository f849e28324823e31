#include "core/cursor.h"

namespace core {

namespace {
int g_depth = 0;
int g_count = 0;
std::function<void()> g_show;
std::function<void()> g_restore;
} // namespace

BusyCursor::BusyCursor()
{
    ++g_depth;
    ++g_count;
    if (g_show)
        g_show();
}

BusyCursor::~BusyCursor()
{
    --g_depth;
    if (g_restore)
        g_restore();
}

int busyCursorDepth()
{
    return g_depth;
}

int busyCursorCount()
{
    return g_count;
}

void setBusyCursorDisplay(std::function<void()> show, std::function<void()> restore)
{
    g_show = std::move(show);
    g_restore = std::move(restore);
}

} // namespace core
