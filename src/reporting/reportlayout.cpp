#include "reporting/reportlayout.h"

#include "reporting/barcode.h"
#include "reporting/report.h"
#include "core/formats.h"
#include "data/recordset.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>

namespace reporting {

QStringList LaidPage::texts() const
{
    QStringList out;
    for (const LaidBand &b : bands)
        for (const LaidItem &i : b.items)
            if (i.kind == LaidItem::Text)
                out << i.text;
    return out;
}

std::vector<const LaidBand *> LaidPage::bandsOf(BandKind kind) const
{
    std::vector<const LaidBand *> out;
    for (const LaidBand &b : bands)
        if (b.kind == kind)
            out.push_back(&b);
    return out;
}

QFont reportFont(const FontSpec &spec)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(spec.pointSize);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

qreal textWidth(const QString &text, const FontSpec &spec)
{
    if (text.isEmpty())
        return 0;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return text.size() * spec.pointSize * 0.6; // a generous estimate without fonts
    QFont font = reportFont(spec);
    font.setPixelSize(int(std::lround(spec.pointSize * 10)));
    return QFontMetricsF(font).horizontalAdvance(text) / 10;
}

qreal wrappedTextHeight(const QString &text, const FontSpec &spec, qreal width)
{
    if (text.isEmpty())
        return 0;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        // Without fonts (a console program), estimate: half an em per letter.
        const qreal perLine = std::max<qreal>(1, std::floor(width / (spec.pointSize * 0.5)));
        return std::ceil(text.size() / perLine) * spec.pointSize * 1.2;
    }
    // Measured at ten pixels per point, so the answer does not depend on the
    // screen's resolution.
    QFont font = reportFont(spec);
    font.setPixelSize(int(std::lround(spec.pointSize * 10)));
    const QFontMetricsF metrics(font);
    const QRectF r = metrics.boundingRect(QRectF(0, 0, width * 10, 1e7), Qt::TextWordWrap, text);
    // A little room for screens, whose hinted lines run taller than measured.
    return r.height() / 10 + 1;
}

namespace {

// What a band is filled from: a table of data and the rows it stands for.
struct Context {
    const ReportDefinition *definition;
    const BoundData *data;
    int row;         // current row, -1 for none
    int first, last; // the rows totals run over
    QString subreport;
};

class Layouter {
public:
    explicit Layouter(const Report &report) : m_report(report), m_main(report.definition())
    {
        const bool portrait = m_main.orientation == Orientation::Portrait;
        m_out.pageSize = portrait ? QSizeF(kLetterWidth, kLetterHeight) : QSizeF(kLetterHeight, kLetterWidth);
    }

    LaidReport run()
    {
        const BoundData &data = m_report.data();
        m_mainContext = {&m_main, &data, data.rowCount() ? 0 : -1, 0, data.rowCount() - 1, QString()};
        startPage();
        flow(m_main, data, QString());
        finishPage();
        const QString total = QString::number(m_out.pages.size());
        for (size_t p = 0; p < m_out.pages.size(); ++p)
            for (LaidBand &b : m_out.pages[p].bands)
                for (LaidItem &i : b.items)
                    if (i.pageNumber)
                        i.text = QStringLiteral("Page %1 of %2").arg(p + 1).arg(total);
        return std::move(m_out);
    }

private:
    RowView rowView(const Context &c, int row) const
    {
        return RowView(*c.data, row, m_report.texts(), c.subreport.isEmpty() ? nullptr : &m_report.data());
    }

    bool hidden(const QString &name) const { return !name.isEmpty() && m_report.hiddenSections().contains(name); }

    std::vector<const Band *> bands(const ReportDefinition &def, BandKind kind, int group = -1) const
    {
        std::vector<const Band *> out;
        for (const Band &b : def.bands)
            if (b.kind == kind && (group < 0 || b.group == group) && !hidden(b.name))
                out.push_back(&b);
        return out;
    }

    QString elementText(const Element &e, const Context &c) const
    {
        switch (e.kind) {
        case ElementKind::Label:
            return e.text;
        case ElementKind::Text:
            return m_report.texts().value(e.name, e.text);
        case ElementKind::Field:
        case ElementKind::Barcode: {
            if (c.row < 0)
                return {};
            const QVariant v = c.data->value(c.row, e.name);
            if (e.blankWhenZero && v.toDouble() == 0 && !v.isNull() && v.typeId() != QMetaType::QString)
                return {};
            return formatValue(v, e.format, c.data->type(e.name));
        }
        case ElementKind::Formula: {
            const RowView view = rowView(c, c.row);
            return formatValue(e.formula(view), e.format);
        }
        case ElementKind::Total: {
            double sum = 0;
            int count = 0;
            for (int r = c.first; r <= c.last && r >= 0; ++r) {
                ++count;
                if (e.total == TotalKind::Sum)
                    sum += e.formula ? e.formula(rowView(c, r)).toDouble() : c.data->value(r, e.name).toDouble();
            }
            const FieldType type = e.total == TotalKind::Count ? FieldType::Integer
                : e.formula                                    ? FieldType::Number
                                                               : c.data->type(e.name);
            return formatValue(e.total == TotalKind::Count ? QVariant(count) : QVariant(sum), e.format,
                               type == FieldType::Integer ? FieldType::Integer : FieldType::Number);
        }
        case ElementKind::PageNumber:
        case ElementKind::Line:
        case ElementKind::Box:
            return {};
        }
        return {};
    }

