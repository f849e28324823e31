#include "data/database.h"
#include "data/quoting.h"
#include "support/testdatabase.h"

using namespace data;

namespace {

class RecordsetTest : public testsupport::BackendTest {};

TEST_P(RecordsetTest, MovesThroughACompleteSnapshot)
{
    Recordset empty = db().query(QStringLiteral("SELECT * FROM Style"));
    EXPECT_TRUE(empty.isBOF());
    EXPECT_TRUE(empty.isEOF());
    EXPECT_THROW(empty.value(QStringLiteral("ID")), DbError);

    Recordset types = db().query(QStringLiteral("SELECT Name FROM UserType ORDER BY Name"));
    EXPECT_FALSE(types.isBOF());
    EXPECT_FALSE(types.isEOF());
    EXPECT_EQ(types.value(0).toString(), QStringLiteral("Admin"));
    types.moveNext();
    EXPECT_EQ(types.text(QStringLiteral("NAME")), QStringLiteral("User"));
    types.moveNext();
    EXPECT_TRUE(types.isEOF());
    types.movePrevious();
    types.movePrevious();
    EXPECT_EQ(types.text(QStringLiteral("name")), QStringLiteral("Admin"));
    types.movePrevious();
    EXPECT_TRUE(types.isBOF());
    types.moveLast();
    EXPECT_EQ(types.text(QStringLiteral("Name")), QStringLiteral("User"));
    EXPECT_THROW(types.value(QStringLiteral("Missing")), DbError);
}

TEST_P(RecordsetTest, AddNewReadsBackTheCounterKey)
{
    const qint64 first = addRow(db(), QStringLiteral("Style"), {{QStringLiteral("Name"), QStringLiteral("A")}})
                             .integer(QStringLiteral("ID"));
    EXPECT_GT(first, 0);
    // A given key is kept, and the next assigned key does not collide with it.
    Recordset given = addRow(db(), QStringLiteral("Style"),
                             {{QStringLiteral("ID"), 500}, {QStringLiteral("Name"), QStringLiteral("B")}});
    EXPECT_EQ(given.integer(QStringLiteral("ID")), 500);
    const qint64 next = addRow(db(), QStringLiteral("Style"), {{QStringLiteral("Name"), QStringLiteral("C")}})
                            .integer(QStringLiteral("ID"));
    EXPECT_EQ(next, 501);
    {
        Transaction tx(db());
        Recordset rs = db().query(QStringLiteral("SELECT TOP 1 * FROM Style"));
        rs.addNew();
        rs.setValue(QStringLiteral("Name"), QStringLiteral("D"));
        rs.update();
        EXPECT_EQ(rs.integer(QStringLiteral("ID")), 502);
        // Dependent rows written with the key, in the same transaction.
        addRow(db(), QStringLiteral("StyleComponent"),
               {{QStringLiteral("StyleID"), rs.value(QStringLiteral("ID"))},
                {QStringLiteral("ComponentID"), QStringLiteral("9")}});
        tx.commit();
    }
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM StyleComponent WHERE StyleID = 502")).recordCount(), 1);
}

TEST_P(RecordsetTest, ChangedRowsAreWrittenBackByTheirKey)
{
    addRow(db(), QStringLiteral("Customer"),
           {{QStringLiteral("Customer"), QStringLiteral("Amberline")},
            {QStringLiteral("City"), QStringLiteral("Tupelo")}});
    addRow(db(), QStringLiteral("Customer"),
           {{QStringLiteral("Customer"), QStringLiteral("Cedar Ridge")},
            {QStringLiteral("City"), QStringLiteral("Hickory")}});
    Recordset rs = db().query(QStringLiteral("SELECT * FROM Customer WHERE Customer = 'amberline'"));
    rs.setValue(QStringLiteral("City"), QStringLiteral("Oxford"));
    rs.setValue(QStringLiteral("Days"), QStringLiteral("30"));
    rs.update();
    Recordset after = db().query(QStringLiteral("SELECT * FROM Customer ORDER BY Customer"));
    EXPECT_EQ(after.text(QStringLiteral("City")), QStringLiteral("Oxford"));
    EXPECT_EQ(after.integer(QStringLiteral("Days")), 30);
    after.moveNext();
    EXPECT_EQ(after.text(QStringLiteral("City")), QStringLiteral("Hickory"));

    // Composite key: an order line.
    addRow(db(), QStringLiteral("OrderItems"),
           {{QStringLiteral("OrderID"), 1}, {QStringLiteral("ItemNumber"), 1}, {QStringLiteral("Qty"), 2}});
    addRow(db(), QStringLiteral("OrderItems"),
           {{QStringLiteral("OrderID"), 1}, {QStringLiteral("ItemNumber"), 2}, {QStringLiteral("Qty"), 2}});
    Recordset line = db().query(QStringLiteral("SELECT * FROM OrderItems WHERE OrderID = 1 AND ItemNumber = 2"));
    line.setValue(QStringLiteral("Qty"), 7.5);
    line.update();
    EXPECT_EQ(
        db().query(QStringLiteral("SELECT * FROM OrderItems WHERE Qty = 7.5")).integer(QStringLiteral("ItemNumber")),
        2);
}

TEST_P(RecordsetTest, ARowOfATableWithoutKeyIsChangedAlone)
{
    for (int i = 0; i < 2; ++i)
        addRow(db(), QStringLiteral("ShipmentItems"),
               {{QStringLiteral("ShipmentID"), 1},
                {QStringLiteral("OrderID"), 1},
                {QStringLiteral("OrderLineItem"), 1},
                {QStringLiteral("Qty"), 5}});
    Recordset rs = db().query(QStringLiteral("SELECT * FROM ShipmentItems"));
    rs.setValue(QStringLiteral("Qty"), 3);
    rs.update();
    Recordset after = db().query(QStringLiteral("SELECT Qty FROM ShipmentItems ORDER BY Qty"));
    ASSERT_EQ(after.recordCount(), 2);
    EXPECT_DOUBLE_EQ(after.number(QStringLiteral("Qty")), 3);
    after.moveNext();
    EXPECT_DOUBLE_EQ(after.number(QStringLiteral("Qty")), 5);
}

TEST_P(RecordsetTest, ValuesAreCheckedAgainstTheColumnTypeBeforeAnythingIsWritten)
{
    Recordset rs = db().query(QStringLiteral("SELECT TOP 1 * FROM Component"));
    rs.addNew();
    rs.setValue(QStringLiteral("ID"), 12); // a number into a text column becomes its text
    rs.setValue(QStringLiteral("Thickness"), QStringLiteral(" 2.5 "));
    try {
        rs.setValue(QStringLiteral("Width"), QStringLiteral("12abc"));
        FAIL() << "text in a number column must be refused";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("Width"))) << e.message().toStdString();
    }
    EXPECT_THROW(rs.setValue(QStringLiteral("QtyPerBuggy"), QString()), DbError);
    rs.update();
    Recordset written = db().query(QStringLiteral("SELECT * FROM Component WHERE ID = '12'"));
    ASSERT_EQ(written.recordCount(), 1);
    EXPECT_DOUBLE_EQ(written.number(QStringLiteral("Thickness")), 2.5);
    EXPECT_TRUE(written.isNull(QStringLiteral("Width")));
    EXPECT_THROW(db().query(QStringLiteral("SELECT Orders.ID FROM Orders, Data")).addNew(), DbError);
}

