#include "core/vbnumeric.h"

#include "data/sqlitefunctions.h"

#include <cmath>
#include <limits>

namespace core {

double Val(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') && c != QLatin1Char('\r'))
            s += c;

    if (s.size() > 1 && s[0] == QLatin1Char('&')) {
        const QChar base = s[1].toUpper();
        const int radix = base == QLatin1Char('H') ? 16 : base == QLatin1Char('O') ? 8 : 0;
        if (radix == 0)
            return 0;
        qint64 result = 0;
        for (qsizetype i = 2; i < s.size(); ++i) {
            const char16_t c = s[i].toUpper().unicode();
            const int digit = c >= u'0' && c <= u'9' ? c - u'0' : c >= u'A' && c <= u'F' ? c - u'A' + 10 : radix;
            if (digit >= radix)
                break;
            result = result * radix + digit;
        }
        return double(result);
    }

    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        number += s[i++];
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i].isDigit() && s[i].unicode() < 128) {
            number += s[i];
            digits = true;
        } else if (s[i] == QLatin1Char('.') && !point) {
            number += s[i];
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    // An exponent counts only with at least one digit after it.
    if (i < s.size() && (s[i].toUpper() == QLatin1Char('E') || s[i].toUpper() == QLatin1Char('D'))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
            exponent += s[j++];
        const qsizetype firstDigit = j;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128)
            exponent += s[j++];
        if (j > firstDigit)
            number += exponent;
    }
    return number.toDouble();
}

bool IsNumeric(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return data::looksNumeric(utf8.constData(), int(utf8.size()));
}

double Round(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    const double below = std::floor(scaled);
    const double fraction = scaled - below;
    // Tolerance for the binary error of a value written with a decimal half.
    const double tolerance = 1e-9 * std::max(1.0, std::fabs(scaled));
    double rounded;
    if (std::fabs(fraction - 0.5) <= tolerance)
        rounded = std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
    else
        rounded = std::round(scaled);
    return rounded / scale;
}

namespace {
template <typename Int>
Int roundedInteger(double value)
{
    const double r = Round(value, 0);
    if (!(r >= double(std::numeric_limits<Int>::min()) && r <= double(std::numeric_limits<Int>::max())))
        throw std::overflow_error("Overflow");
    return Int(r);
}
} // namespace

qint16 CInt(double value)
{
    return roundedInteger<qint16>(value);
}

qint32 CLng(double value)
{
    return roundedInteger<qint32>(value);
}

} // namespace core
