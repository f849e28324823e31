#pragma once

#include <QtGlobal>

namespace data { class Database; }

namespace orders {

// After an order is saved its production paperwork is chosen on the report
// selection screen: opens it for the order with every plant. Does nothing in
// a build without that screen.
void openReportSelection(data::Database &db, qint64 orderId);

} // namespace orders
