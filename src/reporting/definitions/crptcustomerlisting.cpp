// Customers by status: billing and shipping addresses side by side, with
// phones, terms and the date the customer was added. Landscape, so that both
// addresses fit.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

namespace reporting::definitions {

DefinitionPtr crptCustomerListing()
{
    auto text = [](const char *n) { return FieldSpec{QString::fromLatin1(n), FieldType::Text}; };
    DefinitionPtr d = headedDefinition(QStringLiteral("crptCustomerListing"), QStringLiteral("Customer Listing"),
                                       Orientation::Landscape,
                                       {text("Customer"),       text("Address1"),
                                        text("Address2"),       text("City"),
                                        text("State"),          text("Zip"),
                                        text("Phone"),          text("Fax"),
                                        text("Status"),         {QStringLiteral("DateAdded"), FieldType::DateTime},
                                        text("ShipTo"),         text("ShipToAddress1"),
                                        text("ShipToAddress2"), text("ShipToCity"),
                                        text("ShipToState"),    text("ShipToZip"),
                                        text("ShipToPhone"),    text("ShipToFax"),
                                        text("Terms"),          {QStringLiteral("Days"), FieldType::Integer}});
    const qreal w = d->contentWidth();
    auto phones = [](const QString &phone, const QString &fax) {
        return [phone, fax](const RowView &r) {
            QStringList lines;
            if (!r.text(phone).trimmed().isEmpty())
                lines << QStringLiteral("Ph  ") + r.text(phone).trimmed();
            if (!r.text(fax).trimmed().isEmpty())
                lines << QStringLiteral("Fax ") + r.text(fax).trimmed();
            return QVariant(lines.join(QLatin1Char('\n')));
        };
    };
    const std::vector<Column> columns = {
        {QStringLiteral("Customer"), QStringLiteral("Customer"), 125, Format::Text, Qt::AlignLeft, {}, true},
        {QStringLiteral("Bill To"),
         {},
         150,
         Format::Text,
         Qt::AlignLeft,
         [](const RowView &r) {
             return QVariant(
                 joined({r.text(QStringLiteral("Address1")), r.text(QStringLiteral("Address2")),
                         cityStateZip(r, QStringLiteral("City"), QStringLiteral("State"), QStringLiteral("Zip"))}));
         },
         true},
        {QStringLiteral("Phone / Fax"),
         {},
         85,
         Format::Text,
         Qt::AlignLeft,
         phones(QStringLiteral("Phone"), QStringLiteral("Fax")),
         true},
        {QStringLiteral("Ship To"),
         {},
         145,
         Format::Text,
         Qt::AlignLeft,
         [](const RowView &r) {
             return QVariant(joined({r.text(QStringLiteral("ShipTo")), r.text(QStringLiteral("ShipToAddress1")),
                                     r.text(QStringLiteral("ShipToAddress2")),
                                     cityStateZip(r, QStringLiteral("ShipToCity"), QStringLiteral("ShipToState"),
                                                  QStringLiteral("ShipToZip"))}));
         },
         true},
        {QStringLiteral("Ship-To Phone / Fax"),
         {},
         85,
         Format::Text,
         Qt::AlignLeft,
         phones(QStringLiteral("ShipToPhone"), QStringLiteral("ShipToFax")),
         true},
        {QStringLiteral("Terms"), QStringLiteral("Terms"), 50, Format::Text, Qt::AlignLeft, {}, true},
        {QStringLiteral("Days"), QStringLiteral("Days"), 30, Format::Integer, Qt::AlignRight},
        {QStringLiteral("Added"), QStringLiteral("DateAdded"), 50 + (w - 720), Format::Date, Qt::AlignRight},
    };
    d->bands.push_back(columnHeadingBand(columns));
    d->groups.push_back({QStringLiteral("Status"), {}, false});
    d->bands.push_back(statusGroupHeader(0, QStringLiteral("Customers"), w));
    Band detail = detailBand(columns, 0, 16);
    // Room between customers, whose blocks run to several lines.
    for (Element &e : detail.elements)
        e.height = 12;
    d->bands.push_back(detail);
    d->bands.push_back(countFooter(BandKind::GroupFooter, 0, QStringLiteral("Customers in this group:"),
                                   QStringLiteral("Customer"), w));
    d->bands.push_back(
        countFooter(BandKind::ReportFooter, -1, QStringLiteral("Customers listed:"), QStringLiteral("Customer"), w));
    return d;
}

} // namespace reporting::definitions
