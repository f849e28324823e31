#include "catalogue/cataloguestore.h"

#include "data/database.h"
#include "data/quoting.h"

#include <QLocale>
#include <cmath>

using data::sqlNumber;
using data::sqlText;

namespace catalogue {

namespace {

QStringList column(data::Database &db, const QString &statement, const QString &name)
{
    QStringList values;
    for (data::Recordset rs = db.query(statement); !rs.isEOF(); rs.moveNext())
        values << rs.text(name);
    return values;
}

} // namespace

QString naturalOrder(const QString &column)
{
    return QStringLiteral("case IsNumeric(%1) when 1 then Replicate('0', 100 - Len(%1)) + %1 else %1 end").arg(column);
}

CatalogueLists loadCatalogueLists(data::Database &db)
{
    const QString id = QStringLiteral("ID");
    const QString componentOrder = naturalOrder(id);
    CatalogueLists lists;
    lists.stations = column(db, QStringLiteral("SELECT * FROM Operation ORDER BY Station"), QStringLiteral("Station"));
    lists.activeBuns = column(db, QStringLiteral("SELECT ID FROM Bun WHERE Status = 'Active' ORDER BY ID"), id);
    lists.componentIds = column(db, QStringLiteral("SELECT ID FROM Component ORDER BY ") + componentOrder, id);
    lists.types = column(db, QStringLiteral("SELECT ID FROM StyleType ORDER BY ID"), id);
    lists.buns = column(db, QStringLiteral("SELECT ID FROM Bun ORDER BY ID"), id);
    lists.vendors = column(db, QStringLiteral("SELECT Vendor FROM Vendor ORDER BY Vendor"), QStringLiteral("Vendor"));
    lists.plants = column(db, QStringLiteral("SELECT * FROM Plants ORDER BY Name"), QStringLiteral("Name"));
    lists.customers =
        column(db, QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer"), QStringLiteral("Customer"));
    for (data::Recordset rs = db.query(QStringLiteral("SELECT ID, Name, Type FROM Style ORDER BY Name")); !rs.isEOF();
         rs.moveNext()) {
        lists.styleTexts << rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type"));
        lists.styleIds << rs.text(id);
    }
    for (data::Recordset rs =
             db.query(QStringLiteral("SELECT ID, Description FROM Component ORDER BY ") + componentOrder);
         !rs.isEOF(); rs.moveNext())
        lists.componentTexts << rs.text(id) + QLatin1Char('-') + rs.text(QStringLiteral("Description"));
    return lists;
}

void saveKeyedRow(data::Database &db, const QString &table, const QString &keyColumn, const QVariant &key,
                  const ColumnValues &values)
{
    const QString keyText = key.typeId() == QMetaType::QString ? sqlText(key.toString()) : sqlNumber(key.toDouble());
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + keyColumn
                                  + QStringLiteral(" = ") + keyText);
    if (rs.isEmpty())
        rs.addNew();
    for (const auto &[name, value] : values)
        rs.setValue(name, value);
    rs.update();
}

void saveComponent(data::Database &db, const QString &id, const ColumnValues &values)
{
    data::Transaction transaction(db);
    for (const auto &[name, value] : values)
        if (name.compare(QLatin1String("QtyPerBuggy"), Qt::CaseInsensitive) == 0 && value.toDouble() <= 0)
            db.execute(QStringLiteral("UPDATE StyleComponent SET BuggySheet = NULL WHERE ComponentID = ")
                       + sqlText(id));
    saveKeyedRow(db, QStringLiteral("Component"), QStringLiteral("ID"), id, values);
    transaction.commit();
}

void deleteComponentLine(data::Database &db, qint64 lineId)
{
    data::Transaction transaction(db);
    db.execute(QStringLiteral("DELETE FROM StyleOperation WHERE ComponentID = ") + sqlNumber(lineId));
    db.execute(QStringLiteral("DELETE FROM StyleComponent WHERE ID = ") + sqlNumber(lineId));
    transaction.commit();
}

void saveBuggyGroups(data::Database &db, const std::vector<std::optional<qint64>> &rows)
{
    data::Transaction transaction(db);
    int group = 1;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (!rows[row]) {
            if (row != 0)
                ++group;
            continue;
        }
        db.execute(QStringLiteral("UPDATE StyleComponent SET BuggySheet = ") + sqlNumber(group)
                   + QStringLiteral(" WHERE ID = ") + sqlNumber(*rows[row]));
    }
    transaction.commit();
}

// ---------------------------------------------------------------- catalogue tools

bool styleNameTaken(data::Database &db, const QString &name, const QString &type)
{
    return !db.query(QStringLiteral("SELECT ID FROM Style WHERE Name = ") + sqlText(name)
                     + QStringLiteral(" AND Type = ") + sqlText(type))
                .isEmpty();
}

