#pragma once

#include "masterdata/namedrecordform.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace masterdata {

// frmCustomer: customers with their billing address and the default ship-to
// block that order entry copies into new orders.
class CustomerForm : public NamedRecordForm {
    Q_OBJECT
public:
    explicit CustomerForm(QWidget *parent = nullptr);

    QComboBox *cmbCustomer;
    QLineEdit *txtAddress1, *txtAddress2, *txtCity, *txtState, *txtZip, *txtPhone, *txtFax;
    QComboBox *cmbStatus;
    QLineEdit *txtShipTo, *txtShipToAddress1, *txtShipToAddress2, *txtShipToCity, *txtShipToState, *txtShipToZip,
        *txtShipToPhone, *txtShipToFax;
    QPushButton *btnSave, *btnExit;
};

} // namespace masterdata
