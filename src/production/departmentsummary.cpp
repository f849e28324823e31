#include "production/departmentsummary.h"

#include "data/database.h"
#include "data/quoting.h"

namespace production {

namespace {

using data::sqlNumber;
using data::sqlText;

const QString kSixJoins = QStringLiteral(
    "((((((Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = "
    "Style.ID) LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN Component ON "
    "StyleComponent.ComponentID = Component.ID) LEFT JOIN StyleOperation ON StyleComponent.StyleID = "
    "StyleOperation.StyleID AND StyleComponent.ID = StyleOperation.ComponentID) LEFT JOIN Operation ON "
    "StyleOperation.OperationID = Operation.Station)");
const QString kSevenJoins =
    QStringLiteral("(") + kSixJoins + QStringLiteral(" LEFT JOIN Bun ON Component.BunID = Bun.ID)");

struct Scope {
    QString plant, order, components;
};

// One line (glue or spray): the line's stations with its rate, left-joined to
// the order's pieces and non-arm pieces per station, in station order. The
// work tables are the connection's own.
data::Recordset linePieces(data::Database &db, const Scope &s, const QString &line, const QString &rateColumn,
                           const QString &prefix)
{
    const QString main = prefix + QStringLiteral("Main"), total = prefix + QStringLiteral("Total"),
                  nonArm = prefix + QStringLiteral("NonArm");
    data::DropTable(db, main);
    db.execute(QStringLiteral("SELECT Station,%1 As Rate Into %2 From Operation, Data Where ReportType = %3")
                   .arg(rateColumn, main, sqlText(line)));
    const QString pieces =
        QStringLiteral(
            "SELECT StyleOperation.OperationID AS ID,SUM(OrderItems.Qty * StyleComponent.Qty) As %1 Into %2 From ")
        + kSixJoins
        + QStringLiteral(" Where Component.Plant = %3 AND [Operation].[ReportType] = %4%5 AND Orders.ID = %6 AND "
                         "StyleComponent.ID IN (%7) Group By StyleOperation.OperationID");
    data::DropTable(db, total);
    db.execute(QString(pieces).arg(QStringLiteral("TotalArms"), total, s.plant, sqlText(line), QString(), s.order,
                                   s.components));
    data::DropTable(db, nonArm);
    db.execute(QString(pieces).arg(QStringLiteral("NonArms"), nonArm, s.plant, sqlText(line),
                                   QStringLiteral(" AND Component.Arm = 0"), s.order, s.components));
    return db.query(
        QStringLiteral("SELECT Station,Rate,TotalArms,NonArms From ((%1 LEFT JOIN %2 ON %1.Station = %2.ID) "
                       "LEFT JOIN %3 ON %1.Station = %3.ID) order By Station")
            .arg(main, total, nonArm));
}

// The print test reads TotalArms of the first row; an empty line counts as null.
bool firstTotalIsNull(const data::Recordset &rs)
{
    return rs.isEmpty() || rs.rows().front()[size_t(rs.fieldIndex(QStringLiteral("TotalArms")))].isNull();
}

} // namespace

reporting::ReportPtr DepartmentSummary(data::Database &db, qint32 orderId, const QString &department,
                                       const QString &plant, const ComponentList &components)
{
    if (components.empty())
        return nullptr;
    const Scope s{sqlText(plant), sqlNumber(qint64(orderId)), componentListSql(components)};
    data::Recordset m = db.query(
        QStringLiteral(
            "SELECT Orders.ID,OrderNumber,Orders.Customer,OrderDate,DueDate,ShipTo,ShipToAddress1,ShipToAddress2,"
            "ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,Total,LaborCostPerHour,LaborPercent FROM "
            "Orders,Data WHERE Orders.ID = %1")
            .arg(s.order));
    reporting::ReportPtr report = reporting::CreateReport(QStringLiteral("crptSummary"));
    reporting::SetReportData(report, m);

    data::Recordset g =
        linePieces(db, s, QStringLiteral("Glue Line"), QStringLiteral("NonArmPerHour"), QStringLiteral("tmpGlueLine"));
    reporting::SetSubreportData(report, QStringLiteral("Subreport1"), g);
    data::Recordset sp = linePieces(db, s, QStringLiteral("Spray Line"), QStringLiteral("SprayLineNonArmPerHour"),
                                    QStringLiteral("tmpSprayLine"));
    reporting::SetSubreportData(report, QStringLiteral("Subreport2"), sp);

    const QString where =
        QStringLiteral(" WHERE Component.Plant = %1 AND %2 AND Orders.ID = %3%4 AND StyleComponent.ID IN (%5)");
    const auto scoped = [&](const QString &condition, const QString &extra = {}) {
        return QString(where).arg(s.plant, condition, s.order, extra, s.components);
    };
    data::Recordset noser = db.query(
        QStringLiteral("SELECT StyleOperation.OperationID AS ID,SUM(OrderItems.Qty * StyleComponent.Qty) AS Pcs  From ")
        + kSixJoins + scoped(QStringLiteral("[Operation].[ReportType] = 'Bullet Noser'"))
        + QStringLiteral(" Group By StyleOperation.OperationID"));
    data::Recordset fiber = db.query(
        QStringLiteral(
            "SELECT StyleOperation.OperationID,SUM(OrderItems.Qty*StyleComponent.Qty) AS CompQty,Component.Width,"
            "StyleOperation.Width,Bun.Length,Component.PiecesPerRail FROM ")
        + kSevenJoins + scoped(QStringLiteral("Operation.ReportType = 'Fiber Table'"))
        + QStringLiteral(
            " GROUP BY StyleOperation.OperationID,Component.Width,StyleOperation.Width,Bun.Length,Component.PiecesPerRail"));
    data::Recordset cnc =
        db.query(QStringLiteral("SELECT StyleOperation.OperationID,SUM(OrderItems.Qty*StyleComponent.Qty) AS CompQty, "
                                "Component.PiecesPerRail FROM ")
                 + kSixJoins + scoped(QStringLiteral("Operation.ReportType = 'CNC'"))
                 + QStringLiteral(" GROUP BY StyleOperation.OperationID,Component.PiecesPerRail"));
    // Off-all buns are not cut at the band saw.
    data::Recordset bandSaw = db.query(
        QStringLiteral("SELECT StyleOperation.OperationID,SUM(OrderItems.Qty*StyleComponent.Qty) AS CompQty,"
                       "Component.RailsPerBun,Component.PiecesPerRail FROM ")
        + kSevenJoins
        + scoped(QStringLiteral("Operation.ReportType = 'Band Saw'"), QStringLiteral(" AND Bun.OffAll = 0"))
        + QStringLiteral(" GROUP BY StyleOperation.OperationID,Component.PiecesPerRail,Component.RailsPerBun"));
    reporting::SetSubreportData(report, QStringLiteral("Subreport3"), noser);
    reporting::SetSubreportData(report, QStringLiteral("Subreport4"), fiber);
    reporting::SetSubreportData(report, QStringLiteral("Subreport5"), cnc);
    reporting::SetSubreportData(report, QStringLiteral("Subreport6"), bandSaw);

    if (g.isEmpty() && sp.isEmpty())
        return nullptr;
    if (firstTotalIsNull(sp) && firstTotalIsNull(g) && noser.isEmpty() && fiber.isEmpty() && cnc.isEmpty()
        && bandSaw.isEmpty())
        return nullptr;
    reporting::LoadReportData(report);
    reporting::SetReportText(report, QStringLiteral("txtDepartment"), department);
    reporting::SetReportText(report, QStringLiteral("txtPlant"), plant);
    reporting::SetCompanyHeading(report);
    return report;
}

void PrintDepartmentSummary(Printout &out, data::Database &db, qint32 orderId, const QString &department,
                            const QString &plant, const ComponentList &components)
{
    if (reporting::ReportPtr report = DepartmentSummary(db, orderId, department, plant, components))
        out.add(report, plant);
}

} // namespace production
