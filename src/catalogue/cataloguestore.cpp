#include "catalogue/cataloguestore.h"

#include "data/database.h"
#include "data/quoting.h"

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
    for (data::Recordset rs = db.query(QStringLiteral("SELECT ID, Description FROM Component ORDER BY ") + componentOrder);
         !rs.isEOF(); rs.moveNext())
        lists.componentTexts << rs.text(id) + QLatin1Char('-') + rs.text(QStringLiteral("Description"));
    return lists;
}

void saveKeyedRow(data::Database &db, const QString &table, const QString &keyColumn, const QVariant &key,
                  const ColumnValues &values)
{
    const QString keyText = key.typeId() == QMetaType::QString ? sqlText(key.toString()) : sqlNumber(key.toDouble());
    data::Recordset rs =
        db.query(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" WHERE ") + keyColumn + QStringLiteral(" = ") + keyText);
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
            db.execute(QStringLiteral("UPDATE StyleComponent SET BuggySheet = NULL WHERE ComponentID = ") + sqlText(id));
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

} // namespace catalogue
