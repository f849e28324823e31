// The fiber table sheet of one station (or team): the work table's rows for
// the station by grade and size, with the rolls each row takes.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptFiberTable()
{
    const std::vector<Column> columns = fiberColumns();
    DefinitionPtr d = floorDefinition(QStringLiteral("crptFiberTable"), QStringLiteral("Fiber Table"),
                                      Orientation::Landscape, workTableFields(), FloorHeader{}, columns);
    d->groups.push_back({QStringLiteral("Grade"), {}, false});
    d->bands.push_back(groupHeading(
        0,
        [](const RowView &r) {
            const QString grade = r.text(QStringLiteral("Grade"));
            return QVariant(grade.isEmpty() ? QStringLiteral("No grade") : QStringLiteral("Grade ") + grade);
        },
        d->contentWidth()));
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Rolls"), {}, [](const RowView &r) { return rolls(r); }, Format::Number},
        {QStringLiteral("Whole"), {}, [](const RowView &r) { return rollsNeeded(r); }, Format::Integer},
    };
    d->bands.push_back(totalsFooter(
        BandKind::GroupFooter, 0,
        [](const RowView &r) {
            return QVariant(QStringLiteral("Grade %1 total").arg(r.text(QStringLiteral("Grade"))));
        },
        columns, totals));
    d->bands.push_back(totalsFooter(
        BandKind::ReportFooter, -1, [](const RowView &) { return QVariant(QStringLiteral("Sheet total")); }, columns,
        totals));
    d->bands.push_back(barcodeFooterBand(kScanCodeField, d->contentWidth()));
    return d;
}

} // namespace reporting::definitions
