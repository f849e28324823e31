#include "shell/mainwindow.h"

#include "core/currentuser.h"
#include "shell/loginform.h"
#include "shell/messages.h"
#include "shell/printing.h"
#include "shell/unsavedchanges.h"
#include "core/permissions.h"

#include "data/database.h"
#include "shell/conventions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QSet>
#include <QSettings>
#include <QStatusBar>
#include <QLineEdit>
#include <algorithm>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace shell {

namespace {

MainWindow *g_mainWindow = nullptr;

// The main menu: parent control (none for the menu bar), control name,
// caption, permission name (none for Exit, About and the submenus).
struct MenuEntry {
    const char *parent;
    const char *control;
    const char *caption;
    const char *permission;
    bool adminOnly = false; // enabled for "Admin" users only
};

const MenuEntry kMenu[] = {
    {nullptr, "File", "File", nullptr},
    {"File", "mnuCompanySetup", "Company Setup", "Company Info"},
    {"File", "mnuDownloadCatalogue", "Download Catalogue...", nullptr, true},
    {"File", "mnuExchangeOrders", "Exchange Orders...", nullptr, true},
    {"File", "mnuPrintFolder", "Print Folder...", nullptr},
    {"File", "mnuLogOff", "Log Off", nullptr},
    {"File", "Exit", "Exit", nullptr},
    {nullptr, "Orders", "Orders", nullptr},
    {"Orders", "OrdNav", "Order Navigator", "Order Navigator"},
    {"Orders", "OrderEntry", "Order Entry", "Order Entry/Edit"},
    {"Orders", "mnuGlueSprayTieLoadReports", "Glue/Spray/Tie/Load Reports", "Reports - Production"},
    {nullptr, "Shipping", "Shipping", nullptr},
    {"Shipping", "ShipmentNav", "Shipment Navigator", "Shipment Navigator"},
    {"Shipping", "ShipmentEntry", "Shipment Entry", "Shipment Entry/Edit"},
    {"Shipping", "LoadSheet", "Load Sheet", "Load Sheet Entry/Edit"},
    {nullptr, "Administrative", "Administrative", nullptr},
    {"Administrative", "CustomerEntry", "Customer Entry", "Customer Entry/Edit"},
    {"Administrative", "VendorEntry", "Vendor Entry", "Vendor Entry/Edit"},
    {"Administrative", "StyleEntry", "Style Entry", "Style Entry/Edit"},
    {"Administrative", "StylePriceChange", "Style Price Change", "Style Price Change"},
    {"Administrative", "CreateInvoices", "Create Invoices", "Invoice Entry/Edit"},
    {"Administrative", "ReceivePayments", "Receive Payments", "Receive Payments"},
    {"Administrative", "mnuUserEntryEdit", "User Entry/Edit", "User Entry/Edit"},
    {nullptr, "Reports", "Reports", nullptr},
    {"Reports", "OrderReports", "Orders", nullptr},
    {"OrderReports", "OrderEntryControlReport", "Order Entry Control Report", "Reports - Order Report"},
    {"OrderReports", "SalesByCustomer", "Sales By Customer", "Reports - Sales By Customer"},
    {"Reports", "Production", "Production", "Reports - Production"},
    {"Reports", "ShippingReports", "Shipping", nullptr},
    {"ShippingReports", "ShippingMgr", "Shipping Mangager", "Reports - Shipping Manager"},
    {"Reports", "Admin", "Administrative", nullptr},
    {"Admin", "CustomerListing", "Customer Listing", "Reports - Administrative"},
    {"Admin", "VendorListing", "Vendor Listing", "Reports - Administrative"},
    {"Admin", "BunListing", "Bun Listing", "Reports - Administrative"},
    {"Admin", "ComponentListing", "Component Listing", "Reports - Administrative"},
    {"Admin", "StyleListing", "Style Listing", "Reports - Administrative"},
    {"Reports", "AR", "Accounts Receivable", nullptr},
    {"AR", "InvoiceReport", "Invoice Report", "Reports - Invoice"},
    {"AR", "OpenInvoicesReport", "Open Invoices Report", "Reports - Open Invoice"},
    {"AR", "CustomerStatementsReport", "Customer Statements", "Reports - Customer Statement"},
    {nullptr, "Help", "Help", nullptr},
    {"Help", "About", "About", nullptr},
};

const MenuEntry *findEntry(const QString &control)
{
    for (const MenuEntry &e : kMenu)
        if (control == QLatin1String(e.control))
            return &e;
    return nullptr;
}

bool isSubmenu(const QString &control)
{
    for (const MenuEntry &e : kMenu)
        if (e.parent && control == QLatin1String(e.parent))
            return true;
    return false;
}

// The caption with a mnemonic: the first of its letters that no earlier item
// of the same menu has taken, so every item is reached from the keyboard
// without changing its text.
QString withMnemonic(const QString &caption, QSet<QChar> &taken)
{
    for (int i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i].toLower();
        if (!c.isLetterOrNumber() || taken.contains(c))
            continue;
        taken.insert(c);
        return caption.left(i) + QLatin1Char('&') + caption.mid(i);
    }
    return caption;
}

