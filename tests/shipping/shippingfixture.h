#pragma once

// Orders to ship: the production plant's sofa order (1001, lines of 10 and
// 12.5) and small orders of plain lines built per test.

#include "production/productionfixture.h"
#include "shipping/shipments.h"

namespace fixture {

// An order of the sofa with the given item numbers and quantities.
inline qint64 addPlainOrder(data::Database &db, qint64 id, qint64 style,
                            const std::vector<std::pair<int, double>> &items)
{
    addOrder(db, id, s("Amberline"));
    for (const auto &[item, qty] : items)
        addItem(db, id, item, "L", qty, style);
    return id;
}

inline qint64 ship(data::Database &db, qint64 order, const std::vector<shipping::ShipmentLine> &lines,
                   qint64 shipmentId = 0)
{
    return shipping::saveShipment(db, {shipmentId, order, QDate(2026, 3, 20), lines});
}

} // namespace fixture
