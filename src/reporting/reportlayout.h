#pragma once

// The layout layer: a report's bands filled with its rows and placed on US
// Letter pages. Pure data - positions in points from the page's top left
// corner - so that the printer, the PDF writer and the viewer paint the same
// pages, and tests read them without painting.

#include "reporting/reportdefinition.h"

#include <QRectF>
#include <QSizeF>
#include <vector>

class QFont;

namespace reporting {

class Report;

struct LaidItem {
    enum Kind { Text, Line, Box, Barcode };
    Kind kind = Text;
    QRectF rect;
    QString text;
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;
    qreal penWidth = 0.5;
    bool pageNumber = false;
    std::vector<QRectF> bars; // a barcode's bars, in points from the rect's top left corner
};

struct LaidBand {
    BandKind kind = BandKind::Detail;
    QString name;
    int group = -1;
    int row = -1;      // the data row of group and detail bands
    QString subreport; // set on the bands of a subreport
    qreal top = 0, height = 0;
    std::vector<LaidItem> items;
};

struct LaidPage {
    std::vector<LaidBand> bands;

    // The texts of the page's items in order (tests).
    QStringList texts() const;
    // The bands of one kind.
    std::vector<const LaidBand *> bandsOf(BandKind kind) const;
};

struct LaidReport {
    QSizeF pageSize; // points
    std::vector<LaidPage> pages;

    int pageCount() const { return int(pages.size()); }
};

LaidReport layoutReport(const Report &report);

// A barcode of the text placed in a rect: the bars in the rect's height less
// the line of text beneath (kBarcodeTextHeight), aligned as asked, with quiet
// zones inside the rect.
std::vector<QRectF> placeBarcode(const QString &text, const QRectF &rect, Qt::Alignment align);
constexpr qreal kBarcodeTextHeight = 10;

// The font an item is drawn with. Sizes are in points.
QFont reportFont(const FontSpec &spec);
// The width, in points, that text takes on one line.
qreal textWidth(const QString &text, const FontSpec &font);
// The height, in points, that text wrapped into the width takes.
qreal wrappedTextHeight(const QString &text, const FontSpec &font, qreal width);
// The distance, in points, from one line of text to the next.
qreal lineHeight(const FontSpec &font);
// Text broken into lines no wider than width: at blanks where it can, inside
// a word only where one word alone is wider than the line.
QStringList breakLines(const QString &text, const FontSpec &font, qreal width);

constexpr qreal kLetterWidth = 612;  // 8.5 in
constexpr qreal kLetterHeight = 792; // 11 in

} // namespace reporting
