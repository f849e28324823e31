#include "masterdata/namedrecordform.h"

#include "core/formats.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/formlayout.h"
#include "core/clock.h"
#include "core/cursor.h"
#include "shell/messages.h"
#include "shell/typeahead.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace masterdata {

NamedRecordForm::NamedRecordForm(Setup setup, QWidget *parent) : QWidget(parent), m_setup(std::move(setup)) {}

QComboBox *NamedRecordForm::makeNameList(const char *name, const QString &label)
{
    m_name = shell::named(new QComboBox(this), name);
    m_name->setEditable(true);
    // Typed text stays as typed: no completion, and Enter adds nothing to the list.
    m_name->setCompleter(nullptr);
    m_name->setInsertPolicy(QComboBox::NoInsert);
    m_name->setMinimumContentsLength(30);

    txtAddress1 = addField("txtAddress1", QStringLiteral("Address1"));
    txtAddress2 = addField("txtAddress2", QStringLiteral("Address2"));
    txtCity = addField("txtCity", QStringLiteral("City"));
    txtState = addField("txtState", QStringLiteral("State"));
    txtZip = addField("txtZip", QStringLiteral("Zip"));
    txtPhone = addField("txtPhone", QStringLiteral("Phone"));
    txtFax = addField("txtFax", QStringLiteral("Fax"));
    cmbStatus = shell::named(new QComboBox(this), "cmbStatus");
    cmbStatus->addItems({QStringLiteral("Active"), QStringLiteral("InActive")});
    cmbStatus->setCurrentIndex(-1);
    btnSave = shell::named(new QPushButton(QStringLiteral("Save And Close"), this), "btnSave");
    btnExit = shell::named(new QPushButton(QStringLiteral("Exit"), this), "btnExit");
    txtState->setMaximumWidth(50);
    txtZip->setMaximumWidth(90);

    m_grid = new QGridLayout;
    shell::addFormRow(m_grid, label, {m_name});
    shell::addFormRow(m_grid, QStringLiteral("Address 1"), {txtAddress1});
    shell::addFormRow(m_grid, QStringLiteral("Address 2"), {txtAddress2});
    shell::addFormRow(m_grid, QStringLiteral("City/St/Zip"), {txtCity, txtState, txtZip});
    shell::addFormRow(m_grid, QStringLiteral("Phone"), {txtPhone});
    shell::addFormRow(m_grid, QStringLiteral("Fax"), {txtFax});
    return m_name;
}

QLineEdit *NamedRecordForm::addField(const char *name, const QString &column)
{
    QLineEdit *field = shell::textField(this, name);
    m_fields.emplace_back(field, column);
    return field;
}

void NamedRecordForm::finish(const QList<QLineEdit *> &noSelectOnFocus)
{
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_grid);
    layout->addStretch();
    layout->addLayout(shell::buttonRow({btnSave, btnExit}));
    shell::setTabOrderFromGrid(m_grid, {btnSave, btnExit});

    for (const auto &[field, column] : m_fields)
        if (!noSelectOnFocus.contains(field))
            shell::attachSelectOnFocus(field);
    connect(m_name, &QComboBox::editTextChanged, this,
            [this] { shell::reportingDbErrors([this] { fillFromName(); }, this); });
    connect(btnSave, &QPushButton::clicked, this, [this] { shell::reportingDbErrors([this] { save(); }, this); });
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
}

void NamedRecordForm::load()
{
    core::BusyCursor busy;
    data::Recordset rs = data::sharedDatabase().query(
        QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(m_setup.table, m_setup.nameColumn));
    const QSignalBlocker quiet(m_name);
    m_name->clear();
    for (; !rs.isEOF(); rs.moveNext())
        m_name->addItem(rs.text(m_setup.nameColumn));
    m_name->setCurrentIndex(-1);
    m_name->setEditText(QString());
    m_edits.markSaved();
}

void NamedRecordForm::fillFromName()
{
    const QString name = core::typedKey(m_name->currentText());
    if (name.isEmpty())
        return;
    data::Recordset rs = data::sharedDatabase().query(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = ").arg(m_setup.table, m_setup.nameColumn) + data::sqlText(name));
    if (rs.isEmpty()) {
        for (const auto &[field, column] : m_fields)
            field->clear();
        cmbStatus->setCurrentText(QStringLiteral("Active"));
        return;
    }
    for (const auto &[field, column] : m_fields)
        field->setText(rs.text(column));
    cmbStatus->setCurrentIndex(cmbStatus->findText(rs.text(QStringLiteral("Status")), Qt::MatchFixedString));
    m_edits.markSaved();
}

void NamedRecordForm::save()
{
    const QString name = core::typedKey(m_name->currentText());
    if (name.isEmpty() || cmbStatus->currentText().isEmpty()) {
        shell::showMessage(QStringLiteral("Required Fields"), m_setup.requiredMessage);
        return;
    }
    data::Recordset rs = data::sharedDatabase().query(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = ").arg(m_setup.table, m_setup.nameColumn) + data::sqlText(name));
    if (rs.isEmpty()) {
        rs.addNew();
        rs.setValue(QStringLiteral("DateAdded"), core::currentDateTime());
    }
    rs.setValue(m_setup.nameColumn, name);
    for (const auto &[field, column] : m_fields)
        rs.setValue(column, field->text());
    rs.setValue(QStringLiteral("Status"), cmbStatus->currentText());
    rs.update();
    close();
}

} // namespace masterdata
