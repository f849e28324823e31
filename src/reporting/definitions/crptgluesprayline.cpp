// The glue or spray line sheet (and the supply sheet that feeds the lines):
// the order's lines in line order with each component the station handles,
// its pieces, and whether it is an arm or is tied.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptGlueSprayLine()
{
    const QString lineQty = QStringLiteral("OrderItems.Qty"), compQty = QStringLiteral("StyleComponent.Qty");
    const std::vector<Column> columns =
        orderLineColumns(lineQty, compQty, false,
                         {Column(QStringLiteral("Arm"), QStringLiteral("Arm"), 30, Format::YesNo, Qt::AlignHCenter),
                          Column(QStringLiteral("Tie"), QStringLiteral("Tie"), 30, Format::YesNo, Qt::AlignHCenter),
                          Column(QStringLiteral("Instructions"), QStringLiteral("Instructions"), 218, Format::Text,
                                 Qt::AlignLeft, {}, true)});
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    header.department = true;
    header.suffix = true;
    DefinitionPtr d = floorDefinition(QStringLiteral("crptGlueSprayLine"), QStringLiteral("Glue/Spray Line"),
                                      Orientation::Landscape, orderLineFields(), header, columns);
    d->bands.push_back(totalsFooter(
        BandKind::ReportFooter, -1, [](const RowView &) { return QVariant(QStringLiteral("Pieces")); }, columns,
        {{QStringLiteral("Pieces"),
          {},
          [lineQty, compQty](const RowView &r) { return QVariant(r.number(lineQty) * r.number(compQty)); },
          Format::Number}}));
    d->bands.push_back(barcodeFooterBand(kScanCodeField, d->contentWidth()));
    return d;
}

} // namespace reporting::definitions
