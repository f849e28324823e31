#pragma once

// The truck-load planning editor that the load sheet screen and the
// glue/spray/supply/tie/load screen share: an open order's lines as plan
// rows, copies of rows to split a line over trucks, break rows between
// trucks, rows moved up and down, and the work table filled from the plan.

#include "shipping/loadsheet.h"

#include "shell/unsavedchanges.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QGridLayout;
class QPushButton;
class QTableWidget;

namespace shipping {

class LoadPlanForm : public QWidget, public shell::UnsavedChanges {
    Q_OBJECT
public:
    // The plan was changed (rows added, moved, deleted, quantities typed)
    // since it was filled from the order or last printed.
    bool hasUnsavedChanges() const override { return m_planned && m_edits.changed(); }

    enum Column { ColItem, ColLine, ColStyle, ColOrdered, ColPrevShipped, ColToShip, ColLoad, ColOrig, ColumnCount };

    // Fills the plan with one row per line of the order.
    void fillPlan(qint64 orderId);
    // The plan as the grid holds it.
    Plan plan() const;
    // Empties the work table and writes the plan into it.
    void writeWorkTable();

    void addRow();
    void addBreak();
    void moveUp();
    void moveDown();

    QGroupBox *Frame1;
    QComboBox *cmbCustomer;
    QComboBox *cmbOrder;
    QComboBox *cmbOrderID; // hidden: the order ID beside each entry of cmbOrder
    QPushButton *btnPrint;
    QPushButton *btnExit;
    QGroupBox *Frame2;
    QTableWidget *vsfgItems;
    QPushButton *btnAdd;
    QPushButton *btnDelete;
    QPushButton *btnBuggyBar;
    QPushButton *btnBuggyUp;
    QPushButton *btnBuggyDown;

protected:
    LoadPlanForm(const char *formName, const QString &caption, QWidget *parent);
    // Room for a screen's own fields beside the order.
    QGridLayout *infoLayout() const { return m_info; }
    // What Delete Row removes, and what Print prints after the work table.
    virtual void deleteRows() = 0;
    virtual void printPlan(production::Printout &out) = 0;

    qint64 chosenOrderId() const;
    void print();
    // The selected rows, top to bottom.
    QList<int> selectedRows() const;
    void removeRow(int row);

private:
    void customerChosen();
    void cellEdited(int row, int column);
    QStringList rowCells(int row) const;
    void setRow(int row, const QStringList &cells, const QColor &background);
    QColor rowColour(int row) const;
    void swapRows(int a, int b);
    void selectRows(const QList<int> &rows);

    QGridLayout *m_info;
    bool m_filling = false;
    bool m_planned = false; // an order's plan is in the grid
    shell::SavedState m_edits{this};
};

// The light yellow of a break row.
QColor breakRowColour();

} // namespace shipping
