// The catalogue of report definitions by name.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

#include <QDate>
#include <QHash>
#include <map>

namespace reporting {

namespace {

using Factory = definitions::DefinitionPtr (*)();

const std::map<QString, Factory> &factories()
{
    static const std::map<QString, Factory> all = {
        {QStringLiteral("crptVendorListing"), definitions::crptVendorListing},
        {QStringLiteral("crptCustomerListing"), definitions::crptCustomerListing},
        {QStringLiteral("crptComponentListing"), definitions::crptComponentListing},
        {QStringLiteral("crptBunListing"), definitions::crptBunListing},
        {QStringLiteral("crptStyleListing"), definitions::crptStyleListing},
        {QStringLiteral("crptCNC"), definitions::crptCNC},
        {QStringLiteral("crptBandSaw"), definitions::crptBandSaw},
        {QStringLiteral("crptFiberTable"), definitions::crptFiberTable},
        {QStringLiteral("crptCNCStencil"), definitions::crptCNCStencil},
        {QStringLiteral("crptGlueSprayLine"), definitions::crptGlueSprayLine},
        {QStringLiteral("crptVerticalSlitter"), definitions::crptVerticalSlitter},
        {QStringLiteral("crptBulletNoser"), definitions::crptBulletNoser},
        {QStringLiteral("crptTest"), definitions::crptTest},
        {QStringLiteral("crptTie"), definitions::crptTie},
        {QStringLiteral("crptTopOutSaw"), definitions::crptTopOutSaw},
        {QStringLiteral("crptFoamOrder"), definitions::crptFoamOrder},
        {QStringLiteral("crptFiberOrder"), definitions::crptFiberOrder},
        {QStringLiteral("crptLoadSheetOld"), definitions::crptLoadSheetOld},
        {QStringLiteral("crptLoadSheet"), definitions::crptLoadSheet},
        {QStringLiteral("crptSummary"), definitions::crptSummary},
        {QStringLiteral("crptBuggySheetReport"), definitions::crptBuggySheetReport},
        {QStringLiteral("crptOrder"), definitions::crptOrder},
        {QStringLiteral("crptOrder2"), definitions::crptOrder2},
        {QStringLiteral("crptInvoice"), definitions::crptInvoice},
        {QStringLiteral("crptOpenInvoices"), definitions::crptOpenInvoices},
        {QStringLiteral("crptCustomerStatements"), definitions::crptCustomerStatements},
        {QStringLiteral("crptSalesByCustomer"), definitions::crptSalesByCustomer},
    };
    return all;
}

} // namespace

std::shared_ptr<const ReportDefinition> findDefinition(const QString &name)
{
    static QHash<QString, std::shared_ptr<const ReportDefinition>> built;
    const auto cached = built.constFind(name);
    if (cached != built.constEnd())
        return *cached;
    const auto it = factories().find(name);
    if (it == factories().end())
        throw ReportError(QStringLiteral("There is no report definition named \"%1\".").arg(name));
    std::shared_ptr<const ReportDefinition> definition = it->second();
    built.insert(name, definition);
    return definition;
}

QStringList definitionNames()
{
    QStringList names;
    for (const auto &entry : factories())
        names << entry.first;
    return names;
}

namespace definitions {

DefinitionPtr headedDefinition(const QString &name, const QString &caption, Orientation orientation,
                               std::vector<FieldSpec> fields)
{
    auto d = std::make_shared<ReportDefinition>();
    d->name = name;
    d->caption = caption;
    d->orientation = orientation;
    d->fields = std::move(fields);
    d->bands.push_back(companyHeadingBand(d->contentWidth(), caption));
    d->bands.push_back(pageFooterBand(d->contentWidth()));
    return d;
}

QVariant sizeText(const RowView &row, const QString &thickness, const QString &width, const QString &length)
{
    if (row.isNull(thickness) && row.isNull(width) && row.isNull(length))
        return QVariant();
    return QStringLiteral("%1 x %2 x %3")
        .arg(formatValue(row.number(thickness), Format::Dimension), formatValue(row.number(width), Format::Dimension),
             formatValue(row.number(length), Format::Dimension));
}

QString joined(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &p : parts)
        if (!p.trimmed().isEmpty())
            kept << p.trimmed();
    return kept.join(separator);
}

QString cityStateZip(const RowView &row, const QString &city, const QString &state, const QString &zip)
{
    const QString c = row.text(city).trimmed();
    const QString sz = joined({row.text(state), row.text(zip)}, QStringLiteral("  "));
    return c.isEmpty() ? sz : (sz.isEmpty() ? c : c + QStringLiteral(", ") + sz);
}

} // namespace definitions

} // namespace reporting
