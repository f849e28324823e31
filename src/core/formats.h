#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// How values read on every screen and report. One place, so that a total on
// order entry and the same total on a report look alike.
namespace core {

// Money in an edit field: "$1,234.50", negatives in brackets "($1,234.50)".
QString formatMoney(double value);
// Money in a grid cell: "$1,234.50" (negatives with a minus sign).
QString formatMoneyCell(double value);
// A plain number as the user typed it: no trailing zeros, no exponent ("2.5", "12").
QString formatNumber(double value);
// Quantities (ordered, shipped, still open) are compared and shown to four
// decimals, so that ten shipments of 0.1 make exactly the 1 ordered.
constexpr int kQuantityDecimals = 4;
double roundQuantity(double value);
// A quantity as formatNumber shows it, to four decimals at most ("12.5", "1").
QString formatQuantity(double value);
// Up to the given decimals, trailing zeros dropped, thousands grouped: "1,234.5".
QString formatTrimmed(double value, int maxDecimals);
// A whole number with thousands grouped: "12,345".
QString formatInteger(qint64 value);
// The workstation's short date ("8/29/2016"); empty for an invalid date.
QString formatShortDate(const QDate &date);
QString formatShortDate(const QDateTime &dateTime);
// "8/29/2016 9:05 AM"; a date-time at midnight is the bare date.
QString formatDateTime(const QDateTime &dateTime);
// "Yes" or "No".
QString formatFlag(bool value);
// Reads a date typed in the short form or ISO; invalid when it is neither.
QDate parseShortDate(const QString &text);

// Reads money as typed or as formatMoney shows it ("131", "$1,234.50",
// "($3.00)"); nothing when the text is no number.
std::optional<double> parseMoney(const QString &text);

// A key as typed (a name, an ID), without its trailing blanks: the database
// compares text regardless of them, so "Acme Foam " finds "Acme Foam", and it is
// stored without them, never as a near-duplicate beside the key it matches.
QString typedKey(const QString &text);

// The input mask of phone and fax fields: "(###) ###-####", digits optional so
// that an empty field stays valid.
QString phoneInputMask();

// The decimals a value needs to be shown without loss: at least the given
// count, more (up to six) when the value has them.
int decimalsNeeded(double value, int decimals);
// Money in an edit field as formatMoney shows it, except that a value finer
// than a cent keeps its decimals ("$0.125"), so that a field shown and saved
// again never rounds what was stored.
QString formatMoneyKeepingDecimals(double value);

} // namespace core
