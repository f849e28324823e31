// What leaves the engine: CSV text, PDF files and the print folder.
#include "reporting/report.h"
#include "support/cli.h"
#include "reporting/reportrender.h"
#include "reporting/reportsinks.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reporting;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

std::shared_ptr<ReportDefinition> sheetDefinition()
{
    auto d = std::make_shared<ReportDefinition>();
    d->name = s("crptTestSheet");
    d->caption = s("Test Sheet");
    d->fields = {{s("Line")},
                 {s("Qty"), FieldType::Number},
                 {s("Arm"), FieldType::Flag},
                 {s("DueDate"), FieldType::Date}};
    d->bands.push_back(companyHeadingBand(d->contentWidth(), s("Test Sheet")));
    Band texts;
    texts.kind = BandKind::ReportHeader;
    texts.elements.push_back(textObject(s("txtTitle"), 0, 0, 200));
    texts.elements.push_back(textObject(s("txtPlant"), 200, 0, 200));
    d->bands.push_back(texts);
    d->bands.push_back(detailBand({{s("Line"), s("Line"), 200}, {s("Qty"), s("Qty"), 60, Format::Number}}));
    d->bands.push_back(pageFooterBand(d->contentWidth()));
    return d;
}

ReportPtr sheet()
{
    auto r = std::make_shared<Report>(sheetDefinition());
    SetReportData(r,
                  ReportTable{{s("Line"), s("Qty"), s("Arm"), s("DueDate"), s("Extra")},
                              {{s("Seat, left"), 2.5, 1, s("2026-02-01"), 7},
                               {s("Say \"cheese\""), QVariant(), 0, QVariant(), QVariant()}}});
    LoadReportData(r);
    SetReportText(r, s("txtPlant"), s("East"));
    SetReportText(r, s("txtTitle"), s("Band Saw 1"));
    return r;
}

TEST(ReportCsv, TextObjectsThenTheBoundColumnsByName)
{
    EXPECT_EQ(reportCsv(*sheet()).toStdString(),
              "# txtPlant: East\n"
              "# txtTitle: Band Saw 1\n"
              "Line,Qty,Arm,DueDate,Extra\n"
              "\"Seat, left\",2.5,Yes,2026-02-01,7\n"
              "\"Say \"\"cheese\"\"\",,No,,\n");
}

TEST(ReportCsv, ValuesHoldingALineBreakAreQuoted)
{
    auto r = std::make_shared<Report>(sheetDefinition());
    SetReportData(r,
                  ReportTable{{s("Line"), s("Qty"), s("Arm"), s("DueDate")},
                              {{s("a\nb"), 1, 0, QVariant()}, {s("c\rd"), 2, 0, QVariant()}}});
    LoadReportData(r);
    const QString csv = reportCsv(*r);
    EXPECT_TRUE(csv.contains(s("\"a\nb\""))) << csv.toStdString();
    EXPECT_TRUE(csv.contains(s("\"c\rd\""))) << csv.toStdString();
}

