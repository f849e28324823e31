#include "catalogue/styleform.h"

#include "catalogue/cataloguestore.h"
#include "catalogue/formfields.h"
#include "catalogue/outlinetree.h"
#include "data/database.h"
#include "data/quoting.h"
#include "core/configuration.h"
#include "core/formats.h"
#include "shell/grid.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace catalogue {

using shell::named;

namespace {

QStringList reportTypes()
{
    return {QStringLiteral("Band Saw"),    QStringLiteral("Bullet Noser"), QStringLiteral("CNC"),
            QStringLiteral("CNC Stencil"), QStringLiteral("Fiber Table"),  QStringLiteral("Glue Line"),
            QStringLiteral("Spray Line"),  QStringLiteral("Glue/Spray Line Supply"), QStringLiteral("Top Out Saw"),
            QStringLiteral("Vertical Slitter")};
}

QStringList activeInactive()
{
    return {QStringLiteral("Active"), QStringLiteral("Inactive")};
}

QStringList yesNo()
{
    return {QStringLiteral("Yes"), QStringLiteral("No")};
}

QLabel *note(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    QFont font = label->font();
    font.setItalic(true);
    label->setFont(font);
    return label;
}

// A row of buttons pushed to the right.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton *b : buttons)
        row->addWidget(b);
    return row;
}

// A label and its field(s) in a grid row.
void addField(QGridLayout *grid, int row, const QString &caption, QWidget *field, QWidget *parent, int span = 1)
{
    auto *label = new QLabel(caption, parent);
    label->setBuddy(field);
    grid->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(field, row, 1, 1, span);
}

// Labels stay beside their fields: the room left over goes to the right.
void keepTogether(QGridLayout *grid)
{
    grid->setColumnStretch(grid->columnCount(), 1);
}

} // namespace

StyleForm::StyleForm(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmStyle"));
    setWindowTitle(QStringLiteral("Administration"));
    buildTabs();
    applyConfiguration();
    resize(sizeHint().expandedTo(QSize(1060, 660)));
}

StyleForm::~StyleForm() = default;

static QComboBox *makeList(QWidget *parent, const char *name, bool editable, bool typeAhead = true)
{
    auto *list = named(new QComboBox(parent), name);
    list->setEditable(editable);
    list->setInsertPolicy(QComboBox::NoInsert);
    // Lists of the whole catalogue are long: size by a typical entry, not by all.
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->setMinimumContentsLength(14);
    list->setMaxVisibleItems(20);
    if (editable)
        list->setCompleter(nullptr); // a typed key is taken as typed, never completed to another
    else if (typeAhead)
        shell::attachTypeAhead(list);
    return list;
}

static QLineEdit *makeField(QWidget *parent, const char *name, int width = 0)
{
    auto *field = named(new QLineEdit(parent), name);
    if (width > 0)
        field->setMaximumWidth(width);
    return field;
}

static QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption)
{
    auto *button = named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

void StyleForm::buildTabs()
{
    // Six tabs in two rows of three over one page area, as the office knows
    // them. Each row is a tab bar with a hidden extra tab that is current while
    // the other row holds the shown page, so only one tab looks chosen.
    tabRow1 = named(new QTabBar(this), "tabRow1");
    tabRow2 = named(new QTabBar(this), "tabRow2");
    tabPages = named(new QStackedWidget(this), "tabPages");
    const QString captions[TabCount] = {QStringLiteral("Operation Entry"), QStringLiteral("Component Entry"),
                                        QStringLiteral("Style-Type Entry"), QStringLiteral("Style Entry"),
                                        QStringLiteral("Bun/Fiber Entry"), QStringLiteral("Variables")};
    for (QTabBar *bar : {tabRow1, tabRow2}) {
        bar->setExpanding(true);
        bar->setDrawBase(false);
        bar->setFocusPolicy(Qt::StrongFocus);
    }
    for (int t = 0; t < 3; ++t)
        tabRow1->addTab(captions[t]);
    for (int t = 3; t < 6; ++t)
        tabRow2->addTab(captions[t]);
    for (QTabBar *bar : {tabRow1, tabRow2}) {
        const int hidden = bar->addTab(QString());
        bar->setTabVisible(hidden, false);
        bar->setTabEnabled(hidden, false);
    }

    m_tabWidgets[OperationTab] = buildOperationTab();
    m_tabWidgets[ComponentTab] = buildComponentTab();
    m_tabWidgets[TypeTab] = buildTypeTab();
    m_tabWidgets[StyleTab] = buildStyleTab();
    m_tabWidgets[BunTab] = buildBunTab();
    m_tabWidgets[VariablesTab] = buildVariablesTab();
    for (QWidget *page : m_tabWidgets)
        tabPages->addWidget(page);

    connect(tabRow1, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index < 3)
            setCurrentTab(index);
    });
    connect(tabRow2, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index < 3)
            setCurrentTab(index + 3);
    });
    // Ctrl+Tab / Ctrl+PgDown and back move through all six tabs.
    auto step = [this](int by) { setCurrentTab((currentTab() + by + TabCount) % TabCount); };
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut), &QShortcut::activated,
                this, [step] { step(1); });
    for (const QKeySequence &key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut), &QShortcut::activated,
                this, [step] { step(-1); });

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(tabRow1);
    layout->addWidget(tabRow2);
    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(tabPages);
    layout->addWidget(frame, 1);

    setCurrentTab(StyleTab);
}

