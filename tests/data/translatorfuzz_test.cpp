// Generated statements, the same ones on every run (a fixed seed): translation
// and the database either take them or refuse them with a message - never a
// crash, never a silent failure - and statements that use nothing of the
// written dialect pass through unchanged.
#include "data/database.h"
#include "support/testdatabase.h"

#include <gtest/gtest.h>
#include <random>

using namespace data;

namespace {

class Generator {
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    // Standard SQL that needs no translation: no TOP, ISNULL, "+", brackets,
    // INTO, ORDER BY or linked-server names (text literals may hold any of them).
    QString plain()
    {
        QString s = QStringLiteral("SELECT ") + pick({"ID", "Customer", "Phone", "COUNT(*) AS N", "MAX(ID)", "'x'"});
        s += QStringLiteral(" FROM Customer");
        const int conditions = int(m_rng() % 4);
        for (int i = 0; i < conditions; ++i) {
            s += i == 0 ? QStringLiteral(" WHERE ") : pick({" AND ", " OR "});
            s += condition(2);
        }
        if (m_rng() % 3 == 0)
            s += QStringLiteral(" GROUP BY ID");
        return s;
    }

    // A statement using the written dialect's features, then mangled.
    QString hostile()
    {
        QString s = pick({"SELECT TOP 3 ISNULL(Phone, '') + '-' + Customer AS x FROM [Customer] ORDER BY ID DESC",
                          "SELECT Customer INTO tmpFuzz FROM Customer WHERE ID IN (SELECT TOP 1 ID FROM Customer)",
                          "UPDATE Customer SET Phone = Replicate('0', 3) + Phone WHERE [Customer] = 'a''b'",
                          "SELECT * FROM [QuorlanServer].QuorlanData.dbo.Customer ORDER BY Customer",
                          "DELETE FROM Customer WHERE ID = (SELECT MAX(ID) FROM QuorlanDataLocal.dbo.Customer)",
                          "SELECT 1; CREATE TABLE fuzz_probe(x int)",
                          "SELECT 1 /* /* */ ' */ ; CREATE TABLE fuzz_probe(x int); --'",
                          "SELECT 'a' @@E'\\'';CREATE TABLE fuzz_probe(x int);--'"});
        const int edits = 1 + int(m_rng() % 6);
        for (int i = 0; i < edits; ++i) {
            const qsizetype at = qsizetype(m_rng() % quint32(s.size() + 1));
            switch (m_rng() % 3) {
            case 0:
                s.insert(at,
                         pick({"[",
                               "]",
                               "(",
                               ")",
                               "'",
                               "\"",
                               "/*",
                               "*/",
                               "--",
                               ";",
                               "+",
                               "\r",
                               "$$",
                               "E'",
                               "@@",
                               "/* /*",
                               "\\",
                               " TOP 1 ",
                               " ORDER BY ",
                               " INTO ",
                               "ISNULL(",
                               QString(QChar(0xFEFF)),
                               QString(QChar(0))}));
                break;
            case 1:
                s.remove(at, 1 + qsizetype(m_rng() % 4));
                break;
            default:
                s.insert(at, QString(int(1 + m_rng() % 40), pick({"(", ")", "[", "'"}).at(0)));
                break;
            }
        }
        return s;
    }

private:
    QString pick(std::initializer_list<QString> options)
    {
        auto it = options.begin();
        std::advance(it, m_rng() % options.size());
        return *it;
    }

    QString text()
    {
        QString t;
        const int n = int(m_rng() % 8);
        static const QString chars = QStringLiteral("ab [](){}+-*/;%_\"\\TOPISNULL$");
        for (int i = 0; i < n; ++i)
            t += chars.at(qsizetype(m_rng() % quint32(chars.size())));
        return QLatin1Char('\'') + t + QLatin1Char('\'');
    }

    QString condition(int depth)
    {
        switch (m_rng() % (depth > 0 ? 5 : 3)) {
        case 0:
            return QStringLiteral("ID = ") + QString::number(m_rng() % 1000);
        case 1:
            return QStringLiteral("Phone ") + pick({"=", "<>", "LIKE", ">="}) + QLatin1Char(' ') + text();
        case 2:
            return QStringLiteral("Customer IS NULL /* note ) */");
        case 3:
            return QLatin1Char('(') + condition(depth - 1) + QStringLiteral(" OR ") + condition(depth - 1)
                + QLatin1Char(')');
        default:
            return QStringLiteral("ID IN (SELECT ID FROM Customer WHERE ") + condition(depth - 1) + QLatin1Char(')');
        }
    }

    std::mt19937 m_rng;
};

// Runs one generated statement; a refusal must be a DbError with a message.
void expectRunsOrRefuses(Database &db, const QString &statement)
{
    try {
        int affected = 0;
        db.perform(statement, &affected);
    } catch (const DbError &e) {
        EXPECT_FALSE(e.message().trimmed().isEmpty()) << statement.toStdString();
    } catch (const std::exception &e) {
        ADD_FAILURE() << "not a database error: " << e.what() << " for " << statement.toStdString();
    }
}

TEST(TranslatorFuzz, PlainStatementsPassUnchangedAndHostileOnesAreRefusedWithAMessage)
{
    Generator generate(16);
    for (int i = 0; i < 3000; ++i) {
        const QString plain = generate.plain();
        for (Dialect d : {Dialect::SQLite, Dialect::PostgreSQL})
            ASSERT_EQ(translateStatement(plain, {d, QStringLiteral("srv")}), plain);
        const QString hostile = generate.hostile();
        for (Dialect d : {Dialect::SQLite, Dialect::PostgreSQL}) {
            try {
                translateStatement(hostile, {d, QStringLiteral("srv")});
            } catch (const DbError &e) {
                EXPECT_FALSE(e.message().isEmpty()) << hostile.toStdString();
            }
        }
    }
}

class StatementFuzz : public testsupport::BackendTest {};

TEST_P(StatementFuzz, TheDatabaseRunsOrRefusesEveryGeneratedStatement)
{
    db().execute(QStringLiteral("INSERT INTO Customer (Customer, Phone) VALUES ('a''b', '1'), ('Birch', NULL)"));
    // Second statements hidden where only PostgreSQL's reading finds them.
    for (const char *hidden : {"SELECT 1 /* /* */ ' */ ; CREATE TABLE fuzz_probe(x int); --'",
                               "SELECT 'a' @@E'\\'';CREATE TABLE fuzz_probe(x int);--'"})
        expectRunsOrRefuses(db(), QString::fromLatin1(hidden));
    Generator generate(61);
    for (int i = 0; i < 1500; ++i) {
        expectRunsOrRefuses(db(), generate.plain());
        expectRunsOrRefuses(db(), generate.hostile());
        DropTable(db(), QStringLiteral("tmpFuzz"));
    }
    EXPECT_FALSE(db().tableExists(QStringLiteral("fuzz_probe")));
    EXPECT_EQ(db().query(QStringLiteral("SELECT COUNT(*) AS N FROM UserType")).integer(QStringLiteral("N")), 2);
}

BUNLINE_ON_EVERY_BACKEND(StatementFuzz);

} // namespace
