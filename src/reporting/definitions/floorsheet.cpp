#include "reporting/definitions/floorsheet.h"

#include "reporting/report.h"

#include <cmath>

namespace reporting::definitions {

namespace {

const Qt::Alignment kRight = Qt::AlignRight;
constexpr double kEpsilon = 1e-6;

QString q(const char *text)
{
    return QString::fromLatin1(text);
}

// A caption over a value in the order band.
void cell(Band &b, const QString &caption, Element value, qreal x, qreal width)
{
    b.elements.push_back(label(caption, x + 4, 44, width - 8, 9, {6.5, false, true}));
    value.x = x + 4;
    value.y = 53;
    value.width = width - 8;
    value.height = 16;
    value.font = {12, true};
    b.elements.push_back(value);
}

} // namespace

FieldSpec fieldOf(const char *name, FieldType type)
{
    return FieldSpec{QString::fromLatin1(name), type};
}

Band floorHeaderBand(qreal width, const FloorHeader &h)
{
    Band b;
    b.kind = BandKind::PageHeader;
    b.height = 84;
    if (h.company) {
        b.elements.push_back(textObject(q("txtCompanyName"), 0, 0, width * 0.45, 13, {10, true}));
        b.elements.push_back(textObject(q("txtCompanyAddress"), 0, 13, width * 0.45, 10, {7.5}));
        b.elements.push_back(textObject(q("txtCompanyCityStateZip"), 0, 23, width * 0.45, 10, {7.5}));
    }
    b.elements.push_back(
        textObject(q("txtTitle"), width * 0.35, 0, width * 0.65, 24, {18, true}, Qt::AlignRight | Qt::AlignVCenter));
    if (h.department)
        b.elements.push_back(textObject(q("txtDepartment"), width * 0.35, 24, width * 0.65, 14, {10, false, true},
                                        Qt::AlignRight | Qt::AlignVCenter));
    b.elements.push_back(box(0, 41, width, 32, 1));
    // Order number (with its suffix), customer, due date, plant, order ID, order date.
    const qreal parts[] = {0.17, 0.33, 0.14, 0.14, 0.10, 0.12};
    qreal x = 0;
    const auto next = [&](int i) {
        const qreal w = width * parts[i];
        const qreal at = x;
        x += w;
        return std::pair{at, w};
    };
    auto [x0, w0] = next(0);
    if (h.suffix) {
        Element order = formula(
            q("OrderAndSuffix"),
            [](const RowView &r) {
                const QString suffix = r.textObject(q("txtOrderSuffix")).trimmed();
                return QVariant(suffix.isEmpty() ? r.text(q("OrderNumber"))
                                                 : r.text(q("OrderNumber")) + q(" ") + suffix);
            },
            0, 0, 0);
        cell(b, q("Order"), order, x0, w0);
        // The suffix as typed, kept as its own object for the sheets' readers.
        Element suffix = textObject(q("txtOrderSuffix"), x0 + 4, 70, 0, 0);
        b.elements.push_back(suffix);
    } else {
        cell(b, q("Order"), field(q("OrderNumber"), 0, 0, 0, Format::Text), x0, w0);
    }
    auto [x1, w1] = next(1);
    cell(b, q("Customer"), field(q("Customer"), 0, 0, 0, Format::Text), x1, w1);
    auto [x2, w2] = next(2);
    cell(b, q("Due"), field(q("DueDate"), 0, 0, 0, Format::Date), x2, w2);
    auto [x3, w3] = next(3);
    if (h.plant)
        cell(b, q("Plant"), textObject(q("txtPlant"), 0, 0, 0), x3, w3);
    auto [x4, w4] = next(4);
    cell(b, q("Order ID"), field(h.idField, 0, 0, 0, Format::Text), x4, w4);
    auto [x5, w5] = next(5);
    Element ordered = field(q("OrderDate"), 0, 0, 0, Format::Date);
    cell(b, q("Ordered"), ordered, x5, w5);
    b.elements.back().font = {9};
    return b;
}

DefinitionPtr floorDefinition(const QString &name, const QString &caption, Orientation orientation,
                              std::vector<FieldSpec> fields, const FloorHeader &header,
                              const std::vector<Column> &columns)
{
    auto d = std::make_shared<ReportDefinition>();
    d->name = name;
    d->caption = caption;
    d->orientation = orientation;
    d->fields = std::move(fields);
    d->bands.push_back(floorHeaderBand(d->contentWidth(), header));
    for (Element &e : d->bands.back().elements)
        if (e.kind == ElementKind::Text && e.name == QLatin1String("txtTitle"))
            e.text = caption; // until the routine names the station
    if (!columns.empty()) {
        d->bands.push_back(columnHeadingBand(columns));
        d->bands.push_back(detailBand(columns));
    }
    d->bands.push_back(pageFooterBand(d->contentWidth()));
    return d;
}

Band shipToBand(qreal width)
{
    Band b;
    b.kind = BandKind::PageHeader;
    b.height = 54;
    b.elements.push_back(label(q("Ship to"), 0, 4, 60, 10, {7, false, true}));
    Element address = formula(
        q("ShipToAddress"),
        [](const RowView &r) {
            return QVariant(joined({r.text(q("ShipTo")), r.text(q("ShipToAddress1")), r.text(q("ShipToAddress2")),
                                    cityStateZip(r, q("ShipToCity"), q("ShipToState"), q("ShipToZip"))}));
        },
        60, 4, width * 0.5, Format::Text, Qt::AlignLeft | Qt::AlignTop, {9});
    address.height = 46;
    address.canGrow = true;
    b.elements.push_back(address);
    b.elements.push_back(formula(q("ShipToPhones"),
                                 [](const RowView &r) {
                                     const QString phone = r.text(q("ShipToPhone")), fax = r.text(q("ShipToFax"));
                                     return QVariant(joined({phone.isEmpty() ? QString() : q("Phone ") + phone,
                                                             fax.isEmpty() ? QString() : q("Fax ") + fax}));
                                 },
                                 width * 0.65, 4, width * 0.35, Format::Text, Qt::AlignLeft | Qt::AlignTop, {8}));
    b.elements.back().height = 30;
    return b;
}

void addUnderOrderBand(ReportDefinition &d, Band band)
{
    d.bands.insert(d.bands.begin() + 1, std::move(band));
}

std::vector<FieldSpec> workTableFields(bool vendor, bool bunId)
{
    using F = FieldType;
    std::vector<FieldSpec> f = {fieldOf("OrderID", F::Number),
                                fieldOf("Customer"),
                                fieldOf("OrderDate", F::DateTime),
                                fieldOf("DueDate", F::DateTime),
                                fieldOf("OrderNumber"),
                                fieldOf("LineNumber"),
                                fieldOf("StyleName"),
                                fieldOf("ComponentID"),
                                fieldOf("Qty", F::Number),
                                fieldOf("Description"),
                                fieldOf("CThickness", F::Number),
                                fieldOf("CWidth", F::Number),
                                fieldOf("CLength", F::Number),
                                fieldOf("Cutstyle"),
                                fieldOf("Test", F::Flag),
                                fieldOf("TestRange"),
                                fieldOf("Topped"),
                                fieldOf("RailsPerBun", F::Number),
                                fieldOf("PiecesPerRail", F::Number),
                                fieldOf("PrintOnShipping", F::Flag),
                                fieldOf("Arm", F::Flag),
                                fieldOf("Tie", F::Flag),
                                fieldOf("OperationID"),
                                fieldOf("ReportType"),
                                fieldOf("Instructions"),
                                fieldOf("OThickness", F::Number),
                                fieldOf("OWidth", F::Number),
                                fieldOf("OLength", F::Number),
                                fieldOf("BWidth", F::Number),
                                fieldOf("BLength", F::Number),
                                fieldOf("Grade"),
                                fieldOf("OffAll", F::Flag),
                                fieldOf("Plant")};
    if (vendor)
        f.push_back(fieldOf("Vendor"));
    if (bunId)
        f.push_back(fieldOf("BunID"));
    return f;
}

std::vector<FieldSpec> operator+(std::vector<FieldSpec> fields, const std::vector<FieldSpec> &more)
{
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

std::vector<FieldSpec> orderHeadingFields()
{
    using F = FieldType;
    return {fieldOf("Customer"), fieldOf("OrderDate", F::DateTime), fieldOf("DueDate", F::DateTime),
            fieldOf("OrderNumber"), fieldOf("Orders.ID", F::Integer)};
}

std::vector<FieldSpec> orderComponentFields(const char *itemQty, const char *componentQty)
{
    using F = FieldType;
    return orderHeadingFields()
        + std::vector<FieldSpec>{fieldOf("ItemNumber", F::Integer),
                                 fieldOf("Line"),
                                 fieldOf(itemQty, F::Number),
                                 fieldOf("PriceEach", F::Number),
                                 fieldOf("PriceExt", F::Number),
                                 fieldOf("Style.ID", F::Integer),
                                 fieldOf("Name"),
                                 fieldOf("Type"),
                                 fieldOf("StyleComponent.ID", F::Integer),
                                 fieldOf("ComponentID"),
                                 fieldOf(componentQty, F::Number),
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
                                 fieldOf("Tie", F::Flag)};
}

std::vector<FieldSpec> orderLineFields()
{
    using F = FieldType;
    return orderComponentFields()
        + std::vector<FieldSpec>{fieldOf("StyleOperation.ID", F::Integer),
                                 fieldOf("OperationID"),
                                 fieldOf("ReportType"),
                                 fieldOf("Instructions"),
                                 fieldOf("StyleOperation.Thickness", F::Number),
                                 fieldOf("StyleOperation.Width", F::Number),
                                 fieldOf("StyleOperation.Length", F::Number)};
}

std::vector<FieldSpec> shipToFields()
{
    return {fieldOf("ShipTo"),      fieldOf("ShipToAddress1"), fieldOf("ShipToAddress2"), fieldOf("ShipToCity"),
            fieldOf("ShipToState"), fieldOf("ShipToZip"),      fieldOf("ShipToPhone"),    fieldOf("ShipToFax")};
}

double piecesPerBun(const RowView &row)
{
    return row.number(q("RailsPerBun")) * row.number(q("PiecesPerRail"));
}

QVariant fullBuns(const RowView &row, const QString &qty)
{
    const double p = piecesPerBun(row);
    if (p <= 0)
        return QVariant();
    return std::floor(row.number(qty) / p + kEpsilon);
}

QVariant partBunPieces(const RowView &row, const QString &qty)
{
    const QVariant full = fullBuns(row, qty);
    if (full.isNull())
        return QVariant();
    const double part = row.number(qty) - full.toDouble() * piecesPerBun(row);
    return part > kEpsilon ? QVariant(std::round(part * 100) / 100) : QVariant();
}

QVariant bunsNeeded(const RowView &row, const QString &qty)
{
    const QVariant full = fullBuns(row, qty);
    if (full.isNull())
        return QVariant();
    return full.toDouble() + (partBunPieces(row, qty).isNull() ? 0 : 1);
}

QVariant rolls(const RowView &row, const QString &qty)
{
    const double perRoll = row.number(q("PiecesPerRail"));
    return perRoll > 0 ? QVariant(row.number(qty) / perRoll) : QVariant();
}

QVariant rollsNeeded(const RowView &row, const QString &qty)
{
    const QVariant r = rolls(row, qty);
    return r.isNull() ? QVariant() : QVariant(std::ceil(r.toDouble() - kEpsilon));
}

std::vector<Column> cuttingColumns(bool bunId)
{
    const Formula bun = [bunId](const RowView &r) -> QVariant {
        if (r.isNull(q("BWidth")) && r.isNull(q("BLength")))
            return QVariant();
        QString text = formatValue(r.number(q("BWidth")), Format::Dimension) + q(" x ")
            + formatValue(r.number(q("BLength")), Format::Dimension);
        if (bunId && !r.text(q("BunID")).isEmpty())
            text = r.text(q("BunID")) + q(" ") + text;
        if (r.flag(q("OffAll")))
            text += q(" off-all");
        return text;
    };
    return {
        Column(q("Line"), q("LineNumber"), 34),
        Column(q("Style"), q("StyleName"), 76, Format::Text, Qt::AlignLeft, {}, true),
        Column(q("Component"), q("ComponentID"), 58),
        Column(q("Description"), q("Description"), 96, Format::Text, Qt::AlignLeft, {}, true),
        Column(q("Cut Size"), {}, 76, Format::Text, Qt::AlignLeft,
               [](const RowView &r) { return sizeText(r, q("OThickness"), q("OWidth"), q("OLength")); }),
        Column(q("Bun"), {}, bunId ? 92 : 70, Format::Text, Qt::AlignLeft, bun, true),
        Column(q("Pieces"), q("Qty"), 42, Format::Number, kRight),
        Column(q("Pcs/Bun"), {}, 40, Format::Number, kRight,
               [](const RowView &r) {
                   const double p = piecesPerBun(r);
                   return p > 0 ? QVariant(p) : QVariant();
               }),
        Column(q("Full"), {}, 40, Format::Integer, kRight, [](const RowView &r) { return fullBuns(r); }),
        Column(q("Part Bun"), {}, 40, Format::Number, kRight, [](const RowView &r) { return partBunPieces(r); }),
        Column(q("Buns"), {}, 34, Format::Integer, kRight, [](const RowView &r) { return bunsNeeded(r); }),
        Column(q("Instructions"), q("Instructions"), bunId ? 92 : 114, Format::Text, Qt::AlignLeft, {}, true),
    };
}

std::vector<Column> fiberColumns()
{
    return {
        Column(q("Line"), q("LineNumber"), 34),
        Column(q("Style"), q("StyleName"), 84, Format::Text, Qt::AlignLeft, {}, true),
        Column(q("Component"), q("ComponentID"), 62),
        Column(q("Description"), q("Description"), 120, Format::Text, Qt::AlignLeft, {}, true),
        Column(q("Cut Size"), {}, 80, Format::Text, Qt::AlignLeft,
               [](const RowView &r) { return sizeText(r, q("OThickness"), q("OWidth"), q("OLength")); }),
        Column(q("Roll"), {}, 64, Format::Text, Qt::AlignLeft,
               [](const RowView &r) {
                   return r.isNull(q("BWidth"))
                       ? QVariant()
                       : QVariant(formatValue(r.number(q("BWidth")), Format::Dimension) + q(" x ")
                                  + formatValue(r.number(q("BLength")), Format::Dimension));
               }),
        Column(q("Pieces"), q("Qty"), 44, Format::Number, kRight),
        Column(q("Pcs/Roll"), q("PiecesPerRail"), 42, Format::Number, kRight),
        Column(q("Rolls"), {}, 40, Format::Number, kRight, [](const RowView &r) { return rolls(r); }),
        Column(q("Whole"), {}, 36, Format::Integer, kRight, [](const RowView &r) { return rollsNeeded(r); }),
        Column(q("Instructions"), q("Instructions"), 114, Format::Text, Qt::AlignLeft, {}, true),
    };
}

std::vector<Column> orderLineColumns(const QString &lineQty, const QString &componentQty, bool cutSize,
                                     const std::vector<Column> &extra)
{
    std::vector<Column> c = {
        Column(q("Line"), q("Line"), 36),
        Column(
            q("Style"), {}, 96, Format::Text, Qt::AlignLeft,
            [](const RowView &r) { return QVariant(r.text(q("Name")) + q("-") + r.text(q("Type"))); }, true),
        Column(q("Component"), q("ComponentID"), 62),
        Column(q("Description"), q("Description"), 120, Format::Text, Qt::AlignLeft, {}, true),
        Column(q("Size"), {}, 80, Format::Text, Qt::AlignLeft,
               [](const RowView &r) {
                   return sizeText(r, q("Component.Thickness"), q("Component.Width"), q("Component.Length"));
               }),
    };
    if (cutSize)
        c.push_back(Column(q("Cut Size"), {}, 80, Format::Text, Qt::AlignLeft, [](const RowView &r) {
            return sizeText(r, q("StyleOperation.Thickness"), q("StyleOperation.Width"), q("StyleOperation.Length"));
        }));
    c.push_back(Column(q("Pieces"), {}, 48, Format::Number, kRight, [lineQty, componentQty](const RowView &r) {
        return QVariant(r.number(lineQty) * r.number(componentQty));
    }));
    for (const Column &e : extra)
        c.push_back(e);
    return c;
}

Band groupHeading(int group, Formula text, qreal width, qreal size)
{
    Band b;
    b.kind = BandKind::GroupHeader;
    b.group = group;
    b.height = size + 10;
    b.elements.push_back(formula(q("GroupHeading%1").arg(group), std::move(text), 0, 4, width, Format::Text,
                                 Qt::AlignLeft | Qt::AlignVCenter, {size, true}));
    b.elements.back().height = size + 4;
    return b;
}

Band totalsFooter(BandKind kind, int group, Formula caption, const std::vector<Column> &columns,
                  const std::vector<TotalSpec> &totals)
{
    Band b;
    b.kind = kind;
    b.group = group;
    b.height = 20;
    qreal x = 0;
    qreal first = -1;
    for (const Column &c : columns) {
        for (const TotalSpec &t : totals) {
            if (t.heading != c.heading)
                continue;
            if (first < 0)
                first = x;
            Element e = total(t.field, TotalKind::Sum, x + 3, 4, c.width - 6, t.format,
                              Qt::AlignRight | Qt::AlignVCenter, {8, true});
            if (t.formula) {
                e.formula = t.formula;
                e.name = q("Total%1%2").arg(group).arg(c.heading);
            }
            b.elements.push_back(e);
        }
        x += c.width;
    }
    if (first > 0)
        b.elements.push_back(formula(q("TotalCaption%1").arg(group), std::move(caption), 0, 4, first - 4, Format::Text,
                                     Qt::AlignRight | Qt::AlignVCenter, {8, true}));
    b.elements.push_back(line(std::max<qreal>(first, 0), 2, x - std::max<qreal>(first, 0), 0.6));
    return b;
}

} // namespace reporting::definitions

namespace reporting::definitions {

DefinitionPtr gradedCuttingSheet(const QString &name, const QString &caption, std::vector<FieldSpec> fields, bool bunId)
{
    const std::vector<Column> columns = cuttingColumns(bunId);
    DefinitionPtr d = floorDefinition(name, caption, Orientation::Landscape, std::move(fields), FloorHeader{}, columns);
    const qreal w = d->contentWidth();
    d->groups.push_back({QStringLiteral("Grade"), {}, false});
    d->bands.push_back(groupHeading(
        0,
        [](const RowView &r) {
            const QString grade = r.text(QStringLiteral("Grade"));
            return QVariant(grade.isEmpty() ? QStringLiteral("No bun grade") : QStringLiteral("Grade ") + grade);
        },
        w));
    const std::vector<TotalSpec> totals = {
        {QStringLiteral("Pieces"), QStringLiteral("Qty"), {}, Format::Number},
        {QStringLiteral("Full"), {}, [](const RowView &r) { return fullBuns(r); }, Format::Integer},
        {QStringLiteral("Buns"), {}, [](const RowView &r) { return bunsNeeded(r); }, Format::Integer},
    };
    d->bands.push_back(totalsFooter(
        BandKind::GroupFooter, 0,
        [](const RowView &r) {
            return QVariant(QStringLiteral("Grade %1 total").arg(r.text(QStringLiteral("Grade"))));
        },
        columns, totals));
    d->bands.push_back(totalsFooter(
        BandKind::ReportFooter, -1, [](const RowView &) { return QVariant(QStringLiteral("Sheet total")); }, columns,
        totals));
    return d;
}

void addPurchasingGroups(ReportDefinition &d, const QString &field, const QString &caption,
                         const std::vector<Column> &columns, const std::vector<TotalSpec> &totals)
{
    d.groups.push_back({QStringLiteral("Vendor"), {}, false});
    d.groups.push_back({{},
                        [field](const RowView &r) {
                            return QVariant(r.text(QStringLiteral("OperationID")) + QLatin1Char('\n') + r.text(field));
                        },
                        false});
    d.bands.push_back(groupHeading(
        0,
        [](const RowView &r) {
            const QString vendor = r.text(QStringLiteral("Vendor"));
            return QVariant(vendor.isEmpty() ? QStringLiteral("No vendor") : QStringLiteral("Vendor: ") + vendor);
        },
        d.contentWidth(), 12));
    d.bands.push_back(totalsFooter(
        BandKind::GroupFooter, 1,
        [field, caption](const RowView &r) {
            return QVariant(
                QStringLiteral("%1, %2 %3").arg(r.text(QStringLiteral("OperationID")), caption, r.text(field)));
        },
        columns, totals));
    Band vendor = totalsFooter(
        BandKind::GroupFooter, 0,
        [](const RowView &r) {
            return QVariant(QStringLiteral("Order from %1").arg(r.text(QStringLiteral("Vendor"))));
        },
        columns, totals);
    vendor.height = 28;
    d.bands.push_back(vendor);
    d.bands.push_back(totalsFooter(
        BandKind::ReportFooter, -1, [](const RowView &) { return QVariant(QStringLiteral("All vendors")); }, columns,
        totals));
}

} // namespace reporting::definitions
