#include "shell/grid.h"

#include <QHeaderView>

namespace shell {

namespace {
constexpr int kKeyRole = Qt::UserRole + 1;
constexpr int kBreakRole = Qt::UserRole + 2;
} // namespace

void setUpGridView(QTableView *view)
{
    view->verticalHeader()->hide();
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->horizontalHeader()->setHighlightSections(false);
    // Long lists are sized by their first rows, so a search of thousands stays quick.
    view->horizontalHeader()->setResizeContentsPrecision(500);
}

Grid::Grid(const QStringList &headers, QWidget *parent) : QTableWidget(0, int(headers.size()), parent)
{
    setHorizontalHeaderLabels(headers);
    setUpGridView(this);
    fit();
}

void Grid::fillRow(int row, const QStringList &cells)
{
    for (int c = 0; c < columnCount(); ++c) {
        auto *item = this->item(row, c);
        if (!item) {
            item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            setItem(row, c, item);
        }
        item->setText(c < cells.size() ? cells[c] : QString());
    }
}

void Grid::setHeaders(const QStringList &headers)
{
    clearRows();
    setColumnCount(int(headers.size()));
    setHorizontalHeaderLabels(headers);
    fit();
}

int Grid::addRow(const QStringList &cells, const QVariant &key)
{
    insertRowAt(rowCount(), cells, key);
    return rowCount() - 1;
}

void Grid::setRows(const std::vector<QStringList> &rows, const std::vector<QVariant> &keys)
{
    const QSignalBlocker block(this);
    clearSpans();
    setRowCount(0);
    setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        fillRow(r, rows[size_t(r)]);
        if (size_t(r) < keys.size())
            setRowKey(r, keys[size_t(r)]);
    }
    fit();
}

void Grid::insertRowAt(int row, const QStringList &cells, const QVariant &key)
{
    insertRow(row);
    fillRow(row, cells);
    setRowKey(row, key);
    fit();
}

void Grid::setRowCells(int row, const QStringList &cells)
{
    fillRow(row, cells);
    fit();
}

void Grid::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    if (!item(row, column)) {
        auto *created = new QTableWidgetItem;
        created->setTextAlignment(Qt::AlignCenter);
        setItem(row, column, created);
    }
    item(row, column)->setText(text);
    fit();
}

QString Grid::cell(int row, int column) const
{
    const auto *it = item(row, column);
    return it ? it->text() : QString();
}

int Grid::columnOf(const QString &header) const
{
    for (int c = 0; c < columnCount(); ++c)
        if (horizontalHeaderItem(c) && horizontalHeaderItem(c)->text() == header)
            return c;
    return -1;
}

void Grid::setRowKey(int row, const QVariant &key)
{
    if (columnCount() > 0 && item(row, 0))
        item(row, 0)->setData(kKeyRole, key);
}

QVariant Grid::rowKey(int row) const
{
    const auto *it = item(row, 0);
    return it ? it->data(kKeyRole) : QVariant();
}

int Grid::rowWithKey(const QVariant &key) const
{
    for (int r = 0; r < rowCount(); ++r)
        if (rowKey(r) == key)
            return r;
    return -1;
}

int Grid::insertBreakRow(int row, const QString &label)
{
    insertRow(row);
    fillRow(row, {label});
    item(row, 0)->setData(kBreakRole, true);
    for (int c = 0; c < columnCount(); ++c)
        item(row, c)->setBackground(palette().color(QPalette::Mid));
    if (columnCount() > 1)
        setSpan(row, 0, 1, columnCount());
    fit();
    return row;
}

bool Grid::isBreakRow(int row) const
{
    const auto *it = item(row, 0);
    return it && it->data(kBreakRole).toBool();
}

void Grid::moveRow(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= rowCount() || to >= rowCount())
        return;
    const bool isBreak = isBreakRow(from);
    QStringList cells;
    for (int c = 0; c < columnCount(); ++c)
        cells << cell(from, c);
    const QVariant key = rowKey(from);
    if (columnSpan(from, 0) > 1)
        setSpan(from, 0, 1, 1);
    removeRow(from);
    if (isBreak)
        insertBreakRow(to, cells.value(0));
    else
        insertRowAt(to, cells, key);
    selectRow(to);
}

void Grid::clearRows()
{
    clearSpans();
    setRowCount(0);
    fit();
}

void Grid::fit()
{
    resizeColumnsToContents();
}

int Grid::currentRowIndex() const
{
    const auto rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace shell
