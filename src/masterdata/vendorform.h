#pragma once

#include "masterdata/namedrecordform.h"

namespace masterdata {

// frmVendor: the foam suppliers that buns refer to by name.
class VendorForm : public NamedRecordForm {
    Q_OBJECT
public:
    explicit VendorForm(QWidget *parent = nullptr);

    QComboBox *cmbVendor;
    QLineEdit *txtContact;
};

} // namespace masterdata
