#pragma once

namespace data {

class Database;

// Adds a small but realistic foam plant to an empty database: company,
// customers (one inactive), vendors, buns (fiber and off-all ones among them),
// plants, components, a station of every report type, styles with component
// lines, operations and buggy groups, orders, a shipment, an invoice and a
// payment, and a sales representative. Written in one transaction through the
// same data layer the screens use. Refuses a database that already has a company.
void addDemoPlant(Database &db);

} // namespace data
