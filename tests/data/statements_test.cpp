// The statement shapes the screens and reports write, run on each backend.
#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "support/testdatabase.h"

#include <QDateTime>

using namespace data;

namespace {

class Statements : public testsupport::BackendTest {
protected:
    QStringList column(const QString &statement, const QString &name)
    {
        QStringList out;
        Recordset rs = db().query(statement);
        for (; !rs.isEOF(); rs.moveNext())
            out << rs.text(name);
        return out;
    }
    void addComponent(const QString &id, const QString &description = QStringLiteral("part"))
    {
        addRow(db(), QStringLiteral("Component"),
               {{QStringLiteral("ID"), id}, {QStringLiteral("Description"), description}});
    }
};

TEST_P(Statements, NumericCodesSortByValueAheadOfTextCodes)
{
    for (const char *id : {"A1", "10", "9", "100", "B2", "09x"})
        addComponent(QString::fromLatin1(id));
    EXPECT_EQ(column(QStringLiteral("SELECT ID FROM Component ORDER BY case IsNumeric(ID) when 1 then "
                                    "Replicate('0', 100 - Len(ID)) + ID else ID end"),
                     QStringLiteral("ID")),
              (QStringList{"9", "10", "100", "09x", "A1", "B2"}));
}

TEST_P(Statements, HelperFunctionsMeanTheSameOnEveryBackend)
{
    struct Case {
        const char *expr;
        const char *expected;
    };
    const Case cases[] = {
        {"IsNumeric('12')", "1"},
        {"IsNumeric(' -12.5 ')", "1"},
        {"IsNumeric('.5')", "1"},
        {"IsNumeric('5.')", "1"},
        {"IsNumeric('1.2.3')", "0"},
        {"IsNumeric('.')", "0"},
        {"IsNumeric('')", "0"},
        {"IsNumeric('12abc')", "0"},
        {"IsNumeric('A1')", "0"},
        {"Len('ab  ')", "2"},
        {"Len('')", "0"},
        {"Replicate('0', 3)", "000"},
        {"ISNULL(Replicate('0', -1), 'null')", "null"},
        {"ROUND(2.345 * 1.0, 2)", "2.35"},
    };
    for (const Case &c : cases) {
        Recordset rs = db().query(QStringLiteral("SELECT %1 AS v").arg(QLatin1String(c.expr)));
        EXPECT_EQ(rs.text(QStringLiteral("v")).toStdString(), std::string(c.expected)) << c.expr;
    }
}

TEST_P(Statements, TopInASubqueryLimitsOnlyThatSubquery)
{
    for (int i = 1; i <= 5; ++i)
        addRow(db(), QStringLiteral("Shipments"), {{QStringLiteral("OrderID"), i}});
    EXPECT_EQ(
        column(QStringLiteral("SELECT ID FROM Shipments WHERE ID IN (SELECT TOP 2 ID FROM Shipments ORDER BY ID DESC) "
                              "ORDER BY ID"),
               QStringLiteral("ID")),
        (QStringList{"4", "5"}));
    EXPECT_EQ(column(QStringLiteral("SELECT TOP 1 * FROM Shipments ORDER BY ID DESC"), QStringLiteral("ID")),
              QStringList{"5"});
}

TEST_P(Statements, SelectIntoMakesAPrivateWorkTableThatDropTableRemoves)
{
    addRow(db(), QStringLiteral("Operation"),
           {{QStringLiteral("Station"), QStringLiteral("Glue Line 1")},
            {QStringLiteral("ReportType"), QStringLiteral("Glue Line")}});
    addRow(db(), QStringLiteral("Data"),
           {{QStringLiteral("ID"), QStringLiteral("Data")}, {QStringLiteral("NonArmPerHour"), 45}});
    DropTable(db(), QStringLiteral("tmpGlueLineMain"));
    db().execute(QStringLiteral("SELECT Station,NonArmPerHour As Rate Into tmpGlueLineMain From Operation, Data "
                                "Where ReportType = 'Glue Line'"));
    Recordset rs = db().query(QStringLiteral("SELECT Station, Rate FROM tmpGlueLineMain"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text(QStringLiteral("station")), QStringLiteral("Glue Line 1"));
    EXPECT_DOUBLE_EQ(rs.number(QStringLiteral("RATE")), 45);
    // A second workstation never sees it.
    auto other = temp().openAnother();
    EXPECT_THROW(other->query(QStringLiteral("SELECT * FROM tmpGlueLineMain")), DbError);
    DropTable(db(), QStringLiteral("tmpGlueLineMain"));
    EXPECT_THROW(db().query(QStringLiteral("SELECT * FROM tmpGlueLineMain")), DbError);
    // Dropping what does not exist is quiet, also inside a transaction.
    Transaction tx(db());
    DropTable(db(), QStringLiteral("tmpNeverMade"));
    db().execute(QStringLiteral("INSERT INTO Plants (Name) VALUES('Elkhart')"));
    tx.commit();
    EXPECT_EQ(column(QStringLiteral("SELECT Name FROM Plants"), QStringLiteral("Name")), QStringList{"Elkhart"});
}

TEST_P(Statements, QuotedNamesConcatenationAndIsNullRun)
{
    addRow(db(), QStringLiteral("Operation"),
           {{QStringLiteral("Station"), QStringLiteral("CNC")}, {QStringLiteral("ReportType"), QStringLiteral("CNC")}});
    addRow(db(), QStringLiteral("Style"),
           {{QStringLiteral("Customer"), QStringLiteral("Amberline")},
            {QStringLiteral("Name"), QStringLiteral("1200")},
            {QStringLiteral("Type"), QStringLiteral("SOFA")}});
    addRow(
        db(), QStringLiteral("Style"),
        {{QStringLiteral("Customer"), QStringLiteral("Amberline")}, {QStringLiteral("Name"), QStringLiteral("1200")}});
    EXPECT_EQ(column(QStringLiteral("SELECT [Operation].[ReportType] FROM [Operation]"), QStringLiteral("ReportType")),
              QStringList{"CNC"});
    EXPECT_EQ(
        column(QStringLiteral("SELECT Style.Name + '-' + ISNULL(Style.Type, '?') AS StyleName FROM Style ORDER BY ID"),
               QStringLiteral("StyleName")),
        (QStringList{"1200-SOFA", "1200-?"}));
    EXPECT_EQ(column(QStringLiteral(
                         "SELECT ISNULL(Type, 'NONE') AS T, COUNT(ID) AS N FROM Style GROUP BY ISNULL(Type, 'NONE') "
                         "ORDER BY ISNULL(Type, 'NONE')"),
                     QStringLiteral("T")),
              (QStringList{"NONE", "SOFA"}));
    EXPECT_EQ(column(QStringLiteral("SELECT Username FROM [User]"), QStringLiteral("Username")), QStringList{});
}

TEST_P(Statements, TextComparesWithoutRegardToCase)
{
    addRow(db(), QStringLiteral("Customer"),
           {{QStringLiteral("Customer"), QStringLiteral("Amberline Furniture")},
            {QStringLiteral("Status"), QStringLiteral("Active")}});
    addComponent(QStringLiteral("A120"));
    addComponent(QStringLiteral("B7"));
    EXPECT_EQ(column(QStringLiteral("SELECT * FROM Customer WHERE Customer = 'AMBERLINE furniture'"),
                     QStringLiteral("Customer")),
              QStringList{"Amberline Furniture"});
    EXPECT_EQ(column(QStringLiteral("SELECT ID FROM Component WHERE ID LIKE '%a12%'"), QStringLiteral("ID")),
              QStringList{"A120"});
    // The natural key is unique whatever the case, so a second workstation cannot add it twice.
    EXPECT_THROW(
        addRow(db(), QStringLiteral("Customer"), {{QStringLiteral("Customer"), QStringLiteral("AMBERLINE FURNITURE")}}),
        DbError);
}

TEST_P(Statements, QuotesInValuesRoundTripThroughEveryHelper)
{
    const QString station = QStringLiteral("6' Saw");
    const QString customer = QStringLiteral("O'Brien's \"Best\" Foam; DROP TABLE Orders --");
    db().execute(
        QStringLiteral("INSERT INTO Operation (Station, ReportType) VALUES (%1, 'Band Saw')").arg(sqlText(station)));
    addRow(db(), QStringLiteral("Customer"),
           {{QStringLiteral("Customer"), customer}, {QStringLiteral("City"), QStringLiteral("x")}});

    EXPECT_EQ(column(QStringLiteral("SELECT Station FROM Operation WHERE Station = %1").arg(sqlText(station)),
                     QStringLiteral("Station")),
              QStringList{station});
    EXPECT_EQ(column(QStringLiteral("SELECT Customer FROM Customer WHERE Customer LIKE %1")
                         .arg(sqlLikeContains(QStringLiteral("'Brien's"))),
                     QStringLiteral("Customer")),
              QStringList{customer});
    Recordset rs = db().query(QStringLiteral("SELECT * FROM Customer WHERE Customer = %1").arg(sqlText(customer)));
    rs.setValue(QStringLiteral("City"), QStringLiteral("St. John's"));
    rs.update();
    EXPECT_EQ(column(QStringLiteral("SELECT City FROM Customer"), QStringLiteral("City")), QStringList{"St. John's"});
    EXPECT_TRUE(db().tableExists(QStringLiteral("Orders")));
}

TEST_P(Statements, DatesAreWrittenAndComparedAsDates)
{
    const QDateTime when(QDate(2016, 12, 31), QTime(10, 30, 0));
    addRow(db(), QStringLiteral("Orders"),
           {{QStringLiteral("OrderNumber"), QStringLiteral("A")}, {QStringLiteral("OrderDate"), when}});
    addRow(db(), QStringLiteral("Orders"),
           {{QStringLiteral("OrderNumber"), QStringLiteral("B")},
            {QStringLiteral("OrderDate"), QStringLiteral("1/2/2017")}});
    Recordset rs = db().query(QStringLiteral("SELECT * FROM Orders WHERE OrderDate >= %1 AND OrderDate <= '2017-01-02'")
                                  .arg(sqlDate(QDate(2016, 12, 31))));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.dateTime(QStringLiteral("OrderDate")), when);
    rs.moveNext();
    EXPECT_EQ(rs.dateTime(QStringLiteral("OrderDate")).date(), QDate(2017, 1, 2));
}

TEST_P(Statements, TextExpressionsJoinShortDatesCompareAndCaseIsIgnoredAlike)
{
    addRow(db(), QStringLiteral("Style"),
           {{QStringLiteral("Customer"), QStringLiteral("Amberline")},
            {QStringLiteral("Name"), QStringLiteral("1200")},
            {QStringLiteral("Type"), QStringLiteral("sofa")}});
    // "+" between text columns and text functions joins text, as it does
    // beside a literal; numbers still add.
    EXPECT_EQ(column(QStringLiteral("SELECT Name + Type AS x FROM Style"), QStringLiteral("x")),
              QStringList{"1200sofa"});
    EXPECT_EQ(column(QStringLiteral("SELECT s.Name + UPPER(s.Type) AS x FROM Style s"), QStringLiteral("x")),
              QStringList{"1200SOFA"});
    EXPECT_EQ(column(QStringLiteral("SELECT ISNULL(Customer, Name) + Name AS x FROM Style"), QStringLiteral("x")),
              QStringList{"Amberline1200"});
    EXPECT_EQ(column(QStringLiteral("SELECT ID + ID AS x FROM Style"), QStringLiteral("x")).size(), 1);
    // Computed text compared with a case-insensitive column ignores case too.
    EXPECT_EQ(column(QStringLiteral("SELECT Name FROM Style WHERE Type = UPPER('So') + 'FA'"), QStringLiteral("Name")),
              QStringList{"1200"});
    EXPECT_EQ(column(QStringLiteral("SELECT Name FROM Style WHERE UPPER(Type) = Type"), QStringLiteral("Name")),
              QStringList{"1200"});

    addRow(db(), QStringLiteral("Orders"),
           {{QStringLiteral("OrderNumber"), QStringLiteral("A")}, {QStringLiteral("OrderDate"), QDate(2026, 12, 8)}});
    addRow(db(), QStringLiteral("Orders"),
           {{QStringLiteral("OrderNumber"), QStringLiteral("B")}, {QStringLiteral("OrderDate"), QDate(2026, 12, 9)}});
    for (const char *where :
         {"OrderDate >= '12/08/2026'", "'12/8/2026' <= OrderDate", "OrderDate BETWEEN '12/8/2026' AND '12/9/2026'"})
        EXPECT_EQ(column(QStringLiteral("SELECT OrderNumber FROM Orders WHERE %1 ORDER BY OrderNumber")
                             .arg(QLatin1String(where)),
                         QStringLiteral("OrderNumber")),
                  (QStringList{"A", "B"}))
            << where;
}

TEST_P(Statements, LinkedServerTablesAreReachedByFourPartNames)
{
    std::unique_ptr<Database> local;
    if (isPostgres()) {
        const QString server = temp().schema() + QStringLiteral("_srv");
        createTablesIn(db(), server);
        local = Database::open(temp().connectionString() + QStringLiteral(";LinkedSchema=") + server);
    } else {
        const QString file = temp().directory() + QStringLiteral("/server.db");
        OpenOptions create;
        create.create = true;
        createSchema(*Database::open(QStringLiteral("Driver=SQLite;Database=") + file, create));
        local = Database::open(temp().connectionString() + QStringLiteral(";LinkedServer=") + file);
    }
    local->execute(QStringLiteral("INSERT INTO Vendor (Vendor) VALUES ('Kept'), ('Gone')"));
    local->execute(QStringLiteral("INSERT INTO [QuorlanServer].QuorlanData.dbo.Vendor (Vendor) VALUES ('Kept')"));
    local->execute(
        QStringLiteral("INSERT INTO [QuorlanServer].QuorlanData.dbo.Orders (OrderNumber,Customer,DateAdded,Total) "
                       " VALUES ('PO-1','Amberline','2016-08-01',10);"));
    EXPECT_EQ(local->execute(QStringLiteral("DELETE FROM QuorlanDataLocal.dbo.Vendor WHERE Vendor NOT IN "
                                            "(SELECT Vendor FROM [QuorlanServer].QuorlanData.dbo.Vendor)")),
              1);
    Recordset rs =
        local->query(QStringLiteral("SELECT TOP 1 * FROM [QuorlanServer].QuorlanData.dbo.Orders ORDER BY ID DESC"));
    ASSERT_FALSE(rs.isEmpty());
    EXPECT_EQ(rs.text(QStringLiteral("OrderNumber")), QStringLiteral("PO-1"));
    EXPECT_EQ(local->query(QStringLiteral("SELECT * FROM Orders")).recordCount(), 0);
}

TEST_P(Statements, AFailingStatementCarriesTheMessageAndBothStatements)
{
    try {
        db().query(QStringLiteral("SELECT TOP 1 NoSuchColumn FROM [User]"));
        FAIL() << "the statement should fail";
    } catch (const DbError &e) {
        EXPECT_FALSE(e.message().isEmpty());
        EXPECT_EQ(e.statement(), QStringLiteral("SELECT TOP 1 NoSuchColumn FROM [User]"));
        EXPECT_TRUE(e.translated().contains(QLatin1String("LIMIT 1"))) << e.translated().toStdString();
        EXPECT_TRUE(e.text().contains(QLatin1String("NoSuchColumn")));
    }
    // The connection is still usable afterwards.
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM UserType ORDER BY Name")).recordCount(), 2);
}

TEST_P(Statements, ATransactionThatFailsLeavesNothingBehind)
{
    try {
        Transaction tx(db());
        addRow(db(), QStringLiteral("Orders"), {{QStringLiteral("OrderNumber"), QStringLiteral("PO-9")}});
        db().execute(QStringLiteral("INSERT INTO OrderItems (OrderID, ItemNumber, Nonsense) VALUES (1, 1, 2)"));
        tx.commit();
        FAIL() << "the insert should fail";
    } catch (const DbError &) {
    }
    EXPECT_TRUE(db().query(QStringLiteral("SELECT * FROM Orders")).isEmpty());
    EXPECT_FALSE(db().inTransaction());
}

TEST_P(Statements, ReferenceRowsArePresent)
{
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM Permission")).recordCount(), permissionNames().size());
    EXPECT_EQ(column(QStringLiteral("SELECT * FROM UserType ORDER BY Name"), QStringLiteral("Name")),
              (QStringList{"Admin", "User"}));
    EXPECT_FALSE(db().query(QStringLiteral("SELECT State FROM State WHERE State = 'IN'")).isEmpty());
    EXPECT_FALSE(
        db().query(QStringLiteral("SELECT ID FROM Permission WHERE Name = 'Reports - Customer Statement'")).isEmpty());
}

BUNLINE_ON_EVERY_BACKEND(Statements);

} // namespace
