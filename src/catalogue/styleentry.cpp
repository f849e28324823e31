#include "catalogue/styleentry.h"

#include "catalogue/cataloguestore.h"
#include "catalogue/formfields.h"
#include "catalogue/outlinetree.h"
#include "catalogue/tabparts.h"
#include "core/configuration.h"
#include "core/formats.h"
#include "shell/grid.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace catalogue {

using shell::named;

StyleEntry::StyleEntry(QWidget *parent) : QWidget(parent)
{
    build();
    applyConfiguration();
}

void StyleEntry::build()
{
    QWidget *page = this;
    fgTree = named(new OutlineTree(page), "fgTree");
    fgTree->setMinimumWidth(260);

    // Frame "Style".
    fraStyle = named(new QGroupBox(QStringLiteral("Style"), page), "fraStyle");
    cmbCustomer = makeList(fraStyle, "cmbCustomer", false);
    cmbStyleName = makeList(fraStyle, "cmbStyleName", true);
    cmbType = makeList(fraStyle, "cmbType", false);
    txtCost = makeField(fraStyle, "txtCost", 110);
    txtPrice = makeField(fraStyle, "txtPrice", 110);
    // Typing into a money field replaces "$0.00" rather than adding to it.
    shell::attachSelectOnFocus(txtCost);
    shell::attachSelectOnFocus(txtPrice);
    txtGroupBy = makeField(fraStyle, "txtGroupBy");
    btnStyleNew = makeButton(fraStyle, "btnStyleNew", QStringLiteral("New"));
    btnStyleSave = makeButton(fraStyle, "btnStyleSave", QStringLiteral("Save"));
    {
        auto *grid = new QGridLayout(fraStyle);
        addField(grid, 0, QStringLiteral("Customer:"), cmbCustomer, fraStyle, 2);
        addField(grid, 1, QStringLiteral("Name:"), cmbStyleName, fraStyle, 2);
        addField(grid, 2, QStringLiteral("Type:"), cmbType, fraStyle, 2);
        lblCostPrice = named(new QLabel(QStringLiteral("Cost/Price:"), fraStyle), "lblCostPrice");
        lblCostPrice->setBuddy(txtCost);
        grid->addWidget(lblCostPrice, 3, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(txtCost, 3, 1);
        grid->addWidget(txtPrice, 3, 2);
        addField(grid, 4, QStringLiteral("Group:"), txtGroupBy, fraStyle, 2);
        grid->addLayout(buttonRow({btnStyleNew, btnStyleSave}), 5, 0, 1, 3);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(2, 1);
    }

    // Frame "Component".
    fraComponent = named(new QGroupBox(QStringLiteral("Component"), page), "fraComponent");
    cmbStyle = makeList(fraComponent, "cmbStyle", false);
    cmbComponent = makeList(fraComponent, "cmbComponent", false);
    txtQty = makeField(fraComponent, "txtQty", 90);
    btnComponentNew = makeButton(fraComponent, "btnComponentNew", QStringLiteral("New"));
    cmbComponentSave2 = makeButton(fraComponent, "cmbComponentSave2", QStringLiteral("Save"));
    btnDeleteComponent = makeButton(fraComponent, "btnDeleteComponent", QStringLiteral("Delete"));
    btnDuplicate = makeButton(fraComponent, "btnDuplicate", QStringLiteral("Duplicate"));
    {
        auto *grid = new QGridLayout(fraComponent);
        addField(grid, 0, QStringLiteral("Style:"), cmbStyle, fraComponent);
        addField(grid, 1, QStringLiteral("Component:"), cmbComponent, fraComponent);
        addField(grid, 2, QStringLiteral("Qty:"), txtQty, fraComponent);
        grid->addLayout(buttonRow({btnComponentNew, cmbComponentSave2, btnDeleteComponent, btnDuplicate}), 3, 0, 1, 2);
        grid->setColumnStretch(1, 1);
    }

    // Frame "Operation".
    fraOperation = named(new QGroupBox(QStringLiteral("Operation"), page), "fraOperation");
    cmbStyle2 = makeList(fraOperation, "cmbStyle2", false);
    cmbComponent2 = makeList(fraOperation, "cmbComponent2", false);
    cmbOperation = makeList(fraOperation, "cmbOperation", false);
    txtInstructions = makeField(fraOperation, "txtInstructions");
    txtInstructions->setMaxLength(250);
    txtThickness = makeField(fraOperation, "txtThickness", 80);
    txtWidth = makeField(fraOperation, "txtWidth", 80);
    txtLength = makeField(fraOperation, "txtLength", 80);
    txtOperationQty = makeField(fraOperation, "txtOperationQty", 80);
    txtOperationQty->setMinimumWidth(70);
    cmbOperation2 = makeList(fraOperation, "cmbOperation2", false);
    cmbOperation2->setMinimumContentsLength(10);
    // Installed after the type-ahead, so it sees Backspace first.
    cmbOperation2->installEventFilter(this);
    cmbPlant2 = makeList(fraOperation, "cmbPlant2", false, false);
    cmbPlant2->setMinimumContentsLength(8);
    btnOperationNew = makeButton(fraOperation, "btnOperationNew", QStringLiteral("New"));
    btnOperationsSave2 = makeButton(fraOperation, "btnOperationsSave2", QStringLiteral("Save"));
    btnDeleteOp = makeButton(fraOperation, "btnDeleteOp", QStringLiteral("Delete"));
    {
        auto *grid = new QGridLayout(fraOperation);
        addField(grid, 0, QStringLiteral("Style:"), cmbStyle2, fraOperation);
        addField(grid, 1, QStringLiteral("Component:"), cmbComponent2, fraOperation);
        addField(grid, 2, QStringLiteral("Operations:"), cmbOperation, fraOperation);
        addField(grid, 3, QStringLiteral("Instructions:"), txtInstructions, fraOperation);
        auto *sizes = new QHBoxLayout;
        sizes->addWidget(txtThickness);
        sizes->addWidget(txtWidth);
        sizes->addWidget(txtLength);
        sizes->addStretch(1);
        auto *sizesLabel = new QLabel(QStringLiteral("T/W/L:"), fraOperation);
        sizesLabel->setBuddy(txtThickness);
        grid->addWidget(sizesLabel, 4, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addLayout(sizes, 4, 1);
        auto *split = new QHBoxLayout;
        split->addWidget(txtOperationQty);
        auto *secondLabel = new QLabel(QStringLiteral("2nd Oper:"), fraOperation);
        secondLabel->setBuddy(cmbOperation2);
        split->addWidget(secondLabel);
        split->addWidget(cmbOperation2, 1);
        auto *plantLabel = new QLabel(QStringLiteral("Plant:"), fraOperation);
        plantLabel->setBuddy(cmbPlant2);
        split->addWidget(plantLabel);
        split->addWidget(cmbPlant2, 1);
        auto *qtyLabel = new QLabel(QStringLiteral("Qty:"), fraOperation);
        qtyLabel->setBuddy(txtOperationQty);
        grid->addWidget(qtyLabel, 5, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addLayout(split, 5, 1);
        grid->addLayout(buttonRow({btnOperationNew, btnOperationsSave2, btnDeleteOp}), 6, 0, 1, 2);
        grid->setColumnStretch(1, 1);
    }

    // Frame "Buggy Tickets".
    fraBuggy = named(new QGroupBox(QStringLiteral("Buggy Tickets"), page), "fraBuggy");
    vsfgBuggy = named(new shell::Grid({QString(), QString(), QString()}, fraBuggy), "vsfgBuggy");
    vsfgBuggy->horizontalHeader()->hide();
    vsfgBuggy->setColumnHidden(0, true);
    vsfgBuggy->setMinimumWidth(230);
    btnBuggyUp = makeButton(fraBuggy, "btnBuggyUp", QStringLiteral("/\\  |"));
    btnBuggyDown = makeButton(fraBuggy, "btnBuggyDown", QStringLiteral(" |   \\/"));
    btnBuggyUp->setToolTip(QStringLiteral("Move the selected row up"));
    btnBuggyDown->setToolTip(QStringLiteral("Move the selected row down"));
    btnBuggyBar = makeButton(fraBuggy, "btnBuggyBar", QStringLiteral("-----"));
    btnBuggyBar->setToolTip(QStringLiteral("Add a break at the end"));
    btnSaveBuggySheet = makeButton(fraBuggy, "btnSaveBuggySheet", QStringLiteral("Save"));
    for (QPushButton *b : {btnBuggyUp, btnBuggyDown, btnBuggyBar, btnSaveBuggySheet})
        b->setFixedWidth(56);
    {
        auto *buttons = new QVBoxLayout;
        buttons->addWidget(btnBuggyUp);
        buttons->addWidget(btnBuggyDown);
        buttons->addWidget(btnBuggyBar);
        buttons->addStretch(1);
        buttons->addWidget(btnSaveBuggySheet);
        auto *row = new QHBoxLayout;
        row->addWidget(vsfgBuggy, 1);
        row->addLayout(buttons);
        auto *layout = new QVBoxLayout(fraBuggy);
        layout->addLayout(row, 1);
        layout->addWidget(note(QStringLiteral("Be certain to only group same qty items."), fraBuggy));
    }

    btnCopyStyle = makeButton(page, "btnCopyStyle", QStringLiteral("Copy Style"));
    btnStyleExit = makeButton(page, "btnStyleExit", QStringLiteral("Exit"));
    txtStyleNameID = makeField(page, "txtStyleNameID");
    txtStyleComponentID = makeField(page, "txtStyleComponentID");
    txtStyleComponentOperationID = makeField(page, "txtStyleComponentOperationID");
    for (QLineEdit *key : {txtStyleNameID, txtStyleComponentID, txtStyleComponentOperationID})
        key->hide();

    auto *frames = new QVBoxLayout;
    frames->addWidget(fraStyle);
    frames->addWidget(fraComponent);
    frames->addWidget(fraOperation);
    frames->addStretch(1);
    auto *right = new QVBoxLayout;
    right->addWidget(fraBuggy, 1);
    auto *columns = new QHBoxLayout;
    columns->addWidget(fgTree, 3);
    columns->addLayout(frames, 4);
    columns->addLayout(right, 3);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(columns, 1);
    layout->addLayout(buttonRow({btnCopyStyle, btnStyleExit}));

    // Tree.
    connect(fgTree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *item) { treeItemExpanded(item); });
    // A click or Enter fills the frames (again, for the row already shown).
    connect(fgTree, &OutlineTree::rowChosen, this, [this](QTreeWidgetItem *item) {
        treeRowSelected(item);
        m_styleEdits.markSaved();
    });

    // Style frame. Every pick looks its record up again, the entry already
    // shown included: picking the type again after typing another name finds
    // (or not) the style of that name.
    shell::onPick(cmbCustomer, this, [this] { customerChosen(); });
    shell::onPick(cmbType, this, [this] { typeChosen(); });
    connect(txtStyleNameID, &QLineEdit::textChanged, this, [this](const QString &id) {
        if (!id.isEmpty())
            shell::reportingDbErrors([&] { UpdateBuggy(id); }, this);
    });
    connect(btnStyleNew, &QPushButton::clicked, this, [this] { newStyle(); });
    connect(btnStyleSave, &QPushButton::clicked, this, [this] { saveStyle(); });
    // Component frame. Another style leaves the chosen line behind: Save and
    // Duplicate then act on the style and component shown, never on the line
    // of the style chosen before.
    connect(cmbStyle, &QComboBox::currentIndexChanged, this, [this] { txtStyleComponentID->clear(); });
    shell::onPick(cmbComponent, this, [this] { componentChosen(); });
    connect(btnComponentNew, &QPushButton::clicked, this, [this] { newComponentLine(); });
    connect(cmbComponentSave2, &QPushButton::clicked, this, [this] { saveComponentLine(); });
    connect(btnDeleteComponent, &QPushButton::clicked, this, [this] { deleteComponentLine(); });
    connect(btnDuplicate, &QPushButton::clicked, this, [this] {
        if (!txtStyleComponentID->text().isEmpty() && cmbComponent->currentIndex() >= 0)
            emit duplicateRequested({chosenText(cmbStyle), chosenStyleId(), chosenText(cmbComponent),
                                     chosenComponentId(), txtStyleComponentID->text()});
    });
    // Operation frame.
    shell::onPick(cmbStyle2, this, [this] { style2Chosen(); });
    shell::onPick(cmbOperation, this, [this] { operationChosen(); });
    connect(btnOperationNew, &QPushButton::clicked, this, [this] { newOperation(); });
    connect(btnOperationsSave2, &QPushButton::clicked, this, [this] { saveOperation(); });
    connect(btnDeleteOp, &QPushButton::clicked, this, [this] { deleteOperation(); });
    // Buggy tickets.
    connect(btnBuggyUp, &QPushButton::clicked, this, [this] { buggyMove(-1); });
    connect(btnBuggyDown, &QPushButton::clicked, this, [this] { buggyMove(1); });
    connect(btnBuggyBar, &QPushButton::clicked, this, [this] { buggyAddBreak(); });
    connect(btnSaveBuggySheet, &QPushButton::clicked, this, [this] { saveBuggySheet(); });

    connect(btnCopyStyle, &QPushButton::clicked, this, [this] {
        if (!txtStyleNameID->text().isEmpty())
            emit copyRequested(cmbStyleName->currentText() + QLatin1Char('-') + cmbType->currentText(),
                               txtStyleNameID->text());
    });
}

void StyleEntry::applyConfiguration()
{
    lockWhenReadOnly({btnStyleSave, btnStyleNew, cmbComponentSave2, btnDeleteComponent, btnComponentNew, btnDeleteOp,
                      btnOperationNew, btnOperationsSave2, btnSaveBuggySheet, btnCopyStyle});
    // Cost and price are hidden with their caption, and the layout keeps no room for them.
    const bool hide = core::currentConfiguration().hidePrices;
    for (QWidget *w :
         {static_cast<QWidget *>(lblCostPrice), static_cast<QWidget *>(txtCost), static_cast<QWidget *>(txtPrice)}) {
        w->setVisible(!hide);
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(false);
        w->setSizePolicy(policy);
    }
}

bool StyleEntry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmbOperation2 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Backspace) {
        // Backspace takes the second operation away.
        clearChoice(cmbOperation2);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StyleEntry::fill(const CatalogueLists &lists)
{
    fillList(cmbPlant2, QStringList{QString()} + lists.plants);
    fillList(cmbComponent2, {});
    fillList(cmbStyleName, {});
    fillList(cmbCustomer, lists.customers);
    fillList(cmbType, lists.types);
    fillList(cmbStyle, lists.styleTexts, lists.styleIds);
    fillList(cmbStyle2, lists.styleTexts, lists.styleIds);
    fillList(cmbComponent, lists.componentTexts, lists.componentIds);
    fillList(cmbOperation, lists.stations);
    fillList(cmbOperation2, lists.stations);

    txtStyleNameID->clear();
    txtStyleComponentID->clear();
    txtStyleComponentOperationID->clear();
    for (QLineEdit *field : {txtQty, txtInstructions, txtGroupBy})
        field->clear();
    txtCost->setText(core::formatMoneyKeepingDecimals(0));
    txtPrice->setText(core::formatMoneyKeepingDecimals(0));
    for (QLineEdit *field : {txtThickness, txtWidth, txtLength, txtOperationQty})
        field->setText(QStringLiteral("0"));
    m_styleEdits.setRoot(fraStyle);
    m_styleEdits.markSaved();
}

void StyleEntry::ClearStyleForm()
{
    for (QComboBox *list : {cmbCustomer, cmbType, cmbStyle, cmbComponent, cmbStyle2, cmbComponent2, cmbOperation})
        clearChoice(list);
    cmbStyleName->setEditText(QString());
    for (QLineEdit *field : {txtCost, txtPrice, txtGroupBy, txtQty, txtInstructions, txtThickness, txtWidth, txtLength})
        field->clear();
    m_styleEdits.markSaved();
}

QString StyleEntry::chosenStyleId() const
{
    return chosenKey(cmbStyle);
}

QString StyleEntry::chosenComponentId() const
{
    return chosenKey(cmbComponent);
}

QString StyleEntry::chosenStyle2Id() const
{
    return chosenKey(cmbStyle2);
}

QString StyleEntry::chosenLineId() const
{
    return chosenKey(cmbComponent2);
}

} // namespace catalogue
