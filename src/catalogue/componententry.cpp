#include "catalogue/componententry.h"

#include "catalogue/fieldbinding.h"
#include "catalogue/tabparts.h"
#include "core/formats.h"
#include "core/vbnumeric.h"
#include "data/database.h"
#include "data/quoting.h"
#include "shell/messages.h"
#include "shell/typeahead.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <limits>
#include <optional>

namespace catalogue {

namespace {

const QString kPerBuggyWhole =
    QStringLiteral("Qty/Buggy must be a whole number of pieces, 0 or more (0 prints no buggy tickets).");

// Pieces per buggy as typed: a whole number of 0 or more, empty as 0; nothing
// for anything else (a buggy holds whole pieces).
std::optional<qint32> piecesPerBuggy(const QString &text)
{
    const std::optional<double> value = fieldNumber(text, 0.0);
    if (!value || *value < 0 || *value != std::floor(*value) || *value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(*value);
}

using Column = FieldColumn<ComponentEntry>;
// Rails, pieces and the buggy quantity are read by rules of their own.
const Column kColumns[] = {
    {&ComponentEntry::txtComponentDescription, "Description"},
    Column::number(&ComponentEntry::txtComponentThickness, "Thickness", 2, true),
    Column::number(&ComponentEntry::txtComponentWidth, "Width", 2, true),
    Column::number(&ComponentEntry::txtComponentLength, "Length", 2, true),
    {&ComponentEntry::txtTestRange, "TestRange"},
    {&ComponentEntry::txtComponentTopped, "Topped"},
    Column::choice(&ComponentEntry::cmbCutStyle, "CutStyle"),
    Column::choice(&ComponentEntry::cmbComponentStatus, "Status"),
    Column::choice(&ComponentEntry::cmbPlant, "Plant"),
    Column::flag(&ComponentEntry::cmbTest, "Test"),
    Column::flag(&ComponentEntry::cmbPrintShipping, "PrintOnShipping"),
    Column::flag(&ComponentEntry::cmbArm, "Arm"),
    Column::flag(&ComponentEntry::cmbTie, "Tie"),
    Column::choice(&ComponentEntry::cmbComponentBun, "BunID"),
};
} // namespace

ComponentEntry::ComponentEntry(QWidget *parent) : QWidget(parent)
{
    QWidget *page = this;
    cmbComponentID = makeList(page, "cmbComponentID", true);
    txtComponentDescription = makeField(page, "txtComponentDescription");
    txtComponentThickness = makeField(page, "txtComponentThickness", 100);
    txtComponentWidth = makeField(page, "txtComponentWidth", 100);
    txtComponentLength = makeField(page, "txtComponentLength", 100);
    cmbCutStyle = makeList(page, "cmbCutStyle", false);
    cmbTest = makeList(page, "cmbTest", false);
    txtTestRange = makeField(page, "txtTestRange");
    txtComponentTopped = makeField(page, "txtComponentTopped");
    cmbPrintShipping = makeList(page, "cmbPrintShipping", false);
    cmbArm = makeList(page, "cmbArm", false);
    cmbTie = makeList(page, "cmbTie", false);
    cmbComponentBun = makeList(page, "cmbComponentBun", false);
    txtRailsPerBun = makeField(page, "txtRailsPerBun", 100);
    txtPiecesPerRail = makeField(page, "txtPiecesPerRail", 100);
    cmbComponentStatus = makeList(page, "cmbComponentStatus", false);
    cmbPlant = makeList(page, "cmbPlant", false);
    txtQtyPerBuggy = makeField(page, "txtQtyPerBuggy", 100);
    btnComponentSave = makeButton(page, "btnComponentSave", QStringLiteral("Save"));
    btnComponentExit = makeButton(page, "btnComponentExit", QStringLiteral("Exit"));
    shell::attachSelectOnFocus(txtRailsPerBun);
    shell::attachSelectOnFocus(txtPiecesPerRail);
    txtQtyPerBuggy->installEventFilter(this);

    // Two columns: what the piece is on the left, how it is made on the right.
    auto *left = new QGridLayout;
    addField(left, 0, QStringLiteral("ID:"), cmbComponentID, page);
    addField(left, 1, QStringLiteral("Description:"), txtComponentDescription, page);
    addField(left, 2, QStringLiteral("Thickness:"), txtComponentThickness, page);
    addField(left, 3, QStringLiteral("Width:"), txtComponentWidth, page);
    addField(left, 4, QStringLiteral("Length:"), txtComponentLength, page);
    addField(left, 5, QStringLiteral("Cut-style:"), cmbCutStyle, page);
    addField(left, 6, QStringLiteral("Test:"), cmbTest, page);
    addField(left, 7, QStringLiteral("Test Range:"), txtTestRange, page);
    addField(left, 8, QStringLiteral("Topped:"), txtComponentTopped, page);
    auto *right = new QGridLayout;
    addField(right, 0, QStringLiteral("Print on Shipment:"), cmbPrintShipping, page);
    addField(right, 1, QStringLiteral("Arm:"), cmbArm, page);
    addField(right, 2, QStringLiteral("Tie:"), cmbTie, page);
    addField(right, 3, QStringLiteral("Bun ID:"), cmbComponentBun, page);
    addField(right, 4, QStringLiteral("Rails Per Bun:"), txtRailsPerBun, page);
    addField(right, 5, QStringLiteral("Pieces Per Rail/Roll:"), txtPiecesPerRail, page);
    addField(right, 6, QStringLiteral("Status:"), cmbComponentStatus, page);
    addField(right, 7, QStringLiteral("Plant:"), cmbPlant, page);
    addField(right, 8, QStringLiteral("Qty/Buggy:"), txtQtyPerBuggy, page);
    keepTogether(left);
    keepTogether(right);
    for (QLineEdit *wide : {txtComponentDescription, txtTestRange, txtComponentTopped})
        wide->setMinimumWidth(320);
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(48);
    columns->addLayout(right);
    columns->addStretch(1);

    auto *layout = new QVBoxLayout(page);
    layout->addWidget(note(QStringLiteral("Components will define the parts that make up the style and have "
                                          "operations performed on them."),
                           page));
    layout->addLayout(columns);
    layout->addStretch(1);
    layout->addLayout(buttonRow({btnComponentSave, btnComponentExit}));
    lockWhenReadOnly({btnComponentSave});

    connect(cmbComponentID, &QComboBox::editTextChanged, this, [this] { componentIdChanged(); });
    connect(btnComponentSave, &QPushButton::clicked, this, [this] { saveComponent(); });
}

void ComponentEntry::fill(const CatalogueLists &lists)
{
    for (QLineEdit *field : {txtComponentDescription, txtComponentThickness, txtComponentWidth, txtComponentLength,
                             txtTestRange, txtComponentTopped, txtQtyPerBuggy})
        field->clear();
    txtRailsPerBun->setText(QStringLiteral("0"));
    txtPiecesPerRail->setText(QStringLiteral("0"));
    for (QComboBox *list : {cmbTest, cmbPrintShipping, cmbArm, cmbTie})
        fillList(list, yesNo());
    fillList(cmbComponentStatus, activeInactive());
    fillList(cmbCutStyle, {QStringLiteral("Straight Cut"), QStringLiteral("Pattern Cut")});
    fillList(cmbComponentBun, lists.activeBuns);
    fillList(cmbComponentID, lists.componentIds);
}

bool ComponentEntry::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtQtyPerBuggy && event->type() == QEvent::FocusOut)
        qtyPerBuggyLeft(); // the field keeps the focus event either way
    return QWidget::eventFilter(watched, event);
}

