#include "reporting/reportlayout.h"

#include "reporting/barcode.h"
#include "reporting/report.h"
#include "core/formats.h"
#include "data/recordset.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <map>

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

namespace {

bool haveFonts()
{
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

// Metrics measured at ten pixels per point, so that answers do not depend on
// the screen's resolution; one set per font, kept per thread.
const QFontMetricsF &metricsOf(const FontSpec &spec)
{
    thread_local QHash<QString, std::shared_ptr<QFontMetricsF>> cache;
    const QString key = QStringLiteral("%1/%2/%3").arg(spec.pointSize).arg(spec.bold).arg(spec.italic);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QFont font = reportFont(spec);
        font.setPixelSize(int(std::lround(spec.pointSize * 10)));
        it = cache.insert(key, std::make_shared<QFontMetricsF>(font));
    }
    return **it;
}

} // namespace

qreal textWidth(const QString &text, const FontSpec &spec)
{
    if (text.isEmpty())
        return 0;
    if (!haveFonts())
        return text.size() * spec.pointSize * 0.6; // a generous estimate without fonts
    return metricsOf(spec).horizontalAdvance(text) / 10;
}

qreal lineHeight(const FontSpec &spec)
{
    if (!haveFonts())
        return spec.pointSize * 1.2;
    return metricsOf(spec).lineSpacing() / 10;
}

QStringList breakLines(const QString &text, const FontSpec &font, qreal width)
{
    QStringList lines;
    const auto fits = [&](const QString &t) { return textWidth(t, font) <= width; };
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        if (fits(paragraph)) { // as written, blanks and all
            lines << paragraph;
            continue;
        }
        QString current;
        for (QString word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
            if (fits(joined)) {
                current = joined;
                continue;
            }
            if (!current.isEmpty())
                lines << current;
            // A word wider than the line is broken where the line ends.
            while (!fits(word) && word.size() > 1) {
                int n = 1;
                while (n < word.size() && fits(word.left(n + 1)))
                    ++n;
                lines << word.left(n);
                word = word.mid(n);
            }
            current = word;
        }
        lines << current;
    }
    return lines;
}

