#pragma once

// What the production paperwork shares: the band that tells the floor at a
// glance which order a sheet belongs to, the field sets of the work table and
// of an order's lines, and the bun and roll arithmetic the cutting sheets and
// material orders print.

#include "reporting/definitions/definitions.h"
#include "reporting/report.h"

namespace reporting::definitions {

// The order band at the top of every page of a floor sheet.
struct FloorHeader {
    QString idField = QStringLiteral("OrderID"); // the order's ID in the data
    bool department = false;                     // txtDepartment under the title
    bool suffix = false;                         // txtOrderSuffix beside the order number
    bool company = true;                         // the company heading text objects
    bool plant = true;                           // txtPlant in the band
};

// The ship-to address under the order band, on every page.
Band shipToBand(qreal width);
// Puts a page-header band right under the order band.
void addUnderOrderBand(ReportDefinition &d, Band band);

// A definition with the order band and the column headings on every page,
// one detail band of the columns, and "Page n of m" at the foot.
DefinitionPtr floorDefinition(const QString &name, const QString &caption, Orientation orientation,
                              std::vector<FieldSpec> fields, const FloorHeader &header,
                              const std::vector<Column> &columns);
Band floorHeaderBand(qreal width, const FloorHeader &header);

// The work table's columns, optionally followed by Vendor and BunID.
std::vector<FieldSpec> workTableFields(bool vendor = false, bool bunId = false);
// The order a sheet is for: customer, dates, number and ID.
std::vector<FieldSpec> orderHeadingFields();
// An order's lines with their components, under the names the statement gives
// the line's and the component's quantities.
std::vector<FieldSpec> orderComponentFields(const char *itemQty = "OrderItems.Qty",
                                            const char *componentQty = "StyleComponent.Qty");
// An order's lines with their components and operations (statement A).
std::vector<FieldSpec> orderLineFields();
// The ship-to block of an order.
std::vector<FieldSpec> shipToFields();

FieldSpec fieldOf(const char *name, FieldType type = FieldType::Text);
// fields followed by more.
std::vector<FieldSpec> operator+(std::vector<FieldSpec> fields, const std::vector<FieldSpec> &more);

// Pieces one bun gives: rails per bun x pieces per rail.
double piecesPerBun(const RowView &row);
// Whole buns a row fills, the pieces of its last part bun, and the buns to
// take from stock (the part bun counts as one). Null without a bun yield.
QVariant fullBuns(const RowView &row, const QString &qty = QStringLiteral("Qty"));
QVariant partBunPieces(const RowView &row, const QString &qty = QStringLiteral("Qty"));
QVariant bunsNeeded(const RowView &row, const QString &qty = QStringLiteral("Qty"));
// Rolls of fiber a row takes (pieces per rail is the pieces of one roll), and
// whole rolls to take from stock.
QVariant rolls(const RowView &row, const QString &qty = QStringLiteral("Qty"));
QVariant rollsNeeded(const RowView &row, const QString &qty = QStringLiteral("Qty"));

// Columns of the cutting sheets: line, style, component, description, cut
// size, bun, quantity and the bun arithmetic, instructions.
std::vector<Column> cuttingColumns(bool bunId = false);
std::vector<Column> fiberColumns();
// Columns of the sheets that list an order's lines (statement A and kin).
std::vector<Column> orderLineColumns(const QString &lineQty, const QString &componentQty, bool cutSize,
                                     const std::vector<Column> &extra = {});

// A group heading of one line of text from a formula, and a group footer
// that totals the given columns (formula or field totals) under a caption.
Band groupHeading(int group, Formula text, qreal width, qreal size = 10);
struct TotalSpec {
    QString heading; // the column it stands under
    QString field;   // a field to sum, or empty with a formula
    Formula formula;
    Format format = Format::Number;
};
Band totalsFooter(BandKind kind, int group, Formula caption, const std::vector<Column> &columns,
                  const std::vector<TotalSpec> &totals);

// A purchasing sheet's grouping: by vendor, then by station and the field
// (the bun's grade or the roll), each group closed by its totals ("Band Saw 1,
// grade 1835", "Order from ...") and the whole sheet by "All vendors".
void addPurchasingGroups(ReportDefinition &d, const QString &field, const QString &caption,
                         const std::vector<Column> &columns, const std::vector<TotalSpec> &totals);

} // namespace reporting::definitions

namespace reporting::definitions {

// A cutting sheet of work-table rows (sorted by grade, then size): the rows
// under a heading per grade, with the pieces and buns of each grade and of
// the whole sheet.
DefinitionPtr gradedCuttingSheet(const QString &name, const QString &caption, std::vector<FieldSpec> fields,
                                 bool bunId);

// A purchasing sheet's grouping: by vendor, then by station and the field
// (the bun's grade or the roll), each group closed by its totals ("Band Saw 1,
// grade 1835", "Order from ...") and the whole sheet by "All vendors".
void addPurchasingGroups(ReportDefinition &d, const QString &field, const QString &caption,
                         const std::vector<Column> &columns, const std::vector<TotalSpec> &totals);

} // namespace reporting::definitions
