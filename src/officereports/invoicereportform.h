#pragma once

// "Invoice Report": one invoice chosen by number, shown in the viewer.

#include <QWidget>

class QComboBox;
class QPushButton;

namespace officereports {

class InvoiceReportForm : public QWidget {
    Q_OBJECT
public:
    explicit InvoiceReportForm(QWidget *parent = nullptr);

    // Fills the invoice list, newest first (on opening).
    void load();

    QComboBox *cmbInvoice;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    void okClicked();
};

} // namespace officereports
