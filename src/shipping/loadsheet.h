#pragma once

// Truck loads of an order: the plan as the planning grid holds it, the work
// table tmpLoadSheet it is written to, the load sheet printed from it, and the
// whole run of glue/spray line, supply, tie and load sheets for the planned
// load.

#include "production/printout.h"

#include <QString>
#include <vector>

namespace data {
class Database;
} // namespace data

namespace shipping {

// The caption of a break row in the plan.
inline const QString kBreakText = QStringLiteral("----BREAK----");

// One row of the plan as typed: an order line's item number and the quantity
// to load in this row, or a break between two trucks.
struct PlanRow {
    QString itemNumber;
    QString loadQty;
    bool isBreak() const { return itemNumber == kBreakText; }
};
using Plan = std::vector<PlanRow>;

// Empties the connection's work table and writes one row per plan row with a
// positive quantity: truck 1 onwards, each break starting the next truck
// (a break at the very top starts nothing), print order counting from 1 in
// each truck. A quantity that is not a number counts as 0. One transaction.
void fillLoadSheet(data::Database &db, qint64 orderId, const Plan &plan);

// The rows of the load sheet: the components printed on shipping documents
// of each work-table row, truck by truck in print order.
QString loadSheetRows();

// The load sheet, always (an empty plan prints a sheet without rows); the
// order suffix is set when given.
void PrintLoadSheet(production::Printout &out, data::Database &db, const QString &orderSuffix = {},
                    bool setSuffix = false);

// Everything the planned load needs, from the work table as it stands: the
// glue and spray line sheets and the supply sheets per station and team, the
// foam and the fiber tie sheets, and the load sheet, each with the suffix.
void PrintLoadRun(production::Printout &out, data::Database &db, const QString &orderSuffix);

} // namespace shipping
