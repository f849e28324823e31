#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

namespace data { class Database; }

// The style catalogue as its screens read and write it: plain functions, no
// widgets. Writes of several rows run in one transaction, so a failure leaves
// the catalogue as it was.
namespace catalogue {

using ColumnValues = std::vector<std::pair<QString, QVariant>>;

// The ordering expression under which codes of digits sort by value:
// case IsNumeric(c) when 1 then Replicate('0', 100 - Len(c)) + c else c end.
QString naturalOrder(const QString &column);

// The lists every tab of the style screen offers, read once per refresh.
struct CatalogueLists {
    QStringList stations;        // Operation.Station in order
    QStringList componentIds;    // Component.ID in natural order
    QStringList componentTexts;  // "ID-Description", same order
    QStringList types;           // StyleType.ID
    QStringList activeBuns;      // active Bun.ID
    QStringList buns;            // every Bun.ID
    QStringList vendors;
    QStringList plants;
    QStringList customers;
    QStringList styleTexts;      // "Name-Type" of every style by name
    QStringList styleIds;        // their Style.ID
};
CatalogueLists loadCatalogueLists(data::Database &db);

// The row of table whose keyColumn holds key, written with the values (the key
// among them); added when there is none.
void saveKeyedRow(data::Database &db, const QString &table, const QString &keyColumn, const QVariant &key,
                  const ColumnValues &values);

// Writes a component. A component taken off the buggies (QtyPerBuggy 0) leaves
// the buggy groups of every style that uses it.
void saveComponent(data::Database &db, const QString &id, const ColumnValues &values);

// Deletes a component line with its operations; the component itself stays.
void deleteComponentLine(data::Database &db, qint64 lineId);

// Stores the buggy groups of a style: the lines (by StyleComponent.ID) in the
// order shown, a break as nothing. Lines above the first break form group 1;
// a break at the top counts for nothing.
void saveBuggyGroups(data::Database &db, const std::vector<std::optional<qint64>> &rows);

} // namespace catalogue
