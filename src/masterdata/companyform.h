#pragma once

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace masterdata {

// frmSetup: the company's name, address and contact data that report headings
// print. Saving needs the "Company Info" permission and reloads the company
// settings of the run at once.
class CompanyForm : public QWidget {
    Q_OBJECT
public:
    explicit CompanyForm(QWidget *parent = nullptr);
    // Fills the state list and the fields from the Company row.
    void load();

    QLineEdit *txtCompany, *txtAddress1, *txtAddress2, *txtCity;
    QComboBox *cmbState;
    QLineEdit *txtZip, *txtPhone, *txtFax, *txtEmail, *txtWebsite, *txtTaxID, *txtKeyPressDelay;
    QPushButton *btnSave, *btnExit;

private:
    void save();
};

} // namespace masterdata
