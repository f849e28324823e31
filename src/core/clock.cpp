#include "core/clock.h"

namespace core {

namespace {
ManualClock *g_clock = nullptr;
} // namespace

ManualClock::ManualClock(const QDateTime &start) : m_now(start), m_previous(g_clock)
{
    g_clock = this;
}

ManualClock::~ManualClock()
{
    g_clock = m_previous;
}

QDateTime currentDateTime()
{
    return g_clock ? g_clock->now() : QDateTime::currentDateTime();
}

QDate currentDate()
{
    return currentDateTime().date();
}

double secondsSinceMidnight()
{
    return currentDateTime().time().msecsSinceStartOfDay() / 1000.0;
}

} // namespace core
