#pragma once

// The order report: one order with its lines, as the office's control copy.
// One customer has the order printed on its own paper (crptOrder2, without
// the company heading); every other customer gets crptOrder.

#include "reporting/report.h"

namespace data {
class Database;
} // namespace data

namespace officereports {

// The customer whose orders print on their own paper; compared exactly.
extern const char *const kOwnPaperCustomer;

// The order's report with the department label, or nullptr when no order has
// that ID.
reporting::ReportPtr OrderReport(data::Database &db, qint32 orderId, const QString &label);

} // namespace officereports
