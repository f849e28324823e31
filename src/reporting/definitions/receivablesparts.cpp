// What the receivables layouts share: an invoice's open balance, which
// invoices count as open, and the rows of a customer's group.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

#include <cmath>

namespace reporting::definitions {

double openBalance(const RowView &row)
{
    return row.number(QStringLiteral("Total")) - row.number(QStringLiteral("Paid"));
}

bool isOpen(const RowView &row)
{
    // Anything under half a cent either way is paid.
    return row.index() >= 0 && std::abs(openBalance(row)) >= 0.005;
}

std::vector<Column> invoiceColumns(qreal width, const QString &amountHeading)
{
    return {
        {QStringLiteral("Invoice"), QStringLiteral("ID"), 50, Format::Integer, Qt::AlignLeft},
        {QStringLiteral("Invoice Date"), QStringLiteral("InvoiceDate"), 62, Format::Date},
        {QStringLiteral("Due Date"), QStringLiteral("DueDate"), 62, Format::Date},
        {QStringLiteral("Memo"),
         QStringLiteral("MemoField"),
         width - 50 - 62 - 62 - 3 * 72,
         Format::Text,
         Qt::AlignLeft,
         {},
         true},
        {amountHeading, QStringLiteral("Total"), 72, Format::Money, Qt::AlignRight},
        {QStringLiteral("Paid"), QStringLiteral("Paid"), 72, Format::Money, Qt::AlignRight},
        {QStringLiteral("Balance"),
         {},
         72,
         Format::Money,
         Qt::AlignRight,
         [](const RowView &r) { return QVariant(openBalance(r)); }},
    };
}

std::pair<int, int> groupRows(const RowView &row, const QString &field)
{
    if (row.index() < 0)
        return {0, -1};
    const QVariant key = row.value(field);
    int first = row.index(), last = row.index();
    while (first > 0 && row.at(first - 1).value(field) == key)
        --first;
    while (last + 1 < row.rowCount() && row.at(last + 1).value(field) == key)
        ++last;
    return {first, last};
}

bool anyOpenInGroup(const RowView &row, const QString &field)
{
    const auto [first, last] = groupRows(row, field);
    for (int r = first; r <= last; ++r)
        if (isOpen(row.at(r)))
            return true;
    return false;
}

QString percentText(double part, double whole)
{
    if (std::abs(whole) < 0.005)
        return {};
    return QString::number(part / whole * 100.0, 'f', 1) + QLatin1Char('%');
}

} // namespace reporting::definitions
