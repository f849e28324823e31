// The style tree of the style screen: building it, loading a node's children
// when it is first opened, selecting a row, and bringing a style or component
// line into view after a save.
#include "catalogue/formfields.h"
#include "catalogue/outlinetree.h"
#include "catalogue/styleentry.h"
#include "data/database.h"
#include "data/quoting.h"
#include "core/cursor.h"
#include "core/formats.h"
#include "shell/messages.h"

#include <QComboBox>
#include <QLineEdit>

namespace catalogue {

namespace {

// While the program changes the tree: the hourglass, painting suspended, and
// the tree's own expansion and selection handlers idle.
class TreeChange {
public:
    TreeChange(QTreeWidget *tree, bool &busyFlag)
        : m_tree(tree), m_flag(busyFlag), m_wasBusy(busyFlag), m_wasPainting(tree->updatesEnabled())
    {
        m_flag = true;
        m_tree->setUpdatesEnabled(false);
    }
    ~TreeChange()
    {
        m_tree->setUpdatesEnabled(m_wasPainting);
        m_flag = m_wasBusy;
    }

private:
    core::BusyCursor m_cursor;
    QTreeWidget *m_tree;
    bool &m_flag;
    bool m_wasBusy;
    bool m_wasPainting;
};

bool isPlaceholder(const QTreeWidgetItem *item)
{
    return item && item->text(0).isEmpty() && StyleEntry::keyOf(item).isEmpty();
}

// A node whose children have not been loaded: its only child is the placeholder.
bool notLoaded(const QTreeWidgetItem *node)
{
    return node->childCount() > 0 && isPlaceholder(node->child(0));
}

QTreeWidgetItem *makeNode(const QString &text, const QString &key, bool withPlaceholder)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, Qt::UserRole, key);
    item->setToolTip(0, text); // long operation rows are cut off at the tree's edge
    if (withPlaceholder)
        item->addChild(new QTreeWidgetItem(QStringList{QString()}));
    return item;
}

QTreeWidgetItem *childWithText(QTreeWidgetItem *parent, const QString &text)
{
    if (!parent)
        return nullptr;
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

QString keyNumber(const QString &key)
{
    return data::sqlNumber(key.toLongLong());
}

} // namespace

int StyleEntry::levelOf(const QTreeWidgetItem *item)
{
    int level = 0;
    for (const QTreeWidgetItem *p = item ? item->parent() : nullptr; p; p = p->parent())
        ++level;
    return level;
}

QString StyleEntry::keyOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

void StyleEntry::FillTreeGrid()
{
    data::Recordset rs =
        data::sharedDatabase().query(QStringLiteral("SELECT Customer FROM Customer ORDER BY Customer"));
    TreeChange change(fgTree, m_treeBusy);
    fgTree->clear();
    auto *root = new QTreeWidgetItem(QStringList{QStringLiteral("Styles")});
    fgTree->addTopLevelItem(root);
    QList<QTreeWidgetItem *> customers;
    customers.reserve(rs.recordCount());
    // Every customer gets a node, also one without styles.
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString customer = rs.text(QStringLiteral("Customer"));
        customers << makeNode(customer, customer, true);
    }
    root->addChildren(customers);
    root->setExpanded(true);
}

void StyleEntry::ExpandCustomer(QTreeWidgetItem *node)
{
    data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT ID,Name,Type FROM Style WHERE Customer = ")
                                                      + data::sqlText(keyOf(node)) + QStringLiteral(" ORDER BY ")
                                                      + naturalOrder(QStringLiteral("name")) + QStringLiteral(",Type"));
    TreeChange change(fgTree, m_treeBusy);
    QList<QTreeWidgetItem *> styles;
    for (; !rs.isEOF(); rs.moveNext())
        styles << makeNode(rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type")),
                           rs.text(QStringLiteral("ID")), true);
    node->insertChildren(0, styles);
}

void StyleEntry::ExpandStyle(QTreeWidgetItem *node)
{
    data::Recordset rs = data::sharedDatabase().query(
        QStringLiteral("SELECT StyleComponent.Qty AS CompQty,Component.ID AS CompID,Component.Description AS CompDesc,"
                       "StyleComponent.ID AS StyleCompID FROM StyleComponent LEFT JOIN Component ON "
                       "StyleComponent.ComponentID = Component.ID WHERE StyleComponent.StyleID = ")
        + keyNumber(keyOf(node)) + QStringLiteral(" ORDER BY ") + naturalOrder(QStringLiteral("Component.ID")));
    TreeChange change(fgTree, m_treeBusy);
    QList<QTreeWidgetItem *> lines;
    for (; !rs.isEOF(); rs.moveNext())
        lines << makeNode(QLatin1Char('(') + core::formatNumber(rs.number(QStringLiteral("CompQty")))
                              + QStringLiteral(") - ") + rs.text(QStringLiteral("CompID")) + QLatin1Char('-')
                              + rs.text(QStringLiteral("CompDesc")),
                          rs.text(QStringLiteral("StyleCompID")), true);
    node->insertChildren(0, lines);
}

