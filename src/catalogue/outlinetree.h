#pragma once

#include <QTreeWidget>

namespace catalogue {

// The one-column outline of the style screen: dotted tree lines joining each
// row to its parent and its siblings, a boxed plus or minus on every node, no
// header. Opening a whole level at once ('*') is not offered, since every
// node loads its children from the database when it is first opened.
class OutlineTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit OutlineTree(QWidget *parent = nullptr);

    // Makes item the current row and chooses it, as a click on it does.
    void choose(QTreeWidgetItem *item);

signals:
    // The user chose a row: a click on it, or Enter on the current row. The
    // arrow keys only move the cursor, so walking the tree looks nothing up.
    void rowChosen(QTreeWidgetItem *item);

protected:
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace catalogue