const char *const kSettingsGeometry = "MainWindow/geometry";
const char *const kSettingsState = "MainWindow/state";

// A menu item or screen this build does not have, named by its caption.
void sayNotAvailable(const QString &name, QWidget *parent)
{
    const MenuEntry *entry = findEntry(name);
    const QString caption = entry ? QLatin1String(entry->caption) : name;
    showMessage(QStringLiteral("Not Available"),
                QStringLiteral("\"%1\" is not part of this build of Bunline yet.").arg(caption),
                MessageIcon::Information, MessageButtons::Ok, parent);
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Bunline"));
    m_workArea = new QMdiArea(this);
    m_workArea->setObjectName(QStringLiteral("workArea"));
    m_workArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_workArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_workArea);
    resize(1024, 768);
    buildMenu();
    buildKeys();
    m_userStatus = new QLabel(this);
    m_userStatus->setObjectName(QStringLiteral("lblStatusUser"));
    m_databaseStatus = new QLabel(this);
    m_databaseStatus->setObjectName(QStringLiteral("lblStatusDatabase"));
    statusBar()->addWidget(m_userStatus);
    statusBar()->addWidget(m_databaseStatus, 1);
    updateStatus();
    installKeyboardConventions();
    g_mainWindow = this;
}

void MainWindow::buildKeys()
{
    struct Key {
        const char *name;
        QKeySequence key;
        void (MainWindow::*run)();
    };
    const Key keys[] = {
        {"actCloseChild", QKeySequence(Qt::CTRL | Qt::Key_F4), &MainWindow::closeActiveChild},
        {"actNextChild", QKeySequence(Qt::CTRL | Qt::Key_Tab), &MainWindow::nextChild},
        {"actPreviousChild", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), &MainWindow::previousChild},
        {"actMenuBar", QKeySequence(Qt::Key_F10), &MainWindow::enterMenuBar},
    };
    for (const Key &k : keys) {
        auto *action = new QAction(this);
        action->setObjectName(QLatin1String(k.name));
        action->setShortcut(k.key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, k.run);
        addAction(action);
    }
}

void MainWindow::closeActiveChild()
{
    if (QMdiSubWindow *active = m_workArea->activeSubWindow())
        active->close();
}

void MainWindow::nextChild()
{
    m_workArea->activateNextSubWindow();
}

void MainWindow::previousChild()
{
    m_workArea->activatePreviousSubWindow();
}

void MainWindow::enterMenuBar()
{
    for (QAction *top : menuBar()->actions())
        if (top->isEnabled()) {
            menuBar()->setFocus(Qt::ShortcutFocusReason);
            menuBar()->setActiveAction(top);
            return;
        }
}

void MainWindow::updateStatus()
{
    const QString user = core::currentUser().userName;
    m_userStatus->setText(user.isEmpty() ? QStringLiteral("Not logged in") : QStringLiteral("User: %1").arg(user));
    QString where;
    if (data::hasSharedDatabase()) {
        const data::ConnectionSettings &c = data::sharedDatabase().settings();
        where = c.dialect == data::Dialect::SQLite ? c.database : QStringLiteral("%1/%2").arg(c.host, c.database);
    }
    m_databaseStatus->setText(where.isEmpty() ? QString() : QStringLiteral("Database: %1").arg(where));
}

void MainWindow::showRestored()
{
    QSettings settings;
    const QByteArray geometry = settings.value(QLatin1String(kSettingsGeometry)).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        // The first start takes the whole screen.
        showMaximized();
        return;
    }
    restoreState(settings.value(QLatin1String(kSettingsState)).toByteArray());
    show();
}

