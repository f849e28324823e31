// Pages that read on their own: a block continued on a new page keeps its
// title and headings, a closing note never stands alone, a statement numbers
// its own pages, and an invoice shows what is left to pay.
#include "reporting/report.h"
#include "reporting/reportlayout.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace reporting;

namespace {

QString s(const char *t)
{
    return QString::fromUtf8(t);
}

// A table for the definition's fields, every row from the function.
ReportTable tableFor(const ReportDefinition &d, int rows, const std::function<QVariant(const QString &, int)> &value)
{
    ReportTable t;
    for (const FieldSpec &f : d.fields)
        t.columns << f.name.section(QLatin1Char('.'), -1);
    for (int r = 0; r < rows; ++r) {
        std::vector<QVariant> row;
        for (const FieldSpec &f : d.fields)
            row.push_back(value(f.name, r));
        t.rows.push_back(std::move(row));
    }
    return t;
}

QVariant summaryValue(const QString &field, int)
{
    if (field == QLatin1String("Orders.ID"))
        return 7;
    if (field.contains(QLatin1String("Date")))
        return QDateTime(QDate(2026, 3, 2), QTime(0, 0));
    if (field == QLatin1String("Total") || field == QLatin1String("LaborCostPerHour")
        || field == QLatin1String("LaborPercent"))
        return 100.0;
    return s("Main");
}

// A department summary whose band saw block has the given number of rows.
LaidReport summaryWithBandSawRows(int rows)
{
    const auto d = findDefinition(s("crptSummary"));
    auto report = CreateReport(s("crptSummary"));
    SetReportData(report, tableFor(*d, 1, summaryValue));
    const ReportDefinition *saw = d->subreport(s("Subreport6"));
    SetSubreportData(report, s("Subreport6"), tableFor(*saw, rows, [](const QString &f, int r) -> QVariant {
                         if (f == QLatin1String("OperationID"))
                             return QStringLiteral("Saw %1").arg(r % 3 + 1);
                         return 4.0;
                     }));
    LoadReportData(report);
    SetReportText(report, s("txtDepartment"), s("Saw Department"));
    return report->layout();
}

bool hasText(const LaidBand &b, const QString &text)
{
    for (const LaidItem &i : b.items)
        if (i.text == text)
            return true;
    return false;
}

} // namespace

TEST(ReportPages, ASubreportContinuedOnANewPageRepeatsItsTitleAndHeadings)
{
    const LaidReport laid = summaryWithBandSawRows(150);
    ASSERT_GT(laid.pageCount(), 1);
    int rows = 0;
    for (int p = 0; p < laid.pageCount(); ++p) {
        bool title = false, headings = false, before = true;
        for (const LaidBand &b : laid.pages[size_t(p)].bands) {
            if (b.subreport == QLatin1String("Subreport6") && b.kind == BandKind::Detail) {
                EXPECT_TRUE(title && headings) << "page " << p + 1 << " starts with unlabelled rows";
                if (before)
                    ++rows;
                before = false;
                continue;
            }
            title = title || hasText(b, s("Band Saw"));
            headings = headings || (hasText(b, s("Station")) && hasText(b, s("Pcs/Bun")));
        }
    }
    EXPECT_EQ(rows, laid.pageCount()) << "the band saw rows run over every page";
    // No block's title sits at the foot of a page without its first row.
    for (const LaidPage &page : laid.pages)
        for (size_t i = 0; i < page.bands.size(); ++i)
            if (hasText(page.bands[i], s("Glue Line")) || hasText(page.bands[i], s("Band Saw"))) {
                ASSERT_LT(i + 1, page.bands.size());
                EXPECT_NE(page.bands[i + 1].kind, BandKind::PageFooter);
            }
}

TEST(ReportPages, TheClosingNoteNeverStandsAloneOnAPage)
{
    int spilled = 0;
    for (int rows = 20; rows <= 70; ++rows) {
        const LaidReport laid = summaryWithBandSawRows(rows);
        const LaidPage &last = laid.pages.back();
        bool note = false, block = false;
        for (const LaidBand &b : last.bands) {
            block = block || !b.subreport.isEmpty();
            for (const LaidItem &i : b.items)
                note = note || i.text.startsWith(QLatin1String("Hours = non-arm"));
        }
        EXPECT_TRUE(note) << rows << " rows";
        EXPECT_TRUE(block) << rows << " rows: the note stands alone on the last page";
        spilled += laid.pageCount() > 1;
    }
    EXPECT_GT(spilled, 0) << "no case runs onto a second page";
}

