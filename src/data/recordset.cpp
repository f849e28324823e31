#include "data/recordset.h"

#include "data/database.h"
#include "data/quoting.h"
#include "data/schema.h"
#include "data/sqlitefunctions.h"

#include <cmath>

namespace data {

namespace {

// The stored forms "yyyy-MM-dd" and "yyyy-MM-dd HH:mm:ss", read without the
// general (and slow) format parser: lists of thousands of orders read them.
bool parseIso(const QString &s, QDate &date, QTime &time)
{
    auto digits = [&](int from, int count, int &out) {
        out = 0;
        for (int i = from; i < from + count; ++i) {
            const QChar c = s[i];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
            out = out * 10 + (c.unicode() - '0');
        }
        return true;
    };
    if (s.size() != 10 && s.size() != 19)
        return false;
    int y, m, d, h = 0, mi = 0, sec = 0;
    if (!digits(0, 4, y) || s[4] != QLatin1Char('-') || !digits(5, 2, m) || s[7] != QLatin1Char('-')
        || !digits(8, 2, d))
        return false;
    if (s.size() == 19
        && ((s[10] != QLatin1Char(' ') && s[10] != QLatin1Char('T')) || !digits(11, 2, h) || s[13] != QLatin1Char(':')
            || !digits(14, 2, mi) || s[16] != QLatin1Char(':') || !digits(17, 2, sec)))
        return false;
    date = QDate(y, m, d);
    time = QTime(h, mi, sec);
    return date.isValid() && time.isValid();
}

QDateTime parseDateTime(const QVariant &v)
{
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    const QString s = v.toString().trimmed();
    QDate isoDate;
    QTime isoTime;
    if (parseIso(s, isoDate, isoTime))
        return QDateTime(isoDate, isoTime);
    for (const char *format :
         {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss.zzz",
          "yyyy-MM-dd HH:mm", "M/d/yyyy h:mm:ss AP", "M/d/yyyy H:mm:ss", "M/d/yyyy h:mm AP", "M/d/yyyy H:mm"}) {
        const QDateTime dt = QDateTime::fromString(s, QLatin1String(format));
        if (dt.isValid())
            return dt;
    }
    // Typed dates: two-digit years before 1930 belong to the next century.
    for (const char *format : {"yyyy-MM-dd", "M/d/yyyy", "M/d/yy", "M-d-yyyy"}) {
        QDate d = QDate::fromString(s, QLatin1String(format));
        if (d.isValid()) {
            if (QLatin1String(format) == QLatin1String("M/d/yy") && d.year() < 1930)
                d = d.addYears(100);
            return QDateTime(d, QTime(0, 0));
        }
    }
    return {};
}

QString describe(const QVariant &v)
{
    return QLatin1Char('"') + v.toString() + QLatin1Char('"');
}

} // namespace

QDateTime toDateTime(const QVariant &value)
{
    return parseDateTime(value);
}

bool toFlag(const QVariant &value)
{
    if (value.isNull() || !value.isValid())
        return false;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (value.typeId() == QMetaType::QString) {
        const QString s = value.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || s.toDouble() != 0;
    }
    return value.toDouble() != 0;
}

QDate toDate(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) {
        QDate date;
        QTime time;
        if (parseIso(value.toString(), date, time))
            return date;
    }
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().date();
    return parseDateTime(value).date();
}

int Recordset::fieldIndex(const QString &name) const
{
    return m_index.value(name.toLower(), -1);
}

void Recordset::moveFirst()
{
    if (m_editing)
        update();
    m_pos = 0;
}

void Recordset::moveLast()
{
    if (m_editing)
        update();
    m_pos = int(m_rows.size()) - 1;
    if (m_pos < 0)
        m_pos = 0;
}

void Recordset::moveNext()
{
    if (m_editing)
        update();
    if (m_pos < int(m_rows.size()))
        ++m_pos;
}

void Recordset::movePrevious()
{
    if (m_editing)
        update();
    if (m_pos >= 0)
        --m_pos;
}

void Recordset::checkRow() const
{
    if (m_rows.empty() || m_pos < 0 || m_pos >= int(m_rows.size()))
        throw DbError(
            QStringLiteral("There is no current record: the result stands before its first or after its last row."),
            m_statement);
}

