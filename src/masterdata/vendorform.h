#pragma once

#include "masterdata/namedrecordform.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace masterdata {

// frmVendor: the foam suppliers that buns refer to by name.
class VendorForm : public NamedRecordForm {
    Q_OBJECT
public:
    explicit VendorForm(QWidget *parent = nullptr);

    QComboBox *cmbVendor;
    QLineEdit *txtAddress1, *txtAddress2, *txtCity, *txtState, *txtZip, *txtPhone, *txtFax, *txtContact;
    QComboBox *cmbStatus;
    QPushButton *btnSave, *btnExit;
};

} // namespace masterdata
