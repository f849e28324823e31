#pragma once

#include "orders/orderstore.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace shell {
class ListGrid;
} // namespace shell

namespace orders {

// frmOrderNavigator: finds orders by customer, status, order dates and part of
// the order number, shows the lines and shipped quantities of the order under
// the cursor, and opens an order in order entry by double-click.
class OrderNavigatorForm : public QWidget {
    Q_OBJECT
public:
    explicit OrderNavigatorForm(QWidget *parent = nullptr);

    // Runs the search with the criteria shown (order entry calls it on closing).
    void UpdateGrids();

    SearchCriteria criteria() const;
    // The statement the last search ran.
    QString lastStatement() const { return m_lastStatement; }

    QGroupBox *Frame1;
    QComboBox *cmbCustomer;
    QComboBox *cmbStatus;
    QCheckBox *chkOrderDate;
    QDateEdit *dtStartDate;
    QDateEdit *dtEndDate;
    QLineEdit *txtOrderNumber;
    QPushButton *btnFind;
    QPushButton *btnClear;
    QPushButton *btnAddNew;
    QPushButton *btnExit;
    QGroupBox *Frame2;
    shell::ListGrid *vsfgOrders;
    QGroupBox *Frame3;
    shell::ListGrid *vsfgItems;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void orderSelected(int row);
    void openSelected();
    void clearCriteria();
    void emptyItems();

    QString m_lastStatement;
    bool m_placed = false;
};

} // namespace orders
