#pragma once

// A small foam plant for the production paperwork: two plants, stations of
// every kind, foam, off-all and fiber buns, a sofa style whose components
// pass through them, and an order of two lines.

#include "data/database.h"
#include "data/quoting.h"

#include <QString>

namespace fixture {

inline QString s(const char *text)
{
    return QString::fromUtf8(text);
}

struct Station {
    const char *name, *type;
    int teams;
};
const Station kStations[] = {
    {"Band Saw 1", "Band Saw", 1},
    {"Band Saw 2", "Band Saw", 1},
    {"CNC", "CNC", 1},
    {"CNC 2", "CNC", 1},
    {"Stencil", "CNC Stencil", 1},
    {"Fiber 1", "Fiber Table", 1},
    {"Fiber 2", "Fiber Table", 1},
    {"Glue 1", "Glue Line", 1},
    {"Glue 2", "Glue Line", 3},
    {"Spray 1", "Spray Line", 1},
    {"Supply", "Glue/Spray Line Supply", 1},
    {"Slitter", "Vertical Slitter", 1},
    {"Noser", "Bullet Noser", 2},
};

inline void addStations(data::Database &db)
{
    for (const Station &st : kStations)
        data::addRow(db, s("Operation"),
                     {{s("Station"), s(st.name)},
                      {s("ReportType"), s(st.type)},
                      {s("Teams"), st.teams},
                      {s("Status"), s("Active")}});
}

struct Part {
    const char *id, *description, *bun;
    double railsPerBun, piecesPerRail;
    const char *plant;
    bool test, tie, arm, onShipping;
    int perBuggy;
};

// Each component its own thickness, so that sheets sorted by size list rows
// in one order on every backend.
inline double thicknessOf(const char *component)
{
    const QString id = s(component);
    return id == s("SEAT") ? 5
        : id == s("BACK")  ? 4
        : id == s("ARM")   ? 3
        : id == s("WRAP")  ? 1
        : id == s("SCRAP") ? 2
                           : 6;
}

inline void addComponent(data::Database &db, const Part &p)
{
    data::addRow(db, s("Component"),
                 {{s("ID"), s(p.id)},
                  {s("Description"), s(p.description)},
                  {s("Thickness"), thicknessOf(p.id)},
                  {s("Width"), 20.0},
                  {s("Length"), 30.0},
                  {s("CutStyle"), s("Square")},
                  {s("Test"), p.test},
                  {s("TestRange"), s("1.8 - 2.0")},
                  {s("Topped"), s("No")},
                  {s("BunID"), p.bun ? QVariant(s(p.bun)) : QVariant()},
                  {s("RailsPerBun"), p.railsPerBun},
                  {s("PiecesPerRail"), p.piecesPerRail},
                  {s("PrintOnShipping"), p.onShipping},
                  {s("Arm"), p.arm},
                  {s("Tie"), p.tie},
                  {s("Status"), s("Active")},
                  {s("Plant"), s(p.plant)},
                  {s("QtyPerBuggy"), p.perBuggy}});
}

// A style of the customer; answers its ID.
inline qint64 addStyle(data::Database &db, const QString &customer, const QString &name, const QString &type)
{
    return data::addRow(db, s("Style"),
                        {{s("Customer"), customer},
                         {s("Name"), name},
                         {s("Type"), type},
                         {s("Price"), 100.0},
                         {s("Cost"), 40.0},
                         {s("Status"), s("Active")}})
        .integer(s("ID"));
}

// A component line of a style; answers its StyleComponent.ID.
inline qint64 addLine(data::Database &db, qint64 style, const char *component, double qty, int buggySheet = 0)
{
    return data::addRow(db, s("StyleComponent"),
                        {{s("StyleID"), style},
                         {s("ComponentID"), s(component)},
                         {s("Qty"), qty},
                         {s("BuggySheet"), buggySheet}})
        .integer(s("ID"));
}

inline void addOperation(data::Database &db, qint64 style, qint64 line, const char *station, QVariant split = 0.0,
                         const char *station2 = "", const char *plant2 = nullptr, double thickness = 4.0)
{
    data::addRow(db, s("StyleOperation"),
                 {{s("OperationID"), s(station)},
                  {s("Instructions"), s("Cut to size")},
                  {s("Thickness"), thickness},
                  {s("Width"), 20.0},
                  {s("Length"), 30.0},
                  {s("StyleID"), style},
                  {s("ComponentID"), line},
                  {s("SplitQty"), split},
                  {s("Operation2ID"), s(station2)},
                  {s("Plant2"), plant2 ? QVariant(s(plant2)) : QVariant()}});
}

inline qint64 addOrder(data::Database &db, qint64 id, const QString &customer)
{
    db.execute(s("INSERT INTO Orders (ID,OrderNumber,Customer,OrderDate,DueDate,ShipTo,ShipToAddress1,ShipToCity,"
                 "ShipToState,ShipToZip,Status,Total) VALUES (%1,%2,%3,'2026-03-02','2026-03-16',%3,'1 Main St',"
                 "'Tupelo','MS','38801','Open',2250)")
                   .arg(data::sqlNumber(id), data::sqlText(s("PO-") + QString::number(id)), data::sqlText(customer)));
    return id;
}

inline void addItem(data::Database &db, qint64 order, int item, const char *line, double qty, qint64 style)
{
    data::addRow(db, s("OrderItems"),
                 {{s("OrderID"), order},
                  {s("ItemNumber"), item},
                  {s("Line"), s(line)},
                  {s("Qty"), qty},
                  {s("StyleID"), style},
                  {s("PriceEach"), 100.0},
                  {s("PriceExt"), qty * 100}});
}

// The plant set-up without styles: plants, settings, vendors, buns, stations,
// components.
inline void addPlant(data::Database &db)
{
    for (const char *plant : {"North", "South"})
        db.execute(s("INSERT INTO Plants (Name) VALUES (%1)").arg(data::sqlText(s(plant))));
    data::addRow(db, s("Company"),
                 {{s("Name"), s("Prairie Foam")},
                  {s("Address1"), s("1 Mill Rd")},
                  {s("City"), s("Elkhart")},
                  {s("State"), s("IN")},
                  {s("Zip"), s("46514")}});
    data::addRow(db, s("Data"),
                 {{s("ID"), s("Data")},
                  {s("LaborCostPerHour"), 20.0},
                  {s("NonArmPerHour"), 40.0},
                  {s("SprayLineNonArmPerHour"), 50.0},
                  {s("LaborPercent"), 12.0}});
    data::addRow(db, s("Customer"), {{s("Customer"), s("Amberline")}, {s("Status"), s("Active")}});
    for (const auto &[id, grade, vendor, offAll] :
         {std::tuple{"1835-54", "1835", "Acme Foam", false}, std::tuple{"2850-76", "2850", "Dura Foam", false},
          std::tuple{"1835-60", "1835", "Acme Foam", false}, std::tuple{"OFF-1", "Mix", "Acme Foam", true},
          std::tuple{"FB10", "10oz", "FiberCo", false}})
        data::addRow(db, s("Bun"),
                     {{s("ID"), s(id)},
                      {s("Width"), QString::fromLatin1(id).endsWith(s("-60")) ? 60.0 : 54.0},
                      {s("Length"), 80.0},
                      {s("Grade"), s(grade)},
                      {s("Vendor"), s(vendor)},
                      {s("Status"), s("Active")},
                      {s("OffAll"), offAll}});
    addStations(db);
    const Part parts[] = {
        {"SEAT", "Seat cushion", "1835-54", 4, 5, "North", true, true, false, true, 6},
        {"BACK", "Back cushion", "2850-76", 2, 5, "North", false, false, false, true, 6},
        {"ARM", "Arm pad", "1835-60", 2, 10, "North", false, false, true, false, 0},
        {"WRAP", "Fiber wrap", "FB10", 1, 10, "South", false, true, false, false, 0},
        {"SCRAP", "Filler block", "OFF-1", 1, 10, "North", false, false, false, false, 0},
        {"BOLSTER", "Round bolster", nullptr, 0, 0, "North", true, true, false, true, 4},
    };
    for (const Part &p : parts)
        addComponent(db, p);
}

struct Sofa {
    qint64 style, seat, back, arm, wrap, scrap, bolster;
};

// The sofa: every component with its operations.
inline Sofa addSofa(data::Database &db)
{
    Sofa f;
    f.style = addStyle(db, s("Amberline"), s("1200"), s("SOFA"));
    f.seat = addLine(db, f.style, "SEAT", 2, 1);
    f.back = addLine(db, f.style, "BACK", 1, 1);
    f.arm = addLine(db, f.style, "ARM", 2);
    f.wrap = addLine(db, f.style, "WRAP", 1);
    f.scrap = addLine(db, f.style, "SCRAP", 1);
    f.bolster = addLine(db, f.style, "BOLSTER", 1, 2);
    addOperation(db, f.style, f.seat, "Band Saw 1", 0.5, "Band Saw 2", "South", 5);
    addOperation(db, f.style, f.seat, "Glue 2", 0.0, "", nullptr, 5);
    addOperation(db, f.style, f.back, "CNC", 0.0, "", nullptr, 4);
    addOperation(db, f.style, f.back, "Spray 1", 0.0, "", nullptr, 4);
    addOperation(db, f.style, f.arm, "CNC", 0.0, "", nullptr, 3);
    addOperation(db, f.style, f.arm, "Band Saw 1", 0.0, "", nullptr, 3);
    addOperation(db, f.style, f.arm, "Glue 2", 0.0, "", nullptr, 3);
    addOperation(db, f.style, f.wrap, "Fiber 1", 3.0, "Fiber 2", "", 1);
    addOperation(db, f.style, f.scrap, "Band Saw 1", 0.0, "", nullptr, 2);
    addOperation(db, f.style, f.bolster, "Stencil", 0.0, "", nullptr, 6);
    addOperation(db, f.style, f.bolster, "Supply", 0.0, "", nullptr, 6);
    addOperation(db, f.style, f.bolster, "Slitter", 0.0, "", nullptr, 6);
    addOperation(db, f.style, f.bolster, "Noser", 0.0, "", nullptr, 6);
    return f;
}

// Order 1001: line L1 of 10 sofas and line L2 of 12.5 (a half set of seats
// for repairs), so the seats come to 45 pieces: two whole buns of 20 and a
// part bun of 5 moved to Band Saw 2 in the South plant.
// (After addPlant.)
inline Sofa addSofaOrder(data::Database &db)
{
    const Sofa f = addSofa(db);
    addOrder(db, 1001, s("Amberline"));
    addItem(db, 1001, 1, "L1", 10, f.style);
    addItem(db, 1001, 2, "L2", 12.5, f.style);
    return f;
}

} // namespace fixture
