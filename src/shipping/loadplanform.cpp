#include "shipping/loadplanform.h"

#include "shipping/orderpicklist.h"
#include "shipping/shipments.h"

#include "core/cursor.h"
#include "core/formats.h"
#include "core/vbnumeric.h"
#include "data/database.h"
#include "reporting/reportsinks.h"
#include "shell/grid.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace shipping {

using shell::named;

QColor breakRowColour()
{
    return QColor(255, 255, 192);
}

LoadPlanForm::LoadPlanForm(const char *formName, const QString &caption, QWidget *parent) : QWidget(parent)
{
    setObjectName(QString::fromLatin1(formName));
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = named(new QGroupBox(QStringLiteral("Order Info")), "Frame1");
    cmbCustomer = named(new QComboBox, "cmbCustomer");
    cmbCustomer->setMinimumWidth(220);
    cmbOrder = named(new QComboBox, "cmbOrder");
    cmbOrder->setMinimumWidth(220);
    cmbOrderID = named(new QComboBox, "cmbOrderID");
    cmbOrderID->setVisible(false);
    btnPrint = named(new QPushButton(QStringLiteral("Print")), "btnPrint");
    btnExit = named(new QPushButton(QStringLiteral("Exit")), "btnExit");
    m_info = new QGridLayout(Frame1);
    auto *customerLabel = new QLabel(QStringLiteral("Customer"));
    customerLabel->setBuddy(cmbCustomer);
    auto *orderLabel = new QLabel(QStringLiteral("Order Number"));
    orderLabel->setBuddy(cmbOrder);
    m_info->addWidget(customerLabel, 0, 0);
    m_info->addWidget(cmbCustomer, 0, 1);
    m_info->addWidget(orderLabel, 1, 0);
    m_info->addWidget(cmbOrder, 1, 1);
    m_info->addWidget(btnPrint, 0, 3);
    m_info->addWidget(btnExit, 1, 3);
    m_info->addWidget(cmbOrderID, 3, 0);
    m_info->setColumnStretch(2, 1);

    Frame2 = named(new QGroupBox(QStringLiteral("Order Line Items")), "Frame2");
    vsfgItems = named(new QTableWidget, "vsfgItems");
    shell::setUpGridView(vsfgItems);
    // Several rows at once, each chosen by itself; only the load is typed.
    vsfgItems->setSelectionMode(QAbstractItemView::ExtendedSelection);
    vsfgItems->setMinimumSize(680, 260); // every column of a plan in view
    vsfgItems->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                               | QAbstractItemView::AnyKeyPressed);
    btnAdd = named(new QPushButton(QStringLiteral("Add Row")), "btnAdd");
    btnDelete = named(new QPushButton(QStringLiteral("Delete Row")), "btnDelete");
    btnBuggyBar = named(new QPushButton(QStringLiteral("-----")), "btnBuggyBar");
    btnBuggyBar->setToolTip(QStringLiteral("Break: the rows below go on the next truck"));
    btnBuggyUp = named(new QPushButton(QStringLiteral("/\\  |")), "btnBuggyUp");
    btnBuggyUp->setToolTip(QStringLiteral("Move the selected rows up"));
    btnBuggyDown = named(new QPushButton(QStringLiteral(" |   \\/")), "btnBuggyDown");
    btnBuggyDown->setToolTip(QStringLiteral("Move the selected rows down"));
    auto *rows = new QHBoxLayout(Frame2);
    rows->addWidget(vsfgItems, 1);
    auto *side = new QVBoxLayout;
    for (QPushButton *b : {btnAdd, btnDelete, btnBuggyBar, btnBuggyUp, btnBuggyDown})
        side->addWidget(b);
    side->addStretch();
    rows->addLayout(side);

    auto *main = new QVBoxLayout(this);
    main->addWidget(Frame1);
    main->addWidget(Frame2, 1);

    setTabOrder(cmbCustomer, cmbOrder);
    setTabOrder(cmbOrder, btnPrint);
    setTabOrder(btnPrint, btnExit);
    setTabOrder(btnExit, vsfgItems);
    setTabOrder(vsfgItems, btnAdd);
    setTabOrder(btnAdd, btnDelete);
    setTabOrder(btnDelete, btnBuggyBar);
    setTabOrder(btnBuggyBar, btnBuggyUp);
    setTabOrder(btnBuggyUp, btnBuggyDown);

    shell::attachTypeAhead(cmbCustomer);
    shell::attachTypeAhead(cmbOrder);
    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this] { customerChosen(); });
    connect(cmbOrder, &QComboBox::activated, this, [this](int index) {
        cmbOrderID->setCurrentIndex(index);
        if (!cmbOrder->currentText().isEmpty())
            fillPlan(chosenOrderId());
    });
    connect(vsfgItems, &QTableWidget::cellChanged, this, &LoadPlanForm::cellEdited);
    connect(btnAdd, &QPushButton::clicked, this, &LoadPlanForm::addRow);
    connect(btnDelete, &QPushButton::clicked, this, [this] { deleteRows(); });
    connect(btnBuggyBar, &QPushButton::clicked, this, &LoadPlanForm::addBreak);
    connect(btnBuggyUp, &QPushButton::clicked, this, &LoadPlanForm::moveUp);
    connect(btnBuggyDown, &QPushButton::clicked, this, &LoadPlanForm::moveDown);
    connect(btnPrint, &QPushButton::clicked, this, &LoadPlanForm::print);
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);

    shell::reportingDbErrors([&] { cmbCustomer->addItems(customerNames(data::sharedDatabase())); }, this);
    cmbCustomer->setCurrentIndex(-1);
    resize(760, 520);
}

