#pragma once

// The model layer of the report engine: what a report definition (crpt...) is
// made of. Bands stacked down the page, each holding positioned elements.
// Nothing here knows of data, pages or painting.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <Qt>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace reporting {

// A failure of the engine: an unknown definition, text object or section, a
// column the definition expects but the data lack, or an output that could not
// be written. The message names what is wrong and is fit for the user.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString &message) : std::runtime_error(message.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

// Types of the columns a definition reads from its data.
enum class FieldType { Text, Number, Integer, Flag, Date, DateTime };

// A column the definition reads, by name. A name may be qualified
// ("Component.Thickness"); it is matched against the data's column of the last
// part of the name, the n-th occurrence for the n-th declared field of that
// last part, so two columns both called Thickness bind in statement order.
struct FieldSpec {
    QString name;
    FieldType type = FieldType::Text;
};

// How a value is written on the page.
enum class Format {
    Auto, // by the field's type
    Text,
    Integer,   // 1,234
    Number,    // up to two decimals, trailing zeros dropped
    Money,     // $1,234.50 and ($1,234.50) when negative
    Dimension, // sizes in inches: up to three decimals, 24.5
    YesNo,     // flags
    Date,      // M/d/yyyy
    DateTime,  // M/d/yyyy h:mm AP
};

struct FontSpec {
    qreal pointSize = 8;
    bool bold = false;
    bool italic = false;
};

class RowView;

// A value computed from the current row (a report formula).
using Formula = std::function<QVariant(const RowView &row)>;

enum class ElementKind {
    Field,      // a column of the data (name = the field)
    Text,       // a named text object; the routine may replace its text
    Label,      // fixed text (captions)
    Formula,    // computed from the row
    Total,      // sum or count over the rows of the enclosing group (or report)
    PageNumber, // "Page 3 of 7"
    Line,       // a rule from the rect's top left to its right (or bottom)
    Box,
    Barcode, // a Code 128 barcode of a column's text (name = the field), the text printed beneath
};

enum class TotalKind { Sum, Count };

// One item placed in a band; positions in points (1/72 inch) from the band's
// top left corner (inside the page margins).
struct Element {
    ElementKind kind = ElementKind::Label;
    QString name; // field, text object or formula name; used to hide the element
    QString text; // label text, default text of a text object
    qreal x = 0, y = 0, width = 0, height = 12;
    FontSpec font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    Format format = Format::Auto;
    Formula formula; // a formula element's value; on a total, the value summed per row
    TotalKind total = TotalKind::Sum;
    qreal penWidth = 0.5;
    bool canGrow = false; // wraps and makes its band taller
    bool blankWhenZero = false;
    // Text wider than its room steps down to this size before it wraps; 0
    // means two points below the element's own size.
    qreal minPointSize = 0;
};

enum class BandKind { ReportHeader, PageHeader, GroupHeader, Detail, GroupFooter, PageFooter, ReportFooter };

// A horizontal strip of the page. A band with a name is a section that the
// routine can hide. A band naming a subreport is followed by the subreport's
// own bands and rows, which flow across pages like the main rows.
struct Band {
    BandKind kind = BandKind::Detail;
    qreal height = 14;
    std::vector<Element> elements;
    QString name;
    int group = -1;    // group bands: the index of their group
    QString subreport; // laid out right after this band
    // A band that shows only when this answers true for its row.
    std::function<bool(const RowView &row)> visibleIf;
    // Goes to the next page together with the last row placed before it
    // rather than alone.
    bool keepWithPrevious = false;
};

// Rows are grouped while the value of the field stays the same (the data
// arrive sorted by the statement's ORDER BY). A group may also be keyed by a
// formula, and may start each group on a new page.
struct GroupSpec {
    QString field;
    Formula key;
    bool newPage = false;
    // Each group's pages are numbered on their own ("Page 1 of 2").
    bool ownPageNumbers = false;
};

enum class Orientation { Portrait, Landscape };

