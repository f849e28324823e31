// The order report as one customer wants it: the customer's own paper, so no
// company heading, and the order number in large type where the heading was.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptOrder2()
{
    DefinitionPtr d = orderReport(QStringLiteral("crptOrder2"), false);
    for (Band &b : d->bands) {
        if (b.kind != BandKind::PageHeader || b.elements.empty()
            || b.elements.front().name != QLatin1String("txtTitle"))
            continue;
        Element number = field(QStringLiteral("OrderNumber"), 0, 0, d->contentWidth() * 0.35, Format::Text,
                               Qt::AlignLeft | Qt::AlignVCenter, {18, true});
        number.height = 24;
        b.elements.push_back(number);
    }
    return d;
}

} // namespace reporting::definitions
