// The foam order for purchasing: per vendor, the buns each station's work
// takes, grade by grade, with the buns to order from each vendor. Off-all
// buns never reach it.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptFoamOrder()
{
    std::vector<Column> columns = cuttingColumns(false);
    columns.erase(columns.begin(), columns.begin() + 2); // line and style: purchasing orders by the component
    columns.insert(columns.begin(), Column(QStringLiteral("Grade"), QStringLiteral("Grade"), 60));
    columns.insert(columns.begin(), Column(QStringLiteral("Station"), QStringLiteral("OperationID"), 70));
    columns.back().width = 720 - 70 - 60 - 58 - 96 - 76 - 70 - 42 - 40 - 40 - 40 - 34;
    DefinitionPtr d = floorDefinition(QStringLiteral("crptFoamOrder"), QStringLiteral("Foam Order"),
                                      Orientation::Landscape, workTableFields(true), FloorHeader{}, columns);
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Full"), {}, [](const RowView &r) { return fullBuns(r); }, Format::Integer},
        {QStringLiteral("Buns"), {}, [](const RowView &r) { return bunsNeeded(r); }, Format::Integer},
    };
    addPurchasingGroups(*d, QStringLiteral("Grade"), QStringLiteral("grade"), columns, totals);
    return d;
}

} // namespace reporting::definitions
