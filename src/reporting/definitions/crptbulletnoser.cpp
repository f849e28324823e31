// The bullet noser sheet: each component the station noses, its size, the
// bun it comes from and the pieces.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptBulletNoser()
{
    const QString lineQty = QStringLiteral("OrderItems.Qty"), compQty = QStringLiteral("StyleComponent.Qty");
    std::vector<FieldSpec> fields = orderLineFields();
    fields.push_back(fieldOf("Bun.Width", FieldType::Number));
    fields.push_back(fieldOf("Bun.Length", FieldType::Number));
    fields.push_back(fieldOf("Grade"));
    const std::vector<Column> columns = orderLineColumns(
        lineQty, compQty, true,
        {Column(
             QStringLiteral("Bun"), {}, 70, Format::Text, Qt::AlignLeft,
             [](const RowView &r) {
                 if (r.isNull(QStringLiteral("Bun.Width")))
                     return QVariant();
                 return QVariant(r.text(QStringLiteral("Grade")) + QStringLiteral(" ")
                                 + formatValue(r.number(QStringLiteral("Bun.Width")), Format::Dimension)
                                 + QStringLiteral(" x ")
                                 + formatValue(r.number(QStringLiteral("Bun.Length")), Format::Dimension));
             },
             true),
         Column(QStringLiteral("Instructions"), QStringLiteral("Instructions"), 128, Format::Text, Qt::AlignLeft, {},
                true)});
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    DefinitionPtr d = floorDefinition(QStringLiteral("crptBulletNoser"), QStringLiteral("Bullet Noser"),
                                      Orientation::Landscape, std::move(fields), header, columns);
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
