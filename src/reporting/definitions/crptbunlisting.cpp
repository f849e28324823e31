// Buns by status, then regular buns before off-all ones, by grade and size.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

namespace reporting::definitions {

DefinitionPtr crptBunListing()
{
    DefinitionPtr d =
        headedDefinition(QStringLiteral("crptBunListing"), QStringLiteral("Bun Listing"), Orientation::Portrait,
                         {{QStringLiteral("ID")},
                          {QStringLiteral("Width"), FieldType::Number},
                          {QStringLiteral("Length"), FieldType::Number},
                          {QStringLiteral("Grade")},
                          {QStringLiteral("Vendor")},
                          {QStringLiteral("Status")},
                          {QStringLiteral("OffAll"), FieldType::Flag}});
    const qreal w = d->contentWidth();
    const std::vector<Column> columns = {
        {QStringLiteral("Bun"), QStringLiteral("ID"), 90},
        {QStringLiteral("Grade"), QStringLiteral("Grade"), 100, Format::Text, Qt::AlignLeft, {}, true},
        {QStringLiteral("Width"), QStringLiteral("Width"), 55, Format::Dimension, Qt::AlignRight},
        {QStringLiteral("Length"), QStringLiteral("Length"), 55, Format::Dimension, Qt::AlignRight},
        {QStringLiteral("Off-All"), QStringLiteral("OffAll"), 50, Format::YesNo, Qt::AlignHCenter},
        {QStringLiteral("Vendor"), QStringLiteral("Vendor"), w - 350, Format::Text, Qt::AlignLeft, {}, true},
    };
    d->bands.push_back(columnHeadingBand(columns));
    d->groups.push_back({QStringLiteral("Status"), {}, false});
    d->groups.push_back({QStringLiteral("OffAll"), {}, false});
    d->bands.push_back(statusGroupHeader(0, QStringLiteral("Buns"), w));
    Band offAll;
    offAll.kind = BandKind::GroupHeader;
    offAll.group = 1;
    offAll.height = 16;
    offAll.elements.push_back(formula(QStringLiteral("OffAllHeading"),
                                      [](const RowView &r) {
                                          return QVariant(r.flag(QStringLiteral("OffAll"))
                                                              ? QStringLiteral("Off-all buns")
                                                              : QStringLiteral("Regular buns"));
                                      },
                                      8, 2, 200, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {8.5, false, true}));
    d->bands.push_back(offAll);
    d->bands.push_back(detailBand(columns, 0, 13));
    d->bands.push_back(
        countFooter(BandKind::GroupFooter, 0, QStringLiteral("Buns in this group:"), QStringLiteral("ID"), w));
    d->bands.push_back(
        countFooter(BandKind::ReportFooter, -1, QStringLiteral("Buns listed:"), QStringLiteral("ID"), w));
    return d;
}

} // namespace reporting::definitions
