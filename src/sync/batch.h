#pragma once

#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace data {
class Database;
} // namespace data

// The two batch operations that keep a workstation's database in step with the
// central server, reached through the linked server ([QuorlanServer] names).
// No widgets: questions, the closing note and progress go through the hooks.
namespace serversync {

struct BatchHooks {
    // Asked before anything changes when the run asks; anything but true ends
    // it with no change. Without it the run goes ahead.
    std::function<bool(const QString &text, const QString &title)> confirm;
    // The closing note of a run that asks.
    std::function<void(const QString &text, const QString &title)> inform;
    // What is being copied now (a table, or an uploaded order) and the rows
    // done so far in the whole run.
    std::function<void(const QString &step, qint64 rowsDone)> progress;
};

struct TableCopied {
    QString table;
    qint64 rows = 0;
};

struct BatchResult {
    bool ran = false;          // false: the user said No
    qint64 elapsedSeconds = 0; // whole seconds from start to end
    std::vector<TableCopied> tables;
    int ordersUploaded = 0;
};

extern const char *const kDownloadQuestion;
extern const char *const kExchangeQuestion;
extern const char *const kConfirmTitle;
extern const char *const kCompleteTitle;
QString completionText(qint64 elapsedSeconds);

// Empties each catalogue table and fills it from the server, one table at a
// time, each in its own transaction: a table that fails is left as it was, the
// run stops there and the error names it. Local Data rows are kept; server
// Data rows the local table lacks are added.
BatchResult DownloadCatalogue(data::Database &db, bool ask, const BatchHooks &hooks = {});

// One run at a time per plant (another is refused before anything changes).
// Uploads every queued order with its lines, each in two commits - on the
// server, then here, where every row naming the order moves to the server's ID
// and the order leaves the queue - so that a run stopped at any point loses
// and doubles nothing. Then replaces the local customers, and the orders and
// lines added in the 60 days before today, with the server's, in one
// transaction; orders shipped here take their status from their shipments.
BatchResult ExchangeOrders(data::Database &db, bool ask, const BatchHooks &hooks = {});

} // namespace serversync
