#pragma once

#include <QDate>
#include <QDateTime>

// The program's one source of the current date and time, so that tests can
// set it (the type-ahead interval, dates written on new rows).
namespace core {

QDateTime currentDateTime();
QDate currentDate();
// Local time of day in seconds since midnight, with fractions.
double secondsSinceMidnight();

// For tests: while one exists, the clock stands at the time it was given and
// moves only when told. Clocks nest; the newest one counts.
class ManualClock {
public:
    explicit ManualClock(const QDateTime &start = QDateTime(QDate(2016, 8, 29), QTime(9, 0)));
    ~ManualClock();
    ManualClock(const ManualClock &) = delete;
    ManualClock &operator=(const ManualClock &) = delete;

    void set(const QDateTime &now) { m_now = now; }
    void advance(double seconds) { m_now = m_now.addMSecs(qint64(seconds * 1000.0)); }
    QDateTime now() const { return m_now; }

private:
    QDateTime m_now;
    ManualClock *m_previous = nullptr;
};

} // namespace core
