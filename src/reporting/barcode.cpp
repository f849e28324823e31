#include "reporting/barcode.h"

#include "reporting/reportdefinition.h"

#include <memory>
#include <zint.h>

namespace reporting {

QString code128Text(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c.unicode() > 0xff || c.unicode() < 0x20)
            c = QLatin1Char('?');
    return out;
}

BarcodeBars code128(const QString &text)
{
    BarcodeBars out;
    if (text.isEmpty())
        return out;
    const std::unique_ptr<zint_symbol, void (*)(zint_symbol *)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    if (!symbol)
        throw ReportError(QStringLiteral("The barcode \"%1\" could not be drawn.").arg(text));
    symbol->symbology = BARCODE_CODE128;
    symbol->input_mode = UNICODE_MODE;
    symbol->show_hrt = 0;
    symbol->whitespace_width = 0;
    symbol->height = 10;
    const QByteArray bytes = code128Text(text).toUtf8();
    const int encoded =
        ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char *>(bytes.constData()), int(bytes.size()));
    if (encoded >= ZINT_ERROR || ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector)
        throw ReportError(
            QStringLiteral("The barcode \"%1\" could not be drawn: %2").arg(text, QString::fromLatin1(symbol->errtxt)));
    out.modules = symbol->width;
    const zint_vector &vector = *symbol->vector;
    // Vector units per module and the bars' height, whatever scale zint draws at.
    const double unit = symbol->width > 0 ? vector.width / symbol->width : 1;
    double height = 0;
    for (const zint_vector_rect *r = vector.rectangles; r; r = r->next)
        height = std::max<double>(height, r->y + r->height);
    for (const zint_vector_rect *r = vector.rectangles; r; r = r->next)
        out.bars.emplace_back(r->x / unit, height > 0 ? r->y / height : 0, r->width / unit,
                              height > 0 ? r->height / height : 1);
    return out;
}

} // namespace reporting
