#include "production/scancodes.h"

namespace production {

QString ticketCode(qint64 orderId, qint64 itemNumber, qint64 buggyGroup, qint64 n, qint64 m)
{
    return QStringLiteral("T-%1-%2-%3-%4/%5").arg(orderId).arg(itemNumber).arg(buggyGroup).arg(n).arg(m);
}

QString stationSheetCode(qint64 orderId, const QString &station, int team, const QString &plant)
{
    return QStringLiteral("S-%1-%2-%3|%4").arg(orderId).arg(team).arg(station.trimmed(), plant.trimmed());
}

QString truckCode(qint64 orderId, qint64 truck)
{
    return QStringLiteral("L-%1-%2").arg(orderId).arg(truck);
}

void addScanCodes(reporting::ReportTable &table, const std::function<QString(const std::vector<QVariant> &row)> &code)
{
    int at = columnIndex(table, reporting::kScanCodeField);
    if (at < 0) {
        table.columns << reporting::kScanCodeField;
        at = int(table.columns.size()) - 1;
    }
    for (auto &row : table.rows) {
        row.resize(size_t(table.columns.size()));
        row[size_t(at)] = code(row);
    }
}

int columnIndex(const reporting::ReportTable &table, const QString &name, int nth)
{
    for (int i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].compare(name, Qt::CaseInsensitive) == 0 && nth-- == 0)
            return i;
    return -1;
}

} // namespace production
