#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace shell {

// Makes a new screen (a plain QWidget; the main window puts it in the work area).
using ScreenFactory = std::function<QWidget *()>;
// What a menu item does when it produces something instead of opening a screen
// (a listing report); it runs every time the item is chosen.
using MenuCommand = std::function<void(QWidget *parent)>;

// frmMain: the frame every screen opens in, with the main menu. Each menu
// action and menu has its control name as objectName.
//
// The main window knows no screen: the program fills its registry at start-up
// (app/screens.cpp, the one place that knows every screen). A screen is registered under its menu
// control name (or, for a screen the menu does not open, any name other
// screens use to open it).
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    QMdiArea *workArea() const { return m_workArea; }

    void registerScreen(const QString &name, ScreenFactory factory);
    void registerCommand(const QString &name, MenuCommand command);
    bool hasScreen(const QString &name) const { return m_factories.contains(name); }
    // Every name a screen is registered under, sorted.
    QStringList screenNames() const;

    // Opens the screen registered under name without a permission check, at the
    // top left of the work area; a screen already open stays as it is and is
    // brought to the front. Answers the screen, or nullptr when nothing is
    // registered under name.
    QWidget *openScreen(const QString &name);
    // The open screen of that name, or nullptr.
    QWidget *openedScreen(const QString &name) const;

    // Puts a window into the work area as a child window; it goes away with the
    // widget (widget->close()) or by its frame.
    QMdiSubWindow *addChild(QWidget *widget);

    // What choosing a menu item does: the permission check, then the screen or
    // command, or a plain message when this build has neither.
    void choose(const QString &controlName);

    // The menu action (or submenu action) of a control name.
    QAction *menuAction(const QString &controlName) const;
    // Permission name of a guarded menu item; empty for File > Exit, Help >
    // About and the submenus.
    static QString permissionFor(const QString &controlName);

    // Until login only File > Exit works; after it every item is enabled.
    void lockMenu();
    void unlockMenu();

    // Opens the login window centred in the work area; a successful login
    // unlocks the menu.
    QWidget *showLogin();

    // Shows the window as the user left it at the last run (QSettings), or
    // maximised the first time. Closing the window saves its geometry.
    void showRestored();
    void saveLayout() const;

    // File > Log Off: closes every child window (unless one asks to stay),
    // forgets the user, locks the menu and opens the login window. False when
    // a window stayed open.
    bool logOff();

    // Before Log Off or the end of the program: when open screens hold
    // changes not yet saved, asks once (naming them) whether to close without
    // saving; No is the default. True when nothing would be lost or the user
    // agreed.
    bool mayDiscardChanges();

    // The status bar: who is logged in and which database is open.
    void updateStatus();

    // Ctrl+F4, Ctrl+Tab and Ctrl+Shift+Tab on the child windows.
    void closeActiveChild();
    void nextChild();
    void previousChild();

signals:
    // File > Exit, the login window's Close or the frame's close button.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void buildKeys();
    void enterMenuBar();
    void fitChild(QMdiSubWindow *sub) const;

    QMdiArea *m_workArea = nullptr;
    QHash<QString, QAction *> m_actions;
    QHash<QString, ScreenFactory> m_factories;
    QHash<QString, MenuCommand> m_commands;
    QHash<QString, QPointer<QWidget>> m_open;
    QLabel *m_userStatus = nullptr;
    QLabel *m_databaseStatus = nullptr;
};

// The main window of the running program; nullptr when there is none (tests of
// a single screen).
MainWindow *mainWindow();
// Opens a screen through the running main window, for screens that open
// another screen; nullptr when there is no main window, and nullptr with the
// "Not Available" message when this build has no such screen.
// caption names the screen in that message (the name itself when empty).
QWidget *openScreen(const QString &name, const QString &caption = {});

} // namespace shell
