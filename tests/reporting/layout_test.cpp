// The layout layer read as data: which bands land on which page, with what text.
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

// An order-lines report: customers as groups, a quantity summed per customer
// and over the report, a title text object, a hideable notes section.
std::shared_ptr<ReportDefinition> ordersDefinition(qreal detailHeight = 13)
{
    auto d = std::make_shared<ReportDefinition>();
    d->name = s("crptTestOrders");
    d->caption = s("Test Orders");
    d->fields = {{s("Customer")}, {s("Item")}, {s("Qty"), FieldType::Number}};
    d->groups.push_back({s("Customer"), {}, false});

    Band header;
    header.kind = BandKind::PageHeader;
    header.height = 40;
    header.elements.push_back(label(s("ORDERS"), 0, 0, 200));
    header.elements.push_back(textObject(s("txtTitle"), 200, 0, 200));
    d->bands.push_back(header);

    Band groupHeader;
    groupHeader.kind = BandKind::GroupHeader;
    groupHeader.group = 0;
    groupHeader.height = 20;
    groupHeader.elements.push_back(field(s("Customer"), 0, 0, 200));
    d->bands.push_back(groupHeader);

    Band detail;
    detail.kind = BandKind::Detail;
    detail.height = detailHeight;
    detail.elements.push_back(field(s("Item"), 10, 0, 100));
    detail.elements.push_back(field(s("Qty"), 110, 0, 60, Format::Number));
    d->bands.push_back(detail);

    Band groupFooter;
    groupFooter.kind = BandKind::GroupFooter;
    groupFooter.group = 0;
    groupFooter.height = 16;
    groupFooter.elements.push_back(total(s("Qty"), TotalKind::Sum, 110, 0, 60, Format::Number));
    groupFooter.elements.push_back(total(s("Item"), TotalKind::Count, 200, 0, 60, Format::Integer));
    d->bands.push_back(groupFooter);

    Band notes;
    notes.kind = BandKind::ReportFooter;
    notes.name = s("Section9");
    notes.height = 14;
    notes.elements.push_back(label(s("NOTES"), 0, 0, 100));
    d->bands.push_back(notes);

    Band grand;
    grand.kind = BandKind::ReportFooter;
    grand.height = 14;
    grand.elements.push_back(label(s("Grand total"), 0, 0, 100));
    grand.elements.push_back(total(s("Qty"), TotalKind::Sum, 110, 0, 60, Format::Number));
    Element marker = label(s("MARKER"), 300, 0, 60);
    marker.name = s("txtMarker");
    grand.elements.push_back(marker);
    d->bands.push_back(grand);

    d->bands.push_back(pageFooterBand(d->contentWidth()));
    return d;
}

ReportTable ordersTable(const std::vector<std::tuple<const char *, const char *, double>> &rows)
{
    ReportTable t{{s("Customer"), s("Item"), s("Qty")}, {}};
    for (const auto &[c, i, q] : rows)
        t.rows.push_back({s(c), s(i), q});
    return t;
}

ReportPtr loaded(std::shared_ptr<ReportDefinition> d, ReportTable t)
{
    auto r = std::make_shared<Report>(std::move(d));
    SetReportData(r, std::move(t));
    LoadReportData(r);
    return r;
}

QStringList bandTexts(const LaidReport &laid, BandKind kind)
{
    QStringList out;
    for (const LaidPage &p : laid.pages)
        for (const LaidBand *b : p.bandsOf(kind)) {
            QStringList parts;
            for (const LaidItem &i : b->items)
                if (i.kind == LaidItem::Text && !i.text.isEmpty())
                    parts << i.text;
            out << parts.join(QLatin1Char('|'));
        }
    return out;
}

