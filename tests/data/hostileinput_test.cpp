// Statements and connection strings that try to get more out of the data layer
// than they should: they fail with a message, change nothing, and never crash.
#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "support/testdatabase.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace data;

namespace {

QString pg(const QString &s)
{
    return translateStatement(s, {Dialect::PostgreSQL, QStringLiteral("srv")});
}
QString lite(const QString &s)
{
    return translateStatement(s, {Dialect::SQLite, QStringLiteral("quorlanserver")});
}

// The message a refused text gets; empty when it was not refused.
QString refusal(const QString &statement)
{
    try {
        lite(statement);
        checkSingleStatement(statement);
    } catch (const DbError &e) {
        return e.message();
    }
    return {};
}

TEST(Tokenizer, RefusesTextThatEndsInsideALiteralNameOrComment)
{
    for (const char *s : {"SELECT [abc", "SELECT \"abc", "SELECT 'abc", "SELECT 1 /* note", "SELECT 'a''",
                          "SELECT [a]]", "SELECT E'a\\'", "SELECT $$a$"}) {
        const QString message = refusal(QString::fromLatin1(s));
        EXPECT_TRUE(message.contains(QLatin1String("never closed"))) << s << ": " << message.toStdString();
    }
    EXPECT_EQ(refusal(QStringLiteral("SELECT [a]]b], 'it''s', \"x\" /* c */ -- d")), QString());
}

TEST(Tokenizer, RefusesASecondStatementHoweverItIsHidden)
{
    for (const char *s : {"SELECT 1 AS a; CREATE TABLE p(x int)", "SELECT 1 --\r; CREATE TABLE p(x int)",
                          "SELECT E'\\''; CREATE TABLE p(x int); --'", "SELECT $$'$$; CREATE TABLE p(x int); --'",
                          "SELECT $t$ $$ $t$; DROP TABLE p", "BEGIN; DELETE FROM Customer",
                          "CREATE TRIGGER t BEFORE INSERT ON T BEGIN SELECT 1; END; DROP TABLE p"})
        EXPECT_TRUE(refusal(QString::fromLatin1(s)).contains(QLatin1String("one statement"))) << s;
    // A trigger's body is part of its one statement.
    for (const char *s : {"SELECT 1;", "SELECT ';' ; -- ;", "SELECT 1; /* trailing */ ;",
                          "CREATE TEMP TRIGGER t BEFORE INSERT ON T BEGIN SELECT CASE WHEN 1 THEN 2 END; "
                          "SELECT RAISE(ABORT, 'no'); END;"})
        EXPECT_EQ(refusal(QString::fromLatin1(s)), QString()) << s;
    for (const QString &s :
         {QString(), QStringLiteral("  \n"), QString(QChar(0xFEFF)), QStringLiteral("-- only a note")})
        EXPECT_EQ(refusal(s), QStringLiteral("The statement is empty."));
    // A NUL would end the text the driver sends: "DELETE FROM T" + NUL + " WHERE ..."
    EXPECT_FALSE(refusal(QStringLiteral("DELETE FROM T") + QChar(0) + QStringLiteral(" WHERE ID = 1")).isEmpty());
}

// Statements that hide a second one from a reader that does not read as
// PostgreSQL does: it nests block comments, and "@@" is an operator there,
// so E'\'' after it is an escape string holding one quote.
const char *const kPostgresHiding[] = {"SELECT 1 /* /* */ ' */ ; DROP TABLE x; --'",
                                       "SELECT 'a' @@E'\\'';DROP TABLE x;--'"};

TEST(Tokenizer, ReadsCommentsAndOperatorsAsPostgresDoesOnPostgres)
{
    for (const char *s : kPostgresHiding) {
        try {
            checkSingleStatement(pg(QString::fromLatin1(s)), Dialect::PostgreSQL);
            ADD_FAILURE() << "passed as one statement: " << s;
        } catch (const DbError &e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("one statement"))) << e.message().toStdString();
        }
    }
    // Nested comments are one comment on PostgreSQL, and one that closes only
    // its inner level is never closed.
    EXPECT_NO_THROW(checkSingleStatement(QStringLiteral("SELECT 1 /* a /* b */ c */"), Dialect::PostgreSQL));
    EXPECT_THROW(checkSingleStatement(QStringLiteral("SELECT 1 /* a /* b */"), Dialect::PostgreSQL), DbError);
    EXPECT_NO_THROW(checkSingleStatement(QStringLiteral("SELECT 1 /* a /* b */"), Dialect::SQLite));
}

