#pragma once

#include <QString>

namespace data {
class Database;
} // namespace data

namespace core {

// The company's name and address as report headings print them, held as text
// for the run and reloaded whenever the company screen saves.
struct CompanySettings {
    QString name, address1, address2, city, state, zip, phone, fax, email, website, taxId;

    // City, a comma and one space, the state, two spaces and the zip.
    QString cityStateZip() const;
};

// Reads the Company row into the company settings of this run. Answers false
// (and keeps the settings empty) when the table has no row yet.
bool LoadCompanySettings(data::Database &db);
const CompanySettings &companySettings();

} // namespace core
