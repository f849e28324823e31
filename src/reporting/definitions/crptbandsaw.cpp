// The Band Saw sheet of one station (or team): the work table's rows for the
// station, by grade and size, with the buns each row needs.
#include "reporting/definitions/floorsheet.h"

namespace reporting::definitions {

DefinitionPtr crptBandSaw()
{
    return gradedCuttingSheet(QStringLiteral("crptBandSaw"), QStringLiteral("Band Saw"), workTableFields(false, false),
                              false);
}

} // namespace reporting::definitions
