#pragma once

// Buggy tickets: for every order line and buggy group of a plant, one ticket
// per full buggy and one for the last, part-filled buggy. A ticket lists the
// components of the line's buggy group with the pieces on that buggy.

#include "production/printout.h"

namespace data {
class Database;
} // namespace data

namespace production {

// How the pieces of a line fill buggies: the quantity of each ticket in turn.
// No tickets when a buggy holds no pieces.
std::vector<qint64> buggyLoads(double pieces, double perBuggy);

void PrintBuggyTickets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                       const ComponentList &components);

} // namespace production
