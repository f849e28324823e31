#pragma once

#include <QStringList>
#include <QTableView>
#include <functional>
#include <vector>

namespace shell {

class ListGridModel;

// A read-only list of found records (navigators, pick lists): one fixed header
// row, centred cells, whole-row selection, columns sized to their contents.
// Unlike Grid it holds plain texts in a model rather than one item object per
// cell, so a search that finds 100,000 orders still shows at once.
class ListGrid : public QTableView {
    Q_OBJECT
public:
    explicit ListGrid(const QStringList &headers = {}, QWidget *parent = nullptr);

    // Replaces the columns and removes every row; no headers, no columns.
    void setHeaders(const QStringList &headers);
    QStringList headers() const;
    // Replaces every row at once.
    void setRows(std::vector<QStringList> rows);
    // Shows rowCount rows whose texts are made only when a cell is drawn or
    // read: a long search result costs what the screen shows of it.
    using CellText = std::function<QString(int row, int column)>;
    void setSource(int rowCount, CellText cellText);
    void addRow(const QStringList &cells);
    void clearRows();

    int rowCount() const;
    int columnCount() const;
    QString cell(int row, int column) const;
    // The selected row, -1 when none; selecting -1 clears the selection.
    int currentRowIndex() const;
    void selectRowIndex(int row);
    // Sizes the columns to their contents (the first rows decide on long lists).
    void fit();

signals:
    // The current row moved to another row (-1: none).
    void currentRowChanged(int row);
    // A double-click anywhere in the grid, after choosing the row it hit (if
    // any): the user asks to open what the grid lists.
    void openRequested();

protected:
    // Taking the focus (back from another window, or by Tab) chooses no row:
    // a list that was emptied of its choice stays so until the user picks one.
    void focusInEvent(QFocusEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    ListGridModel *m_model;
};

} // namespace shell