QVariant Recordset::value(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("The result has no column named %1.").arg(name), m_statement);
    return value(i);
}

QVariant Recordset::value(int ordinal) const
{
    checkRow();
    if (ordinal < 0 || ordinal >= fieldCount())
        throw DbError(QStringLiteral("The result has no column %1.").arg(ordinal), m_statement);
    return m_rows[size_t(m_pos)][size_t(ordinal)];
}

bool Recordset::isNull(const QString &name) const
{
    return value(name).isNull();
}

QString Recordset::text(const QString &name) const
{
    const QVariant v = value(name);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::Double)
        return sqlNumber(v.toDouble());
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return v.toString();
}

double Recordset::number(const QString &name) const
{
    const QVariant v = value(name);
    return v.isNull() ? 0.0 : v.toDouble();
}

qint64 Recordset::integer(const QString &name) const
{
    const QVariant v = value(name);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return qint64(std::llround(v.toDouble()));
    return v.toLongLong();
}

bool Recordset::flag(const QString &name) const
{
    return toFlag(value(name));
}

QDateTime Recordset::dateTime(const QString &name) const
{
    return parseDateTime(value(name));
}

void Recordset::checkWritable() const
{
    if (!m_db || !m_updatable)
        throw DbError(QStringLiteral("Rows cannot be written through this result: it does not read a single table."),
                      m_statement);
}

void Recordset::addNew()
{
    checkWritable();
    if (m_editing)
        update();
    m_rows.emplace_back(size_t(fieldCount()));
    m_pos = int(m_rows.size()) - 1;
    m_editing = true;
    m_newRow = true;
    m_changed.assign(size_t(fieldCount()), false);
    m_original.clear();
}

// A value as the column's type needs it, so that both backends store the same
// thing: text in a number column must read as a number, a date must parse.
QVariant Recordset::converted(int ordinal, const QVariant &value) const
{
    const Table *table = findTable(m_baseName);
    const Column *column = table ? table->column(m_names[ordinal]) : nullptr;
    if (!column || value.isNull() || !value.isValid())
        return value;
    const bool isText = value.typeId() == QMetaType::QString;
    switch (column->type) {
    case ColumnType::Text:
        if (value.typeId() == QMetaType::Double)
            return sqlNumber(value.toDouble());
        if (value.typeId() == QMetaType::Bool)
            return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        return value.toString();
    case ColumnType::Number:
    case ColumnType::Integer:
    case ColumnType::Counter:
    case ColumnType::Flag: {
        if (!isText) {
            if (column->type == ColumnType::Number)
                return value.toDouble();
            if (value.typeId() == QMetaType::Double)
                return qint64(std::nearbyint(value.toDouble()));
            return value.toLongLong();
        }
        const QString s = value.toString();
        if (column->type == ColumnType::Flag) {
            if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                return 1;
            if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                return 0;
        }
        const QByteArray utf8 = s.toUtf8();
        if (!looksNumeric(utf8.constData(), int(utf8.size())))
            throw DbError(QStringLiteral("%1 must be a number; %2 is not one.").arg(column->name, describe(value)),
                          m_statement);
        const double d = QString(s).remove(QLatin1Char(' ')).toDouble();
        if (column->type == ColumnType::Number)
            return d;
        if (column->type == ColumnType::Flag)
            return d != 0 ? 1 : 0;
        return qint64(std::nearbyint(d));
    }
    case ColumnType::Date: {
        const QDateTime dt = parseDateTime(value);
        if (!dt.isValid())
            throw DbError(QStringLiteral("%1 must be a date; %2 is not one.").arg(column->name, describe(value)),
                          m_statement);
        return dt;
    }
    }
    return value;
}

void Recordset::setValue(const QString &name, const QVariant &value)
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("The result has no column named %1.").arg(name), m_statement);
    setValue(i, value);
}

void Recordset::setValue(int ordinal, const QVariant &value)
{
    checkWritable();
    checkRow();
    if (ordinal < 0 || ordinal >= fieldCount())
        throw DbError(QStringLiteral("The result has no column %1.").arg(ordinal), m_statement);
    const QVariant v = converted(ordinal, value);
    if (!m_editing) {
        m_editing = true;
        m_newRow = false;
        m_original = m_rows[size_t(m_pos)];
        m_changed.assign(size_t(fieldCount()), false);
    }
    m_rows[size_t(m_pos)][size_t(ordinal)] = v;
    m_changed[size_t(ordinal)] = true;
}

