#pragma once

// The department summary of an order in a plant: the glue and spray line
// stations with the order's pieces (and non-arm pieces) on each and the
// line's rate, and the pieces of the bullet noser, fiber table, CNC and band
// saw stations.

#include "production/printout.h"

namespace data {
class Database;
} // namespace data

namespace production {

// The summary's report with its six blocks bound, or nullptr when there is
// nothing to report for the plant.
reporting::ReportPtr DepartmentSummary(data::Database &db, qint32 orderId, const QString &department,
                                       const QString &plant, const ComponentList &components);
void PrintDepartmentSummary(Printout &out, data::Database &db, qint32 orderId, const QString &department,
                            const QString &plant, const ComponentList &components);

} // namespace production
