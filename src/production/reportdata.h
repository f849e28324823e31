#pragma once

// The report work table tmpReportData: one row per component and cutting
// operation of an order (band saw, CNC, fiber table, CNC stencil), the
// quantities summed over the order's lines. A quantity that leaves a part bun
// (or too few rolls of fiber) moves to the operation's second station and
// plant when the style operation says so. The table is private to the
// connection, so two workstations building at once never meet.

#include "production/printout.h"

namespace data {
class Database;
} // namespace data

namespace production {

// a - Int(a / b) * b rounded to 4 decimals, Int rounding down: the fraction
// of a bun count when b is 1.
double RoundedRemainder(double a, double b);

// Rebuilds the whole table for the order and the chosen style components.
// With no components chosen the table is left empty.
void BuildReportData(data::Database &db, qint32 orderId, const ComponentList &components);
// Replaces only the stencil rows; stencil rows of styles in different groups
// stay apart.
void BuildStencilReportData(data::Database &db, qint32 orderId, const ComponentList &components);

} // namespace production
