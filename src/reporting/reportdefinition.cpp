#include "reporting/reportdefinition.h"

#include "core/formats.h"
#include "data/recordset.h"
#include "reporting/reportlayout.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace reporting {

qreal ReportDefinition::contentWidth() const
{
    return (orientation == Orientation::Portrait ? kLetterWidth : kLetterHeight) - 2 * margin;
}

qreal ReportDefinition::contentHeight() const
{
    return (orientation == Orientation::Portrait ? kLetterHeight : kLetterWidth) - 2 * margin;
}

const ReportDefinition *ReportDefinition::subreport(const QString &n) const
{
    for (const auto &s : subreports)
        if (s->name.compare(n, Qt::CaseInsensitive) == 0)
            return s.get();
    return nullptr;
}

QStringList ReportDefinition::textObjectNames() const
{
    QStringList names;
    for (const Band &b : bands)
        for (const Element &e : b.elements)
            if (e.kind == ElementKind::Text && !names.contains(e.name))
                names << e.name;
    for (const auto &s : subreports)
        for (const QString &n : s->textObjectNames())
            if (!names.contains(n))
                names << n;
    return names;
}

QStringList ReportDefinition::sectionNames() const
{
    QStringList names;
    for (const Band &b : bands) {
        if (!b.name.isEmpty())
            names << b.name;
        for (const Element &e : b.elements)
            if (!e.name.isEmpty())
                names << e.name;
    }
    return names;
}

Element label(const QString &text, qreal x, qreal y, qreal width, qreal height, FontSpec font, Qt::Alignment align)
{
    Element e;
    e.kind = ElementKind::Label;
    e.text = text;
    e.x = x;
    e.y = y;
    e.width = width;
    e.height = height;
    e.font = font;
    e.align = align;
    return e;
}

Element field(const QString &name, qreal x, qreal y, qreal width, Format format, Qt::Alignment align, FontSpec font)
{
    Element e = label(QString(), x, y, width, 12, font, align);
    e.kind = ElementKind::Field;
    e.name = name;
    e.format = format;
    return e;
}

Element textObject(const QString &name, qreal x, qreal y, qreal width, qreal height, FontSpec font, Qt::Alignment align)
{
    Element e = label(QString(), x, y, width, height, font, align);
    e.kind = ElementKind::Text;
    e.name = name;
    return e;
}

Element formula(const QString &name, Formula f, qreal x, qreal y, qreal width, Format format, Qt::Alignment align,
                FontSpec font)
{
    Element e = label(QString(), x, y, width, 12, font, align);
    e.kind = ElementKind::Formula;
    e.name = name;
    e.formula = std::move(f);
    e.format = format;
    return e;
}

Element total(const QString &fieldName, TotalKind kind, qreal x, qreal y, qreal width, Format format,
              Qt::Alignment align, FontSpec font)
{
    Element e = field(fieldName, x, y, width, format, align, font);
    e.kind = ElementKind::Total;
    e.total = kind;
    return e;
}

Element formulaTotal(const QString &name, Formula f, qreal x, qreal y, qreal width, Format format, Qt::Alignment align,
                     FontSpec font)
{
    Element e = formula(name, std::move(f), x, y, width, format, align, font);
    e.kind = ElementKind::Total;
    e.total = TotalKind::Sum;
    return e;
}

Element line(qreal x, qreal y, qreal width, qreal penWidth)
{
    Element e;
    e.kind = ElementKind::Line;
    e.x = x;
    e.y = y;
    e.width = width;
    e.height = 0;
    e.penWidth = penWidth;
    return e;
}

Element box(qreal x, qreal y, qreal width, qreal height, qreal penWidth)
{
    Element e = line(x, y, width, penWidth);
    e.kind = ElementKind::Box;
    e.height = height;
    return e;
}

Element barcode(const QString &field, qreal x, qreal y, qreal width, qreal height, Qt::Alignment align)
{
    Element e = label(QString(), x, y, width, height, FontSpec{}, align | Qt::AlignVCenter);
    e.kind = ElementKind::Barcode;
    e.name = field;
    e.format = Format::Text;
    return e;
}

Band companyHeadingBand(qreal width, const QString &title, BandKind kind)
{
    Band b;
    b.kind = kind;
    b.height = 58;
    b.elements.push_back(textObject(QStringLiteral("txtCompanyName"), 0, 0, width * 0.55, 18, {13, true}));
    b.elements.push_back(textObject(QStringLiteral("txtCompanyAddress"), 0, 18, width * 0.55, 12, {9}));
    b.elements.push_back(textObject(QStringLiteral("txtCompanyCityStateZip"), 0, 30, width * 0.55, 12, {9}));
    b.elements.push_back(
        label(title, width * 0.45, 0, width * 0.55, 18, {13, true}, Qt::AlignRight | Qt::AlignVCenter));
    Element printed = formula(QStringLiteral("PrintDate"),
                              [](const RowView &) { return QVariant(QDate::currentDate().startOfDay()); }, width * 0.55,
                              18, width * 0.45, Format::Date, Qt::AlignRight | Qt::AlignVCenter, {9});
    b.elements.push_back(printed);
    b.elements.push_back(line(0, 50, width, 1.2));
    return b;
}

