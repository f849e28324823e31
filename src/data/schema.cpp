#include "data/schema.h"

#include "data/database.h"
#include "data/quoting.h"
#include "data/schemaversion.h"

namespace data {

namespace {
using T = ColumnType;

std::vector<Column> cols(std::initializer_list<std::pair<const char *, ColumnType>> list)
{
    std::vector<Column> out;
    for (const auto &[name, type] : list)
        out.push_back({QString::fromLatin1(name), type});
    return out;
}

std::vector<Table> buildTables()
{
    std::vector<Table> t;
    t.push_back({QStringLiteral("Company"),
                 cols({{"Name", T::Text},
                       {"Address1", T::Text},
                       {"Address2", T::Text},
                       {"City", T::Text},
                       {"State", T::Text},
                       {"Zip", T::Text},
                       {"Phone", T::Text},
                       {"Fax", T::Text},
                       {"Email", T::Text},
                       {"Website", T::Text},
                       {"TaxID", T::Text},
                       {"KeyPressDelay", T::Text}}),
                 {}});
    t.push_back({QStringLiteral("State"), cols({{"State", T::Text}}), {QStringLiteral("State")}});
    t.push_back({QStringLiteral("UserType"), cols({{"Name", T::Text}}), {QStringLiteral("Name")}});
    t.push_back({QStringLiteral("User"),
                 cols({{"ID", T::Counter},
                       {"Name", T::Text},
                       {"Address1", T::Text},
                       {"Address2", T::Text},
                       {"City", T::Text},
                       {"State", T::Text},
                       {"Zip", T::Text},
                       {"Phone", T::Text},
                       {"Fax", T::Text},
                       {"Email", T::Text},
                       {"SalesRep", T::Flag},
                       {"Inactive", T::Flag},
                       {"Type", T::Text},
                       {"Username", T::Text},
                       {"Password", T::Text},
                       {"SalesOrderPrintQty", T::Text},
                       {"InvoicePrintQty", T::Text},
                       {"PackingSlipPrintQty", T::Text},
                       {"PickTicketPrintQty", T::Text},
                       {"EmailServer", T::Text},
                       {"EmailFrom", T::Text},
                       {"EmailFromName", T::Text},
                       {"EmailServerUser", T::Text},
                       {"EmailServerPassword", T::Text},
                       {"EnteredDate", T::Date},
                       {"EnteredBy", T::Text}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("Permission"), cols({{"ID", T::Integer}, {"Name", T::Text}}), {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("UserPermission"), cols({{"UserID", T::Integer}, {"PermissionID", T::Integer}}), {}});
    t.push_back({QStringLiteral("Customer"),
                 cols({{"Customer", T::Text},       {"Address1", T::Text},    {"Address2", T::Text},
                       {"City", T::Text},           {"State", T::Text},       {"Zip", T::Text},
                       {"Phone", T::Text},          {"Fax", T::Text},         {"Status", T::Text},
                       {"DateAdded", T::Date},      {"ShipTo", T::Text},      {"ShipToAddress1", T::Text},
                       {"ShipToAddress2", T::Text}, {"ShipToCity", T::Text},  {"ShipToState", T::Text},
                       {"ShipToZip", T::Text},      {"ShipToPhone", T::Text}, {"ShipToFax", T::Text},
                       {"Terms", T::Text},          {"Days", T::Integer},     {"SalesRepID", T::Integer},
                       {"ID", T::Counter}}),
                 {QStringLiteral("Customer")}});
    t.push_back({QStringLiteral("Vendor"),
                 cols({{"Vendor", T::Text},
                       {"Address1", T::Text},
                       {"Address2", T::Text},
                       {"City", T::Text},
                       {"State", T::Text},
                       {"Zip", T::Text},
                       {"Phone", T::Text},
                       {"Fax", T::Text},
                       {"Contact", T::Text},
                       {"Status", T::Text},
                       {"DateAdded", T::Date}}),
                 {QStringLiteral("Vendor")}});
    t.push_back({QStringLiteral("Plants"), cols({{"Name", T::Text}}), {}});
    t.push_back({QStringLiteral("StyleType"),
                 cols({{"ID", T::Text}, {"Description", T::Text}, {"Status", T::Text}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("Bun"),
                 cols({{"ID", T::Text},
                       {"Width", T::Number},
                       {"Length", T::Number},
                       {"Grade", T::Text},
                       {"Vendor", T::Text},
                       {"Status", T::Text},
                       {"OffAll", T::Flag}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("Component"),
                 cols({{"ID", T::Text},
                       {"Description", T::Text},
                       {"Thickness", T::Number},
                       {"Width", T::Number},
                       {"Length", T::Number},
                       {"CutStyle", T::Text},
                       {"Test", T::Flag},
                       {"TestRange", T::Text},
                       {"Topped", T::Text},
                       {"BunID", T::Text},
                       {"RailsPerBun", T::Number},
                       {"PiecesPerRail", T::Number},
                       {"PrintOnShipping", T::Flag},
                       {"Arm", T::Flag},
                       {"Tie", T::Flag},
                       {"Status", T::Text},
                       {"Plant", T::Text},
                       {"QtyPerBuggy", T::Integer}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("Operation"),
                 cols({{"Station", T::Text}, {"ReportType", T::Text}, {"Teams", T::Integer}, {"Status", T::Text}}),
                 {QStringLiteral("Station")}});
    t.push_back({QStringLiteral("Data"),
                 cols({{"ID", T::Text},
                       {"LaborCostPerHour", T::Number},
                       {"NonArmPerHour", T::Number},
                       {"SprayLineNonArmPerHour", T::Number},
                       {"LaborPercent", T::Number}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("Style"),
                 cols({{"ID", T::Counter},
                       {"Customer", T::Text},
                       {"Name", T::Text},
                       {"Type", T::Text},
                       {"Cost", T::Number},
                       {"Price", T::Number},
                       {"Status", T::Text},
                       {"GroupField", T::Text}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("StyleComponent"),
                 cols({{"ID", T::Counter},
                       {"StyleID", T::Integer},
                       {"ComponentID", T::Text},
                       {"Qty", T::Number},
                       {"BuggySheet", T::Integer}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("StyleOperation"),
                 cols({{"ID", T::Counter},
                       {"OperationID", T::Text},
                       {"Instructions", T::Text},
                       {"Thickness", T::Number},
                       {"Width", T::Number},
                       {"Length", T::Number},
                       {"StyleID", T::Integer},
                       {"ComponentID", T::Integer},
                       {"SplitQty", T::Number},
                       {"Operation2ID", T::Text},
                       {"Plant2", T::Text}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("Orders"),
                 cols({{"ID", T::Counter},
                       {"OrderNumber", T::Text},
                       {"Customer", T::Text},
                       {"OrderDate", T::Date},
                       {"DueDate", T::Date},
                       {"ShipTo", T::Text},
                       {"ShipToAddress1", T::Text},
                       {"ShipToAddress2", T::Text},
                       {"ShipToCity", T::Text},
                       {"ShipToState", T::Text},
                       {"ShipToZip", T::Text},
                       {"ShipToPhone", T::Text},
                       {"ShipToFax", T::Text},
                       {"Status", T::Text},
                       {"DateAdded", T::Date},
                       {"Total", T::Number},
                       {"SalesRepID", T::Integer}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("OrderItems"),
                 cols({{"OrderID", T::Integer},
                       {"ItemNumber", T::Integer},
                       {"Line", T::Text},
                       {"Qty", T::Number},
                       {"StyleID", T::Integer},
                       {"PriceEach", T::Number},
                       {"PriceExt", T::Number}}),
                 {QStringLiteral("OrderID"), QStringLiteral("ItemNumber")}});
    t.push_back({QStringLiteral("OrdersToBatch"), cols({{"OrderID", T::Integer}}), {}});
    t.push_back({QStringLiteral("Shipments"),
                 cols({{"ID", T::Counter}, {"OrderID", T::Integer}, {"Date", T::Date}}),
                 {QStringLiteral("ID")}});
    t.push_back(
        {QStringLiteral("ShipmentItems"),
         cols({{"ShipmentID", T::Integer}, {"OrderID", T::Integer}, {"OrderLineItem", T::Integer}, {"Qty", T::Number}}),
         {}});
    t.push_back({QStringLiteral("Invoice"),
                 cols({{"ID", T::Counter},
                       {"Customer", T::Text},
                       {"InvoiceDate", T::Date},
                       {"DueDate", T::Date},
                       {"Subtotal", T::Number},
                       {"Freight", T::Number},
                       {"Misc", T::Number},
                       {"Total", T::Number},
                       {"MemoField", T::Text}}),
                 {QStringLiteral("ID")}});
    t.push_back({QStringLiteral("InvoiceOrders"), cols({{"Invoice", T::Integer}, {"OrderID", T::Integer}}), {}});
    t.push_back({QStringLiteral("OrdersInvoiced"), cols({{"OrderID", T::Integer}}), {}});
    t.push_back({QStringLiteral("Payments"),
                 cols({{"Invoice", T::Integer}, {"Date", T::Date}, {"Amount", T::Number}, {"Adjustment", T::Number}}),
                 {}});

    Table report{QStringLiteral("tmpReportData"),
                 cols({{"OrderID", T::Integer},
                       {"Customer", T::Text},
                       {"OrderDate", T::Date},
                       {"DueDate", T::Date},
                       {"OrderNumber", T::Text},
                       {"LineNumber", T::Text},
                       {"StyleName", T::Text},
                       {"ComponentID", T::Text},
                       {"Qty", T::Number},
                       {"Description", T::Text},
                       {"CThickness", T::Number},
                       {"CWidth", T::Number},
                       {"CLength", T::Number},
                       {"CutStyle", T::Text},
                       {"Test", T::Flag},
                       {"TestRange", T::Text},
                       {"Topped", T::Text},
                       {"RailsPerBun", T::Number},
                       {"PiecesPerRail", T::Number},
                       {"PrintOnShipping", T::Flag},
                       {"Arm", T::Flag},
                       {"Tie", T::Flag},
                       {"OperationID", T::Text},
                       {"ReportType", T::Text},
                       {"Instructions", T::Text},
                       {"OThickness", T::Number},
                       {"OWidth", T::Number},
                       {"OLength", T::Number},
                       {"BWidth", T::Number},
                       {"BLength", T::Number},
                       {"Grade", T::Text},
                       {"OffAll", T::Flag},
                       {"Plant", T::Text},
                       {"Vendor", T::Text},
                       {"BunID", T::Text}}),
                 {},
                 true};
    t.push_back(report);
    t.push_back({QStringLiteral("tmpLoadSheet"),
                 cols({{"OrderID", T::Integer},
                       {"ItemNumber", T::Integer},
                       {"Qty", T::Number},
                       {"Truck", T::Integer},
                       {"PrintOrder", T::Integer}}),
                 {},
                 true});
    return t;
}

// Indexes that keep lookups and the catalogue tree fast; the natural keys
// typed by users are unique (without regard to case) so that two workstations
// saving the same new customer cannot create it twice.
struct IndexDef {
    const char *table;
    const char *columns;
    bool unique;
};
const IndexDef kIndexes[] = {
    {"State", "State", true},
    {"UserType", "Name", true},
    {"Permission", "ID", true},
    {"Permission", "Name", true},
    {"UserPermission", "UserID", false},
    {"Customer", "Customer", true},
    {"Customer", "SalesRepID", false},
    {"Vendor", "Vendor", true},
    {"StyleType", "ID", true},
    {"Bun", "ID", true},
    {"Component", "ID", true},
    {"Operation", "Station", true},
    {"Data", "ID", true},
    // One style per customer, name and type, without regard to case (the
    // text columns compare that way).
    {"Style", "Customer,Name,Type", true},
    {"StyleComponent", "StyleID", false},
    {"StyleComponent", "ComponentID", false},
    {"StyleOperation", "StyleID,ComponentID", false},
    {"StyleOperation", "ComponentID", false},
    // The navigator lists orders by customer and number.
    {"Orders", "Customer,OrderNumber", false},
    {"Orders", "SalesRepID", false},
    {"OrderItems", "OrderID,ItemNumber", true},
    {"OrderItems", "StyleID", false},
    {"OrdersToBatch", "OrderID", false},
    {"Shipments", "OrderID", false},
    {"ShipmentItems", "ShipmentID", false},
    {"ShipmentItems", "OrderID,OrderLineItem", false},
    {"InvoiceOrders", "Invoice", false},
    {"InvoiceOrders", "OrderID", false},
    {"OrdersInvoiced", "OrderID", false},
    {"Payments", "Invoice", false},
};

QString ident(const QString &name, Dialect dialect)
{
    return QLatin1Char('"') + (dialect == Dialect::PostgreSQL ? name.toLower() : name) + QLatin1Char('"');
}

QString indexStatement(const QString &index, const QString &table, const QStringList &columns, bool unique)
{
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(unique ? QStringLiteral("UNIQUE ") : QString(), index, table, columns.join(QStringLiteral(", ")));
}

QString columnType(ColumnType type, Dialect dialect)
{
    const bool pg = dialect == Dialect::PostgreSQL;
    switch (type) {
    case T::Text:
        return pg ? QStringLiteral("citext") : QStringLiteral("TEXT COLLATE NOCASE");
    case T::Integer:
        return pg ? QStringLiteral("integer") : QStringLiteral("INTEGER");
    case T::Number:
        return pg ? QStringLiteral("double precision") : QStringLiteral("REAL");
    case T::Date:
        return pg ? QStringLiteral("timestamp(0)") : QStringLiteral("TEXT");
    case T::Flag:
        return pg ? QStringLiteral("smallint") : QStringLiteral("INTEGER");
    case T::Counter:
        return pg ? QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
                  : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    }
    return {};
}

// IsNumeric, Len, Replicate and a ROUND for double precision, with the same
// meaning as the SQLite functions registered at connection open.
const char *kPgFunctions[] = {
    R"(CREATE OR REPLACE FUNCTION isnumeric(text) RETURNS integer LANGUAGE sql IMMUTABLE AS
       $$ SELECT CASE WHEN $1 ~ '^\s*[+-]?\s*([0-9]+\.?[0-9]*|\.[0-9]+)\s*$' THEN 1 ELSE 0 END $$)",
    R"(CREATE OR REPLACE FUNCTION isnumeric(double precision) RETURNS integer LANGUAGE sql IMMUTABLE AS
       $$ SELECT CASE WHEN $1 IS NULL THEN 0 ELSE 1 END $$)",
    R"(CREATE OR REPLACE FUNCTION len(text) RETURNS integer LANGUAGE sql IMMUTABLE AS
       $$ SELECT length(rtrim($1, ' ')) $$)",
    R"(CREATE OR REPLACE FUNCTION replicate(text, integer) RETURNS text LANGUAGE sql IMMUTABLE AS
       $$ SELECT CASE WHEN $2 < 0 THEN NULL ELSE repeat($1, $2) END $$)",
    R"(CREATE OR REPLACE FUNCTION round(double precision, integer) RETURNS double precision LANGUAGE sql IMMUTABLE AS
       $$ SELECT round($1::numeric, $2)::double precision $$)",
};

} // namespace

const Column *Table::column(const QString &n) const
{
    for (const Column &c : columns)
        if (c.name.compare(n, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const Column *Table::counter() const
{
    for (const Column &c : columns)
        if (c.type == ColumnType::Counter)
            return &c;
    return nullptr;
}

const std::vector<Table> &schemaTables()
{
    static const std::vector<Table> tables = buildTables();
    return tables;
}

const Table *findTable(const QString &name)
{
    for (const Table &t : schemaTables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const QStringList &permissionNames()
{
    static const QStringList names = {
        QStringLiteral("Company Info"),
        QStringLiteral("Order Navigator"),
        QStringLiteral("Order Entry/Edit"),
        QStringLiteral("Reports - Production"),
        QStringLiteral("Shipment Navigator"),
        QStringLiteral("Shipment Entry/Edit"),
        QStringLiteral("Load Sheet Entry/Edit"),
        QStringLiteral("Customer Entry/Edit"),
        QStringLiteral("Vendor Entry/Edit"),
        QStringLiteral("Style Entry/Edit"),
        QStringLiteral("Style Price Change"),
        QStringLiteral("Invoice Entry/Edit"),
        QStringLiteral("Receive Payments"),
        QStringLiteral("User Entry/Edit"),
        QStringLiteral("User Entry"),
        QStringLiteral("Reports - Order Report"),
        QStringLiteral("Reports - Sales By Customer"),
        QStringLiteral("Reports - Shipping Manager"),
        QStringLiteral("Reports - Administrative"),
        QStringLiteral("Reports - Invoice"),
        QStringLiteral("Reports - Open Invoice"),
        QStringLiteral("Reports - Customer Statement"),
    };
    return names;
}

const QStringList &stateCodes()
{
    static const QStringList codes =
        QStringLiteral(
            "AK AL AR AZ CA CO CT DC DE FL GA HI IA ID IL IN KS KY LA MA MD ME MI MN MO MS MT NC ND NE NH NJ NM NV NY "
            "OH OK OR PA RI SC SD TN TX UT VA VT WA WI WV WY")
            .split(QLatin1Char(' '));
    return codes;
}

QStringList tableDdl(const Table &table, Dialect dialect, const QString &qualifier)
{
    QStringList columns;
    for (const Column &c : table.columns)
        columns << ident(c.name, dialect) + QLatin1Char(' ') + columnType(c.type, dialect);
    QString name = ident(table.name, dialect);
    if (!qualifier.isEmpty())
        name = qualifier + QLatin1Char('.') + name;
    QStringList out;
    if (table.workTable)
        out << QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS %1 (%2)").arg(name, columns.join(QStringLiteral(", ")));
    else
        out << QStringLiteral("CREATE TABLE %1 (%2)").arg(name, columns.join(QStringLiteral(", ")));
    if (table.workTable)
        return out;
    int n = 0;
    for (const IndexDef &ix : kIndexes) {
        if (table.name != QLatin1String(ix.table))
            continue;
        QStringList on;
        for (const QString &c : QString::fromLatin1(ix.columns).split(QLatin1Char(',')))
            on << ident(c, dialect);
        const QString indexName = QStringLiteral("ix_%1_%2").arg(table.name.toLower()).arg(++n);
        // SQLite names the index inside the qualified database; PostgreSQL puts
        // it beside its table.
        const QString qualifiedIndex =
            (!qualifier.isEmpty() && dialect == Dialect::SQLite) ? qualifier + QLatin1Char('.') + indexName : indexName;
        const QString target = (!qualifier.isEmpty() && dialect == Dialect::SQLite) ? ident(table.name, dialect) : name;
        out << indexStatement(qualifiedIndex, target, on, ix.unique);
    }
    return out;
}

QString createIndexStatement(const QString &table, int number, const QStringList &columns, bool unique, Dialect dialect)
{
    QStringList on;
    for (const QString &c : columns)
        on << ident(c, dialect);
    return indexStatement(QStringLiteral("ix_%1_%2").arg(table.toLower()).arg(number), ident(table, dialect), on,
                          unique);
}

bool hasSchema(Database &db)
{
    return db.tableExists(QStringLiteral("Company"));
}

static void createTables(Database &db, const QString &qualifier)
{
    for (const Table &t : schemaTables())
        if (!t.workTable)
            for (const QString &ddl : tableDdl(t, db.dialect(), qualifier))
                db.executeNative(ddl);
}

void createSchema(Database &db)
{
    if (hasSchema(db))
        throw DbError(QStringLiteral("The database already holds the Bunline tables; nothing was changed."));
    Transaction tx(db);
    if (db.dialect() == Dialect::PostgreSQL) {
        db.executeNative(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
        for (const char *f : kPgFunctions)
            db.executeNative(QString::fromLatin1(f));
    }
    createTables(db, {});
    for (int i = 0; i < permissionNames().size(); ++i)
        db.execute(QStringLiteral("INSERT INTO Permission (ID, Name) VALUES (%1, %2)")
                       .arg(sqlNumber(i + 1), sqlText(permissionNames()[i])));
    for (const char *type : {"Admin", "User"})
        db.execute(QStringLiteral("INSERT INTO UserType (Name) VALUES (%1)").arg(sqlText(QString::fromLatin1(type))));
    for (const QString &code : stateCodes())
        db.execute(QStringLiteral("INSERT INTO State (State) VALUES (%1)").arg(sqlText(code)));
    writeSchemaVersion(db, kSchemaVersion);
    tx.commit();
}

void createTablesIn(Database &db, const QString &qualifier)
{
    Transaction tx(db);
    if (db.dialect() == Dialect::PostgreSQL)
        db.executeNative(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(qualifier));
    createTables(db, qualifier);
    tx.commit();
}

void createWorkTables(Database &db)
{
    for (const Table &t : schemaTables())
        if (t.workTable)
            for (const QString &ddl : tableDdl(t, db.dialect()))
                db.executeNative(ddl);
}

} // namespace data
