#include "shipping/loadsheet.h"

#include "core/vbnumeric.h"
#include "data/database.h"
#include "data/quoting.h"
#include "production/ordersheets.h"
#include "production/scancodes.h"
#include "production/stationsheets.h"

namespace shipping {

namespace {

using data::sqlNumber;

// The planned load's lines with their components, operations and stations.
QString stationRows(const QString &station)
{
    return QStringLiteral(
               "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,"
               "OrderItems.ItemNumber,OrderItems.Line,tmpLoadSheet.Qty,OrderItems.PriceEach,OrderItems.PriceExt,"
               "Style.ID,Style.Name,Style.Type,StyleComponent.ID,StyleComponent.ComponentID,StyleComponent.Qty,"
               "Component.Description,Component.Thickness,Component.Width,Component.Length,Component.Cutstyle,"
               "Component.Test,Component.TestRange,Component.Topped,Component.RailsPerBun,Component.PiecesPerRail,"
               "Component.PrintOnShipping,Component.Arm,Component.Tie,StyleOperation.ID,StyleOperation.OperationID,"
               "Operation.ReportType,StyleOperation.Instructions,StyleOperation.Thickness,StyleOperation.Width,"
               "StyleOperation.Length "
               " FROM ((((((tmpLoadSheet LEFT JOIN OrderItems ON tmpLoadSheet.OrderID = OrderItems.OrderID AND "
               "tmpLoadSheet.ItemNumber = OrderItems.ItemNumber) LEFT JOIN Orders ON OrderItems.OrderID=Orders.ID "
               "LEFT JOIN Style ON OrderItems.StyleID = Style.ID) LEFT JOIN StyleComponent ON Style.ID = "
               "StyleComponent.StyleID) LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID)"
               " LEFT JOIN StyleOperation ON StyleComponent.StyleID = StyleOperation.StyleID AND StyleComponent.ID = "
               "StyleOperation.ComponentID) LEFT JOIN Operation ON StyleOperation.OperationID = Operation.Station)"
               " WHERE StyleOperation.OperationID = ")
        + data::sqlText(station)
        + QStringLiteral(" ORDER BY tmpLoadSheet.PrintOrder,OrderItems.Line,OrderItems.ItemNumber,Component.Thickness,"
                         "Component.Width,Component.Length");
}

// Tied components of the planned load; fiber is cut from buns whose IDs
// begin with FB or PC.
QString tieRows(bool foam)
{
    return QStringLiteral(
               "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,"
               "OrderItems.ItemNumber,OrderItems.Line,tmpLoadSheet.Qty AS ItemQty,OrderItems.PriceEach,"
               "OrderItems.PriceExt,Style.ID,Style.Name,Style.Type,StyleComponent.ID,StyleComponent.ComponentID,"
               "StyleComponent.Qty AS CompQty,Component.Description,Component.Thickness,Component.Width,"
               "Component.Length,Component.Cutstyle,Component.Test,Component.TestRange,Component.Topped,"
               "Component.RailsPerBun,Component.PiecesPerRail,Component.PrintOnShipping,Component.Arm,Component.Tie, "
               "Bun.Width,Bun.Length,Bun.Grade "
               " FROM (((((tmpLoadSheet LEFT JOIN OrderItems ON tmpLoadSheet.OrderID = OrderItems.OrderID AND "
               "tmpLoadSheet.ItemNumber = OrderItems.ItemNumber) LEFT JOIN Orders ON OrderItems.OrderID=Orders.ID "
               "LEFT JOIN Style ON OrderItems.StyleID = Style.ID) LEFT JOIN StyleComponent ON Style.ID = "
               "StyleComponent.StyleID) LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID)"
               " LEFT JOIN Bun ON Component.BunID = Bun.ID)"
               " WHERE Component.Tie = 1 ")
        + (foam ? QStringLiteral("AND (Bun.ID NOT LIKE 'FB%' AND Bun.ID NOT LIKE 'PC%')")
                : QStringLiteral("AND (Bun.ID LIKE 'FB%' OR Bun.ID LIKE 'PC%')"))
        + QStringLiteral(" ORDER BY tmpLoadSheet.Truck,tmpLoadSheet.PrintOrder,Component.Thickness,StyleComponent.ID");
}

void stationSheets(production::Printout &out, data::Database &db, QStringList types, const QString &department,
                   const QString &orderSuffix)
{
    production::printStationSheets(out, db, {QStringLiteral("crptGlueSprayLine"), std::move(types), department, true},
                                   QString(), stationRows, orderSuffix);
}

void tieSheet(production::Printout &out, data::Database &db, bool foam, const QString &orderSuffix)
{
    reporting::ReportPtr report =
        production::orderSheet(db, QStringLiteral("crptTie"), tieRows(foam), QString(), QStringLiteral("Tie Sheet"),
                               foam ? QStringLiteral("Saw Department") : QStringLiteral("Fabrication Department"));
    if (!report)
        return;
    reporting::SetReportText(report, QStringLiteral("txtOrderSuffix"), orderSuffix);
    out.add(report);
}

} // namespace

void fillLoadSheet(data::Database &db, qint64 orderId, const Plan &plan)
{
    data::Transaction transaction(db);
    db.execute(QStringLiteral("DELETE FROM tmpLoadSheet"));
    int truck = 1, printOrder = 1;
    for (size_t i = 0; i < plan.size(); ++i) {
        const PlanRow &row = plan[i];
        if (row.isBreak()) {
            if (i > 0) {
                ++truck;
                printOrder = 1;
            }
            continue;
        }
        const double qty = core::IsNumeric(row.loadQty) ? core::Val(row.loadQty) : 0;
        if (qty <= 0)
            continue;
        db.execute(QStringLiteral("INSERT INTO tmpLoadSheet VALUES(%1,%2,%3,%4,%5)")
                       .arg(sqlNumber(orderId), sqlNumber(qint64(core::Val(row.itemNumber))), sqlNumber(qty),
                            sqlNumber(truck), sqlNumber(printOrder)));
        ++printOrder;
    }
    transaction.commit();
}

QString loadSheetRows()
{
    // The component's size rides along so the sheet can tell the loader how
    // much foam each truck carries.
    return QStringLiteral(
        "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,ShipTo,ShipToAddress1,"
        "ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,OrderItems.ItemNumber,OrderItems.Line,"
        "Style.ID,Style.Name,Style.Type,StyleComponent.ID,StyleComponent.ComponentID,StyleComponent.Qty * "
        "tmpLoadSheet.Qty AS Qty,Component.Description,Component.PrintOnShipping,tmpLoadSheet.Truck,"
        "tmpLoadSheet.PrintOrder,Component.Thickness,Component.Width,Component.Length"
        " FROM (((((tmpLoadSheet LEFT JOIN OrderItems ON tmpLoadSheet.OrderID = OrderItems.OrderID AND "
        "tmpLoadSheet.ItemNumber = OrderItems.ItemNumber)LEFT JOIN Orders ON tmpLoadSheet.OrderID = Orders.ID) LEFT "
        "JOIN Style ON OrderItems.StyleID = Style.ID) LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) "
        "LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID) "
        " WHERE Component.PrintOnShipping = 1 ORDER BY tmpLoadSheet.Truck,tmpLoadSheet.PrintOrder,"
        "Component.Thickness,StyleComponent.ID");
}

void PrintLoadSheet(production::Printout &out, data::Database &db, const QString &orderSuffix, bool setSuffix)
{
    data::Recordset rs = db.query(loadSheetRows());
    reporting::ReportTable rows = production::reportRows(rs);
    // Each truck's code: the order (Orders.ID, the statement's first ID) and the truck.
    const int id = production::columnIndex(rows, QStringLiteral("ID"));
    const int truck = production::columnIndex(rows, QStringLiteral("Truck"));
    production::addScanCodes(rows, [&](const std::vector<QVariant> &row) {
        return production::truckCode(row[size_t(id)].toLongLong(), row[size_t(truck)].toLongLong());
    });
    reporting::ReportPtr report = reporting::CreateReport(QStringLiteral("crptLoadSheet"));
    reporting::SetReportData(report, std::move(rows));
    reporting::LoadReportData(report);
    if (setSuffix)
        reporting::SetReportText(report, QStringLiteral("txtOrderSuffix"), orderSuffix);
    out.add(report);
}

void PrintLoadRun(production::Printout &out, data::Database &db, const QString &orderSuffix)
{
    stationSheets(out, db, {QStringLiteral("Glue Line"), QStringLiteral("Spray Line")},
                  QStringLiteral("Fabrication Department"), orderSuffix);
    stationSheets(out, db, {QStringLiteral("Glue/Spray Line Supply")}, QStringLiteral("Saw Department"), orderSuffix);
    tieSheet(out, db, true, orderSuffix);
    tieSheet(out, db, false, orderSuffix);
    PrintLoadSheet(out, db, orderSuffix, true);
}

} // namespace shipping