TEST(Connection, APostgresSessionTurnsOnStandardStringsBeforeAnythingElse)
{
    ConnectionSettings settings;
    settings.dialect = Dialect::PostgreSQL;
    settings.schema = QStringLiteral("plant");
    const QStringList sent = postgresSessionSetup(settings);
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.first(), QStringLiteral("SET standard_conforming_strings TO on"));
    EXPECT_TRUE(sent.contains(QStringLiteral("SET search_path TO plant, public")));
    EXPECT_NO_THROW(checkStandardStrings(QStringLiteral("on")));
    for (const QString &shown : {QStringLiteral("off"), QString()})
        EXPECT_THROW(checkStandardStrings(shown), DbError) << shown.toStdString();
}

TEST(Translator, StopsAtAThousandParenthesesInsteadOfCrashing)
{
    const auto nested = [](int depth) {
        return QStringLiteral("SELECT ") + QString(depth, QLatin1Char('(')) + QLatin1Char('1')
            + QString(depth, QLatin1Char(')'));
    };
    EXPECT_EQ(lite(nested(1000)), nested(1000));
    EXPECT_THROW(lite(nested(1001)), DbError);
    EXPECT_THROW(lite(QStringLiteral("SELECT ") + QString(29000, QLatin1Char('('))), DbError);
}

TEST(Translator, RewritesEveryTopOfALongRun)
{
    // Many SELECTs in one sequence: each loses its TOP, each LIMIT comes at the end.
    QString written;
    for (int i = 0; i < 9000; ++i)
        written += QStringLiteral("SELECT TOP 1 ");
    const QString sent = lite(written);
    EXPECT_EQ(sent.count(QLatin1String("TOP")), 0);
    EXPECT_EQ(sent.count(QLatin1String("LIMIT 1")), 9000);
    EXPECT_EQ(lite(QStringLiteral("SELECT TOP 2 a FROM (SELECT TOP 3 b FROM t) x; ")),
              QStringLiteral("SELECT a FROM (SELECT b FROM t LIMIT 3) x LIMIT 2; "));
}

TEST(Translator, SortsNullFirstAscendingAndLastDescendingOnPostgres)
{
    const std::pair<const char *, const char *> cases[] = {
        {"SELECT * FROM T ORDER BY a", "SELECT * FROM T ORDER BY a NULLS FIRST"},
        {"SELECT * FROM T ORDER BY a DESC, ISNULL(b,0) ASC, c",
         "SELECT * FROM T ORDER BY a DESC NULLS LAST, COALESCE(b,0) ASC NULLS FIRST, c NULLS FIRST"},
        {"SELECT TOP 1 * FROM T ORDER BY ID DESC;", "SELECT * FROM T ORDER BY ID DESC NULLS LAST LIMIT 1;"},
        {"SELECT * FROM (SELECT a FROM T ORDER BY a) x ORDER BY a NULLS LAST",
         "SELECT * FROM (SELECT a FROM T ORDER BY a NULLS FIRST) x ORDER BY a NULLS LAST"},
        {"SELECT 'ORDER BY x' FROM T", "SELECT 'ORDER BY x' FROM T"},
    };
    for (const auto &[written, expected] : cases) {
        EXPECT_EQ(pg(QString::fromLatin1(written)).toStdString(), std::string(expected));
        EXPECT_FALSE(lite(QString::fromLatin1(written)).contains(QLatin1String("NULLS FIRST"))) << written;
    }
}

class HostileInput : public testsupport::BackendTest {};

TEST_P(HostileInput, OnlyOneStatementRunsPerCall)
{
    int affected = 0;
    EXPECT_THROW(db().perform(QStringLiteral("SELECT 1 AS a; CREATE TABLE injected_probe(x int)"), &affected), DbError);
    EXPECT_THROW(db().executeNative(QStringLiteral("SELECT 1; CREATE TABLE injected_probe(x int)")), DbError);
    EXPECT_FALSE(db().tableExists(QStringLiteral("injected_probe")));
    EXPECT_EQ(db().query(QStringLiteral("SELECT COUNT(*) AS N FROM UserType;")).integer(QStringLiteral("N")), 2);
}

TEST_P(HostileInput, NoStatementHiddenBehindPostgresCommentsOrOperatorsRuns)
{
    db().executeNative(QStringLiteral("CREATE TABLE x (a int)"));
    for (const char *s : kPostgresHiding) {
        int affected = 0;
        try {
            db().perform(QString::fromLatin1(s), &affected);
        } catch (const DbError &) {
            // Refused, or read as one statement that fails: either way no second one ran.
        }
        EXPECT_TRUE(db().tableExists(QStringLiteral("x"))) << s;
    }
    db().executeNative(QStringLiteral("DROP TABLE x"));
}

