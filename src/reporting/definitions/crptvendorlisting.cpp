// Vendors by status (active first, as the statement sorts them), one line
// each with address, phone, fax and contact.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

namespace reporting::definitions {

namespace {

// "Active Vendors", "Inactive Vendors".
QString statusHeading(const QString &status, const QString &what)
{
    const QString s = status.trimmed();
    if (s.isEmpty())
        return what + QStringLiteral(" without a status");
    QString shown = s.toLower();
    shown[0] = shown[0].toUpper();
    return shown + QLatin1Char(' ') + what;
}

} // namespace

// Shared by the listings that group by Status.
Band statusGroupHeader(int group, const QString &what, qreal width)
{
    Band b;
    b.kind = BandKind::GroupHeader;
    b.group = group;
    b.height = 24;
    b.elements.push_back(
        formula(QStringLiteral("StatusHeading"),
                [what](const RowView &r) { return QVariant(statusHeading(r.text(QStringLiteral("Status")), what)); }, 0,
                6, width, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {10.5, true}));
    b.elements.back().height = 16;
    return b;
}

Band countFooter(BandKind kind, int group, const QString &caption, const QString &field, qreal width)
{
    Band b;
    b.kind = kind;
    b.group = group;
    b.height = 22;
    b.elements.push_back(line(0, 3, width, 0.4));
    b.elements.push_back(label(caption, 0, 6, 200, 12, {8, true}));
    b.elements.push_back(
        total(field, TotalKind::Count, 200, 6, 60, Format::Integer, Qt::AlignLeft | Qt::AlignVCenter, {8, true}));
    return b;
}

DefinitionPtr crptVendorListing()
{
    DefinitionPtr d =
        headedDefinition(QStringLiteral("crptVendorListing"), QStringLiteral("Vendor Listing"), Orientation::Portrait,
                         {{QStringLiteral("Vendor")},
                          {QStringLiteral("Address1")},
                          {QStringLiteral("Address2")},
                          {QStringLiteral("City")},
                          {QStringLiteral("State")},
                          {QStringLiteral("Zip")},
                          {QStringLiteral("Phone")},
                          {QStringLiteral("Fax")},
                          {QStringLiteral("Contact")},
                          {QStringLiteral("Status")}});
    const qreal w = d->contentWidth();
    const std::vector<Column> columns = {
        {QStringLiteral("Vendor"), QStringLiteral("Vendor"), 120, Format::Text, Qt::AlignLeft, {}, true},
        {QStringLiteral("Address"),
         {},
         120,
         Format::Text,
         Qt::AlignLeft,
         [](const RowView &r) {
             return QVariant(joined({r.text(QStringLiteral("Address1")), r.text(QStringLiteral("Address2"))}));
         },
         true},
        {QStringLiteral("City, State Zip"),
         {},
         110,
         Format::Text,
         Qt::AlignLeft,
         [](const RowView &r) {
             return QVariant(cityStateZip(r, QStringLiteral("City"), QStringLiteral("State"), QStringLiteral("Zip")));
         },
         true},
        {QStringLiteral("Phone"), QStringLiteral("Phone"), 66},
        {QStringLiteral("Fax"), QStringLiteral("Fax"), 66},
        {QStringLiteral("Contact"), QStringLiteral("Contact"), 58, Format::Text, Qt::AlignLeft, {}, true},
    };
    d->bands.push_back(columnHeadingBand(columns));
    d->groups.push_back({QStringLiteral("Status"), {}, false});
    d->bands.push_back(statusGroupHeader(0, QStringLiteral("Vendors"), w));
    Band detail = detailBand(columns, 0, 15);
    d->bands.push_back(detail);
    d->bands.push_back(
        countFooter(BandKind::GroupFooter, 0, QStringLiteral("Vendors in this group:"), QStringLiteral("Vendor"), w));
    d->bands.push_back(
        countFooter(BandKind::ReportFooter, -1, QStringLiteral("Vendors listed:"), QStringLiteral("Vendor"), w));
    return d;
}

} // namespace reporting::definitions