int StyleForm::currentTab() const
{
    return tabPages->currentIndex();
}

void StyleForm::setCurrentTab(int tab)
{
    if (tab < 0 || tab >= TabCount)
        return;
    const QSignalBlocker b1(tabRow1), b2(tabRow2);
    tabRow1->setCurrentIndex(tab < 3 ? tab : 3);
    tabRow2->setCurrentIndex(tab >= 3 ? tab - 3 : 3);
    tabPages->setCurrentIndex(tab);
}

QWidget *StyleForm::buildOperationTab()
{
    auto *page = new QWidget(this);
    cmbStationName = makeList(page, "cmbStationName", true);
    cmbReportName = makeList(page, "cmbReportName", false);
    txtTeams = makeField(page, "txtTeams", 80);
    cmbOperationStatus = makeList(page, "cmbOperationStatus", false);
    btnOperationSave = makeButton(page, "btnOperationSave", QStringLiteral("Save"));
    btnOperationExit = makeButton(page, "btnOperationExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("Station Name:"), cmbStationName, page);
    addField(grid, 1, QStringLiteral("Report Type:"), cmbReportName, page);
    addField(grid, 2, QStringLiteral("Teams:"), txtTeams, page);
    addField(grid, 3, QStringLiteral("Status:"), cmbOperationStatus, page);
    keepTogether(grid);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Operations will define which reports the style information is displayed on."),
                           page));
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnOperationSave, btnOperationExit}));

    connect(cmbStationName, &QComboBox::editTextChanged, this, [this] { stationChanged(); });
    connect(btnOperationSave, &QPushButton::clicked, this, [this] { saveStation(); });
    connect(btnOperationExit, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget *StyleForm::buildComponentTab()
{
    auto *page = new QWidget(this);
    cmbComponentID = makeList(page, "cmbComponentID", true);
    txtComponentDescription = makeField(page, "txtComponentDescription");
    txtComponentThickness = makeField(page, "txtComponentThickness", 100);
    txtComponentWidth = makeField(page, "txtComponentWidth", 100);
    txtComponentLength = makeField(page, "txtComponentLength", 100);
    cmbCutStyle = makeList(page, "cmbCutStyle", false);
    cmbTest = makeList(page, "cmbTest", false);
    txtTestRange = makeField(page, "txtTestRange");
    txtComponentTopped = makeField(page, "txtComponentTopped");
    cmbPrintShipping = makeList(page, "cmbPrintShipping", false);
    cmbArm = makeList(page, "cmbArm", false);
    cmbTie = makeList(page, "cmbTie", false);
    cmbComponentBun = makeList(page, "cmbComponentBun", false);
    txtRailsPerBun = makeField(page, "txtRailsPerBun", 100);
    txtPiecesPerRail = makeField(page, "txtPiecesPerRail", 100);
    cmbComponentStatus = makeList(page, "cmbComponentStatus", false);
    cmbPlant = makeList(page, "cmbPlant", false);
    txtQtyPerBuggy = makeField(page, "txtQtyPerBuggy", 100);
    btnComponentSave = makeButton(page, "btnComponentSave", QStringLiteral("Save"));
    btnComponentExit = makeButton(page, "btnComponentExit", QStringLiteral("Exit"));
    shell::attachSelectOnFocus(txtRailsPerBun);
    shell::attachSelectOnFocus(txtPiecesPerRail);
    txtQtyPerBuggy->installEventFilter(this);

    // Two columns: what the piece is on the left, how it is made on the right.
    auto *left = new QGridLayout;
    addField(left, 0, QStringLiteral("ID:"), cmbComponentID, page);
    addField(left, 1, QStringLiteral("Description:"), txtComponentDescription, page);
    addField(left, 2, QStringLiteral("Thickness:"), txtComponentThickness, page);
    addField(left, 3, QStringLiteral("Width:"), txtComponentWidth, page);
    addField(left, 4, QStringLiteral("Length:"), txtComponentLength, page);
    addField(left, 5, QStringLiteral("Cut-style:"), cmbCutStyle, page);
    addField(left, 6, QStringLiteral("Test:"), cmbTest, page);
    addField(left, 7, QStringLiteral("Test Range:"), txtTestRange, page);
    addField(left, 8, QStringLiteral("Topped:"), txtComponentTopped, page);
    auto *right = new QGridLayout;
    addField(right, 0, QStringLiteral("Print on Shipment:"), cmbPrintShipping, page);
    addField(right, 1, QStringLiteral("Arm:"), cmbArm, page);
    addField(right, 2, QStringLiteral("Tie:"), cmbTie, page);
    addField(right, 3, QStringLiteral("Bun ID:"), cmbComponentBun, page);
    addField(right, 4, QStringLiteral("Rails Per Bun:"), txtRailsPerBun, page);
    addField(right, 5, QStringLiteral("Pieces Per Rail/Roll:"), txtPiecesPerRail, page);
    addField(right, 6, QStringLiteral("Status:"), cmbComponentStatus, page);
    addField(right, 7, QStringLiteral("Plant:"), cmbPlant, page);
    addField(right, 8, QStringLiteral("Qty/Buggy:"), txtQtyPerBuggy, page);
    keepTogether(left);
    keepTogether(right);
    for (QLineEdit *wide : {txtComponentDescription, txtTestRange, txtComponentTopped})
        wide->setMinimumWidth(320);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(48);
    columns->addLayout(right);
    columns->addStretch(1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Components will define the parts that make up the style and have "
                                          "operations performed on them."),
                           page));
    layout->addLayout(columns);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnComponentSave, btnComponentExit}));

    connect(cmbComponentID, &QComboBox::editTextChanged, this, [this] { componentIdChanged(); });
    connect(btnComponentSave, &QPushButton::clicked, this, [this] { saveComponent(); });
    connect(btnComponentExit, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget *StyleForm::buildTypeTab()
{
    auto *page = new QWidget(this);
    cmbTypeID = makeList(page, "cmbTypeID", true);
    txtTypeDescription = makeField(page, "txtTypeDescription");
    cmbTypeStatus = makeList(page, "cmbTypeStatus", false);
    btnTypeSave = makeButton(page, "btnTypeSave", QStringLiteral("Save"));
    btnTypeExit = makeButton(page, "btnTypeExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("Type ID:"), cmbTypeID, page);
    addField(grid, 1, QStringLiteral("Description:"), txtTypeDescription, page);
    addField(grid, 2, QStringLiteral("Status:"), cmbTypeStatus, page);
    grid->setColumnMinimumWidth(1, 280);
    keepTogether(grid);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Types will define the category of the Style."), page));
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnTypeSave, btnTypeExit}));

    connect(cmbTypeID, &QComboBox::editTextChanged, this, [this] { typeIdChanged(); });
    connect(btnTypeSave, &QPushButton::clicked, this, [this] { saveType(); });
    connect(btnTypeExit, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget *StyleForm::buildStyleTab()
{
    auto *page = new QWidget(this);
    fgTree = named(new OutlineTree(page), "fgTree");
    fgTree->setMinimumWidth(260);

    // Frame "Style".
    fraStyle = named(new QGroupBox(QStringLiteral("Style"), page), "fraStyle");
    cmbCustomer = makeList(fraStyle, "cmbCustomer", false);
    cmbStyleName = makeList(fraStyle, "cmbStyleName", true);
    cmbType = makeList(fraStyle, "cmbType", false);
    txtCost = makeField(fraStyle, "txtCost", 110);
    txtPrice = makeField(fraStyle, "txtPrice", 110);
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
    connect(fgTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { treeRowSelected(current); });
    connect(fgTree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        // A click on the row already shown fills the frames again.
        if (item == fgTree->currentItem() && !m_treeBusy)
            treeRowSelected(item);
    });

    // Style frame.
    connect(cmbCustomer, &QComboBox::currentIndexChanged, this, [this] { customerChosen(); });
    connect(cmbType, &QComboBox::currentIndexChanged, this, [this] { typeChosen(); });
    connect(txtStyleNameID, &QLineEdit::textChanged, this, [this](const QString &id) {
        if (!id.isEmpty())
            shell::reportingDbErrors([&] { UpdateBuggy(id); }, this);
    });
    connect(btnStyleNew, &QPushButton::clicked, this, [this] { newStyle(); });
    connect(btnStyleSave, &QPushButton::clicked, this, [this] { saveStyle(); });
    // Component frame.
    connect(cmbComponent, &QComboBox::currentIndexChanged, this, [this] { componentChosen(); });
    connect(btnComponentNew, &QPushButton::clicked, this, [this] { newComponentLine(); });
    connect(cmbComponentSave2, &QPushButton::clicked, this, [this] { saveComponentLine(); });
    connect(btnDeleteComponent, &QPushButton::clicked, this, [this] { deleteComponentLine(); });
    connect(btnDuplicate, &QPushButton::clicked, this, [this] {
        if (!txtStyleComponentID->text().isEmpty() && cmbComponent->currentIndex() >= 0)
            openLaterScreen(QStringLiteral("frmStyleDuplicateComp"), QStringLiteral("Duplicate Style Components"));
    });
    // Operation frame.
    connect(cmbStyle2, &QComboBox::currentIndexChanged, this, [this] { style2Chosen(); });
    connect(cmbOperation, &QComboBox::currentIndexChanged, this, [this] { operationChosen(); });
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
            openLaterScreen(QStringLiteral("frmCopyStyle"), QStringLiteral("Copy Style"));
    });
    connect(btnStyleExit, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget *StyleForm::buildBunTab()
{
    auto *page = new QWidget(this);
    cmbBunID = makeList(page, "cmbBunID", true);
    chkOffAll = named(new QCheckBox(QStringLiteral("\"Off All\""), page), "chkOffAll");
    txtBunWidth = makeField(page, "txtBunWidth", 100);
    txtBunLength = makeField(page, "txtBunLength", 100);
    txtBunGrade = makeField(page, "txtBunGrade");
    cmbBunVendor = makeList(page, "cmbBunVendor", false);
    cmbBunStatus = makeList(page, "cmbBunStatus", false);
    btnBunSave = makeButton(page, "btnBunSave", QStringLiteral("Save"));
    btnBunExit = makeButton(page, "btnBunExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("Bun ID:"), cmbBunID, page);
    grid->addWidget(chkOffAll, 0, 2);
    addField(grid, 1, QStringLiteral("Width:"), txtBunWidth, page);
    addField(grid, 2, QStringLiteral("Length:"), txtBunLength, page);
    addField(grid, 3, QStringLiteral("Grade:"), txtBunGrade, page);
    addField(grid, 4, QStringLiteral("Vendor:"), cmbBunVendor, page);
    addField(grid, 5, QStringLiteral("Status:"), cmbBunStatus, page);
    grid->setColumnMinimumWidth(1, 240);
    keepTogether(grid);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnBunSave, btnBunExit}));

    connect(cmbBunID, &QComboBox::editTextChanged, this, [this] { bunIdChanged(); });
    connect(btnBunSave, &QPushButton::clicked, this, [this] { saveBun(); });
    connect(btnBunExit, &QPushButton::clicked, this, &QWidget::close);
    return page;
}

