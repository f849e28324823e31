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
    d->groups.push_back({QStringLiteral("Vendor"), {}, false});
    d->groups.push_back({{},
                         [](const RowView &r) {
                             return QVariant(r.text(QStringLiteral("OperationID")) + QLatin1Char('\n')
                                             + r.text(QStringLiteral("BunID")));
                         },
                         false});
    d->bands.push_back(groupHeading(
        0,
        [](const RowView &r) {
            const QString vendor = r.text(QStringLiteral("Vendor"));
            return QVariant(vendor.isEmpty() ? QStringLiteral("No vendor") : QStringLiteral("Vendor: ") + vendor);
        },
        d->contentWidth(), 12));
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Rolls"), {}, [](const RowView &r) { return rolls(r); }, Format::Number},
        {QStringLiteral("Whole"), {}, [](const RowView &r) { return rollsNeeded(r); }, Format::Integer},
    };
    d->bands.push_back(totalsFooter(
        BandKind::GroupFooter, 1,
        [](const RowView &r) {
            return QVariant(QStringLiteral("%1, roll %2")
                                .arg(r.text(QStringLiteral("OperationID")), r.text(QStringLiteral("BunID"))));
        },
        columns, totals));
    Band vendor = totalsFooter(
        BandKind::GroupFooter, 0,
        [](const RowView &r) {
            return QVariant(QStringLiteral("Order from %1").arg(r.text(QStringLiteral("Vendor"))));
        },
        columns, totals);
    vendor.height = 28;
    d->bands.push_back(vendor);
    d->bands.push_back(totalsFooter(
        BandKind::ReportFooter, -1, [](const RowView &) { return QVariant(QStringLiteral("All vendors")); }, columns,
        totals));
    return d;
}

} // namespace reporting::definitions
