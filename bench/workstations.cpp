// Several workstations working on one database at once, each its own process
// with its own connection, through the same routines the screens save, search,
// print, ship, invoice and take payments with. Prints each operation's count,
// latencies and errors, then checks the data with SQL. Exits non-zero on a
// broken check, on any failure or when a workstation dies.
//
//   workstations [--workstations N] [--seconds S] [--connection STRING] [--own-schema]
//
// Without --connection it uses $BUNLINE_TEST_PG in a schema of its own (see
// scripts/test-postgres.sh), else a new SQLite file. The database is set up
// first (schema and demo plant); a PostgreSQL database given with
// --own-schema gets a fresh schema that is dropped at the end.
#include "core/companysettings.h"
#include "data/database.h"
#include "data/demoplant.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "data/transact.h"
#include "invoicing/invoicestore.h"
#include "orders/orderstore.h"
#include "production/paperwork.h"
#include "reporting/reportsinks.h"
#include "shipping/shipments.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

namespace {

QString s(const char *text)
{
    return QString::fromUtf8(text);
}

// What happened to one operation: done, refused with a message the user
// would see, or failed.
enum class Outcome { Ok, Refused, Failed };

struct Options {
    int workstations = 10;
    int seconds = 120;
    QString connection;
    bool ownSchema = false;
    int child = 0; // 1..N in a workstation process
};

// ---------------------------------------------------------------- workstation

class Workstation {
public:
    Workstation(data::Database &db, int number)
        : m_db(db), m_number(number), m_rng(quint32(number) * 7919u + quint32(QCoreApplication::applicationPid()))
    {
        for (const QString &customer : orders::activeCustomers(db)) {
            std::vector<orders::StyleChoice> styles = orders::customerStyles(db, customer);
            if (!styles.empty())
                m_styles[customer] = std::move(styles);
        }
        for (const auto &entry : m_styles)
            m_customers << entry.first;
        m_plants = production::plantNames(db);
    }

    int entered() const { return m_entered; }
    bool ready() const { return !m_customers.isEmpty(); }

    // One operation, chosen by weight; answers its name.
    QString step(Outcome &outcome, QString &detail)
    {
        static const std::pair<const char *, int> kMix[] = {
            {"enter order", 20}, {"re-save order", 15}, {"search orders", 20}, {"print paperwork", 8},
            {"ship", 15},        {"invoice", 10},       {"payment", 12}};
        int total = 0;
        for (const auto &m : kMix)
            total += m.second;
        int pick = int(m_rng.bounded(total));
        size_t which = 0;
        while (pick >= kMix[which].second)
            pick -= kMix[which++].second;
        outcome = Outcome::Ok;
        try {
            switch (which) {
            case 0:
                enterOrder();
                break;
            case 1:
                resaveOrder();
                break;
            case 2:
                searchOrders();
                break;
            case 3:
                printPaperwork();
                break;
            case 4:
                ship();
                break;
            case 5:
                invoice();
                break;
            default:
                payment();
                break;
            }
        } catch (const data::DbError &e) {
            outcome = Outcome::Failed;
            detail = e.message();
        } catch (const std::exception &e) {
            // The routines' own errors are the refusals a screen shows.
            outcome = Outcome::Refused;
            detail = QString::fromStdString(e.what());
        }
        return s(kMix[which].first);
    }

private:
    QString anyCustomer() { return m_customers[int(m_rng.bounded(m_customers.size()))]; }

    void enterOrder()
    {
        const QString customer = anyCustomer();
        const std::vector<orders::StyleChoice> &styles = m_styles[customer];
        orders::OrderHeader header;
        header.customer = customer;
        header.orderNumber = s("W%1-%2").arg(m_number).arg(++m_sequence);
        header.orderDate = QDate::currentDate();
        header.dueDate = header.orderDate.addDays(14);
        header.shipTo = orders::customerShipTo(m_db, customer).value_or(orders::ShipTo{});
        if (orders::orderNumberExists(m_db, customer, header.orderNumber))
            throw std::runtime_error("The order number is already in use.");
        std::vector<orders::OrderLine> lines;
        const int count = int(m_rng.bounded(5, 41));
        for (int i = 0; i < count; ++i) {
            const orders::StyleChoice &style = styles[size_t(m_rng.bounded(int(styles.size())))];
            orders::OrderLine line;
            line.itemNumber = i + 1;
            line.line = s("L%1").arg(i + 1);
            line.qty = m_rng.bounded(1, 25);
            line.styleId = style.id;
            line.styleText = style.text;
            line.priceEach = style.price;
            header.total += line.priceExt();
            lines.push_back(line);
        }
        // Half the workstations' orders are numbered locally, half by the database.
        const bool localIds = m_sequence % 2 == 0;
        m_mine.push_back(orders::saveOrder(m_db, header, lines, localIds, header.orderDate));
        ++m_entered;
    }

