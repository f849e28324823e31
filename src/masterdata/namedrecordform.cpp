#include "masterdata/namedrecordform.h"

#include "data/database.h"
#include "data/quoting.h"
#include "masterdata/formlayout.h"
#include "shell/clock.h"
#include "shell/cursor.h"
#include "shell/messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace masterdata {

NamedRecordForm::NamedRecordForm(Setup setup, QWidget *parent)
    : QWidget(parent)
    , m_setup(std::move(setup))
{
}

QComboBox *NamedRecordForm::makeNameList(const char *name)
{
    auto *list = named(new QComboBox(this), name);
    list->setEditable(true);
    // Typed text stays as typed: no completion, and Enter adds nothing to the list.
    list->setCompleter(nullptr);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setMinimumContentsLength(30);
    return list;
}

QComboBox *NamedRecordForm::makeStatusList()
{
    auto *list = named(new QComboBox(this), "cmbStatus");
    list->addItems({QStringLiteral("Active"), QStringLiteral("InActive")});
    list->setCurrentIndex(-1);
    return list;
}

void NamedRecordForm::connectControls()
{
    connect(m_name, &QComboBox::editTextChanged, this,
            [this] { shell::reportingDbErrors([this] { fillFromName(); }, this); });
    connect(m_save, &QPushButton::clicked, this, [this] { shell::reportingDbErrors([this] { save(); }, this); });
    connect(m_exit, &QPushButton::clicked, this, &QWidget::close);
}

void NamedRecordForm::load()
{
    shell::BusyCursor busy;
    data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                                                          .arg(m_setup.table, m_setup.nameColumn));
    const QSignalBlocker quiet(m_name);
    m_name->clear();
    for (; !rs.isEOF(); rs.moveNext())
        m_name->addItem(rs.text(m_setup.nameColumn));
    m_name->setCurrentIndex(-1);
    m_name->setEditText(QString());
}

void NamedRecordForm::fillFromName()
{
    const QString name = m_name->currentText();
    if (name.isEmpty())
        return;
    data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM %1 WHERE %2 = ")
                                                          .arg(m_setup.table, m_setup.nameColumn)
                                                      + data::sqlText(name));
    if (rs.isEmpty()) {
        for (const auto &[field, column] : m_fields)
            field->clear();
        m_status->setCurrentText(QStringLiteral("Active"));
        return;
    }
    for (const auto &[field, column] : m_fields)
        field->setText(rs.text(column));
    m_status->setCurrentIndex(m_status->findText(rs.text(QStringLiteral("Status")), Qt::MatchFixedString));
}

void NamedRecordForm::save()
{
    const QString name = m_name->currentText();
    if (name.isEmpty() || m_status->currentText().isEmpty()) {
        shell::showMessage(QStringLiteral("Required Fields"), m_setup.requiredMessage);
        return;
    }
    data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM %1 WHERE %2 = ")
                                                          .arg(m_setup.table, m_setup.nameColumn)
                                                      + data::sqlText(name));
    if (rs.isEmpty()) {
        rs.addNew();
        rs.setValue(QStringLiteral("DateAdded"), shell::currentDateTime());
    }
    rs.setValue(m_setup.nameColumn, name);
    for (const auto &[field, column] : m_fields)
        rs.setValue(column, field->text());
    rs.setValue(QStringLiteral("Status"), m_status->currentText());
    rs.update();
    close();
}

} // namespace masterdata