void ComponentEntry::clearFields()
{
    clearColumns<ComponentEntry>(this, kColumns);
    txtQtyPerBuggy->clear();
    txtRailsPerBun->setText(QStringLiteral("0"));
    txtPiecesPerRail->setText(QStringLiteral("0"));
}

void ComponentEntry::componentIdChanged()
{
    const QString id = core::typedKey(cmbComponentID->currentText());
    bool found = false;
    if (!id.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM Component WHERE ID = ")
                                                                  + data::sqlText(id));
                if (rs.isEmpty())
                    return;
                found = true;
                showColumns<ComponentEntry>(this, kColumns, rs);
                for (auto [field, column] :
                     {std::pair{txtRailsPerBun, "RailsPerBun"}, std::pair{txtPiecesPerRail, "PiecesPerRail"}}) {
                    const QString text = numberText(rs, QLatin1String(column), 0);
                    field->setText(text.isEmpty() ? QStringLiteral("0") : text);
                }
                txtQtyPerBuggy->setText(rs.isNull(QStringLiteral("QtyPerBuggy"))
                                            ? QString()
                                            : core::formatNumber(rs.number(QStringLiteral("QtyPerBuggy"))));
            },
            this);
    if (!found)
        clearFields();
}

bool ComponentEntry::qtyPerBuggyLeft()
{
    static bool telling = false;
    const QString text = txtQtyPerBuggy->text();
    if (telling || text.isEmpty() || (core::IsNumeric(text) && piecesPerBuggy(text)))
        return true;
    telling = true;
    tell(this, QStringLiteral("Invalid Entry"),
         core::IsNumeric(text) ? kPerBuggyWhole
                               : QStringLiteral("You must enter a numeric value in this field or leave it blank."));
    telling = false;
    QTimer::singleShot(0, txtQtyPerBuggy, [field = txtQtyPerBuggy] { field->setFocus(); });
    return false;
}

