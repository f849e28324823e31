// The shipment components list: the components of the order that travel with
// the shipment, line by line, with where the order goes.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptLoadSheetOld()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = orderHeadingFields() + shipToFields()
        + std::vector<FieldSpec>{fieldOf("ItemNumber", F::Integer),
                                 fieldOf("Line"),
                                 fieldOf("IQty", F::Number),
                                 fieldOf("PriceEach", F::Number),
                                 fieldOf("PriceExt", F::Number),
                                 fieldOf("Style.ID", F::Integer),
                                 fieldOf("Name"),
                                 fieldOf("Type"),
                                 fieldOf("StyleComponent.ID", F::Integer),
                                 fieldOf("ComponentID"),
                                 fieldOf("Qty", F::Number),
                                 fieldOf("Description"),
                                 fieldOf("Thickness", F::Number),
                                 fieldOf("Width", F::Number),
                                 fieldOf("Length", F::Number),
                                 fieldOf("Cutstyle"),
                                 fieldOf("Test", F::Flag),
                                 fieldOf("TestRange"),
                                 fieldOf("Topped"),
                                 fieldOf("RailsPerBun", F::Number),
                                 fieldOf("PiecesPerRail", F::Number),
                                 fieldOf("Arm", F::Flag),
                                 fieldOf("Tie", F::Flag)};
    std::vector<Column> columns = {
        Column(QStringLiteral("Line"), QStringLiteral("Line"), 40),
        Column(
            QStringLiteral("Style"), {}, 110, Format::Text, Qt::AlignLeft,
            [](const RowView &r) {
                return QVariant(r.text(QStringLiteral("Name")) + QStringLiteral("-") + r.text(QStringLiteral("Type")));
            },
            true),
        Column(QStringLiteral("Component"), QStringLiteral("ComponentID"), 70),
        Column(QStringLiteral("Description"), QStringLiteral("Description"), 150, Format::Text, Qt::AlignLeft, {},
               true),
        Column(QStringLiteral("Size"), {}, 90, Format::Text, Qt::AlignLeft,
               [](const RowView &r) {
                   return sizeText(r, QStringLiteral("Thickness"), QStringLiteral("Width"), QStringLiteral("Length"));
               }),
        Column(QStringLiteral("Pieces"), {}, 50, Format::Number, Qt::AlignRight,
               [](const RowView &r) {
                   return QVariant(r.number(QStringLiteral("IQty")) * r.number(QStringLiteral("Qty")));
               }),
        Column(QStringLiteral("Loaded"), {}, 30, Format::Text, Qt::AlignHCenter,
               [](const RowView &) { return QVariant(QStringLiteral("[  ]")); }),
    };
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    DefinitionPtr d = floorDefinition(QStringLiteral("crptLoadSheetOld"), QStringLiteral("Shipment Components"),
                                      Orientation::Portrait, std::move(fields), header, columns);
    addUnderOrderBand(*d, shipToBand(d->contentWidth()));
    return d;
}

} // namespace reporting::definitions
