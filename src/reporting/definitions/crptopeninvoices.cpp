// Invoices with a balance, by customer: what was billed, what has been paid
// and what is still owed, with totals per customer and for the whole list.
// Invoices paid in full (within half a cent) are left out.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

namespace reporting::definitions {

DefinitionPtr crptOpenInvoices()
{
    auto f = [](const char *n, FieldType t = FieldType::Text) { return FieldSpec{QString::fromLatin1(n), t}; };
    DefinitionPtr d = headedDefinition(
        QStringLiteral("crptOpenInvoices"), QStringLiteral("Open Invoices"), Orientation::Portrait,
        {f("Customer"), f("ID", FieldType::Integer), f("InvoiceDate", FieldType::Date), f("DueDate", FieldType::Date),
         f("MemoField"), f("Total", FieldType::Number), f("Paid", FieldType::Number)});
    const qreal w = d->contentWidth();
    const QString customer = QStringLiteral("Customer");
    const std::vector<Column> columns = invoiceColumns(w, QStringLiteral("Total"));
    const qreal amounts = w - 3 * 72;
    d->bands.push_back(columnHeadingBand(columns));
    d->groups.push_back({customer, {}, false});

    const auto openInGroup = [customer](const RowView &r) { return anyOpenInGroup(r, customer); };
    Band heading;
    heading.kind = BandKind::GroupHeader;
    heading.group = 0;
    heading.height = 22;
    heading.visibleIf = openInGroup;
    heading.elements.push_back(field(customer, 0, 6, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {10, true}));
    heading.elements.back().height = 14;
    d->bands.push_back(heading);

    Band detail = detailBand(columns);
    detail.visibleIf = isOpen;
    d->bands.push_back(detail);

    // The three amounts of the open invoices among the rows summed.
    const auto sums = [&](qreal y, FontSpec font) {
        std::vector<Element> out;
        const Formula parts[] = {
            [](const RowView &r) { return QVariant(isOpen(r) ? r.number(QStringLiteral("Total")) : 0.0); },
            [](const RowView &r) { return QVariant(isOpen(r) ? r.number(QStringLiteral("Paid")) : 0.0); },
            [](const RowView &r) { return QVariant(isOpen(r) ? openBalance(r) : 0.0); },
        };
        const char *names[] = {"SumTotal", "SumPaid", "SumBalance"};
        for (int i = 0; i < 3; ++i)
            out.push_back(formulaTotal(QString::fromLatin1(names[i]), parts[i], amounts + i * 72 + 3, y, 66,
                                       Format::Money, Qt::AlignRight | Qt::AlignVCenter, font));
        return out;
    };

    Band footer;
    footer.kind = BandKind::GroupFooter;
    footer.group = 0;
    footer.height = 24;
    footer.visibleIf = openInGroup;
    footer.elements.push_back(line(amounts, 2, w - amounts, 0.4));
    footer.elements.push_back(formula(
        QStringLiteral("CustomerTotalCaption"),
        [](const RowView &r) { return QVariant(QStringLiteral("Total for ") + r.text(QStringLiteral("Customer"))); },
        14, 5, amounts - 20, Format::Text, Qt::AlignRight | Qt::AlignVCenter, {8, true}));
    for (Element &e : sums(5, {8, true}))
        footer.elements.push_back(std::move(e));
    d->bands.push_back(footer);

    Band end;
    end.kind = BandKind::ReportFooter;
    end.height = 40;
    end.elements.push_back(line(0, 6, w, 1));
    end.elements.push_back(label(QStringLiteral("Open invoices:"), 0, 10, 72, 12, {8, true}));
    end.elements.push_back(formulaTotal(QStringLiteral("OpenCount"),
                                        [](const RowView &r) { return QVariant(isOpen(r) ? 1.0 : 0.0); }, 74, 10, 60,
                                        Format::Integer, Qt::AlignLeft | Qt::AlignVCenter, {8, true}));
    end.elements.push_back(
        label(QStringLiteral("All customers"), 14, 10, amounts - 20, 12, {8, true}, Qt::AlignRight | Qt::AlignVCenter));
    for (Element &e : sums(10, {8, true}))
        end.elements.push_back(std::move(e));
    d->bands.push_back(end);
    return d;
}

} // namespace reporting::definitions
