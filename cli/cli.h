#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <stdexcept>

namespace data {
class Database;
} // namespace data

namespace cli {

// A failure that ends the command with a one-line message on stderr.
class CliError : public std::runtime_error {
public:
    explicit CliError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

// How a command takes dates: ISO only, or also the short form M/D/YYYY.
enum class DateForm { Iso, IsoOrShort };

// What every command receives: its own arguments and the global options.
struct Context {
    QString configPath;
    QStringList args;
    QTextStream &out;
    // upgrade-db, backup and sql work on a database of an older schema; every
    // other command refuses it (and every command a newer one).
    bool acceptOlderSchema = false;

    // Takes "--name VALUE" out of args; empty when absent.
    QString takeOption(const QString &name);
    bool takeFlag(const QString &name);
    // Takes the first argument (an order ID, say); fails with the usage line
    // when it is missing or an option stands first.
    QString takeLeading(const QString &usage);
    // Takes the output folder of --out; fails naming the command without it.
    QString takeOutFolder(const QString &command);
    // Takes --format: "pdf" (also when absent) or "csv".
    QString takeFormat();
    // Takes "--name DATE"; otherwise when absent. Refused unless the whole
    // value is a date.
    QDate takeDate(const QString &name, const QDate &otherwise, DateForm form = DateForm::IsoOrShort);
    // Takes "--name AMOUNT"; 0 when absent (*given says which).
    double takeAmount(const QString &name, bool *given = nullptr);
    // Fails when arguments are left that the command did not understand.
    void finish() const;
    // Sends what was written to standard output on its way; fails when it
    // cannot be written (a full disk, a closed pipe).
    void flushOut();
    // Opens the database of config.txt, checking its schema version; create
    // makes a missing SQLite file.
    std::unique_ptr<data::Database> openDatabase(bool create = false) const;
};

// The values of arguments as every command reads them: the whole text must be
// the value (nothing ignored after it), and a refusal names the argument.
QDate dateValue(const QString &text, const QString &argument, DateForm form = DateForm::IsoOrShort);
double amountValue(const QString &text, const QString &argument);
// A quantity: a plain number ("12", "2.5", "-3") below core::kLargestAmount.
double quantityValue(const QString &text, const QString &argument);
qint64 wholeNumberValue(const QString &text, const QString &argument);

int initDb(Context &ctx);
int upgradePasswords(Context &ctx);
int sql(Context &ctx);
int demoData(Context &ctx);
int upgradeDb(Context &ctx);
int backup(Context &ctx);
int restore(Context &ctx);
int report(Context &ctx);
int printOrder(Context &ctx);
int invoice(Context &ctx);
int pay(Context &ctx);
int downloadCatalogue(Context &ctx);
int exchangeOrders(Context &ctx);
int linkServer(Context &ctx);
int ship(Context &ctx);
int loadSheet(Context &ctx);

} // namespace cli