TEST(ReportLayout, GroupsRowsAndTotalsPerGroupAndReport)
{
    const ReportPtr r =
        loaded(ordersDefinition(),
               ordersTable({{"Acme", "Seat", 2}, {"Acme", "Back", 3.5}, {"Birch", "Arm", 5}, {"Cole", "Pad", 1}}));
    const LaidReport laid = r->layout();
    ASSERT_EQ(laid.pageCount(), 1);
    EXPECT_EQ(bandTexts(laid, BandKind::GroupHeader), (QStringList{s("Acme"), s("Birch"), s("Cole")}));
    EXPECT_EQ(bandTexts(laid, BandKind::Detail), (QStringList{s("Seat|2"), s("Back|3.5"), s("Arm|5"), s("Pad|1")}));
    EXPECT_EQ(bandTexts(laid, BandKind::GroupFooter), (QStringList{s("5.5|2"), s("5|1"), s("1|1")}));
    EXPECT_EQ(bandTexts(laid, BandKind::ReportFooter), (QStringList{s("NOTES"), s("Grand total|11.5|MARKER")}));
    // Bands follow each other down the page in the order of the data.
    const LaidPage &page = laid.pages[0];
    for (size_t i = 1; i + 1 < page.bands.size(); ++i)
        EXPECT_GE(page.bands[i].top, page.bands[i - 1].top + page.bands[i - 1].height - 0.01);
}

TEST(ReportLayout, GroupKeyChangeOnlyWhenValueChanges)
{
    // A customer seen again after another one starts a new group: groups
    // follow the order of the rows, as the statement's ORDER BY gives them.
    const ReportPtr r =
        loaded(ordersDefinition(), ordersTable({{"Acme", "A", 1}, {"Birch", "B", 1}, {"Acme", "C", 1}}));
    EXPECT_EQ(bandTexts(r->layout(), BandKind::GroupHeader), (QStringList{s("Acme"), s("Birch"), s("Acme")}));
}

TEST(ReportLayout, AnInnerGroupStartsAgainWhenTheOuterOneChanges)
{
    auto d = ordersDefinition();
    d->groups.push_back({s("Item"), {}, false});
    Band inner;
    inner.kind = BandKind::GroupHeader;
    inner.group = 1;
    inner.height = 14;
    inner.elements.push_back(field(s("Item"), 20, 0, 100));
    d->bands.push_back(inner);
    // The item changes alone, then the customer changes while the item stays.
    const ReportPtr r = loaded(d, ordersTable({{"Acme", "A", 1}, {"Acme", "B", 1}, {"Birch", "B", 1}}));
    EXPECT_EQ(bandTexts(r->layout(), BandKind::GroupHeader),
              (QStringList{s("Acme"), s("A"), s("B"), s("Birch"), s("B")}));
}

TEST(ReportLayout, HiddenSectionsAndObjectsAreLeftOut)
{
    const ReportPtr r = loaded(ordersDefinition(), ordersTable({{"Acme", "Seat", 2}}));
    HideSection(r, s("Section9"));
    HideSection(r, s("txtMarker"));
    EXPECT_EQ(bandTexts(r->layout(), BandKind::ReportFooter), (QStringList{s("Grand total|2")}));
    try {
        HideSection(r, s("Section42"));
        FAIL() << "an unknown section was accepted";
    } catch (const ReportError &e) {
        EXPECT_TRUE(e.text().contains(s("Section42"))) << e.text().toStdString();
    }
}

TEST(ReportLayout, TextObjectsReplaceTheirTextAndUnknownNamesAreErrors)
{
    const ReportPtr r = loaded(ordersDefinition(), ordersTable({{"Acme", "Seat", 2}}));
    SetReportText(r, s("txtTitle"), s("Band Saw 1"));
    EXPECT_TRUE(r->layout().pages[0].texts().contains(s("Band Saw 1")));
    EXPECT_EQ(r->title(), s("Band Saw 1"));
    try {
        SetReportText(r, s("txtPlnat"), s("East"));
        FAIL() << "an unknown text object was accepted";
    } catch (const ReportError &e) {
        EXPECT_TRUE(e.text().contains(s("txtPlnat")));
        EXPECT_TRUE(e.text().contains(s("crptTestOrders")));
    }
    try {
        CreateReport(s("crptNoSuchReport"));
        FAIL() << "an unknown definition was accepted";
    } catch (const ReportError &e) {
        EXPECT_TRUE(e.text().contains(s("crptNoSuchReport")));
    }
}

