#include "core/formats.h"

#include "data/quoting.h"
#include "data/recordset.h"
#include "core/vbnumeric.h"

#include <QLocale>
#include <cmath>

namespace core {

namespace {
const QLocale &usLocale()
{
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    return us;
}

QString grouped(double magnitude)
{
    return usLocale().toString(magnitude, 'f', 2);
}
} // namespace

QString formatMoney(double value)
{
    const double rounded = std::round(value * 100.0) / 100.0;
    const QString text = QLatin1Char('$') + grouped(std::fabs(rounded));
    return rounded < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

QString formatMoneyCell(double value)
{
    const double rounded = std::round(value * 100.0) / 100.0;
    const QString text = QLatin1Char('$') + grouped(std::fabs(rounded));
    return rounded < 0 ? QLatin1Char('-') + text : text;
}

QString formatNumber(double value)
{
    return data::sqlNumber(value);
}

double roundQuantity(double value)
{
    const double rounded = Round(value, kQuantityDecimals);
    return rounded == 0 ? 0.0 : rounded; // never "-0"
}

QString formatQuantity(double value)
{
    return formatNumber(roundQuantity(value));
}

QString formatTrimmed(double value, int maxDecimals)
{
    QString s = usLocale().toString(value, 'f', maxDecimals);
    if (s.contains(QLatin1Char('.'))) {
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
    }
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

QString formatInteger(qint64 value)
{
    return usLocale().toString(value);
}

QString formatShortDate(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("M/d/yyyy")) : QString();
}

QString formatShortDate(const QDateTime &dateTime)
{
    return formatShortDate(dateTime.date());
}

QString formatDateTime(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return {};
    return dateTime.time() == QTime(0, 0) ? formatShortDate(dateTime)
                                          : dateTime.toString(QStringLiteral("M/d/yyyy h:mm AP"));
}

QString formatFlag(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

QDate parseShortDate(const QString &text)
{
    // The same reading as a date typed into a date column.
    return data::toDate(text.trimmed());
}

std::optional<double> parseMoney(const QString &text)
{
    QString t = text.trimmed();
    bool negative = false;
    if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    if (t.startsWith(QLatin1Char('-'))) {
        negative = !negative;
        t = t.mid(1).trimmed();
    }
    if (t.startsWith(QLatin1Char('$')))
        t = t.mid(1);
    t.remove(QLatin1Char(','));
    if (!IsNumeric(t))
        return std::nullopt;
    const double value = t.trimmed().toDouble();
    return negative ? -value : value;
}

QString typedKey(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.left(end);
}

QString phoneInputMask()
{
    return QStringLiteral("(000) 000-0000;_");
}

int decimalsNeeded(double value, int decimals)
{
    for (int d = decimals; d < 6; ++d) {
        const double scale = std::pow(10.0, d);
        if (std::fabs(std::round(value * scale) / scale - value) <= 1e-9 * std::fmax(1.0, std::fabs(value)))
            return d;
    }
    return 6;
}

QString formatMoneyKeepingDecimals(double value)
{
    const int decimals = decimalsNeeded(value, 2);
    if (decimals == 2)
        return formatMoney(value);
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QString text = QLatin1Char('$') + us.toString(std::fabs(value), 'f', decimals);
    return value < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

} // namespace core
