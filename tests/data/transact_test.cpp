// Work that clashes with another workstation runs again from the start; other
// errors reach the caller at once.
#include "data/transact.h"
#include "support/testdatabase.h"

using namespace data;

namespace {

class Transact : public testsupport::BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        db().executeNative(QStringLiteral("CREATE TABLE clash (id INTEGER PRIMARY KEY, n INTEGER)"));
        db().executeNative(QStringLiteral("INSERT INTO clash VALUES (1, 0)"));
    }
    qint64 n(Database &on) { return on.queryNative(QStringLiteral("SELECT n FROM clash")).value(0).toLongLong(); }
};

// A real clash on each backend: SQLite finds the file locked by another
// writer; PostgreSQL refuses to update a row that changed since the
// transaction's snapshot was taken.
TEST_P(Transact, ClashWithAnotherConnectionIsTriedAgain)
{
    OpenOptions noWait;
    noWait.timeoutSeconds = 0;
    std::unique_ptr<Database> other = Database::open(temp().connectionString(), noWait);
    int attempts = 0;
    const int result = transact(*other, [&] {
        ++attempts;
        if (!isPostgres()) {
            if (attempts == 1)
                db().beginTransaction(); // holds the write lock
            else if (db().inTransaction())
                db().rollback();
        }
        Transaction tx(*other);
        if (isPostgres()) {
            other->executeNative(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ"));
            other->queryNative(QStringLiteral("SELECT n FROM clash"));
            if (attempts == 1)
                db().executeNative(QStringLiteral("UPDATE clash SET n = n + 100"));
        }
        other->executeNative(QStringLiteral("UPDATE clash SET n = n + 1"));
        tx.commit();
        return attempts;
    });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(n(db()), isPostgres() ? 101 : 1);
    EXPECT_FALSE(other->inTransaction());
}

TEST_P(Transact, OtherErrorsAndWorkInsideAnOpenTransactionRunOnce)
{
    int attempts = 0;
    EXPECT_THROW(transact(db(),
                          [&] {
                              ++attempts;
                              Transaction tx(db());
                              db().executeNative(QStringLiteral("UPDATE clash SET n = 5"));
                              db().executeNative(QStringLiteral("UPDATE no_such_table SET n = 1"));
                              tx.commit();
                          }),
                 DbError);
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(n(db()), 0); // undone as a whole

    // Only the owner of an open transaction can run it again.
    attempts = 0;
    Transaction outer(db());
    EXPECT_THROW(transact(db(),
                          [&] {
                              ++attempts;
                              throw TransientDbError(QStringLiteral("deadlock detected"));
                          }),
                 DbError);
    EXPECT_EQ(attempts, 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, Transact, ::testing::ValuesIn(testsupport::testBackends()),
                         testsupport::backendName);

} // namespace