void StyleEntry::ExpandComponent(QTreeWidgetItem *node)
{
    data::Recordset rs = data::sharedDatabase().query(
        QStringLiteral("SELECT StyleOperation.ID AS StyleOpID,StyleOperation.OperationID,StyleOperation.Instructions,"
                       "StyleOperation.SplitQty,Plant2,StyleOperation.Operation2ID FROM StyleComponent LEFT JOIN "
                       "StyleOperation ON StyleComponent.StyleID = StyleOperation.StyleID AND StyleComponent.ID = "
                       "StyleOperation.ComponentID WHERE StyleComponent.ID = ")
        + keyNumber(keyOf(node)) + QStringLiteral(" ORDER BY StyleOperation.ID"));
    TreeChange change(fgTree, m_treeBusy);
    QList<QTreeWidgetItem *> operations;
    for (; !rs.isEOF(); rs.moveNext()) {
        // A line without operations answers one row of nulls.
        if (rs.isNull(QStringLiteral("OperationID")))
            continue;
        QString text = rs.text(QStringLiteral("OperationID")) + QStringLiteral(" - (")
            + rs.text(QStringLiteral("Instructions")) + QLatin1Char(')');
        const QString split = rs.text(QStringLiteral("SplitQty")).trimmed();
        if (!split.isEmpty() && rs.number(QStringLiteral("SplitQty")) != 0)
            text += QStringLiteral("  [") + formatFixed(rs.number(QStringLiteral("SplitQty")), 3)
                + QStringLiteral(" - ") + rs.text(QStringLiteral("Operation2ID")) + QStringLiteral(" - ")
                + rs.text(QStringLiteral("Plant2")) + QLatin1Char(']');
        operations << makeNode(text, rs.text(QStringLiteral("StyleOpID")), false);
    }
    node->insertChildren(0, operations);
}

void StyleEntry::treeItemExpanded(QTreeWidgetItem *item)
{
    if (m_treeBusy || !item || !notLoaded(item))
        return;
    QTreeWidgetItem *placeholder = item->child(0);
    const int level = levelOf(item);
    const bool loaded = shell::reportingDbErrors(
        [&] {
            if (level == 1)
                ExpandCustomer(item);
            else if (level == 2)
                ExpandStyle(item);
            else if (level == 3)
                ExpandComponent(item);
        },
        this);
    TreeChange change(fgTree, m_treeBusy);
    if (loaded)
        delete placeholder; // loaded once: a later opening shows what was loaded now
    else
        item->setExpanded(false); // the placeholder stays, so opening it again tries again
}

void StyleEntry::removeTreeRow(QTreeWidgetItem *item)
{
    TreeChange change(fgTree, m_treeBusy);
    delete item;
}

void StyleEntry::fillStyleFrame(const QString &customer, const QString &name, const QString &type, double cost,
                                double price, const QString &group)
{
    // Each choice runs the list's own handler, as a pick with the mouse does;
    // the values put in afterwards are final.
    chooseText(cmbCustomer, customer);
    cmbStyleName->setEditText(name);
    chooseText(cmbType, type);
    txtCost->setText(core::formatMoneyKeepingDecimals(cost));
    txtPrice->setText(core::formatMoneyKeepingDecimals(price));
    txtGroupBy->setText(group);
}