struct ReportDefinition {
    QString name;    // crpt...
    QString caption; // what the report is called in the viewer and in file names
    Orientation orientation = Orientation::Portrait;
    qreal margin = 36; // half an inch all round
    std::vector<FieldSpec> fields;
    std::vector<GroupSpec> groups;
    std::vector<Band> bands; // in any order; the layout takes them by kind
    std::vector<std::shared_ptr<ReportDefinition>> subreports;
    // The department (txtDepartment) follows the title wherever the report
    // names itself: printed copies' file names, progress, the viewer.
    bool titleNamesDepartment = false;

    // Page width inside the margins, in points (US Letter).
    qreal contentWidth() const;
    qreal contentHeight() const;
    const ReportDefinition *subreport(const QString &name) const;
    // Every text object name of the definition (subreports included).
    QStringList textObjectNames() const;
    // Every band and element name that can be hidden.
    QStringList sectionNames() const;
};

// A small builder that keeps the definitions readable: columns laid left to
// right with a heading per column.
struct Column {
    Column(QString heading_, QString field_, qreal width_, Format format_ = Format::Auto,
           Qt::Alignment align_ = Qt::AlignLeft, Formula formula_ = {}, bool canGrow_ = false)
        : heading(std::move(heading_)), field(std::move(field_)), width(width_), format(format_), align(align_),
          formula(std::move(formula_)), canGrow(canGrow_)
    {}
    QString heading;
    QString field; // empty for a formula column
    qreal width;
    Format format = Format::Auto;
    Qt::Alignment align = Qt::AlignLeft;
    Formula formula;
    bool canGrow = false;
};

// The company heading that most reports print at the top of every page: the
// company's name, address and city/state/zip on the left (text objects
// txtCompanyName, txtCompanyAddress, txtCompanyCityStateZip), the report's
// title and the date it was printed on the right.
Band companyHeadingBand(qreal width, const QString &title, BandKind kind = BandKind::PageHeader);
// Column headings (bold, ruled underneath) and the matching detail band.
Band columnHeadingBand(const std::vector<Column> &columns, qreal x = 0, BandKind kind = BandKind::PageHeader);
Band detailBand(const std::vector<Column> &columns, qreal x = 0, qreal height = 13);
// "Printed <date>" on the left, "Page n of m" on the right.
Band pageFooterBand(qreal width);
// A page footer band with the barcode of a field centred on the page: the
// code that identifies the copy to the floor's scanners. A copy without the
// field prints the band blank.
Band barcodeFooterBand(const QString &field, qreal width);
// The column printed copies carry their scanner code in.
inline const QString kScanCodeField = QStringLiteral("ScanCode");

Element label(const QString &text, qreal x, qreal y, qreal width, qreal height = 12, FontSpec font = {},
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
Element field(const QString &name, qreal x, qreal y, qreal width, Format format = Format::Auto,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, FontSpec font = {});
Element textObject(const QString &name, qreal x, qreal y, qreal width, qreal height = 12, FontSpec font = {},
                   Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
Element formula(const QString &name, Formula f, qreal x, qreal y, qreal width, Format format = Format::Text,
                Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter, FontSpec font = {});
Element total(const QString &field, TotalKind kind, qreal x, qreal y, qreal width, Format format = Format::Auto,
              Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter, FontSpec font = {});
// A sum over the rows of the enclosing group (or report) of a value computed
// from each row: totals of only some rows, or of a derived amount.
Element formulaTotal(const QString &name, Formula f, qreal x, qreal y, qreal width, Format format = Format::Money,
                     Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter, FontSpec font = {});
Element line(qreal x, qreal y, qreal width, qreal penWidth = 0.5);
Element box(qreal x, qreal y, qreal width, qreal height, qreal penWidth = 0.5);
// A barcode of the field's text, its bars filling the height but the line of
// text beneath; aligned left, right or centred in its width.
Element barcode(const QString &field, qreal x, qreal y, qreal width, qreal height, Qt::Alignment align = Qt::AlignLeft);

// Writes a value the way the format says ("" for null).
QString formatValue(const QVariant &value, Format format, FieldType type = FieldType::Text);

} // namespace reporting
