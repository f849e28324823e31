#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace catalogue {

// frmStylePriceChange, "Style Price Change": changes the prices of chosen
// styles of one customer by a rate in one statement.
class StylePriceChangeForm : public QWidget {
    Q_OBJECT
public:
    explicit StylePriceChangeForm(QWidget *parent = nullptr);

    // Fills the customers that have styles. Throws data::DbError.
    void load();

    QComboBox *cmbCustomer = nullptr;
    QListWidget *lstItem = nullptr;
    QListWidget *lstID = nullptr;
    QPushButton *btnSelectAll = nullptr;
    QPushButton *btnSelectNone = nullptr;
    QLineEdit *txtAmount = nullptr;
    QLabel *lblPercent = nullptr; // the rate as a percentage, as typed
    QPushButton *btnOK = nullptr;
    QPushButton *btnCancel = nullptr;

private:
    void customerChosen();
    void apply();
};

} // namespace catalogue