void StyleEntry::treeRowSelected(QTreeWidgetItem *item)
{
    if (m_treeBusy || !item)
        return;
    ClearStyleForm();
    const int level = levelOf(item);
    const QString key = keyOf(item);
    if (level <= 1)
        return;
    if (key.isEmpty()) {
        // A placeholder left behind by GoToStyle, or one that was never loaded.
        removeTreeRow(item);
        return;
    }
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            const QString styleText = QStringLiteral("Name");
            if (level == 2) {
                data::Recordset rs = db.query(QStringLiteral("SELECT * FROM Style WHERE ID = ") + keyNumber(key));
                if (rs.isEmpty()) {
                    removeTreeRow(item);
                    return;
                }
                fillStyleFrame(rs.text(QStringLiteral("Customer")), rs.text(styleText), rs.text(QStringLiteral("Type")),
                               rs.number(QStringLiteral("Cost")), rs.number(QStringLiteral("Price")),
                               rs.text(QStringLiteral("GroupField")));
                setStyleId(key);
                return;
            }

            const QString order = QStringLiteral(" ORDER BY ") + naturalOrder(QStringLiteral("Component.ID"));
            data::Recordset rs = level == 3
                ? db.query(QStringLiteral("SELECT ComponentID,Description,Qty,Style.ID,Name,Customer,Type,Cost,Price,"
                                          "GroupField FROM ((StyleComponent LEFT JOIN Style ON "
                                          "StyleComponent.StyleID = Style.ID) LEFT JOIN Component ON "
                                          "StyleComponent.ComponentID = Component.ID) WHERE StyleComponent.ID = ")
                           + keyNumber(key) + order)
                : db.query(
                    QStringLiteral("SELECT OperationID,Instructions,StyleOperation.Thickness,StyleOperation.Width,"
                                   "StyleOperation.Length,SplitQty,Operation2ID,Plant2,StyleComponent.ID AS "
                                   "StyleComponentID,StyleComponent.ComponentID,Description,Qty,Style.ID,Name,"
                                   "Customer,Type,Cost,Price,GroupField FROM (((StyleOperation LEFT JOIN "
                                   "StyleComponent ON StyleOperation.ComponentID = StyleComponent.ID) LEFT JOIN "
                                   "Style ON StyleOperation.StyleID = Style.ID) LEFT JOIN Component ON "
                                   "StyleComponent.ComponentID = Component.ID) WHERE StyleOperation.ID = ")
                    + keyNumber(key));
            if (rs.isEmpty()) {
                // Deleted meanwhile.
                removeTreeRow(item);
                return;
            }
            const QString styleId = rs.text(QStringLiteral("ID"));
            const QString style = rs.text(styleText) + QLatin1Char('-') + rs.text(QStringLiteral("Type"));
            const QString componentId = rs.text(QStringLiteral("ComponentID"));
            const QString component = componentId + QLatin1Char('-') + rs.text(QStringLiteral("Description"));
            const QString lineId = level == 3 ? key : rs.text(QStringLiteral("StyleComponentID"));

            fillStyleFrame(rs.text(QStringLiteral("Customer")), rs.text(styleText), rs.text(QStringLiteral("Type")),
                           rs.number(QStringLiteral("Cost")), rs.number(QStringLiteral("Price")),
                           rs.text(QStringLiteral("GroupField")));
            // The style by its key: a style whose customer is not in the list
            // would otherwise be taken for another customer's style of the same text.
            chooseKey(cmbStyle, styleId, style);
            chooseKey(cmbComponent, componentId, component);
            txtQty->setText(core::formatNumber(rs.number(QStringLiteral("Qty"))));
            txtStyleComponentID->setText(lineId);
            setStyleId(styleId);
            if (level == 3)
                return;

            chooseKey(cmbStyle2, styleId, style);
            chooseKey(cmbComponent2, lineId, component);
            chooseStored(cmbOperation, rs.text(QStringLiteral("OperationID")));
            txtInstructions->setText(rs.text(QStringLiteral("Instructions")));
            txtThickness->setText(numberText(rs, QStringLiteral("Thickness"), 2));
            txtWidth->setText(numberText(rs, QStringLiteral("Width"), 2));
            txtLength->setText(numberText(rs, QStringLiteral("Length"), 2));
            txtStyleComponentOperationID->setText(key);
            const QString split = rs.text(QStringLiteral("SplitQty")).trimmed();
            txtOperationQty->setText(split.isEmpty() ? QStringLiteral("0.0")
                                                     : numberText(rs, QStringLiteral("SplitQty"), 2));
            const QString second = rs.text(QStringLiteral("Operation2ID"));
            if (second.isEmpty())
                clearChoice(cmbOperation2);
            else
                chooseStored(cmbOperation2, second);
            const QString plant = rs.text(QStringLiteral("Plant2"));
            if (plant.isEmpty())
                cmbPlant2->setCurrentIndex(cmbPlant2->count() > 0 ? 0 : -1);
            else
                chooseStored(cmbPlant2, plant);
        },
        this);
}

QTreeWidgetItem *StyleEntry::goToStyleRow(const QString &customer, const QString &style)
{
    QTreeWidgetItem *customerRow = childWithText(fgTree->topLevelItem(0), customer);
    if (!customerRow)
        return nullptr;
    if (notLoaded(customerRow))
        ExpandCustomer(customerRow); // the old placeholder stays below the new rows
    QTreeWidgetItem *styleRow = childWithText(customerRow, style);
    if (styleRow && notLoaded(styleRow))
        ExpandStyle(styleRow);
    TreeChange change(fgTree, m_treeBusy);
    customerRow->setExpanded(true);
    if (styleRow) {
        styleRow->setExpanded(true);
        fgTree->scrollToItem(styleRow, QAbstractItemView::PositionAtTop);
    }
    return styleRow;
}

void StyleEntry::GoToStyle(const QString &customer, const QString &style)
{
    goToStyleRow(customer, style);
}

void StyleEntry::ShowStyle(const QString &customer, const QString &style)
{
    QTreeWidgetItem *row = goToStyleRow(customer, style);
    if (!row)
        return;
    {
        TreeChange change(fgTree, m_treeBusy);
        fgTree->setCurrentItem(row);
    }
    treeRowSelected(row);
}

void StyleEntry::GoToComponent(const QString &customer, const QString &style, const QString &component)
{
    QTreeWidgetItem *componentRow = childWithText(goToStyleRow(customer, style), component);
    if (!componentRow)
        return;
    if (notLoaded(componentRow))
        ExpandComponent(componentRow);
    TreeChange change(fgTree, m_treeBusy);
    componentRow->setExpanded(true);
    fgTree->scrollToItem(componentRow, QAbstractItemView::PositionAtTop);
}

} // namespace catalogue
