// The CNC sheet of one station (or team): the work table's rows for the
// station, by grade and size, with the buns each row needs.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptCNC()
{
    DefinitionPtr d =
        gradedCuttingSheet(QStringLiteral("crptCNC"), QStringLiteral("CNC"), workTableFields(false, false), false);
    d->bands.push_back(barcodeFooterBand(kScanCodeField, d->contentWidth()));
    return d;
}

} // namespace reporting::definitions