void MainWindow::saveLayout() const
{
    QSettings settings;
    settings.setValue(QLatin1String(kSettingsGeometry), saveGeometry());
    settings.setValue(QLatin1String(kSettingsState), saveState());
}

bool MainWindow::mayDiscardChanges()
{
    QStringList titles;
    for (QMdiSubWindow *sub : m_workArea->subWindowList())
        if (const auto *screen = dynamic_cast<const UnsavedChanges *>(sub->widget());
            screen && screen->hasUnsavedChanges())
            titles << sub->widget()->windowTitle();
    if (titles.isEmpty())
        return true;
    const QString last = titles.takeLast();
    const QString names = titles.isEmpty() ? last : titles.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    return askYesDefaultNo(QStringLiteral("Unsaved Changes"),
                           QStringLiteral("%1 %2 changes that are not saved. Close without saving?")
                               .arg(names, titles.isEmpty() ? QStringLiteral("has") : QStringLiteral("have")),
                           MessageIcon::Question, this);
}

bool MainWindow::logOff()
{
    if (!mayDiscardChanges())
        return false;
    m_workArea->closeAllSubWindows();
    const QList<QMdiSubWindow *> left = m_workArea->subWindowList();
    if (std::any_of(left.begin(), left.end(), [](QMdiSubWindow *sub) { return sub->isVisible(); }))
        return false; // a screen asked to stay open
    // Windows closed by their frame go at once, before the login window opens.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_open.clear();
    core::setCurrentUser({});
    lockMenu();
    updateStatus();
    showLogin();
    return true;
}

MainWindow::~MainWindow()
{
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

void MainWindow::buildMenu()
{
    QHash<QString, QMenu *> menus;
    QHash<QString, QSet<QChar>> mnemonics; // taken letters, per parent menu
    for (const MenuEntry &e : kMenu) {
        const QString control = QLatin1String(e.control);
        const QString caption = withMnemonic(QLatin1String(e.caption), mnemonics[QLatin1String(e.parent)]);
        QMenu *parentMenu = e.parent ? menus.value(QLatin1String(e.parent)) : nullptr;
        QAction *action;
        if (isSubmenu(control)) {
            QMenu *menu = parentMenu ? parentMenu->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(control);
            menus.insert(control, menu);
            action = menu->menuAction();
            // A guarded item that also heads a list would need both; none does.
            Q_ASSERT(!e.permission);
        } else {
            action = parentMenu ? parentMenu->addAction(caption) : menuBar()->addAction(caption);
            connect(action, &QAction::triggered, this, [this, control] { choose(control); });
        }
        action->setObjectName(control);
        m_actions.insert(control, action);
    }
}

QString MainWindow::permissionFor(const QString &controlName)
{
    const MenuEntry *e = findEntry(controlName);
    return e && e->permission ? QLatin1String(e->permission) : QString();
}

QAction *MainWindow::menuAction(const QString &controlName) const
{
    return m_actions.value(controlName);
}

void MainWindow::lockMenu()
{
    for (QAction *action : std::as_const(m_actions))
        action->setEnabled(false);
    m_actions.value(QStringLiteral("File"))->setEnabled(true);
    m_actions.value(QStringLiteral("Exit"))->setEnabled(true);
}

void MainWindow::unlockMenu()
{
    const bool admin = core::currentUser().type == QLatin1String("Admin");
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        const MenuEntry *e = findEntry(it.key());
        it.value()->setEnabled(admin || !e || !e->adminOnly);
    }
}

void MainWindow::registerScreen(const QString &name, ScreenFactory factory)
{
    m_factories.insert(name, std::move(factory));
}

QStringList MainWindow::screenNames() const
{
    QStringList names = m_factories.keys();
    names.sort();
    return names;
}

void MainWindow::registerCommand(const QString &name, MenuCommand command)
{
    m_commands.insert(name, std::move(command));
}

QMdiSubWindow *MainWindow::addChild(QWidget *widget)
{
    widget->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow *sub = m_workArea->addSubWindow(widget);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon());
    // The frame's own menu also claims Ctrl+F4; two claims make the key do
    // nothing, so the main window's one stays.
    if (QMenu *frameMenu = sub->systemMenu())
        for (QAction *action : frameMenu->actions())
            if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_F4))
                action->setShortcut({});
    // A screen that closes itself (its Exit button) takes its frame with it.
    QPointer<QMdiSubWindow> frame(sub);
    connect(widget, &QObject::destroyed, sub, [frame] {
        if (frame)
            frame->close();
    });
    sub->adjustSize();
    fitChild(sub);
    sub->move(0, 0);
    return sub;
}

