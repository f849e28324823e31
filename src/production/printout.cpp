#include "production/printout.h"

#include "core/formats.h"
#include "data/quoting.h"
#include "data/recordset.h"
#include "data/schema.h"
#include "reporting/reportsinks.h"

namespace production {

QString componentListSql(const ComponentList &components)
{
    QStringList ids;
    ids.reserve(qsizetype(components.size()));
    for (qint64 id : components)
        ids << data::sqlNumber(id);
    return ids.join(QLatin1Char(','));
}

reporting::ReportTable reportRows(const data::Recordset &rs)
{
    static const data::Table *workTable = data::findTable(QStringLiteral("tmpReportData"));
    reporting::ReportTable table = reporting::ReportTable::fromRecordset(rs);
    for (QString &name : table.columns)
        if (const data::Column *c = workTable->column(name))
            name = c->name;
    return table;
}

void Printout::add(const reporting::ReportPtr &report, const QString &plant)
{
    m_copies.push_back({report, plant});
}

reporting::ReportPtr Printout::addCopyWithText(const reporting::ReportPtr &report, const QString &plant,
                                               const QString &textObject, const QString &text)
{
    auto copy = std::make_shared<reporting::Report>(*report);
    reporting::SetReportText(copy, textObject, text);
    add(copy, plant);
    return copy;
}

int printCopies(const Printout &printout, const CopyProgress &progress)
{
    const int total = printout.count();
    // Every file name is checked before the first copy is written, so that a
    // run is never stopped part way by a name the folder refuses.
    std::vector<const reporting::Report *> reports;
    for (const Copy &copy : printout.copies())
        reports.push_back(copy.report.get());
    reporting::checkPrintNames(reports);
    int printed = 0;
    for (const Copy &copy : printout.copies()) {
        if (progress && !progress(printed + 1, total, copy))
            break;
        reporting::PrintReport(copy.report);
        ++printed;
    }
    return printed;
}

QString largeRunQuestion(const Printout &printout)
{
    if (printout.count() <= kLargeRun)
        return {};
    int tickets = 0;
    for (const Copy &copy : printout.copies())
        tickets += copy.report->name() == QLatin1String("crptBuggySheetReport") ? 1 : 0;
    const QString count = core::formatInteger(printout.count());
    return tickets > 0 ? QStringLiteral("This prints %1 copies, %2 of them buggy tickets. Print them?")
                             .arg(count, core::formatInteger(tickets))
                       : QStringLiteral("This prints %1 copies. Print them?").arg(count);
}

QString copyCaption(const Copy &copy)
{
    return copy.plant.isEmpty() ? copy.report->title() : copy.report->title() + QStringLiteral(", ") + copy.plant;
}

} // namespace production
