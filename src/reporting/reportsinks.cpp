#include "reporting/reportsinks.h"

#include "reporting/report.h"
#include "reporting/reportrender.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace reporting {

namespace {

QString g_folder;
PrintFormat g_format = PrintFormat::Pdf;

// A file-name part without characters that file systems refuse.
QString fileNamePart(const QString &text)
{
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f]+)"));
    QString s = text.trimmed();
    s.replace(unsafe, QStringLiteral("_"));
    return s.left(80);
}

} // namespace

void setPrintFolder(const QString &folder, PrintFormat format)
{
    g_folder = folder;
    g_format = format;
}

QString printFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    return qEnvironmentVariable("BUNLINE_PRINT_DIR");
}

PrintFormat printFormat()
{
    if (!g_folder.isEmpty())
        return g_format;
    return qEnvironmentVariable("BUNLINE_PRINT_FORMAT").compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0
        ? PrintFormat::Csv
        : PrintFormat::Pdf;
}

QString nextPrintFileName(const QString &folder, const Report &report, PrintFormat format)
{
    static const QRegularExpression numbered(QStringLiteral(R"(^(\d{3,})-)"));
    // The folder is read once; after that a run counts on from the copy it
    // wrote last (a run writes hundreds), as long as that copy is still there.
    static QHash<QString, std::pair<int, QString>> lastWritten; // folder -> number, file name
    const QString key = QDir(folder).absolutePath();
    int highest = -1;
    const auto known = lastWritten.constFind(key);
    if (known != lastWritten.constEnd() && QFileInfo::exists(QDir(folder).filePath(known->second)))
        highest = known->first;
    if (highest < 0) {
        highest = 0;
        for (const QString &name : QDir(folder).entryList(QDir::Files)) {
            const QRegularExpressionMatch m = numbered.match(name);
            if (m.hasMatch())
                highest = std::max(highest, m.captured(1).toInt());
        }
    }
    QString name = QStringLiteral("%1-%2-%3")
                       .arg(highest + 1, 3, 10, QLatin1Char('0'))
                       .arg(report.name(), fileNamePart(report.title()));
    const QString plant = report.textsSet().contains(QStringLiteral("txtPlant"))
        ? fileNamePart(report.texts().value(QStringLiteral("txtPlant")))
        : QString();
    if (!plant.isEmpty())
        name += QLatin1Char('-') + plant;
    name += format == PrintFormat::Csv ? QStringLiteral(".csv") : QStringLiteral(".pdf");
    lastWritten.insert(key, {highest + 1, name});
    return name;
}

bool printerAvailable()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void PrintReport(const ReportPtr &report)
{
    if (!report->isLoaded())
        report->load();
    const QString folder = printFolder();
    if (!folder.isEmpty()) {
        if (!QDir().mkpath(folder))
            throw ReportError(QStringLiteral("The print folder %1 could not be created, so \"%2\" was not printed.")
                                  .arg(folder, report->title()));
        const PrintFormat format = printFormat();
        const QString path = QDir(folder).filePath(nextPrintFileName(folder, *report, format));
        if (format == PrintFormat::Csv)
            writeCsv(*report, path);
        else
            writePdf(*report, path);
        return;
    }
    if (!printerAvailable())
        throw ReportError(QStringLiteral("\"%1\" was not printed: no printer is installed on this workstation and no "
                                         "print folder is set. Install a printer, or set BUNLINE_PRINT_DIR to a "
                                         "folder that receives printed reports.")
                              .arg(report->title()));
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        info = QPrinterInfo::printerInfo(QPrinterInfo::availablePrinterNames().constFirst());
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(report->title());
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageOrientation(report->definition().orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                                          : QPageLayout::Portrait);
    printer.setFullPage(true);
    const LaidReport laid = report->layout();
    if (!paintPages(printer, laid, 0, laid.pageCount() - 1))
        throw ReportError(
            QStringLiteral("\"%1\" could not be sent to the printer %2.").arg(report->title(), info.printerName()));
}

} // namespace reporting
