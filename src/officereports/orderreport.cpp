#include "officereports/orderreport.h"

#include "data/database.h"
#include "data/quoting.h"

namespace officereports {

const char *const kOwnPaperCustomer = "Brisko";

reporting::ReportPtr OrderReport(data::Database &db, qint32 orderId, const QString &label)
{
    data::Recordset rs = db.query(
        QStringLiteral("SELECT Orders.ID,OrderNumber,Orders.Customer,OrderDate,DueDate,ShipTo,ShipToAddress1,"
                       "ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,ItemNumber,Line,Qty,"
                       "StyleID,Name,Type,PriceEach,PriceExt FROM ((Orders LEFT JOIN OrderItems ON Orders.ID = "
                       "OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) WHERE Orders.ID = %1 "
                       "ORDER BY Orders.ID,OrderItems.ItemNumber")
            .arg(data::sqlNumber(qint64(orderId))));
    if (rs.isEmpty())
        return nullptr;
    const bool ownPaper = rs.text(QStringLiteral("Customer")) == QLatin1String(kOwnPaperCustomer);
    reporting::ReportPtr report =
        reporting::CreateReport(ownPaper ? QStringLiteral("crptOrder2") : QStringLiteral("crptOrder"));
    reporting::SetReportData(report, rs);
    reporting::LoadReportData(report);
    reporting::SetReportText(report, QStringLiteral("txtDepartment"), label);
    if (!ownPaper)
        reporting::SetCompanyHeading(report);
    return report;
}

} // namespace officereports
