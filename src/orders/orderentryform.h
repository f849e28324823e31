#pragma once

#include "orders/orderstore.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace shell {
class Grid;
} // namespace shell

namespace orders {

// What follows a saved order: the program sends the user on to choose its
// production paperwork (wired in app/). Without a hook nothing follows.
using OrderSavedHook = std::function<void(qint64 orderId, QWidget *parent)>;
void setOrderSavedHook(OrderSavedHook hook);

// frmOrderEntry: one order's header and line items. Lines are edited in the
// editor above the grid; item numbers are given once and never renumbered, so
// shipments can keep referring to them. Nothing reaches the database until
// "Save and Close", which writes the order, its lines and (for a new order) its
// upload queue row together.
class OrderEntryForm : public QWidget {
    Q_OBJECT
public:
    explicit OrderEntryForm(QWidget *parent = nullptr);

    // Loads a saved order; an unknown ID leaves the screen as it is.
    void OpenOrder(qlonglong orderId);
    // Rebuilds the grid from the database for the order shown.
    void RefreshGrid();
    // Recomputes the order total from the grid.
    void UpdateTotal();

    const std::vector<OrderLine> &lines() const { return m_lines; }

    QGroupBox *Frame1;
    QComboBox *cmbCustomer;
    QLineEdit *txtOrderNumber;
    QDateEdit *dtOrderDate;
    QDateEdit *dtDueDate;
    QLabel *lblStatus;
    QLabel *lblID;
    QLineEdit *txtShipTo;
    QLineEdit *txtAddress1;
    QLineEdit *txtAddress2;
    QLineEdit *txtCity;
    QLineEdit *txtState;
    QLineEdit *txtZip;
    QLineEdit *txtPhone;
    QLineEdit *txtFax;
    QLabel *lblTotal;
    QGroupBox *Frame2;
    QLabel *lblItem;
    QLineEdit *txtLine;
    QComboBox *cmbStyle;
    QLineEdit *txtQty;
    QLineEdit *txtPriceEach;
    QLabel *lblPriceExt;
    QPushButton *btnSaveItem;
    QPushButton *btnDeleteItem;
    shell::Grid *vsfgItems;
    QPushButton *btnOpenOrder;
    QPushButton *btnClose;
    QPushButton *btnVoidOrder;
    QPushButton *btnSave;
    QPushButton *btnExit;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void wireBehaviour();
    void customerChosen();
    void styleChosen();
    void updatePriceExt();
    void rowSelected(int row);
    bool refuseInvoicedLines();
    void saveItem();
    void deleteItem();
    void setStatus(const QString &question, const QString &title, const QString &status);
    void saveOrder();
    void clearEditor();
    void showLines();
    void applyHiddenPrices();
    int selectStyle(const QString &text, qint64 id, double price);

    std::vector<OrderLine> m_lines;
    std::vector<StyleChoice> m_styles; // parallel to cmbStyle's entries
    int m_editingRow = -1;             // grid row loaded into the editor
    double m_total = 0;
    std::optional<qint64> m_orderId;
    std::optional<qint64> m_invoice; // the invoice the order is on
    bool m_saved = false;
};

} // namespace orders
