#include "reporting/reportrender.h"

#include "core/formats.h"
#include "data/quoting.h"
#include "reporting/pdfpages.h"
#include "reporting/report.h"

#include <QDateTime>
#include <QFile>
#include <QSaveFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QBuffer>
#include <cmath>

namespace reporting {

void paintPage(QPainter &painter, const LaidPage &page, qreal dotsPerInch)
{
    const qreal k = dotsPerInch / 72.0;
    auto scaled = [k](const QRectF &r) { return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k); };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const LaidBand &band : page.bands) {
        for (const LaidItem &item : band.items) {
            const QRectF r = scaled(item.rect);
            switch (item.kind) {
            case LaidItem::Line: {
                painter.setPen(QPen(Qt::black, std::max<qreal>(item.penWidth * k, 1)));
                const QPointF to = item.rect.height() > 0 && item.rect.width() == 0 ? r.bottomLeft() : r.topRight();
                painter.drawLine(r.topLeft(), to);
                break;
            }
            case LaidItem::Box:
                painter.setPen(QPen(Qt::black, std::max<qreal>(item.penWidth * k, 1)));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(r);
                break;
            case LaidItem::Barcode: {
                if (item.bars.empty())
                    break;
                // Bars filled without antialiasing, so that their edges stay
                // sharp on the device's dots; the text centred beneath them.
                painter.setRenderHint(QPainter::Antialiasing, false);
                qreal left = item.bars.front().left(), right = item.bars.front().right();
                for (const QRectF &bar : item.bars) {
                    painter.fillRect(scaled(bar.translated(item.rect.topLeft())), Qt::black);
                    left = std::min(left, bar.left());
                    right = std::max(right, bar.right());
                }
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.setFont(reportFont(FontSpec{8, false, false}));
                painter.setPen(Qt::black);
                const QRectF text(item.rect.left() + left - 36, item.rect.bottom() - kBarcodeTextHeight,
                                  right - left + 72, kBarcodeTextHeight);
                painter.drawText(scaled(text), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, item.text);
                break;
            }
            case LaidItem::Text: {
                // The layout has fitted the text to its room (an item with
                // no room is a placeholder, not printed).
                if (item.text.isEmpty() || item.rect.width() <= 0)
                    break;
                // Point sizes follow the device's own resolution.
                QFont font = reportFont(item.font);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(r, int(item.align) | Qt::TextDontClip | (item.wrap ? 0 : Qt::TextSingleLine),
                                 item.text);
                break;
            }
            }
        }
    }
    painter.restore();
}

bool paintPages(QPagedPaintDevice &device, const LaidReport &laid, int from, int to)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const qreal dpi = device.logicalDpiX();
    from = std::max(from, 0);
    to = std::min(to, laid.pageCount() - 1);
    for (int p = from; p <= to; ++p) {
        if (p > from)
            device.newPage();
        paintPage(painter, laid.pages[size_t(p)], dpi);
    }
    return painter.end();
}

QImage pageImage(const LaidReport &laid, int page, qreal dotsPerInch)
{
    const QSize size(int(std::ceil(laid.pageSize.width() * dotsPerInch / 72)),
                     int(std::ceil(laid.pageSize.height() * dotsPerInch / 72)));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    if (page >= 0 && page < laid.pageCount()) {
        QPainter painter(&image);
        paintPage(painter, laid.pages[size_t(page)], dotsPerInch);
    }
    return image;
}

void writePdf(const Report &report, const QString &path)
{
    writePdf(report, report.layout(), path);
}

namespace {

// Writes a file whole or not at all: the bytes go to a temporary file of this
// process's own in the same folder that replaces the file at the end in one
// rename (QSaveFile), so the file is never removed first and two writers never
// share a temporary name. Printed copies are not synced to disk one by one (a
// run writes hundreds of them); a crash may lose the newest copies but never
// leaves a half-written one under its own name.
void writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString error = file.errorString();
        file.cancelWriting();
        throw ReportError(QStringLiteral("The report could not be written to %1: %2").arg(path, error));
    }
}

} // namespace

void writePdf(const Report &report, const LaidReport &laid, const QString &path)
{
    // Written with the standard PDF fonts where every text allows, else painted.
    QByteArray bytes = standardFontPdf(laid, report.title());
    if (bytes.isEmpty()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setTitle(report.title());
        writer.setCreator(QStringLiteral("Bunline"));
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageOrientation(report.definition().orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                                            : QPageLayout::Portrait);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (!paintPages(writer, laid, 0, laid.pageCount() - 1))
            throw ReportError(QStringLiteral("The report could not be written to %1.").arg(path));
    }
    writeWhole(path, bytes);
}

namespace {

QString csvValue(const QVariant &v, FieldType type)
{
    if (v.isNull() || !v.isValid())
        return {};
    QString s;
    switch (type) {
    case FieldType::Number:
        s = data::sqlNumber(v.toDouble());
        break;
    case FieldType::Integer:
        s = data::sqlNumber(v.toLongLong());
        break;
    case FieldType::Flag:
        s = core::formatFlag(v.toBool());
        break;
    case FieldType::Date:
    case FieldType::DateTime:
        if (v.typeId() == QMetaType::QDateTime) {
            const QDateTime dt = v.toDateTime();
            s = dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("yyyy-MM-dd"))
                                         : dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        } else {
            s = v.toString();
        }
        break;
    case FieldType::Text:
        s = v.typeId() == QMetaType::Double ? data::sqlNumber(v.toDouble()) : v.toString();
        break;
    }
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n'))
        || s.contains(QLatin1Char('\r')) || s.startsWith(QLatin1Char(' ')) || s.endsWith(QLatin1Char(' '))) {
        s.replace(QLatin1Char('"'), QLatin1String("\"\""));
        s = QLatin1Char('"') + s + QLatin1Char('"');
    }
    return s;
}

// The header line and one line per row.
QString tableCsv(const BoundData &data)
{
    QString out;
    const std::vector<FieldType> types = data.outputTypes();
    QStringList header;
    for (const QString &c : data.outputColumns())
        header << csvValue(c, FieldType::Text);
    out += header.join(QLatin1Char(',')) + QLatin1Char('\n');
    for (int r = 0; r < data.rowCount(); ++r) {
        const std::vector<QVariant> values = data.outputRow(r);
        QStringList line;
        for (size_t c = 0; c < values.size(); ++c)
            line << csvValue(values[c], types[c]);
        out += line.join(QLatin1Char(',')) + QLatin1Char('\n');
    }
    return out;
}

} // namespace

QString reportCsv(const Report &report, bool spreadsheet)
{
    if (spreadsheet)
        return tableCsv(report.data());
    QString out;
    for (const QString &name : report.textsSet()) {
        QString value = report.texts().value(name);
        value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        out += QStringLiteral("# %1: %2\n").arg(name, value);
    }
    out += tableCsv(report.data());
    // A subreport's rows follow the main rows, each under a "# Subreport1" line.
    for (const auto &sub : report.definition().subreports) {
        if (const BoundData *data = report.subreportData(sub->name)) {
            out += QStringLiteral("# %1\n").arg(sub->name);
            out += tableCsv(*data);
        }
    }
    return out;
}

void writeCsv(const Report &report, const QString &path, bool spreadsheet)
{
    writeWhole(path, reportCsv(report, spreadsheet).toUtf8());
}

} // namespace reporting
