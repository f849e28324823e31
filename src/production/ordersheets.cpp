#include "production/ordersheets.h"

#include "data/database.h"
#include "data/quoting.h"

namespace production {

namespace {

using data::sqlNumber;
using data::sqlText;

const QString kComponentSelect = QStringLiteral(
    "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,OrderItems.ItemNumber,"
    "OrderItems.Line,OrderItems.Qty%1,OrderItems.PriceEach,OrderItems.PriceExt,Style.ID,Style.Name,Style.Type,"
    "StyleComponent.ID,StyleComponent.ComponentID,StyleComponent.Qty%2,Component.Description,Component.Thickness,"
    "Component.Width,Component.Length,Component.Cutstyle,Component.Test,Component.TestRange,Component.Topped,"
    "Component.RailsPerBun,Component.PiecesPerRail,Component.PrintOnShipping,Component.Arm,Component.Tie, "
    "Bun.Width,Bun.Length,Bun.Grade%3 FROM (((((Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) "
    "LEFT JOIN Style ON OrderItems.StyleID = Style.ID) LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) "
    "LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID) LEFT JOIN Bun ON Component.BunID = Bun.ID)");

QString order(qint32 orderId)
{
    return sqlNumber(qint64(orderId));
}

void addSheet(Printout &out, data::Database &db, const QString &definition, const QString &statement,
              const QString &plant, const QString &title, const QString &department = {})
{
    if (reporting::ReportPtr report = orderSheet(db, definition, statement, plant, title, department))
        out.add(report, plant);
}

} // namespace

reporting::ReportPtr orderSheet(data::Database &db, const QString &definition, const QString &statement,
                                const QString &plant, const QString &title, const QString &department)
{
    data::Recordset rs = db.query(statement);
    if (rs.isEmpty())
        return nullptr;
    reporting::ReportPtr report = reporting::CreateReport(definition);
    reporting::SetReportData(report, reportRows(rs));
    reporting::LoadReportData(report);
    if (!department.isEmpty())
        reporting::SetReportText(report, QStringLiteral("txtDepartment"), department);
    reporting::SetReportText(report, QStringLiteral("txtPlant"), plant);
    reporting::SetCompanyHeading(report);
    if (!title.isEmpty())
        reporting::SetReportText(report, QStringLiteral("txtTitle"), title);
    return report;
}

void PrintTestSheet(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                    const ComponentList &components)
{
    if (components.empty())
        return;
    const QString sql = kComponentSelect.arg(QString(), QString(), QStringLiteral(",Bun.OffAll"))
        + QStringLiteral(
              " WHERE Component.Plant = %1 AND Component.Test = 1 AND Orders.ID = %2 AND StyleComponent.ID IN (%3)")
              .arg(sqlText(plant), order(orderId), componentListSql(components));
    addSheet(out, db, QStringLiteral("crptTest"), sql, plant, QStringLiteral("Test Sheet"));
}

void PrintTieSheet(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                   const ComponentList &components, const QString &kind)
{
    if (components.empty())
        return;
    const bool foam = kind == QLatin1String("Foam");
    // Fiber is cut from buns whose IDs begin with FB or PC. A component
    // without a bun is in neither list.
    const QString material = foam ? QStringLiteral("AND (Bun.ID NOT LIKE 'FB%' AND Bun.ID NOT LIKE 'PC%')")
                                  : QStringLiteral("AND (Bun.ID LIKE 'FB%' OR Bun.ID LIKE 'PC%')");
    const QString sql = kComponentSelect.arg(QStringLiteral(" AS ItemQty"), QStringLiteral(" AS CompQty"), QString())
        + QStringLiteral(
              " WHERE Component.Plant = %1 AND Component.Tie = 1 AND Orders.ID = %2 AND StyleComponent.ID IN (%3)")
              .arg(sqlText(plant), order(orderId), componentListSql(components))
        + material;
    addSheet(out, db, QStringLiteral("crptTie"), sql, plant, QStringLiteral("Tie Sheet"),
             foam ? QStringLiteral("Saw Department") : QStringLiteral("Fabrication Department"));
}

void PrintTopOutSawSheet(Printout &out, data::Database &db, qint32 orderId, const QString &plant)
{
    // Every band saw row, and the CNC rows of components no band saw cuts
    // anywhere in the order; never off-all buns.
    const QString sql =
        QStringLiteral(
            "SELECT * FROM tmpReportData WHERE Plant = %1 AND OrderID = %2 AND OffAll = 0  AND (ReportType = 'Band Saw' "
            "OR (ReportType = 'CNC' AND ComponentID NOT IN (SELECT StyleComponent.ComponentID FROM (((((((Orders LEFT JOIN "
            "OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) LEFT JOIN "
            "StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN Component ON StyleComponent.ComponentID = "
            "Component.ID) LEFT JOIN StyleOperation ON StyleComponent.StyleID = StyleOperation.StyleID AND "
            "StyleComponent.ID = StyleOperation.ComponentID) LEFT JOIN Operation ON StyleOperation.OperationID = "
            "Operation.Station) LEFT JOIN Bun ON Component.BunID = Bun.ID) WHERE Orders.ID = %2 AND ReportType = 'Band "
            "Saw'))) ORDER BY OperationID,Grade,BWidth,BLength")
            .arg(sqlText(plant), order(orderId));
    addSheet(out, db, QStringLiteral("crptTopOutSaw"), sql, plant, QStringLiteral("Top Out Saw"));
}

void PrintShipmentComponents(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                             const ComponentList &components)
{
    if (components.empty())
        return;
    const QString sql =
        QStringLiteral(
            "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,ShipTo,ShipToAddress1,"
            "ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,OrderItems.ItemNumber,OrderItems.Line,"
            "OrderItems.Qty AS IQty,OrderItems.PriceEach,OrderItems.PriceExt,Style.ID,Style.Name,Style.Type,"
            "StyleComponent.ID,StyleComponent.ComponentID,StyleComponent.Qty,Component.Description,Component.Thickness,"
            "Component.Width,Component.Length,Component.Cutstyle,Component.Test,Component.TestRange,Component.Topped,"
            "Component.RailsPerBun,Component.PiecesPerRail,Component.Arm,Component.Tie FROM ((((Orders LEFT JOIN OrderItems "
            "ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) LEFT JOIN StyleComponent "
            "ON Style.ID = StyleComponent.StyleID) LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID) WHERE "
            "Component.Plant = %1 AND Component.PrintOnShipping = 1 AND Orders.ID = %2 AND StyleComponent.ID IN (%3)  "
            "ORDER BY OrderItems.Line,OrderItems.ItemNumber,Style.ID,Style.Type,Component.Description")
            .arg(sqlText(plant), order(orderId), componentListSql(components));
    addSheet(out, db, QStringLiteral("crptLoadSheetOld"), sql, plant, QString());
}

void PrintFoamOrder(Printout &out, data::Database &db, qint32 orderId, const QString &plant)
{
    // Foam is ordered for the work of these stations only.
    const QString sql =
        QStringLiteral(
            "SELECT * FROM tmpReportData  WHERE Plant = %1 AND OrderID = %2 AND OffAll = 0 AND (OperationID = 'Band Saw 1' "
            "OR OperationID = 'Band Saw 2' OR OperationID = 'CNC' OR OperationID = 'V-S FOAM' OR OperationID = 'WIRE FOAM') "
            "ORDER BY Vendor,OperationID,Grade,BWidth,BLength")
            .arg(sqlText(plant), order(orderId));
    addSheet(out, db, QStringLiteral("crptFoamOrder"), sql, plant, QStringLiteral("Foam Order"));
}

void PrintFiberOrder(Printout &out, data::Database &db, qint32 orderId, const QString &plant)
{
    const QString sql =
        QStringLiteral(
            "SELECT * FROM tmpReportData  WHERE Plant = %1 AND OrderID = %2 AND OffAll = 0 AND ReportType = 'Fiber Table' "
            "ORDER BY Vendor,OperationID,BunID,Grade,BWidth DESC,BLength DESC")
            .arg(sqlText(plant), order(orderId));
    addSheet(out, db, QStringLiteral("crptFiberOrder"), sql, plant, QStringLiteral("Fiber Order"));
}

} // namespace production