static QString bracket(const QString &name)
{
    QString n = name;
    n.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + n + QLatin1Char(']');
}

static QString matches(const QString &column, const QVariant &value)
{
    return value.isNull() ? bracket(column) + QStringLiteral(" IS NULL")
                          : bracket(column) + QStringLiteral(" = ") + sqlLiteral(value);
}

// Identifies the row being changed: by its counter, by its key columns, or -
// for a table without a key - by its original values, one physical row only.
QString Recordset::whereForRow(const std::vector<QVariant> &original, bool &usedPhysicalRow) const
{
    usedPhysicalRow = false;
    const Table *table = findTable(m_baseName);
    QStringList key;
    if (table) {
        if (const Column *counter = table->counter(); counter && hasField(counter->name))
            key << counter->name;
        else if (!table->key.isEmpty()) {
            bool all = true;
            for (const QString &k : table->key)
                all = all && hasField(k);
            if (all)
                key = table->key;
        }
    }
    QStringList terms;
    if (!key.isEmpty()) {
        for (const QString &k : key)
            terms << matches(k, original[size_t(fieldIndex(k))]);
        return terms.join(QStringLiteral(" AND "));
    }
    for (int i = 0; i < fieldCount(); ++i)
        if (fieldIndex(m_names[i]) == i)
            terms << matches(m_names[i], original[size_t(i)]);
    usedPhysicalRow = true;
    const QString rowId = m_db->dialect() == Dialect::SQLite ? QStringLiteral("rowid") : QStringLiteral("ctid");
    return QStringLiteral("%1 = (SELECT %1 FROM %2 WHERE %3 LIMIT 1)")
        .arg(rowId, m_table, terms.join(QStringLiteral(" AND ")));
}

void Recordset::update()
{
    if (!m_editing)
        return;
    checkWritable();
    std::vector<QVariant> &row = m_rows[size_t(m_pos)];
    if (m_newRow) {
        QStringList columns;
        QStringList values;
        for (int i = 0; i < fieldCount(); ++i)
            if (m_changed[size_t(i)]) {
                columns << bracket(m_names[i]);
                values << sqlLiteral(row[size_t(i)]);
            }
        const QString insert = columns.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING *").arg(m_table)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING *")
                  .arg(m_table, columns.join(QLatin1Char(',')), values.join(QLatin1Char(',')));
        const Recordset written = m_db->query(insert);
        // The row as the database stored it: assigned key, defaults, types.
        if (!written.isEmpty())
            for (int i = 0; i < fieldCount(); ++i) {
                const int w = written.fieldIndex(m_names[i]);
                if (w >= 0)
                    row[size_t(i)] = written.m_rows[0][size_t(w)];
            }
        const Table *table = findTable(m_baseName);
        if (const Column *counter = table ? table->counter() : nullptr) {
            const int c = fieldIndex(counter->name);
            if (c >= 0 && m_changed[size_t(c)])
                m_db->syncCounter(m_table, counter->name);
        }
    } else {
        QStringList sets;
        for (int i = 0; i < fieldCount(); ++i)
            if (m_changed[size_t(i)])
                sets << bracket(m_names[i]) + QStringLiteral(" = ") + sqlLiteral(row[size_t(i)]);
        if (!sets.isEmpty()) {
            bool physical = false;
            const QString where = whereForRow(m_original, physical);
            const QString statement =
                QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(m_table, sets.join(QLatin1Char(',')), where);
            if (m_db->execute(statement) == 0)
                throw DbError(
                    QStringLiteral(
                        "The row could not be found for updating: another user may have changed or deleted it."),
                    statement);
        }
    }
    m_editing = false;
    m_newRow = false;
    m_changed.clear();
    m_original.clear();
}

void Recordset::cancelUpdate()
{
    if (!m_editing)
        return;
    if (m_newRow) {
        m_rows.pop_back();
        m_pos = m_rows.empty() ? 0 : int(m_rows.size()) - 1;
    } else {
        m_rows[size_t(m_pos)] = m_original;
    }
    m_editing = false;
    m_newRow = false;
    m_changed.clear();
    m_original.clear();
}

void Recordset::close()
{
    *this = Recordset();
}

} // namespace data
