// The tie sheet: the components of the order to be tied, foam or fiber.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptTie()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = {fieldOf("Customer"),
                                     fieldOf("OrderDate", F::DateTime),
                                     fieldOf("DueDate", F::DateTime),
                                     fieldOf("OrderNumber"),
                                     fieldOf("Orders.ID", F::Integer),
                                     fieldOf("ItemNumber", F::Integer),
                                     fieldOf("Line"),
                                     fieldOf("ItemQty", F::Number),
                                     fieldOf("PriceEach", F::Number),
                                     fieldOf("PriceExt", F::Number),
                                     fieldOf("Style.ID", F::Integer),
                                     fieldOf("Name"),
                                     fieldOf("Type"),
                                     fieldOf("StyleComponent.ID", F::Integer),
                                     fieldOf("ComponentID"),
                                     fieldOf("CompQty", F::Number),
                                     fieldOf("Description"),
                                     fieldOf("Component.Thickness", F::Number),
                                     fieldOf("Component.Width", F::Number),
                                     fieldOf("Component.Length", F::Number),
                                     fieldOf("Cutstyle"),
                                     fieldOf("Test", F::Flag),
                                     fieldOf("TestRange"),
                                     fieldOf("Topped"),
                                     fieldOf("RailsPerBun", F::Number),
                                     fieldOf("PiecesPerRail", F::Number),
                                     fieldOf("PrintOnShipping", F::Flag),
                                     fieldOf("Arm", F::Flag),
                                     fieldOf("Tie", F::Flag),
                                     fieldOf("Bun.Width", F::Number),
                                     fieldOf("Bun.Length", F::Number),
                                     fieldOf("Grade")};
    const std::vector<Column> columns =
        orderLineColumns(QStringLiteral("ItemQty"), QStringLiteral("CompQty"), false,
                         {Column(QStringLiteral("Grade"), QStringLiteral("Grade"), 60),
                          Column(QStringLiteral("Topped"), QStringLiteral("Topped"), 80),
                          Column(QStringLiteral("Tied"), {}, 138, Format::Text, Qt::AlignLeft,
                                 [](const RowView &) { return QVariant(QStringLiteral("____________________")); })});
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    header.department = true;
    header.suffix = true; // the shipping run's order suffix
    return floorDefinition(QStringLiteral("crptTie"), QStringLiteral("Tie Sheet"), Orientation::Landscape,
                           std::move(fields), header, columns);
}

} // namespace reporting::definitions