QWidget *StyleForm::buildVariablesTab()
{
    auto *page = new QWidget(this);
    auto *variables = named(new QGroupBox(QStringLiteral("Variables"), page), "fraVariables");
    txtLaborCostPerHour = makeField(variables, "txtLaborCostPerHour", 120);
    txtNonArmsPerHour = makeField(variables, "txtNonArmsPerHour", 120);
    txtSLNonArmsPerHour = makeField(variables, "txtSLNonArmsPerHour", 120);
    txtLaborPercent = makeField(variables, "txtLaborPercent", 120);
    {
        auto *grid = new QGridLayout(variables);
        addField(grid, 0, QStringLiteral("Labor Cost / Hour:"), txtLaborCostPerHour, variables);
        addField(grid, 1, QStringLiteral("Glueline Non-Arms / Hour:"), txtNonArmsPerHour, variables);
        addField(grid, 2, QStringLiteral("Sprayline Non-Arms / Hour:"), txtSLNonArmsPerHour, variables);
        addField(grid, 3, QStringLiteral("Labor Percent:"), txtLaborPercent, variables);
        grid->setRowStretch(4, 1);
        keepTogether(grid);
    }
    auto *plants = named(new QGroupBox(QStringLiteral("Plants"), page), "fraPlants");
    txtPlant = makeField(plants, "txtPlant");
    btnAddPlant = makeButton(plants, "btnAddPlant", QStringLiteral("Add"));
    lstPlant = named(new QListWidget(plants), "lstPlant");
    {
        auto *row = new QHBoxLayout;
        row->addWidget(txtPlant, 1);
        row->addWidget(btnAddPlant);
        auto *layout = new QVBoxLayout(plants);
        layout->addLayout(row);
        layout->addWidget(lstPlant, 1);
    }
    btnVariableSave = makeButton(page, "btnVariableSave", QStringLiteral("Save"));
    btnVariableExit = makeButton(page, "btnVariableExit", QStringLiteral("Exit"));

    auto *frames = new QHBoxLayout;
    frames->addWidget(variables, 1);
    frames->addWidget(plants, 1);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Enter Variables to be used throughout the software."), page));
    layout->addLayout(frames, 1);
    layout->addLayout(buttonRow({btnVariableSave, btnVariableExit}));

    connect(btnVariableSave, &QPushButton::clicked, this, [this] { saveVariables(); });
    connect(btnVariableExit, &QPushButton::clicked, this, &QWidget::close);
    connect(btnAddPlant, &QPushButton::clicked, this, [this] { addPlant(); });
    connect(txtPlant, &QLineEdit::returnPressed, this, [this] { addPlant(); });
    return page;
}

