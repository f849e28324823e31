#pragma once

// The report definitions of the catalogue, one source file each. A definition
// is built once, on first use, by its function here.

#include "reporting/reportdefinition.h"

#include <memory>
#include <utility>

namespace reporting::definitions {

using DefinitionPtr = std::shared_ptr<ReportDefinition>;

// A definition with the company heading (titled with its caption) at the top
// of every page and "Page n of m" at the foot.
DefinitionPtr headedDefinition(const QString &name, const QString &caption, Orientation orientation,
                               std::vector<FieldSpec> fields);

// "2 x 24 x 80": a piece's thickness, width and length in inches.
QVariant sizeText(const RowView &row, const QString &thickness, const QString &width, const QString &length);
// Non-blank parts joined with the separator.
QString joined(const QStringList &parts, const QString &separator = QStringLiteral("\n"));
// "Elkhart, IN  46514" from three fields (blank parts left out).
QString cityStateZip(const RowView &row, const QString &city, const QString &state, const QString &zip);

// A group heading "Active Vendors" from the Status field of the group's row.
Band statusGroupHeader(int group, const QString &what, qreal width);
// A rule and "caption  count" under a group (or the whole report).
Band countFooter(BandKind kind, int group, const QString &caption, const QString &field, qreal width);

// Receivables: an invoice's Total less its Paid (null counts as nothing);
// open while that is half a cent or more either way.
double openBalance(const RowView &row);
bool isOpen(const RowView &row);
// An invoice a row: number, dates, memo (taking what width leaves), its
// amount under amountHeading, what was paid and the open balance.
std::vector<Column> invoiceColumns(qreal width, const QString &amountHeading);
// The first and last row of the run of rows around row with the same value
// of field (a group's rows, seen from any of them).
std::pair<int, int> groupRows(const RowView &row, const QString &field);
bool anyOpenInGroup(const RowView &row, const QString &field);
// "25.0%"; empty when the whole is nothing.
QString percentText(double part, double whole);

DefinitionPtr crptVendorListing();
DefinitionPtr crptCustomerListing();
DefinitionPtr crptComponentListing();
DefinitionPtr crptBunListing();
DefinitionPtr crptStyleListing();
DefinitionPtr crptInvoice();
DefinitionPtr crptOpenInvoices();
DefinitionPtr crptCustomerStatements();
DefinitionPtr crptSalesByCustomer();

// The production paperwork and the order report.
DefinitionPtr crptCNC();
DefinitionPtr crptBandSaw();
DefinitionPtr crptFiberTable();
DefinitionPtr crptCNCStencil();
DefinitionPtr crptGlueSprayLine();
DefinitionPtr crptVerticalSlitter();
DefinitionPtr crptBulletNoser();
DefinitionPtr crptTest();
DefinitionPtr crptTie();
DefinitionPtr crptTopOutSaw();
DefinitionPtr crptFoamOrder();
DefinitionPtr crptFiberOrder();
DefinitionPtr crptLoadSheetOld();
DefinitionPtr crptLoadSheet();
DefinitionPtr crptSummary();
DefinitionPtr crptBuggySheetReport();
DefinitionPtr crptOrder();
DefinitionPtr crptOrder2();

// The order report's fields and layout; with or without the company heading.
std::vector<FieldSpec> orderReportFields();
DefinitionPtr orderReport(const QString &name, bool company);

} // namespace reporting::definitions
