#pragma once

#include "masterdata/namedrecordform.h"

namespace masterdata {

// frmCustomer: customers with their billing address and the default ship-to
// block that order entry copies into new orders.
class CustomerForm : public NamedRecordForm {
    Q_OBJECT
public:
    explicit CustomerForm(QWidget *parent = nullptr);

    QComboBox *cmbCustomer;
    QLineEdit *txtShipTo, *txtShipToAddress1, *txtShipToAddress2, *txtShipToCity, *txtShipToState, *txtShipToZip,
        *txtShipToPhone, *txtShipToFax;
};

} // namespace masterdata
