#pragma once

#include <QStringList>
#include <QTableWidget>
#include <QVariant>
#include <vector>

namespace shell {

// What every grid of the program shares: one header row, no row numbers,
// read-only cells, one whole row selected at a time.
void setUpGridView(QTableView *view);

// A grid as every screen shows one: one fixed header row, read-only centred
// cells, whole-row selection, and columns sized to their contents after every
// change. Rows may carry a hidden value (a key) and may be break rows: a
// highlighted line across the grid that divides the rows into groups.
class Grid : public QTableWidget {
    Q_OBJECT
public:
    explicit Grid(const QStringList &headers, QWidget *parent = nullptr);

    // Replaces the columns (and removes every row); no headers leaves the grid
    // without columns at all.
    void setHeaders(const QStringList &headers);

    // Appends a row of texts (missing cells stay empty); answers its index.
    int addRow(const QStringList &cells, const QVariant &key = {});
    // Replaces every row at once (keys in the same order, when given).
    void setRows(const std::vector<QStringList> &rows, const std::vector<QVariant> &keys = {});
    void insertRowAt(int row, const QStringList &cells, const QVariant &key = {});
    void setRowCells(int row, const QStringList &cells);
    void setCell(int row, int column, const QString &text);
    QString cell(int row, int column) const;
    // Index of the column with that header text, -1 when none.
    int columnOf(const QString &header) const;

    void setRowKey(int row, const QVariant &key);
    QVariant rowKey(int row) const;
    // The row whose key equals key; -1 when none.
    int rowWithKey(const QVariant &key) const;

    // A break row holds label in its first cell and spans the whole grid.
    int insertBreakRow(int row, const QString &label);
    bool isBreakRow(int row) const;

    // Moves a row one place up or down (with its key and break state).
    void moveRow(int from, int to);
    // Removes every row, keeping the header.
    void clearRows();
    // Sizes the columns to their contents (done after every change above).
    void fit();

    // The selected row, -1 when none.
    int currentRowIndex() const;

private:
    void fillRow(int row, const QStringList &cells);
};

} // namespace shell
