#include "core/vbnumeric.h"

#include "data/sqlitefunctions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
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
    if (!std::isfinite(value) || value == 0)
        return value;
    // The value as the 15 significant digits a double carries: what it reads
    // as in decimal, without the binary error below them. A half is a half
    // only when those digits say so.
    constexpr int kDigits = 15;
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", kDigits - 1, std::fabs(value));
    std::string digits;
    const char *p = text;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    const int exponent = std::atoi(p + 1);
    const int keep = exponent + 1 + decimals; // digits before the rounding place
    if (keep >= kDigits)
        return value; // nothing below the place to round away
    if (keep < 0)
        return std::copysign(0.0, value);
    std::string kept = digits.substr(0, size_t(keep));
    const std::string rest = digits.substr(size_t(keep));
    const bool moreThanHalf = rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != std::string::npos);
    const bool half = rest[0] == '5' && !moreThanHalf;
    const bool odd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    if (moreThanHalf || (half && odd)) {
        // Adds one in the last kept place, carrying.
        int i = int(kept.size()) - 1;
        for (; i >= 0 && kept[size_t(i)] == '9'; --i)
            kept[size_t(i)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[size_t(i)];
    }
    if (kept.empty())
        return std::copysign(0.0, value);
    const double magnitude = std::strtod((kept + "e" + std::to_string(-decimals)).c_str(), nullptr);
    return value < 0 ? -magnitude : magnitude;
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
