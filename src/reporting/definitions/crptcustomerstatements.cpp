// One statement per customer and page: the bill-to address, the invoices
// still open with what remains on each, the balance due, and how much of it
// is current or 1-30, 31-60, 61-90 and over 90 days past its due date on the
// statement date (txtStatementDate). Customers who owe nothing get no page.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

#include <QDate>
#include <limits>

namespace reporting::definitions {

namespace {

// Days the invoice is past due on the statement date (0 or less: not yet due).
qint64 daysPastDue(const RowView &r)
{
    QDate asOf = QDate::fromString(r.textObject(QStringLiteral("txtStatementDate")), QStringLiteral("M/d/yyyy"));
    if (!asOf.isValid())
        asOf = QDate::currentDate();
    const QDate due = r.value(QStringLiteral("DueDate")).toDateTime().date();
    return due.isValid() ? due.daysTo(asOf) : 0;
}

struct Bucket {
    const char *caption;
    qint64 from, to; // days past due, both included
};

const Bucket kBuckets[] = {
    {"Current", std::numeric_limits<qint64>::min(), 0},
    {"1-30 Days", 1, 30},
    {"31-60 Days", 31, 60},
    {"61-90 Days", 61, 90},
    {"Over 90 Days", 91, std::numeric_limits<qint64>::max()},
};

} // namespace

DefinitionPtr crptCustomerStatements()
{
    auto f = [](const char *n, FieldType t = FieldType::Text) { return FieldSpec{QString::fromLatin1(n), t}; };
    DefinitionPtr d = headedDefinition(
        QStringLiteral("crptCustomerStatements"), QStringLiteral("Customer Statements"), Orientation::Portrait,
        {f("Customer"), f("Address1"), f("Address2"), f("City"), f("State"), f("Zip"), f("ID", FieldType::Integer),
         f("InvoiceDate", FieldType::Date), f("DueDate", FieldType::Date), f("MemoField"),
         f("Total", FieldType::Number), f("Paid", FieldType::Number)});
    // The page is the customer's: it reads "Statement".
    for (Element &e : d->bands.front().elements)
        if (e.kind == ElementKind::Label && e.text == d->caption)
            e.text = QStringLiteral("Statement");
    const qreal w = d->contentWidth();
    const QString customer = QStringLiteral("Customer");
    const auto openInGroup = [customer](const RowView &r) { return anyOpenInGroup(r, customer); };
    const auto balanceDue = [customer](const RowView &r) {
        const auto [first, last] = groupRows(r, customer);
        double sum = 0;
        for (int i = first; i <= last; ++i)
            if (isOpen(r.at(i)))
                sum += openBalance(r.at(i));
        return QVariant(sum);
    };
    d->groups.push_back({customer, {}, true, true}); // each statement numbers its own pages

    const std::vector<Column> columns = invoiceColumns(w, QStringLiteral("Amount"));

    Band heading;
    heading.kind = BandKind::GroupHeader;
    heading.group = 0;
    heading.height = 96;
    heading.visibleIf = openInGroup;
    heading.elements.push_back(label(QStringLiteral("Bill To:"), 0, 8, 60, 12, {8, true}));
    heading.elements.push_back(field(customer, 60, 8, 250, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {10, true}));
    heading.elements.back().height = 14;
    Element address =
        formula(QStringLiteral("BillToAddress"),
                [](const RowView &r) {
                    return QVariant(joined(
                        {r.text(QStringLiteral("Address1")), r.text(QStringLiteral("Address2")),
                         cityStateZip(r, QStringLiteral("City"), QStringLiteral("State"), QStringLiteral("Zip"))}));
                },
                60, 23, 250, Format::Text, Qt::AlignLeft | Qt::AlignTop, {9});
    address.height = 36;
    address.canGrow = true;
    heading.elements.push_back(address);
    const qreal rx = w - 220;
    heading.elements.push_back(
        label(QStringLiteral("Statement Date:"), rx, 8, 110, 12, {9, true}, Qt::AlignRight | Qt::AlignVCenter));
    heading.elements.push_back(textObject(QStringLiteral("txtStatementDate"), rx + 115, 8, 105, 12, {9}));
    heading.elements.push_back(
        label(QStringLiteral("Balance Due:"), rx, 22, 110, 12, {9, true}, Qt::AlignRight | Qt::AlignVCenter));
    heading.elements.push_back(formula(QStringLiteral("BalanceDue"), balanceDue, rx + 115, 22, 105, Format::Money,
                                       Qt::AlignLeft | Qt::AlignVCenter, {9, true}));
    Band headings = columnHeadingBand(columns, 0, BandKind::GroupHeader);
    for (Element &e : headings.elements) {
        e.y += 76;
        heading.elements.push_back(e);
    }
    d->bands.push_back(heading);

    Band detail = detailBand(columns);
    detail.visibleIf = isOpen;
    d->bands.push_back(detail);

    Band footer;
    footer.kind = BandKind::GroupFooter;
    footer.group = 0;
    footer.height = 74;
    footer.visibleIf = openInGroup;
    const qreal amounts = w - 72;
    footer.elements.push_back(line(amounts, 2, 72, 0.4));
    footer.elements.push_back(
        label(QStringLiteral("Balance Due"), 0, 5, amounts - 6, 12, {9, true}, Qt::AlignRight | Qt::AlignVCenter));
    footer.elements.push_back(formula(QStringLiteral("BalanceDueTotal"), balanceDue, amounts + 3, 5, 66, Format::Money,
                                      Qt::AlignRight | Qt::AlignVCenter, {9, true}));
    // The aging line: one boxed column per age.
    const qreal cell = w / 5;
    footer.elements.push_back(box(0, 28, w, 34, 0.5));
    int i = 0;
    for (const Bucket &b : kBuckets) {
        const qreal x = i * cell;
        if (i > 0) {
            Element divider = line(x, 28, 0, 0.5);
            divider.height = 34;
            footer.elements.push_back(divider);
        }
        footer.elements.push_back(
            label(QString::fromLatin1(b.caption), x, 30, cell, 12, {8, true}, Qt::AlignHCenter | Qt::AlignVCenter));
        const qint64 from = b.from, to = b.to;
        footer.elements.push_back(formulaTotal(QStringLiteral("Aged%1").arg(i),
                                               [from, to](const RowView &r) {
                                                   if (!isOpen(r))
                                                       return QVariant(0.0);
                                                   const qint64 days = daysPastDue(r);
                                                   return QVariant(days >= from && days <= to ? openBalance(r) : 0.0);
                                               },
                                               x, 46, cell, Format::Money, Qt::AlignHCenter | Qt::AlignVCenter, {9}));
        ++i;
    }
    d->bands.push_back(footer);

    Band end;
    end.kind = BandKind::ReportFooter;
    end.height = 24;
    end.elements.push_back(formula(QStringLiteral("NothingOwed"),
                                   [](const RowView &r) {
                                       for (int i = 0; i < r.rowCount(); ++i)
                                           if (isOpen(r.at(i)))
                                               return QVariant(QString());
                                       return QVariant(QStringLiteral("No customer has an open balance."));
                                   },
                                   0, 8, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {9, false, true}));
    d->bands.push_back(end);
    return d;
}

} // namespace reporting::definitions
