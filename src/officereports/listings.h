#pragma once

// The office reference listings: vendors, customers, components, buns and the
// style report. Each routine comes in two parts: the one that composes the
// statement and builds the loaded report (tests and bunlinectl call it), and
// the Show... routine of the menu, which shows that report in the viewer.

#include "reporting/report.h"

namespace data {
class Database;
} // namespace data

namespace officereports {

extern const char *const kAllCustomers; // "***All Customers***"
extern const char *const kAllStyles;    // "***All Styles***"
extern const char *const kAllTypes;     // "***All Types***"

reporting::ReportPtr VendorListing(data::Database &db);
reporting::ReportPtr CustomerListing(data::Database &db);
reporting::ReportPtr ComponentListing(data::Database &db);
reporting::ReportPtr BunListing(data::Database &db);

// The style report's statement for a selection: the first of these that
// applies narrows it - a type chosen (customer, style and type), a style
// chosen (customer and style), a customer chosen - else every style is listed.
// The comparisons with the "all" entries are exact.
QString StyleListingStatement(const QString &customer, const QString &style, const QString &type);
reporting::ReportPtr StyleListing(data::Database &db, const QString &customer, const QString &style,
                                  const QString &type);

// The menu's routines, on the shared connection: busy cursor, build, show.
void ShowVendorListing();
void ShowCustomerListing();
void ShowComponentListing();
void ShowBunListing();
void ShowStyleListing(const QString &customer, const QString &style, const QString &type);

} // namespace officereports
