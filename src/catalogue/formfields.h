#pragma once

#include "catalogue/cataloguestore.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

class QComboBox;

namespace data {
class Recordset;
} // namespace data

// Small helpers the catalogue screens share for their lists and fields.
namespace catalogue {

// Fills a list with texts (and the hidden key of each entry when keys are
// given), leaving no entry chosen and running none of the list's handlers.
void fillList(QComboBox *list, const QStringList &texts, const QStringList &keys = {});
// Chooses the entry with that text (letter case aside); clears the choice when
// there is none. The list's selection handlers run as for a pick.
void chooseText(QComboBox *list, const QString &text);
// Chooses the entry whose hidden key equals key; when none has it, the entry
// with the text fallback.
void chooseKey(QComboBox *list, const QString &key, const QString &fallbackText = {});
void clearChoice(QComboBox *list);
// Chooses the entry with that text; a value the list does not offer (a bun
// made inactive, a vendor or plant no longer listed) is added as an entry
// first, so that the record shows what it holds and saving it again keeps it.
// An empty text clears the choice.
void chooseStored(QComboBox *list, const QString &text);
// The hidden key of the chosen entry; empty when nothing is chosen.
QString chosenKey(const QComboBox *list);
QString chosenText(const QComboBox *list);

// A number shown with a fixed count of decimals, with thousands separators
// when grouped ("#,##0.00" is formatFixed(v, 2, true), "0.000" formatFixed(v, 3)).
// A value with more decimals shows them (up to six), so that a field shown and
// saved again never rounds what was stored: 1.125 stays "1.125", not "1.13".
QString formatFixed(double value, int decimals, bool grouped = false);
// A column's number in that form; empty for a null column.
QString numberText(const data::Recordset &rs, const QString &column, int decimals, bool grouped = false);

// Reads a number typed into a field as money is read (blanks, "$", thousands
// separators and brackets for a negative allowed); an empty field reads as
// emptyValue, anything else that is not a number as nothing.
std::optional<double> fieldNumber(const QString &text, std::optional<double> emptyValue = 0.0);

} // namespace catalogue
