#include "catalogue/stationentry.h"

#include "catalogue/fieldbinding.h"
#include "catalogue/tabparts.h"
#include "core/formats.h"
#include "core/vbnumeric.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/messages.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace catalogue {

namespace {
const FieldColumn<StationEntry> kColumns[] = {
    FieldColumn<StationEntry>::choice(&StationEntry::cmbReportName, "ReportType"),
    {&StationEntry::txtTeams, "Teams"},
    FieldColumn<StationEntry>::choice(&StationEntry::cmbOperationStatus, "Status"),
};
} // namespace

StationEntry::StationEntry(QWidget *parent) : QWidget(parent)
{
    cmbStationName = makeList(this, "cmbStationName", true);
    cmbReportName = makeList(this, "cmbReportName", false);
    txtTeams = makeField(this, "txtTeams", 80);
    cmbOperationStatus = makeList(this, "cmbOperationStatus", false);
    btnOperationSave = makeButton(this, "btnOperationSave", QStringLiteral("Save"));
    btnOperationExit = makeButton(this, "btnOperationExit", QStringLiteral("Exit"));

    auto *grid = new QGridLayout;
    addField(grid, 0, QStringLiteral("Station Name:"), cmbStationName, this);
    addField(grid, 1, QStringLiteral("Report Type:"), cmbReportName, this);
    addField(grid, 2, QStringLiteral("Teams:"), txtTeams, this);
    addField(grid, 3, QStringLiteral("Status:"), cmbOperationStatus, this);
    keepTogether(grid);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        note(QStringLiteral("Operations will define which reports the style information is displayed on."), this));
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnOperationSave, btnOperationExit}));
    lockWhenReadOnly({btnOperationSave});

    connect(cmbStationName, &QComboBox::editTextChanged, this, [this] { stationChanged(); });
    connect(btnOperationSave, &QPushButton::clicked, this, [this] { saveStation(); });
}

void StationEntry::fill(const CatalogueLists &lists)
{
    fillList(cmbReportName, reportTypes());
    fillList(cmbOperationStatus, activeInactive());
    txtTeams->setText(QStringLiteral("1"));
    fillList(cmbStationName, lists.stations);
}

void StationEntry::clearFields()
{
    clearColumns<StationEntry>(this, kColumns);
    txtTeams->setText(QStringLiteral("1"));
}

void StationEntry::stationChanged()
{
    const QString station = core::typedKey(cmbStationName->currentText());
    bool found = false;
    if (!station.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs = data::sharedDatabase().query(
                    QStringLiteral("SELECT * FROM Operation WHERE Station = ") + data::sqlText(station));
                if (rs.isEmpty())
                    return;
                found = true;
                showColumns<StationEntry>(this, kColumns, rs);
            },
            this);
    if (!found)
        clearFields();
}

void StationEntry::saveStation()
{
    const QString station = core::typedKey(cmbStationName->currentText());
    if (station.isEmpty() || chosenText(cmbReportName).isEmpty() || chosenText(cmbOperationStatus).isEmpty()
        || !core::IsNumeric(txtTeams->text())) {
        tell(this, kInvalidInformation,
             QStringLiteral(
                 "You must enter a Station Name, Report Name, Number of Teams, and Status for the Operation."));
        return;
    }
    ColumnValues values = columnValues<StationEntry>(this, kColumns);
    values.emplace_back(QStringLiteral("Station"), station);
    setColumnValue(values, QStringLiteral("Teams"), core::Val(txtTeams->text()));
    shell::reportingDbErrors(
        [&] {
            saveKeyedRow(data::sharedDatabase(), QStringLiteral("Operation"), QStringLiteral("Station"), station,
                         values);
            cmbStationName->setEditText(QString());
            clearFields();
            emit catalogueChanged();
        },
        this);
}

} // namespace catalogue
