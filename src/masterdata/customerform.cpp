#include "masterdata/customerform.h"

#include "shell/formlayout.h"

#include <QComboBox>

namespace masterdata {

CustomerForm::CustomerForm(QWidget *parent)
    : NamedRecordForm({QStringLiteral("Customer"), QStringLiteral("Customer"),
                       QStringLiteral("Customer Name and Status are required.")},
                      parent)
{
    setObjectName(QStringLiteral("frmCustomer"));
    setWindowTitle(QStringLiteral("Customer Entry/Edit"));

    cmbCustomer = makeNameList("cmbCustomer", QStringLiteral("Customer"));
    txtShipTo = addField("txtShipTo", QStringLiteral("ShipTo"));
    txtShipToAddress1 = addField("txtShipToAddress1", QStringLiteral("ShipToAddress1"));
    txtShipToAddress2 = addField("txtShipToAddress2", QStringLiteral("ShipToAddress2"));
    txtShipToCity = addField("txtShipToCity", QStringLiteral("ShipToCity"));
    txtShipToState = addField("txtShipToState", QStringLiteral("ShipToState"));
    txtShipToZip = addField("txtShipToZip", QStringLiteral("ShipToZip"));
    txtShipToPhone = addField("txtShipToPhone", QStringLiteral("ShipToPhone"));
    txtShipToFax = addField("txtShipToFax", QStringLiteral("ShipToFax"));
    txtShipToState->setMaximumWidth(50);
    txtShipToZip->setMaximumWidth(90);

    shell::addFormRow(grid(), QStringLiteral("Status"), {cmbStatus});
    shell::addFormRow(grid(), QStringLiteral("Ship To"), {txtShipTo});
    shell::addFormRow(grid(), QStringLiteral("Ship To Address 1"), {txtShipToAddress1});
    shell::addFormRow(grid(), QStringLiteral("Ship To Address 2"), {txtShipToAddress2});
    shell::addFormRow(grid(), QStringLiteral("Ship To City/St/Zip"), {txtShipToCity, txtShipToState, txtShipToZip});
    shell::addFormRow(grid(), QStringLiteral("Ship To Phone"), {txtShipToPhone});
    shell::addFormRow(grid(), QStringLiteral("Ship To Fax"), {txtShipToFax});
    finish();
}

} // namespace masterdata