namespace {
const FontSpec kHeadingFont{8, true};
const qreal kCellPadding = 3; // each side of a column's text

// Every column at least as wide as its heading; what a column gains is taken
// from the widest column whose text may wrap, so the row keeps its width.
std::vector<Column> fittedToHeadings(std::vector<Column> columns)
{
    qreal gained = 0;
    for (Column &c : columns) {
        const qreal needed = std::ceil(textWidth(c.heading, kHeadingFont)) + 2 * kCellPadding + 1;
        if (c.width < needed) {
            gained += needed - c.width;
            c.width = needed;
        }
    }
    Column *give = nullptr;
    for (Column &c : columns)
        if (c.canGrow && (!give || c.width > give->width))
            give = &c;
    if (give && gained > 0) {
        const qreal least = std::ceil(textWidth(give->heading, kHeadingFont)) + 2 * kCellPadding + 1;
        give->width = std::max(least, give->width - gained);
    }
    return columns;
}
} // namespace

Band columnHeadingBand(const std::vector<Column> &given, qreal x, BandKind kind)
{
    const std::vector<Column> columns = fittedToHeadings(given);
    Band b;
    b.kind = kind;
    b.height = 18;
    qreal left = x;
    for (const Column &c : columns) {
        b.elements.push_back(label(c.heading, left + kCellPadding, 2, c.width - 2 * kCellPadding, 12, kHeadingFont,
                                   c.align | Qt::AlignVCenter));
        left += c.width;
    }
    b.elements.push_back(line(x, 15, left - x, 0.6));
    return b;
}

Band detailBand(const std::vector<Column> &given, qreal x, qreal height)
{
    const std::vector<Column> columns = fittedToHeadings(given); // as under the headings
    Band b;
    b.kind = BandKind::Detail;
    b.height = height;
    qreal left = x;
    for (const Column &c : columns) {
        // Top-aligned, so that a row whose text wraps still reads as one line
        // across its first line.
        Element e = c.formula
            ? formula(c.heading, c.formula, left + 3, 1, c.width - 6, c.format, c.align | Qt::AlignTop)
            : field(c.field, left + 3, 1, c.width - 6, c.format, c.align | Qt::AlignTop);
        e.height = height - 2;
        e.canGrow = c.canGrow;
        b.elements.push_back(std::move(e));
        left += c.width;
    }
    return b;
}

Band barcodeFooterBand(const QString &field, qreal width)
{
    Band b;
    b.kind = BandKind::PageFooter;
    b.height = 44;
    b.elements.push_back(barcode(field, width * 0.25, 4, width * 0.5, 38, Qt::AlignHCenter));
    return b;
}

Band pageFooterBand(qreal width)
{
    Band b;
    b.kind = BandKind::PageFooter;
    b.height = 20;
    b.elements.push_back(line(0, 4, width, 0.5));
    Element page;
    page.kind = ElementKind::PageNumber;
    page.x = width * 0.5;
    page.y = 7;
    page.width = width * 0.5;
    page.height = 12;
    page.align = Qt::AlignRight | Qt::AlignVCenter;
    b.elements.push_back(page);
    return b;
}

namespace {} // namespace

QString formatValue(const QVariant &value, Format format, FieldType type)
{
    // A flag not set either way reads as No, as the database takes it.
    if ((value.isNull() || !value.isValid())
        && !(format == Format::YesNo || (format == Format::Auto && type == FieldType::Flag)))
        return {};
    if (format == Format::Auto) {
        switch (type) {
        case FieldType::Text:
            format = Format::Text;
            break;
        case FieldType::Number:
            format = Format::Number;
            break;
        case FieldType::Integer:
            format = Format::Integer;
            break;
        case FieldType::Flag:
            format = Format::YesNo;
            break;
        case FieldType::Date:
            format = Format::Date;
            break;
        case FieldType::DateTime:
            format = Format::DateTime;
            break;
        }
    }
    switch (format) {
    case Format::Auto:
    case Format::Text:
        if (value.typeId() == QMetaType::Double)
            return core::formatTrimmed(value.toDouble(), 6);
        if (value.typeId() == QMetaType::QDateTime)
            return formatValue(value, Format::DateTime);
        return value.toString();
    case Format::Integer:
        return core::formatInteger(qint64(std::llround(value.toDouble())));
    case Format::Number:
        return core::formatTrimmed(value.toDouble(), 2);
    case Format::Money:
        return core::formatMoney(value.toDouble());
    case Format::Dimension:
        return core::formatTrimmed(value.toDouble(), 3);
    case Format::YesNo:
        return core::formatFlag(data::toFlag(value));
    case Format::Date: {
        const QDateTime dt = data::toDateTime(value);
        return dt.isValid() ? core::formatShortDate(dt) : value.toString();
    }
    case Format::DateTime: {
        const QDateTime dt = data::toDateTime(value);
        return dt.isValid() ? core::formatDateTime(dt) : value.toString();
    }
    }
    return value.toString();
}

} // namespace reporting
