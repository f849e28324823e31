// The invoice as the customer receives it: invoice number and dates, the
// bill-to address and memo, each order with its lines and order total, and
// the subtotal, freight, misc and total due at the foot.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

#include <cmath>

namespace reporting::definitions {

DefinitionPtr crptInvoice()
{
    auto f = [](const char *n, FieldType t = FieldType::Text) { return FieldSpec{QString::fromLatin1(n), t}; };
    DefinitionPtr d = headedDefinition(QStringLiteral("crptInvoice"), QStringLiteral("Invoice"), Orientation::Portrait,
                                       {f("ID", FieldType::Integer),
                                        f("Customer"),
                                        f("InvoiceDate", FieldType::Date),
                                        f("DueDate", FieldType::Date),
                                        f("Subtotal", FieldType::Number),
                                        f("Freight", FieldType::Number),
                                        f("Misc", FieldType::Number),
                                        f("Total", FieldType::Number),
                                        f("MemoField"),
                                        f("Address1"),
                                        f("Address2"),
                                        f("City"),
                                        f("State"),
                                        f("Zip"),
                                        f("OrderNumber"),
                                        f("ItemNumber", FieldType::Integer),
                                        f("Line"),
                                        f("Qty", FieldType::Number),
                                        f("Name"),
                                        f("Type"),
                                        f("PriceEach", FieldType::Number),
                                        f("PriceExt", FieldType::Number)});
    const qreal w = d->contentWidth();
    const FontSpec bold{9, true};

    // Number, dates and bill-to address: on the first page.
    Band top;
    top.kind = BandKind::ReportHeader;
    top.height = 92;
    top.elements.push_back(label(QStringLiteral("Bill To:"), 0, 8, 60, 12, bold));
    top.elements.push_back(
        field(QStringLiteral("Customer"), 60, 8, 260, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {10, true}));
    top.elements.back().height = 14;
    Element address =
        formula(QStringLiteral("BillToAddress"),
                [](const RowView &r) {
                    return QVariant(joined(
                        {r.text(QStringLiteral("Address1")), r.text(QStringLiteral("Address2")),
                         cityStateZip(r, QStringLiteral("City"), QStringLiteral("State"), QStringLiteral("Zip"))}));
                },
                60, 23, 260, Format::Text, Qt::AlignLeft | Qt::AlignTop, {9});
    address.height = 36;
    address.canGrow = true;
    top.elements.push_back(address);
    const qreal rx = w - 200;
    const std::pair<const char *, const char *> facts[] = {{"Invoice Number:", "ID"},
                                                           {"Invoice Date:", "InvoiceDate"},
                                                           {"Due Date:", "DueDate"}};
    qreal y = 8;
    for (const auto &[caption, name] : facts) {
        top.elements.push_back(
            label(QString::fromLatin1(caption), rx, y, 100, 12, bold, Qt::AlignRight | Qt::AlignVCenter));
        top.elements.push_back(
            field(QString::fromLatin1(name), rx + 106, y, 94, Format::Auto, Qt::AlignLeft | Qt::AlignVCenter, bold));
        y += 14;
    }
    Element memo = field(QStringLiteral("MemoField"), 60, 66, w - 60, Format::Text, Qt::AlignLeft | Qt::AlignTop,
                         {9, false, true});
    memo.canGrow = true;
    top.elements.push_back(label(QStringLiteral("Memo:"), 0, 66, 60, 12, bold));
    top.elements.push_back(memo);
    d->bands.push_back(top);

    const std::vector<Column> columns = {
        {QStringLiteral("Item"), QStringLiteral("ItemNumber"), 36, Format::Integer, Qt::AlignRight},
        {QStringLiteral("Line"), QStringLiteral("Line"), 110, Format::Text, Qt::AlignLeft, {}, true},
        {QStringLiteral("Style"),
         {},
         w - 36 - 110 - 60 - 80 - 90,
         Format::Text,
         Qt::AlignLeft,
         [](const RowView &r) {
             return QVariant(r.isNull(QStringLiteral("Name"))
                                 ? QString()
                                 : r.text(QStringLiteral("Name")) + QLatin1Char('-') + r.text(QStringLiteral("Type")));
         },
         true},
        {QStringLiteral("Qty"), QStringLiteral("Qty"), 60, Format::Number, Qt::AlignRight},
        {QStringLiteral("Price Each"), QStringLiteral("PriceEach"), 80, Format::Money, Qt::AlignRight},
        {QStringLiteral("Amount"), QStringLiteral("PriceExt"), 90, Format::Money, Qt::AlignRight},
    };
    d->groups.push_back({QStringLiteral("OrderNumber"), {}, false});
    Band order;
    order.kind = BandKind::GroupHeader;
    order.group = 0;
    order.height = 40;
    order.elements.push_back(formula(
        QStringLiteral("OrderCaption"),
        [](const RowView &r) { return QVariant(QStringLiteral("Order ") + r.text(QStringLiteral("OrderNumber"))); }, 0,
        6, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {10, true}));
    order.elements.back().height = 14;
    for (Element e : columnHeadingBand(columns).elements) {
        e.y += 22;
        order.elements.push_back(e);
    }
    d->bands.push_back(order);

    Band detail = detailBand(columns);
    detail.visibleIf = [](const RowView &r) { return !r.isNull(QStringLiteral("ItemNumber")); };
    d->bands.push_back(detail);
    Band noLines;
    noLines.kind = BandKind::Detail;
    noLines.height = 14;
    noLines.visibleIf = [](const RowView &r) { return r.isNull(QStringLiteral("ItemNumber")); };
    noLines.elements.push_back(label(QStringLiteral("This order has no lines."), 39, 1, 300, 12, {8, false, true}));
    d->bands.push_back(noLines);

    const qreal amount = w - 90;
    Band orderEnd;
    orderEnd.kind = BandKind::GroupFooter;
    orderEnd.group = 0;
    orderEnd.height = 22;
    orderEnd.elements.push_back(line(amount, 2, 90, 0.4));
    orderEnd.elements.push_back(
        label(QStringLiteral("Order Total"), amount - 160, 5, 154, 12, {8, true}, Qt::AlignRight | Qt::AlignVCenter));
    orderEnd.elements.push_back(total(QStringLiteral("PriceExt"), TotalKind::Sum, amount + 3, 5, 84, Format::Money,
                                      Qt::AlignRight | Qt::AlignVCenter, {8, true}));
    d->bands.push_back(orderEnd);

    Band sums;
    sums.kind = BandKind::ReportFooter;
    sums.height = 84;
    sums.elements.push_back(line(amount - 160, 6, 250, 1));
    y = 12;
    // What has been paid on the invoice (txtPaid, set by the routine): with
    // payments, the total is followed by the amount paid and the balance due.
    const auto paid = [](const RowView &r) {
        bool ok = false;
        const double amount = r.textObject(QStringLiteral("txtPaid")).toDouble(&ok);
        return ok ? amount : 0.0;
    };
    const auto withPayments = [paid](const RowView &r) { return std::abs(paid(r)) >= 0.005; };
    const auto sumLine = [&](Element caption, Element value, bool rule) {
        if (rule) {
            sums.elements.push_back(line(amount, y + 1, 90, 0.4));
            y += 4;
        }
        caption.x = amount - 160;
        caption.y = value.y = y;
        caption.width = 154;
        value.x = amount + 3;
        value.width = 84;
        caption.height = value.height = 14;
        caption.align = value.align = Qt::AlignRight | Qt::AlignVCenter;
        sums.elements.push_back(caption);
        sums.elements.push_back(value);
        y += 15;
    };
    const FontSpec plain{9.0, true}, big{10.0, true};
    for (const char *name : {"Subtotal", "Freight", "Misc"})
        sumLine(label(QString::fromLatin1(name), 0, 0, 0, 14, plain),
                field(QString::fromLatin1(name), 0, 0, 0, Format::Money, {}, plain), false);
    sumLine(formula(
                QStringLiteral("TotalCaption"),
                [withPayments](const RowView &r) {
                    return QVariant(withPayments(r) ? QStringLiteral("Total") : QStringLiteral("Total Due"));
                },
                0, 0, 0, Format::Text, {}, big),
            field(QStringLiteral("Total"), 0, 0, 0, Format::Money, {}, big), true);
    sumLine(
        formula(
            QStringLiteral("PaidCaption"),
            [withPayments](const RowView &r) { return QVariant(withPayments(r) ? QStringLiteral("Paid") : QString()); },
            0, 0, 0, Format::Text, {}, plain),
        formula(
            QStringLiteral("PaidAmount"),
            [withPayments, paid](const RowView &r) { return withPayments(r) ? QVariant(paid(r)) : QVariant(); }, 0, 0,
            0, Format::Money, {}, plain),
        false);
    sumLine(formula(
                QStringLiteral("BalanceCaption"),
                [withPayments](const RowView &r) {
                    return QVariant(withPayments(r) ? QStringLiteral("Balance Due") : QString());
                },
                0, 0, 0, Format::Text, {}, big),
            formula(
                QStringLiteral("BalanceDue"),
                [withPayments, paid](const RowView &r) {
                    return withPayments(r) ? QVariant(r.number(QStringLiteral("Total")) - paid(r)) : QVariant();
                },
                0, 0, 0, Format::Money, {}, big),
            false);
    sums.elements.push_back(textObject(QStringLiteral("txtPaid"), 0, 0, 0, 0));
    sums.height = y + 6;
    d->bands.push_back(sums);

    Band missing;
    missing.kind = BandKind::ReportFooter;
    missing.height = 24;
    missing.elements.push_back(formula(QStringLiteral("NoSuchInvoice"),
                                       [](const RowView &r) {
                                           return QVariant(r.index() < 0 ? QStringLiteral("There is no such invoice.")
                                                                         : QString());
                                       },
                                       0, 8, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {9, false, true}));
    d->bands.push_back(missing);
    return d;
}

} // namespace reporting::definitions
