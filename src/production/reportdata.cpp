#include "production/reportdata.h"

#include "data/database.h"
#include "data/quoting.h"
#include "core/vbnumeric.h"

#include <cmath>

namespace production {

namespace {

using data::sqlLiteral;
using data::sqlNumber;
using data::sqlText;

const QString kJoins = QStringLiteral(
    " From (((((((Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON "
    "OrderItems.StyleID = Style.ID) LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN "
    "Component ON StyleComponent.ComponentID = Component.ID) LEFT JOIN StyleOperation ON StyleComponent.StyleID = "
    "StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID) LEFT JOIN Operation ON "
    "StyleOperation.OperationID = Operation.Station) LEFT JOIN Bun ON Component.BunID = Bun.ID)");

const QString kSelected = QStringLiteral(
    "Orders.ID, Orders.Customer, Orders.OrderDate, Orders.DueDate, Orders.OrderNumber, "
    "StyleComponent.ComponentID, Component.Description, Component.Thickness, Component.Width, Component.Length, "
    "Component.Cutstyle, Component.Test, Component.TestRange, Component.Topped, Component.RailsPerBun, "
    "Component.PiecesPerRail, Component.PrintOnShipping, Component.Arm, Component.Tie, Component.Plant, "
    "StyleOperation.OperationID, StyleOperation.SplitQty, StyleOperation.Operation2ID, %1, Operation.ReportType, "
    "StyleOperation.Instructions, StyleOperation.Thickness, StyleOperation.Width, StyleOperation.Length, Bun.Width, "
    "Bun.Length, Bun.Grade, Bun.OffAll, Bun.Vendor, Bun.ID");

QString buildStatement(qint32 orderId, const ComponentList &components, bool stencil)
{
    QString sql =
        QStringLiteral(
            "SELECT  Orders.ID AS OrderID, Orders.Customer, Orders.OrderDate, Orders.DueDate, Orders.OrderNumber, "
            "MAX(OrderItems.Line) AS LineNumber, MAX(Style.Name + '-' + Style.Type) AS StyleName, "
            "SUM(OrderItems.Qty*StyleComponent.Qty) AS OrderQty, StyleComponent.ComponentID AS ComponentID, "
            "Component.Description, Component.Thickness AS CThickness, Component.Width AS CWidth, Component.Length AS "
            "CLength, Component.Cutstyle, Component.Test, Component.TestRange, Component.Topped, Component.RailsPerBun, "
            "Component.PiecesPerRail, Component.PrintOnShipping, Component.Arm, Component.Tie, Component.Plant, "
            "StyleOperation.OperationID, StyleOperation.SplitQty, StyleOperation.Operation2ID, %1, Operation.ReportType, "
            "StyleOperation.Instructions, StyleOperation.Thickness AS OThickness, StyleOperation.Width AS OWidth, "
            "StyleOperation.Length AS OLength, Bun.Width AS BWidth, Bun.Length AS BLength, Bun.Grade, Bun.OffAll, "
            "Bun.Vendor, Bun.ID AS BunID%2")
            .arg(stencil ? QStringLiteral("StyleOperation.Plant2")
                         : QStringLiteral("ISNULL(StyleOperation.Plant2,'') AS Plant2"),
                 stencil ? QStringLiteral(", Style.GroupField") : QString());
    sql += kJoins;
    sql += QStringLiteral(" Where Orders.ID = %1").arg(sqlNumber(qint64(orderId)));
    sql += stencil
        ? QStringLiteral(" AND ReportType LIKE '%Stencil%'")
        : QStringLiteral(" AND (ReportType = 'Band Saw' OR ReportType = 'CNC' OR ReportType = 'Fiber Table' OR "
                         "ReportType = 'CNC Stencil')");
    sql += QStringLiteral(" AND StyleComponent.ID IN (%1) Group By ").arg(componentListSql(components));
    sql += QString(kSelected).arg(stencil ? QStringLiteral("StyleOperation.Plant2")
                                          : QStringLiteral("ISNULL(StyleOperation.Plant2,'')"));
    if (stencil)
        sql += QStringLiteral(", Style.GroupField");
    sql += QStringLiteral(" order By ReportType , OperationID, Operation2ID");
    return sql;
}

QString flag(const data::Recordset &rs, const char *name)
{
    return rs.flag(QString::fromLatin1(name)) ? QStringLiteral("1") : QStringLiteral("0");
}

// One work-table row from a result row, at a station and plant with a quantity.
QString insertStatement(const data::Recordset &rs, double qty, const QString &station, const QString &plant)
{
    const auto v = [&rs](const char *name) { return sqlLiteral(rs.value(QString::fromLatin1(name))); };
    const QStringList values = {
        v("OrderID"),    v("Customer"),      v("OrderDate"),   v("DueDate"),       v("OrderNumber"),
        v("LineNumber"), v("StyleName"),     v("ComponentID"), sqlNumber(qty),     v("Description"),
        v("CThickness"), v("CWidth"),        v("CLength"),     v("Cutstyle"),      flag(rs, "Test"),
        v("TestRange"),  v("Topped"),        v("RailsPerBun"), v("PiecesPerRail"), flag(rs, "PrintOnShipping"),
        flag(rs, "Arm"), flag(rs, "Tie"),    sqlText(station), v("ReportType"),    v("Instructions"),
        v("OThickness"), v("OWidth"),        v("OLength"),     v("BWidth"),        v("BLength"),
        v("Grade"),      flag(rs, "OffAll"), sqlText(plant),   v("Vendor"),        v("BunID")};
    return QStringLiteral("INSERT INTO tmpReportData VALUES (%1)").arg(values.join(QLatin1Char(',')));
}

void build(data::Database &db, qint32 orderId, const ComponentList &components, bool stencil)
{
    using core::Round;
    data::Transaction tx(db);
    db.execute(stencil ? QStringLiteral("DELETE FROM tmpReportData WHERE ReportType LIKE '%Stencil%'")
                       : QStringLiteral("DELETE FROM tmpReportData"));
    if (components.empty()) {
        // Nothing chosen: nothing to cut.
        tx.commit();
        return;
    }
    data::Recordset rs = db.query(buildStatement(orderId, components, stencil));
    QStringList inserts;
    for (; !rs.isEOF(); rs.moveNext()) {
        const double orderQty = rs.number(QStringLiteral("OrderQty"));
        const double q = Round(orderQty, 2);
        const double split = rs.number(QStringLiteral("SplitQty")); // null: no split
        const QString type = rs.text(QStringLiteral("ReportType"));
        const QString station = rs.text(QStringLiteral("OperationID"));
        const QString plant = rs.text(QStringLiteral("Plant"));
        const QString station2 = rs.text(QStringLiteral("Operation2ID"));
        const QString plant2 = rs.text(QStringLiteral("Plant2")).isEmpty() ? plant : rs.text(QStringLiteral("Plant2"));
        const bool cutFromBuns =
            type == QLatin1String("Band Saw") || type == QLatin1String("CNC") || type == QLatin1String("CNC Stencil");
        // A split names where the part goes: without a second station the
        // pieces stay at the first one, as if there were no split.
        if (split == 0 || station2.trimmed().isEmpty()) {
            inserts << insertStatement(rs, orderQty, station, plant);
        } else if (cutFromBuns) {
            const double p =
                Round(rs.number(QStringLiteral("PiecesPerRail")) * rs.number(QStringLiteral("RailsPerBun")), 2);
            if (p == 0) {
                inserts << insertStatement(rs, q, station, plant);
                continue;
            }
            const double b = Round(q / p, 4);
            const double f = RoundedRemainder(b, 1);
            if (split > f) {
                // The whole buns stay; the part bun goes to the second station.
                inserts << insertStatement(rs, Round((b - f) * p, 0), station, plant);
                inserts << insertStatement(rs, Round(p * f, 0), station2, plant2);
            } else {
                inserts << insertStatement(rs, q, station, plant);
            }
        } else if (type == QLatin1String("Fiber Table")) {
            const double perRoll = rs.number(QStringLiteral("PiecesPerRail"));
            if (perRoll == 0) {
                inserts << insertStatement(rs, q, station, plant);
                continue;
            }
            // Fewer rolls than the threshold: the whole quantity moves.
            const double r = Round(q / perRoll, 4);
            inserts << (split > r ? insertStatement(rs, q, station2, plant2) : insertStatement(rs, q, station, plant));
        }
    }
    rs.close();
    for (const QString &insert : inserts)
        db.execute(insert);
    // Moved rows (and the rows left behind) that rounded to nothing.
    db.execute(QStringLiteral("DELETE FROM tmpReportData WHERE Qty = 0 OR OperationID = ''"));
    tx.commit();
}

} // namespace

double RoundedRemainder(double a, double b)
{
    return core::Round(a - std::floor(a / b) * b, 4);
}

void BuildReportData(data::Database &db, qint32 orderId, const ComponentList &components)
{
    build(db, orderId, components, false);
}

void BuildStencilReportData(data::Database &db, qint32 orderId, const ComponentList &components)
{
    build(db, orderId, components, true);
}

} // namespace production
