#include "data/sqltranslator.h"

#include <gtest/gtest.h>

using data::Dialect;
using data::translateStatement;

namespace {

QString sqlite(const QString &s)
{
    return translateStatement(s, {Dialect::SQLite, QStringLiteral("quorlanserver")});
}
QString pg(const QString &s)
{
    return translateStatement(s, {Dialect::PostgreSQL, QStringLiteral("srv")});
}

struct Case {
    const char *written;
    const char *sqlite;
    const char *postgres; // nullptr: same as SQLite
};

class TranslationTable : public ::testing::TestWithParam<Case> {};

TEST_P(TranslationTable, TranslatesForEachBackend)
{
    const Case &c = GetParam();
    EXPECT_EQ(sqlite(QString::fromUtf8(c.written)).toStdString(), std::string(c.sqlite));
    EXPECT_EQ(pg(QString::fromUtf8(c.written)).toStdString(), std::string(c.postgres ? c.postgres : c.sqlite));
}

INSTANTIATE_TEST_SUITE_P(
    Constructs, TranslationTable,
    ::testing::Values(
        // "+" joins text when an operand is a text column or a text function.
        Case{"SELECT Name + Type FROM Style", "SELECT Name || Type FROM Style", nullptr},
        Case{"SELECT s.Name + UPPER(s.Type) FROM Style s", "SELECT s.Name || UPPER(s.Type) FROM Style s", nullptr},
        Case{"SELECT ID + 1 FROM Style", "SELECT ID + 1 FROM Style", nullptr},
        Case{"SELECT Qty + PriceEach FROM OrderItems", "SELECT Qty + PriceEach FROM OrderItems", nullptr},
        // A short date compared with a date column is the ISO date.
        Case{"SELECT * FROM Orders WHERE OrderDate < '12/08/2026'",
             "SELECT * FROM Orders WHERE OrderDate < '2026-12-08'", nullptr},
        Case{"SELECT * FROM Orders WHERE OrderNumber = '12/08/2026'",
             "SELECT * FROM Orders WHERE OrderNumber = '12/08/2026'", nullptr},
        // Computed text compared with a case-insensitive column, on PostgreSQL.
        Case{"SELECT * FROM Style WHERE Type = UPPER('a') + 'b'", "SELECT * FROM Style WHERE Type = UPPER('a') || 'b'",
             "SELECT * FROM Style WHERE Type = CAST(UPPER('a') || 'b' AS citext)"},
        Case{"SELECT * FROM Style WHERE Type = 'ab'", "SELECT * FROM Style WHERE Type = 'ab'", nullptr},
        // TOP at the top level, with DISTINCT, in a subquery, and before ORDER BY.
        Case{"SELECT TOP 1 * FROM Company", "SELECT * FROM Company LIMIT 1", nullptr},
        Case{"SELECT TOP 1 *  FROM Shipments", "SELECT *  FROM Shipments LIMIT 1", nullptr},
        Case{"SELECT DISTINCT TOP 5 Name FROM Style ORDER BY Name",
             "SELECT DISTINCT Name FROM Style ORDER BY Name LIMIT 5",
             "SELECT DISTINCT Name FROM Style ORDER BY Name NULLS FIRST LIMIT 5"},
        Case{
            "SELECT * FROM Orders WHERE ID IN (SELECT TOP 2 ID FROM Orders ORDER BY ID DESC) ORDER BY ID",
            "SELECT * FROM Orders WHERE ID IN (SELECT ID FROM Orders ORDER BY ID DESC LIMIT 2) ORDER BY ID",
            "SELECT * FROM Orders WHERE ID IN (SELECT ID FROM Orders ORDER BY ID DESC NULLS LAST LIMIT 2) ORDER BY ID NULLS FIRST"},
        Case{"SELECT TOP 1 ID FROM Orders;", "SELECT ID FROM Orders LIMIT 1;", nullptr},
        // ISNULL in select and group lists; a column merely named like it stays.
        Case{"SELECT ISNULL(SUM(Qty),0) AS Shipped FROM ShipmentItems GROUP BY ISNULL(OrderID, 0)",
             "SELECT COALESCE(SUM(Qty),0) AS Shipped FROM ShipmentItems GROUP BY COALESCE(OrderID, 0)", nullptr},
        // Text concatenation, numeric addition left alone.
        Case{"SELECT Style.Name + '-' + Style.Type AS StyleName FROM Style",
             "SELECT Style.Name || '-' || Style.Type AS StyleName FROM Style", nullptr},
        Case{"SELECT Style.Name+'-'+Style.Type FROM Style", "SELECT Style.Name||'-'||Style.Type FROM Style", nullptr},
        Case{"SELECT SUM(Amount) + SUm(Adjustment) FROM Payments", "SELECT SUM(Amount) + SUm(Adjustment) FROM Payments",
             nullptr},
        Case{"SELECT MAX(Style.Name + '-' + Style.Type) FROM Style",
             "SELECT MAX(Style.Name || '-' || Style.Type) FROM Style", nullptr},
        Case{"SELECT ('a' + Name) + Type FROM Style", "SELECT ('a' || Name) || Type FROM Style", nullptr},
        Case{
            "SELECT ID FROM Component ORDER BY case IsNumeric(ID) when 1 then Replicate('0', 100 - Len(ID)) + ID else ID end",
            "SELECT ID FROM Component ORDER BY case IsNumeric(ID) when 1 then Replicate('0', 100 - Len(ID)) || ID else ID end",
            "SELECT ID FROM Component ORDER BY case IsNumeric(ID) when 1 then Replicate('0', 100 - Len(ID)) || ID else ID end NULLS FIRST"},
        // Brackets, lower-cased for PostgreSQL's folded names.
        Case{"SELECT * FROM [User] WHERE ID = 1", "SELECT * FROM \"User\" WHERE ID = 1",
             "SELECT * FROM \"user\" WHERE ID = 1"},
        Case{"SELECT [Operation].[ReportType] FROM [Operation]",
             "SELECT \"Operation\".\"ReportType\" FROM \"Operation\"",
             "SELECT \"operation\".\"reporttype\" FROM \"operation\""},
        // SELECT ... INTO a work table.
        Case{
            "SELECT Station,NonArmPerHour As Rate Into tmpGlueLineMain From Operation, Data Where ReportType = 'Glue Line'",
            "CREATE TEMP TABLE tmpGlueLineMain AS SELECT Station,NonArmPerHour As Rate From Operation, Data Where ReportType = 'Glue Line'",
            nullptr},
        Case{"INSERT INTO OrdersToBatch (OrderID) VALUES (5)", "INSERT INTO OrdersToBatch (OrderID) VALUES (5)",
             nullptr},
        // Four-part and three-part names.
        Case{
            "SELECT * FROM [QuorlanServer].QuorlanData.dbo.Orders WHERE ID NOT IN (SELECT ID FROM QuorlanDataLocal.dbo.Orders)",
            "SELECT * FROM quorlanserver.Orders WHERE ID NOT IN (SELECT ID FROM Orders)",
            "SELECT * FROM srv.Orders WHERE ID NOT IN (SELECT ID FROM Orders)"},
        Case{"SELECT TOP 1 * FROM [QuorlanServer].QuorlanData.dbo.Orders ORDER BY ID DESC",
             "SELECT * FROM quorlanserver.Orders ORDER BY ID DESC LIMIT 1",
             "SELECT * FROM srv.Orders ORDER BY ID DESC NULLS LAST LIMIT 1"},
        // Text literals are never touched, whatever they hold.
        Case{"SELECT * FROM Operation WHERE Station = '6'' Saw [TOP 1] + ISNULL(x) INTO y'",
             "SELECT * FROM Operation WHERE Station = '6'' Saw [TOP 1] + ISNULL(x) INTO y'", nullptr},
        Case{"SELECT 'It''s' + Name FROM Customer", "SELECT 'It''s' || Name FROM Customer", nullptr}));

TEST(SelectSource, FindsTheSingleTableOfAnUpdatableSelect)
{
    EXPECT_EQ(data::analyseSelect(QStringLiteral("SELECT TOP 1 * FROM [User]")).baseName, QStringLiteral("User"));
    EXPECT_TRUE(data::analyseSelect(QStringLiteral("SELECT * FROM Customer WHERE Customer = 'A'")).updatable);
    EXPECT_EQ(data::analyseSelect(QStringLiteral("SELECT * FROM QuorlanDataLocal.dbo.Orders")).baseName,
              QStringLiteral("Orders"));
    EXPECT_FALSE(data::analyseSelect(
                     QStringLiteral("SELECT * FROM Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID"))
                     .updatable);
    EXPECT_FALSE(data::analyseSelect(QStringLiteral("SELECT * FROM Orders, Data")).updatable);
    EXPECT_FALSE(data::analyseSelect(QStringLiteral("SELECT DISTINCT Customer FROM Style")).updatable);
    EXPECT_FALSE(data::analyseSelect(QStringLiteral("DELETE FROM Orders")).updatable);
}

} // namespace
