#include "officereports/receivables.h"

#include "data/database.h"
#include "data/quoting.h"

namespace officereports {

using reporting::ReportPtr;

namespace {

// Opens the statement, creates, binds and loads the report; the result set is
// closed when it goes out of scope.
ReportPtr loaded(data::Database &db, const QString &definition, const QString &statement,
                 const std::function<void(const ReportPtr &)> &beforeLoad = {})
{
    data::Recordset rs = db.query(statement);
    ReportPtr report = reporting::CreateReport(definition);
    if (beforeLoad)
        beforeLoad(report);
    reporting::SetReportData(report, rs);
    reporting::LoadReportData(report);
    reporting::SetCompanyHeading(report);
    rs.close();
    return report;
}

QString dateText(const QDate &date)
{
    return reporting::formatValue(date, reporting::Format::Date);
}

} // namespace

ReportPtr InvoiceReport(data::Database &db, qint64 invoice)
{
    // A reprinted invoice shows what has been paid on it and what is left.
    data::Recordset paid =
        db.query(QStringLiteral("SELECT SUM(Amount) + SUM(Adjustment) AS Paid FROM Payments WHERE Invoice = %1")
                     .arg(data::sqlNumber(invoice)));
    const QVariant amount = paid.isEOF() ? QVariant() : paid.value(QStringLiteral("Paid"));
    paid.close();
    ReportPtr report = loaded(
        db, QStringLiteral("crptInvoice"),
        QStringLiteral("SELECT Invoice.ID,Invoice.Customer,Invoice.InvoiceDate,Invoice.DueDate,Invoice.Subtotal,"
                       "Invoice.Freight,Invoice.Misc,Invoice.Total,Invoice.MemoField,Customer.Address1,"
                       "Customer.Address2,Customer.City,Customer.State,Customer.Zip,Orders.OrderNumber,"
                       "OrderItems.ItemNumber,OrderItems.Line,OrderItems.Qty,Style.Name,Style.Type,"
                       "OrderItems.PriceEach,OrderItems.PriceExt FROM (((((InvoiceOrders LEFT JOIN Invoice ON "
                       "InvoiceOrders.Invoice = Invoice.ID) LEFT JOIN Orders ON InvoiceOrders.OrderID = Orders.ID) "
                       "LEFT JOIN Customer ON Invoice.Customer = Customer.Customer) LEFT JOIN OrderItems ON "
                       "Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON OrderItems.StyleID = Style.ID) "
                       "WHERE Invoice.ID = %1 ORDER BY Invoice.ID,  Orders.OrderNumber, OrderItems.ItemNumber")
            .arg(data::sqlNumber(invoice)));
    if (!amount.isNull())
        reporting::SetReportText(report, QStringLiteral("txtPaid"), data::sqlNumber(amount.toDouble()));
    return report;
}

ReportPtr OpenInvoices(data::Database &db)
{
    return loaded(
        db, QStringLiteral("crptOpenInvoices"),
        QStringLiteral("SELECT Invoice.Customer,Invoice.ID,Invoice.InvoiceDate,Invoice.DueDate,Invoice.MemoField,"
                       "Invoice.Total,(SELECT SUM(Amount) + SUm(Adjustment) FROM Payments WHERE Invoice = "
                       "Invoice.ID) AS Paid FROM Invoice ORDER BY Invoice.Customer,Invoice.ID"));
}

ReportPtr CustomerStatements(data::Database &db, const QDate &asOf)
{
    ReportPtr report = loaded(
        db, QStringLiteral("crptCustomerStatements"),
        QStringLiteral(
            "SELECT Invoice.Customer,Customer.Address1,Customer.Address2,Customer.City,Customer.State,"
            "Customer.Zip,Invoice.ID,Invoice.InvoiceDate,Invoice.DueDate,Invoice.MemoField,Invoice.Total,"
            "(SELECT SUM(Amount) + SUm(Adjustment) FROM Payments WHERE Invoice = Invoice.ID) AS Paid FROM "
            "(Invoice LEFT JOIN Customer ON Invoice.Customer = Customer.Customer) ORDER BY Invoice.Customer,Invoice.ID"));
    reporting::SetReportText(report, QStringLiteral("txtStatementDate"), dateText(asOf));
    return report;
}

QString SalesByCustomerStatement(const QDate &start, const QDate &end)
{
    // An order date that carries a time of day still belongs to its day, so
    // the range ends before the day after the end date. Orders without lines
    // (no style) come first for their customer on both backends.
    return QStringLiteral(
               "SELECT Orders.Customer,OrderItems.StyleID,Style.Name,Style.Type,"
               "SUM(OrderItems.Qty*OrderItems.PriceEach) AS Sales,SUM(OrderItems.Qty*Style.Cost) AS Cost FROM "
               "((Orders LEFT JOIN OrderItems ON Orders.ID = OrderItems.OrderID) LEFT JOIN Style ON "
               "OrderItems.StyleID = Style.ID) WHERE Orders.OrderDate >= %1 AND Orders.OrderDate < %2 "
               "GROUP BY Orders.Customer,OrderItems.StyleID,Style.Name,Style.Type "
               "ORDER BY Orders.Customer,CASE WHEN Style.Name IS NULL THEN 0 ELSE 1 END,Style.Name,Style.Type")
        .arg(data::sqlDate(start), data::sqlDate(end.addDays(1)));
}

ReportPtr SalesByCustomer(data::Database &db, const QDate &start, const QDate &end, bool detail)
{
    ReportPtr report = loaded(
        db, QStringLiteral("crptSalesByCustomer"), SalesByCustomerStatement(start, end), [&](const ReportPtr &r) {
            // The two variants of the layout, chosen before the data are read.
            const QStringList hidden = detail ? QStringList{QStringLiteral("Section6"), QStringLiteral("Section9")}
                                              : QStringList{QStringLiteral("Section3"), QStringLiteral("Section10"),
                                                            QStringLiteral("Section1"), QStringLiteral("lblStyle")};
            for (const QString &name : hidden)
                reporting::HideSection(r, name);
            reporting::SetReportText(r, QStringLiteral("txtTitle"),
                                     detail ? QStringLiteral("Sales By Customer & Style")
                                            : QStringLiteral("Sales By Customer"));
            reporting::SetReportText(r, QStringLiteral("txtStartDate"), dateText(start));
            reporting::SetReportText(r, QStringLiteral("txtEndDate"), dateText(end));
        });
    return report;
}

} // namespace officereports