std::optional<qint64> copyStyle(data::Database &db, qint64 sourceStyleId, const QString &name, const QString &type)
{
    data::Transaction transaction(db);
    if (styleNameTaken(db, name, type))
        return std::nullopt;
    const data::Recordset source =
        db.query(QStringLiteral("SELECT * FROM Style WHERE ID = ") + sqlNumber(sourceStyleId));
    if (source.isEmpty())
        return std::nullopt;
    const qint64 styleId = data::addRow(db, QStringLiteral("Style"),
                                        {{QStringLiteral("Name"), name},
                                         {QStringLiteral("Customer"), source.value(QStringLiteral("Customer"))},
                                         {QStringLiteral("Type"), type},
                                         {QStringLiteral("Price"), source.value(QStringLiteral("Price"))},
                                         {QStringLiteral("Cost"), source.number(QStringLiteral("Cost"))},
                                         {QStringLiteral("Status"), source.value(QStringLiteral("Status"))}})
                               .integer(QStringLiteral("ID"));
    for (data::Recordset line = db.query(QStringLiteral("SELECT * FROM StyleComponent WHERE StyleID = ")
                                         + sqlNumber(sourceStyleId) + QStringLiteral(" ORDER BY ID"));
         !line.isEOF(); line.moveNext()) {
        const qint64 lineId = data::addRow(db, QStringLiteral("StyleComponent"),
                                           {{QStringLiteral("ComponentID"), line.value(QStringLiteral("ComponentID"))},
                                            {QStringLiteral("Qty"), line.value(QStringLiteral("Qty"))},
                                            {QStringLiteral("StyleID"), styleId}})
                                  .integer(QStringLiteral("ID"));
        for (data::Recordset op =
                 db.query(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = ") + sqlNumber(sourceStyleId)
                          + QStringLiteral(" AND ComponentID = ") + sqlNumber(line.integer(QStringLiteral("ID")))
                          + QStringLiteral(" ORDER BY ID"));
             !op.isEOF(); op.moveNext()) {
            ColumnValues values;
            for (const char *column :
                 {"OperationID", "Instructions", "Thickness", "Width", "Length", "SplitQty", "Operation2ID"})
                values.emplace_back(QLatin1String(column), op.value(QLatin1String(column)));
            values.emplace_back(QStringLiteral("StyleID"), styleId);
            values.emplace_back(QStringLiteral("ComponentID"), lineId);
            data::addRow(db, QStringLiteral("StyleOperation"), values);
        }
    }
    transaction.commit();
    return styleId;
}

namespace {
const QString kComponentLines = QStringLiteral(
    "SELECT Style.ID AS StyleID,Style.Name,Style.Type,StyleComponent.ID AS StyleComponentID,StyleComponent.ComponentID,"
    "Style.Customer FROM StyleComponent LEFT JOIN Style ON StyleComponent.StyleID = Style.ID WHERE ComponentID = ");
const QString kComponentLinesOrder = QStringLiteral(" ORDER BY Style.Name,Style.Type,ComponentID,StyleComponent.ID");

bool blank(const QVariant &value)
{
    return value.isNull() || value.toString().trimmed().isEmpty();
}
} // namespace

std::vector<DuplicateTarget> duplicateTargets(data::Database &db, const QString &componentId, qint64 sourceStyleId)
{
    std::vector<DuplicateTarget> targets;
    for (data::Recordset rs = db.query(kComponentLines + sqlText(componentId) + QStringLiteral(" AND Style.ID <> ")
                                       + sqlNumber(sourceStyleId) + kComponentLinesOrder);
         !rs.isEOF(); rs.moveNext())
        targets.push_back({rs.integer(QStringLiteral("StyleID")),
                           rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type"))
                               + QStringLiteral(" (") + rs.text(QStringLiteral("Customer")) + QLatin1Char(')')});
    return targets;
}

std::optional<DuplicateSource> duplicateSource(data::Database &db, qint64 lineId)
{
    data::Recordset rs = db.query(
        QStringLiteral("SELECT StyleComponent.StyleID,StyleComponent.ComponentID,Style.Name,Style.Type,"
                       "Component.Description FROM (StyleComponent LEFT JOIN Style ON StyleComponent.StyleID = "
                       "Style.ID) LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID WHERE "
                       "StyleComponent.ID = ")
        + sqlNumber(lineId));
    if (rs.isEmpty())
        return std::nullopt;
    const QString componentId = rs.text(QStringLiteral("ComponentID"));
    return DuplicateSource{rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type")),
                           rs.text(QStringLiteral("StyleID")),
                           componentId + QLatin1Char('-') + rs.text(QStringLiteral("Description")), componentId,
                           QString::number(lineId)};
}

