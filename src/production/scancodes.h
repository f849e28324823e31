#pragma once

// The codes printed as barcodes on the floor's paperwork, so that a scanner
// tells exactly which copy it reads:
//
//   buggy ticket   T-<order ID>-<line item>-<buggy group>-<n>/<m>   T-1042-3-2-4/7
//   station sheet  S-<order ID>-<team>-<station>|<plant>            S-1042-2-Band Saw 1|North
//   load sheet     L-<order ID>-<truck>                             L-1042-2
//
// n of m counts the tickets of one order line and buggy group. A station with
// one team prints team 1. The station and plant are written as named; a
// sheet printed without a plant (the shipping screens' run) ends in "|".

#include "reporting/report.h"

namespace production {

QString ticketCode(qint64 orderId, qint64 itemNumber, qint64 buggyGroup, qint64 n, qint64 m);
QString stationSheetCode(qint64 orderId, const QString &station, int team, const QString &plant);
QString truckCode(qint64 orderId, qint64 truck);

// Adds the scanner code column (reporting::kScanCodeField) to every row, its
// value from the row.
void addScanCodes(reporting::ReportTable &table, const std::function<QString(const std::vector<QVariant> &row)> &code);
// The position of a column by name (case-insensitive), the n-th of that name
// (0-based); -1 when there is none.
int columnIndex(const reporting::ReportTable &table, const QString &name, int nth = 0);

} // namespace production
