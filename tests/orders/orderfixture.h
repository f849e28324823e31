#pragma once

#include "data/database.h"

// A small catalogue for order tests: two active customers and an inactive one,
// with styles and prices.
inline void addOrderCatalogue(data::Database &db)
{
    using data::addRow;
    const auto s = [](const char *t) { return QString::fromUtf8(t); };
    for (const auto &[name, status, city] :
         {std::tuple{"Amberline", "Active", "Tupelo"}, std::tuple{"Cedar Ridge", "Active", "Hickory"},
          std::tuple{"Lakeside", "InActive", "Holland"}})
        addRow(db, s("Customer"),
               {{s("Customer"), s(name)},
                {s("Status"), s(status)},
                {s("ShipTo"), s(name)},
                {s("ShipToAddress1"), s("1 Main St")},
                {s("ShipToCity"), s(city)},
                {s("ShipToState"), s("MS")},
                {s("ShipToZip"), s("38801")},
                {s("ShipToPhone"), s("(662) 555-0110")}});
    for (const auto &[customer, name, type, price] :
         {std::tuple{"Amberline", "1200", "SOFA", 131.0}, std::tuple{"Amberline", "1200", "LOVE", 98.5},
          std::tuple{"Amberline", "Smooth", "CHAIR", 64.0}, std::tuple{"Cedar Ridge", "88", "REC", 89.95}})
        addRow(db, s("Style"),
               {{s("Customer"), s(customer)},
                {s("Name"), s(name)},
                {s("Type"), s(type)},
                {s("Price"), price},
                {s("Status"), s("Active")}});
}
