// The top-out saw list: the band saw work of the order (and the CNC work of
// components no band saw cuts), station by station, by grade and bun size,
// with the buns to top out for each station.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptTopOutSaw()
{
    const std::vector<Column> columns = cuttingColumns(false);
    DefinitionPtr d = floorDefinition(QStringLiteral("crptTopOutSaw"), QStringLiteral("Top Out Saw"),
                                      Orientation::Landscape, workTableFields(), FloorHeader{}, columns);
    d->groups.push_back({QStringLiteral("OperationID"), {}, false});
    d->bands.push_back(groupHeading(
        0, [](const RowView &r) { return QVariant(QStringLiteral("For ") + r.text(QStringLiteral("OperationID"))); },
        d->contentWidth()));
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Full"), {}, [](const RowView &r) { return fullBuns(r); }, Format::Integer},
        {QStringLiteral("Buns"), {}, [](const RowView &r) { return bunsNeeded(r); }, Format::Integer},
    };
    d->bands.push_back(totalsFooter(
        BandKind::GroupFooter, 0,
        [](const RowView &r) { return QVariant(r.text(QStringLiteral("OperationID")) + QStringLiteral(" total")); },
        columns, totals));
    d->bands.push_back(totalsFooter(
        BandKind::ReportFooter, -1, [](const RowView &) { return QVariant(QStringLiteral("Sheet total")); }, columns,
        totals));
    return d;
}

} // namespace reporting::definitions
