#pragma once

// A small plant with orders, invoices and payments on fixed dates, for the
// invoicing routines, their screens and the receivables reports.
//
//   Amberline Furniture  A-100 (3/2/2026)   one line      100.00
//                        A-101 (3/10/2026)  two lines     250.50
//                        A-102 (3/31/2026)  no lines
//   Cedar Ridge Seating  C-8   (3/31/2026 15:00) 3 x 89.95 = 269.85
//                        C-9   (4/1/2026)   one line      89.95
//   Walk-in Buyer        an invoice of 80.00 and no Customer row

#include "data/database.h"

#include <QDate>
#include <map>

namespace testsupport {

struct ReceivablesPlant {
    std::map<QString, qint64> orders; // by order number
    std::map<QString, qint64> styles; // "1200-SOFA"
};

inline ReceivablesPlant addReceivablesPlant(data::Database &db)
{
    using data::addRow;
    const auto s = [](const char *t) { return QString::fromUtf8(t); };
    ReceivablesPlant plant;
    data::Transaction tx(db);
    addRow(db, s("Company"),
           {{s("Name"), s("Prairie Foam Fabricators")},
            {s("Address1"), s("1400 Industrial Pkwy")},
            {s("City"), s("Elkhart")},
            {s("State"), s("IN")},
            {s("Zip"), s("46514")}});
    addRow(db, s("Customer"),
           {{s("Customer"), s("Amberline Furniture")},
            {s("Address1"), s("220 Furniture Row")},
            {s("Address2"), s("Suite 4")},
            {s("City"), s("Tupelo")},
            {s("State"), s("MS")},
            {s("Zip"), s("38801")},
            {s("Status"), s("Active")}});
    addRow(db, s("Customer"),
           {{s("Customer"), s("Cedar Ridge Seating")},
            {s("Address1"), s("9 Mill Rd")},
            {s("City"), s("Hickory")},
            {s("State"), s("NC")},
            {s("Zip"), s("28601")},
            {s("Status"), s("Active")}});
    addRow(db, s("Customer"), {{s("Customer"), s("Lakeside Recliners")}, {s("Status"), s("Active")}});
    for (const auto &[customer, name, type, price, cost] :
         {std::tuple{"Amberline Furniture", "1200", "SOFA", 100.0, QVariant(60.0)},
          std::tuple{"Amberline Furniture", "1200", "LOVE", 50.5, QVariant(30.25)},
          std::tuple{"Cedar Ridge Seating", "88", "REC", 89.95, QVariant()}})
        plant.styles[s(name) + QLatin1Char('-') + s(type)] = addRow(db, s("Style"),
                                                                    {{s("Customer"), s(customer)},
                                                                     {s("Name"), s(name)},
                                                                     {s("Type"), s(type)},
                                                                     {s("Price"), price},
                                                                     {s("Cost"), cost},
                                                                     {s("Status"), s("Active")}})
                                                                 .integer(s("ID"));
    struct Line {
        const char *style;
        double qty, price;
    };
    const auto order = [&](const char *customer, const char *number, const QDateTime &date, const char *status,
                           std::vector<Line> lines) {
        const qint64 id = addRow(db, s("Orders"),
                                 {{s("OrderNumber"), s(number)},
                                  {s("Customer"), s(customer)},
                                  {s("OrderDate"), date},
                                  {s("DueDate"), date.addDays(14)},
                                  {s("Status"), s(status)}})
                              .integer(s("ID"));
        int item = 0;
        for (const Line &l : lines)
            addRow(db, s("OrderItems"),
                   {{s("OrderID"), id},
                    {s("ItemNumber"), ++item},
                    {s("Line"), s("Line ") + QString::number(item)},
                    {s("Qty"), l.qty},
                    {s("StyleID"), plant.styles.at(s(l.style))},
                    {s("PriceEach"), l.price},
                    {s("PriceExt"), l.qty * l.price}});
        plant.orders[s(number)] = id;
    };
    const auto day = [](int m, int d, int h = 0) { return QDateTime(QDate(2026, m, d), QTime(h, 0)); };
    order("Amberline Furniture", "A-100", day(3, 2), "Closed", {{"1200-SOFA", 1, 100}});
    order("Amberline Furniture", "A-101", day(3, 10), "Open", {{"1200-SOFA", 2, 100}, {"1200-LOVE", 1, 50.5}});
    order("Amberline Furniture", "A-102", day(3, 31), "Void", {});
    order("Cedar Ridge Seating", "C-8", day(3, 31, 15), "Open", {{"88-REC", 3, 89.95}});
    order("Cedar Ridge Seating", "C-9", day(4, 1), "Open", {{"88-REC", 1, 89.95}});
    tx.commit();
    return plant;
}

} // namespace testsupport