TEST(ReportLayout, ColumnMissingFromTheDataIsReportedWhenTheReportLoads)
{
    auto r = std::make_shared<Report>(ordersDefinition());
    SetReportData(r, ReportTable{{s("Customer"), s("Item")}, {{s("Acme"), s("Seat")}}});
    try {
        LoadReportData(r);
        FAIL() << "data without Qty were accepted";
    } catch (const ReportError &e) {
        EXPECT_TRUE(e.text().contains(s("\"Qty\""))) << e.text().toStdString();
    }
    EXPECT_FALSE(r->isLoaded());
}

TEST(ReportLayout, RepeatedColumnNamesBindInStatementOrderAndValuesAreTyped)
{
    auto d = std::make_shared<ReportDefinition>();
    d->name = s("crptTwice");
    d->fields = {{s("Component.Thickness"), FieldType::Number},
                 {s("Test"), FieldType::Flag},
                 {s("StyleOperation.Thickness"), FieldType::Number},
                 {s("DueDate"), FieldType::DateTime}};
    // Column names as a backend reports them: unqualified, in another case,
    // flags as numbers and dates as text.
    const ReportPtr r =
        loaded(d,
               ReportTable{{s("thickness"), s("TEST"), s("Thickness"), s("duedate")},
                           {{QVariant(2.0), QVariant(1), QVariant(1.5), QVariant(s("2026-03-04 00:00:00"))}}});
    EXPECT_EQ(r->data().value(0, s("Component.Thickness")).toDouble(), 2.0);
    EXPECT_EQ(r->data().value(0, s("StyleOperation.Thickness")).toDouble(), 1.5);
    EXPECT_EQ(r->data().value(0, s("Test")).typeId(), QMetaType::Bool);
    EXPECT_EQ(r->data().value(0, s("DueDate")).toDateTime().date(), QDate(2026, 3, 4));
    EXPECT_EQ(r->data().outputColumns(),
              (QStringList{s("Component.Thickness"), s("Test"), s("StyleOperation.Thickness"), s("DueDate")}));
}

// A report of an order with a subreport of its glue stations in the footer.
std::shared_ptr<ReportDefinition> withSubreport()
{
    auto d = ordersDefinition();
    auto sub = std::make_shared<ReportDefinition>();
    sub->name = s("Subreport1");
    sub->fields = {{s("Station")}, {s("Rate"), FieldType::Number}};
    Band heading;
    heading.kind = BandKind::PageHeader;
    heading.height = 14;
    heading.elements.push_back(label(s("STATIONS"), 0, 0, 100));
    sub->bands.push_back(heading);
    Band row;
    row.kind = BandKind::Detail;
    row.height = 12;
    row.elements.push_back(field(s("Station"), 0, 0, 100));
    row.elements.push_back(field(s("Rate"), 100, 0, 60, Format::Money));
    sub->bands.push_back(row);
    Band footer;
    footer.kind = BandKind::ReportFooter;
    footer.height = 12;
    footer.elements.push_back(total(s("Rate"), TotalKind::Sum, 100, 0, 60, Format::Money));
    sub->bands.push_back(footer);
    d->subreports.push_back(sub);
    Band holder;
    holder.kind = BandKind::ReportFooter;
    holder.height = 4;
    holder.subreport = s("Subreport1");
    d->bands.push_back(holder);
    return d;
}

TEST(ReportLayout, SubreportsLayOutTheirOwnData)
{
    auto r = std::make_shared<Report>(withSubreport());
    SetReportData(r, ordersTable({{"Acme", "Seat", 2}}));
    SetSubreportData(r, s("Subreport1"),
                     ReportTable{{s("Station"), s("Rate")}, {{s("Glue 1"), 12.5}, {s("Glue 2"), 1000}}});
    LoadReportData(r);
    QStringList subTexts;
    const LaidReport laid = r->layout();
    for (const LaidBand &b : laid.pages[0].bands)
        if (b.subreport == s("Subreport1"))
            for (const LaidItem &i : b.items)
                subTexts << i.text;
    EXPECT_EQ(subTexts,
              (QStringList{s("STATIONS"), s("Glue 1"), s("$12.50"), s("Glue 2"), s("$1,000.00"), s("$1,012.50")}));

    // Its data are bound like the main data: a missing column fails the load,
    // and an unknown subreport is named.
    SetSubreportData(r, s("Subreport1"), ReportTable{{s("Station")}, {{s("Glue 1")}}});
    EXPECT_THROW(LoadReportData(r), ReportError);
    EXPECT_THROW(SetSubreportData(r, s("Subreport7"), ReportTable{}), ReportError);
}

