#include "core/companysettings.h"

#include "data/database.h"

namespace core {

namespace {
CompanySettings g_company;
} // namespace

QString CompanySettings::cityStateZip() const
{
    return city + QStringLiteral(", ") + state + QStringLiteral("  ") + zip;
}

bool LoadCompanySettings(data::Database &db)
{
    data::Recordset rs = db.query(QStringLiteral("SELECT TOP 1 * FROM Company"));
    if (rs.isEmpty()) {
        g_company = CompanySettings();
        return false;
    }
    CompanySettings c;
    c.name = rs.text(QStringLiteral("Name"));
    c.address1 = rs.text(QStringLiteral("Address1"));
    c.address2 = rs.text(QStringLiteral("Address2"));
    c.city = rs.text(QStringLiteral("City"));
    c.state = rs.text(QStringLiteral("State"));
    c.zip = rs.text(QStringLiteral("Zip"));
    c.phone = rs.text(QStringLiteral("Phone"));
    c.fax = rs.text(QStringLiteral("Fax"));
    c.email = rs.text(QStringLiteral("Email"));
    c.website = rs.text(QStringLiteral("Website"));
    c.taxId = rs.text(QStringLiteral("TaxID"));
    g_company = c;
    return true;
}

const CompanySettings &companySettings()
{
    return g_company;
}

} // namespace core