void LoadPlanForm::customerChosen()
{
    if (!cmbCustomer->currentText().isEmpty())
        fillOpenOrders(cmbOrder, cmbOrderID, cmbCustomer->currentText(), this);
}

qint64 LoadPlanForm::chosenOrderId() const
{
    return shipping::chosenOrderId(cmbOrderID);
}

void LoadPlanForm::setRow(int row, const QStringList &cells, const QColor &background)
{
    m_filling = true;
    for (int c = 0; c < ColumnCount; ++c) {
        auto *item = new QTableWidgetItem(cells.value(c));
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(background);
        item->setFlags(c == ColLoad && cells.value(ColItem) != kBreakText ? item->flags() | Qt::ItemIsEditable
                                                                          : item->flags() & ~Qt::ItemIsEditable);
        vsfgItems->setItem(row, c, item);
    }
    m_filling = false;
}

QStringList LoadPlanForm::rowCells(int row) const
{
    QStringList cells;
    for (int c = 0; c < ColumnCount; ++c)
        cells << (vsfgItems->item(row, c) ? vsfgItems->item(row, c)->text() : QString());
    return cells;
}

QColor LoadPlanForm::rowColour(int row) const
{
    const QTableWidgetItem *item = vsfgItems->item(row, 0);
    return item ? item->background().color() : QColor(Qt::white);
}

void LoadPlanForm::fillPlan(qint64 orderId)
{
    core::BusyCursor busy;
    vsfgItems->clear();
    vsfgItems->setRowCount(0);
    vsfgItems->setColumnCount(ColumnCount);
    vsfgItems->setHorizontalHeaderLabels({QStringLiteral("Item Number"), QStringLiteral("Line"),
                                          QStringLiteral("Style"), QStringLiteral("Qty Ordered"),
                                          QStringLiteral("Prev. Shipped"), QStringLiteral("To Ship"),
                                          QStringLiteral("Load Sheet"), QStringLiteral("Orig")});
    shell::reportingDbErrors(
        [&] {
            for (const OrderLine &l : orderLines(data::sharedDatabase(), orderId)) {
                const int row = vsfgItems->rowCount();
                vsfgItems->insertRow(row);
                const QString open = core::formatQuantity(l.open());
                setRow(row,
                       {QString::number(l.itemNumber), l.line, l.style, core::formatQuantity(l.ordered),
                        core::formatQuantity(l.shipped), open, open, QStringLiteral("*")},
                       QColor(Qt::white));
            }
        },
        this);
    vsfgItems->resizeColumnsToContents();
}