TEST_P(RecordsetTest, EachConnectionHasItsOwnWorkTables)
{
    auto other = temp().openAnother();
    db().execute(QStringLiteral("INSERT INTO tmpReportData (OrderID, Customer, Qty) VALUES (1, 'Amberline', 4)"));
    other->execute(QStringLiteral("INSERT INTO tmpLoadSheet VALUES(1, 1, 2, 1, 1)"));
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM tmpReportData")).recordCount(), 1);
    EXPECT_EQ(other->query(QStringLiteral("SELECT * FROM tmpReportData")).recordCount(), 0);
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM tmpLoadSheet")).recordCount(), 0);
    // The work table keeps case-insensitive text.
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM tmpReportData WHERE Customer = 'AMBERLINE'")).recordCount(), 1);
}

BUNLINE_ON_EVERY_BACKEND(RecordsetTest);

TEST(ConnectionSettingsTest, ExplainsWhatIsWrong)
{
    EXPECT_THROW(ConnectionSettings::parse(QStringLiteral("Database=x.db")), DbError);
    EXPECT_THROW(ConnectionSettings::parse(QStringLiteral("Driver=Oracle;Database=x")), DbError);
    EXPECT_THROW(ConnectionSettings::parse(QStringLiteral("Driver=SQLite")), DbError);
    EXPECT_THROW(ConnectionSettings::parse(QStringLiteral("Driver=PostgreSQL;Database=x;Schema=a;b")), DbError);
    EXPECT_THROW(ConnectionSettings::parse(QStringLiteral("Driver=PostgreSQL;Database=x;Schema=bad name")), DbError);
    const ConnectionSettings s =
        ConnectionSettings::parse(QStringLiteral("Driver=PostgreSQL;Host=db1;Port=6543;Database=plant;User=u"));
    EXPECT_EQ(s.dialect, Dialect::PostgreSQL);
    EXPECT_EQ(s.port, 6543);
    EXPECT_EQ(s.host, QStringLiteral("db1"));
}

TEST(ConnectionOpen, FailsWithTheReason)
{
    try {
        Database::open(QStringLiteral("Driver=SQLite;Database=/nonexistent/plant.db"));
        FAIL();
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("/nonexistent/plant.db")));
    }
    // Nothing listens on port 1: refused at once, with the driver's text.
    try {
        Database::open(QStringLiteral("Driver=PostgreSQL;Host=127.0.0.1;Port=1;Database=x;User=u"));
        FAIL();
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("127.0.0.1:1"))) << e.message().toStdString();
        EXPECT_GT(e.message().size(), 60);
    }
}

TEST(Quoting, WritesValuesSafely)
{
    EXPECT_EQ(sqlText(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(sqlText(QString()), QStringLiteral("''"));
    EXPECT_EQ(sqlLikeContains(QStringLiteral("a'1_")), QStringLiteral("'%a''1\\_%' ESCAPE '\\'"));
    EXPECT_EQ(sqlNumber(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(sqlNumber(1234567.0), QStringLiteral("1234567"));
    EXPECT_EQ(sqlNumber(-2.5), QStringLiteral("-2.5"));
    EXPECT_EQ(sqlNumber(qint64(42)), QStringLiteral("42"));
    EXPECT_EQ(sqlLiteral(QVariant()), QStringLiteral("NULL"));
    EXPECT_EQ(sqlLiteral(true), QStringLiteral("1"));
    EXPECT_EQ(sqlLiteral(QDateTime(QDate(2016, 8, 29), QTime(13, 5, 0))), QStringLiteral("'2016-08-29 13:05:00'"));
    EXPECT_EQ(sqlLiteral(QDateTime(QDate(2016, 8, 29), QTime(0, 0))), QStringLiteral("'2016-08-29'"));
}

} // namespace
