#include "catalogue/copystyleform.h"

#include "catalogue/cataloguestore.h"
#include "catalogue/formfields.h"
#include "catalogue/tabparts.h"
#include "core/cursor.h"
#include "core/formats.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/defaultbutton.h"
#include "shell/messages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace catalogue {

CopyStyleForm::CopyStyleForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCopyStyle"));
    setWindowTitle(QStringLiteral("Copy Style"));
    txtSource = makeField(this, "txtSource");
    txtSource->setReadOnly(true);
    txtSource->setFocusPolicy(Qt::NoFocus);
    txtStyleID = makeField(this, "txtStyleID");
    txtStyleID->hide();
    txtName = makeField(this, "txtName");
    txtName->setMinimumWidth(180);
    cmbType = makeList(this, "cmbType", false);
    btnSave = makeButton(this, "btnSave", QStringLiteral("Save"));
    btnCancel = makeButton(this, "btnCancel", QStringLiteral("Cancel"));

    auto *grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("Source Style:"), txtSource, this, 2);
    addField(grid, 1, QStringLiteral("New Style/Type:"), txtName, this);
    grid->addWidget(cmbType, 1, 2);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnSave, btnCancel}));
    setTabOrder(txtName, cmbType);
    setTabOrder(cmbType, btnSave);
    setTabOrder(btnSave, btnCancel);

    connect(btnSave, &QPushButton::clicked, this, [this] { save(); });
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    // Enter saves the copy from any field; Escape does what "Cancel" does.
    shell::attachDefaultButton(this, btnSave);
    shell::attachCancelButton(this, btnCancel);
}

void CopyStyleForm::load()
{
    fillList(cmbType, loadCatalogueLists(data::sharedDatabase()).types);
}

void CopyStyleForm::setSource(const QString &styleText, const QString &styleId)
{
    txtSource->setText(styleText);
    txtStyleID->setText(styleId);
    txtName->setFocus();
}

void CopyStyleForm::save()
{
    const QString name = core::typedKey(txtName->text());
    const QString type = chosenText(cmbType);
    if (name.isEmpty() || type.isEmpty()) {
        tell(this, QStringLiteral("Invalid Info"), QStringLiteral("You must enter a name and type before saving."));
        return;
    }
    bool taken = false;
    std::optional<qint64> copy;
    QString customer;
    const bool done = shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            // Checked again inside the copy, which refuses a name taken meanwhile.
            taken = styleNameTaken(db, name, type);
            if (taken)
                return;
            core::BusyCursor busy;
            copy = copyStyle(db, txtStyleID->text().toLongLong(), name, type);
            taken = !copy && styleNameTaken(db, name, type);
            if (copy)
                customer = db.query(QStringLiteral("SELECT Customer FROM Style WHERE ID = ") + data::sqlNumber(*copy))
                               .text(QStringLiteral("Customer"));
        },
        this);
    if (!done)
        return;
    if (taken) {
        tell(this, QStringLiteral("Invalid Name"),
             QStringLiteral("A Style with the same name already exists, please enter a different name."));
        txtName->setFocus();
        txtName->selectAll();
        return;
    }
    if (!copy) {
        tell(this, QStringLiteral("Copy Style"),
             QStringLiteral("The source style no longer exists. Nothing was copied."));
        return;
    }
    emit styleCopied(customer, name + QLatin1Char('-') + type);
    close();
}

} // namespace catalogue