bool duplicateOperations(data::Database &db, qint64 sourceLineId, const std::vector<qint64> &targetStyleIds)
{
    data::Transaction transaction(db);
    // The source as it stands now: its own style and component. Held until the
    // copies are written (SQLite's write lock already holds every row).
    const QString sourceLine =
        QStringLiteral("SELECT StyleID,ComponentID FROM StyleComponent WHERE ID = ") + sqlNumber(sourceLineId);
    const data::Recordset source = db.dialect() == data::Dialect::PostgreSQL
        ? db.queryNative(sourceLine + QStringLiteral(" FOR UPDATE"))
        : db.query(sourceLine);
    if (source.isEmpty())
        return false;
    const qint64 sourceStyleId = source.integer(QStringLiteral("StyleID"));
    const QString componentId = source.text(QStringLiteral("ComponentID"));
    std::vector<ColumnValues> copies;
    for (data::Recordset op = db.query(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = ")
                                       + sqlNumber(sourceStyleId) + QStringLiteral(" AND ComponentID = ")
                                       + sqlNumber(sourceLineId) + QStringLiteral(" ORDER BY ID"));
         !op.isEOF(); op.moveNext()) {
        ColumnValues values;
        for (const char *column : {"OperationID", "Instructions", "Thickness", "Width", "Length"})
            values.emplace_back(QLatin1String(column), op.value(QLatin1String(column)));
        const QVariant split = op.value(QStringLiteral("SplitQty"));
        values.emplace_back(QStringLiteral("SplitQty"), blank(split) ? QVariant(0) : split);
        for (const char *column : {"Operation2ID", "Plant2"}) {
            const QVariant value = op.value(QLatin1String(column));
            values.emplace_back(QLatin1String(column), blank(value) ? QVariant(QString()) : value);
        }
        copies.push_back(std::move(values));
    }
    for (qint64 target : targetStyleIds) {
        if (target == sourceStyleId)
            continue; // the source's own style is never a target
        for (data::Recordset line = db.query(kComponentLines + sqlText(componentId) + QStringLiteral(" AND Style.ID = ")
                                             + sqlNumber(target) + kComponentLinesOrder);
             !line.isEOF(); line.moveNext()) {
            const qint64 lineId = line.integer(QStringLiteral("StyleComponentID"));
            db.execute(QStringLiteral("DELETE FROM StyleOperation WHERE StyleID = ") + sqlNumber(target)
                       + QStringLiteral(" AND ComponentID = ") + sqlNumber(lineId));
            for (ColumnValues values : copies) {
                values.emplace_back(QStringLiteral("StyleID"), target);
                values.emplace_back(QStringLiteral("ComponentID"), lineId);
                data::addRow(db, QStringLiteral("StyleOperation"), values);
            }
        }
    }
    transaction.commit();
    return true;
}

QStringList styleCustomers(data::Database &db)
{
    return column(db, QStringLiteral("SELECT DISTINCT Customer FROM Style ORDER BY Customer"),
                  QStringLiteral("Customer"));
}

std::vector<StylePrice> customerStylePrices(data::Database &db, const QString &customer)
{
    static const QLocale us(QLocale::English, QLocale::UnitedStates);
    std::vector<StylePrice> styles;
    for (data::Recordset rs = db.query(QStringLiteral("SELECT ID,Name,Type,Price FROM Style WHERE Customer = ")
                                       + sqlText(customer) + QStringLiteral(" ORDER BY Name,Type,Price"));
         !rs.isEOF(); rs.moveNext()) {
        // "$0.00": no thousands separators, a minus sign for a negative price.
        const double price = rs.number(QStringLiteral("Price"));
        QString money = QLatin1Char('$') + us.toString(std::fabs(price), 'f', 2).remove(QLatin1Char(','));
        if (std::round(price * 100) < 0)
            money.prepend(QLatin1Char('-'));
        styles.push_back({rs.integer(QStringLiteral("ID")),
                          rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type"))
                              + QStringLiteral("    (") + money + QLatin1Char(')')});
    }
    return styles;
}

double appliedRate(double rate)
{
    return std::round(rate * 10000.0) / 10000.0;
}

void changeStylePrices(data::Database &db, const std::vector<qint64> &styleIds, double rate)
{
    if (styleIds.empty())
        return;
    QStringList ids;
    for (qint64 id : styleIds)
        ids << sqlNumber(id);
    db.execute(QStringLiteral("UPDATE Style SET Price = ROUND((Price + ROUND((Price * ") + sqlNumber(appliedRate(rate))
               + QStringLiteral("),2)),2) WHERE ID IN (") + ids.join(QLatin1Char(',')) + QLatin1Char(')'));
}

} // namespace catalogue
