#pragma once

#include "shell/formlayout.h"
#include "shell/unsavedchanges.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace masterdata {

// frmSetup: the company's name, address and contact data that report headings
// print. Saving needs the "Company Info" permission and reloads the company
// settings of the run at once.
class CompanyForm : public QWidget, public shell::AddressFields, public shell::UnsavedChanges {
    Q_OBJECT
public:
    explicit CompanyForm(QWidget *parent = nullptr);
    // Fills the state list and the fields from the Company row.
    void load();
    // A field was edited since the company was loaded.
    bool hasUnsavedChanges() const override { return m_edits.changed(); }

    QLineEdit *txtCompany;
    // txtAddress1 ... txtEmail, cmbState: AddressFields
    QLineEdit *txtWebsite, *txtTaxID, *txtKeyPressDelay;
    QPushButton *btnSave, *btnExit;

private:
    void save();

    shell::SavedState m_edits{this};
};

} // namespace masterdata
