#include "reporting/pdfpages.h"

#include "reporting/reportlayout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <cmath>
#include <optional>

namespace reporting {

namespace {

// A character in the fonts' WinAnsi encoding; none for what it lacks.
std::optional<char> winAnsi(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= 0x20 && u < 0x7f) || (u >= 0xa0 && u <= 0xff))
        return char(u);
    switch (u) {
    case 0x20ac:
        return char(0x80); // euro
    case 0x2018:
        return char(0x91);
    case 0x2019:
        return char(0x92);
    case 0x201c:
        return char(0x93);
    case 0x201d:
        return char(0x94);
    case 0x2022:
        return char(0x95); // bullet
    case 0x2013:
        return char(0x96); // en dash
    case 0x2014:
        return char(0x97); // em dash
    case 0x2026:
        return char(0x85); // ellipsis
    default:
        return std::nullopt;
    }
}

// A PDF string literal of the text, or none when a character cannot be shown.
std::optional<QByteArray> pdfString(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '(';
    for (QChar c : text) {
        const std::optional<char> b = winAnsi(c);
        if (!b)
            return std::nullopt;
        if (*b == '(' || *b == ')' || *b == '\\')
            out += '\\';
        out += *b;
    }
    out += ')';
    return out;
}

QByteArray num(qreal v)
{
    if (std::abs(v) < 0.0005)
        return "0";
    QByteArray s = QByteArray::number(v, 'f', 3);
    while (s.endsWith('0'))
        s.chop(1);
    if (s.endsWith('.'))
        s.chop(1);
    return s;
}

// The measures of a report font, in points (measured at ten pixels per point,
// as the layout measures), cached per font for the run.
struct Metrics {
    QFont font;
    qreal ascent, descent, height;
};

const Metrics &metricsOf(const FontSpec &spec)
{
    thread_local QHash<QString, Metrics> cache;
    const QString key = QStringLiteral("%1/%2/%3").arg(spec.pointSize).arg(spec.bold).arg(spec.italic);
    auto it = cache.find(key);
    if (it == cache.end()) {
        QFont font = reportFont(spec);
        font.setPixelSize(int(std::lround(spec.pointSize * 10)));
        const QFontMetricsF m(font);
        it = cache.insert(key, {font, m.ascent() / 10, m.descent() / 10, m.height() / 10});
    }
    return *it;
}

