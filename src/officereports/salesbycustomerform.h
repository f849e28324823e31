#pragma once

// "Sales By Customer Report": the range of order dates and whether to show
// each style, then the report in the viewer.

#include <QWidget>

class QCheckBox;
class QDateEdit;
class QPushButton;

namespace officereports {

class SalesByCustomerForm : public QWidget {
    Q_OBJECT
public:
    explicit SalesByCustomerForm(QWidget *parent = nullptr);

    QDateEdit *dtStart;
    QDateEdit *dtEnd;
    QCheckBox *chkDetail;
    QPushButton *btnOK;
    QPushButton *btnCancel;

private:
    void okClicked();
};

} // namespace officereports
