#include "support/testdatabase.h"

#include "data/schema.h"

#include <QRandomGenerator>

namespace testsupport {

namespace {
QString pgConnectionString()
{
    return qEnvironmentVariable("BUNLINE_TEST_PG");
}
} // namespace

std::vector<data::Dialect> testBackends()
{
    std::vector<data::Dialect> backends{data::Dialect::SQLite};
    if (!pgConnectionString().isEmpty())
        backends.push_back(data::Dialect::PostgreSQL);
    return backends;
}

std::string backendName(const ::testing::TestParamInfo<data::Dialect> &info)
{
    return info.param == data::Dialect::SQLite ? "SQLite" : "PostgreSQL";
}

TempDatabase::TempDatabase(data::Dialect dialect, bool withSchema) : m_dialect(dialect)
{
    data::OpenOptions options;
    options.create = true;
    if (dialect == data::Dialect::SQLite) {
        m_connectionString = QStringLiteral("Driver=SQLite;Database=%1").arg(m_dir.filePath(QStringLiteral("test.db")));
    } else {
        if (pgConnectionString().isEmpty())
            throw std::runtime_error("BUNLINE_TEST_PG is not set");
        m_schema = QStringLiteral("t_%1").arg(QRandomGenerator::global()->generate64(), 0, 36);
        m_connectionString = pgConnectionString() + QStringLiteral(";Schema=") + m_schema;
    }
    m_db = data::Database::open(m_connectionString, options);
    if (withSchema) {
        data::createSchema(*m_db);
        data::createWorkTables(*m_db);
    }
}

TempDatabase::~TempDatabase()
{
    if (m_shared)
        data::setSharedDatabase(nullptr);
    m_db.reset();
    if (!m_schema.isEmpty()) {
        try {
            auto admin = data::Database::open(pgConnectionString());
            admin->executeNative(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(m_schema));
            admin->executeNative(QStringLiteral("DROP SCHEMA IF EXISTS %1_srv CASCADE").arg(m_schema));
        } catch (const std::exception &) {
        }
    }
}

std::unique_ptr<data::Database> TempDatabase::openAnother() const
{
    return data::Database::open(m_connectionString);
}

void TempDatabase::makeShared()
{
    data::setSharedDatabase(std::move(m_db));
    m_shared = true;
}

} // namespace testsupport
