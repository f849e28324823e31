#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace data {

class Database;

// A date column's value as a date-time, whichever backend read it (SQLite
// keeps dates as text); invalid for null or unreadable values.
QDateTime toDateTime(const QVariant &value);
// Its date alone (quicker, for long lists).
QDate toDate(const QVariant &value);
// A flag's value: a number other than 0, or the text "true" in any case; null,
// 0, "false" and anything else are false.
bool toFlag(const QVariant &value);

// The complete client-side snapshot of a result: every row is fetched when the
// statement runs, the position moves freely in both directions, and it stands
// before its first row (BOF) and after its last (EOF) at once when empty.
// Fields are found by name without regard to case, or by ordinal. When the
// SELECT read one table, rows can be added (AddNew / Update) and changed
// (set values / Update) and are written back to that table; a counter key is
// read back from the row just written.
class Recordset {
public:
    Recordset() = default;

    bool isBOF() const { return m_pos < 0 || m_rows.empty(); }
    bool isEOF() const { return m_pos >= int(m_rows.size()) || m_rows.empty(); }
    bool isEmpty() const { return m_rows.empty(); }
    int recordCount() const { return int(m_rows.size()); }
    int position() const { return m_pos; }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    int fieldCount() const { return int(m_names.size()); }
    QString fieldName(int ordinal) const { return m_names.value(ordinal); }
    const QStringList &fieldNames() const { return m_names; }
    // -1 when the result has no such column.
    int fieldIndex(const QString &name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }

    // The value in the current row; throws DbError for an unknown column or
    // when there is no current row.
    QVariant value(const QString &name) const;
    QVariant value(int ordinal) const;
    bool isNull(const QString &name) const;
    // Readers' conversions: null text is "", a null number 0.
    QString text(const QString &name) const;
    double number(const QString &name) const;
    qint64 integer(const QString &name) const;
    bool flag(const QString &name) const;
    QDateTime dateTime(const QString &name) const;

    // Raw access to the snapshot, for reports and exports.
    const std::vector<std::vector<QVariant>> &rows() const { return m_rows; }

    // Starts a new row at the end of the snapshot and makes it current.
    void addNew();
    // Sets a column of the current (or new) row; written on update().
    void setValue(const QString &name, const QVariant &value);
    void setValue(int ordinal, const QVariant &value);
    // Writes the new or changed current row back to its table.
    void update();
    void cancelUpdate();
    bool editing() const { return m_editing; }

    void close();

private:
    friend class Database;

    void checkRow() const;
    void checkWritable() const;
    QVariant converted(int ordinal, const QVariant &value) const;
    QString whereForRow(const std::vector<QVariant> &original, bool &usedPhysicalRow) const;

    Database *m_db = nullptr;
    QStringList m_names;
    QHash<QString, int> m_index; // lower-cased name -> first ordinal
    std::vector<std::vector<QVariant>> m_rows;
    int m_pos = 0;

    // Write-back state.
    QString m_statement;
    QString m_table;    // as written
    QString m_baseName; // schema name of the table
    bool m_updatable = false;
    bool m_editing = false;
    bool m_newRow = false;
    std::vector<bool> m_changed;
    std::vector<QVariant> m_original;
};

} // namespace data
