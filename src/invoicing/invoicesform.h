#pragma once

// "Invoicing": bills a customer for some of its orders not yet invoiced. The
// orders move from the left list to the right one; Create Invoices writes the
// invoice, shows it, and clears the screen for the next.

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace invoicing {

class InvoicesForm : public QWidget {
    Q_OBJECT
public:
    explicit InvoicesForm(QWidget *parent = nullptr);

    // Fills the customer list and sets the defaults (on opening).
    void load();

    QComboBox *cmbCustomer;
    QListWidget *lstOrders;
    QListWidget *lstToInvoice;
    QPushButton *btnAdd;
    QPushButton *btnRemove;
    QDateEdit *dtInvoiceDate;
    QDateEdit *dtDueDate;
    QLineEdit *txtFreight;
    QLineEdit *txtMisc;
    QLineEdit *txtMemo;
    QPushButton *btnPrint;
    QPushButton *btnCancel;

private:
    void reset();
    void customerChosen();
    void moveOrder(QListWidget *from, QListWidget *to);
    void createClicked();
    // The amount in a money box, or a message naming the field.
    bool readAmount(QLineEdit *box, const QString &field, double &amount);
};

} // namespace invoicing