void MainWindow::fitChild(QMdiSubWindow *sub) const
{
    // Within the work area, unless the screen cannot be that small: then the
    // work area scrolls.
    const QSize area = m_workArea->viewport()->size();
    const QSize least = sub->minimumSizeHint().expandedTo(sub->minimumSize());
    sub->resize(sub->size().boundedTo(area).expandedTo(least));
}

QWidget *MainWindow::openedScreen(const QString &name) const
{
    return m_open.value(name).data();
}

QWidget *MainWindow::openScreen(const QString &name)
{
    if (QWidget *open = openedScreen(name)) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(open->parentWidget()))
            m_workArea->setActiveSubWindow(sub);
        return open;
    }
    const ScreenFactory factory = m_factories.value(name);
    if (!factory)
        return nullptr;
    QWidget *screen = factory();
    if (!screen)
        return nullptr;
    m_open.insert(name, screen);
    QMdiSubWindow *sub = addChild(screen);
    sub->show();
    m_workArea->setActiveSubWindow(sub);
    return screen;
}

void MainWindow::choose(const QString &controlName)
{
    if (controlName == QLatin1String("Exit")) {
        // The same way out as the frame's close button: screens are asked,
        // and the window's size and place are kept for the next start.
        close();
        return;
    }
    if (controlName == QLatin1String("mnuLogOff")) {
        logOff();
        return;
    }
    if (controlName == QLatin1String("mnuPrintFolder")) {
        choosePrintFolder(this);
        return;
    }
    const QString permission = permissionFor(controlName);
    if (!permission.isEmpty()) {
        bool allowed = false;
        if (!reportingDbErrors([&] { allowed = core::CheckPermission(permission); }, this))
            return;
        if (!allowed) {
            showWarning(QStringLiteral("Invalid Permission"),
                        QStringLiteral("You do not have permission to view this screen."), this);
            return;
        }
    }
    if (const MenuEntry *e = findEntry(controlName);
        e && e->adminOnly && core::currentUser().type != QLatin1String("Admin")) {
        showWarning(QStringLiteral("Invalid Permission"),
                    QStringLiteral("You do not have permission to view this screen."), this);
        return;
    }
    if (const MenuCommand command = m_commands.value(controlName)) {
        reportingDbErrors([&] { command(this); }, this);
        return;
    }
    if (m_factories.contains(controlName)) {
        reportingDbErrors([&] { openScreen(controlName); }, this);
        return;
    }
    sayNotAvailable(controlName, this);
}

QWidget *MainWindow::showLogin()
{
    auto *login = new LoginForm;
    QMdiSubWindow *sub = addChild(login);
    sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    sub->adjustSize();
    // Centred across the work area, and on its height.
    const QSize area = m_workArea->viewport()->size();
    sub->move(qMax(0, (area.width() - sub->width()) / 2), qMax(0, (area.height() - sub->height()) / 2));
    connect(login, &LoginForm::loggedIn, this, &MainWindow::unlockMenu);
    connect(login, &LoginForm::loggedIn, this, &MainWindow::updateStatus);
    connect(login, &LoginForm::closeRequested, this, &MainWindow::exitRequested);
    sub->show();
    m_workArea->setActiveSubWindow(sub);
    login->txtUsername->setFocus();
    return login;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!mayDiscardChanges()) {
        event->ignore();
        return;
    }
    m_workArea->closeAllSubWindows();
    const QList<QMdiSubWindow *> left = m_workArea->subWindowList();
    if (std::any_of(left.begin(), left.end(), [](QMdiSubWindow *sub) { return sub->isVisible(); })) {
        // A screen asked to stay open.
        event->ignore();
        return;
    }
    saveLayout();
    event->accept();
    emit exitRequested();
}

MainWindow *mainWindow()
{
    return g_mainWindow;
}

QWidget *openScreen(const QString &name, const QString &caption)
{
    if (!g_mainWindow)
        return nullptr;
    if (!g_mainWindow->hasScreen(name)) {
        // A screen that this build lacks is said so, never passed over in silence.
        sayNotAvailable(caption.isEmpty() ? name : caption, g_mainWindow);
        return nullptr;
    }
    return g_mainWindow->openScreen(name);
}

} // namespace shell