void StyleForm::applyConfiguration()
{
    const core::Configuration &config = core::currentConfiguration();
    m_catalogueButtons = {btnStyleSave,      btnStyleNew,     cmbComponentSave2, btnDeleteComponent,
                          btnComponentNew,   btnDeleteOp,     btnOperationNew,   btnOperationsSave2,
                          btnSaveBuggySheet, btnCopyStyle,    btnBunSave,        btnVariableSave,
                          btnAddPlant,       btnOperationSave, btnComponentSave, btnTypeSave};
    if (config.readOnlyCatalogue)
        for (QWidget *button : std::as_const(m_catalogueButtons))
            button->setEnabled(false);
    // Cost and price are hidden with their caption.
    for (QWidget *w : {static_cast<QWidget *>(lblCostPrice), static_cast<QWidget *>(txtCost),
                       static_cast<QWidget *>(txtPrice)})
        w->setVisible(!config.hidePrices);
    // Without the hidden fields the layout must not keep their room.
    for (QWidget *w : {static_cast<QWidget *>(lblCostPrice), static_cast<QWidget *>(txtCost),
                       static_cast<QWidget *>(txtPrice)}) {
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(false);
        w->setSizePolicy(policy);
    }
}

void StyleForm::load()
{
    FillForm();
    FillTreeGrid();
}

