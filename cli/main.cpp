// bunlinectl: the headless companion of bunline. Every command reads config.txt
// (--config FILE, else the first found of the user's, the machine's and the
// program's folder) and exits non-zero with one line on stderr when it fails.
#include "cli.h"

#include "data/database.h"
#include "reporting/report.h"
#include "core/configuration.h"
#include "core/version.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <functional>
#include <map>

namespace {

const char *kUsage =
    "usage: bunlinectl [--config FILE] COMMAND [options]\n"
    "       bunlinectl --version\n"
    "Without --config, config.txt is read from ~/.config/bunline/, /etc/bunline/ or the program's folder,\n"
    "the first that holds one.\n"
    "commands:\n"
    "  init-db [--admin-user NAME] [--admin-password-file FILE|- | --admin-password PW]\n"
    "                                                   create the schema, reference rows and first administrator\n"
    "                                                   (without a password, one is made up and printed once)\n"
    "  upgrade-db                                       bring the database to this program's schema version\n"
    "                                                   (SQLite: copied beside itself first)\n"
    "  backup --out FILE                                a consistent copy while others work (PostgreSQL: pg_dump)\n"
    "  restore FILE                                     a backup into an empty database\n"
    "  upgrade-passwords                                hash every password still stored as plain text\n"
    "  demo-data                                        add the demo plant\n"
    "  sql \"STATEMENT\" [\"STATEMENT\" ...]                run statements, print results as CSV\n"
    "  report NAME [options] --out FILE [--format pdf|csv]  an office report (bunlinectl report --help)\n"
    "  print-order ORDER_ID --out DIR [--format pdf|csv] [--reports LIST] [--components LIST] [--suffix TEXT]\n"
    "                                                   an order's production paperwork, one file per copy\n"
    "  invoice CUSTOMER --orders ID[,ID...] [--date D] [--due D] [--freight N] [--misc N] [--memo TEXT]\n"
    "                                                   invoice whole orders; prints the invoice number\n"
    "  pay INVOICE [--amount N] [--adjustment N] [--date D]  record a payment; prints the new balance\n"
    "  download-catalogue                               refresh the catalogue and vendors from the central server\n"
    "  exchange-orders                                  upload queued orders, download customers and recent orders\n"
    "  link-server --host H --port P --dbname D --user U [--password W] [--schema S]\n"
    "                                                   PostgreSQL: link the central server (postgres_fdw)\n"
    "  ship ORDER_ID ITEM=QTY ... | --all [--date YYYY-MM-DD]\n"
    "                                                   record a shipment; prints its ID and the order's status\n"
    "  load-sheet ORDER_ID --out DIR [--format pdf|csv] [--plan PLAN] [--all-sheets --suffix TEXT]\n"
    "                                                   a planned truck load's load sheet (PLAN: 1:30,BREAK,1:30),\n"
    "                                                   or with --all-sheets its glue/spray/supply/tie sheets too\n";

// Reports lay out text in fonts, which takes a GUI application (off screen).
bool needsFonts(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--config") == 0) {
            ++i;
            continue;
        }
        return qstrcmp(argv[i], "report") == 0 || qstrcmp(argv[i], "print-order") == 0
            || qstrcmp(argv[i], "load-sheet") == 0;
    }
    return false;
}

// One line: the database's message first, the statements after it, each line
// break shown as " | " and any other control character as \xNN, so that a
// NUL cannot cut the message short nor a carriage return hide part of it.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QString out;
    out.reserve(text.size());
    for (const QChar c : std::as_const(text)) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            out += QLatin1String(" | ");
        else if (c == QLatin1Char('\t'))
            out += QLatin1Char(' ');
        else if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

} // namespace

// Qt's note that a cron job or CI run has no XDG runtime folder is not ours to
// pass on: a failing command says one line of its own on stderr, nothing more.
void dropRuntimeFolderNotes(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:")))
        return;
    fprintf(stderr, "%s\n", qPrintable(message));
}

int main(int argc, char *argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "--version") == 0) {
        printf("%s\n", qPrintable(core::versionText(QStringLiteral("bunlinectl"))));
        return 0;
    }
    qInstallMessageHandler(dropRuntimeFolderNotes);
    const bool fonts = needsFonts(argc, argv);
    if (fonts && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A GUI application would take Qt's own options (-style, -platform...) out
    // of the arguments, and --style is one of ours: it sees the program name only.
    int appArgc = fonts ? 1 : argc;
    const std::unique_ptr<QCoreApplication> application(fonts ? new QGuiApplication(appArgc, argv)
                                                              : new QCoreApplication(argc, argv));
    // Every report a command writes carries the company heading it loaded.
    reporting::useLoadedCompanyHeading();
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    cli::Context ctx{core::defaultConfigurationPath(), {}, out};
    const qsizetype c = args.indexOf(QStringLiteral("--config"));
    if (c >= 0) {
        if (c + 1 >= args.size()) {
            err << "bunlinectl: --config needs a file name\n";
            return 2;
        }
        ctx.configPath = args[c + 1];
        args.remove(c, 2);
    }
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        (args.isEmpty() ? err : out) << kUsage;
        return args.isEmpty() ? 2 : 0;
    }
    const std::map<QString, std::function<int(cli::Context &)>> commands = {
        {QStringLiteral("init-db"), cli::initDb},
        {QStringLiteral("upgrade-passwords"), cli::upgradePasswords},
        {QStringLiteral("demo-data"), cli::demoData},
        {QStringLiteral("upgrade-db"), cli::upgradeDb},
        {QStringLiteral("backup"), cli::backup},
        {QStringLiteral("restore"), cli::restore},
        {QStringLiteral("sql"), cli::sql},
        {QStringLiteral("report"), cli::report},
        {QStringLiteral("print-order"), cli::printOrder},
        {QStringLiteral("invoice"), cli::invoice},
        {QStringLiteral("pay"), cli::pay},
        {QStringLiteral("download-catalogue"), cli::downloadCatalogue},
        {QStringLiteral("exchange-orders"), cli::exchangeOrders},
        {QStringLiteral("link-server"), cli::linkServer},
        {QStringLiteral("ship"), cli::ship},
        {QStringLiteral("load-sheet"), cli::loadSheet},
    };
    const QString name = args.takeFirst();
    const auto command = commands.find(name);
    if (command == commands.end()) {
        err << "bunlinectl: unknown command \"" << name << "\"\n" << kUsage;
        return 2;
    }
    ctx.args = args;
    ctx.acceptOlderSchema = name == QLatin1String("upgrade-db") || name == QLatin1String("backup")
        || name == QLatin1String("sql") || name == QLatin1String("restore");
    try {
        const int code = command->second(ctx);
        // What a command printed (an invoice number, a made-up password) is
        // its result: a command whose output was lost has failed.
        ctx.flushOut();
        data::setSharedDatabase(nullptr);
        return code;
    } catch (const std::exception &e) {
        out.flush();
        err << "bunlinectl " << name << ": " << oneLine(QString::fromUtf8(e.what())) << "\n";
        return 1;
    }
}