    // The band filled for its context, with items placed from the band's top.
    LaidBand build(const Band &band, const Context &c) const
    {
        LaidBand out;
        out.kind = band.kind;
        out.name = band.name;
        out.group = band.group;
        out.row = c.row;
        out.subreport = c.subreport;
        qreal grow = 0;
        const qreal left = m_main.margin;
        for (const Element &e : band.elements) {
            if (hidden(e.name))
                continue;
            LaidItem item;
            item.rect = QRectF(left + e.x, e.y, e.width, e.height);
            item.font = e.font;
            item.align = e.align;
            item.penWidth = e.penWidth;
            if (e.kind == ElementKind::Line)
                item.kind = LaidItem::Line;
            else if (e.kind == ElementKind::Box)
                item.kind = LaidItem::Box;
            else if (e.kind == ElementKind::PageNumber)
                item.pageNumber = true;
            else
                item.text = elementText(e, c);
            if (e.kind == ElementKind::Barcode) {
                item.kind = LaidItem::Barcode;
                item.text = code128Text(item.text);
                item.bars = placeBarcode(item.text, QRectF(QPointF(0, 0), item.rect.size()), e.align);
            }
            if (e.canGrow && !item.text.isEmpty()) {
                item.wrap = true;
                const qreal needed = wrappedTextHeight(item.text, e.font, e.width);
                if (needed > e.height) {
                    grow = std::max(grow, needed - e.height);
                    item.rect.setHeight(needed);
                }
            }
            out.items.push_back(std::move(item));
        }
        out.height = band.height + grow;
        return out;
    }

    bool shows(const Band &band, const Context &c) const
    {
        if (!band.visibleIf || c.row < 0)
            return true;
        return band.visibleIf(rowView(c, c.row));
    }

    std::vector<LaidBand> buildAll(const std::vector<const Band *> &list, const Context &c) const
    {
        std::vector<LaidBand> out;
        for (const Band *b : list)
            if (shows(*b, c))
                out.push_back(build(*b, c));
        return out;
    }

    void put(LaidBand band)
    {
        band.top = m_y;
        for (LaidItem &i : band.items)
            i.rect.translate(0, m_y);
        m_y += band.height;
        m_out.pages.back().bands.push_back(std::move(band));
    }

    // Places bands that must stay on one page: a row's bands, or a group's
    // headings with the group's first row. A page that holds only its headings
    // takes them whatever their height, so nothing is lost to a tall band.
    void placeTogether(std::vector<LaidBand> list)
    {
        qreal height = 0;
        for (const LaidBand &b : list)
            height += b.height;
        if (m_y + height > m_limit + 0.01 && m_pageHasBody) {
            finishPage();
            startPage();
        }
        for (LaidBand &b : list)
            put(std::move(b));
        m_pageHasBody = true;
    }

    void newPage()
    {
        finishPage();
        startPage();
    }

    void startPage()
    {
        m_out.pages.emplace_back();
        m_y = m_main.margin;
        const qreal bottom = m_out.pageSize.height() - m_main.margin;
        qreal footer = 0;
        m_pageFooter = buildAll(bands(m_main, BandKind::PageFooter), m_mainContext);
        for (const LaidBand &b : m_pageFooter)
            footer += b.height;
        m_limit = bottom - footer;
        for (LaidBand &b : buildAll(bands(m_main, BandKind::PageHeader), m_mainContext))
            put(std::move(b));
        m_pageHasBody = false;
    }

    void finishPage()
    {
        m_y = m_limit;
        for (LaidBand &b : m_pageFooter)
            put(std::move(b));
        m_pageFooter.clear();
    }

    // Places a band and then, when it names one, its subreport.
    void placeWithSubreports(const std::vector<const Band *> &list, const Context &c)
    {
        for (const Band *b : list) {
            if (!shows(*b, c))
                continue;
            placeTogether({build(*b, c)});
            if (b->subreport.isEmpty())
                continue;
            const ReportDefinition *sub = m_main.subreport(b->subreport);
            if (!sub)
                throw ReportError(
                    QStringLiteral("The report %1 has no subreport \"%2\".").arg(m_main.name, b->subreport));
            // A subreport the routine bound no data to shows its headings only.
            const BoundData *subData = m_report.subreportData(sub->name);
            const BoundData unbound = subData ? BoundData() : BoundData(*sub, {});
            flow(*sub, subData ? *subData : unbound, sub->name);
        }
    }

    static bool isFlagField(const ReportDefinition &def, const QString &field)
    {
        for (const FieldSpec &f : def.fields)
            if (f.name.compare(field, Qt::CaseInsensitive) == 0)
                return f.type == FieldType::Flag;
        return false;
    }

