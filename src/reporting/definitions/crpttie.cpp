// The tie sheet: the components of the order to be tied, foam or fiber.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptTie()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = orderComponentFields("ItemQty", "CompQty")
        + std::vector<FieldSpec>{fieldOf("Bun.Width", F::Number), fieldOf("Bun.Length", F::Number), fieldOf("Grade")};
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
    DefinitionPtr d = floorDefinition(QStringLiteral("crptTie"), QStringLiteral("Tie Sheet"), Orientation::Landscape,
                                      std::move(fields), header, columns);
    d->titleNamesDepartment = true; // the foam and the fiber sheet
    return d;
}

} // namespace reporting::definitions
