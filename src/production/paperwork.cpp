#include "production/paperwork.h"

#include "data/database.h"
#include "data/quoting.h"
#include "officereports/orderreport.h"
#include "production/buggytickets.h"
#include "production/departmentsummary.h"
#include "production/ordersheets.h"
#include "production/reportdata.h"
#include "production/stationsheets.h"
#include "core/vbnumeric.h"

#include <QRegularExpression>

namespace production {

namespace {

struct Box {
    const char *heading;
    const char *caption;
};

const Box kBoxes[kReportBoxes] = {
    {"Admin Reports", "Order Entry Control Report"},
    {"Saw Mgr Reports", "Summary Report"},
    {"Saw Mgr Reports", "Glue/Spray Line Supply Reports"},
    {"Saw Mgr Reports", "Bullet Noser Reports"},
    {"Saw Mgr Reports", "CNC Reports"},
    {"Saw Mgr Reports", "CNC Stencil Reports"},
    {"Saw Mgr Reports", "Band Saw Reports"},
    {"Saw Mgr Reports", "Vertical Slitter Reports"},
    {"Saw Mgr Reports", "Top Out Saw Reports"},
    {"Saw Mgr Reports", "Test Reports"},
    {"Saw Mgr Reports", "Tie Reports"},
    {"Saw Mgr Reports", "Foam Order Reports"},
    {"Fab Mgr Reports", "Summary Report"},
    {"Fab Mgr Reports", "Glue/Spray Line Reports"},
    {"Fab Mgr Reports", "Fiber Table Reports"},
    {"Fab Mgr Reports", "Fiber Order Reports"},
    {"Shipping Mgr Reports", "Summary Report"},
    {"Shipping Mgr Reports", "Load Sheet Reports"},
    {"Shipping Mgr Reports", "Buggy Ticket Reports"},
};

} // namespace

QString reportBoxCaption(int box)
{
    return box >= 1 && box <= kReportBoxes ? QString::fromLatin1(kBoxes[box - 1].caption) : QString();
}

QString reportBoxHeading(int box)
{
    return box >= 1 && box <= kReportBoxes ? QString::fromLatin1(kBoxes[box - 1].heading) : QString();
}

std::vector<OrderComponent> orderComponents(data::Database &db, qint32 orderId)
{
    data::Recordset rs = db.query(
        QStringLiteral(
            "SELECT  OrderItems.ItemNumber,OrderItems.Line, OrderItems.Qty AS OrderItemQty, Style.ID AS StyleID, "
            "Style.Name + '-' + Style.Type AS StyleName, StyleComponent.ID AS StyleComponentID, "
            "StyleComponent.ComponentID, StyleComponent.Qty AS StyleComponentQty, Component.Description AS "
            "ComponentDescription From Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID LEFT JOIN "
            "Style ON OrderItems.StyleID = Style.ID LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID "
            "LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID Where Orders.ID = %1")
            .arg(data::sqlNumber(qint64(orderId))));
    std::vector<OrderComponent> out;
    for (; !rs.isEOF(); rs.moveNext()) {
        // A line whose style has no components has nothing to print.
        if (rs.isNull(QStringLiteral("StyleComponentID")))
            continue;
        out.push_back(
            {rs.integer(QStringLiteral("ItemNumber")), rs.text(QStringLiteral("Line")),
             core::Round(rs.number(QStringLiteral("OrderItemQty")) * rs.number(QStringLiteral("StyleComponentQty")), 0),
             rs.integer(QStringLiteral("StyleID")), rs.text(QStringLiteral("StyleName")),
             rs.integer(QStringLiteral("StyleComponentID")), rs.text(QStringLiteral("ComponentID")),
             rs.text(QStringLiteral("ComponentDescription"))});
    }
    return out;
}

QStringList plantNames(data::Database &db)
{
    QStringList plants;
    for (data::Recordset rs = db.query(QStringLiteral("SELECT Name FROM Plants ORDER BY Name")); !rs.isEOF();
         rs.moveNext())
        plants << rs.text(QStringLiteral("Name"));
    return plants;
}

std::optional<qint32> parseOrderId(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral(R"(^\s*\d{1,10}\s*$)"));
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const qint64 value = text.trimmed().toLongLong();
    if (value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

qint32 checkedOrderId(data::Database &db, const QString &text)
{
    const std::optional<qint32> id = parseOrderId(text);
    if (!id)
        throw PaperworkError(
            QStringLiteral("The order ID \"%1\" is not an order number. Type the order's ID in digits.")
                .arg(text.trimmed()));
    if (db.query(QStringLiteral("SELECT ID FROM Orders WHERE ID = %1").arg(data::sqlNumber(qint64(*id)))).isEmpty())
        throw PaperworkError(QStringLiteral("There is no order with the ID %1. Nothing was printed.").arg(*id));
    return *id;
}

void collectPaperwork(Printout &out, data::Database &db, const PaperworkRequest &r)
{
    const bool components = !r.components.empty();
    if (components) {
        BuildReportData(db, r.orderId, r.components);
        BuildStencilReportData(db, r.orderId, r.components);
    }
    if (r.boxes[1]) {
        if (reporting::ReportPtr report = officereports::OrderReport(db, r.orderId, QStringLiteral("Office Manager")))
            out.add(report);
    }
    if (!components)
        return;
    const qint32 o = r.orderId;
    const ComponentList &c = r.components;
    for (const QString &p : r.plants) {
        if (r.boxes[2])
            PrintDepartmentSummary(out, db, o, QStringLiteral("Saw Department"), p, c);
        if (r.boxes[3])
            PrintGlueSprayLineSupplySheets(out, db, o, p, c, r.orderSuffix);
        if (r.boxes[4])
            PrintBulletNoserSheets(out, db, o, p, c);
        if (r.boxes[5])
            PrintCNCSheets(out, db, o, p);
        if (r.boxes[6])
            PrintCNCStencilSheets(out, db, o, p, c);
        if (r.boxes[7])
            PrintBandSawSheets(out, db, o, p);
        if (r.boxes[8])
            PrintVerticalSlitterSheets(out, db, o, p, c);
        if (r.boxes[9])
            PrintTopOutSawSheet(out, db, o, p);
        if (r.boxes[10])
            PrintTestSheet(out, db, o, p, c);
        if (r.boxes[11])
            PrintTieSheet(out, db, o, p, c, QStringLiteral("Foam"));
        if (r.boxes[12])
            PrintFoamOrder(out, db, o, p);
        if (r.boxes[13])
            PrintDepartmentSummary(out, db, o, QStringLiteral("Fabrication Department"), p, c);
        if (r.boxes[14])
            PrintGlueSprayLineSheets(out, db, o, p, c, r.orderSuffix);
        if (r.boxes[15])
            PrintFiberTableSheets(out, db, o, p);
        if (r.boxes[11])
            PrintTieSheet(out, db, o, p, c, QStringLiteral("Fiber"));
        if (r.boxes[16])
            PrintFiberOrder(out, db, o, p);
        if (r.boxes[17])
            PrintDepartmentSummary(out, db, o, QStringLiteral("Shipping Department"), p, c);
        if (r.boxes[18])
            PrintShipmentComponents(out, db, o, p, c);
        if (r.boxes[19])
            PrintBuggyTickets(out, db, o, p, c);
    }
}

} // namespace production
