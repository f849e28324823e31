#include "catalogue/variablesentry.h"

#include "catalogue/fieldbinding.h"
#include "catalogue/tabparts.h"
#include "core/formats.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/messages.h"
#include "shell/typeahead.h"
#include "shell/named.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace catalogue {

namespace {
using Column = FieldColumn<VariablesEntry>;
// The first two must be given; the other two may be left empty (stored as null).
const Column kColumns[] = {
    Column::number(&VariablesEntry::txtLaborCostPerHour, "LaborCostPerHour", 2, true),
    Column::number(&VariablesEntry::txtNonArmsPerHour, "NonArmPerHour", 0, true),
    Column::number(&VariablesEntry::txtSLNonArmsPerHour, "SprayLineNonArmPerHour", 0, true),
    Column::number(&VariablesEntry::txtLaborPercent, "LaborPercent", 2, true),
};
const char *const kOptionalNames[] = {"Sprayline Non-Arms / Hour", "Labor Percent"};
} // namespace

VariablesEntry::VariablesEntry(QWidget *parent) : QWidget(parent)
{
    using shell::named;
    auto *variables = named(new QGroupBox(QStringLiteral("Variables"), this), "fraVariables");
    txtLaborCostPerHour = makeField(variables, "txtLaborCostPerHour", 120);
    shell::attachSelectOnFocus(txtLaborCostPerHour);
    txtNonArmsPerHour = makeField(variables, "txtNonArmsPerHour", 120);
    txtSLNonArmsPerHour = makeField(variables, "txtSLNonArmsPerHour", 120);
    txtLaborPercent = makeField(variables, "txtLaborPercent", 120);
    {
        auto *grid = new QGridLayout(variables);
        addField(grid, 0, QStringLiteral("Labor Cost / Hour:"), txtLaborCostPerHour, variables);
        addField(grid, 1, QStringLiteral("Glueline Non-Arms / Hour:"), txtNonArmsPerHour, variables);
        addField(grid, 2, QStringLiteral("Sprayline Non-Arms / Hour:"), txtSLNonArmsPerHour, variables);
        addField(grid, 3, QStringLiteral("Labor Percent:"), txtLaborPercent, variables);
        grid->setRowStretch(4, 1);
        keepTogether(grid);
    }
    auto *plants = named(new QGroupBox(QStringLiteral("Plants"), this), "fraPlants");
    txtPlant = makeField(plants, "txtPlant");
    btnAddPlant = makeButton(plants, "btnAddPlant", QStringLiteral("Add"));
    lstPlant = named(new QListWidget(plants), "lstPlant");
    {
        auto *row = new QHBoxLayout;
        row->addWidget(txtPlant, 1);
        row->addWidget(btnAddPlant);
        auto *layout = new QVBoxLayout(plants);
        layout->addLayout(row);
        layout->addWidget(lstPlant, 1);
    }
    btnVariableSave = makeButton(this, "btnVariableSave", QStringLiteral("Save"));
    btnVariableExit = makeButton(this, "btnVariableExit", QStringLiteral("Exit"));

    auto *frames = new QHBoxLayout;
    frames->addWidget(variables, 1);
    frames->addWidget(plants, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note(QStringLiteral("Enter Variables to be used throughout the software."), this));
    layout->addLayout(frames, 1);
    layout->addLayout(buttonRow({btnVariableSave, btnVariableExit}));
    lockWhenReadOnly({btnVariableSave, btnAddPlant});

    connect(btnVariableSave, &QPushButton::clicked, this, [this] { saveVariables(); });
    connect(btnAddPlant, &QPushButton::clicked, this, [this] { addPlant(); });
    connect(txtPlant, &QLineEdit::returnPressed, this, [this] { addPlant(); });
}

void VariablesEntry::fill(const CatalogueLists &lists)
{
    data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM Data WHERE ID = 'Data'"));
    if (!rs.isEmpty())
        showColumns<VariablesEntry>(this, kColumns, rs);
    txtPlant->clear();
    lstPlant->clear();
    lstPlant->addItems(lists.plants);
}

void VariablesEntry::saveVariables()
{
    const std::optional<double> labor = fieldNumber(txtLaborCostPerHour->text(), std::nullopt);
    const std::optional<double> nonArms = fieldNumber(txtNonArmsPerHour->text(), std::nullopt);
    if (!labor || !nonArms) {
        tell(this, kInvalidInformation,
             QStringLiteral("You must enter a Labor Cost Per Hour and Non-Arms Per Hour before saving."));
        return;
    }
    ColumnValues values = {{QStringLiteral("ID"), QStringLiteral("Data")},
                           {QLatin1String(kColumns[0].column), *labor},
                           {QLatin1String(kColumns[1].column), *nonArms}};
    for (int i = 0; i < 2; ++i) {
        const Column &c = kColumns[2 + i];
        QLineEdit *field = this->*c.field;
        QVariant value;
        if (!field->text().trimmed().isEmpty()) {
            const std::optional<double> number = numberField(this, field, QLatin1String(kOptionalNames[i]));
            if (!number)
                return;
            value = *number;
        }
        values.emplace_back(QLatin1String(c.column), value);
    }
    shell::reportingDbErrors(
        [&] {
            saveKeyedRow(data::sharedDatabase(), QStringLiteral("Data"), QStringLiteral("ID"), QStringLiteral("Data"),
                         values);
            emit catalogueChanged();
        },
        this);
}

void VariablesEntry::addPlant()
{
    const QString name = core::typedKey(txtPlant->text());
    if (name.isEmpty()) {
        tell(this, QStringLiteral("No Data Entered"), QStringLiteral("You must enter a Plant before clicking Add."));
        return;
    }
    // The same name in the same letter case is there already.
    for (int i = 0; i < lstPlant->count(); ++i)
        if (lstPlant->item(i)->text() == name)
            return;
    shell::reportingDbErrors(
        [&] {
            data::sharedDatabase().execute(QStringLiteral("INSERT INTO Plants (Name) VALUES(") + data::sqlText(name)
                                           + QLatin1Char(')'));
            txtPlant->clear();
            emit catalogueChanged();
        },
        this);
}

} // namespace catalogue