void ComponentEntry::saveComponent()
{
    const QString id = core::typedKey(cmbComponentID->currentText());
    if (chosenText(cmbPlant).isEmpty() || id.isEmpty() || txtComponentDescription->text().isEmpty()
        || chosenText(cmbCutStyle).isEmpty() || chosenText(cmbTest).isEmpty() || chosenText(cmbPrintShipping).isEmpty()
        || chosenText(cmbArm).isEmpty() || chosenText(cmbComponentStatus).isEmpty()) {
        tell(this, kInvalidInformation,
             QStringLiteral(
                 "You must enter an ID,Description,Test,Print Info,Arm Info, Plant, and Status for the Component."));
        return;
    }
    const std::pair<QLineEdit *, QString> sizeFields[] = {{txtComponentThickness, QStringLiteral("Thickness")},
                                                          {txtComponentWidth, QStringLiteral("Width")},
                                                          {txtComponentLength, QStringLiteral("Length")}};
    for (const auto &[field, name] : sizeFields)
        if (!numberField(this, field, name))
            return;
    const std::optional<qint32> perBuggy = piecesPerBuggy(txtQtyPerBuggy->text());
    if (!perBuggy) {
        tell(this, kInvalidInformation, kPerBuggyWhole + QStringLiteral(" Nothing was saved."));
        txtQtyPerBuggy->setFocus();
        txtQtyPerBuggy->selectAll();
        return;
    }
    ColumnValues values = columnValues<ComponentEntry>(this, kColumns);
    values.emplace_back(QStringLiteral("ID"), id);
    // The leading number of the text: "12 rails" is 12, none is 0.
    values.emplace_back(QStringLiteral("RailsPerBun"), core::Val(txtRailsPerBun->text()));
    values.emplace_back(QStringLiteral("PiecesPerRail"), core::Val(txtPiecesPerRail->text()));
    // Off the buggies (0): the component leaves every buggy group of every style.
    values.emplace_back(QStringLiteral("QtyPerBuggy"), *perBuggy);
    shell::reportingDbErrors(
        [&] {
            catalogue::saveComponent(data::sharedDatabase(), id, values);
            cmbComponentID->setEditText(QString());
            clearFields();
            emit catalogueChanged();
        },
        this);
}

} // namespace catalogue
