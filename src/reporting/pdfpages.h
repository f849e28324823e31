#pragma once

// Laid-out pages written straight to PDF with the standard PDF fonts
// (Helvetica and its bold and oblique faces, which the report font matches
// metric for metric), so that a file holds only the page's drawing and no
// embedded font: a run of a thousand printed copies writes each in a fraction
// of the time a painted PDF with its fonts takes.

#include <QByteArray>
#include <QString>

namespace reporting {

struct LaidReport;

// The PDF of the pages, or an empty array when a text holds characters the
// standard fonts cannot show (the caller then paints the PDF instead).
QByteArray standardFontPdf(const LaidReport &laid, const QString &title);

} // namespace reporting
