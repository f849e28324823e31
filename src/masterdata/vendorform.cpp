#include "masterdata/vendorform.h"

#include "shell/formlayout.h"

#include <QComboBox>

namespace masterdata {

VendorForm::VendorForm(QWidget *parent)
    : NamedRecordForm(
        {QStringLiteral("Vendor"), QStringLiteral("Vendor"), QStringLiteral("Vendor Name and Status are required.")},
        parent)
{
    setObjectName(QStringLiteral("frmVendor"));
    setWindowTitle(QStringLiteral("Vendor Entry/Edit"));

    cmbVendor = makeNameList("cmbVendor", QStringLiteral("Vendor"));
    txtContact = addField("txtContact", QStringLiteral("Contact"));
    shell::addFormRow(grid(), QStringLiteral("Contact"), {txtContact});
    shell::addFormRow(grid(), QStringLiteral("Status"), {cmbStatus});
    // Every field but the state selects its whole text on focus.
    finish({txtState});
}

} // namespace masterdata
