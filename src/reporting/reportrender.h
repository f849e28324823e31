#pragma once

// The render layer: paints laid-out pages with QPainter. One paintPage serves
// the printer, the PDF writer and the viewer; only the resolution differs.

#include "reporting/reportlayout.h"

#include <QImage>

class QPainter;
class QPagedPaintDevice;

namespace reporting {

class Report;

// Paints one page onto a painter whose device has the given resolution (dots
// per inch); the page's top left corner is at the painter's origin.
void paintPage(QPainter &painter, const LaidPage &page, qreal dotsPerInch);

// Paints pages [from, to] (0-based) onto a paged device (a QPrinter or a
// QPdfWriter) already set up for the report's page size; answers false when the
// device could not be painted on.
bool paintPages(QPagedPaintDevice &device, const LaidReport &laid, int from, int to);

// One page as an image, at the given resolution, on white.
QImage pageImage(const LaidReport &laid, int page, qreal dotsPerInch);

// Writes every page to a PDF file; fails with a message naming the file.
void writePdf(const Report &report, const QString &path);
void writePdf(const Report &report, const LaidReport &laid, const QString &path);

// The report's data as CSV: one "# name: value" line per text object set,
// then the bound columns by name and one line per row (bunlinectl's form).
// A spreadsheet's form (spreadsheet = true) is the header line and the rows
// of the main table only.
QString reportCsv(const Report &report, bool spreadsheet = false);
void writeCsv(const Report &report, const QString &path, bool spreadsheet = false);

} // namespace reporting
