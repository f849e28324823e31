#include "catalogue/styleform.h"

#include "catalogue/bunentry.h"
#include "catalogue/cataloguestore.h"
#include "catalogue/componententry.h"
#include "catalogue/copystyleform.h"
#include "catalogue/stationentry.h"
#include "catalogue/styleentry.h"
#include "catalogue/styletypeentry.h"
#include "catalogue/variablesentry.h"
#include "data/database.h"
#include "shell/mainwindow.h"
#include "shell/messages.h"
#include "shell/named.h"

#include <QFrame>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace catalogue {

using shell::named;

StyleForm::StyleForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmStyle"));
    setWindowTitle(QStringLiteral("Administration"));
    buildTabs();
    resize(sizeHint().expandedTo(QSize(1060, 660)));
}

StyleForm::~StyleForm() = default;

void StyleForm::buildTabs()
{
    // Six tabs in two rows of three over one page area, as the office knows
    // them. Each row is a tab bar with a hidden extra tab that is current while
    // the other row holds the shown page, so only one tab looks chosen.
    tabRow1 = named(new QTabBar(this), "tabRow1");
    tabRow2 = named(new QTabBar(this), "tabRow2");
    tabPages = named(new QStackedWidget(this), "tabPages");
    const QString captions[TabCount] = {QStringLiteral("Operation Entry"),  QStringLiteral("Component Entry"),
                                        QStringLiteral("Style-Type Entry"), QStringLiteral("Style Entry"),
                                        QStringLiteral("Bun/Fiber Entry"),  QStringLiteral("Variables")};
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

    stationEntry = new StationEntry(this);
    componentEntry = new ComponentEntry(this);
    typeEntry = new StyleTypeEntry(this);
    styleEntry = new StyleEntry(this);
    bunEntry = new BunEntry(this);
    variablesEntry = new VariablesEntry(this);
    // Pages in the order of the tabs.
    for (QWidget *page : std::initializer_list<QWidget *>{stationEntry, componentEntry, typeEntry, styleEntry, bunEntry,
                                                          variablesEntry})
        tabPages->addWidget(page);
    // A save that changes what the lists offer refreshes every tab.
    auto refresh = [this] { FillForm(); };
    connect(stationEntry, &StationEntry::catalogueChanged, this, refresh);
    connect(componentEntry, &ComponentEntry::catalogueChanged, this, refresh);
    connect(typeEntry, &StyleTypeEntry::catalogueChanged, this, refresh);
    connect(styleEntry, &StyleEntry::catalogueChanged, this, refresh);
    connect(bunEntry, &BunEntry::catalogueChanged, this, refresh);
    connect(variablesEntry, &VariablesEntry::catalogueChanged, this, refresh);
    for (QPushButton *exit : {stationEntry->btnOperationExit, componentEntry->btnComponentExit, typeEntry->btnTypeExit,
                              styleEntry->btnStyleExit, bunEntry->btnBunExit, variablesEntry->btnVariableExit})
        connect(exit, &QPushButton::clicked, this, &QWidget::close);
    connect(styleEntry, &StyleEntry::copyRequested, this, &StyleForm::openCopyStyle);
    connect(styleEntry, &StyleEntry::duplicateRequested, this, &StyleForm::openDuplicate);

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
        connect(new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut), &QShortcut::activated, this,
                [step] { step(1); });
    for (const QKeySequence &key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(key, this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut), &QShortcut::activated, this,
                [step] { step(-1); });

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

void StyleForm::load()
{
    FillForm();
    FillTreeGrid();
}

bool StyleForm::hasUnsavedChanges() const
{
    return styleEntry->styleChanged();
}

void StyleForm::FillForm()
{
    const CatalogueLists lists = loadCatalogueLists(data::sharedDatabase());
    stationEntry->fill(lists);
    componentEntry->fill(lists);
    typeEntry->fill(lists);
    bunEntry->fill(lists);
    variablesEntry->fill(lists);
    styleEntry->fill(lists);
}

QWidget *StyleForm::openTool(const QString &name, const QString &caption)
{
    QWidget *tool = shell::openScreen(name);
    if (!tool) {
        shell::showMessage(QStringLiteral("Not Available"),
                           QStringLiteral("The \"%1\" screen is not part of this build yet.").arg(caption),
                           shell::MessageIcon::Information, shell::MessageButtons::Ok, this);
        return nullptr;
    }
    // Closing the tool in any way enables the screen again.
    setEnabled(false);
    connect(tool, &QObject::destroyed, this, [this] {
        setEnabled(true);
        // Back to this screen, not to whichever child window lay behind the tool.
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            if (QMdiArea *area = frame->mdiArea())
                area->setActiveSubWindow(frame);
    });
    return tool;
}

void StyleForm::openCopyStyle(const QString &styleText, const QString &styleId)
{
    auto *copy = qobject_cast<CopyStyleForm *>(openTool(QStringLiteral("frmCopyStyle"), QStringLiteral("Copy Style")));
    if (!copy)
        return;
    copy->setSource(styleText, styleId);
    connect(copy, &CopyStyleForm::styleCopied, this, [this](const QString &customer, const QString &style) {
        shell::reportingDbErrors(
            [&] {
                FillForm();
                FillTreeGrid();
                styleEntry->ShowStyle(customer, style);
            },
            this);
    });
}

void StyleForm::openDuplicate(const DuplicateSource &source)
{
    auto *duplicate = qobject_cast<StyleDuplicateCompForm *>(
        openTool(QStringLiteral("frmStyleDuplicateComp"), QStringLiteral("Duplicate Style Components")));
    if (!duplicate)
        return;
    bool shown = false;
    if (!shell::reportingDbErrors([&] { shown = duplicate->setSource(source); }, this) || !shown) {
        duplicate->close();
        return;
    }
    connect(duplicate, &StyleDuplicateCompForm::duplicated, this, [this] {
        shell::reportingDbErrors(
            [&] {
                FillForm();
                FillTreeGrid();
            },
            this);
    });
}

void StyleForm::FillTreeGrid()
{
    styleEntry->FillTreeGrid();
}

void StyleForm::GoToStyle(const QString &customer, const QString &style)
{
    styleEntry->GoToStyle(customer, style);
}

void StyleForm::GoToComponent(const QString &customer, const QString &style, const QString &component)
{
    styleEntry->GoToComponent(customer, style, component);
}

void StyleForm::UpdateBuggy(const QString &styleId)
{
    styleEntry->UpdateBuggy(styleId);
}

} // namespace catalogue
