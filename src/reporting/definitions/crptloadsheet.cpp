// The load sheet for the dock: one section per truck in loading order, each
// planned line's style and the components that travel with it, and per truck
// the pieces and the cubic feet of foam, so the loader sees how full it is.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

namespace {

// Cubic feet of one row: thickness x width x length in inches per piece.
QVariant cubicFeet(const RowView &r)
{
    return r.number(QStringLiteral("Thickness")) * r.number(QStringLiteral("Width"))
        * r.number(QStringLiteral("Length")) / 1728.0 * r.number(QStringLiteral("Qty"));
}

} // namespace

DefinitionPtr crptLoadSheet()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = orderHeadingFields() + shipToFields()
        + std::vector<FieldSpec>{fieldOf("ItemNumber", F::Integer),
                                 fieldOf("Line"),
                                 fieldOf("Style.ID", F::Integer),
                                 fieldOf("Name"),
                                 fieldOf("Type"),
                                 fieldOf("StyleComponent.ID", F::Integer),
                                 fieldOf("ComponentID"),
                                 fieldOf("Qty", F::Number),
                                 fieldOf("Description"),
                                 fieldOf("PrintOnShipping", F::Flag),
                                 fieldOf("Truck", F::Integer),
                                 fieldOf("PrintOrder", F::Integer),
                                 fieldOf("Thickness", F::Number),
                                 fieldOf("Width", F::Number),
                                 fieldOf("Length", F::Number)};
    const std::vector<Column> columns = {
        Column(QStringLiteral("#"), QStringLiteral("PrintOrder"), 24, Format::Integer, Qt::AlignRight),
        Column(QStringLiteral("Line"), QStringLiteral("Line"), 40),
        Column(
            QStringLiteral("Style"), {}, 100, Format::Text, Qt::AlignLeft,
            [](const RowView &r) {
                return QVariant(r.text(QStringLiteral("Name")) + QStringLiteral("-") + r.text(QStringLiteral("Type")));
            },
            true),
        Column(QStringLiteral("Component"), QStringLiteral("ComponentID"), 70),
        Column(QStringLiteral("Description"), QStringLiteral("Description"), 110, Format::Text, Qt::AlignLeft, {},
               true),
        Column(QStringLiteral("Size"), {}, 70, Format::Text, Qt::AlignLeft,
               [](const RowView &r) {
                   return sizeText(r, QStringLiteral("Thickness"), QStringLiteral("Width"), QStringLiteral("Length"));
               }),
        Column(QStringLiteral("Pieces"), QStringLiteral("Qty"), 46, Format::Number, Qt::AlignRight),
        Column(QStringLiteral("Cu. Ft."), {}, 46, Format::Number, Qt::AlignRight, cubicFeet),
        Column(QStringLiteral("Loaded"), {}, 34, Format::Text, Qt::AlignHCenter,
               [](const RowView &) { return QVariant(QStringLiteral("[  ]")); }),
    };
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    header.suffix = true;
    header.company = false;
    header.plant = false;
    DefinitionPtr d = floorDefinition(QStringLiteral("crptLoadSheet"), QStringLiteral("Load Sheet"),
                                      Orientation::Portrait, std::move(fields), header, columns);
    addUnderOrderBand(*d, shipToBand(d->contentWidth()));
    // Each truck on a page of its own, so the sheet can go with the truck.
    d->groups.push_back({QStringLiteral("Truck"), {}, true});
    d->bands.push_back(groupHeading(
        0,
        [](const RowView &r) {
            return QVariant(QStringLiteral("Truck %1").arg(qint64(r.number(QStringLiteral("Truck")))));
        },
        d->contentWidth(), 12));
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Cu. Ft."), {}, cubicFeet, Format::Number},
    };
    d->bands.push_back(totalsFooter(
        BandKind::GroupFooter, 0,
        [](const RowView &r) {
            return QVariant(QStringLiteral("Truck %1 total").arg(qint64(r.number(QStringLiteral("Truck")))));
        },
        columns, totals));
    d->bands.push_back(barcodeFooterBand(kScanCodeField, d->contentWidth()));
    return d;
}

} // namespace reporting::definitions
