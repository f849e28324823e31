#pragma once

#include <QString>
#include <QtGlobal>
#include <stdexcept>

// The number conversions the screens rely on, with the rules office users know
// from their spreadsheets and the old system.
namespace core {

// The number at the start of a text: blanks, tabs and line ends anywhere are
// skipped, then an optional sign, digits with at most one decimal point and an
// optional exponent (E or D), or &H / &O for hexadecimal and octal. Reading
// stops at the first character that does not fit; a text with no number at its
// start is 0 ("12 ab" -> 12, "ab" -> 0, "1.2.3" -> 1.2).
double Val(const QString &text);

// Whether a text is a number as the database's IsNumeric sees it: optional
// blanks and sign, digits with at most one decimal point (at least one digit),
// optional blanks. So whatever passes here, Val reads in full.
bool IsNumeric(const QString &text);

// Rounds to the given number of decimals; a half goes to the even neighbour
// (2.5 -> 2, 3.5 -> 4, 0.125 -> 0.12 at two decimals). A value is a half when
// the 15 significant digits it carries say so, whatever its binary form
// (2.675 -> 2.68), and only then (1234.567749 -> 1234.5677 at four).
double Round(double value, int decimals = 0);

// Rounds half to even into a 16-bit or 32-bit integer; throws
// std::overflow_error ("Overflow") outside its range.
qint16 CInt(double value);
qint32 CLng(double value);

} // namespace core
