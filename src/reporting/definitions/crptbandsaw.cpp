// The Band Saw sheet of one station (or team): the work table's rows for the
// station, by grade and size, with the buns each row needs.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptBandSaw()
{
    DefinitionPtr d = gradedCuttingSheet(QStringLiteral("crptBandSaw"), QStringLiteral("Band Saw"),
                                         workTableFields(false, false), false);
    d->bands.push_back(barcodeFooterBand(kScanCodeField, d->contentWidth()));
    return d;
}

} // namespace reporting::definitions
