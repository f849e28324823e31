#include "officereports/listings.h"

#include "data/database.h"
#include "data/quoting.h"
#include "core/cursor.h"

namespace officereports {

using reporting::ReportPtr;

const char *const kAllCustomers = "***All Customers***";
const char *const kAllStyles = "***All Styles***";
const char *const kAllTypes = "***All Types***";

namespace {

// The steps every listing takes: open the statement, create, bind, load and
// set the company heading. The result set is closed when it goes out of scope.
ReportPtr listing(data::Database &db, const QString &definition, const QString &statement)
{
    data::Recordset rs = db.query(statement);
    ReportPtr report = reporting::CreateReport(definition);
    reporting::SetReportData(report, rs);
    reporting::LoadReportData(report);
    reporting::SetCompanyHeading(report);
    rs.close();
    return report;
}

void show(const std::function<ReportPtr(data::Database &)> &build)
{
    core::BusyCursor busy;
    reporting::ShowReport(build(data::sharedDatabase()));
}

} // namespace

ReportPtr VendorListing(data::Database &db)
{
    return listing(db, QStringLiteral("crptVendorListing"),
                   QStringLiteral("SELECT Vendor,Address1,Address2,City,State,Zip,Phone,Fax,Contact,Status FROM Vendor "
                                  "ORDER BY Status,Vendor"));
}

ReportPtr CustomerListing(data::Database &db)
{
    return listing(
        db, QStringLiteral("crptCustomerListing"),
        QStringLiteral("SELECT Customer,Address1,Address2,City,State,Zip,Phone,Fax,Status,DateAdded,ShipTo,"
                       "ShipToAddress1,ShipToAddress2,ShipToCity,ShipToState,ShipToZip,ShipToPhone,ShipToFax,"
                       "Terms,Days FROM Customer ORDER BY Status,Customer"));
}

ReportPtr ComponentListing(data::Database &db)
{
    return listing(db, QStringLiteral("crptComponentListing"),
                   QStringLiteral("SELECT ID,Description,Thickness,Width,Length,Cutstyle,Test,TestRange,BunID,Topped,"
                                  "RailsPerBun,PiecesPerRail,PrintOnShipping,Arm,Tie FROM Component ORDER BY ID"));
}

ReportPtr BunListing(data::Database &db)
{
    return listing(db, QStringLiteral("crptBunListing"),
                   QStringLiteral("SELECT ID,Width,Length,Grade,Vendor,Status,OffAll FROM Bun "
                                  "ORDER BY Status,ISNULL(OffAll,0),Grade,Width,Length,ID"));
}

QString StyleListingStatement(const QString &customer, const QString &style, const QString &type)
{
    QString sql = QStringLiteral(
        "SELECT Customer,Style.ID AS StyleID,Name,Type,Style.Status AS Status,StyleComponent.ID AS ComponentID,"
        "StyleComponent.ComponentID AS Component,Component.Description AS Description,Component.Thickness,"
        "Component.Width,Component.Length,Qty,StyleOperation.ID AS OperationID,StyleOperation.OperationID AS Operation,"
        "Instructions,StyleOperation.Thickness,StyleOperation.Width,StyleOperation.Length "
        "FROM (((Style LEFT JOIN StyleComponent ON Style.ID = StyleComponent.StyleID) "
        "LEFT JOIN StyleOperation ON StyleComponent.StyleID = StyleOperation.StyleID "
        "AND StyleComponent.ID = StyleOperation.ComponentID) "
        "LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID)");
    const QString allStyles = QString::fromLatin1(kAllStyles);
    if (type != QLatin1String(kAllTypes))
        sql += QStringLiteral(" WHERE Customer = %1 AND Name = %2 AND Type = %3")
                   .arg(data::sqlText(customer), data::sqlText(style), data::sqlText(type));
    else if (style != allStyles)
        sql += QStringLiteral(" WHERE Customer = %1 AND Name = %2").arg(data::sqlText(customer), data::sqlText(style));
    else if (customer != QLatin1String(kAllCustomers))
        sql += QStringLiteral(" WHERE Customer = %1").arg(data::sqlText(customer));
    return sql
        + QStringLiteral(
               " ORDER BY Customer,Style.Name,Style.Type,StyleComponent.ComponentID,StyleOperation.OperationID");
}

ReportPtr StyleListing(data::Database &db, const QString &customer, const QString &style, const QString &type)
{
    return listing(db, QStringLiteral("crptStyleListing"), StyleListingStatement(customer, style, type));
}

void ShowVendorListing()
{
    show(VendorListing);
}

void ShowCustomerListing()
{
    show(CustomerListing);
}

void ShowComponentListing()
{
    show(ComponentListing);
}

void ShowBunListing()
{
    show(BunListing);
}

void ShowStyleListing(const QString &customer, const QString &style, const QString &type)
{
    show([&](data::Database &db) { return StyleListing(db, customer, style, type); });
}

} // namespace officereports