TEST(ReportLayout, LongListingsPaginateWithRepeatedHeadersAndPageNumbers)
{
    std::vector<std::tuple<const char *, const char *, double>> rows;
    static std::vector<QByteArray> names;
    names.clear();
    for (int i = 0; i < 2000; ++i)
        names.push_back(QByteArray::number(i));
    for (int i = 0; i < 2000; ++i)
        rows.emplace_back(i < 1000 ? "Acme" : "Birch", names[size_t(i)].constData(), 1);
    const ReportPtr r = loaded(ordersDefinition(), ordersTable(rows));
    const LaidReport laid = r->layout();
    const int pages = laid.pageCount();
    ASSERT_GT(pages, 30);
    const qreal bottom = laid.pageSize.height() - 36;
    int next = 0;
    for (int p = 0; p < pages; ++p) {
        const LaidPage &page = laid.pages[size_t(p)];
        ASSERT_FALSE(page.bands.empty());
        EXPECT_EQ(page.bands.front().kind, BandKind::PageHeader) << "page " << p + 1;
        EXPECT_EQ(page.bands.back().kind, BandKind::PageFooter) << "page " << p + 1;
        EXPECT_TRUE(page.texts().contains(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)));
        const LaidBand &footer = page.bands.back();
        qreal lastBottom = 0;
        for (const LaidBand &b : page.bands) {
            if (b.kind == BandKind::Detail) {
                EXPECT_EQ(b.row, next) << "rows out of order or repeated on page " << p + 1;
                ++next;
            }
            if (b.kind != BandKind::PageFooter) {
                // No band runs into the page footer: rows never split.
                EXPECT_LE(b.top + b.height, footer.top + 0.01);
                lastBottom = b.top + b.height;
            }
        }
        EXPECT_LE(footer.top + footer.height, bottom + 0.01);
        // A page ends only when the next row would not fit.
        if (p + 1 < pages) {
            EXPECT_GT(lastBottom + 13, footer.top - 0.01) << "page " << p + 1 << " ends early";
        }
    }
    EXPECT_EQ(next, 2000);
    // A group heading never sits alone at the foot of a page.
    for (const LaidPage &page : laid.pages)
        for (size_t i = 0; i < page.bands.size(); ++i)
            if (page.bands[i].kind == BandKind::GroupHeader) {
                EXPECT_EQ(page.bands.at(i + 1).kind, BandKind::Detail);
            }
}

TEST(ReportLayout, GrowingRowsStayWholeOnOnePage)
{
    auto d = ordersDefinition(13);
    for (Band &b : d->bands)
        if (b.kind == BandKind::Detail)
            b.elements[0].canGrow = true;
    std::vector<std::tuple<const char *, const char *, double>> rows;
    const QByteArray longText = QByteArray("cut along the grain and keep the offcuts for the fiber table ").repeated(3);
    for (int i = 0; i < 120; ++i)
        rows.emplace_back("Acme", longText.constData(), 1);
    const LaidReport laid = loaded(d, ordersTable(rows))->layout();
    ASSERT_GT(laid.pageCount(), 1);
    for (const LaidPage &page : laid.pages) {
        const qreal footerTop = page.bands.back().top;
        for (const LaidBand &b : page.bands)
            if (b.kind == BandKind::Detail) {
                EXPECT_GT(b.height, 30) << "a wrapped row did not grow";
                EXPECT_LE(b.top + b.height, footerTop + 0.01);
            }
    }
}

