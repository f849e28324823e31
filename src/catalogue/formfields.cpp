#include "catalogue/formfields.h"

#include "data/recordset.h"
#include "core/formats.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QStandardItemModel>

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

QString formatFixed(double value, int decimals, bool grouped)
{
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    if (!grouped)
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = locale.toString(value, 'f', core::decimalsNeeded(value, decimals));
    // No "-0.00".
    if (text.startsWith(QLatin1Char('-')) && locale.toDouble(text) == 0.0)
        text.remove(0, 1);
    return text;
}

QString numberText(const data::Recordset &rs, const QString &column, int decimals, bool grouped)
{
    if (rs.isNull(column))
        return QString();
    return formatFixed(rs.number(column), decimals, grouped);
}

std::optional<double> fieldNumber(const QString &text, std::optional<double> emptyValue)
{
    if (text.trimmed().isEmpty())
        return emptyValue;
    return core::parseMoney(text);
}

} // namespace catalogue
