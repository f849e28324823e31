// Every report laid out with the longest values its data can hold: no text is
// ever wider than the room the layout gives it, so nothing printed is cut.
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

// The longest realistic text of a column, by the column's name.
QString longText(const QString &qualified)
{
    const QString name = qualified.section(QLatin1Char('.'), -1).toLower();
    if (name == QLatin1String("ordernumber"))
        return s("45001234567890123456"); // twenty digits, no blank to break at
    if (name == QLatin1String("line") || name == QLatin1String("linenumber"))
        return s("LINE-0001-A-REWORK-2-TRUCK-A-BUILDING-7-BAY-12-XYZ");
    if (name == QLatin1String("componentid") || name == QLatin1String("component") || name == QLatin1String("bunid")
        || name == QLatin1String("id") || name == QLatin1String("operationid") || name == QLatin1String("station"))
        return s("COMP-SEAT-CUSHION-FRONT-LEFT-HIGH-RESILIENCE-1234");
    if (name == QLatin1String("instructions") || name == QLatin1String("memofield"))
        return s("Cut along the grain, keep the offcuts for the fiber table, glue the two halves with the "
                 "low-odour spray and wrap each bundle of twelve in film before it goes on the buggy; call the "
                 "office when the bun count runs short of the sheet by more than two buns (ext 4417).");
    if (name == QLatin1String("grade"))
        return s("Poly Cotton 12oz Fire Retardant Charcoal Grey Mix");
    if (name == QLatin1String("state"))
        return s("WA");
    return s("Northwestern Contract Upholstery & Seating Company");
}

QVariant longValue(const FieldSpec &f)
{
    const QString name = f.name.section(QLatin1Char('.'), -1).toLower();
    switch (f.type) {
    case FieldType::Text:
        return longText(f.name);
    case FieldType::Flag:
        return true;
    case FieldType::Date:
    case FieldType::DateTime:
        return QDateTime(QDate(2026, 12, 28), QTime(23, 59));
    case FieldType::Integer:
        return name.contains(QLatin1String("buggy")) ? 123456 : 2147483;
    case FieldType::Number:
        break;
    }
    if (name.contains(QLatin1String("thickness")))
        return 12.125;
    if (name.contains(QLatin1String("width")))
        return 60.375;
    if (name.contains(QLatin1String("length")))
        return 120.75;
    if (name.contains(QLatin1String("rate")) || name.contains(QLatin1String("percent")))
        return 1234.56;
    if (name.contains(QLatin1String("price")) || name.contains(QLatin1String("total"))
        || name.contains(QLatin1String("paid")) || name.contains(QLatin1String("freight"))
        || name.contains(QLatin1String("misc")) || name.contains(QLatin1String("sales"))
        || name.contains(QLatin1String("cost")))
        return 987654.32;
    if (name.contains(QLatin1String("perrail")) || name.contains(QLatin1String("perbun")))
        return 7;
    return 123456.0; // quantities and piece counts
}

ReportTable longTable(const ReportDefinition &d, int rows)
{
    ReportTable t;
    for (const FieldSpec &f : d.fields)
        t.columns << f.name.section(QLatin1Char('.'), -1);
    // Sheets that carry a scanner code get it from the routine that prints them.
    bool scanned = false;
    for (const Band &b : d.bands)
        for (const Element &e : b.elements)
            scanned = scanned || e.kind == ElementKind::Barcode;
    if (scanned)
        t.columns << kScanCodeField;
    for (int r = 0; r < rows; ++r) {
        std::vector<QVariant> row;
        for (const FieldSpec &f : d.fields)
            row.push_back(longValue(f));
        if (scanned)
            row.push_back(s("S-4500123456-3-Glue/Spray Line Supply 12|Northwestern Plant"));
        t.rows.push_back(std::move(row));
    }
    return t;
}

QString longTextObject(const QString &name)
{
    if (name == QLatin1String("txtOrderSuffix"))
        return s("REWORK-2-TRUCK-A-001");
    if (name == QLatin1String("txtTitle"))
        return s("Glue/Spray Line Supply 12 Team 3");
    if (name == QLatin1String("txtDepartment"))
        return s("Fabrication Department");
    if (name.startsWith(QLatin1String("txtStart")) || name.startsWith(QLatin1String("txtEnd")))
        return s("12/28/2026");
    return longText(QString());
}

