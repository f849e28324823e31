#pragma once

#include "data/database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace testsupport {

// SQLite always; PostgreSQL too when BUNLINE_TEST_PG holds a connection string.
std::vector<data::Dialect> testBackends();
std::string backendName(const ::testing::TestParamInfo<data::Dialect> &info);

// A fresh database for one test: a temporary SQLite file, or a schema of its
// own in the PostgreSQL test database (dropped afterwards).
class TempDatabase {
public:
    explicit TempDatabase(data::Dialect dialect = data::Dialect::SQLite, bool withSchema = true);
    ~TempDatabase();

    data::Database &db() { return m_shared ? data::sharedDatabase() : *m_db; }
    data::Dialect dialect() const { return m_dialect; }
    QString connectionString() const { return m_connectionString; }
    QString directory() const { return m_dir.path(); }
    // PostgreSQL: the schema of this test; "<schema>_srv" is dropped with it.
    QString schema() const { return m_schema; }
    // Another connection to the same database, as a second workstation has.
    std::unique_ptr<data::Database> openAnother() const;
    // Hands the connection to the program as its shared connection.
    void makeShared();

private:
    data::Dialect m_dialect;
    QTemporaryDir m_dir;
    QString m_connectionString;
    QString m_schema;
    std::unique_ptr<data::Database> m_db;
    bool m_shared = false;
};

// Tests of the data layer, routines and reports: one instance per backend.
class BackendTest : public ::testing::TestWithParam<data::Dialect> {
protected:
    void SetUp() override { m_temp = std::make_unique<TempDatabase>(GetParam()); }
    void TearDown() override { m_temp.reset(); }
    data::Database &db() { return m_temp->db(); }
    TempDatabase &temp() { return *m_temp; }
    bool isPostgres() const { return GetParam() == data::Dialect::PostgreSQL; }

    std::unique_ptr<TempDatabase> m_temp;
};

// Screen tests: a fresh SQLite database as the program's shared connection.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_temp = std::make_unique<TempDatabase>();
        m_temp->makeShared();
    }
    void TearDown() override { m_temp.reset(); }
    data::Database &db() { return m_temp->db(); }

    std::unique_ptr<TempDatabase> m_temp;
};

} // namespace testsupport

#define BUNLINE_ON_EVERY_BACKEND(Suite)                                                                                \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite, ::testing::ValuesIn(::testsupport::testBackends()),                      \
                             ::testsupport::backendName)

namespace data {
// Names the backend in test output instead of its bytes.
inline void PrintTo(Dialect dialect, std::ostream *os)
{
    *os << (dialect == Dialect::SQLite ? "SQLite" : "PostgreSQL");
}
} // namespace data