qreal widthOf(const QString &text, const FontSpec &spec)
{
    if (text.isEmpty() || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return textWidth(text, spec);
    return QFontMetricsF(metricsOf(spec).font).horizontalAdvance(text) / 10;
}

const char *fontName(const FontSpec &spec)
{
    return spec.bold ? (spec.italic ? "/F4" : "/F2") : (spec.italic ? "/F3" : "/F1");
}

class PageWriter {
public:
    PageWriter(qreal pageHeight) : m_height(pageHeight) {}

    bool item(const LaidItem &item)
    {
        const QRectF &r = item.rect;
        switch (item.kind) {
        case LaidItem::Line: {
            const QPointF to = r.height() > 0 && r.width() == 0 ? r.bottomLeft() : r.topRight();
            m_out += num(item.penWidth) + " w " + num(r.left()) + ' ' + num(y(r.top())) + " m " + num(to.x()) + ' '
                + num(y(to.y())) + " l S\n";
            return true;
        }
        case LaidItem::Box:
            m_out += num(item.penWidth) + " w " + num(r.left()) + ' ' + num(y(r.bottom())) + ' ' + num(r.width()) + ' '
                + num(r.height()) + " re S\n";
            return true;
        case LaidItem::Barcode: {
            if (item.bars.empty())
                return true;
            qreal left = item.bars.front().left(), right = item.bars.front().right();
            for (const QRectF &bar : item.bars) {
                const QRectF b = bar.translated(r.topLeft());
                m_out +=
                    num(b.left()) + ' ' + num(y(b.bottom())) + ' ' + num(b.width()) + ' ' + num(b.height()) + " re\n";
                left = std::min(left, bar.left());
                right = std::max(right, bar.right());
            }
            m_out += "f\n";
            const QRectF under(r.left() + left - 36, r.bottom() - kBarcodeTextHeight, right - left + 72,
                               kBarcodeTextHeight);
            return text(item.text, FontSpec{8, false, false}, under, Qt::AlignHCenter | Qt::AlignBottom);
        }
        case LaidItem::Text:
            // The layout has fitted the text to its room (an item with no
            // room is a placeholder, not printed) and broken its lines.
            if (item.text.isEmpty() || r.width() <= 0)
                return true;
            if (item.wrap)
                return wrappedText(item);
            return text(item.text, item.font, r, item.align);
        }
        return true;
    }

    const QByteArray &content() const { return m_out; }

private:
    qreal y(qreal top) const { return m_height - top; }

    // One line of text placed in the rect as the painter places it.
    bool text(const QString &line, const FontSpec &spec, const QRectF &r, Qt::Alignment align)
    {
        if (line.isEmpty())
            return true;
        const std::optional<QByteArray> s = pdfString(line);
        if (!s)
            return false;
        const Metrics &m = metricsOf(spec);
        qreal x = r.left();
        if (align & (Qt::AlignRight | Qt::AlignHCenter)) {
            const qreal w = widthOf(line, spec);
            x = align & Qt::AlignRight ? r.right() - w : r.left() + (r.width() - w) / 2;
        }
        qreal baseline = r.top() + m.ascent;
        if (align & Qt::AlignBottom)
            baseline = r.bottom() - m.descent;
        else if (align & Qt::AlignVCenter)
            baseline = r.top() + (r.height() - m.height) / 2 + m.ascent;
        m_out += QByteArray("BT ") + fontName(spec) + ' ' + num(spec.pointSize) + " Tf " + num(x) + ' '
            + num(y(baseline)) + " Td " + *s + " Tj ET\n";
        return true;
    }

    bool wrappedText(const LaidItem &item)
    {
        const QStringList lines = item.text.split(QLatin1Char('\n'));
        const Metrics &m = metricsOf(item.font);
        const qreal block = lines.size() * m.height;
        qreal top = item.rect.top();
        if (item.align & Qt::AlignBottom)
            top = item.rect.bottom() - block;
        else if (item.align & Qt::AlignVCenter)
            top = item.rect.top() + (item.rect.height() - block) / 2;
        const Qt::Alignment horizontal = item.align & Qt::AlignHorizontal_Mask;
        for (const QString &line : lines) {
            if (!text(line, item.font, QRectF(item.rect.left(), top, item.rect.width(), m.height),
                      horizontal | Qt::AlignTop))
                return false;
            top += m.height;
        }
        return true;
    }

    qreal m_height;
    QByteArray m_out;
};

QByteArray infoString(const QString &text)
{
    // UTF-16 with its byte order mark, written in hex: any title fits.
    QByteArray hex = "<FEFF";
    for (QChar c : text)
        hex += QByteArray::number(c.unicode() | 0x10000, 16).mid(1).toUpper();
    return hex + '>';
}

} // namespace

QByteArray standardFontPdf(const LaidReport &laid, const QString &title)
{
    // Objects: 1 catalogue, 2 page tree, 3-6 fonts, 7 info, then per page
    // the page and its content.
    std::vector<QByteArray> objects(7);
    const int pages = std::max(1, laid.pageCount());
    QByteArray kids;
    for (int p = 0; p < pages; ++p)
        kids += QByteArray::number(8 + 2 * p) + " 0 R ";
    objects[0] = "<< /Type /Catalog /Pages 2 0 R >>";
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(pages) + " >>";
    const char *faces[] = {"Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique"};
    for (int f = 0; f < 4; ++f)
        objects[size_t(2 + f)] =
            QByteArray("<< /Type /Font /Subtype /Type1 /BaseFont /") + faces[f] + " /Encoding /WinAnsiEncoding >>";
    objects[6] = "<< /Title " + infoString(title) + " /Creator " + infoString(QStringLiteral("Bunline")) + " >>";
    const QByteArray box = "[0 0 " + num(laid.pageSize.width()) + ' ' + num(laid.pageSize.height()) + ']';
    for (int p = 0; p < pages; ++p) {
        PageWriter page(laid.pageSize.height());
        if (p < laid.pageCount())
            for (const LaidBand &band : laid.pages[size_t(p)].bands)
                for (const LaidItem &item : band.items)
                    if (!page.item(item))
                        return {};
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox " + box
                          + " /Resources << /Font << /F1 3 0 R /F2 4 0 R /F3 5 0 R /F4 6 0 R >> >> /Contents "
                          + QByteArray::number(9 + 2 * p) + " 0 R >>");
        objects.push_back("<< /Length " + QByteArray::number(page.content().size()) + " >>\nstream\n" + page.content()
                          + "endstream");
    }
    QByteArray out = "%PDF-1.4\n%\xe2\xe3\xcf\xd3\n";
    std::vector<qsizetype> offsets;
    offsets.reserve(objects.size());
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        out += QByteArray::number(qsizetype(i + 1)) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(qsizetype(objects.size() + 1)) + "\n0000000000 65535 f \n";
    for (qsizetype o : offsets)
        out += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(qsizetype(objects.size() + 1))
        + " /Root 1 0 R /Info 7 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

} // namespace reporting
