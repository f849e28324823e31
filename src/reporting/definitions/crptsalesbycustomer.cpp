// Sales by customer for a range of order dates: what each customer bought,
// what it costs at the styles' present cost, and the gross margin in dollars
// and per cent of sales. Two variants share the definition: by customer and
// style (the customer variant's Section6 and Section9 hidden), or one line
// per customer (Section1, Section3, Section10 and the lblStyle heading hidden).
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

namespace reporting::definitions {

namespace {

struct Amounts {
    double sales = 0, cost = 0;
};

// Sales and cost over the rows of the customer's group, or of the whole
// report.
Amounts sumOver(const RowView &r, bool wholeReport)
{
    Amounts a;
    if (r.index() < 0)
        return a;
    const auto [first, last] = wholeReport ? std::pair{0, r.rowCount() - 1} : groupRows(r, QStringLiteral("Customer"));
    for (int i = first; i <= last; ++i) {
        a.sales += r.at(i).number(QStringLiteral("Sales"));
        a.cost += r.at(i).number(QStringLiteral("Cost"));
    }
    return a;
}

// Sales, cost, margin and margin per cent placed from x on.
void amountColumns(Band &band, qreal x, qreal y, FontSpec font, const std::function<Amounts(const RowView &)> &amounts)
{
    const auto money = [amounts](double Amounts::*part) {
        return [amounts, part](const RowView &r) { return QVariant(amounts(r).*part); };
    };
    band.elements.push_back(formula(QStringLiteral("SalesAmount"), money(&Amounts::sales), x, y, 76, Format::Money,
                                    Qt::AlignRight | Qt::AlignVCenter, font));
    band.elements.push_back(formula(QStringLiteral("CostAmount"), money(&Amounts::cost), x + 80, y, 76, Format::Money,
                                    Qt::AlignRight | Qt::AlignVCenter, font));
    band.elements.push_back(formula(
        QStringLiteral("Margin"),
        [amounts](const RowView &r) {
            const Amounts a = amounts(r);
            return QVariant(a.sales - a.cost);
        },
        x + 160, y, 76, Format::Money, Qt::AlignRight | Qt::AlignVCenter, font));
    band.elements.push_back(formula(
        QStringLiteral("MarginPercent"),
        [amounts](const RowView &r) {
            const Amounts a = amounts(r);
            return QVariant(percentText(a.sales - a.cost, a.sales));
        },
        x + 240, y, 56, Format::Text, Qt::AlignRight | Qt::AlignVCenter, font));
}

} // namespace

DefinitionPtr crptSalesByCustomer()
{
    auto f = [](const char *n, FieldType t = FieldType::Text) { return FieldSpec{QString::fromLatin1(n), t}; };
    DefinitionPtr d = headedDefinition(QStringLiteral("crptSalesByCustomer"), QStringLiteral("Sales By Customer"),
                                       Orientation::Portrait,
                                       {f("Customer"), f("StyleID", FieldType::Integer), f("Name"), f("Type"),
                                        f("Sales", FieldType::Number), f("Cost", FieldType::Number)});
    // The title names the variant (txtTitle).
    for (Element &e : d->bands.front().elements)
        if (e.kind == ElementKind::Label && e.text == d->caption) {
            e.kind = ElementKind::Text;
            e.name = QStringLiteral("txtTitle");
        }
    const qreal w = d->contentWidth();
    const qreal x = w - 296; // the four amount columns
    const qreal styleX = 150;

    Band range;
    range.kind = BandKind::PageHeader;
    range.height = 18;
    range.elements.push_back(label(QStringLiteral("Orders dated"), 0, 2, 62, 12, {9}));
    range.elements.push_back(
        textObject(QStringLiteral("txtStartDate"), 62, 2, 58, 12, {9, true}, Qt::AlignHCenter | Qt::AlignVCenter));
    range.elements.push_back(
        label(QStringLiteral("through"), 120, 2, 40, 12, {9}, Qt::AlignHCenter | Qt::AlignVCenter));
    range.elements.push_back(
        textObject(QStringLiteral("txtEndDate"), 160, 2, 58, 12, {9, true}, Qt::AlignHCenter | Qt::AlignVCenter));
    d->bands.push_back(range);

    Band headings;
    headings.kind = BandKind::PageHeader;
    headings.name = QStringLiteral("Section2");
    headings.height = 18;
    const FontSpec headingFont{8, true};
    headings.elements.push_back(label(QStringLiteral("Customer"), 0, 2, 140, 12, headingFont));
    Element styleHeading = label(QStringLiteral("Style"), styleX, 2, 120, 12, headingFont);
    styleHeading.name = QStringLiteral("lblStyle");
    headings.elements.push_back(styleHeading);
    const char *captions[] = {"Sales", "Cost", "Gross Margin", "Margin %"};
    for (int i = 0; i < 4; ++i)
        headings.elements.push_back(label(QString::fromLatin1(captions[i]), x + 80 * i, 2, i == 3 ? 56 : 76, 12,
                                          headingFont, Qt::AlignRight | Qt::AlignVCenter));
    headings.elements.push_back(line(0, 15, w, 0.6));
    d->bands.push_back(headings);

    d->groups.push_back({QStringLiteral("Customer"), {}, false});

    Band customer;
    customer.kind = BandKind::GroupHeader;
    customer.group = 0;
    customer.name = QStringLiteral("Section1");
    customer.height = 20;
    customer.elements.push_back(
        field(QStringLiteral("Customer"), 0, 5, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {9.5, true}));
    customer.elements.back().height = 14;
    d->bands.push_back(customer);

    Band style;
    style.kind = BandKind::Detail;
    style.name = QStringLiteral("Section3");
    style.height = 13;
    style.visibleIf = [](const RowView &r) { return !r.isNull(QStringLiteral("StyleID")); };
    style.elements.push_back(formula(
        QStringLiteral("StyleText"),
        [](const RowView &r) {
            return QVariant(r.text(QStringLiteral("Name")) + QLatin1Char('-') + r.text(QStringLiteral("Type")));
        },
        styleX, 0, x - styleX - 6));
    amountColumns(style, x, 0, {8}, [](const RowView &r) {
        return Amounts{r.number(QStringLiteral("Sales")), r.number(QStringLiteral("Cost"))};
    });
    d->bands.push_back(style);

    const auto customerSums = [](const RowView &r) { return sumOver(r, false); };
    Band customerTotal;
    customerTotal.kind = BandKind::GroupFooter;
    customerTotal.group = 0;
    customerTotal.name = QStringLiteral("Section10");
    customerTotal.height = 24;
    customerTotal.elements.push_back(line(x, 2, w - x, 0.4));
    customerTotal.elements.push_back(formula(
        QStringLiteral("CustomerTotalCaption"),
        [](const RowView &r) { return QVariant(QStringLiteral("Total for ") + r.text(QStringLiteral("Customer"))); }, 0,
        5, x - 8, Format::Text, Qt::AlignRight | Qt::AlignVCenter, {8, true}));
    amountColumns(customerTotal, x, 5, {8, true}, customerSums);
    d->bands.push_back(customerTotal);

    Band customerLine;
    customerLine.kind = BandKind::GroupFooter;
    customerLine.group = 0;
    customerLine.name = QStringLiteral("Section9");
    customerLine.height = 14;
    customerLine.elements.push_back(field(QStringLiteral("Customer"), 0, 1, x - 6));
    amountColumns(customerLine, x, 1, {8}, customerSums);
    d->bands.push_back(customerLine);

    Band grand;
    grand.kind = BandKind::ReportFooter;
    grand.height = 26;
    grand.elements.push_back(line(0, 6, w, 1));
    grand.elements.push_back(formula(QStringLiteral("GrandTotalCaption"),
                                     [](const RowView &r) {
                                         return QVariant(r.index() < 0
                                                             ? QStringLiteral("No orders are dated in this range.")
                                                             : QStringLiteral("Grand Total"));
                                     },
                                     0, 10, x - 6, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {9, true}));
    amountColumns(grand, x, 10, {9, true}, [](const RowView &r) { return sumOver(r, true); });
    d->bands.push_back(grand);

    Band count;
    count.kind = BandKind::ReportFooter;
    count.name = QStringLiteral("Section6");
    count.height = 16;
    count.elements.push_back(
        formulaTotal(QStringLiteral("CustomerCount"),
                     [](const RowView &r) {
                         // One for the last row of each customer.
                         return QVariant(groupRows(r, QStringLiteral("Customer")).second == r.index() ? 1.0 : 0.0);
                     },
                     62, 2, 40, Format::Integer, Qt::AlignLeft | Qt::AlignVCenter, {8}));
    count.elements.insert(count.elements.begin(), label(QStringLiteral("Customers:"), 0, 2, 60, 12, {8}));
    d->bands.push_back(count);
    return d;
}

} // namespace reporting::definitions
