#include "reporting/reportsinks.h"

#include "reporting/report.h"
#include "reporting/reportrender.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace reporting {

namespace {

QString g_folder;
PrintFormat g_format = PrintFormat::Pdf;

// File systems limit a name to 255 bytes, not characters: a part is cut to
// this many bytes of UTF-8, so that a title and a plant of three-byte
// characters still make a name that fits beside the number, the definition's
// name and the writer's temporary suffix.
constexpr int kTitleBytes = 80;
constexpr int kPlantBytes = 60;
// The longest name a copy may have; the writer adds a temporary suffix to it.
constexpr int kNameBytes = 220;

// A file-name part without characters that file systems refuse, at most
// maxBytes long in UTF-8 and never cut inside a character.
QString fileNamePart(const QString &text, int maxBytes)
{
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f]+)"));
    QString s = text.trimmed();
    s.replace(unsafe, QStringLiteral("_"));
    QByteArray bytes = s.toUtf8();
    if (bytes.size() <= maxBytes)
        return s;
    qsizetype cut = maxBytes;
    while (cut > 0 && (uchar(bytes[cut]) & 0xC0) == 0x80)
        --cut; // back to the first byte of the character that would be split
    bytes.truncate(cut);
    return QString::fromUtf8(bytes).trimmed();
}

QString numberedName(int number, const Report &report, PrintFormat format)
{
    QString name = QStringLiteral("%1-%2-%3")
                       .arg(number, 3, 10, QLatin1Char('0'))
                       .arg(report.name(), fileNamePart(report.title(), kTitleBytes));
    const QString plant = report.textsSet().contains(QStringLiteral("txtPlant"))
        ? fileNamePart(report.texts().value(QStringLiteral("txtPlant")), kPlantBytes)
        : QString();
    if (!plant.isEmpty())
        name += QLatin1Char('-') + plant;
    name += format == PrintFormat::Csv ? QStringLiteral(".csv") : QStringLiteral(".pdf");
    return name;
}

int highestNumber(const QString &folder)
{
    static const QRegularExpression numbered(QStringLiteral(R"(^(\d{3,})-)"));
    int highest = 0;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        const QRegularExpressionMatch m = numbered.match(name);
        if (m.hasMatch())
            highest = std::max(highest, m.captured(1).toInt());
    }
    return highest;
}

// The folder is read once; after that a run counts on from the copy it wrote
// last (a run writes hundreds), as long as that copy is still there.
QHash<QString, std::pair<int, QString>> &lastWritten()
{
    static QHash<QString, std::pair<int, QString>> written; // folder -> number, file name
    return written;
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
    const QString key = QDir(folder).absolutePath();
    int highest = -1;
    const auto known = lastWritten().constFind(key);
    if (known != lastWritten().constEnd() && QFileInfo::exists(QDir(folder).filePath(known->second)))
        highest = known->first;
    if (highest < 0)
        highest = highestNumber(folder);
    const QString name = numberedName(highest + 1, report, format);
    lastWritten().insert(key, {highest + 1, name});
    return name;
}

void checkPrintNames(const std::vector<const Report *> &reports)
{
    const QString folder = printFolder();
    if (folder.isEmpty())
        return;
    const PrintFormat format = printFormat();
    // The widest number a run of this size can reach in any folder.
    const int number = 999999;
    for (const Report *report : reports) {
        const QString name = numberedName(number, *report, format);
        const qsizetype bytes = name.toUtf8().size();
        if (bytes > kNameBytes)
            throw ReportError(QStringLiteral("Nothing was printed: the file name for \"%1\" would be %2 bytes long, "
                                             "more than the %3 a file name may have.")
                                  .arg(report->title())
                                  .arg(bytes)
                                  .arg(kNameBytes));
        if (QFile::encodeName(QDir(folder).absoluteFilePath(name)).size() >= PATH_MAX - 16)
            throw ReportError(QStringLiteral("Nothing was printed: the print folder %1 is too deep for the file of "
                                             "\"%2\".")
                                  .arg(folder, report->title()));
    }
}

namespace {

// Takes the next free number in the folder for this copy: the numbered file
// is created exclusively (O_EXCL), so that two runs printing into one folder
// at once never take the same number; one that finds its number taken reads
// the folder again and takes the next. Answers the path of the empty file
// this run now owns.
QString reserveNumberedFile(const QString &folder, const Report &report, PrintFormat format)
{
    const QString key = QDir(folder).absolutePath();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const QString name = nextPrintFileName(folder, report, format);
        const QString path = QDir(folder).filePath(name);
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            throw ReportError(QStringLiteral("\"%1\" was not printed: %2 could not be created: %3")
                                  .arg(report.title(), path, QString::fromLocal8Bit(strerror(errno))));
        // Another run took this number: count on from what the folder holds now.
        lastWritten().remove(key);
    }
    throw ReportError(
        QStringLiteral("\"%1\" was not printed: no free number was found in %2.").arg(report.title(), folder));
}

} // namespace

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
        checkPrintNames({report.get()});
        const QString path = reserveNumberedFile(folder, *report, format);
        try {
            if (format == PrintFormat::Csv)
                writeCsv(*report, path);
            else
                writePdf(*report, path);
        } catch (...) {
            QFile::remove(path); // the empty file this run reserved, never another's
            throw;
        }
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