TEST(ReportLayout, EmptyDataGiveHeadingsAndNoRows)
{
    const ReportPtr r = loaded(ordersDefinition(), ordersTable({}));
    SetReportText(r, s("txtTitle"), s("Nothing to do"));
    const LaidReport laid = r->layout();
    ASSERT_EQ(laid.pageCount(), 1);
    const QStringList texts = laid.pages[0].texts();
    EXPECT_TRUE(texts.contains(s("ORDERS")));
    EXPECT_TRUE(texts.contains(s("Nothing to do")));
    EXPECT_TRUE(texts.contains(s("Page 1 of 1")));
    EXPECT_TRUE(laid.pages[0].bandsOf(BandKind::Detail).empty());
    EXPECT_TRUE(laid.pages[0].bandsOf(BandKind::GroupHeader).empty());
    EXPECT_EQ(bandTexts(laid, BandKind::ReportFooter), (QStringList{s("NOTES"), s("Grand total|0|MARKER")}));
}

TEST(ReportLayout, FormatsWriteValuesForTheOffice)
{
    struct Case {
        QVariant value;
        Format format;
        const char *expected;
    };
    const Case cases[] = {
        {1234.5, Format::Money, "$1,234.50"},
        {-12.345, Format::Money, "($12.35)"},
        {-0.001, Format::Money, "$0.00"},
        {24.5, Format::Dimension, "24.5"},
        {0.125, Format::Dimension, "0.125"},
        {80.0, Format::Dimension, "80"},
        {QVariant(true), Format::YesNo, "Yes"},
        {QVariant(0), Format::YesNo, "No"},
        {QVariant(s("0")), Format::YesNo, "No"},
        {12345.0, Format::Integer, "12,345"},
        {QVariant(), Format::Money, ""},
        {QDateTime(QDate(2026, 1, 5), QTime(0, 0)), Format::Date, "1/5/2026"},
        {QDateTime(QDate(2026, 1, 5), QTime(14, 30)), Format::DateTime, "1/5/2026 2:30 PM"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatValue(c.value, c.format).toStdString(), std::string(c.expected));
}

} // namespace

namespace {

// Every fixed caption of every report fits the room it is given, and no band
// runs past the page: a heading wider than its column would run into the next
// one or be cut.
void expectCaptionsFit(const ReportDefinition &d, const QString &where)
{
    const qreal page = d.contentWidth();
    for (const Band &band : d.bands)
        for (const Element &e : band.elements) {
            EXPECT_LE(e.x + e.width, page + 0.5)
                << where.toStdString() << ": " << e.text.toStdString() << e.name.toStdString() << " runs past the page";
            if (e.kind != ElementKind::Label || e.text.contains(QLatin1Char('\n')) || e.canGrow)
                continue;
            EXPECT_LE(textWidth(e.text, e.font), e.width + 0.5) << where.toStdString() << ": \"" << e.text.toStdString()
                                                                << "\" is wider than its " << e.width << " points";
        }
    // Captions side by side on a line leave room between them (printers draw
    // text a shade wider than it measures).
    const auto textSpan = [](const Element &e) {
        const qreal width = textWidth(e.text, e.font);
        const qreal left = e.align & Qt::AlignRight ? e.x + e.width - width
            : e.align & Qt::AlignHCenter            ? e.x + (e.width - width) / 2
                                                    : e.x;
        return std::pair{left, left + width};
    };
    for (const Band &band : d.bands)
        for (const Element &a : band.elements)
            for (const Element &b : band.elements) {
                if (a.kind != ElementKind::Label || b.kind != ElementKind::Label || a.text.contains(QLatin1Char('\n'))
                    || a.y >= b.y + b.height || b.y >= a.y + a.height || textSpan(b).first <= textSpan(a).first)
                    continue;
                EXPECT_LE(textSpan(a).second + 3, textSpan(b).first)
                    << where.toStdString() << ": \"" << a.text.toStdString() << "\" runs into \""
                    << b.text.toStdString() << "\"";
            }
    for (const auto &sub : d.subreports)
        expectCaptionsFit(*sub, where + QStringLiteral(" / ") + sub->name);
}

} // namespace

TEST(ReportLayout, EveryCaptionFitsItsColumn)
{
    for (const QString &name : definitionNames())
        expectCaptionsFit(*findDefinition(name), name);
}
