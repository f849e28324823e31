#include "catalogue/styletypeentry.h"

#include "catalogue/fieldbinding.h"
#include "catalogue/tabparts.h"
#include "core/formats.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/messages.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace catalogue {

namespace {
const FieldColumn<StyleTypeEntry> kColumns[] = {
    {&StyleTypeEntry::txtTypeDescription, "Description"},
    FieldColumn<StyleTypeEntry>::choice(&StyleTypeEntry::cmbTypeStatus, "Status"),
};
} // namespace

StyleTypeEntry::StyleTypeEntry(QWidget *parent) : QWidget(parent)
{
    cmbTypeID = makeList(this, "cmbTypeID", true);
    txtTypeDescription = makeField(this, "txtTypeDescription");
    cmbTypeStatus = makeList(this, "cmbTypeStatus", false);
    btnTypeSave = makeButton(this, "btnTypeSave", QStringLiteral("Save"));
    btnTypeExit = makeButton(this, "btnTypeExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("Type ID:"), cmbTypeID, this);
    addField(grid, 1, QStringLiteral("Description:"), txtTypeDescription, this);
    addField(grid, 2, QStringLiteral("Status:"), cmbTypeStatus, this);
    grid->setColumnMinimumWidth(1, 280);
    keepTogether(grid);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note(QStringLiteral("Types will define the category of the Style."), this));
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnTypeSave, btnTypeExit}));
    lockWhenReadOnly({btnTypeSave});

    connect(cmbTypeID, &QComboBox::editTextChanged, this, [this] { typeIdChanged(); });
    connect(btnTypeSave, &QPushButton::clicked, this, [this] { saveType(); });
}

void StyleTypeEntry::fill(const CatalogueLists &lists)
{
    txtTypeDescription->clear();
    fillList(cmbTypeStatus, activeInactive());
    fillList(cmbTypeID, lists.types);
}

void StyleTypeEntry::typeIdChanged()
{
    const QString id = core::typedKey(cmbTypeID->currentText());
    bool found = false;
    if (!id.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM StyleType WHERE ID = ")
                                                                  + data::sqlText(id));
                if (rs.isEmpty())
                    return;
                found = true;
                showColumns<StyleTypeEntry>(this, kColumns, rs);
            },
            this);
    if (!found)
        clearColumns<StyleTypeEntry>(this, kColumns);
}

void StyleTypeEntry::saveType()
{
    const QString id = core::typedKey(cmbTypeID->currentText());
    if (id.isEmpty() || txtTypeDescription->text().isEmpty() || chosenText(cmbTypeStatus).isEmpty()) {
        tell(this, kInvalidInformation, QStringLiteral("You must enter an ID, Description, and Status for the Type."));
        return;
    }
    ColumnValues values = columnValues<StyleTypeEntry>(this, kColumns);
    values.emplace_back(QStringLiteral("ID"), id);
    shell::reportingDbErrors(
        [&] {
            saveKeyedRow(data::sharedDatabase(), QStringLiteral("StyleType"), QStringLiteral("ID"), id, values);
            cmbTypeID->setEditText(QString());
            clearColumns<StyleTypeEntry>(this, kColumns);
            emit catalogueChanged();
        },
        this);
}

} // namespace catalogue
