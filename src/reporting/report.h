#pragma once

// A report: a definition with its bound data, its text objects and its hidden
// sections, and the operations the report routines call, in their order:
// CreateReport, SetReportData, SetSubreportData, LoadReportData,
// SetReportText, then PrintReport or ShowReport.

#include "reporting/reportdefinition.h"

#include <QHash>
#include <functional>
#include <QSet>
#include <map>
#include <memory>
#include <vector>

namespace data {
class Recordset;
} // namespace data

namespace reporting {

// A plain result set: column names and rows. A data::Recordset converts to it.
struct ReportTable {
    QStringList columns;
    std::vector<std::vector<QVariant>> rows;

    static ReportTable fromRecordset(const data::Recordset &rs);
};

// The data of a table bound to a definition's fields: every declared field is
// found in the table when it is bound (or the bind fails naming the column),
// and values are converted to the declared types (flags to bool, dates to
// QDateTime), so that both database backends give the same report.
class BoundData {
public:
    BoundData() = default;
    BoundData(const ReportDefinition &definition, ReportTable table);

    int rowCount() const { return int(m_table.rows.size()); }
    // The value of a field in a row: a declared field by its declared name
    // (qualified or not, case-insensitive), else any column of the table.
    QVariant value(int row, const QString &field) const;
    FieldType type(const QString &field) const;
    bool hasField(const QString &field) const { return ordinal(field) >= 0; }

    // The columns as written out (CSV): declared fields under their declared
    // names, then any further columns under the data's names.
    QStringList outputColumns() const;
    std::vector<QVariant> outputRow(int row) const;
    std::vector<FieldType> outputTypes() const;

private:
    int ordinal(const QString &field) const;

    ReportTable m_table;
    QString m_definition;
    std::vector<FieldSpec> m_fields;
    std::vector<int> m_ordinals;  // per declared field
    QHash<QString, int> m_lookup; // lower-cased name -> ordinal
    QHash<int, FieldType> m_types;
};

// One row seen from a formula or a visibility test.
class RowView {
public:
    RowView(const BoundData &data, int row, const QHash<QString, QString> &texts, const BoundData *main = nullptr)
        : m_data(data), m_row(row), m_texts(texts), m_main(main)
    {}
    int index() const { return m_row; }
    QVariant value(const QString &field) const { return m_data.value(m_row, field); }
    bool isNull(const QString &field) const { return value(field).isNull(); }
    QString text(const QString &field) const { return value(field).toString(); }
    double number(const QString &field) const { return value(field).toDouble(); }
    bool flag(const QString &field) const { return value(field).toBool(); }
    // The current text of a text object.
    QString textObject(const QString &name) const { return m_texts.value(name); }
    // In a subreport: a field of the main report's first row (null elsewhere),
    // so that a subreport can work with the settings its main report carries.
    QVariant mainValue(const QString &field) const
    {
        return m_main && m_main->rowCount() > 0 ? m_main->value(0, field) : QVariant();
    }
    // Other rows of the same data, for formulas that look at a row's
    // neighbours (a group that shows only when one of its rows qualifies).
    int rowCount() const { return m_data.rowCount(); }
    RowView at(int row) const { return RowView(m_data, row, m_texts, m_main); }

private:
    const BoundData &m_data;
    int m_row;
    const QHash<QString, QString> &m_texts;
    const BoundData *m_main;
};

struct LaidReport;

class Report {
public:
    explicit Report(std::shared_ptr<const ReportDefinition> definition);

    const ReportDefinition &definition() const { return *m_definition; }
    QString name() const { return m_definition->name; }
    // The title of what is shown or printed: txtTitle when the routine set one,
    // else the definition's caption.
    QString title() const;

    void setData(ReportTable table);
    void setSubreportData(const QString &subreport, ReportTable table);
    // Binds the data now: every column the definition expects must be there.
    void load();
    bool isLoaded() const { return m_loaded; }

    void setText(const QString &name, const QString &text);
    // Text objects the routine set, in the order it set them.
    const QStringList &textsSet() const { return m_textOrder; }
    // Every text object with its current text (set, else the default).
    const QHash<QString, QString> &texts() const { return m_texts; }

    void hideSection(const QString &name, bool hidden = true);
    const QSet<QString> &hiddenSections() const { return m_hidden; }

    const BoundData &data() const;
    // Data of a subreport; null when the routine bound none.
    const BoundData *subreportData(const QString &subreport) const;

    LaidReport layout() const;

private:
    std::shared_ptr<const ReportDefinition> m_definition;
    ReportTable m_pending;
    bool m_hasPending = false;
    std::map<QString, ReportTable> m_pendingSubreports;
    BoundData m_data;
    std::map<QString, BoundData> m_subreportData;
    bool m_loaded = false;
    QHash<QString, QString> m_texts;
    QStringList m_textOrder;
    QSet<QString> m_hidden;
};

using ReportPtr = std::shared_ptr<Report>;

// The definition of that name from the catalogue; an unknown name is an error
// naming it.
std::shared_ptr<const ReportDefinition> findDefinition(const QString &name);
QStringList definitionNames();

// A fresh report of the named definition.
ReportPtr CreateReport(const QString &definitionName);
// The result set becomes the data of the definition's table (a copy is kept,
// so the caller may close its result set).
void SetReportData(const ReportPtr &report, const data::Recordset &rs);
void SetReportData(const ReportPtr &report, ReportTable table);
// Reads every row of the bound data now; a column the definition expects and
// the data lack is an error naming it.
void LoadReportData(const ReportPtr &report);
// Replaces the text of a named text object; a name the definition lacks is an
// error naming it.
void SetReportText(const ReportPtr &report, const QString &name, const QString &text);
void SetSubreportData(const ReportPtr &report, const QString &subreport, const data::Recordset &rs);
void SetSubreportData(const ReportPtr &report, const QString &subreport, ReportTable table);
// Hides a named section (band) or object of the definition.
void HideSection(const ReportPtr &report, const QString &name);
// The company heading: txtCompanyName, txtCompanyAddress and
// txtCompanyCityStateZip from the company settings of this run.
void SetCompanyHeading(const ReportPtr &report);

// Prints all pages once without a dialog: into the print folder when one is
// set, else on the default printer; with neither it fails with a message
// saying so (sinks.cpp).
void PrintReport(const ReportPtr &report);
// Shows the report on screen, through what setReportDisplay installed (the
// Report Viewer of the desktop); a ReportError where nothing shows reports.
void ShowReport(const ReportPtr &report);
void setReportDisplay(std::function<void(const ReportPtr &)> display);

// The company heading every report prints at its top.
struct CompanyHeading {
    QString name, address, cityStateZip;
};
// Where SetCompanyHeading takes the heading from: the programs hand in the
// company settings they loaded. Without a source the heading is blank.
void setCompanyHeadingSource(std::function<CompanyHeading()> source);
// The usual source: the company settings the program loaded for the run.
void useLoadedCompanyHeading();

} // namespace reporting
