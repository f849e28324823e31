#include "production/buggytickets.h"

#include "data/database.h"
#include "data/quoting.h"
#include "core/vbnumeric.h"
#include "production/scancodes.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <map>

namespace production {

namespace {

using data::sqlNumber;
using data::sqlText;

const QString kJoins = QStringLiteral(
    "((((Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = "
    "Style.ID) LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) LEFT JOIN Component ON "
    "StyleComponent.ComponentID = Component.ID)");

// Whole pieces, halves to the even neighbour, in 64 bits: a line may well
// hold more pieces than a 16-bit count.
qint64 wholePieces(double value)
{
    return qint64(core::Round(value, 0));
}

} // namespace

std::vector<qint64> buggyLoads(double pieces, double perBuggy)
{
    const qint64 n = wholePieces(pieces);
    const qint64 k = wholePieces(perBuggy);
    std::vector<qint64> loads;
    if (k <= 0 || n <= 0)
        return loads;
    loads.assign(size_t(n / k), k);
    if (n % k > 0)
        loads.push_back(n % k);
    return loads;
}

void PrintBuggyTickets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                       const ComponentList &components)
{
    if (components.empty())
        return;
    const QString order = sqlNumber(qint64(orderId));
    data::Recordset groups = db.query(
        QStringLiteral("SELECT DISTINCT Orders.ID AS OrderID,OrderItems.ItemNumber,OrderItems.Qty AS ItemQty,"
                       "OrderItems.Line,Style.Name,Style.ID AS StyleID,StyleComponent.Qty,Component.QtyPerBuggy,"
                       "StyleComponent.BuggySheet FROM ")
        + kJoins
        + QStringLiteral(" WHERE Orders.ID = %1 AND Component.QtyPerBuggy <> 0 AND StyleComponent.BuggySheet > 0 AND "
                         "Component.Plant = %2 AND StyleComponent.ID IN (%3) ORDER BY OrderItems.Line,Style.Name,"
                         "StyleComponent.BuggySheet")
              .arg(order, sqlText(plant), componentListSql(components)));
    // The group list first, so that each ticket can say which of how many
    // tickets of its line and buggy group it is.
    struct Group {
        qint64 itemNumber, styleId, buggySheet;
        std::vector<qint64> loads;
        double qty, perBuggy;
    };
    std::vector<Group> list;
    std::map<std::pair<qint64, qint64>, qint64> ticketsOf; // line item, buggy group -> tickets
    for (; !groups.isEOF(); groups.moveNext()) {
        Group g{groups.integer(QStringLiteral("ItemNumber")),
                groups.integer(QStringLiteral("StyleID")),
                groups.integer(QStringLiteral("BuggySheet")),
                buggyLoads(groups.number(QStringLiteral("ItemQty")) * groups.number(QStringLiteral("Qty")),
                           groups.number(QStringLiteral("QtyPerBuggy"))),
                groups.number(QStringLiteral("Qty")),
                groups.number(QStringLiteral("QtyPerBuggy"))};
        if (g.loads.empty())
            continue;
        ticketsOf[{g.itemNumber, g.buggySheet}] += qint64(g.loads.size());
        list.push_back(std::move(g));
    }
    groups.close();
    // Rows of one line and group (components of different quantities) come
    // in no set order; taken by quantity, largest first, every backend
    // prints and numbers them alike.
    std::map<std::pair<qint64, qint64>, size_t> firstOf;
    for (size_t i = 0; i < list.size(); ++i)
        firstOf.try_emplace({list[i].itemNumber, list[i].buggySheet}, i);
    std::stable_sort(list.begin(), list.end(), [&](const Group &a, const Group &b) {
        const size_t fa = firstOf[{a.itemNumber, a.buggySheet}], fb = firstOf[{b.itemNumber, b.buggySheet}];
        return std::tie(fa, b.qty, b.perBuggy) < std::tie(fb, a.qty, a.perBuggy);
    });
    std::map<std::pair<qint64, qint64>, qint64> printed;
    for (const Group &g : list) {
        // Every ticket of the group lists the same components; only the
        // pieces on the buggy differ, so the rows are read once.
        data::Recordset ticket = db.query(
            QStringLiteral(
                "SELECT Orders.Customer,Orders.OrderDate,Orders.DueDate,Orders.OrderNumber,Orders.ID,ShipTo,"
                "ShipToAddress1,ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,"
                "OrderItems.Qty,OrderItems.Line,Style.ID,Style.Name,Style.Type,StyleComponent.ID,"
                "StyleComponent.ComponentID,StyleComponent.Qty,Component.Description,Component.Thickness,"
                "Component.Width,Component.Length,Component.Cutstyle,Component.Test,Component.TestRange,"
                "Component.Topped,Component.RailsPerBun,Component.PiecesPerRail,Component.Arm,Component.Tie, "
                "0 AS QtyPerBuggy,StyleComponent.BuggySheet FROM ")
            + kJoins
            + QStringLiteral("  WHERE Orders.ID = %1 AND OrderItems.ItemNumber = %2 AND Style.ID = %3 AND "
                             "StyleComponent.BuggySheet = %4 AND Component.Plant = %5 ORDER BY Style.ID,"
                             "StyleComponent.BuggySheet,Component.Description")
                  .arg(order, sqlNumber(g.itemNumber), sqlNumber(g.styleId), sqlNumber(g.buggySheet), sqlText(plant)));
        if (ticket.isEmpty())
            continue;
        const reporting::ReportTable rows = reporting::ReportTable::fromRecordset(ticket);
        const size_t perBuggy = size_t(columnIndex(rows, QStringLiteral("QtyPerBuggy")));
        const qint64 of = ticketsOf[{g.itemNumber, g.buggySheet}];
        qint64 &n = printed[{g.itemNumber, g.buggySheet}];
        for (qint64 load : g.loads) {
            reporting::ReportTable table = rows;
            for (auto &row : table.rows)
                row[perBuggy] = load;
            const QString code = ticketCode(orderId, g.itemNumber, g.buggySheet, ++n, of);
            addScanCodes(table, [&](const std::vector<QVariant> &) { return code; });
            reporting::ReportPtr report = reporting::CreateReport(QStringLiteral("crptBuggySheetReport"));
            reporting::SetReportData(report, std::move(table));
            reporting::LoadReportData(report);
            reporting::SetCompanyHeading(report);
            reporting::SetReportText(report, QStringLiteral("txtPlant"), plant);
            out.add(report, plant);
        }
    }
}

} // namespace production