qreal wrappedTextHeight(const QString &text, const FontSpec &spec, qreal width)
{
    if (text.isEmpty())
        return 0;
    // A little room for screens, whose hinted lines run taller than measured.
    return breakLines(text, spec, width).size() * lineHeight(spec) + 1;
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
    explicit Layouter(const Report &report) : m_report(report), m_fitted(report.definition()), m_main(m_fitted)
    {
        const bool portrait = m_main.orientation == Orientation::Portrait;
        m_out.pageSize = portrait ? QSizeF(kLetterWidth, kLetterHeight) : QSizeF(kLetterHeight, kLetterWidth);
        // Columns take their widths from the data being printed.
        fitColumns(m_fitted, report.data(), QString());
        for (auto &sub : m_fitted.subreports) {
            auto own = std::make_shared<ReportDefinition>(*sub);
            const BoundData *subData = report.subreportData(own->name);
            const BoundData unbound = subData ? BoundData() : BoundData(*own, {});
            fitColumns(*own, subData ? *subData : unbound, own->name);
            sub = std::move(own);
        }
    }

    LaidReport run()
    {
        const BoundData &data = m_report.data();
        m_mainContext = {&m_main, &data, data.rowCount() ? 0 : -1, 0, data.rowCount() - 1, QString()};
        startPage();
        flow(m_main, data, QString());
        finishPage();
        // Pages are numbered across the report, or per group where its
        // groups number their own pages.
        const int pages = int(m_out.pages.size());
        for (size_t run = 0; run < m_runStarts.size(); ++run) {
            const int first = m_runStarts[run];
            const int end = run + 1 < m_runStarts.size() ? m_runStarts[run + 1] : pages;
            for (int p = first; p < end; ++p)
                for (LaidBand &b : m_out.pages[size_t(p)].bands)
                    for (LaidItem &i : b.items)
                        if (i.pageNumber)
                            i.text = QStringLiteral("Page %1 of %2").arg(p - first + 1).arg(end - first);
        }
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
    // Text wider than its room steps its font down, then wraps; an element
    // that grows pushes down what lies under it and the band grows with it.
    LaidBand build(const Band &band, const Context &c) const
    {
        LaidBand out;
        out.kind = band.kind;
        out.name = band.name;
        out.group = band.group;
        out.row = c.row;
        out.subreport = c.subreport;
        const qreal left = m_main.margin;
        struct Growth {
            qreal top, bottom, by;
        };
        std::vector<Growth> grown;
        std::vector<const Element *> placed;
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
            const qreal by = fitText(item, e);
            if (by > 0)
                grown.push_back({e.y, e.y + e.height, by});
            out.items.push_back(std::move(item));
            placed.push_back(&e);
        }
        qreal grow = 0;
        for (const Growth &g : grown)
            grow = std::max(grow, g.by);
        if (!grown.empty()) {
            for (size_t i = 0; i < out.items.size(); ++i) {
                const Element &e = *placed[i];
                qreal shift = 0, stretch = 0;
                for (const Growth &g : grown) {
                    if (e.y >= g.bottom - 0.01)
                        shift = std::max(shift, g.by);
                    else if (e.kind == ElementKind::Box && e.y <= g.top && e.y + e.height >= g.bottom - 0.01)
                        stretch = std::max(stretch, g.by);
                }
                out.items[i].rect.translate(0, shift);
                out.items[i].rect.setHeight(out.items[i].rect.height() + stretch);
                for (const Growth &g : grown)
                    if (e.y >= g.bottom - 0.01)
                        grow = std::max(grow, shift + g.by);
            }
        }
        out.height = band.height + grow;
        return out;
    }

    // Fits an item's text into its element's room: as it is, a little
    // smaller, or wrapped. Returns how much taller than its element it became.
    static qreal fitText(LaidItem &item, const Element &e)
    {
        if (item.kind != LaidItem::Text || item.text.isEmpty() || e.width <= 0)
            return 0;
        const bool lines = item.text.contains(QLatin1Char('\n'));
        if (!e.canGrow && !lines && textWidth(item.text, item.font) <= e.width)
            return 0;
        if (!e.canGrow) {
            // Its own lines, each whole on one line, at the largest size that
            // allows it, down to a point or two below the element's.
            const qsizetype paragraphs = item.text.count(QLatin1Char('\n')) + 1;
            const qreal least = e.minPointSize > 0 ? e.minPointSize : std::max<qreal>(5, e.font.pointSize - 2);
            FontSpec font = e.font;
            for (qreal size = e.font.pointSize; size >= least - 0.01; size -= 0.5) {
                font.pointSize = size;
                if (breakLines(item.text, font, e.width).size() == paragraphs)
                    break;
            }
            item.font = font;
            if (!lines && textWidth(item.text, font) <= e.width)
                return 0;
        }
        const QStringList broken = breakLines(item.text, item.font, e.width);
        item.wrap = true;
        item.text = broken.join(QLatin1Char('\n'));
        // A little room for screens, whose hinted lines run taller than measured.
        const qreal needed = broken.size() * lineHeight(item.font) + 1;
        if (needed <= e.height)
            return 0;
        item.rect.setHeight(needed);
        return needed - e.height;
    }

    static bool carriesText(const Element &e)
    {
        return e.kind == ElementKind::Field || e.kind == ElementKind::Text || e.kind == ElementKind::Label
            || e.kind == ElementKind::Formula || e.kind == ElementKind::Total;
    }

    // The widest line an element prints for any row of the data, and the
    // widest single word of those lines (what a wrapping element cannot go
    // below).
    std::pair<qreal, qreal> measure(const Element &e, const Context &all) const
    {
        QSet<QString> texts;
        if (e.kind == ElementKind::Field || e.kind == ElementKind::Formula) {
            for (int r = all.data->rowCount() ? 0 : -1; r < all.data->rowCount(); ++r) {
                Context c = all;
                c.row = r;
                texts.insert(elementText(e, c));
            }
        } else {
            texts.insert(elementText(e, all));
        }
        qreal widest = 0, word = 0;
        for (const QString &t : std::as_const(texts))
            for (const QString &line : t.split(QLatin1Char('\n'))) {
                widest = std::max(widest, textWidth(line, e.font));
                for (const QString &w : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                    word = std::max(word, textWidth(w, e.font));
            }
        return {widest, word};
    }

    // Sizes the columns of every row of elements side by side (a detail row,
    // its headings and totals, a band of captioned values) from the data:
    // a column whose text is wider than its room takes it from columns with
    // room to spare, then from columns that may wrap. The row keeps its width;
    // what still does not fit steps its font down or wraps when laid out.
    void fitColumns(ReportDefinition &def, const BoundData &data, const QString &subreport) const
    {
        const Context all{&def, &data, data.rowCount() ? 0 : -1, 0, data.rowCount() - 1, subreport};
        struct Ref {
            size_t band, element;
        };
        std::vector<std::vector<Ref>> rows;
        std::vector<size_t> order;
        for (size_t b = 0; b < def.bands.size(); ++b)
            order.push_back(b);
        // Detail rows first: their headings and totals follow them.
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return (def.bands[a].kind == BandKind::Detail) > (def.bands[b].kind == BandKind::Detail);
        });
        for (size_t b : order) {
            if (hidden(def.bands[b].name))
                continue;
            std::map<qreal, std::vector<Ref>> byTop;
            const std::vector<Element> &elements = def.bands[b].elements;
            for (size_t e = 0; e < elements.size(); ++e)
                if (carriesText(elements[e]) && elements[e].width > 0 && !hidden(elements[e].name))
                    byTop[elements[e].y].push_back({b, e});
            for (auto &[top, refs] : byTop)
                rows.push_back(refs);
        }
        auto at = [&](const Ref &r) -> Element & { return def.bands[r.band].elements[r.element]; };
        QSet<QPair<size_t, size_t>> done;
        for (std::vector<Ref> &row : rows) {
            std::sort(row.begin(), row.end(), [&](const Ref &a, const Ref &b) { return at(a).x < at(b).x; });
            bool valid = row.size() >= 2, data = false;
            for (size_t i = 0; i < row.size() && valid; ++i) {
                valid = !done.contains({row[i].band, row[i].element})
                    && (i + 1 == row.size() || at(row[i]).x + at(row[i]).width <= at(row[i + 1]).x + 0.5);
                data = data || at(row[i]).kind != ElementKind::Label;
            }
            if (!valid || !data)
                continue;
            struct Member {
                std::vector<Ref> peers;
                qreal x, width, want = 0, least = 0, grown = 0;
                bool wraps;
            };
            std::vector<Member> members;
            for (const Ref &r : row) {
                Member m{{}, at(r).x, at(r).width, 0, 0, 0, at(r).canGrow};
                for (size_t b = 0; b < def.bands.size(); ++b)
                    for (size_t e = 0; e < def.bands[b].elements.size(); ++e) {
                        const Element &p = def.bands[b].elements[e];
                        if (!carriesText(p) || std::abs(p.x - m.x) > 0.01 || std::abs(p.width - m.width) > 0.01
                            || hidden(p.name) || hidden(def.bands[b].name))
                            continue;
                        m.peers.push_back({b, e});
                        const auto [widest, word] = measure(p, all);
                        m.want = std::max(m.want, widest + 1);
                        // Captions never wrap; values that may wrap need their longest word.
                        m.least = std::max(m.least, (p.canGrow ? word : widest) + 1);
                    }
                members.push_back(std::move(m));
            }
            qreal need = 0, spare = 0;
            for (const Member &m : members) {
                need += std::max<qreal>(0, m.least - m.width);
                spare += std::max<qreal>(0, m.width - m.want);
            }
            if (need <= 0)
                continue;
            // Room to spare first, then room from wrapping values, down to
            // three fifths of what they were given.
            const auto squeezable = [](const Member &m) {
                return m.wraps ? std::max<qreal>(0, std::min(m.width, m.want) - std::max(m.least, m.width * 0.6)) : 0;
            };
            qreal squeeze = 0;
            for (const Member &m : members)
                squeeze += squeezable(m);
            const qreal fromSpare = std::min(need, spare);
            const qreal fromWrap = std::min(need - fromSpare, squeeze);
            const qreal given = fromSpare + fromWrap;
            if (given <= 0)
                continue;
            for (Member &m : members) {
                qreal delta = 0;
                if (m.least > m.width)
                    delta += (m.least - m.width) * given / need;
                if (spare > 0 && m.width > m.want)
                    delta -= (m.width - m.want) * fromSpare / spare;
                if (squeeze > 0)
                    delta -= squeezable(m) * fromWrap / squeeze;
                m.grown = delta;
            }
            qreal shift = 0;
            for (Member &m : members) {
                for (const Ref &r : m.peers) {
                    at(r).x = m.x + shift;
                    at(r).width = m.width + m.grown;
                    done.insert({r.band, r.element});
                }
                shift += m.grown;
            }
        }
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
    // A band kept with what precedes it takes the last row placed (and what
    // followed it) along to the next page rather than stand there alone.
    void placeTogether(std::vector<LaidBand> list, bool keepWithPrevious = false)
    {
        qreal height = 0;
        for (const LaidBand &b : list)
            height += b.height;
        if (m_y + height > m_limit + 0.01 && m_pageHasBody) {
            std::vector<LaidBand> moved;
            std::vector<LaidBand> repeat;
            std::vector<LaidBand> &bands = m_out.pages.back().bands;
            if (keepWithPrevious && m_lastRow.page == m_out.pages.size() - 1 && m_lastRow.hadBody
                && m_lastRow.band < bands.size()) {
                for (size_t i = m_lastRow.band; i < bands.size(); ++i) {
                    LaidBand b = std::move(bands[i]);
                    for (LaidItem &item : b.items)
                        item.rect.translate(0, -b.top);
                    moved.push_back(std::move(b));
                }
                bands.erase(bands.begin() + std::ptrdiff_t(m_lastRow.band), bands.end());
                repeat = m_lastRow.repeat;
            }
            finishPage();
            startPage();
            for (LaidBand &b : repeat)
                put(std::move(b));
            for (LaidBand &b : moved)
                put(std::move(b));
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
        // Rows of a subreport continued from the page before: its title and
        // column headings again.
        for (LaidBand b : m_repeat)
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

    // Places a band and then, when it names one, its subreport: the band goes
    // with the subreport's headings and first row.
    void placeWithSubreports(const std::vector<const Band *> &list, const Context &c)
    {
        for (const Band *b : list) {
            if (!shows(*b, c))
                continue;
            if (b->subreport.isEmpty()) {
                placeTogether({build(*b, c)}, b->keepWithPrevious);
                continue;
            }
            const ReportDefinition *sub = m_main.subreport(b->subreport);
            if (!sub)
                throw ReportError(
                    QStringLiteral("The report %1 has no subreport \"%2\".").arg(m_main.name, b->subreport));
            // A subreport the routine bound no data to shows its headings only.
            const BoundData *subData = m_report.subreportData(sub->name);
            const BoundData unbound = subData ? BoundData() : BoundData(*sub, {});
            flow(*sub, subData ? *subData : unbound, sub->name, {build(*b, c)});
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

    void flow(const ReportDefinition &def, const BoundData &data, const QString &subreport,
              std::vector<LaidBand> intro = {})
    {
        const int rows = data.rowCount();
        const int groups = int(def.groups.size());
        Context all{&def, &data, rows ? 0 : -1, 0, rows - 1, subreport};
        std::vector<LaidBand> repeat;
        if (subreport.isEmpty()) {
            placeWithSubreports(bands(def, BandKind::ReportHeader), all);
        } else {
            // A subreport's page header is its column headings: they go with
            // the band that introduces it and its first row, and come again
            // on every page its rows continue on.
            for (LaidBand &b : buildAll(bands(def, BandKind::ReportHeader), all))
                intro.push_back(std::move(b));
            for (LaidBand &b : buildAll(bands(def, BandKind::PageHeader), all))
                intro.push_back(std::move(b));
            repeat = intro;
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
                const int page = int(m_out.pages.size()) - 1;
                if (def.groups[size_t(g)].ownPageNumbers && subreport.isEmpty() && !headings.empty()
                    && m_runStarts.back() != page)
                    m_runStarts.push_back(page);
                for (LaidBand &b : headings)
                    together.push_back(std::move(b));
            }
            Context row{&def, &data, r, 0, rows - 1, subreport};
            for (LaidBand &b : buildAll(bands(def, BandKind::Detail), row))
                together.push_back(std::move(b));
            if (together.empty())
                continue;
            const bool first = !intro.empty();
            together.insert(together.begin(), std::make_move_iterator(intro.begin()),
                            std::make_move_iterator(intro.end()));
            intro.clear();
            const bool hadBody = m_pageHasBody;
            const size_t before = m_out.pages.back().bands.size();
            const size_t page = m_out.pages.size();
            placeTogether(std::move(together));
            // A row that opened a page has nothing before it to stay with.
            if (page == m_out.pages.size())
                m_lastRow = {page - 1, before, hadBody, first ? std::vector<LaidBand>() : m_repeat};
            else
                m_lastRow = {};
            m_repeat = repeat;
        }
        if (!intro.empty())
            placeTogether(std::move(intro));
        m_repeat = repeat;
        if (rows > 0)
            closeGroups(0, rows - 1);
        Context end{&def, &data, rows - 1, 0, rows - 1, subreport};
        placeWithSubreports(bands(def, BandKind::ReportFooter), end);
        if (!subreport.isEmpty())
            m_repeat.clear();
    }

    const Report &m_report;
    ReportDefinition m_fitted; // the definition with its columns sized to the data
    const ReportDefinition &m_main;
    LaidReport m_out;
    Context m_mainContext{};
    std::vector<LaidBand> m_pageFooter;
    std::vector<LaidBand> m_repeat; // headings of the subreport whose rows are being placed
    // Where the last row's bands begin, to move them along with a band that
    // must not stand alone on a page.
    struct LastRow {
        size_t page = size_t(-1), band = 0;
        bool hadBody = false;
        std::vector<LaidBand> repeat;
    } m_lastRow;
    std::vector<int> m_runStarts{0}; // pages where a run of page numbers starts
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
