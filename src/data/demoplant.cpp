#include "data/demoplant.h"

#include "data/database.h"
#include "data/passwords.h"
#include "data/quoting.h"
#include "data/schema.h"

#include <QDate>
#include <QDateTime>

namespace data {

namespace {

using Row = std::vector<std::pair<QString, QVariant>>;

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

struct ComponentDef {
    const char *id, *description;
    double thickness, width, length;
    const char *cutStyle;
    int test;
    const char *bun;
    double railsPerBun, piecesPerRail;
    int printOnShipping, arm, tie;
    const char *plant;
    int qtyPerBuggy;
};

struct OperationDef {
    const char *station, *instructions;
    double thickness, width, length, splitQty;
    const char *station2, *plant2;
};

struct LineDef {
    const char *component;
    double qty;
    int buggySheet; // 0: not grouped
    std::vector<OperationDef> operations;
};

struct StyleDef {
    const char *customer, *name, *type;
    double cost, price;
    const char *groupField;
    std::vector<LineDef> lines;
};

} // namespace

void addDemoPlant(Database &db)
{
    if (!hasSchema(db))
        throw DbError(QStringLiteral("The database has no Bunline tables yet; run init-db first."));
    if (!db.query(QStringLiteral("SELECT TOP 1 * FROM Company")).isEmpty())
        throw DbError(
            QStringLiteral("The database already holds a company; the demo plant goes only into an empty one."));

    Transaction tx(db);
    const QDateTime now = QDateTime::currentDateTime();
    const QDate today = now.date();

    addRow(db, s("Company"),
           {{s("Name"), s("Prairie Foam Fabricators")},
            {s("Address1"), s("1400 Industrial Pkwy")},
            {s("Address2"), s("Dock 3")},
            {s("City"), s("Elkhart")},
            {s("State"), s("IN")},
            {s("Zip"), s("46514")},
            {s("Phone"), s("(574) 555-0140")},
            {s("Fax"), s("(574) 555-0141")},
            {s("Email"), s("office@prairiefoam.example")},
            {s("Website"), s("www.prairiefoam.example")},
            {s("TaxID"), s("35-1234567")},
            {s("KeyPressDelay"), s("1")}});

    // A sales representative who may use orders and shipping but not the catalogue.
    const Recordset rep = addRow(db, s("[User]"),
                                 {{s("Name"), s("Dana O'Brien")},
                                  {s("Address1"), s("22 Maple St")},
                                  {s("City"), s("Goshen")},
                                  {s("State"), s("IN")},
                                  {s("Zip"), s("46526")},
                                  {s("Phone"), s("(574) 555-0199")},
                                  {s("Email"), s("dana@prairiefoam.example")},
                                  {s("SalesRep"), 1},
                                  {s("Inactive"), 0},
                                  {s("Type"), s("User")},
                                  {s("Username"), s("dana")},
                                  {s("Password"), hashPassword(s("dana"))},
                                  {s("SalesOrderPrintQty"), s("1")},
                                  {s("InvoicePrintQty"), s("2")},
                                  {s("PackingSlipPrintQty"), s("1")},
                                  {s("PickTicketPrintQty"), s("1")},
                                  {s("EnteredDate"), now},
                                  {s("EnteredBy"), s("admin")}});
    const qint64 repId = rep.integer(s("ID"));
    for (const char *permission : {"Order Navigator", "Order Entry/Edit", "Shipment Navigator", "Shipment Entry/Edit",
                                   "Reports - Order Report", "User Entry/Edit"})
        db.execute(s("INSERT INTO UserPermission (UserID,PermissionID) SELECT %1, ID FROM Permission WHERE Name = %2")
                       .arg(sqlNumber(repId), sqlText(s(permission))));

    struct CustomerDef {
        const char *name, *address, *city, *state, *zip, *phone, *status, *terms;
        int days;
    };
    const CustomerDef customers[] = {
        {"Amberline Furniture", "800 Commerce Dr", "Tupelo", "MS", "38801", "(662) 555-0110", "Active", "Net 30", 30},
        {"Cedar Ridge Seating", "45 Ridge Rd", "High Point", "NC", "27260", "(336) 555-0120", "Active", "Net 45", 45},
        {"Summit Sofa Works", "9 Summit Ave", "Hickory", "NC", "28601", "(828) 555-0130", "Active", "2% 10 Net 30", 30},
        {"Lakeside Recliners", "310 Shore Ln", "Holland", "MI", "49423", "(616) 555-0150", "InActive", "Net 30", 30},
    };
    for (const CustomerDef &c : customers)
        addRow(db, s("Customer"),
               {{s("Customer"), s(c.name)},
                {s("Address1"), s(c.address)},
                {s("City"), s(c.city)},
                {s("State"), s(c.state)},
                {s("Zip"), s(c.zip)},
                {s("Phone"), s(c.phone)},
                {s("Status"), s(c.status)},
                {s("DateAdded"), now},
                {s("ShipTo"), s(c.name)},
                {s("ShipToAddress1"), s(c.address)},
                {s("ShipToCity"), s(c.city)},
                {s("ShipToState"), s(c.state)},
                {s("ShipToZip"), s(c.zip)},
                {s("ShipToPhone"), s(c.phone)},
                {s("Terms"), s(c.terms)},
                {s("Days"), c.days},
                {s("SalesRepID"), repId}});

    addRow(db, s("Vendor"),
           {{s("Vendor"), s("Great Lakes Urethane")},
            {s("Address1"), s("1 Polymer Way")},
            {s("City"), s("Toledo")},
            {s("State"), s("OH")},
            {s("Zip"), s("43604")},
            {s("Phone"), s("(419) 555-0160")},
            {s("Contact"), s("Pat Kowalski")},
            {s("Status"), s("Active")},
            {s("DateAdded"), now}});
    addRow(db, s("Vendor"),
           {{s("Vendor"), s("Hoosier Fiber Co.")},
            {s("Address1"), s("77 Batting Blvd")},
            {s("City"), s("Kokomo")},
            {s("State"), s("IN")},
            {s("Zip"), s("46901")},
            {s("Phone"), s("(765) 555-0170")},
            {s("Contact"), s("Lee Ann Smith")},
            {s("Status"), s("Active")},
            {s("DateAdded"), now}});

    for (const char *plant : {"Elkhart", "Goshen"})
        db.execute(s("INSERT INTO Plants (Name) VALUES(%1)").arg(sqlText(s(plant))));

    struct BunDef {
        const char *id;
        double width, length;
        const char *grade, *vendor;
        int offAll;
    };
    const BunDef buns[] = {
        {"1845-76", 76, 84, "1845", "Great Lakes Urethane", 0},
        {"2850-76", 76, 84, "2850", "Great Lakes Urethane", 0},
        {"1535-52", 52, 82, "1535", "Great Lakes Urethane", 0},
        {"1230-OA", 60, 80, "1230", "Great Lakes Urethane", 1},
        {"FB10-54", 54, 1200, "Fiber 10oz", "Hoosier Fiber Co.", 0},
        {"PC12-60", 60, 1000, "Poly Cotton 12oz", "Hoosier Fiber Co.", 0},
    };
    for (const BunDef &b : buns)
        addRow(db, s("Bun"),
               {{s("ID"), s(b.id)},
                {s("Width"), b.width},
                {s("Length"), b.length},
                {s("Grade"), s(b.grade)},
                {s("Vendor"), s(b.vendor)},
                {s("Status"), s("Active")},
                {s("OffAll"), b.offAll}});

    const ComponentDef components[] = {
        {"9", "Seat cushion core", 5, 22, 24, "Straight Cut", 1, "1845-76", 15, 3, 1, 0, 0, "Elkhart", 24},
        {"10", "Back cushion core", 4, 20, 26, "Straight Cut", 0, "1845-76", 19, 3, 1, 0, 0, "Elkhart", 24},
        {"101", "Arm cap", 2, 6, 36, "Pattern Cut", 0, "1535-52", 41, 2, 0, 1, 0, "Elkhart", 40},
        {"102", "Arm panel", 1, 10, 30, "Straight Cut", 0, "1535-52", 82, 5, 0, 1, 1, "Elkhart", 40},
        {"250", "Deck pad", 1, 24, 60, "Straight Cut", 0, "1230-OA", 60, 2, 0, 0, 0, "Goshen", 0},
        {"A1", "Seat wrap fiber", 0.5, 54, 48, "Straight Cut", 0, "FB10-54", 1, 25, 1, 0, 1, "Elkhart", 30},
        {"A2", "Back wrap fiber", 0.5, 54, 40, "Straight Cut", 0, "PC12-60", 1, 30, 1, 0, 1, "Elkhart", 30},
        {"BOLSTER", "Round bolster", 6, 6, 30, "Pattern Cut", 1, "2850-76", 12, 2, 1, 0, 0, "Goshen", 20},
        {"CR-5", "Chair seat core", 5, 21, 21, "Straight Cut", 0, "2850-76", 15, 4, 1, 0, 0, "Goshen", 16},
        {"CR-6", "Chair back core", 4, 20, 22, "Straight Cut", 0, "1845-76", 19, 3, 1, 0, 0, "Goshen", 16},
        {"REC-FT", "Recliner footrest pad", 3, 18, 20, "Pattern Cut", 0, "2850-76", 25, 4, 1, 0, 0, "Elkhart", 0},
        {"TOP-2", "Topper 2in", 2, 24, 72, "Straight Cut", 0, "1845-76", 38, 1, 0, 0, 0, "Goshen", 10},
    };
    for (const ComponentDef &c : components)
        addRow(db, s("Component"),
               {{s("ID"), s(c.id)},
                {s("Description"), s(c.description)},
                {s("Thickness"), c.thickness},
                {s("Width"), c.width},
                {s("Length"), c.length},
                {s("CutStyle"), s(c.cutStyle)},
                {s("Test"), c.test},
                {s("TestRange"), c.test ? s("1.8 - 2.0 lb") : QString()},
                {s("Topped"), QString()},
                {s("BunID"), s(c.bun)},
                {s("RailsPerBun"), c.railsPerBun},
                {s("PiecesPerRail"), c.piecesPerRail},
                {s("PrintOnShipping"), c.printOnShipping},
                {s("Arm"), c.arm},
                {s("Tie"), c.tie},
                {s("Status"), s("Active")},
                {s("Plant"), s(c.plant)},
                {s("QtyPerBuggy"), c.qtyPerBuggy}});

    struct StationDef {
        const char *station, *reportType;
        int teams;
    };
    const StationDef stations[] = {
        {"Band Saw 1", "Band Saw", 2},
        {"Band Saw 2", "Band Saw", 1},
        {"CNC", "CNC", 1},
        {"CNC Stencil", "CNC Stencil", 1},
        {"Fiber Table", "Fiber Table", 2},
        {"Glue Line 1", "Glue Line", 3},
        {"Spray Line 1", "Spray Line", 2},
        {"Line Supply", "Glue/Spray Line Supply", 1},
        {"Top Out Saw", "Top Out Saw", 1},
        {"V-S FOAM", "Vertical Slitter", 1},
        {"Bullet Noser", "Bullet Noser", 1},
    };
    for (const StationDef &st : stations)
        addRow(db, s("Operation"),
               {{s("Station"), s(st.station)},
                {s("ReportType"), s(st.reportType)},
                {s("Teams"), st.teams},
                {s("Status"), s("Active")}});

    addRow(db, s("Data"),
           {{s("ID"), s("Data")},
            {s("LaborCostPerHour"), 18.5},
            {s("NonArmPerHour"), 45.0},
            {s("SprayLineNonArmPerHour"), 60.0},
            {s("LaborPercent"), 12.0}});

    for (const auto &[id, description] : {std::pair{"SOFA", "Sofa"}, std::pair{"LOVE", "Loveseat"},
                                          std::pair{"CHAIR", "Chair"}, std::pair{"REC", "Recliner"}})
        addRow(db, s("StyleType"), {{s("ID"), s(id)}, {s("Description"), s(description)}, {s("Status"), s("Active")}});

    const StyleDef styles[] = {
        {"Amberline Furniture",
         "1200",
         "SOFA",
         82.40,
         131.00,
         "Amberline sofas",
         {{"9",
           3,
           1,
           {{"Band Saw 1", "Cut 3 across, keep skins", 5, 22, 24, 0.5, "Band Saw 2", "Goshen"},
            {"Glue Line 1", "Wrap with A1", 5, 22, 24, 0, "", ""}}},
          {"10",
           3,
           1,
           {{"Band Saw 1", "", 4, 20, 26, 0, "", ""}, {"Spray Line 1", "Spray back wrap", 4, 20, 26, 0, "", ""}}},
          {"101", 2, 2, {{"CNC", "Program ARM-12", 2, 6, 36, 0, "", ""}, {"Glue Line 1", "", 2, 6, 36, 0, "", ""}}},
          {"A1", 3, 0, {{"Fiber Table", "Double layer", 0.5, 54, 48, 2, "Fiber Table", "Goshen"}}},
          {"250", 1, 0, {{"Top Out Saw", "", 1, 24, 60, 0, "", ""}}}}},
        {"Amberline Furniture",
         "1200",
         "LOVE",
         61.10,
         98.50,
         "Amberline sofas",
         {{"9", 2, 1, {{"Band Saw 1", "Cut 3 across", 5, 22, 24, 0, "", ""}}},
          {"10", 2, 1, {{"Band Saw 2", "", 4, 20, 26, 0, "", ""}}},
          {"101", 2, 2, {{"CNC", "Program ARM-12", 2, 6, 36, 0, "", ""}}},
          {"A2", 2, 0, {{"CNC Stencil", "Stencil LS-7", 0.5, 54, 40, 0, "", ""}}}}},
        {"Amberline Furniture",
         "A-300",
         "CHAIR",
         38.75,
         64.00,
         "Amberline chairs",
         {{"CR-5", 1, 1, {{"V-S FOAM", "Slit to 5in", 5, 21, 21, 0, "", ""}}},
          {"CR-6", 1, 1, {{"Band Saw 2", "", 4, 20, 22, 0, "", ""}}},
          {"102", 2, 0, {{"Bullet Noser", "Round front edge", 1, 10, 30, 0, "", ""}}}}},
        {"Cedar Ridge Seating",
         "88",
         "REC",
         55.20,
         89.95,
         "Recliners",
         {{"REC-FT", 1, 1, {{"CNC", "Program FT-88", 3, 18, 20, 0, "", ""}, {"Line Supply", "", 3, 18, 20, 0, "", ""}}},
          {"CR-5", 1, 1, {{"Band Saw 1", "", 5, 21, 21, 0, "", ""}}},
          {"TOP-2", 1, 2, {{"Band Saw 2", "Topper, 2in", 2, 24, 72, 0, "", ""}}}}},
        {"Cedar Ridge Seating",
         "9",
         "CHAIR",
         29.00,
         47.50,
         "Chairs",
         {{"CR-5", 1, 0, {{"Band Saw 1", "", 5, 21, 21, 0, "", ""}}},
          {"CR-6", 1, 0, {{"Band Saw 1", "", 4, 20, 22, 0, "", ""}}}}},
        {"Summit Sofa Works",
         "Horizon",
         "SOFA",
         90.00,
         149.00,
         "Summit",
         {{"9", 3, 1, {{"Band Saw 1", "", 5, 22, 24, 0, "", ""}}},
          {"BOLSTER", 2, 2, {{"CNC", "Program BOL-30", 6, 6, 30, 0, "", ""}}},
          {"A1", 3, 0, {{"Fiber Table", "", 0.5, 54, 48, 0, "", ""}}}}},
    };
    std::vector<qint64> styleIds;
    for (const StyleDef &st : styles) {
        const qint64 styleId = addRow(db, s("Style"),
                                      {{s("Customer"), s(st.customer)},
                                       {s("Name"), s(st.name)},
                                       {s("Type"), s(st.type)},
                                       {s("Cost"), st.cost},
                                       {s("Price"), st.price},
                                       {s("Status"), s("Active")},
                                       {s("GroupField"), s(st.groupField)}})
                                   .integer(s("ID"));
        styleIds.push_back(styleId);
        for (const LineDef &line : st.lines) {
            const qint64 lineId = addRow(db, s("StyleComponent"),
                                         {{s("StyleID"), styleId},
                                          {s("ComponentID"), s(line.component)},
                                          {s("Qty"), line.qty},
                                          {s("BuggySheet"), line.buggySheet ? QVariant(line.buggySheet) : QVariant()}})
                                      .integer(s("ID"));
            for (const OperationDef &op : line.operations)
                addRow(db, s("StyleOperation"),
                       {{s("OperationID"), s(op.station)},
                        {s("Instructions"), s(op.instructions)},
                        {s("Thickness"), op.thickness},
                        {s("Width"), op.width},
                        {s("Length"), op.length},
                        {s("StyleID"), styleId},
                        {s("ComponentID"), lineId},
                        {s("SplitQty"), op.splitQty},
                        {s("Operation2ID"), s(op.station2)},
                        {s("Plant2"), *op.plant2 ? QVariant(s(op.plant2)) : QVariant()}});
        }
    }

    struct OrderDef {
        const char *number, *customer;
        int daysAgo, dueIn;
        const char *status;
        std::vector<std::pair<int, double>> lines;
    };
    const OrderDef orders[] = {
        {"PO-4471", "Amberline Furniture", 12, 9, "Closed", {{0, 10}, {1, 6}}},
        {"PO-4502", "Amberline Furniture", 3, 18, "Open", {{0, 24}, {1, 12}, {2, 20}}},
        {"88-1207", "Cedar Ridge Seating", 2, 14, "Open", {{3, 30}, {4, 16}}},
        {"H-0031", "Summit Sofa Works", 1, 21, "Open", {{5, 8}}},
    };
    std::vector<qint64> orderIds;
    for (const OrderDef &o : orders) {
        const Recordset customer =
            db.query(s("SELECT * FROM Customer WHERE Customer = %1").arg(sqlText(s(o.customer))));
        double total = 0;
        for (const auto &[style, qty] : o.lines)
            total += qty * styles[style].price;
        const qint64 orderId = addRow(db, s("Orders"),
                                      {{s("OrderNumber"), s(o.number)},
                                       {s("Customer"), s(o.customer)},
                                       {s("OrderDate"), QDateTime(today.addDays(-o.daysAgo), QTime(0, 0))},
                                       {s("DueDate"), QDateTime(today.addDays(o.dueIn), QTime(0, 0))},
                                       {s("ShipTo"), customer.text(s("ShipTo"))},
                                       {s("ShipToAddress1"), customer.text(s("ShipToAddress1"))},
                                       {s("ShipToAddress2"), customer.text(s("ShipToAddress2"))},
                                       {s("ShipToCity"), customer.text(s("ShipToCity"))},
                                       {s("ShipToState"), customer.text(s("ShipToState"))},
                                       {s("ShipToZip"), customer.text(s("ShipToZip"))},
                                       {s("ShipToPhone"), customer.text(s("ShipToPhone"))},
                                       {s("ShipToFax"), customer.text(s("ShipToFax"))},
                                       {s("Status"), s(o.status)},
                                       {s("DateAdded"), QDateTime(today.addDays(-o.daysAgo), QTime(0, 0))},
                                       {s("Total"), total},
                                       {s("SalesRepID"), repId}})
                                   .integer(s("ID"));
        orderIds.push_back(orderId);
        int item = 0;
        for (const auto &[style, qty] : o.lines) {
            ++item;
            addRow(db, s("OrderItems"),
                   {{s("OrderID"), orderId},
                    {s("ItemNumber"), item},
                    {s("Line"), s("L%1").arg(item * 10)},
                    {s("Qty"), qty},
                    {s("StyleID"), styleIds[size_t(style)]},
                    {s("PriceEach"), styles[style].price},
                    {s("PriceExt"), qty * styles[style].price}});
        }
    }

    // The first order shipped in full, invoiced and partly paid.
    const qint64 shipmentId =
        addRow(db, s("Shipments"),
               {{s("OrderID"), orderIds[0]}, {s("Date"), QDateTime(today.addDays(-5), QTime(0, 0))}})
            .integer(s("ID"));
    int item = 0;
    double subtotal = 0;
    for (const auto &[style, qty] : orders[0].lines) {
        addRow(db, s("ShipmentItems"),
               {{s("ShipmentID"), shipmentId},
                {s("OrderID"), orderIds[0]},
                {s("OrderLineItem"), ++item},
                {s("Qty"), qty}});
        subtotal += qty * styles[style].price;
    }
    const qint64 invoiceId = addRow(db, s("Invoice"),
                                    {{s("Customer"), s(orders[0].customer)},
                                     {s("InvoiceDate"), QDateTime(today.addDays(-4), QTime(0, 0))},
                                     {s("DueDate"), QDateTime(today.addDays(26), QTime(0, 0))},
                                     {s("Subtotal"), subtotal},
                                     {s("Freight"), 75.0},
                                     {s("Misc"), 0.0},
                                     {s("Total"), subtotal + 75.0},
                                     {s("MemoField"), s("Shipped complete on truck 12")}})
                                 .integer(s("ID"));
    addRow(db, s("InvoiceOrders"), {{s("Invoice"), invoiceId}, {s("OrderID"), orderIds[0]}});
    addRow(db, s("OrdersInvoiced"), {{s("OrderID"), orderIds[0]}});
    addRow(db, s("Payments"),
           {{s("Invoice"), invoiceId},
            {s("Date"), QDateTime(today.addDays(-1), QTime(0, 0))},
            {s("Amount"), 1000.0},
            {s("Adjustment"), 0.0}});
    tx.commit();
}

} // namespace data
