#include "masterdata/customerform.h"

#include "masterdata/formlayout.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace masterdata {

CustomerForm::CustomerForm(QWidget *parent)
    : NamedRecordForm({QStringLiteral("Customer"), QStringLiteral("Customer"),
                       QStringLiteral("Customer Name and Status are required.")},
                      parent)
{
    setObjectName(QStringLiteral("frmCustomer"));
    setWindowTitle(QStringLiteral("Customer Entry/Edit"));

    cmbCustomer = makeNameList("cmbCustomer");
    txtAddress1 = textField(this, "txtAddress1");
    txtAddress2 = textField(this, "txtAddress2");
    txtCity = textField(this, "txtCity");
    txtState = textField(this, "txtState");
    txtZip = textField(this, "txtZip");
    txtPhone = textField(this, "txtPhone");
    txtFax = textField(this, "txtFax");
    cmbStatus = makeStatusList();
    txtShipTo = textField(this, "txtShipTo");
    txtShipToAddress1 = textField(this, "txtShipToAddress1");
    txtShipToAddress2 = textField(this, "txtShipToAddress2");
    txtShipToCity = textField(this, "txtShipToCity");
    txtShipToState = textField(this, "txtShipToState");
    txtShipToZip = textField(this, "txtShipToZip");
    txtShipToPhone = textField(this, "txtShipToPhone");
    txtShipToFax = textField(this, "txtShipToFax");
    btnSave = named(new QPushButton(QStringLiteral("Save And Close"), this), "btnSave");
    btnExit = named(new QPushButton(QStringLiteral("Exit"), this), "btnExit");
    for (QLineEdit *state : {txtState, txtShipToState})
        state->setMaximumWidth(50);
    for (QLineEdit *zip : {txtZip, txtShipToZip})
        zip->setMaximumWidth(90);

    auto *grid = new QGridLayout;
    addFormRow(grid, QStringLiteral("Customer"), {cmbCustomer});
    addFormRow(grid, QStringLiteral("Address 1"), {txtAddress1});
    addFormRow(grid, QStringLiteral("Address 2"), {txtAddress2});
    addFormRow(grid, QStringLiteral("City/St/Zip"), {txtCity, txtState, txtZip});
    addFormRow(grid, QStringLiteral("Phone"), {txtPhone});
    addFormRow(grid, QStringLiteral("Fax"), {txtFax});
    addFormRow(grid, QStringLiteral("Status"), {cmbStatus});
    addFormRow(grid, QStringLiteral("Ship To"), {txtShipTo});
    addFormRow(grid, QStringLiteral("Ship To Address 1"), {txtShipToAddress1});
    addFormRow(grid, QStringLiteral("Ship To Address 2"), {txtShipToAddress2});
    addFormRow(grid, QStringLiteral("Ship To City/St/Zip"), {txtShipToCity, txtShipToState, txtShipToZip});
    addFormRow(grid, QStringLiteral("Ship To Phone"), {txtShipToPhone});
    addFormRow(grid, QStringLiteral("Ship To Fax"), {txtShipToFax});
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave);
    buttons->addWidget(btnExit);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    m_name = cmbCustomer;
    m_status = cmbStatus;
    m_save = btnSave;
    m_exit = btnExit;
    m_fields = {
        {txtAddress1, QStringLiteral("Address1")},
        {txtAddress2, QStringLiteral("Address2")},
        {txtCity, QStringLiteral("City")},
        {txtState, QStringLiteral("State")},
        {txtZip, QStringLiteral("Zip")},
        {txtPhone, QStringLiteral("Phone")},
        {txtFax, QStringLiteral("Fax")},
        {txtShipTo, QStringLiteral("ShipTo")},
        {txtShipToAddress1, QStringLiteral("ShipToAddress1")},
        {txtShipToAddress2, QStringLiteral("ShipToAddress2")},
        {txtShipToCity, QStringLiteral("ShipToCity")},
        {txtShipToState, QStringLiteral("ShipToState")},
        {txtShipToZip, QStringLiteral("ShipToZip")},
        {txtShipToPhone, QStringLiteral("ShipToPhone")},
        {txtShipToFax, QStringLiteral("ShipToFax")},
    };
    for (const auto &[field, column] : m_fields)
        shell::attachSelectOnFocus(field);
    connectControls();
}

} // namespace masterdata