    // An order still open to change: one of ours, not invoiced yet.
    std::optional<qint64> changeableOrder()
    {
        for (int tries = 0; tries < 5 && !m_mine.empty(); ++tries) {
            const qint64 id = m_mine[size_t(m_rng.bounded(int(m_mine.size())))];
            if (m_db.query(s("SELECT OrderID FROM InvoiceOrders WHERE OrderID = %1").arg(data::sqlNumber(id)))
                    .isEmpty())
                return id;
        }
        return std::nullopt;
    }

    void resaveOrder()
    {
        const std::optional<qint64> id = changeableOrder();
        if (!id)
            return enterOrder();
        std::optional<orders::OrderHeader> header = orders::loadOrder(m_db, *id);
        if (!header)
            throw data::DbError(s("Order %1 is gone.").arg(*id));
        std::vector<orders::OrderLine> lines = orders::loadLines(m_db, *id);
        // One more piece on one line: never below what has been shipped.
        if (!lines.empty())
            lines[size_t(m_rng.bounded(int(lines.size())))].qty += 1;
        header->total = 0;
        for (const orders::OrderLine &l : lines)
            header->total += l.priceExt();
        orders::saveOrder(m_db, *header, lines, false, QDate::currentDate());
    }

    void searchOrders()
    {
        orders::SearchCriteria criteria;
        criteria.customer = anyCustomer();
        criteria.status = s("Open");
        orders::FoundOrders found(m_db, criteria);
        for (int r = 0; r < std::min(found.count(), 30); ++r)
            found.value(r, s("OrderNumber"));
    }

    void printPaperwork()
    {
        if (m_mine.empty())
            return enterOrder();
        production::PaperworkRequest request;
        request.orderId = qint32(m_mine[size_t(m_rng.bounded(int(m_mine.size())))]);
        request.plants = m_plants;
        request.checkAll();
        for (const production::OrderComponent &c : production::orderComponents(m_db, request.orderId))
            request.components.push_back(c.styleComponentId);
        production::Printout printout;
        production::collectPaperwork(printout, m_db, request);
        production::printCopies(printout);
    }

    // Half of what is still open on every line of an open order of any workstation.
    void ship()
    {
        const data::Recordset open = m_db.query(
            s("SELECT TOP 200 ID FROM Orders WHERE Status = 'Open' AND OrderNumber LIKE 'W%' ORDER BY ID DESC"));
        if (open.isEmpty())
            return enterOrder();
        const qint64 orderId = open.rows()[size_t(m_rng.bounded(int(open.rows().size())))][0].toLongLong();
        shipping::Shipment shipment;
        shipment.orderId = orderId;
        shipment.date = QDate::currentDate();
        for (const shipping::OrderLine &l : shipping::orderLines(m_db, orderId))
            if (l.open() > 0)
                shipment.lines.push_back({l.itemNumber, std::ceil(l.open() / 2)});
        if (shipment.lines.empty())
            throw std::runtime_error("Nothing is left to ship on the order.");
        shipping::checkShipment(m_db, shipment);
        shipping::saveShipment(m_db, shipment);
    }

