#include "masterdata/vendorform.h"

#include "masterdata/formlayout.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace masterdata {

VendorForm::VendorForm(QWidget *parent)
    : NamedRecordForm({QStringLiteral("Vendor"), QStringLiteral("Vendor"),
                       QStringLiteral("Vendor Name and Status are required.")},
                      parent)
{
    setObjectName(QStringLiteral("frmVendor"));
    setWindowTitle(QStringLiteral("Vendor Entry/Edit"));

    cmbVendor = makeNameList("cmbVendor");
    txtAddress1 = textField(this, "txtAddress1");
    txtAddress2 = textField(this, "txtAddress2");
    txtCity = textField(this, "txtCity");
    txtState = textField(this, "txtState");
    txtZip = textField(this, "txtZip");
    txtPhone = textField(this, "txtPhone");
    txtFax = textField(this, "txtFax");
    txtContact = textField(this, "txtContact");
    cmbStatus = makeStatusList();
    btnSave = named(new QPushButton(QStringLiteral("Save And Close"), this), "btnSave");
    btnExit = named(new QPushButton(QStringLiteral("Exit"), this), "btnExit");
    txtState->setMaximumWidth(50);
    txtZip->setMaximumWidth(90);

    auto *grid = new QGridLayout;
    addFormRow(grid, QStringLiteral("Vendor"), {cmbVendor});
    addFormRow(grid, QStringLiteral("Address 1"), {txtAddress1});
    addFormRow(grid, QStringLiteral("Address 2"), {txtAddress2});
    addFormRow(grid, QStringLiteral("City/St/Zip"), {txtCity, txtState, txtZip});
    addFormRow(grid, QStringLiteral("Phone"), {txtPhone});
    addFormRow(grid, QStringLiteral("Fax"), {txtFax});
    addFormRow(grid, QStringLiteral("Contact"), {txtContact});
    addFormRow(grid, QStringLiteral("Status"), {cmbStatus});
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    m_name = cmbVendor;
    m_status = cmbStatus;
    m_save = btnSave;
    m_exit = btnExit;
    m_fields = {
        {txtAddress1, QStringLiteral("Address1")}, {txtAddress2, QStringLiteral("Address2")},
        {txtCity, QStringLiteral("City")},         {txtState, QStringLiteral("State")},
        {txtZip, QStringLiteral("Zip")},           {txtPhone, QStringLiteral("Phone")},
        {txtFax, QStringLiteral("Fax")},           {txtContact, QStringLiteral("Contact")},
    };
    // The state field is the one that does not select itself on focus.
    for (const auto &[field, column] : m_fields)
        if (field != txtState)
            shell::attachSelectOnFocus(field);
    connectControls();
}

} // namespace masterdata
