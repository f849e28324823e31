#pragma once

#include <QString>

namespace data {
class Database;
} // namespace data

namespace serversync {

// What became of the queued order that uploadNextOrder took.
struct UploadedOrder {
    enum Outcome {
        QueueEmpty,  // nothing is queued
        Sent,        // inserted on the server with its lines
        AlreadyHeld, // the server held it already (an earlier run stopped after sending it)
        Dropped,     // queued, but the order no longer exists here
    };
    Outcome outcome = QueueEmpty;
    qint64 localId = 0;
    qint64 serverId = 0;
    qint64 lines = 0;
    QString orderNumber;
    QString customer;
};

// Uploads the queued order with the lowest local ID in two steps, never one
// transaction over both databases (an attached SQLite file commits apart from
// the plant's file):
//  1. on the server: inside a transaction that holds the plant's orders still,
//     re-reads the order and its lines while it is still queued and inserts
//     them, unless the server already holds this very order (same header and
//     lines, under an ID no other order here stands for); commits;
//  2. here: every row that refers to the order by its local ID takes the
//     server's ID (an order here that already had that ID moves to a free
//     one first, so no two orders ever share one), and the order leaves the
//     queue; commits.
// A stop between the two leaves the order queued and held by the server, and
// the next run finds it there instead of sending it twice.
UploadedOrder uploadNextOrder(data::Database &db);

} // namespace serversync
