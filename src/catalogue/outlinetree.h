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

protected:
    void drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace catalogue
