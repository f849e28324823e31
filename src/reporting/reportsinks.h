#pragma once

// The sinks layer: where PrintReport sends a report. A print folder, when one
// is set, receives one numbered file per printed copy; otherwise the default
// printer prints it. With neither, printing fails with a message saying so.

#include <QString>
#include <vector>

namespace reporting {

class Report;

enum class PrintFormat { Pdf, Csv };

// The folder printed copies go to: the one set here (bunlinectl --out), else
// the BUNLINE_PRINT_DIR environment variable; empty when neither.
void setPrintFolder(const QString &folder, PrintFormat format = PrintFormat::Pdf);
QString printFolder();
PrintFormat printFormat();

// The name the next copy gets in the folder:
// NNN-<definition>-<title>[-<plant>].<ext>, NNN counting on from the highest
// number already in the folder (001 in an empty one).
QString nextPrintFileName(const QString &folder, const Report &report, PrintFormat format);

// With a print folder set: refuses (ReportError) before anything is written
// when a file name for one of these reports would be too long. Names are cut
// to fit, so this guards the folder's depth and the definitions' own names.
void checkPrintNames(const std::vector<const Report *> &reports);

// Whether a printer is installed (a QPrinter without one still claims to be
// valid and quietly writes PDF, so the printer list is asked).
bool printerAvailable();

} // namespace reporting
