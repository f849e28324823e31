#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

namespace data {
class Database;
} // namespace data

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
    QStringList stations;       // Operation.Station in order
    QStringList componentIds;   // Component.ID in natural order
    QStringList componentTexts; // "ID-Description", same order
    QStringList types;          // StyleType.ID
    QStringList activeBuns;     // active Bun.ID
    QStringList buns;           // every Bun.ID
    QStringList vendors;
    QStringList plants;
    QStringList customers;
    QStringList styleTexts; // "Name-Type" of every style by name
    QStringList styleIds;   // their Style.ID
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

// ---------------------------------------------------------------- catalogue tools

// Whether a style of that name and type exists for any customer (letter case aside).
bool styleNameTaken(data::Database &db, const QString &name, const QString &type);

// Copies a style under a new name and type for the source's customer: its cost,
// price and status, each component line (component and quantity) and each
// line's operations; group text, buggy groups and second-operation plants are
// not taken over. All or nothing. Answers the new style's ID; nothing when the
// name and type are taken (by any customer) or the source is gone.
std::optional<qint64> copyStyle(data::Database &db, qint64 sourceStyleId, const QString &name, const QString &type);

// A style that has a line of the component, for duplicating operations onto.
struct DuplicateTarget {
    qint64 styleId = 0;
    QString text; // "Name-Type (Customer)"
};
// The lines of the component in every style but the source, one entry per
// line (a style with two lines of it is listed twice), by name and type.
std::vector<DuplicateTarget> duplicateTargets(data::Database &db, const QString &componentId, qint64 sourceStyleId);

// The component line whose operations are duplicated, as it is stored: its
// own style and component with their texts. Nothing when the line is gone.
struct DuplicateSource {
    QString styleText; // "Name-Type"
    QString styleId;
    QString componentText; // "ID-Description"
    QString componentId;
    QString lineId; // StyleComponent.ID
};
std::optional<DuplicateSource> duplicateSource(data::Database &db, qint64 lineId);

// Replaces the operations of every line of the source line's component in each
// target style by copies of the source line's operations (second operation and
// plant included; an empty split is 0, an empty second operation or plant
// empty text). The source is the line with its own style and component, read
// in the same transaction; its own style is never a target. All or nothing;
// false, with nothing written, when the source line is gone.
bool duplicateOperations(data::Database &db, qint64 sourceLineId, const std::vector<qint64> &targetStyleIds);

// Customers that have styles.
QStringList styleCustomers(data::Database &db);
struct StylePrice {
    qint64 id = 0;
    QString text; // "Name-Type    ($0.00)"
};
// The customer's styles, inactive ones too, by name, type and price.
std::vector<StylePrice> customerStylePrices(data::Database &db, const QString &customer);
// Changes the prices of the styles by the rate (0.05 is plus 5 %), taken to
// the hundredth of a per cent: each price plus its change in cents, rounded to
// cents. One statement.
void changeStylePrices(data::Database &db, const std::vector<qint64> &styleIds, double rate);
// The rate as it is applied: rounded to the hundredth of a per cent.
double appliedRate(double rate);

} // namespace catalogue
