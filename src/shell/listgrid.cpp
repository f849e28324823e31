#include "shell/listgrid.h"

#include "shell/grid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace shell {

class ListGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : (cellText ? sourceRows : int(rows.size()));
    }
    QString text(int row, int column) const
    {
        return cellText ? cellText(row, column) : rows[size_t(row)].value(column);
    }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(headers.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::DisplayRole)
            return text(index.row(), index.column());
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return headers.value(section);
        if (orientation == Qt::Horizontal && role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }

    void reset(QStringList newHeaders, std::vector<QStringList> newRows, ListGrid::CellText source = {},
               int sourceCount = 0)
    {
        beginResetModel();
        headers = std::move(newHeaders);
        rows = std::move(newRows);
        cellText = std::move(source);
        sourceRows = sourceCount;
        endResetModel();
    }

    void append(const QStringList &cells)
    {
        const int row = int(rows.size());
        beginInsertRows({}, row, row);
        rows.push_back(cells);
        endInsertRows();
    }

    QStringList headers;
    std::vector<QStringList> rows;
    ListGrid::CellText cellText; // when set, rows come from it instead
    int sourceRows = 0;
};

ListGrid::ListGrid(const QStringList &headers, QWidget *parent) : QTableView(parent), m_model(new ListGridModel(this))
{
    setModel(m_model);
    setUpGridView(this);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { emit currentRowChanged(current.isValid() ? current.row() : -1); });
    setHeaders(headers);
}

void ListGrid::setHeaders(const QStringList &headers)
{
    m_model->reset(headers, {});
    fit();
}

QStringList ListGrid::headers() const
{
    return m_model->headers;
}

void ListGrid::setRows(std::vector<QStringList> rows)
{
    m_model->reset(m_model->headers, std::move(rows));
    fit();
}

void ListGrid::setSource(int rowCount, CellText cellText)
{
    m_model->reset(m_model->headers, {}, std::move(cellText), rowCount);
    fit();
}

void ListGrid::addRow(const QStringList &cells)
{
    if (m_model->cellText)
        m_model->reset(m_model->headers, {}); // a hand-filled list starts afresh
    m_model->append(cells);
    fit();
}

void ListGrid::clearRows()
{
    setRows({});
}

int ListGrid::rowCount() const
{
    return m_model->rowCount();
}

int ListGrid::columnCount() const
{
    return m_model->columnCount();
}

QString ListGrid::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_model->text(row, column);
}

int ListGrid::currentRowIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ListGrid::selectRowIndex(int row)
{
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        setCurrentIndex({});
        return;
    }
    setCurrentIndex(m_model->index(row, 0));
    selectRow(row);
}

void ListGrid::focusInEvent(QFocusEvent *event)
{
    if (currentIndex().isValid()) {
        QTableView::focusInEvent(event);
        return;
    }
    {
        const QSignalBlocker quiet(selectionModel());
        QTableView::focusInEvent(event);
        selectionModel()->clear();
    }
    viewport()->update();
}

void ListGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (hit.isValid())
        selectRowIndex(hit.row());
    emit openRequested();
}

void ListGrid::fit()
{
    resizeColumnsToContents();
}

} // namespace shell
