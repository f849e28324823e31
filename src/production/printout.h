#pragma once

// The copies a production run prints. The report routines hand every finished
// copy (one per team of a station, one per buggy ticket) to a Printout; the
// caller then prints them in order, so that it can tell the user "copy n of
// m" and stop between two copies.

#include "reporting/report.h"

#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

namespace data {
class Database;
class Recordset;
} // namespace data

namespace production {

// The StyleComponent IDs chosen for printing, in the order chosen.
using ComponentList = std::vector<qint64>;
// "12,15,16": the list as it goes into an IN (...) condition.
QString componentListSql(const ComponentList &components);

// A result as a report's table. Columns of the work table keep the work
// table's spelling whichever backend read them (PostgreSQL folds the names of
// SELECT * to lower case), so a report writes the same columns on both.
reporting::ReportTable reportRows(const data::Recordset &rs);

// A run that cannot go on, with a message fit for the user.
class PaperworkError : public std::runtime_error {
public:
    explicit PaperworkError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

struct Copy {
    reporting::ReportPtr report;
    QString plant; // empty for a report of the whole order
};

class Printout {
public:
    void add(const reporting::ReportPtr &report, const QString &plant = {});
    // A copy of a report already added, with one text object changed (a
    // station's next team).
    reporting::ReportPtr addCopyWithText(const reporting::ReportPtr &report, const QString &plant,
                                         const QString &textObject, const QString &text);
    const std::vector<Copy> &copies() const { return m_copies; }
    int count() const { return int(m_copies.size()); }
    bool isEmpty() const { return m_copies.empty(); }

private:
    std::vector<Copy> m_copies;
};

// Called before copy n (1-based) of m is printed; answering false stops the
// run before that copy.
using CopyProgress = std::function<bool(int n, int m, const Copy &copy)>;

// Prints every copy in order (reporting::PrintReport). Answers how many were
// printed; a print failure ends the run with its error.
int printCopies(const Printout &printout, const CopyProgress &progress = {});

// A run of more than this many copies is confirmed before a screen prints it.
constexpr int kLargeRun = 500;
// The question that confirms a large run, with its count ("This prints 10,289
// copies, 10,255 of them buggy tickets. Print them?"); empty for a run of
// kLargeRun copies or fewer.
QString largeRunQuestion(const Printout &printout);

// How a report names the copy in progress messages: its title and plant.
QString copyCaption(const Copy &copy);

} // namespace production
