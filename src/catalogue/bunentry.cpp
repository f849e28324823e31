#include "catalogue/bunentry.h"

#include "catalogue/fieldbinding.h"
#include "catalogue/tabparts.h"
#include "core/formats.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/messages.h"
#include "shell/named.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace catalogue {

namespace {
using Column = FieldColumn<BunEntry>;
// A size that is not a number is saved as 0.
const Column kColumns[] = {
    Column::flag(&BunEntry::chkOffAll, "OffAll"),
    Column::number(&BunEntry::txtBunWidth, "Width", 2, true),
    Column::number(&BunEntry::txtBunLength, "Length", 2, true),
    {&BunEntry::txtBunGrade, "Grade"},
    Column::choice(&BunEntry::cmbBunStatus, "Status"),
    Column::choice(&BunEntry::cmbBunVendor, "Vendor"),
};
} // namespace

BunEntry::BunEntry(QWidget *parent) : QWidget(parent)
{
    cmbBunID = makeList(this, "cmbBunID", true);
    chkOffAll = shell::named(new QCheckBox(QStringLiteral("\"Off All\""), this), "chkOffAll");
    txtBunWidth = makeField(this, "txtBunWidth", 100);
    txtBunLength = makeField(this, "txtBunLength", 100);
    txtBunGrade = makeField(this, "txtBunGrade");
    cmbBunVendor = makeList(this, "cmbBunVendor", false);
    cmbBunStatus = makeList(this, "cmbBunStatus", false);
    btnBunSave = makeButton(this, "btnBunSave", QStringLiteral("Save"));
    btnBunExit = makeButton(this, "btnBunExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("Bun ID:"), cmbBunID, this);
    grid->addWidget(chkOffAll, 0, 2);
    addField(grid, 1, QStringLiteral("Width:"), txtBunWidth, this);
    addField(grid, 2, QStringLiteral("Length:"), txtBunLength, this);
    addField(grid, 3, QStringLiteral("Grade:"), txtBunGrade, this);
    addField(grid, 4, QStringLiteral("Vendor:"), cmbBunVendor, this);
    addField(grid, 5, QStringLiteral("Status:"), cmbBunStatus, this);
    grid->setColumnMinimumWidth(1, 240);
    keepTogether(grid);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnBunSave, btnBunExit}));
    lockWhenReadOnly({btnBunSave});

    connect(cmbBunID, &QComboBox::editTextChanged, this, [this] { bunIdChanged(); });
    connect(btnBunSave, &QPushButton::clicked, this, [this] { saveBun(); });
}

void BunEntry::fill(const CatalogueLists &lists)
{
    chkOffAll->setChecked(false);
    for (QLineEdit *field : {txtBunWidth, txtBunLength, txtBunGrade})
        field->clear();
    fillList(cmbBunStatus, activeInactive());
    fillList(cmbBunID, lists.buns);
    fillList(cmbBunVendor, lists.vendors);
}

void BunEntry::bunIdChanged()
{
    const QString id = core::typedKey(cmbBunID->currentText());
    bool found = false;
    if (!id.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs =
                    data::sharedDatabase().query(QStringLiteral("SELECT * FROM Bun WHERE ID = ") + data::sqlText(id));
                if (rs.isEmpty())
                    return;
                found = true;
                showColumns<BunEntry>(this, kColumns, rs);
            },
            this);
    if (!found)
        clearColumns<BunEntry>(this, kColumns);
}

void BunEntry::saveBun()
{
    const QString id = core::typedKey(cmbBunID->currentText());
    if (id.isEmpty() || chosenText(cmbBunStatus).isEmpty()) {
        tell(this, kInvalidInformation, QStringLiteral("You must enter an ID and Status for the Bun."));
        return;
    }
    ColumnValues values = columnValues<BunEntry>(this, kColumns);
    values.emplace_back(QStringLiteral("ID"), id);
    shell::reportingDbErrors(
        [&] {
            saveKeyedRow(data::sharedDatabase(), QStringLiteral("Bun"), QStringLiteral("ID"), id, values);
            cmbBunID->setEditText(QString());
            clearColumns<BunEntry>(this, kColumns);
            emit catalogueChanged();
        },
        this);
}

} // namespace catalogue