    void invoice()
    {
        // A customer with orders shipped in full and not invoiced yet.
        const data::Recordset ready =
            m_db.query(s("SELECT DISTINCT Customer FROM Orders WHERE Status = 'Closed' AND NOT EXISTS "
                         "(SELECT 1 FROM InvoiceOrders WHERE InvoiceOrders.OrderID = Orders.ID)"));
        if (ready.isEmpty())
            return ship();
        const QString customer = ready.rows()[size_t(m_rng.bounded(int(ready.rows().size())))][0].toString();
        invoicing::NewInvoice invoice;
        invoice.customer = customer;
        invoice.invoiceDate = QDate::currentDate();
        invoice.dueDate = invoice.invoiceDate.addDays(30);
        for (const invoicing::UninvoicedOrder &o : invoicing::OrdersNotYetInvoiced(m_db, customer))
            if (invoice.orders.size() < 3 && shipping::orderStatus(m_db, o.id) == QLatin1String("Closed"))
                invoice.orders.push_back(o.id);
        if (invoice.orders.empty())
            return;
        invoicing::CreateInvoice(m_db, invoice);
    }

    void payment()
    {
        const std::vector<qint64> invoices = invoicing::InvoiceNumbers(m_db);
        if (invoices.empty())
            return;
        const qint64 id = invoices[size_t(m_rng.bounded(int(std::min<size_t>(invoices.size(), 50))))];
        invoicing::RecordPayment(m_db, id, QDate::currentDate(), 10.0 + m_rng.bounded(100), 0);
    }

