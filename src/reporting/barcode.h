#pragma once

// Code 128 barcodes as vectors: the bars of a code as rectangles in modules,
// so that the layout scales them into their place on the page and the
// renderer fills them sharp at any resolution.

#include <QRectF>
#include <QString>
#include <vector>

namespace reporting {

struct BarcodeBars {
    std::vector<QRectF> bars; // x and width in modules, y 0 and height 1
    int modules = 0;          // the symbol's width in modules, quiet zones not included
    bool isEmpty() const { return bars.empty(); }
};

// The bars of text encoded as Code 128. Characters Code 128 cannot carry
// (beyond Latin-1) are written as '?'; an empty text gives no bars.
BarcodeBars code128(const QString &text);

// The text as it is encoded: characters beyond Latin-1 replaced by '?'.
QString code128Text(const QString &text);

// The narrowest bar, in points, that printers and scanners on the floor read
// reliably (0.01 inch); a code narrower than its box gets wider bars.
constexpr double kMinimumModule = 0.72;
// Blank space kept on each side of a code, in modules.
constexpr int kQuietZone = 10;

} // namespace reporting