TEST(ReportPrinting, PrintFolderReceivesOneNumberedFilePerCopy)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A file already there from an earlier run: numbering goes on after it.
    QFile old(QDir(dir.path()).filePath(s("004-crptOld-Old.pdf")));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    const ReportPtr r = sheet();
    SetReportText(r, s("txtPlant"), s("East/2"));
    setPrintFolder(dir.path(), PrintFormat::Pdf);
    PrintReport(r);
    PrintReport(r);
    setPrintFolder(dir.path(), PrintFormat::Csv);
    PrintReport(r);
    setPrintFolder(QString());
    const QStringList files = QDir(dir.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(
        files,
        (QStringList{s("004-crptOld-Old.pdf"), s("005-crptTestSheet-Band Saw 1-East_2.pdf"),
                     s("006-crptTestSheet-Band Saw 1-East_2.pdf"), s("007-crptTestSheet-Band Saw 1-East_2.csv")}));
    QFile pdf(QDir(dir.path()).filePath(files[1]));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(ReportPrinting, ACopyNeverReplacesAFileAnotherRunWroteMeanwhile)
{
    QTemporaryDir dir;
    setPrintFolder(dir.path(), PrintFormat::Csv);
    const ReportPtr r = sheet();
    PrintReport(r);
    // Another workstation's run takes the number this one would count on to.
    const QString taken = QDir(dir.path()).filePath(s("002-crptTestSheet-Band Saw 1-East.csv"));
    QFile other(taken);
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.write("theirs");
    other.close();
    PrintReport(r);
    setPrintFolder(QString());
    QFile theirs(taken);
    ASSERT_TRUE(theirs.open(QIODevice::ReadOnly));
    EXPECT_EQ(theirs.readAll(), QByteArray("theirs"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{s("001-crptTestSheet-Band Saw 1-East.csv"), s("002-crptTestSheet-Band Saw 1-East.csv"),
                           s("003-crptTestSheet-Band Saw 1-East.csv")}));
}

TEST(ReportPrinting, LongNamesAreCutByBytesBetweenCharacters)
{
    QTemporaryDir dir;
    setPrintFolder(dir.path(), PrintFormat::Csv);
    const ReportPtr r = sheet();
    // Three bytes a character in UTF-8: 100 of them are 300 bytes.
    SetReportText(r, s("txtPlant"), QString(100, QChar(0x6C5F)));
    SetReportText(r, s("txtTitle"), QString(90, QChar(0x00E9)) + s("x"));
    PrintReport(r);
    setPrintFolder(QString());
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    const QByteArray name = files[0].toUtf8();
    EXPECT_LE(name.size(), 220);
    EXPECT_EQ(QString::fromUtf8(name).toUtf8(), name); // whole characters only
    EXPECT_FALSE(files[0].contains(QChar(QChar::ReplacementCharacter)));
    EXPECT_TRUE(files[0].contains(QString(20, QChar(0x6C5F)))) << name.toStdString();
}

TEST(ReportPrinting, WithoutPrinterOrFolderPrintingFailsAndSaysSo)
{
    if (printerAvailable())
        GTEST_SKIP() << "this machine has a printer";
    setPrintFolder(QString());
    const testsupport::ScopedEnv noFolder("BUNLINE_PRINT_DIR", {});
    try {
        PrintReport(sheet());
        FAIL() << "printing reported success with nowhere to print";
    } catch (const ReportError &e) {
        EXPECT_TRUE(e.text().contains(s("no printer"))) << e.text().toStdString();
        EXPECT_TRUE(e.text().contains(s("Band Saw 1")));
    }
}

TEST(ReportPrinting, EnvironmentFolderIsUsedWhenNoneIsSet)
{
    QTemporaryDir dir;
    setPrintFolder(QString());
    {
        const testsupport::ScopedEnv folder("BUNLINE_PRINT_DIR", dir.path().toUtf8());
        PrintReport(sheet());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{s("001-crptTestSheet-Band Saw 1-East.pdf")});
}

TEST(ReportPdf, PdfHoldsTheHeadingAndRowsAsText)
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(s("sheet.pdf"));
    const ReportPtr r = sheet();
    SetReportText(r, s("txtCompanyName"), s("Prairie Foam"));
    SetReportText(r, s("txtCompanyCityStateZip"), s("Elkhart, IN  46514"));
    writePdf(*r, path);
    const QString text = testsupport::pdfText(path);
    EXPECT_TRUE(text.contains(s("Prairie Foam")));
    // pdftotext writes the heading's two spaces as one blank run.
    EXPECT_TRUE(text.contains(QRegularExpression(s("Elkhart, IN +46514"))));
    EXPECT_LT(text.indexOf(s("Seat, left")), text.indexOf(s("Say \"cheese\"")));
    EXPECT_TRUE(text.contains(s("Page 1 of 1")));
    EXPECT_THROW(writePdf(*r, s("/nonexistent-folder/x.pdf")), ReportError);
}

// Copies go out with the standard PDF fonts; text those fonts cannot show
// (letters beyond Western Europe) is painted with its fonts embedded, and
// either way every character reads back.
TEST(ReportPdf, EveryTextReadsBackWhateverItsLetters)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        const char *text;
    } cases[] = {
        {"western", "Caf\u00e9 (back) \\ 50% \u2013 \u201cseat\u201d"},
        {"beyond", "\u0141\u00f3d\u017a \u017dlu\u0165ou\u010dk\u00fd"},
    };
    for (const auto &c : cases) {
        const QString path = QDir(dir.path()).filePath(s(c.name) + s(".pdf"));
        const ReportPtr r = sheet();
        SetReportText(r, s("txtCompanyName"), s(c.text));
        writePdf(*r, path);
        const QString text = testsupport::pdfText(path);
        EXPECT_TRUE(text.contains(s(c.text))) << c.name << ": " << text.toStdString();
        EXPECT_TRUE(text.contains(s("Seat, left"))) << c.name;
    }
}

} // namespace
