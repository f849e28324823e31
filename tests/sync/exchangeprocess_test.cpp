// bunlinectl exchange-orders as separate processes: two at once, and one
// killed at each of its writes to disk.
#include "invoicing/invoicestore.h"
#include "shipping/shipments.h"
#include "support/cli.h"
#include "sync/exchangelock.h"
#include "sync/serversyncfixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>

using namespace serversync;
using data::Database;

namespace {

QStringList column(Database &db, const QString &statement)
{
    return testsupport::ServerSync::column(db, statement);
}

void startExchange(QProcess &p, const QString &config, const QProcessEnvironment &env)
{
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BUNLINE_BIN_DIR "/bunlinectl"),
            {QStringLiteral("--config"), config, QStringLiteral("exchange-orders")});
}

class ExchangeProcesses : public testsupport::ServerSync {};

// However two runs meet - one refused, or one after the other - every order
// reaches the server once with all its lines.
TEST_P(ExchangeProcesses, TwoRunsAtOnceNeverSendAnOrderTwice)
{
    run(central(), {QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')")});
    QTemporaryDir dir;
    const QString config = testsupport::writeCtlConfig(dir, m_localConnection);
    int refused = 0;
    for (int round = 1; round <= 3; ++round) {
        for (int i = 1; i <= 20; ++i)
            saveLocalOrder(QStringLiteral("R%1-%2").arg(round).arg(i), QDate(2016, 8, 29), {1, 2});
        QProcess a, b;
        startExchange(a, config, QProcessEnvironment::systemEnvironment());
        startExchange(b, config, QProcessEnvironment::systemEnvironment());
        for (QProcess *p : {&a, &b}) {
            ASSERT_TRUE(p->waitForFinished(60000));
            const QString err = QString::fromUtf8(p->readAllStandardError());
            if (p->exitCode() != 0) {
                EXPECT_TRUE(err.contains(QString::fromLatin1(kExchangeRunning))) << err.toStdString();
                ++refused;
            }
        }
        EXPECT_EQ(column(central(), QStringLiteral("SELECT COUNT(*) FROM Orders")),
                  QStringList({QString::number(20 * round)}));
        EXPECT_TRUE(column(central(),
                           QStringLiteral("SELECT OrderNumber FROM Orders GROUP BY OrderNumber HAVING "
                                          "COUNT(*) > 1"))
                        .isEmpty());
        EXPECT_TRUE(column(central(),
                           QStringLiteral("SELECT Orders.ID FROM Orders LEFT JOIN OrderItems ON "
                                          "OrderItems.OrderID = Orders.ID GROUP BY Orders.ID HAVING "
                                          "COUNT(OrderItems.OrderID) <> 2"))
                        .isEmpty());
    }
    RecordProperty("refused", refused);
}

BUNLINE_ON_EVERY_BACKEND(ExchangeProcesses);

// A plant with two orders queued under IDs the server has meanwhile given to
// another workstation's order, one of them shipped and invoiced here.
void buildPlant(const QString &plant, const QString &central)
{
    data::OpenOptions create;
    create.create = true;
    auto server = Database::open(QStringLiteral("Driver=SQLite;Database=") + central, create);
    data::createSchema(*server);
    data::createSchema(*Database::open(QStringLiteral("Driver=SQLite;Database=") + plant, create));
    auto local = Database::open(QStringLiteral("Driver=SQLite;Database=%1;LinkedServer=%2").arg(plant, central));
    const QDate today = QDate::currentDate();
    const QString added = data::sqlDate(today.addDays(-1));
    server->execute(QStringLiteral("INSERT INTO Customer (Customer) VALUES ('Amberline')"));
    for (const char *number : {"S-1", "S-2", "S-3"})
        server->execute(QStringLiteral("INSERT INTO Orders (OrderNumber, Customer, Status, DateAdded) VALUES "
                                       "('%1', 'Amberline', 'Open', %2)")
                            .arg(QLatin1String(number), added));
    ExchangeOrders(*local, false);
    for (const auto &[number, lines] : {std::pair{"PO-A", 2}, std::pair{"PO-B", 1}}) {
        orders::OrderHeader h;
        h.customer = QStringLiteral("Amberline");
        h.orderNumber = QLatin1String(number);
        h.orderDate = h.dueDate = today;
        std::vector<orders::OrderLine> items;
        for (int n = 1; n <= lines; ++n)
            items.push_back({n, QStringLiteral("L%1").arg(n), double(n), {}, 0, 3});
        orders::saveOrder(*local, h, items, true, today);
    }
    shipping::saveShipment(*local, {0, 4, today, {{1, 1}, {2, 2}}});
    invoicing::CreateInvoice(*local, {QStringLiteral("Amberline"), today, today, 0, 0, QString(), {4}});
    server->execute(QStringLiteral("INSERT INTO Orders (OrderNumber, Customer, Status, DateAdded) VALUES "
                                   "('X-1', 'Amberline', 'Open', %1)")
                        .arg(data::sqlDate(today)));
}

// Everything the exchange touches, on both databases.
QStringList snapshot(const QString &plant, const QString &central)
{
    auto db = Database::open(QStringLiteral("Driver=SQLite;Database=%1;LinkedServer=%2").arg(plant, central));
    QStringList out;
    for (const char *statement :
         {"SELECT ID || ':' || OrderNumber FROM [QuorlanServer].QuorlanData.dbo.Orders ORDER BY ID",
          "SELECT OrderID || ':' || ItemNumber || ':' || Line FROM [QuorlanServer].QuorlanData.dbo.OrderItems ORDER BY "
          "OrderID, ItemNumber",
          "SELECT ID || ':' || OrderNumber || ':' || Status FROM Orders ORDER BY ID",
          "SELECT OrderID || ':' || ItemNumber FROM OrderItems ORDER BY OrderID, ItemNumber",
          "SELECT ID || ':' || OrderID FROM Shipments ORDER BY ID",
          "SELECT OrderID || ':' || OrderLineItem FROM ShipmentItems ORDER BY OrderID, OrderLineItem",
          "SELECT Invoice || ':' || OrderID FROM InvoiceOrders", "SELECT OrderID FROM OrdersInvoiced",
          "SELECT OrderID FROM OrdersToBatch"})
        out << column(*db, QString::fromLatin1(statement)).join(QLatin1Char(' '));
    return out;
}

// Killed just before any one of its writes to disk, the exchange leaves no
// order on the server twice, and the next run ends exactly where an
// uninterrupted run does. The short form tries an even spread of the writes;
// BUNLINE_EVERY_WRITE=1 tries every one.
TEST(ExchangeKilled, AtAnyWriteLosesAndDoublesNothing)
{
    QTemporaryDir work;
    const QDir dir(work.path());
    const QString templatePlant = dir.filePath(QStringLiteral("template-plant.db"));
    const QString templateCentral = dir.filePath(QStringLiteral("template-central.db"));
    buildPlant(templatePlant, templateCentral);
    const QString plant = dir.filePath(QStringLiteral("plant.db"));
    const QString central = dir.filePath(QStringLiteral("central.db"));
    const QString config = testsupport::writeCtlConfig(
        work, QStringLiteral("Driver=SQLite;Database=%1;LinkedServer=%2").arg(plant, central));
    const auto reset = [&] {
        for (const QString &file : dir.entryList({QStringLiteral("plant.db*"), QStringLiteral("central.db*")}))
            QFile::remove(dir.filePath(file));
        ASSERT_TRUE(QFile::copy(templatePlant, plant));
        ASSERT_TRUE(QFile::copy(templateCentral, central));
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(BUNLINE_KILL_AT_WRITE_LIB));
    const auto exchange = [&](const QProcessEnvironment &e) {
        QProcess p;
        startExchange(p, config, e);
        EXPECT_TRUE(p.waitForFinished(60000));
        return std::pair{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                         QString::fromUtf8(p.readAllStandardError())};
    };

    reset();
    QProcessEnvironment counting = env;
    const QString countFile = dir.filePath(QStringLiteral("writes.txt"));
    counting.insert(QStringLiteral("BUNLINE_WRITES_FILE"), countFile);
    ASSERT_EQ(exchange(counting).first, 0);
    QFile count(countFile);
    ASSERT_TRUE(count.open(QIODevice::ReadOnly));
    const int writes = count.readAll().trimmed().toInt();
    ASSERT_GT(writes, 10);
    const QStringList expected = snapshot(plant, central);
    ASSERT_TRUE(expected[0].contains(QLatin1String("4:X-1 5:PO-A 6:PO-B"))) << expected[0].toStdString();

    const bool every = qEnvironmentVariable("BUNLINE_EVERY_WRITE") == QLatin1String("1");
    const int step = every ? 1 : std::max(1, writes / 24);
    int killed = 0;
    for (int at = 1; at <= writes; at += step) {
        reset();
        QProcessEnvironment killing = env;
        killing.insert(QStringLiteral("BUNLINE_KILL_AT_WRITE"), QString::number(at));
        if (exchange(killing).first == -1)
            ++killed;
        {
            auto server = Database::open(QStringLiteral("Driver=SQLite;Database=") + central);
            ASSERT_TRUE(column(*server,
                               QStringLiteral("SELECT OrderNumber FROM Orders GROUP BY OrderNumber HAVING "
                                              "COUNT(*) > 1"))
                            .isEmpty())
                << "an order doubled, killed at write " << at;
        }
        const auto [code, err] = exchange(QProcessEnvironment::systemEnvironment());
        ASSERT_EQ(code, 0) << "the run after the kill at write " << at << " failed: " << err.toStdString();
        ASSERT_EQ(snapshot(plant, central), expected) << "killed at write " << at;
    }
    EXPECT_GT(killed, 0);
    RecordProperty("writes", writes);
}

} // namespace
