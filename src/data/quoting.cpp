#include "data/quoting.h"

#include <charconv>
#include <cmath>

namespace data {

QString sqlText(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString sqlLikeContains(const QString &typed)
{
    // What was typed is matched as it stands: its %, _ and [ are no wildcards.
    QString literal;
    literal.reserve(typed.size() + 8);
    for (const QChar c : typed) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('['))
            literal += QLatin1Char('\\');
        literal += c;
    }
    return sqlText(QLatin1Char('%') + literal + QLatin1Char('%')) + QStringLiteral(" ESCAPE '\\'");
}

QString sqlNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("NULL");
    if (value == 0)
        return QStringLiteral("0");
    // Shortest text that reads back as the same double, always fixed notation
    // for the magnitudes a plant deals in.
    char buffer[64];
    std::to_chars_result result;
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e-6 && magnitude < 1e15)
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    else
        result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString sqlNumber(qint64 value)
{
    return QString::number(value);
}

QString sqlDate(const QDate &value)
{
    if (!value.isValid())
        return QStringLiteral("NULL");
    return QLatin1Char('\'') + value.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

QString sqlDateTime(const QDateTime &value)
{
    if (!value.isValid())
        return QStringLiteral("NULL");
    // Midnight is written as the bare date. SQLite keeps dates as text, and this
    // one canonical form makes its text comparisons agree with date comparisons:
    // an order dated the 2nd is "<= '2017-01-02'", one at 10:00 that day is not.
    if (value.time() == QTime(0, 0))
        return sqlDate(value.date());
    return QLatin1Char('\'') + value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('\'');
}

QString sqlLiteral(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return sqlNumber(value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::ULong:
        return QString::number(value.toULongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlNumber(value.toDouble());
    case QMetaType::QDate:
        return sqlDate(value.toDate());
    case QMetaType::QDateTime:
        return sqlDateTime(value.toDateTime());
    default:
        return sqlText(value.toString());
    }
}

} // namespace data
