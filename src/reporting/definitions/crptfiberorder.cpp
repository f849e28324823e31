// The fiber order for purchasing: per vendor and roll, the rolls each fiber
// table's work takes, with the whole rolls to order from each vendor.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptFiberOrder()
{
    std::vector<Column> columns = fiberColumns();
    columns.erase(columns.begin(), columns.begin() + 2); // line and style
    columns.insert(columns.begin(), Column(QStringLiteral("Roll ID"), QStringLiteral("BunID"), 64));
    columns.insert(columns.begin(), Column(QStringLiteral("Station"), QStringLiteral("OperationID"), 70));
    columns.back().width = 720 - 70 - 64 - 62 - 120 - 80 - 64 - 44 - 42 - 40 - 36;
    DefinitionPtr d = floorDefinition(QStringLiteral("crptFiberOrder"), QStringLiteral("Fiber Order"),
                                      Orientation::Landscape, workTableFields(true, true), FloorHeader{}, columns);
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Rolls"), {}, [](const RowView &r) { return rolls(r); }, Format::Number},
        {QStringLiteral("Whole"), {}, [](const RowView &r) { return rollsNeeded(r); }, Format::Integer},
    };
    addPurchasingGroups(*d, QStringLiteral("BunID"), QStringLiteral("roll"), columns, totals);
    return d;
}

} // namespace reporting::definitions