// Each line of every laid-out text fits the width of its item, and its lines
// fit the item's height.
void expectNothingCut(const LaidReport &laid, const QString &where)
{
    for (size_t p = 0; p < laid.pages.size(); ++p)
        for (const LaidBand &band : laid.pages[p].bands)
            for (const LaidItem &item : band.items) {
                if (item.kind != LaidItem::Text || item.text.isEmpty() || item.rect.width() <= 0)
                    continue;
                const QStringList lines = item.text.split(QLatin1Char('\n'));
                EXPECT_TRUE(item.wrap || lines.size() == 1) << where.toStdString();
                for (const QString &line : lines)
                    EXPECT_LE(textWidth(line, item.font), item.rect.width() + 0.01)
                        << where.toStdString() << " page " << p + 1 << ": \"" << line.toStdString() << "\" at "
                        << item.font.pointSize << " pt in " << item.rect.width() << " points";
                if (lines.size() > 1) {
                    EXPECT_LE(lines.size() * lineHeight(item.font), item.rect.height() + 1.01)
                        << where.toStdString() << ": \"" << item.text.toStdString() << "\" runs out of its height";
                }
                EXPECT_GE(item.font.pointSize, 5) << where.toStdString();
                EXPECT_LE(item.rect.right(), laid.pageSize.width() + 0.01) << where.toStdString();
            }
}

} // namespace

TEST(ReportFitting, LongestValuesOfEveryDefinitionAreNeverCut)
{
    for (const QString &name : definitionNames()) {
        const auto d = findDefinition(name);
        auto report = CreateReport(name);
        SetReportData(report, longTable(*d, 3));
        for (const auto &sub : d->subreports)
            SetSubreportData(report, sub->name, longTable(*sub, 3));
        LoadReportData(report);
        for (const QString &text : d->textObjectNames())
            SetReportText(report, text, longTextObject(text));
        expectNothingCut(report->layout(), name);
    }
}

TEST(ReportFitting, ColumnsTakeRoomFromColumnsWithSlackBeforeShrinking)
{
    // A grade wider than its column beside an empty Topped column prints
    // whole, on one line, at the sheet's own size.
    const auto d = findDefinition(s("crptTie"));
    ReportTable t = longTable(*d, 1);
    for (int c = 0; c < t.columns.size(); ++c) {
        const QString column = t.columns[c].toLower();
        if (column == QLatin1String("topped"))
            t.rows[0][size_t(c)] = QString();
        else if (column == QLatin1String("grade"))
            t.rows[0][size_t(c)] = s("Poly Cotton 12oz");
        else if (d->fields[size_t(c)].type == FieldType::Text)
            t.rows[0][size_t(c)] = s("A");
    }
    auto report = CreateReport(s("crptTie"));
    SetReportData(report, t);
    LoadReportData(report);
    const LaidReport laid = report->layout();
    bool found = false;
    for (const LaidBand *b : laid.pages[0].bandsOf(BandKind::Detail))
        for (const LaidItem &i : b->items)
            if (i.text == s("Poly Cotton 12oz")) {
                found = true;
                EXPECT_EQ(i.font.pointSize, 8);
                EXPECT_FALSE(i.text.contains(QLatin1Char('\n')));
            }
    EXPECT_TRUE(found);
    expectNothingCut(laid, s("crptTie"));
}

TEST(ReportFitting, LinesBreakAtBlanksAndInsideWordsOnlyWhenOneWordIsTooWide)
{
    const FontSpec font{8};
    const qreal width = textWidth(s("12.125 x 60.375"), font) + 0.5;
    EXPECT_EQ(breakLines(s("12.125 x 60.375 x 120.75"), font, width),
              (QStringList{s("12.125 x 60.375"), s("x 120.75")}));
    const QStringList cut = breakLines(s("45001234567890123456"), font, textWidth(s("4500123456"), font) + 0.5);
    EXPECT_EQ(cut.join(QString()), s("45001234567890123456"));
    EXPECT_EQ(cut.size(), 2);
    EXPECT_EQ(breakLines(s("two\nlines"), font, 200), (QStringList{s("two"), s("lines")}));
}
