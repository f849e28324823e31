// The vertical slitter sheet: each component of the order the station slits,
// with its finished size, the size to slit to and the pieces.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptVerticalSlitter()
{
    const QString lineQty = QStringLiteral("OrderItems.Qty"), compQty = QStringLiteral("StyleComponent.Qty");
    const std::vector<Column> columns =
        orderLineColumns(lineQty, compQty, true,
                         {Column(QStringLiteral("Instructions"), QStringLiteral("Instructions"), 198, Format::Text,
                                 Qt::AlignLeft, {}, true)});
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    header.department = true;
    DefinitionPtr d = floorDefinition(QStringLiteral("crptVerticalSlitter"), QStringLiteral("Vertical Slitter"),
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
