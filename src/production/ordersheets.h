#pragma once

// The sheets printed once per order and plant: the test and tie sheets, the
// top-out saw list, the components that travel with the shipment, and the
// foam and fiber orders for purchasing. Each adds one copy when it has rows.

#include "production/printout.h"

namespace data {
class Database;
} // namespace data

namespace production {

void PrintTestSheet(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                    const ComponentList &components);
// kind "Foam": components not cut from fiber (bun IDs other than FB... and
// PC...), for the saw department; any other kind: the fiber components.
void PrintTieSheet(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                   const ComponentList &components, const QString &kind);
void PrintTopOutSawSheet(Printout &out, data::Database &db, qint32 orderId, const QString &plant);
void PrintShipmentComponents(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                             const ComponentList &components);
void PrintFoamOrder(Printout &out, data::Database &db, qint32 orderId, const QString &plant);
void PrintFiberOrder(Printout &out, data::Database &db, qint32 orderId, const QString &plant);

// The report of an order sheet with its texts set, or nullptr when the
// statement has no rows.
reporting::ReportPtr orderSheet(data::Database &db, const QString &definition, const QString &statement,
                                const QString &plant, const QString &title, const QString &department = {});

} // namespace production