Plan LoadPlanForm::plan() const
{
    Plan out;
    for (int row = 0; row < vsfgItems->rowCount(); ++row)
        out.push_back({rowCells(row).value(ColItem), rowCells(row).value(ColLoad)});
    return out;
}

void LoadPlanForm::writeWorkTable()
{
    fillLoadSheet(data::sharedDatabase(), chosenOrderId(), plan());
}

// A load that is no number becomes 0; there is no upper bound, a truck may
// take more than the order still has open.
void LoadPlanForm::cellEdited(int row, int column)
{
    if (m_filling || column != ColLoad)
        return;
    QTableWidgetItem *item = vsfgItems->item(row, column);
    if (item && !core::IsNumeric(item->text())) {
        m_filling = true;
        item->setText(QStringLiteral("0"));
        m_filling = false;
    }
}

void LoadPlanForm::addRow()
{
    const int row = vsfgItems->currentRow();
    if (row < 0)
        return;
    QStringList cells = rowCells(row);
    cells[ColLoad].clear();
    cells[ColOrig].clear();
    vsfgItems->insertRow(row + 1);
    setRow(row + 1, cells, rowColour(row));
    vsfgItems->resizeColumnsToContents();
}

void LoadPlanForm::addBreak()
{
    const int row = vsfgItems->currentRow();
    if (row < 0)
        return;
    vsfgItems->insertRow(row + 1);
    setRow(row + 1, {kBreakText}, breakRowColour());
    vsfgItems->resizeColumnsToContents();
}

void LoadPlanForm::swapRows(int a, int b)
{
    const QStringList cellsA = rowCells(a), cellsB = rowCells(b);
    const QColor colourA = rowColour(a), colourB = rowColour(b);
    setRow(a, cellsB, colourB);
    setRow(b, cellsA, colourA);
}

QList<int> LoadPlanForm::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : vsfgItems->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void LoadPlanForm::selectRows(const QList<int> &rows)
{
    vsfgItems->clearSelection();
    if (rows.isEmpty())
        return;
    vsfgItems->setCurrentCell(rows.first(), 0, QItemSelectionModel::NoUpdate);
    for (int row : rows)
        vsfgItems->setRangeSelected(QTableWidgetSelectionRange(row, 0, row, ColumnCount - 1), true);
}

// Each selected row moves one place up; selected rows already at the top
// stay where they are, and the selection follows the rows.
void LoadPlanForm::moveUp()
{
    QList<int> rows = selectedRows();
    int top = 0;
    for (int &row : rows) {
        if (row == top) {
            ++top;
            continue;
        }
        swapRows(row, row - 1);
        --row;
    }
    selectRows(rows);
}

void LoadPlanForm::moveDown()
{
    QList<int> rows = selectedRows();
    int bottom = vsfgItems->rowCount() - 1;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        if (*it == bottom) {
            --bottom;
            continue;
        }
        swapRows(*it, *it + 1);
        ++*it;
    }
    selectRows(rows);
}

void LoadPlanForm::removeRow(int row)
{
    if (row >= 0 && row < vsfgItems->rowCount())
        vsfgItems->removeRow(row);
}

void LoadPlanForm::print()
{
    production::Printout out;
    bool ready = false;
    {
        core::BusyCursor busy;
        ready = shell::reportingDbErrors(
            [&] {
                writeWorkTable();
                printPlan(out);
            },
            this);
    }
    if (!ready)
        return;
    try {
        production::printCopies(out);
    } catch (const std::exception &e) {
        shell::showMessage(windowTitle(), QString::fromStdString(e.what()), shell::MessageIcon::Warning);
    }
}

} // namespace shipping
