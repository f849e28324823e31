#include "masterdata/companyform.h"

#include "data/database.h"
#include "shell/formlayout.h"
#include "core/companysettings.h"
#include "core/cursor.h"
#include "shell/defaultbutton.h"
#include "core/formats.h"
#include "shell/messages.h"
#include "core/permissions.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace masterdata {

namespace {
// The Company columns of the plain text fields.
using Column = shell::FieldColumn<CompanyForm>;
const Column kTextColumns[] = {
    {&CompanyForm::txtCompany, "Name"},
    {&CompanyForm::txtAddress1, "Address1"},
    {&CompanyForm::txtAddress2, "Address2"},
    {&CompanyForm::txtCity, "City"},
    {&CompanyForm::txtZip, "Zip"},
    {&CompanyForm::txtEmail, "Email"},
    {&CompanyForm::txtWebsite, "Website"},
    {&CompanyForm::txtTaxID, "TaxID"},
    {&CompanyForm::txtKeyPressDelay, "KeyPressDelay"},
};
} // namespace

CompanyForm::CompanyForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmSetup"));
    setWindowTitle(QStringLiteral("Setup"));

    txtCompany = shell::textField(this, "txtCompany", 50);
    shell::buildAddressFields(this, *this);
    txtWebsite = shell::textField(this, "txtWebsite", 50);
    txtTaxID = shell::textField(this, "txtTaxID", 50);
    txtKeyPressDelay = shell::textField(this, "txtKeyPressDelay", 50);
    txtKeyPressDelay->setMaximumWidth(80);
    btnSave = shell::named(new QPushButton(QStringLiteral("Save And Close"), this), "btnSave");
    btnExit = shell::named(new QPushButton(QStringLiteral("Exit"), this), "btnExit");

    auto *frame = new QGroupBox(QStringLiteral("Company Info"), this);
    auto *grid = new QGridLayout(frame);
    shell::addFormRow(grid, QStringLiteral("Company"), {txtCompany});
    shell::addAddressRows(grid, *this);
    shell::addFormRow(grid, QStringLiteral("Website"), {txtWebsite});
    shell::addFormRow(grid, QStringLiteral("Tax ID"), {txtTaxID});
    auto *seconds = new QLabel(QStringLiteral("(Seconds)"), this);
    shell::addFormRow(grid, QStringLiteral("Keypress Delay"), {txtKeyPressDelay, seconds});
    static_cast<QHBoxLayout *>(grid->itemAtPosition(grid->rowCount() - 1, 1)->layout())->addStretch();
    grid->setColumnMinimumWidth(1, 280);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(shell::buttonRow({btnSave, btnExit}));
    shell::setTabOrderFromGrid(grid, {btnSave, btnExit});

    for (QLineEdit *field :
         {txtCompany, txtAddress1, txtAddress2, txtCity, txtZip, txtPhone, txtFax, txtEmail, txtWebsite, txtTaxID})
        shell::attachSelectOnFocus(field);
    shell::attachDefaultButton(this, btnSave);
    connect(btnSave, &QPushButton::clicked, this, [this] { shell::reportingDbErrors([this] { save(); }, this); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
}

void CompanyForm::load()
{
    core::BusyCursor busy;
    data::Database &db = data::sharedDatabase();
    cmbState->clear();
    for (data::Recordset states = db.query(QStringLiteral("SELECT State FROM State ORDER BY State")); !states.isEOF();
         states.moveNext())
        cmbState->addItem(states.text(QStringLiteral("State")));

    data::Recordset rs = db.query(QStringLiteral("SELECT TOP 1 * FROM Company"));
    const bool empty = rs.isEmpty();
    for (const Column &c : kTextColumns)
        (this->*c.field)->setText(empty ? QString() : rs.text(QLatin1String(c.column)));
    shell::setMaskedText(txtPhone, empty ? QString() : rs.text(QStringLiteral("Phone")));
    shell::setMaskedText(txtFax, empty ? QString() : rs.text(QStringLiteral("Fax")));
    cmbState->setCurrentIndex(empty ? -1 : cmbState->findText(rs.text(QStringLiteral("State")), Qt::MatchFixedString));
    m_edits.markSaved();
}

void CompanyForm::save()
{
    if (!core::CheckPermission(QStringLiteral("Company Info"))) {
        shell::showWarning(QStringLiteral("Invalid Permission"),
                           QStringLiteral("You do not have permission to save this record."), this);
        return;
    }
    if (txtCompany->text().isEmpty()) {
        shell::showMessage(QStringLiteral("Required Fields"), QStringLiteral("Name is Required."));
        return;
    }
    data::Database &db = data::sharedDatabase();
    data::Recordset rs = db.query(QStringLiteral("SELECT TOP 1 * FROM Company"));
    if (rs.isEmpty())
        rs.addNew();
    for (const Column &c : kTextColumns)
        rs.setValue(QLatin1String(c.column), (this->*c.field)->text());
    rs.setValue(QStringLiteral("State"), cmbState->currentText());
    rs.setValue(QStringLiteral("Phone"), shell::maskedText(txtPhone));
    rs.setValue(QStringLiteral("Fax"), shell::maskedText(txtFax));
    rs.update();
    close();
    core::LoadCompanySettings(db);
}

} // namespace masterdata
