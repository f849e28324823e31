// The order report: the order with its ship-to address and its lines, for
// the office's control copy.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

std::vector<FieldSpec> orderReportFields()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = {fieldOf("Orders.ID", F::Integer), fieldOf("OrderNumber"), fieldOf("Customer"),
                                     fieldOf("OrderDate", F::Date), fieldOf("DueDate", F::Date)};
    for (const FieldSpec &f : shipToFields())
        fields.push_back(f);
    for (const FieldSpec &f :
         {fieldOf("ItemNumber", F::Integer), fieldOf("Line"), fieldOf("Qty", F::Number), fieldOf("StyleID", F::Integer),
          fieldOf("Name"), fieldOf("Type"), fieldOf("PriceEach", F::Number), fieldOf("PriceExt", F::Number)})
        fields.push_back(f);
    return fields;
}

DefinitionPtr orderReport(const QString &name, bool company)
{
    const std::vector<Column> columns = {
        Column(QStringLiteral("Item"), QStringLiteral("ItemNumber"), 40, Format::Integer, Qt::AlignRight),
        Column(QStringLiteral("Line"), QStringLiteral("Line"), 60),
        Column(QStringLiteral("Qty"), QStringLiteral("Qty"), 60, Format::Number, Qt::AlignRight),
        Column(
            QStringLiteral("Style"), {}, 200, Format::Text, Qt::AlignLeft,
            [](const RowView &r) {
                return r.isNull(QStringLiteral("Name"))
                    ? QVariant()
                    : QVariant(r.text(QStringLiteral("Name")) + QStringLiteral("-") + r.text(QStringLiteral("Type")));
            },
            true),
        Column(QStringLiteral("Price Each"), QStringLiteral("PriceEach"), 85, Format::Money, Qt::AlignRight),
        Column(QStringLiteral("Extended"), QStringLiteral("PriceExt"), 95, Format::Money, Qt::AlignRight),
    };
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    header.department = true;
    header.company = company;
    header.plant = false;
    DefinitionPtr d = floorDefinition(name, QStringLiteral("Order Report"), Orientation::Portrait, orderReportFields(),
                                      header, columns);
    addUnderOrderBand(*d, shipToBand(d->contentWidth()));
    d->bands.push_back(totalsFooter(BandKind::ReportFooter, -1,
                                    [](const RowView &) { return QVariant(QStringLiteral("Order total")); }, columns,
                                    {{QStringLiteral("Qty"), QStringLiteral("Qty"), {}, Format::Number},
                                     {QStringLiteral("Extended"), QStringLiteral("PriceExt"), {}, Format::Money}}));
    return d;
}

DefinitionPtr crptOrder()
{
    return orderReport(QStringLiteral("crptOrder"), true);
}

} // namespace reporting::definitions
