#include "catalogue/formfields.h"

#include "data/recordset.h"
#include "core/formats.h"
#include "core/vbnumeric.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <algorithm>
#include <cmath>

namespace catalogue {

void fillList(QComboBox *list, const QStringList &texts, const QStringList &keys)
{
    const QSignalBlocker blocker(list);
    list->clear();
    if (keys.isEmpty()) {
        list->addItems(texts);
    } else {
        // One model reset instead of an insert per entry: the style lists hold
        // every style of the catalogue.
        auto *model = new QStandardItemModel(list);
        QList<QStandardItem *> items;
        items.reserve(texts.size());
        for (qsizetype i = 0; i < texts.size(); ++i) {
            auto *item = new QStandardItem(texts[i]);
            item->setData(keys.value(i), Qt::UserRole);
            items << item;
        }
        model->invisibleRootItem()->appendRows(items);
        // The list deletes the model it owned before.
        list->setModel(model);
    }
    list->setCurrentIndex(-1);
    if (list->isEditable())
        list->setEditText(QString());
}

void chooseText(QComboBox *list, const QString &text)
{
    list->setCurrentIndex(text.isEmpty() ? -1 : list->findText(text, Qt::MatchFixedString));
}

void chooseKey(QComboBox *list, const QString &key, const QString &fallbackText)
{
    const int found = key.isEmpty() ? -1 : list->findData(key, Qt::UserRole, Qt::MatchFixedString);
    if (found >= 0)
        list->setCurrentIndex(found);
    else
        chooseText(list, fallbackText);
}

void chooseStored(QComboBox *list, const QString &text)
{
    if (!text.isEmpty() && list->findText(text, Qt::MatchFixedString) < 0) {
        const QSignalBlocker blocker(list);
        const int current = list->currentIndex();
        list->addItem(text);
        list->setCurrentIndex(current);
    }
    chooseText(list, text);
}

void clearChoice(QComboBox *list)
{
    list->setCurrentIndex(-1);
}

QString chosenKey(const QComboBox *list)
{
    return list->currentIndex() < 0 ? QString() : list->currentData(Qt::UserRole).toString();
}

QString chosenText(const QComboBox *list)
{
    return list->currentIndex() < 0 ? QString() : list->currentText();
}

QString naturalOrder(const QString &column)
{
    return QStringLiteral("case IsNumeric(%1) when 1 then Replicate('0', 100 - Len(%1)) + %1 else %1 end").arg(column);
}

namespace {

// The decimals a value needs to be shown without loss: at least the format's,
// more (up to six) when the value has them.
int decimalsNeeded(double value, int decimals)
{
    for (int d = decimals; d < 6; ++d) {
        const double scale = std::pow(10.0, d);
        if (std::fabs(std::round(value * scale) / scale - value) <= 1e-9 * std::max(1.0, std::fabs(value)))
            return d;
    }
    return 6;
}

} // namespace

QString formatFixed(double value, int decimals, bool grouped)
{
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    if (!grouped)
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', decimalsNeeded(value, decimals));
    // No "-0.00".
    if (text.startsWith(QLatin1Char('-')) && locale.toDouble(text) == 0.0)
        text.remove(0, 1);
    return text;
}

QString moneyText(double value)
{
    if (decimalsNeeded(value, 2) == 2)
        return core::formatMoney(value);
    const QString text = QLatin1Char('$') + formatFixed(std::fabs(value), 2, true);
    return value < 0 ? QLatin1Char('(') + text + QLatin1Char(')') : text;
}

QString numberText(const data::Recordset &rs, const QString &column, int decimals, bool grouped)
{
    if (rs.isNull(column))
        return QString();
    return formatFixed(rs.number(column), decimals, grouped);
}

std::optional<double> readAmount(const QString &text, std::optional<double> emptyValue)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return emptyValue;
    bool negative = false;
    if (t.startsWith(QLatin1Char('(')) && t.endsWith(QLatin1Char(')'))) {
        negative = true;
        t = t.mid(1, t.size() - 2).trimmed();
    }
    t.remove(QLatin1Char('$'));
    t.remove(QLatin1Char(','));
    if (!core::IsNumeric(t))
        return std::nullopt;
    if (negative && (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))))
        return std::nullopt;
    const double value = core::Val(t);
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace catalogue
