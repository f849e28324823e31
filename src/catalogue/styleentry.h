#pragma once

#include "catalogue/styleduplicatecompform.h"
#include "shell/unsavedchanges.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;

namespace shell {
class Grid;
} // namespace shell

namespace catalogue {

struct CatalogueLists;
class OutlineTree;

// The "Style Entry" tab: the style tree with styles, component lines,
// operations and buggy groups.
//
// The tree loads lazily: a customer, style or component line node carries one
// empty placeholder child until it is first opened, and opening it runs one
// query for its children. A row's key (customer name, Style.ID,
// StyleComponent.ID or StyleOperation.ID) travels in its Qt::UserRole data.
class StyleEntry : public QWidget {
    Q_OBJECT
public:
    explicit StyleEntry(QWidget *parent = nullptr);

    // This tab's part of refreshing the screen: its lists and empty fields.
    void fill(const CatalogueLists &lists);

    // Empties the frames "Style", "Component" and "Operation" (not the record keys).
    void ClearStyleForm();
    // Rebuilds the tree: the root and one collapsed node per customer.
    void FillTreeGrid();
    // Load the children of a node (one query each); placeholders are the caller's business.
    void ExpandCustomer(QTreeWidgetItem *node);
    void ExpandStyle(QTreeWidgetItem *node);
    void ExpandComponent(QTreeWidgetItem *node);
    // Opens the customer and the style (and the component line) and scrolls the
    // last of them to the top.
    void GoToStyle(const QString &customer, const QString &style);
    // The style frame holds a typed style, or edits of the one shown, not yet
    // saved.
    bool styleChanged() const { return m_styleEdits.changed(); }
    // Brings the style into view and shows it as a click on its row does: its
    // fields, its lines and its buggy grouping.
    void ShowStyle(const QString &customer, const QString &style);
    void GoToComponent(const QString &customer, const QString &style, const QString &component);
    // Fills the buggy grid with the style's lines that go on buggies.
    void UpdateBuggy(const QString &styleId);

    // The level of a tree row: 0 the root, 1 customers ... 4 operations.
    static int levelOf(const QTreeWidgetItem *item);
    static QString keyOf(const QTreeWidgetItem *item);

    OutlineTree *fgTree = nullptr;
    QGroupBox *fraStyle = nullptr;
    QComboBox *cmbCustomer = nullptr;
    QComboBox *cmbStyleName = nullptr;
    QComboBox *cmbType = nullptr;
    QLabel *lblCostPrice = nullptr;
    QLineEdit *txtCost = nullptr;
    QLineEdit *txtPrice = nullptr;
    QLineEdit *txtGroupBy = nullptr;
    QPushButton *btnStyleNew = nullptr;
    QPushButton *btnStyleSave = nullptr;
    QGroupBox *fraComponent = nullptr;
    QComboBox *cmbStyle = nullptr;     // key of each entry: Style.ID (the cmbStyleID list)
    QComboBox *cmbComponent = nullptr; // key of each entry: Component.ID (the cmbCompID list)
    QLineEdit *txtQty = nullptr;
    QPushButton *btnComponentNew = nullptr;
    QPushButton *cmbComponentSave2 = nullptr;
    QPushButton *btnDeleteComponent = nullptr;
    QPushButton *btnDuplicate = nullptr;
    QGroupBox *fraOperation = nullptr;
    QComboBox *cmbStyle2 = nullptr;     // key: Style.ID (cmbStyle2ID)
    QComboBox *cmbComponent2 = nullptr; // key: StyleComponent.ID (cmbComponent2ID)
    QComboBox *cmbOperation = nullptr;
    QLineEdit *txtInstructions = nullptr;
    QLineEdit *txtThickness = nullptr;
    QLineEdit *txtWidth = nullptr;
    QLineEdit *txtLength = nullptr;
    QLineEdit *txtOperationQty = nullptr;
    QComboBox *cmbOperation2 = nullptr;
    QComboBox *cmbPlant2 = nullptr;
    QPushButton *btnOperationNew = nullptr;
    QPushButton *btnOperationsSave2 = nullptr;
    QPushButton *btnDeleteOp = nullptr;
    QGroupBox *fraBuggy = nullptr;
    shell::Grid *vsfgBuggy = nullptr;
    QPushButton *btnBuggyUp = nullptr;
    QPushButton *btnBuggyDown = nullptr;
    QPushButton *btnBuggyBar = nullptr;
    QPushButton *btnSaveBuggySheet = nullptr;
    QPushButton *btnCopyStyle = nullptr;
    QPushButton *btnStyleExit = nullptr;
    // The three record keys of what is being edited (hidden fields).
    QLineEdit *txtStyleNameID = nullptr;
    QLineEdit *txtStyleComponentID = nullptr;
    QLineEdit *txtStyleComponentOperationID = nullptr;

signals:
    // A save changed what the lists of the screen offer: the screen refills them.
    void catalogueChanged();
    // "Copy Style" with a style chosen: its "Name-Type" text and ID.
    void copyRequested(const QString &styleText, const QString &styleId);
    // "Duplicate" with a component line chosen.
    void duplicateRequested(const DuplicateSource &source);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void applyConfiguration();

    // Tree.
    void treeItemExpanded(QTreeWidgetItem *item);
    void treeRowSelected(QTreeWidgetItem *item);
    void removeTreeRow(QTreeWidgetItem *item);
    // Removes the loaded rows of a level that carry key (with their children).
    void removeLoadedRows(int level, const QString &key);
    QTreeWidgetItem *goToStyleRow(const QString &customer, const QString &style);
    void fillStyleFrame(const QString &customer, const QString &name, const QString &type, double cost, double price,
                        const QString &group);

    // Style frame.
    void customerChosen();
    void typeChosen();
    void setStyleId(const QString &id);
    void newStyle();
    void saveStyle();

    // Component lines.
    void componentChosen();
    void newComponentLine();
    void saveComponentLine();
    void deleteComponentLine();

    // Operations.
    void style2Chosen();
    void operationChosen();
    void newOperation();
    void saveOperation();
    void deleteOperation();

    // Buggy groups.
    void buggyMove(int step);
    void buggyAddBreak();
    void saveBuggySheet();
    void appendBuggyRow(const QString &key, const QString &text, const QString &qty, bool isBreak);

    QString chosenStyleId() const;
    QString chosenComponentId() const;
    QString chosenStyle2Id() const;
    QString chosenLineId() const;

    // Set while the program itself changes the tree: expansions then load
    // nothing and selections fill nothing.
    bool m_treeBusy = false;
    shell::SavedState m_styleEdits; // the style frame as shown or saved last
};

} // namespace catalogue
