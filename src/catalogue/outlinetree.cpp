#include "catalogue/outlinetree.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

namespace catalogue {

OutlineTree::OutlineTree(QWidget *parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(true);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(true);
    setIndentation(18);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { emit rowChosen(item); });
}

void OutlineTree::choose(QTreeWidgetItem *item)
{
    setCurrentItem(item);
    emit rowChosen(item);
}

void OutlineTree::drawBranches(QPainter *painter, const QRect &rect, const QModelIndex &index) const
{
    painter->save();
    const int indent = indentation();
    const QColor lineColour = palette().color(QPalette::Dark);
    QPen dotted(lineColour);
    dotted.setStyle(Qt::DotLine);
    painter->setPen(dotted);

    const int midY = rect.top() + rect.height() / 2;
    auto hasNextSibling = [this](const QModelIndex &i) {
        return i.sibling(i.row() + 1, 0).isValid() && model()->rowCount(i.parent()) > i.row() + 1;
    };

    // The row's own cell: a line from its parent's line to the text.
    int cellLeft = rect.right() + 1 - indent;
    int midX = cellLeft + indent / 2;
    const bool topmost = !index.parent().isValid() && index.row() == 0;
    if (!topmost)
        painter->drawLine(midX, rect.top(), midX, midY);
    if (hasNextSibling(index))
        painter->drawLine(midX, midY, midX, rect.bottom());
    painter->drawLine(midX, midY, rect.right(), midY);

    // The ancestors' cells: a through line where the ancestor has a later sibling.
    QModelIndex ancestor = index.parent();
    int left = cellLeft;
    while (ancestor.isValid()) {
        left -= indent;
        if (hasNextSibling(ancestor)) {
            const int x = left + indent / 2;
            painter->drawLine(x, rect.top(), x, rect.bottom());
        }
        ancestor = ancestor.parent();
    }

    // The box of a node.
    if (model()->hasChildren(index)) {
        const int half = 4;
        const QRect box(midX - half, midY - half, 2 * half, 2 * half);
        painter->setPen(QPen(lineColour));
        painter->setBrush(palette().color(QPalette::Base));
        painter->drawRect(box);
        painter->setPen(QPen(palette().color(QPalette::Text)));
        painter->drawLine(box.left() + 2, midY, box.right() - 2, midY);
        if (!isExpanded(index))
            painter->drawLine(midX, box.top() + 2, midX, box.bottom() - 2);
    }
    painter->restore();
}

void OutlineTree::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        event->accept();
        emit rowChosen(currentItem());
        return;
    }
    if (event->key() == Qt::Key_Asterisk) {
        event->accept();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

} // namespace catalogue
