#include "reporting/report.h"

#include "data/recordset.h"
#include "reporting/reportlayout.h"
#include "core/companysettings.h"

#include <QDateTime>
#include <cmath>

namespace reporting {

namespace {

// The last part of a qualified name: "Component.Thickness" -> "thickness".
QString baseName(const QString &name)
{
    return name.section(QLatin1Char('.'), -1).toLower();
}

QVariant convert(const QVariant &v, FieldType type)
{
    if (v.isNull() || !v.isValid())
        return QVariant();
    const bool isText = v.typeId() == QMetaType::QString;
    switch (type) {
    case FieldType::Text:
        if (v.typeId() == QMetaType::Double) {
            const double d = v.toDouble();
            return d == std::floor(d) && std::fabs(d) < 1e15 ? QString::number(qint64(d)) : QString::number(d, 'g', 15);
        }
        return v.toString();
    case FieldType::Number:
        return isText ? QVariant(v.toString().trimmed().toDouble()) : QVariant(v.toDouble());
    case FieldType::Integer:
        return qint64(std::llround(isText ? v.toString().trimmed().toDouble() : v.toDouble()));
    case FieldType::Flag:
        return data::toFlag(v);
    case FieldType::Date:
    case FieldType::DateTime: {
        const QDateTime dt = data::toDateTime(v);
        return dt.isValid() ? QVariant(dt) : v;
    }
    }
    return v;
}

} // namespace

ReportTable ReportTable::fromRecordset(const data::Recordset &rs)
{
    return {rs.fieldNames(), rs.rows()};
}

BoundData::BoundData(const ReportDefinition &definition, ReportTable table)
    : m_table(std::move(table)), m_definition(definition.name), m_fields(definition.fields)
{
    // No data at all (none bound yet): the definition's own columns, no rows.
    if (m_table.columns.isEmpty())
        for (const FieldSpec &f : m_fields)
            m_table.columns << f.name;
    const int columnCount = int(m_table.columns.size());
    std::vector<bool> taken(size_t(columnCount), false);
    for (const FieldSpec &f : m_fields) {
        const QString base = baseName(f.name);
        int found = -1;
        for (int c = 0; c < columnCount && found < 0; ++c)
            if (!taken[size_t(c)] && baseName(m_table.columns[c]) == base)
                found = c;
        if (found < 0)
            throw ReportError(QStringLiteral("The report %1 needs the column \"%2\", which its data do not have.")
                                  .arg(definition.name, f.name));
        taken[size_t(found)] = true;
        m_ordinals.push_back(found);
        m_types.insert(found, f.type);
    }
    // Convert the declared columns once, so every reader sees typed values.
    for (auto &row : m_table.rows) {
        row.resize(size_t(columnCount));
        for (auto it = m_types.cbegin(); it != m_types.cend(); ++it)
            row[size_t(it.key())] = convert(row[size_t(it.key())], it.value());
    }
    // Declared names first (the full name, then the last part for the first
    // field of that part), then the data's own names.
    for (size_t i = 0; i < m_fields.size(); ++i) {
        m_lookup.insert(m_fields[i].name.toLower(), m_ordinals[i]);
        if (!m_lookup.contains(baseName(m_fields[i].name)))
            m_lookup.insert(baseName(m_fields[i].name), m_ordinals[i]);
    }
    for (int c = 0; c < columnCount; ++c)
        if (!m_lookup.contains(m_table.columns[c].toLower()))
            m_lookup.insert(m_table.columns[c].toLower(), c);
}

int BoundData::ordinal(const QString &field) const
{
    return m_lookup.value(field.toLower(), -1);
}

QVariant BoundData::value(int row, const QString &field) const
{
    const int c = ordinal(field);
    if (c < 0)
        throw ReportError(QStringLiteral("The report %1 has no field \"%2\".").arg(m_definition, field));
    if (row < 0 || row >= rowCount())
        return QVariant();
    return m_table.rows[size_t(row)][size_t(c)];
}

FieldType BoundData::type(const QString &field) const
{
    return m_types.value(ordinal(field), FieldType::Text);
}

QStringList BoundData::outputColumns() const
{
    QStringList names;
    for (const FieldSpec &f : m_fields)
        names << f.name;
    for (int c = 0; c < int(m_table.columns.size()); ++c)
        if (!m_types.contains(c))
            names << m_table.columns[c];
    return names;
}

std::vector<QVariant> BoundData::outputRow(int row) const
{
    std::vector<QVariant> values;
    const auto &r = m_table.rows[size_t(row)];
    for (int o : m_ordinals)
        values.push_back(r[size_t(o)]);
    for (int c = 0; c < int(m_table.columns.size()); ++c)
        if (!m_types.contains(c))
            values.push_back(r[size_t(c)]);
    return values;
}

std::vector<FieldType> BoundData::outputTypes() const
{
    std::vector<FieldType> types;
    for (const FieldSpec &f : m_fields)
        types.push_back(f.type);
    for (int c = 0; c < int(m_table.columns.size()); ++c)
        if (!m_types.contains(c))
            types.push_back(FieldType::Text);
    return types;
}

Report::Report(std::shared_ptr<const ReportDefinition> definition) : m_definition(std::move(definition))
{
    for (const Band &b : m_definition->bands)
        for (const Element &e : b.elements)
            if (e.kind == ElementKind::Text && !m_texts.contains(e.name))
                m_texts.insert(e.name, e.text);
    for (const QString &n : m_definition->textObjectNames())
        if (!m_texts.contains(n))
            m_texts.insert(n, QString());
    m_data = BoundData(*m_definition, {});
}

QString Report::title() const
{
    const QString t = m_texts.value(QStringLiteral("txtTitle")).trimmed();
    QString title = m_textOrder.contains(QStringLiteral("txtTitle")) && !t.isEmpty() ? t : m_definition->caption;
    // "Summary Saw": copies printed once per department tell themselves apart.
    QString department = m_texts.value(QStringLiteral("txtDepartment")).trimmed();
    if (m_definition->titleNamesDepartment && m_textOrder.contains(QStringLiteral("txtDepartment"))
        && !department.isEmpty()) {
        if (department.endsWith(QStringLiteral(" Department"), Qt::CaseInsensitive))
            department.chop(11);
        title += QLatin1Char(' ') + department;
    }
    return title;
}

void Report::setData(ReportTable table)
{
    m_pending = std::move(table);
    m_hasPending = true;
    m_loaded = false;
}

void Report::setSubreportData(const QString &subreport, ReportTable table)
{
    const ReportDefinition *sub = m_definition->subreport(subreport);
    if (!sub)
        throw ReportError(QStringLiteral("The report %1 has no subreport \"%2\".").arg(name(), subreport));
    m_pendingSubreports[sub->name] = std::move(table);
    m_loaded = false;
}

void Report::load()
{
    // Bind everything before keeping anything, so a failure leaves the report
    // as it was.
    BoundData data = m_hasPending ? BoundData(*m_definition, m_pending) : BoundData(*m_definition, {});
    std::map<QString, BoundData> subs;
    for (const auto &[subName, table] : m_pendingSubreports)
        subs.emplace(subName, BoundData(*m_definition->subreport(subName), table));
    m_data = std::move(data);
    m_subreportData = std::move(subs);
    m_loaded = true;
}

void Report::setText(const QString &n, const QString &text)
{
    if (!m_texts.contains(n))
        throw ReportError(QStringLiteral("The report %1 has no text object \"%2\".").arg(name(), n));
    m_texts[n] = text;
    if (!m_textOrder.contains(n))
        m_textOrder << n;
}

void Report::hideSection(const QString &n, bool hidden)
{
    if (!m_definition->sectionNames().contains(n))
        throw ReportError(QStringLiteral("The report %1 has no section \"%2\".").arg(name(), n));
    if (hidden)
        m_hidden.insert(n);
    else
        m_hidden.remove(n);
}

const BoundData &Report::data() const
{
    return m_data;
}

const BoundData *Report::subreportData(const QString &subreport) const
{
    const auto it = m_subreportData.find(subreport);
    return it == m_subreportData.end() ? nullptr : &it->second;
}

LaidReport Report::layout() const
{
    return layoutReport(*this);
}

ReportPtr CreateReport(const QString &definitionName)
{
    return std::make_shared<Report>(findDefinition(definitionName));
}

void SetReportData(const ReportPtr &report, const data::Recordset &rs)
{
    report->setData(ReportTable::fromRecordset(rs));
}

void SetReportData(const ReportPtr &report, ReportTable table)
{
    report->setData(std::move(table));
}

void LoadReportData(const ReportPtr &report)
{
    report->load();
}

void SetReportText(const ReportPtr &report, const QString &name, const QString &text)
{
    report->setText(name, text);
}

void SetSubreportData(const ReportPtr &report, const QString &subreport, const data::Recordset &rs)
{
    report->setSubreportData(subreport, ReportTable::fromRecordset(rs));
}

void SetSubreportData(const ReportPtr &report, const QString &subreport, ReportTable table)
{
    report->setSubreportData(subreport, std::move(table));
}

void HideSection(const ReportPtr &report, const QString &name)
{
    report->hideSection(name);
}

namespace {
std::function<CompanyHeading()> g_headingSource;
std::function<void(const ReportPtr &)> g_display;
} // namespace

void setCompanyHeadingSource(std::function<CompanyHeading()> source)
{
    g_headingSource = std::move(source);
}

void useLoadedCompanyHeading()
{
    setCompanyHeadingSource([] {
        const core::CompanySettings &company = core::companySettings();
        return CompanyHeading{company.name, company.address1, company.cityStateZip()};
    });
}

void SetCompanyHeading(const ReportPtr &report)
{
    const CompanyHeading company = g_headingSource ? g_headingSource() : CompanyHeading{};
    report->setText(QStringLiteral("txtCompanyName"), company.name);
    report->setText(QStringLiteral("txtCompanyAddress"), company.address);
    report->setText(QStringLiteral("txtCompanyCityStateZip"), company.cityStateZip);
}

void setReportDisplay(std::function<void(const ReportPtr &)> display)
{
    g_display = std::move(display);
}

void ShowReport(const ReportPtr &report)
{
    if (!g_display)
        throw ReportError(QStringLiteral("Reports cannot be shown on screen here; print them instead."));
    g_display(report);
}

} // namespace reporting