bool StyleForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == cmbOperation2 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Backspace) {
        // Backspace takes the second operation away.
        clearChoice(cmbOperation2);
        return true;
    }
    if (watched == txtQtyPerBuggy && event->type() == QEvent::FocusOut)
        qtyPerBuggyLeft(); // the field keeps the focus event either way
    return QWidget::eventFilter(watched, event);
}

void StyleForm::openLaterScreen(const QString &name, const QString &caption)
{
    if (shell::openScreen(name))
        return;
    shell::showMessage(QStringLiteral("Not Available"),
                       QStringLiteral("The \"%1\" screen is not part of this build yet.").arg(caption),
                       shell::MessageIcon::Information, shell::MessageButtons::Ok, this);
}

void StyleForm::FillForm()
{
    data::Database &db = data::sharedDatabase();
    const CatalogueLists lists = loadCatalogueLists(db);

    // Operation Entry.
    fillList(cmbReportName, reportTypes());
    fillList(cmbOperationStatus, activeInactive());
    txtTeams->setText(QStringLiteral("1"));
    fillList(cmbStationName, lists.stations);

    // Component Entry.
    for (QLineEdit *field : {txtComponentDescription, txtComponentThickness, txtComponentWidth, txtComponentLength,
                             txtTestRange, txtComponentTopped, txtQtyPerBuggy})
        field->clear();
    txtRailsPerBun->setText(QStringLiteral("0"));
    txtPiecesPerRail->setText(QStringLiteral("0"));
    for (QComboBox *list : {cmbTest, cmbPrintShipping, cmbArm, cmbTie})
        fillList(list, yesNo());
    fillList(cmbComponentStatus, activeInactive());
    fillList(cmbCutStyle, {QStringLiteral("Straight Cut"), QStringLiteral("Pattern Cut")});
    fillList(cmbComponentBun, lists.activeBuns);
    fillList(cmbComponentID, lists.componentIds);

    // Style-Type Entry.
    txtTypeDescription->clear();
    fillList(cmbTypeStatus, activeInactive());
    fillList(cmbTypeID, lists.types);

    // Bun/Fiber Entry.
    chkOffAll->setChecked(false);
    for (QLineEdit *field : {txtBunWidth, txtBunLength, txtBunGrade})
        field->clear();
    fillList(cmbBunStatus, activeInactive());
    fillList(cmbBunID, lists.buns);
    fillList(cmbBunVendor, lists.vendors);

    // Variables and plants.
    {
        data::Recordset rs = db.query(QStringLiteral("SELECT * FROM Data WHERE ID = 'Data'"));
        if (!rs.isEmpty()) {
            txtLaborCostPerHour->setText(numberText(rs, QStringLiteral("LaborCostPerHour"), 2, true));
            txtNonArmsPerHour->setText(numberText(rs, QStringLiteral("NonArmPerHour"), 0, true));
            txtSLNonArmsPerHour->setText(numberText(rs, QStringLiteral("SprayLineNonArmPerHour"), 0, true));
            txtLaborPercent->setText(numberText(rs, QStringLiteral("LaborPercent"), 2, true));
        }
    }
    txtPlant->clear();
    lstPlant->clear();
    lstPlant->addItems(lists.plants);
    fillList(cmbPlant, lists.plants);
    fillList(cmbPlant2, QStringList{QString()} + lists.plants);

    // Style Entry.
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
}

void StyleForm::ClearStyleForm()
{
    for (QComboBox *list : {cmbCustomer, cmbType, cmbStyle, cmbComponent, cmbStyle2, cmbComponent2, cmbOperation})
        clearChoice(list);
    cmbStyleName->setEditText(QString());
    for (QLineEdit *field : {txtCost, txtPrice, txtGroupBy, txtQty, txtInstructions, txtThickness, txtWidth, txtLength})
        field->clear();
}

QString StyleForm::chosenStyleId() const
{
    return chosenKey(cmbStyle);
}

QString StyleForm::chosenComponentId() const
{
    return chosenKey(cmbComponent);
}

QString StyleForm::chosenStyle2Id() const
{
    return chosenKey(cmbStyle2);
}

QString StyleForm::chosenLineId() const
{
    return chosenKey(cmbComponent2);
}

} // namespace catalogue
