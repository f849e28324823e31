#pragma once

// "Receive Payment": a payment, an adjustment or both against an invoice,
// with the invoice's open balance and the balance left after them.

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace invoicing {

class ReceivePaymentForm : public QWidget {
    Q_OBJECT
public:
    explicit ReceivePaymentForm(QWidget *parent = nullptr);

    // Fills the invoice list (on opening).
    void load();

    QComboBox *cmbInvoice;
    QDateEdit *dtDate;
    QLineEdit *txtInvoiceBalance;
    QLineEdit *txtPaymentAmount;
    QLineEdit *txtAdjustments;
    QLineEdit *txtNewBalance;
    QPushButton *btnSave;
    QPushButton *btnExit;

private:
    void clearAmounts();
    void invoiceChosen();
    void amountLeft(QLineEdit *box);
    void recompute();
    void saveClicked();

    double m_balance = 0;
};

} // namespace invoicing
