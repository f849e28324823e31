// Styles by customer: each style with its component lines (size and
// quantity), and under each line the operations that cut it, with their
// instructions and sizes.
#include "reporting/definitions/definitions.h"
#include "reporting/report.h"
#include "reporting/reportlayout.h"

#include <algorithm>
#include <cmath>

namespace reporting::definitions {

DefinitionPtr crptStyleListing()
{
    auto f = [](const char *n, FieldType t = FieldType::Text) { return FieldSpec{QString::fromLatin1(n), t}; };
    DefinitionPtr d = headedDefinition(
        QStringLiteral("crptStyleListing"), QStringLiteral("Style Listing"), Orientation::Portrait,
        {f("Customer"), f("StyleID", FieldType::Integer), f("Name"), f("Type"), f("Status"),
         f("ComponentID", FieldType::Integer), f("Component"), f("Description"),
         f("Component.Thickness", FieldType::Number), f("Component.Width", FieldType::Number),
         f("Component.Length", FieldType::Number), f("Qty", FieldType::Number), f("OperationID", FieldType::Integer),
         f("Operation"), f("Instructions"), f("StyleOperation.Thickness", FieldType::Number),
         f("StyleOperation.Width", FieldType::Number), f("StyleOperation.Length", FieldType::Number)});
    const qreal w = d->contentWidth();
    // Columns shared by component lines and their operations.
    const FontSpec headingFont{7.5, true, true};
    // The first column holds its heading; the description gives way to it.
    const qreal c1 = 14,
                c2 = std::max<qreal>(
                    100, c1 + std::ceil(textWidth(QStringLiteral("Component / Operation"), headingFont)) + 6),
                c3 = 350, c4 = 470;

    d->groups.push_back({QStringLiteral("Customer"), {}, false});
    d->groups.push_back({QStringLiteral("StyleID"), {}, false});
    d->groups.push_back({QStringLiteral("ComponentID"), {}, false});

    Band customer;
    customer.kind = BandKind::GroupHeader;
    customer.group = 0;
    customer.height = 26;
    customer.elements.push_back(
        field(QStringLiteral("Customer"), 0, 6, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {12, true}));
    customer.elements.back().height = 16;
    customer.elements.push_back(line(0, 23, w, 0.8));
    d->bands.push_back(customer);

    Band style;
    style.kind = BandKind::GroupHeader;
    style.group = 1;
    style.height = 32;
    style.elements.push_back(formula(QStringLiteral("StyleText"),
                                     [](const RowView &r) {
                                         return QVariant(r.text(QStringLiteral("Name")) + QLatin1Char('-')
                                                         + r.text(QStringLiteral("Type")));
                                     },
                                     0, 5, 340, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {9.5, true}));
    style.elements.push_back(formula(
        QStringLiteral("StyleStatus"),
        [](const RowView &r) { return QVariant(QStringLiteral("Status: ") + r.text(QStringLiteral("Status"))); }, c3, 5,
        w - c3, Format::Text, Qt::AlignRight | Qt::AlignVCenter, {8}));
    style.elements.push_back(label(QStringLiteral("Component / Operation"), c1, 19, c2 - c1, 11, headingFont));
    style.elements.push_back(label(QStringLiteral("Description / Instructions"), c2, 19, c3 - c2, 11, headingFont));
    style.elements.push_back(label(QStringLiteral("Size (T x W x L)"), c3, 19, c4 - c3, 11, headingFont));
    style.elements.push_back(
        label(QStringLiteral("Qty"), c4, 19, w - c4, 11, headingFont, Qt::AlignRight | Qt::AlignVCenter));
    style.elements.push_back(line(c1, 30, w - c1, 0.3));
    d->bands.push_back(style);

    Band component;
    component.kind = BandKind::GroupHeader;
    component.group = 2;
    component.height = 14;
    component.visibleIf = [](const RowView &r) { return !r.isNull(QStringLiteral("ComponentID")); };
    component.elements.push_back(
        field(QStringLiteral("Component"), c1, 1, c2 - c1 - 4, Format::Text, Qt::AlignLeft | Qt::AlignTop, {8, true}));
    Element description =
        field(QStringLiteral("Description"), c2, 1, c3 - c2 - 4, Format::Text, Qt::AlignLeft | Qt::AlignTop);
    description.canGrow = true;
    component.elements.push_back(description);
    component.elements.push_back(formula(
        QStringLiteral("ComponentSize"),
        [](const RowView &r) {
            return sizeText(r, QStringLiteral("Component.Thickness"), QStringLiteral("Component.Width"),
                            QStringLiteral("Component.Length"));
        },
        c3, 1, c4 - c3 - 4, Format::Text, Qt::AlignLeft | Qt::AlignTop));
    component.elements.push_back(
        field(QStringLiteral("Qty"), c4, 1, w - c4, Format::Number, Qt::AlignRight | Qt::AlignTop));
    d->bands.push_back(component);

    Band operation;
    operation.kind = BandKind::Detail;
    operation.height = 12;
    operation.visibleIf = [](const RowView &r) { return !r.isNull(QStringLiteral("Operation")); };
    const FontSpec opFont{7.5};
    operation.elements.push_back(field(QStringLiteral("Operation"), c1 + 12, 0, c2 - c1 - 16, Format::Text,
                                       Qt::AlignLeft | Qt::AlignTop, opFont));
    Element instructions = field(QStringLiteral("Instructions"), c2 + 12, 0, c3 - c2 - 16, Format::Text,
                                 Qt::AlignLeft | Qt::AlignTop, {7.5, false, true});
    instructions.canGrow = true;
    operation.elements.push_back(instructions);
    operation.elements.push_back(formula(
        QStringLiteral("OperationSize"),
        [](const RowView &r) {
            return sizeText(r, QStringLiteral("StyleOperation.Thickness"), QStringLiteral("StyleOperation.Width"),
                            QStringLiteral("StyleOperation.Length"));
        },
        c3 + 12, 0, c4 - c3 - 16, Format::Text, Qt::AlignLeft | Qt::AlignTop, opFont));
    d->bands.push_back(operation);

    Band styleEnd;
    styleEnd.kind = BandKind::GroupFooter;
    styleEnd.group = 1;
    styleEnd.height = 8;
    d->bands.push_back(styleEnd);

    Band end;
    end.kind = BandKind::ReportFooter;
    end.height = 24;
    end.elements.push_back(formula(QStringLiteral("NothingListed"),
                                   [](const RowView &r) {
                                       return QVariant(r.index() < 0 ? QStringLiteral("No styles match the selection.")
                                                                     : QString());
                                   },
                                   0, 8, w, Format::Text, Qt::AlignLeft | Qt::AlignVCenter, {9, false, true}));
    d->bands.push_back(end);
    return d;
}

} // namespace reporting::definitions
