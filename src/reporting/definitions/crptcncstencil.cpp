// The CNC stencil sheet: one row per order line and component (stencils of
// different lines are cut apart), by grade and size, with the bun each is
// cut from and what it takes in buns.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptCNCStencil()
{
    DefinitionPtr d = gradedCuttingSheet(QStringLiteral("crptCNCStencil"), QStringLiteral("CNC Stencil"),
                                         workTableFields(true, true), true);
    d->bands.push_back(barcodeFooterBand(kScanCodeField, d->contentWidth()));
    return d;
}

} // namespace reporting::definitions
