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
    d->groups.push_back({QStringLiteral("Vendor"), {}, false});
    d->groups.push_back({{},
                         [](const RowView &r) {
                             return QVariant(r.text(QStringLiteral("OperationID")) + QLatin1Char('\n')
                                             + r.text(QStringLiteral("Grade")));
                         },
                         false});
    const qreal w = d->contentWidth();
    d->bands.push_back(groupHeading(
        0,
        [](const RowView &r) {
            const QString vendor = r.text(QStringLiteral("Vendor"));
            return QVariant(vendor.isEmpty() ? QStringLiteral("No vendor") : QStringLiteral("Vendor: ") + vendor);
        },
        w, 12));
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Full"), {}, [](const RowView &r) { return fullBuns(r); }, Format::Integer},
        {QStringLiteral("Buns"), {}, [](const RowView &r) { return bunsNeeded(r); }, Format::Integer},
    };
    d->bands.push_back(totalsFooter(
        BandKind::GroupFooter, 1,
        [](const RowView &r) {
            return QVariant(QStringLiteral("%1, grade %2")
                                .arg(r.text(QStringLiteral("OperationID")), r.text(QStringLiteral("Grade"))));
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
