#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Every value placed in a statement goes through one of these helpers: text is
// quoted with its single quotes doubled, numbers are plain decimal text, dates
// are ISO. Nothing typed by a user ever reaches a statement any other way.
namespace data {

// 'O''Brien' - the value between single quotes, quotes doubled.
QString sqlText(const QString &value);
// '%a12%' ESCAPE '\' - a LIKE pattern, with its ESCAPE clause, that finds the
// typed text anywhere, its own %, _ and [ taken literally.
QString sqlLikeContains(const QString &typed);
// Plain decimal text, no exponent for ordinary magnitudes, "." as separator.
QString sqlNumber(double value);
QString sqlNumber(qint64 value);
inline QString sqlNumber(int value)
{
    return sqlNumber(static_cast<qint64>(value));
}
// 'yyyy-MM-dd' and 'yyyy-MM-dd HH:mm:ss' (a date-time at midnight is written as
// the bare date, so that stored text compares like the dates it holds).
QString sqlDate(const QDate &value);
QString sqlDateTime(const QDateTime &value);
// Any value by its type; a null variant gives NULL, a bool 1 or 0.
QString sqlLiteral(const QVariant &value);

} // namespace data
