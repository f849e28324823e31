// Every component in ID order: its size, cutting figures, bun and flags.
// Landscape, one line per component.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

namespace reporting::definitions {

DefinitionPtr crptComponentListing()
{
    auto f = [](const char *n, FieldType t = FieldType::Text) { return FieldSpec{QString::fromLatin1(n), t}; };
    DefinitionPtr d = headedDefinition(
        QStringLiteral("crptComponentListing"), QStringLiteral("Component Listing"), Orientation::Landscape,
        {f("ID"), f("Description"), f("Thickness", FieldType::Number), f("Width", FieldType::Number),
         f("Length", FieldType::Number), f("Cutstyle"), f("Test", FieldType::Flag), f("TestRange"), f("BunID"),
         f("Topped"), f("RailsPerBun", FieldType::Number), f("PiecesPerRail", FieldType::Number),
         f("PrintOnShipping", FieldType::Flag), f("Arm", FieldType::Flag), f("Tie", FieldType::Flag)});
    const qreal w = d->contentWidth();
    const Qt::Alignment right = Qt::AlignRight;
    const Qt::Alignment centre = Qt::AlignHCenter;
    const std::vector<Column> columns = {
        {QStringLiteral("ID"), QStringLiteral("ID"), 55},
        // What the other columns leave of the page; it wraps.
        {QStringLiteral("Description"), QStringLiteral("Description"), w - 588, Format::Text, Qt::AlignLeft, {}, true},
        {QStringLiteral("Thick"), QStringLiteral("Thickness"), 38, Format::Dimension, right},
        {QStringLiteral("Width"), QStringLiteral("Width"), 38, Format::Dimension, right},
        {QStringLiteral("Length"), QStringLiteral("Length"), 40, Format::Dimension, right},
        {QStringLiteral("Cut Style"), QStringLiteral("Cutstyle"), 60, Format::Text, Qt::AlignLeft, {}, true},
        {QStringLiteral("Test"), QStringLiteral("Test"), 28, Format::YesNo, centre},
        {QStringLiteral("Test Range"), QStringLiteral("TestRange"), 55},
        {QStringLiteral("Bun"), QStringLiteral("BunID"), 55},
        {QStringLiteral("Topped"), QStringLiteral("Topped"), 45},
        {QStringLiteral("Rails/Bun"), QStringLiteral("RailsPerBun"), 42, Format::Number, right},
        {QStringLiteral("Pcs/Rail"), QStringLiteral("PiecesPerRail"), 40, Format::Number, right},
        {QStringLiteral("On Ship."), QStringLiteral("PrintOnShipping"), 40, Format::YesNo, centre},
        {QStringLiteral("Arm"), QStringLiteral("Arm"), 26, Format::YesNo, centre},
        {QStringLiteral("Tie"), QStringLiteral("Tie"), 26, Format::YesNo, centre},
    };
    d->bands.push_back(columnHeadingBand(columns));
    d->bands.push_back(detailBand(columns, 0, 13));
    d->bands.push_back(
        countFooter(BandKind::ReportFooter, -1, QStringLiteral("Components listed:"), QStringLiteral("ID"), w));
    return d;
}

} // namespace reporting::definitions