    data::Database &m_db;
    int m_number;
    QRandomGenerator m_rng;
    std::map<QString, std::vector<orders::StyleChoice>> m_styles;
    QStringList m_customers;
    QStringList m_plants;
    std::vector<qint64> m_mine;
    int m_sequence = 0;
    int m_entered = 0;
};

// A workstation process: one line per operation on stdout,
// "op <TAB> milliseconds <TAB> ok|refused|failed <TAB> message".
int runWorkstation(const Options &options)
{
    std::unique_ptr<data::Database> db = data::Database::open(options.connection);
    data::createWorkTables(*db);
    core::LoadCompanySettings(*db);
    QTemporaryDir printed;
    reporting::setPrintFolder(printed.path(), reporting::PrintFormat::Csv);
    Workstation ws(*db, options.child);
    if (!ws.ready()) {
        std::fprintf(stderr, "workstation %d: no customer with styles\n", options.child);
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < qint64(options.seconds) * 1000) {
        QElapsedTimer timer;
        timer.start();
        Outcome outcome;
        QString detail;
        const QString op = ws.step(outcome, detail);
        const char *kind = outcome == Outcome::Ok ? "ok" : outcome == Outcome::Refused ? "refused" : "failed";
        std::printf("%s\t%.2f\t%s\t%s\n", qPrintable(op), timer.nsecsElapsed() / 1e6, kind,
                    qPrintable(detail.simplified().left(160)));
        std::fflush(stdout);
    }
    std::printf("#entered\t%d\n#retried\t%d\n", ws.entered(), data::retriedTransactions());
    return 0;
}

// ------------------------------------------------------------------- parent

struct Tally {
    std::vector<double> ms;
    int refused = 0;
    int failed = 0;
    std::map<QString, int> errors; // "refused: message" / "failed: message"
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

// Each check: a statement answering the rows that break it.
struct Check {
    const char *what;
    QString statement;
};

std::vector<Check> checks(qint64 firstInvoice)
{
    return {
        {"orders without lines",
         s("SELECT ID FROM Orders WHERE OrderNumber LIKE 'W%' AND NOT EXISTS "
           "(SELECT 1 FROM OrderItems WHERE OrderItems.OrderID = Orders.ID)")},
        {"orders stored twice",
         s("SELECT OrderNumber FROM Orders WHERE OrderNumber LIKE 'W%' GROUP BY OrderNumber HAVING COUNT(*) > 1")},
        {"new orders queued for upload other than once",
         s("SELECT ID FROM Orders WHERE OrderNumber LIKE 'W%' AND "
           "(SELECT COUNT(*) FROM OrdersToBatch WHERE OrdersToBatch.OrderID = Orders.ID) <> 1")},
        {"lines shipped beyond their quantity",
         s("SELECT OrderItems.OrderID, OrderItems.ItemNumber FROM OrderItems JOIN ShipmentItems ON "
           "ShipmentItems.OrderID = OrderItems.OrderID AND ShipmentItems.OrderLineItem = OrderItems.ItemNumber "
           "GROUP BY OrderItems.OrderID, OrderItems.ItemNumber, OrderItems.Qty "
           "HAVING SUM(ShipmentItems.Qty) > OrderItems.Qty")},
        {"shipment lines of no order line",
         s("SELECT ShipmentID FROM ShipmentItems WHERE NOT EXISTS (SELECT 1 FROM OrderItems WHERE "
           "OrderItems.OrderID = ShipmentItems.OrderID AND OrderItems.ItemNumber = ShipmentItems.OrderLineItem)")},
        {"orders on two invoices", s("SELECT OrderID FROM InvoiceOrders GROUP BY OrderID HAVING COUNT(*) > 1")},
        // The subtotal is the sum of the invoiced orders' line extensions.
        {"invoices whose subtotal is not their orders' lines",
         s("SELECT Invoice.ID FROM Invoice WHERE Invoice.ID >= %1 AND ABS(Invoice.Subtotal - "
           "(SELECT ISNULL(SUM(OrderItems.PriceExt), 0) FROM InvoiceOrders JOIN OrderItems ON "
           "OrderItems.OrderID = InvoiceOrders.OrderID WHERE InvoiceOrders.Invoice = Invoice.ID)) > 0.005")
             .arg(firstInvoice)},
        {"payments on no invoice",
         s("SELECT Invoice FROM Payments WHERE NOT EXISTS (SELECT 1 FROM Invoice WHERE Invoice.ID = Payments.Invoice)")},
    };
}

// Work-table rows that outlived their run: a work table made a lasting table.
QStringList lastingWorkTables(data::Database &db)
{
    const data::Recordset rs =
        db.queryNative(db.dialect() == data::Dialect::SQLite
                           ? s("SELECT name FROM sqlite_master WHERE type = 'table' AND lower(name) LIKE 'tmp%'")
                           : s("SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema() "
                               "AND table_name LIKE 'tmp%'"));
    QStringList out;
    for (const auto &row : rs.rows())
        out << row[0].toString();
    return out;
}

int runBench(Options options)
{
    if (options.connection.isEmpty()) {
        options.connection = qEnvironmentVariable("BUNLINE_TEST_PG");
        options.ownSchema = !options.connection.isEmpty();
    }
    QTemporaryDir dir;
    if (options.connection.isEmpty())
        options.connection = s("Driver=SQLite;Database=") + dir.filePath(s("workstations.db"));
    const data::ConnectionSettings settings = data::ConnectionSettings::parse(options.connection);
    const bool postgres = settings.dialect == data::Dialect::PostgreSQL;
    const QString schema = s("ws_%1").arg(QCoreApplication::applicationPid());
    std::unique_ptr<data::Database> admin;
    if (postgres && options.ownSchema) {
        admin = data::Database::open(options.connection);
        admin->executeNative(s("CREATE SCHEMA ") + schema);
        options.connection += s(";Schema=") + schema;
    }
    struct DropSchema {
        data::Database *db;
        QString schema;
        ~DropSchema()
        {
            if (db)
                try {
                    db->executeNative(s("DROP SCHEMA %1 CASCADE").arg(schema));
                } catch (...) {
                }
        }
    } dropSchema{admin.get(), schema};

    data::OpenOptions create;
    create.create = true;
    std::unique_ptr<data::Database> db = data::Database::open(options.connection, create);
    QElapsedTimer setupTimer;
    setupTimer.start();
    {
        data::Transaction tx(*db);
        data::createSchema(*db);
        tx.commit();
    }
    data::createWorkTables(*db);
    data::addDemoPlant(*db);
    const data::Recordset maxInvoice = db->query(s("SELECT MAX(ID) AS M FROM Invoice"));
    const qint64 firstInvoice = maxInvoice.isNull(s("M")) ? 1 : maxInvoice.integer(s("M")) + 1;
    std::printf("%d workstations, %d s, %s; set-up %.1f s\n", options.workstations, options.seconds,
                postgres ? "PostgreSQL" : "SQLite", setupTimer.elapsed() / 1000.0);
    std::fflush(stdout);

    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 1; i <= options.workstations; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QCoreApplication::applicationFilePath(),
                 {s("--child"), QString::number(i), s("--seconds"), QString::number(options.seconds), s("--connection"),
                  options.connection});
        processes.push_back(std::move(p));
    }
    std::map<QString, Tally> tallies;
    int entered = 0, retried = 0, died = 0;
    for (size_t i = 0; i < processes.size(); ++i) {
        QProcess &p = *processes[i];
        p.waitForFinished(-1);
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            ++died;
            std::printf("workstation %d ended with %d\n", int(i + 1), p.exitCode());
        }
        for (const QByteArray &raw : p.readAllStandardOutput().split('\n')) {
            const QStringList f = QString::fromUtf8(raw).split(QLatin1Char('\t'));
            if (f.size() == 2 && f[0] == QLatin1String("#entered"))
                entered += f[1].toInt();
            else if (f.size() == 2 && f[0] == QLatin1String("#retried"))
                retried += f[1].toInt();
            if (f.size() < 4)
                continue;
            Tally &t = tallies[f[0]];
            t.ms.push_back(f[1].toDouble());
            if (f[2] == QLatin1String("refused"))
                ++t.refused;
            if (f[2] == QLatin1String("failed"))
                ++t.failed;
            if (f[2] != QLatin1String("ok"))
                ++t.errors[f[2] + s(": ") + f[3]];
        }
    }

    int failed = died;
    std::printf("\n%-16s %7s %8s %7s %9s %9s %9s\n", "operation", "count", "refused", "failed", "p50 ms", "p95 ms",
                "max ms");
    for (const auto &[op, t] : tallies) {
        std::printf("%-16s %7d %8d %7d %9.1f %9.1f %9.1f\n", qPrintable(op), int(t.ms.size()), t.refused, t.failed,
                    percentile(t.ms, 0.5), percentile(t.ms, 0.95), percentile(t.ms, 1.0));
        failed += t.failed;
    }
    std::printf("transactions run again after a clash: %d\n", retried);
    for (const auto &[op, t] : tallies)
        for (const auto &[error, n] : t.errors)
            std::printf("  %s x%d: %s\n", qPrintable(op), n, qPrintable(error));

    int broken = 0;
    std::printf("\nchecks:\n");
    for (const Check &c : checks(firstInvoice)) {
        const data::Recordset rs = db->query(c.statement);
        const int n = int(rs.rows().size());
        broken += n > 0;
        QStringList sample;
        for (size_t r = 0; r < std::min<size_t>(rs.rows().size(), 5); ++r)
            sample << rs.rows()[r][0].toString();
        std::printf("  %-52s %s %s\n", c.what, n == 0 ? "ok" : qPrintable(QString::number(n)),
                    qPrintable(sample.join(QLatin1Char(' '))));
    }
    const qint64 stored = db->query(s("SELECT COUNT(*) AS N FROM Orders WHERE OrderNumber LIKE 'W%'")).integer(s("N"));
    const bool allStored = stored == entered;
    broken += !allStored;
    std::printf("  %-52s %s (%d entered, %lld stored)\n", "every entered order stored once", allStored ? "ok" : "NO",
                entered, stored);
    const QStringList lasting = lastingWorkTables(*db);
    broken += !lasting.isEmpty();
    std::printf("  %-52s %s\n", "no work-table rows left in the database",
                lasting.isEmpty() ? "ok" : qPrintable(lasting.join(QLatin1Char(' '))));
    db.reset();
    if (broken || failed)
        std::printf("\n%d broken checks, %d failures\n", broken, failed);
    return broken || failed ? 1 : 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options options;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        const QString next = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == QLatin1String("--workstations"))
            options.workstations = std::max(1, next.toInt()), ++i;
        else if (a == QLatin1String("--seconds"))
            options.seconds = std::max(1, next.toInt()), ++i;
        else if (a == QLatin1String("--connection"))
            options.connection = next, ++i;
        else if (a == QLatin1String("--own-schema"))
            options.ownSchema = true;
        else if (a == QLatin1String("--child"))
            options.child = next.toInt(), ++i;
        else {
            std::fprintf(stderr,
                         "usage: workstations [--workstations N] [--seconds S] [--connection STRING] [--own-schema]\n");
            return 2;
        }
    }
    try {
        return options.child > 0 ? runWorkstation(options) : runBench(options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "workstations: %s\n", e.what());
        return 1;
    }
}
