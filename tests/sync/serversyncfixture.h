#pragma once

// A workstation's database linked to a central database of its own, for the
// tests of the batch operations.

#include "core/clock.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "orders/orderstore.h"
#include "support/testdatabase.h"
#include "sync/batch.h"
#include "sync/linkserver.h"

#include <QRandomGenerator>

namespace testsupport {

using data::Database;

// A workstation's database linked to a central database of its own: an
// attached file on SQLite, a second database on the PostgreSQL test server
// reached through postgres_fdw.
class ServerSync : public BackendTest {
protected:
    void SetUp() override
    {
        BackendTest::SetUp();
        if (isPostgres()) {
            data::ConnectionSettings pg = data::ConnectionSettings::parse(qEnvironmentVariable("BUNLINE_TEST_PG"));
            const QString base = QStringLiteral("Driver=PostgreSQL;Host=%1;Port=%2;User=%3;Password=%4;Database=")
                                     .arg(pg.host)
                                     .arg(pg.port)
                                     .arg(pg.user, pg.password);
            auto admin = Database::open(base + pg.database);
            if (admin->queryNative(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = 'bunline_central'"))
                    .isEmpty()) {
                try {
                    admin->executeNative(QStringLiteral("CREATE DATABASE bunline_central"));
                } catch (const data::DbError &) {
                    // another test program made it at the same moment
                }
            }
            try {
                Database::open(base + QStringLiteral("bunline_central"))
                    ->executeNative(QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext SCHEMA public"));
            } catch (const data::DbError &) {
            }
            m_centralSchema = QStringLiteral("c_%1").arg(QRandomGenerator::global()->generate64(), 0, 36);
            data::OpenOptions create;
            create.create = true;
            m_central = Database::open(base + QStringLiteral("bunline_central;Schema=") + m_centralSchema, create);
            data::createSchema(*m_central);
            m_localConnection =
                temp().connectionString() + QStringLiteral(";LinkedSchema=") + temp().schema() + QStringLiteral("_srv");
            m_local = Database::open(m_localConnection);
            serversync::linkServer(
                *m_local, {pg.host, pg.port, QStringLiteral("bunline_central"), pg.user, pg.password, m_centralSchema});
        } else {
            const QString file = temp().directory() + QStringLiteral("/central.db");
            data::OpenOptions create;
            create.create = true;
            m_central = Database::open(QStringLiteral("Driver=SQLite;Database=") + file, create);
            data::createSchema(*m_central);
            m_localConnection = temp().connectionString() + QStringLiteral(";LinkedServer=") + file;
            m_local = Database::open(m_localConnection);
        }
    }
    void TearDown() override
    {
        m_local.reset();
        if (isPostgres()) {
            m_central->executeNative(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_centralSchema));
            db().executeNative(QStringLiteral("DROP SERVER IF EXISTS %1_srv_server CASCADE").arg(temp().schema()));
        }
        m_central.reset();
        BackendTest::TearDown();
    }
    Database &local() { return *m_local; }
    Database &central() { return *m_central; }

public:
    // The first column of every row, as text.
    static QStringList column(Database &db, const QString &statement)
    {
        QStringList out;
        for (data::Recordset rs = db.query(statement); !rs.isEOF(); rs.moveNext())
            out << rs.value(0).toString();
        return out;
    }

protected:
    static void run(Database &db, const QStringList &statements)
    {
        for (const QString &s : statements)
            db.execute(s);
    }
    qint64 saveLocalOrder(const QString &number, const QDate &added, std::initializer_list<int> items)
    {
        orders::OrderHeader h;
        h.customer = QStringLiteral("Amberline");
        h.orderNumber = number;
        h.orderDate = h.dueDate = added;
        h.total = 10;
        std::vector<orders::OrderLine> lines;
        for (int n : items)
            lines.push_back({n, QStringLiteral("L%1").arg(n), double(n), {}, 100, 2.5});
        return orders::saveOrder(local(), h, lines, true, added);
    }

    core::ManualClock m_clock{QDateTime(QDate(2016, 8, 29), QTime(9, 0))};
    std::unique_ptr<Database> m_central;
    std::unique_ptr<Database> m_local;
    QString m_centralSchema;
    QString m_localConnection; // the workstation's connection string, the central server linked
};

} // namespace testsupport