TEST_P(HostileInput, AMisspeltBracketedColumnFailsInsteadOfMatchingItsOwnName)
{
    db().execute(QStringLiteral("INSERT INTO Customer (Customer, Phone) VALUES ('Amberline', '1'), ('Birch', '2')"));
    EXPECT_THROW(db().execute(QStringLiteral("UPDATE Customer SET Phone='wiped' WHERE [Custmer]='Custmer'")), DbError);
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM Customer WHERE Phone = 'wiped'")).recordCount(), 0);
}

TEST_P(HostileInput, AnEmptyStatementSaysSo)
{
    for (const QString &s : {QString(), QString(QChar(0xFEFF)), QStringLiteral(" ;")}) {
        try {
            db().execute(s);
            ADD_FAILURE() << "an empty statement ran";
        } catch (const DbError &e) {
            EXPECT_EQ(e.message(), QStringLiteral("The statement is empty."));
        }
    }
}

TEST_P(HostileInput, NullSortsFirstAscendingAndLastDescending)
{
    db().execute(QStringLiteral("INSERT INTO Bun (ID, Width) VALUES ('a', 2), ('b', NULL), ('c', 1)"));
    auto order = [&](const QString &direction) {
        QStringList ids;
        for (Recordset rs = db().query(QStringLiteral("SELECT ID FROM Bun ORDER BY Width ") + direction); !rs.isEOF();
             rs.moveNext())
            ids << rs.text(QStringLiteral("ID"));
        return ids.join(QString());
    };
    EXPECT_EQ(order(QString()), QStringLiteral("bca"));
    EXPECT_EQ(order(QStringLiteral("ASC")), QStringLiteral("bca"));
    EXPECT_EQ(order(QStringLiteral("DESC")), QStringLiteral("acb"));
}

TEST_P(HostileInput, BracketedNamesReachTheirColumnsOnEveryBackend)
{
    db().execute(QStringLiteral("INSERT INTO [Bun] ([ID], [Width]) VALUES ('a', 2)"));
    Recordset rs = db().query(QStringLiteral("SELECT [Bun].[Width] AS [Thick] FROM [Bun] WHERE [ID] = 'a'"));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.number(QStringLiteral("Thick")), 2.0);
}

TEST_P(HostileInput, AStyleIsUniquePerCustomerNameAndTypeInAnyCase)
{
    db().execute(QStringLiteral("INSERT INTO Style (Customer, Name, Type) VALUES ('Acme', '1200', 'SOFA')"));
    EXPECT_THROW(
        db().execute(QStringLiteral("INSERT INTO Style (Customer, Name, Type) VALUES ('ACME', '1200', 'sofa')")),
        DbError);
    db().execute(QStringLiteral("INSERT INTO Style (Customer, Name, Type) VALUES ('Acme', '1200', 'CHAIR')"));
}

TEST_P(HostileInput, AnUpdateOfARowDeletedMeanwhileFails)
{
    db().execute(QStringLiteral("INSERT INTO Vendor (Vendor, City) VALUES ('Foamco', 'Dalton')"));
    Recordset rs = db().query(QStringLiteral("SELECT * FROM Vendor WHERE Vendor = 'Foamco'"));
    temp().openAnother()->execute(QStringLiteral("DELETE FROM Vendor"));
    rs.setValue(QStringLiteral("City"), QStringLiteral("Tupelo"));
    EXPECT_THROW(rs.update(), DbError);
    EXPECT_EQ(db().query(QStringLiteral("SELECT * FROM Vendor")).recordCount(), 0);
}

BUNLINE_ON_EVERY_BACKEND(HostileInput);

TEST(Connection, AMissingLinkedServerFileIsNamedAndNotCreated)
{
    testsupport::TempDatabase temp;
    const QString missing = temp.directory() + QStringLiteral("/central.db");
    try {
        Database::open(temp.connectionString() + QStringLiteral(";LinkedServer=") + missing);
        ADD_FAILURE() << "a missing linked server was attached";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(missing)) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(missing));
}

TEST(Connection, ADatabaseThatCannotBePreparedIsNamed)
{
    testsupport::TempDatabase temp;
    // A folder where the database file should be: SQLite opens it lazily and
    // fails on the first statement.
    const QString folder = temp.directory() + QStringLiteral("/notafile.db");
    QDir().mkpath(folder);
    try {
        Database::open(QStringLiteral("Driver=SQLite;Database=") + folder);
        ADD_FAILURE() << "a folder opened as a database";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(folder)) << e.message().toStdString();
    }
}

TEST(Connection, ANulInAFileNameIsRefusedAndShown)
{
    try {
        ConnectionSettings::parse(QStringLiteral("Driver=SQLite;Database=a") + QChar(0) + QStringLiteral("b.db"));
        ADD_FAILURE() << "a NUL passed";
    } catch (const DbError &e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QLatin1String("a\\0b.db"))) << e.what();
    }
}

} // namespace
