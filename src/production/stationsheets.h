#pragma once

// The station work sheets: for every station of a kind that has work for the
// order in a plant, one copy per team, titled with the station (and team).
// The station loop is shared by every kind of sheet, the glue/spray/tie
// printing of the shipping screens included.

#include "production/printout.h"

#include <QStringList>

namespace data {
class Database;
} // namespace data

namespace production {

struct StationSheet {
    QString definition;       // crpt...
    QStringList reportTypes;  // the stations whose ReportType is one of these
    QString department;       // txtDepartment; empty: not set
    bool orderSuffix = false; // sets txtOrderSuffix
};

// The statement giving a station's rows.
using StationRows = std::function<QString(const QString &station)>;

// "Glue 2 Team 3" for the third of several teams; the bare station name for
// a station with one team.
QString teamTitle(const QString &station, int team, int teams);

// For each station of the sheet's report types (in the database's order) whose
// rows are not empty: the report bound to those rows with the plant, company
// heading and department, added once per team with its title (and the order
// suffix). A station with no teams prints nothing.
void printStationSheets(Printout &out, data::Database &db, const StationSheet &sheet, const QString &plant,
                        const StationRows &rows, const QString &orderSuffix = {});

// The statements of the sheets, for a station.
QString workTableRows(qint32 orderId, const QString &plant, const QString &station);
// An order's lines with their component and the station's operation (A), and
// the same with the component's bun (B) or as stencil rows (C).
QString orderLineRows(qint32 orderId, const QString &plant, const QString &station, const ComponentList &components,
                      const QString &orderBy = {});
QString bulletNoserRows(qint32 orderId, const QString &plant, const QString &station, const ComponentList &components);
QString stencilRows(qint32 orderId, const QString &plant, const QString &station, const ComponentList &components);

void PrintCNCSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant);
void PrintBandSawSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant);
void PrintFiberTableSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant);
void PrintGlueSprayLineSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                              const ComponentList &components, const QString &orderSuffix);
void PrintGlueSprayLineSupplySheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                                    const ComponentList &components, const QString &orderSuffix);
void PrintVerticalSlitterSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                                const ComponentList &components);
void PrintBulletNoserSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                            const ComponentList &components);
void PrintCNCStencilSheets(Printout &out, data::Database &db, qint32 orderId, const QString &plant,
                           const ComponentList &components);

} // namespace production
