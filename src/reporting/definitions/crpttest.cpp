// The test sheet: the components of the order to be tested, with the range
// each must test within.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptTest()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = orderComponentFields()
        + std::vector<FieldSpec>{fieldOf("Bun.Width", F::Number), fieldOf("Bun.Length", F::Number), fieldOf("Grade"),
                                 fieldOf("OffAll", F::Flag)};
    const std::vector<Column> columns = orderLineColumns(
        QStringLiteral("OrderItems.Qty"), QStringLiteral("StyleComponent.Qty"), false,
        {Column(QStringLiteral("Grade"), QStringLiteral("Grade"), 60),
         Column(QStringLiteral("Test Range"), QStringLiteral("TestRange"), 90, Format::Text, Qt::AlignLeft, {}, true),
         Column(QStringLiteral("Tested By / Result"), {}, 128, Format::Text, Qt::AlignLeft,
                [](const RowView &) { return QVariant(QStringLiteral("____________________")); })});
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    return floorDefinition(QStringLiteral("crptTest"), QStringLiteral("Test Sheet"), Orientation::Landscape,
                           std::move(fields), header, columns);
}

} // namespace reporting::definitions