    QString groupKey(const ReportDefinition &def, const BoundData &data, int g, int row) const
    {
        const GroupSpec &spec = def.groups[size_t(g)];
        const QVariant v = spec.key ? spec.key(RowView(data, row, m_report.texts())) : data.value(row, spec.field);
        // Keys compare as the database compares: a flag by its truth (null is
        // false), text regardless of letter case and trailing blanks.
        if (!spec.key && isFlagField(def, spec.field))
            return data::toFlag(v) ? QStringLiteral("1") : QStringLiteral("0");
        return v.isNull() ? QStringLiteral("\x01null") : core::typedKey(v.toString()).toCaseFolded();
    }

    void flow(const ReportDefinition &def, const BoundData &data, const QString &subreport)
    {
        const int rows = data.rowCount();
        const int groups = int(def.groups.size());
        Context all{&def, &data, rows ? 0 : -1, 0, rows - 1, subreport};
        placeWithSubreports(bands(def, BandKind::ReportHeader), all);
        if (!subreport.isEmpty()) {
            // A subreport's page header is its column headings, printed once.
            placeWithSubreports(bands(def, BandKind::PageHeader), all);
        }
        std::vector<int> start(size_t(groups), 0);
        auto closeGroups = [&](int downTo, int lastRow) {
            for (int g = groups - 1; g >= downTo; --g) {
                Context c{&def, &data, lastRow, start[size_t(g)], lastRow, subreport};
                placeWithSubreports(bands(def, BandKind::GroupFooter, g), c);
            }
        };
        for (int r = 0; r < rows; ++r) {
            int level = 0;
            if (r > 0) {
                level = groups;
                for (int g = 0; g < groups; ++g)
                    if (groupKey(def, data, g, r) != groupKey(def, data, g, r - 1)) {
                        level = g;
                        break;
                    }
                closeGroups(level, r - 1);
            }
            if (subreport.isEmpty())
                m_mainContext.row = r;
            // The headings of the groups that start here go with the row.
            std::vector<LaidBand> together;
            for (int g = level; g < groups; ++g) {
                start[size_t(g)] = r;
                int last = r;
                while (last + 1 < rows && groupKey(def, data, g, last + 1) == groupKey(def, data, g, r)) {
                    bool sameOuter = true;
                    for (int o = 0; o < g && sameOuter; ++o)
                        sameOuter = groupKey(def, data, o, last + 1) == groupKey(def, data, o, r);
                    if (!sameOuter)
                        break;
                    ++last;
                }
                Context c{&def, &data, r, r, last, subreport};
                std::vector<LaidBand> headings = buildAll(bands(def, BandKind::GroupHeader, g), c);
                // A group whose headings are all hidden starts no page of its own.
                if (def.groups[size_t(g)].newPage && r > 0 && together.empty() && m_pageHasBody && !headings.empty())
                    newPage();
                for (LaidBand &b : headings)
                    together.push_back(std::move(b));
            }
            Context row{&def, &data, r, 0, rows - 1, subreport};
            for (LaidBand &b : buildAll(bands(def, BandKind::Detail), row))
                together.push_back(std::move(b));
            if (!together.empty())
                placeTogether(std::move(together));
        }
        if (rows > 0)
            closeGroups(0, rows - 1);
        Context end{&def, &data, rows - 1, 0, rows - 1, subreport};
        placeWithSubreports(bands(def, BandKind::ReportFooter), end);
    }

    const Report &m_report;
    const ReportDefinition &m_main;
    LaidReport m_out;
    Context m_mainContext{};
    std::vector<LaidBand> m_pageFooter;
    qreal m_y = 0;
    qreal m_limit = 0;
    bool m_pageHasBody = false;
};

} // namespace

LaidReport layoutReport(const Report &report)
{
    return Layouter(report).run();
}

std::vector<QRectF> placeBarcode(const QString &text, const QRectF &rect, Qt::Alignment align)
{
    const BarcodeBars code = code128(text);
    std::vector<QRectF> out;
    if (code.isEmpty())
        return out;
    // Bars as wide as the rect allows, up to twice the narrowest readable.
    const qreal module =
        std::clamp<qreal>(rect.width() / (code.modules + 2 * kQuietZone), kMinimumModule, 2 * kMinimumModule);
    const qreal width = code.modules * module;
    qreal x = rect.left() + kQuietZone * module;
    if (align & Qt::AlignRight)
        x = rect.right() - kQuietZone * module - width;
    else if (align & Qt::AlignHCenter)
        x = rect.center().x() - width / 2;
    const qreal height = std::max<qreal>(rect.height() - kBarcodeTextHeight, 1);
    out.reserve(code.bars.size());
    for (const QRectF &bar : code.bars)
        out.emplace_back(x + bar.x() * module, rect.top() + bar.y() * height, bar.width() * module,
                         bar.height() * height);
    return out;
}

} // namespace reporting
