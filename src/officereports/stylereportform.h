#pragma once

// "Style Selection": narrows the style report to one customer, one style
// name of that customer and one type of that style, or leaves any of them at
// its "***All ...***" entry.

#include <QWidget>

class QComboBox;
class QPushButton;

namespace data {
class Database;
} // namespace data

namespace officereports {

class StyleReportForm : public QWidget {
    Q_OBJECT
public:
    explicit StyleReportForm(QWidget *parent = nullptr);

    // Fills the customer list (on opening).
    void load();

    QComboBox *cmbCustomer;
    QComboBox *cmbStyle;
    QComboBox *cmbType;
    QPushButton *btnPrint;
    QPushButton *btnCancel;

private:
    void customerChosen();
    void styleChosen();
    void printClicked();
    data::Database &db();
};

} // namespace officereports
