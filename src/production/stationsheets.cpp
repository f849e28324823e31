#include "production/stationsheets.h"

#include "data/database.h"
#include "data/quoting.h"
#include "production/scancodes.h"

namespace production {

namespace {

using data::sqlNumber;
using data::sqlText;

const QString kLineSelect = QStringLiteral(
    "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,OrderItems.ItemNumber,"
    "OrderItems.Line,OrderItems.Qty,OrderItems.PriceEach,OrderItems.PriceExt,Style.ID,Style.Name,Style.Type,"
    "StyleComponent.ID,StyleComponent.ComponentID,StyleComponent.Qty,Component.Description,Component.Thickness,"
    "Component.Width,Component.Length,Component.Cutstyle,Component.Test,Component.TestRange,Component.Topped,"
    "Component.RailsPerBun,Component.PiecesPerRail,Component.PrintOnShipping,Component.Arm,Component.Tie,"
    "StyleOperation.ID,StyleOperation.OperationID,Operation.ReportType,StyleOperation.Instructions,"
    "StyleOperation.Thickness,StyleOperation.Width,StyleOperation.Length");

const QString kSixJoins = QStringLiteral(
    "(((((Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = "
    "Style.ID) LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN Component ON "
    "StyleComponent.ComponentID = Component.ID) LEFT JOIN StyleOperation ON StyleComponent.StyleID = "
    "StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID) LEFT JOIN Operation ON "
    "StyleOperation.OperationID = Operation.Station)");

QString filter(qint32 orderId, const QString &plant, const QString &station, const ComponentList &components)
{
    return QStringLiteral(" WHERE Component.Plant = %1 AND StyleOperation.OperationID = %2 AND Orders.ID = %3 AND "
                          "StyleComponent.ID IN (%4)")
        .arg(sqlText(plant), sqlText(station), sqlNumber(qint64(orderId)), componentListSql(components));
}

const QString kLineOrder = QStringLiteral(
    " ORDER BY OrderItems.Line,OrderItems.ItemNumber,Component.Thickness,Component.Width,Component.Length");

} // namespace

QString teamTitle(const QString &station, int team, int teams)
{
    // Joined, not formatted: a station's name is text as typed, "%1" and all.
    return teams > 1 ? station + QStringLiteral(" Team ") + QString::number(team) : station;
}

void printStationSheets(Printout &out, data::Database &db, const StationSheet &sheet, const QString &plant,
                        const StationRows &rows, const QString &orderSuffix)
{
    QStringList conditions;
    for (const QString &type : sheet.reportTypes)
        conditions << QStringLiteral("ReportType = %1").arg(sqlText(type));
    data::Recordset stations = db.query(QStringLiteral("SELECT Station,Teams FROM Operation WHERE ")
                                        + conditions.join(QStringLiteral(" OR ")));
    for (; !stations.isEOF(); stations.moveNext()) {
        const QString station = stations.text(QStringLiteral("Station"));
        const int teams = int(stations.integer(QStringLiteral("Teams")));
        if (teams < 1)
            continue;
        data::Recordset rs = db.query(rows(station));
        if (rs.isEmpty())
            continue;
        const reporting::ReportTable table = reportRows(rs);
        // The order the rows are of: the work table's OrderID, else the
        // statement's first ID (Orders.ID).
        int idColumn = columnIndex(table, QStringLiteral("OrderID"));
        if (idColumn < 0)
            idColumn = columnIndex(table, QStringLiteral("ID"));
        const qint64 orderId = idColumn < 0 ? 0 : table.rows.front()[size_t(idColumn)].toLongLong();
        for (int t = 1; t <= teams; ++t) {
            reporting::ReportTable copy = table;
            const QString code = stationSheetCode(orderId, station, t, plant);
            addScanCodes(copy, [&](const std::vector<QVariant> &) { return code; });
            reporting::ReportPtr report = reporting::CreateReport(sheet.definition);
            reporting::SetReportData(report, std::move(copy));
            reporting::LoadReportData(report);
            if (!sheet.department.isEmpty())
                reporting::SetReportText(report, QStringLiteral("txtDepartment"), sheet.department);
            reporting::SetReportText(report, QStringLiteral("txtPlant"), plant);
            reporting::SetCompanyHeading(report);
            reporting::SetReportText(report, QStringLiteral("txtTitle"), teamTitle(station, t, teams));
            if (sheet.orderSuffix)
                reporting::SetReportText(report, QStringLiteral("txtOrderSuffix"), orderSuffix);
            out.add(report, plant);
        }
    }
}

QString workTableRows(qint32 orderId, const QString &plant, const QString &station)
{
    return QStringLiteral("SELECT * FROM tmpReportData WHERE Plant = %1 AND OperationID = %2 AND OrderID = %3 "
                          "ORDER BY Grade,OThickness desc,OWidth desc,OLength desc")
        .arg(sqlText(plant), sqlText(station), sqlNumber(qint64(orderId)));
}

QString orderLineRows(qint32 orderId, const QString &plant, const QString &station, const ComponentList &components,
                      const QString &orderBy)
{
    return kLineSelect + QStringLiteral(" FROM (") + kSixJoins + filter(orderId, plant, station, components) + orderBy;
}

QString bulletNoserRows(qint32 orderId, const QString &plant, const QString &station, const ComponentList &components)
{
    return kLineSelect + QStringLiteral(", Bun.Width,Bun.Length,Bun.Grade FROM ((") + kSixJoins
        + QStringLiteral(" LEFT JOIN Bun ON Component.BunID = Bun.ID)") + filter(orderId, plant, station, components);
}

QString stencilRows(qint32 orderId, const QString &plant, const QString &station, const ComponentList &components)
{
    return QStringLiteral(
               "SELECT Orders.ID AS OrderID,Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,"
               "OrderItems.Line AS LineNumber,Style.Name+'-'+Style.Type AS StyleName,StyleComponent.ComponentID,"
               "OrderItems.Qty * StyleComponent.Qty AS Qty,Component.Description,Component.Thickness AS CThickness,"
               "Component.Width AS CWidth,Component.Length AS CLength,Component.Cutstyle,Component.Test,"
               "Component.TestRange, Component.Topped,Component.RailsPerBun,Component.PiecesPerRail,"
               "Component.PrintOnShipping,Component.Arm,Component.Tie,StyleOperation.OperationID,Operation.ReportType,"
               "StyleOperation.Instructions,StyleOperation.Thickness AS OThickness,StyleOperation.Width AS OWidth,"
               "StyleOperation.Length AS OLength,Bun.Width AS BWidth,Bun.Length AS BLength,Bun.Grade,Bun.OffAll,"
               "Component.Plant,Bun.Vendor,Bun.ID AS BunID FROM ((")
        + kSixJoins + QStringLiteral(" LEFT JOIN Bun ON Component.BunID = Bun.ID)")
        + filter(orderId, plant, station, components)
        + QStringLiteral(" ORDER BY Grade,OThickness desc,OWidth desc,OLength desc,Component.Description,"
                         "Style.Name+'-'+Style.Type");
}

namespace {

void workTableSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant, const char *definition,
                     const char *type)
{
    printStationSheets(out, db, {QString::fromLatin1(definition), {QString::fromLatin1(type)}, {}, false}, plant,
                       [&](const QString &station) { return workTableRows(orderId, plant, station); });
}

} // namespace

void PrintCNCSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant)
{
    workTableSheets(out, db, orderId, plant, "crptCNC", "CNC");
}

void PrintBandSawSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant)
{
    workTableSheets(out, db, orderId, plant, "crptBandSaw", "Band Saw");
}

void PrintFiberTableSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant)
{
    workTableSheets(out, db, orderId, plant, "crptFiberTable", "Fiber Table");
}

void PrintGlueSprayLineSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                              const ComponentList &components, const QString &orderSuffix)
{
    if (components.empty())
        return;
    printStationSheets(
        out, db,
        {QStringLiteral("crptGlueSprayLine"),
         {QStringLiteral("Glue Line"), QStringLiteral("Spray Line")},
         QStringLiteral("Fabrication Department"),
         true},
        plant, [&](const QString &station) { return orderLineRows(orderId, plant, station, components, kLineOrder); },
        orderSuffix);
}

void PrintGlueSprayLineSupplySheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                                    const ComponentList &components, const QString &orderSuffix)
{
    if (components.empty())
        return;
    printStationSheets(
        out, db,
        {QStringLiteral("crptGlueSprayLine"),
         {QStringLiteral("Glue/Spray Line Supply")},
         QStringLiteral("Saw Department"),
         true},
        plant, [&](const QString &station) { return orderLineRows(orderId, plant, station, components, kLineOrder); },
        orderSuffix);
}

void PrintVerticalSlitterSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                                const ComponentList &components)
{
    if (components.empty())
        return;
    printStationSheets(out, db,
                       {QStringLiteral("crptVerticalSlitter"),
                        {QStringLiteral("Vertical Slitter")},
                        QStringLiteral("Saw Department"),
                        false},
                       plant,
                       [&](const QString &station) { return orderLineRows(orderId, plant, station, components); });
}

void PrintBulletNoserSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                            const ComponentList &components)
{
    if (components.empty())
        return;
    printStationSheets(out, db, {QStringLiteral("crptBulletNoser"), {QStringLiteral("Bullet Noser")}, {}, false}, plant,
                       [&](const QString &station) { return bulletNoserRows(orderId, plant, station, components); });
}

void PrintCNCStencilSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                           const ComponentList &components)
{
    if (components.empty())
        return;
    printStationSheets(out, db, {QStringLiteral("crptCNCStencil"), {QStringLiteral("CNC Stencil")}, {}, false}, plant,
                       [&](const QString &station) { return stencilRows(orderId, plant, station, components); });
}

} // namespace production
