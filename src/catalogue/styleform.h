#pragma once

#include "shell/unsavedchanges.h"

#include <QString>
#include <QWidget>

class QStackedWidget;
class QTabBar;

namespace catalogue {

struct DuplicateSource;
class BunEntry;
class ComponentEntry;
class StationEntry;
class StyleEntry;
class StyleTypeEntry;
class VariablesEntry;

// frmStyle, "Administration": the whole style catalogue on six tabs - stations,
// components, style types, the style tree with styles, component lines,
// operations and buggy groups, buns, and the costing variables with the plants.
// Each tab is a widget of its own; the screen holds them and refreshes them
// all when a save changes what their lists offer.
class StyleForm : public QWidget, public shell::UnsavedChanges {
    Q_OBJECT
public:
    enum Tab { OperationTab = 0, ComponentTab, TypeTab, StyleTab, BunTab, VariablesTab, TabCount };

    explicit StyleForm(QWidget *parent = nullptr);
    ~StyleForm() override;

    // What opening the screen does: every list filled, the tree built from the
    // customers. Throws data::DbError.
    void load();

    int currentTab() const;
    void setCurrentTab(int tab);

    // Empties every entry field of every tab and reloads every list. Throws data::DbError.
    void FillForm();
    // A style typed or edited in the style frame and not saved.
    bool hasUnsavedChanges() const override;
    // Rebuilds the style tree.
    void FillTreeGrid();
    // Brings a customer's style into view in the tree.
    void GoToStyle(const QString &customer, const QString &style);
    void GoToComponent(const QString &customer, const QString &style, const QString &component);
    // Fills the buggy grid with the style's lines that go on buggies.
    void UpdateBuggy(const QString &styleId);

    QTabBar *tabRow1 = nullptr;
    QTabBar *tabRow2 = nullptr;
    QStackedWidget *tabPages = nullptr;

    StationEntry *stationEntry = nullptr;     // "Operation Entry"
    ComponentEntry *componentEntry = nullptr; // "Component Entry"
    StyleTypeEntry *typeEntry = nullptr;      // "Style-Type Entry"
    StyleEntry *styleEntry = nullptr;         // "Style Entry"
    BunEntry *bunEntry = nullptr;             // "Bun/Fiber Entry"
    VariablesEntry *variablesEntry = nullptr; // "Variables"

private:
    void buildTabs();
    // Opens a catalogue tool through the program's registry; the screen stays
    // disabled while the tool is open. Nullptr (after telling the user) when
    // this build has no such screen.
    QWidget *openTool(const QString &name, const QString &caption);
    void openCopyStyle(const QString &styleText, const QString &styleId);
    void openDuplicate(const DuplicateSource &source);
};

} // namespace catalogue