TEST(ReportPages, EachCustomerStatementNumbersItsOwnPages)
{
    const auto d = findDefinition(s("crptCustomerStatements"));
    // Acme owes on one invoice, Birch on eighty (two pages), Cedar on one.
    const auto customerOf = [](int r) { return r == 0 ? s("Acme") : r <= 80 ? s("Birch") : s("Cedar"); };
    auto report = CreateReport(s("crptCustomerStatements"));
    SetReportData(report, tableFor(*d, 82, [&](const QString &f, int r) -> QVariant {
                      if (f == QLatin1String("Customer"))
                          return customerOf(r);
                      if (f == QLatin1String("ID"))
                          return 1000 + r;
                      if (f.endsWith(QLatin1String("Date")))
                          return QDateTime(QDate(2026, 1, 5), QTime(0, 0));
                      if (f == QLatin1String("Total"))
                          return 250.0;
                      if (f == QLatin1String("Paid"))
                          return QVariant();
                      return s("x");
                  }));
    LoadReportData(report);
    const LaidReport laid = report->layout();
    QStringList numbers;
    for (const LaidPage &page : laid.pages)
        for (const QString &t : page.texts())
            if (t.startsWith(QLatin1String("Page ")))
                numbers << t;
    EXPECT_EQ(numbers, (QStringList{s("Page 1 of 1"), s("Page 1 of 2"), s("Page 2 of 2"), s("Page 1 of 1")}));
}

TEST(ReportPages, AnInvoiceWithPaymentsShowsWhatWasPaidAndTheBalanceDue)
{
    const auto d = findDefinition(s("crptInvoice"));
    struct Case {
        const char *paid; // txtPaid, or null when nothing was paid
        QStringList shown, absent;
    };
    const Case cases[] = {
        {nullptr, {s("Total Due"), s("$1,000.00")}, {s("Balance Due"), s("Paid")}},
        {"400",
         {s("Total"), s("$1,000.00"), s("Paid"), s("$400.00"), s("Balance Due"), s("$600.00")},
         {s("Total Due")}},
        {"1000", {s("Paid"), s("Balance Due"), s("$0.00")}, {s("Total Due")}},
    };
    for (const Case &c : cases) {
        auto report = CreateReport(s("crptInvoice"));
        SetReportData(report, tableFor(*d, 1, [](const QString &f, int) -> QVariant {
                          if (f == QLatin1String("Total"))
                              return 1000.0;
                          if (f.endsWith(QLatin1String("Date")))
                              return QDateTime(QDate(2026, 1, 5), QTime(0, 0));
                          if (f == QLatin1String("ID") || f == QLatin1String("ItemNumber"))
                              return 1;
                          return f == QLatin1String("Subtotal") || f == QLatin1String("PriceExt") ? QVariant(1000.0)
                                                                                                  : QVariant(s("x"));
                      }));
        LoadReportData(report);
        if (c.paid)
            SetReportText(report, s("txtPaid"), s(c.paid));
        QStringList texts;
        const LaidReport laid = report->layout(); // the bands point into it
        for (const LaidBand *b : laid.pages.back().bandsOf(BandKind::ReportFooter))
            for (const LaidItem &i : b->items)
                texts << i.text;
        for (const QString &t : c.shown)
            EXPECT_TRUE(texts.contains(t)) << (c.paid ? c.paid : "unpaid") << ": " << t.toStdString();
        for (const QString &t : c.absent)
            EXPECT_FALSE(texts.contains(t)) << (c.paid ? c.paid : "unpaid") << ": " << t.toStdString();
    }
}

TEST(ReportPages, SummariesAndTieSheetsNameTheirDepartment)
{
    const struct {
        const char *definition, *department, *title;
    } cases[] = {
        {"crptSummary", "Saw Department", "Summary Saw"},
        {"crptSummary", "Fabrication Department", "Summary Fabrication"},
        {"crptTie", "Saw Department", "Tie Sheet Saw"},
        {"crptGlueSprayLine", "Saw Department", "Supply 1"}, // a station sheet is named by its station
    };
    for (const auto &c : cases) {
        auto report = CreateReport(s(c.definition));
        if (QString::fromLatin1(c.definition) != QLatin1String("crptSummary"))
            SetReportText(report, s("txtTitle"),
                          QString::fromLatin1(c.definition) == QLatin1String("crptTie") ? s("Tie Sheet")
                                                                                        : s("Supply 1"));
        SetReportText(report, s("txtDepartment"), s(c.department));
        EXPECT_EQ(report->title(), s(c.title)) << c.definition;
    }
}
