// A buggy ticket: one page per buggy, read from across the floor - the line,
// the style, the pieces on this buggy in large type - and the components of
// the buggy group underneath.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptBuggySheetReport()
{
    using F = FieldType;
    std::vector<FieldSpec> fields = orderHeadingFields() + shipToFields()
        + std::vector<FieldSpec>{fieldOf("OrderItems.Qty", F::Number),
                                 fieldOf("Line"),
                                 fieldOf("Style.ID", F::Integer),
                                 fieldOf("Name"),
                                 fieldOf("Type"),
                                 fieldOf("StyleComponent.ID", F::Integer),
                                 fieldOf("ComponentID"),
                                 fieldOf("StyleComponent.Qty", F::Number),
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
                                 fieldOf("Tie", F::Flag),
                                 fieldOf("QtyPerBuggy", F::Integer),
                                 fieldOf("BuggySheet", F::Integer)};
    const std::vector<Column> columns = {
        Column(QStringLiteral("Component"), QStringLiteral("ComponentID"), 90, Format::Text, Qt::AlignLeft),
        Column(QStringLiteral("Description"), QStringLiteral("Description"), 230, Format::Text, Qt::AlignLeft, {},
               true),
        Column(QStringLiteral("Size"), {}, 120, Format::Text, Qt::AlignLeft,
               [](const RowView &r) {
                   return sizeText(r, QStringLiteral("Thickness"), QStringLiteral("Width"), QStringLiteral("Length"));
               }),
        Column(QStringLiteral("On Buggy"), QStringLiteral("QtyPerBuggy"), 100, Format::Integer, Qt::AlignRight),
    };
    FloorHeader header;
    header.idField = QStringLiteral("Orders.ID");
    DefinitionPtr d = floorDefinition(QStringLiteral("crptBuggySheetReport"), QStringLiteral("Buggy Ticket"),
                                      Orientation::Portrait, std::move(fields), header, {});
    const qreal w = d->contentWidth();
    Band big;
    big.kind = BandKind::ReportHeader;
    big.height = 250;
    big.elements.push_back(label(QStringLiteral("LINE"), 0, 6, w * 0.4, 14, {11, true}));
    // The big fields shrink (and wrap) to show a long line or style whole.
    big.elements.push_back(
        field(QStringLiteral("Line"), 0, 20, w * 0.4, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {40, true}));
    big.elements.back().height = 56;
    big.elements.back().minPointSize = 20;
    big.elements.push_back(
        label(QStringLiteral("BUGGY"), w * 0.6, 6, w * 0.4, 14, {11, true}, Qt::AlignRight | Qt::AlignVCenter));
    big.elements.push_back(field(QStringLiteral("BuggySheet"), w * 0.6, 20, w * 0.4, Format::Integer,
                                 Qt::AlignRight | Qt::AlignVCenter, {40, true}));
    big.elements.back().height = 56;
    big.elements.push_back(label(QStringLiteral("STYLE"), 0, 82, w, 14, {11, true}));
    big.elements.push_back(formula(QStringLiteral("StyleText"),
                                   [](const RowView &r) {
                                       return QVariant(r.text(QStringLiteral("Name")) + QStringLiteral("-")
                                                       + r.text(QStringLiteral("Type")));
                                   },
                                   0, 96, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {30, true}));
    big.elements.back().height = 42;
    big.elements.back().minPointSize = 16;
    big.elements.push_back(label(QStringLiteral("PIECES ON THIS BUGGY"), 0, 146, w, 14, {11, true}));
    big.elements.push_back(field(QStringLiteral("QtyPerBuggy"), 0, 160, w * 0.5, Format::Integer,
                                 Qt::AlignLeft | Qt::AlignVCenter, {60, true}));
    big.elements.back().height = 80;
    big.elements.push_back(
        formula(QStringLiteral("LineQty"),
                [](const RowView &r) {
                    return QVariant(QStringLiteral("Line quantity %1")
                                        .arg(formatValue(r.number(QStringLiteral("OrderItems.Qty")), Format::Number)));
                },
                w * 0.5, 200, w * 0.5, Format::Text, Qt::AlignRight | Qt::AlignVCenter, {12}));
    // The ticket's own code (order, line item, buggy group, ticket n of m),
    // for the floor's scanners.
    big.elements.push_back(barcode(kScanCodeField, w * 0.5, 146, w * 0.5, 52, Qt::AlignRight));
    big.elements.push_back(line(0, 244, w, 1.5));
    d->bands.push_back(big);
    d->bands.push_back(columnHeadingBand(columns, 0, BandKind::ReportHeader));
    d->bands.push_back(detailBand(columns, 0, 16));
    return d;
}

} // namespace reporting::definitions
