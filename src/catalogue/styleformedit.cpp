// Data entry on the style screen: the style header, style types, costing
// variables, components and component lines, buns, plants, stations and the
// operations of a component line.
#include "catalogue/cataloguestore.h"
#include "catalogue/formfields.h"
#include "catalogue/outlinetree.h"
#include "catalogue/styleform.h"
#include "data/database.h"
#include "data/quoting.h"
#include "core/cursor.h"
#include "core/formats.h"
#include "shell/messages.h"
#include "core/vbnumeric.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QTreeWidgetItemIterator>

namespace catalogue {

namespace {

const QString kInvalidInformation = QStringLiteral("Invalid Information");
const QString kNotEnough = QStringLiteral("Not enouth information.");

void tell(QWidget *parent, const QString &title, const QString &text)
{
    shell::showMessage(title, text, shell::MessageIcon::None, shell::MessageButtons::Ok, parent);
}

QString keyNumber(const QString &key)
{
    return data::sqlNumber(key.toLongLong());
}

// A number field read for a save: the field's own number, or a message naming
// the field and nothing.
std::optional<double> numberField(QWidget *parent, QLineEdit *field, const QString &name,
                                  std::optional<double> emptyValue = 0.0)
{
    const std::optional<double> value = fieldNumber(field->text(), emptyValue);
    if (!value) {
        tell(parent, kInvalidInformation,
             emptyValue ? QStringLiteral("%1 must be a number (or left empty). Nothing was saved.").arg(name)
                        : QStringLiteral("%1 must be a number. Nothing was saved.").arg(name));
        field->setFocus();
        field->selectAll();
    }
    return value;
}

QString yesNoOf(bool flag)
{
    return flag ? QStringLiteral("Yes") : QStringLiteral("No");
}

int flagOf(const QComboBox *list)
{
    return chosenText(list) == QLatin1String("Yes") ? 1 : 0;
}

// Where a component line stands in the tree: its customer, the style text and
// the line text, as the tree shows them.
struct LinePlace {
    QString customer, style, component;
};

LinePlace placeOfLine(data::Database &db, const QString &lineId)
{
    data::Recordset rs = db.query(
        QStringLiteral("SELECT Style.Customer,Style.Name,Style.Type,StyleComponent.Qty,Component.ID AS CompID,"
                       "Component.Description FROM (StyleComponent LEFT JOIN Style ON StyleComponent.StyleID = "
                       "Style.ID) LEFT JOIN Component ON StyleComponent.ComponentID = Component.ID WHERE "
                       "StyleComponent.ID = ")
        + keyNumber(lineId));
    if (rs.isEmpty())
        return {};
    return {rs.text(QStringLiteral("Customer")),
            rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type")),
            QLatin1Char('(') + core::formatNumber(rs.number(QStringLiteral("Qty"))) + QStringLiteral(") - ")
                + rs.text(QStringLiteral("CompID")) + QLatin1Char('-') + rs.text(QStringLiteral("Description"))};
}

} // namespace

// ---------------------------------------------------------------- styles

void StyleForm::customerChosen()
{
    const QString customer = chosenText(cmbCustomer);
    if (customer.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            const QString where = QStringLiteral(" FROM Style WHERE Customer = ") + data::sqlText(customer);
            QStringList names;
            for (data::Recordset rs = db.query(QStringLiteral("SELECT DISTINCT Name") + where
                                               + QStringLiteral(" ORDER BY Name"));
                 !rs.isEOF(); rs.moveNext())
                names << rs.text(QStringLiteral("Name"));
            fillList(cmbStyleName, names);
            QStringList texts, keys;
            for (data::Recordset rs = db.query(QStringLiteral("SELECT ID, Name, Type") + where
                                               + QStringLiteral(" ORDER BY Name"));
                 !rs.isEOF(); rs.moveNext()) {
                texts << rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type"));
                keys << rs.text(QStringLiteral("ID"));
            }
            fillList(cmbStyle, texts, keys);
            fillList(cmbStyle2, texts, keys);
        },
        this);
}

void StyleForm::typeChosen()
{
    const QString customer = chosenText(cmbCustomer);
    const QString name = cmbStyleName->currentText();
    const QString type = chosenText(cmbType);
    if (customer.isEmpty() || name.isEmpty() || type.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs = data::sharedDatabase().query(
                QStringLiteral("SELECT * FROM Style WHERE Name = ") + data::sqlText(name) + QStringLiteral(" AND Type = ")
                + data::sqlText(type) + QStringLiteral(" AND Customer = ") + data::sqlText(customer));
            if (!rs.isEmpty()) {
                txtCost->setText(core::formatMoneyKeepingDecimals(rs.number(QStringLiteral("Cost"))));
                txtPrice->setText(core::formatMoneyKeepingDecimals(rs.number(QStringLiteral("Price"))));
                txtGroupBy->setText(rs.text(QStringLiteral("GroupField")));
                setStyleId(rs.text(QStringLiteral("ID")));
            } else {
                // A style still to be made: the group text stays.
                txtCost->setText(core::formatMoneyKeepingDecimals(0));
                txtPrice->setText(core::formatMoneyKeepingDecimals(0));
                setStyleId(QString());
            }
        },
        this);
}

void StyleForm::setStyleId(const QString &id)
{
    // A new non-empty value refreshes the buggy grid (see the field's handler).
    txtStyleNameID->setText(id);
}

void StyleForm::newStyle()
{
    clearChoice(cmbCustomer);
    clearChoice(cmbType);
    fillList(cmbStyleName, {});
    setStyleId(QString());
    txtGroupBy->clear();
    txtCost->setText(core::formatMoneyKeepingDecimals(0));
    txtPrice->setText(core::formatMoneyKeepingDecimals(0));
}

void StyleForm::saveStyle()
{
    const QString customer = chosenText(cmbCustomer);
    const QString name = cmbStyleName->currentText();
    const QString type = chosenText(cmbType);
    if (customer.isEmpty() || name.isEmpty() || type.isEmpty()) {
        tell(this, kInvalidInformation, kNotEnough);
        return;
    }
    const std::optional<double> cost = numberField(this, txtCost, QStringLiteral("Cost"));
    if (!cost)
        return;
    const std::optional<double> price = numberField(this, txtPrice, QStringLiteral("Price"));
    if (!price)
        return;
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            const QString sameTexts = QStringLiteral(" FROM Style WHERE Customer = ") + data::sqlText(customer)
                                      + QStringLiteral(" AND Name = ") + data::sqlText(name)
                                      + QStringLiteral(" AND Type = ") + data::sqlText(type);
            const QString styleId = txtStyleNameID->text();
            data::Recordset rs;
            if (!styleId.isEmpty()) {
                // Renaming must not make a second style of the same customer, name and type.
                if (!db.query(QStringLiteral("SELECT ID") + sameTexts + QStringLiteral(" AND ID <> ")
                              + keyNumber(styleId))
                         .isEmpty()) {
                    tell(this, kInvalidInformation,
                         QStringLiteral("This customer already has a style %1-%2. Nothing was saved.").arg(name, type));
                    return;
                }
                rs = db.query(QStringLiteral("SELECT * FROM Style WHERE ID = ") + keyNumber(styleId));
            }
            if (rs.isEmpty()) {
                rs = db.query(QStringLiteral("SELECT *") + sameTexts);
                if (rs.isEmpty())
                    rs.addNew();
            }
            rs.setValue(QStringLiteral("Customer"), customer);
            rs.setValue(QStringLiteral("Name"), name);
            rs.setValue(QStringLiteral("Type"), type);
            rs.setValue(QStringLiteral("Cost"), *cost);
            rs.setValue(QStringLiteral("Price"), *price);
            rs.setValue(QStringLiteral("Status"), QStringLiteral("Active")); // a saved style is active again
            rs.setValue(QStringLiteral("GroupField"), txtGroupBy->text());
            rs.update();

            FillForm();
            FillTreeGrid();
            GoToStyle(customer, name + QLatin1Char('-') + type);
        },
        this);
}

// ---------------------------------------------------------------- style types

void StyleForm::typeIdChanged()
{
    const QString id = cmbTypeID->currentText();
    bool found = false;
    if (!id.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM StyleType WHERE ID = ")
                                                                  + data::sqlText(id));
                if (rs.isEmpty())
                    return;
                found = true;
                txtTypeDescription->setText(rs.text(QStringLiteral("Description")));
                chooseStored(cmbTypeStatus, rs.text(QStringLiteral("Status")));
            },
            this);
    if (!found) {
        txtTypeDescription->clear();
        clearChoice(cmbTypeStatus);
    }
}

void StyleForm::saveType()
{
    const QString id = cmbTypeID->currentText();
    const QString description = txtTypeDescription->text();
    const QString status = chosenText(cmbTypeStatus);
    if (id.isEmpty() || description.isEmpty() || status.isEmpty()) {
        tell(this, kInvalidInformation, QStringLiteral("You must enter an ID, Description, and Status for the Type."));
        return;
    }
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM StyleType WHERE ID = ")
                                                              + data::sqlText(id));
            if (rs.isEmpty())
                rs.addNew();
            rs.setValue(QStringLiteral("ID"), id);
            rs.setValue(QStringLiteral("Description"), description);
            rs.setValue(QStringLiteral("Status"), status);
            rs.update();
            cmbTypeID->setEditText(QString());
            txtTypeDescription->clear();
            clearChoice(cmbTypeStatus);
            FillForm();
        },
        this);
}

// ---------------------------------------------------------------- variables

void StyleForm::saveVariables()
{
    const std::optional<double> labor = fieldNumber(txtLaborCostPerHour->text(), std::nullopt);
    const std::optional<double> nonArms = fieldNumber(txtNonArmsPerHour->text(), std::nullopt);
    if (!labor || !nonArms) {
        tell(this, kInvalidInformation,
             QStringLiteral("You must enter a Labor Cost Per Hour and Non-Arms Per Hour before saving."));
        return;
    }
    // The other two may be left empty (stored as null), but not hold text.
    const QLineEdit *optional[] = {txtSLNonArmsPerHour, txtLaborPercent};
    const QString names[] = {QStringLiteral("Sprayline Non-Arms / Hour"), QStringLiteral("Labor Percent")};
    QVariant values[2];
    for (int i = 0; i < 2; ++i) {
        if (optional[i]->text().trimmed().isEmpty())
            continue;
        const std::optional<double> value = numberField(this, const_cast<QLineEdit *>(optional[i]), names[i]);
        if (!value)
            return;
        values[i] = *value;
    }
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM Data WHERE ID = 'Data'"));
            if (rs.isEmpty())
                rs.addNew();
            rs.setValue(QStringLiteral("ID"), QStringLiteral("Data"));
            rs.setValue(QStringLiteral("LaborCostPerHour"), *labor);
            rs.setValue(QStringLiteral("NonArmPerHour"), *nonArms);
            rs.setValue(QStringLiteral("SprayLineNonArmPerHour"), values[0]);
            rs.setValue(QStringLiteral("LaborPercent"), values[1]);
            rs.update();
            FillForm();
        },
        this);
}

// ---------------------------------------------------------------- components

void StyleForm::clearComponentFields()
{
    for (QLineEdit *field : {txtComponentDescription, txtComponentThickness, txtComponentWidth, txtComponentLength,
                             txtTestRange, txtComponentTopped, txtQtyPerBuggy})
        field->clear();
    for (QComboBox *list : {cmbCutStyle, cmbTest, cmbPrintShipping, cmbArm, cmbTie, cmbComponentBun,
                            cmbComponentStatus, cmbPlant})
        clearChoice(list);
    txtRailsPerBun->setText(QStringLiteral("0"));
    txtPiecesPerRail->setText(QStringLiteral("0"));
}

void StyleForm::componentIdChanged()
{
    const QString id = cmbComponentID->currentText();
    bool found = false;
    if (!id.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM Component WHERE ID = ")
                                                                  + data::sqlText(id));
                if (rs.isEmpty())
                    return;
                found = true;
                txtComponentDescription->setText(rs.text(QStringLiteral("Description")));
                txtComponentThickness->setText(numberText(rs, QStringLiteral("Thickness"), 2, true));
                txtComponentWidth->setText(numberText(rs, QStringLiteral("Width"), 2, true));
                txtComponentLength->setText(numberText(rs, QStringLiteral("Length"), 2, true));
                txtTestRange->setText(rs.text(QStringLiteral("TestRange")));
                txtComponentTopped->setText(rs.text(QStringLiteral("Topped")));
                chooseStored(cmbCutStyle, rs.text(QStringLiteral("CutStyle")));
                chooseStored(cmbComponentStatus, rs.text(QStringLiteral("Status")));
                chooseStored(cmbPlant, rs.text(QStringLiteral("Plant")));
                chooseText(cmbTest, yesNoOf(rs.flag(QStringLiteral("Test"))));
                chooseText(cmbPrintShipping, yesNoOf(rs.flag(QStringLiteral("PrintOnShipping"))));
                chooseText(cmbArm, yesNoOf(rs.flag(QStringLiteral("Arm"))));
                chooseText(cmbTie, yesNoOf(rs.flag(QStringLiteral("Tie"))));
                chooseStored(cmbComponentBun, rs.text(QStringLiteral("BunID")));
                for (auto [field, column] : {std::pair{txtRailsPerBun, "RailsPerBun"},
                                             std::pair{txtPiecesPerRail, "PiecesPerRail"}}) {
                    const QString text = numberText(rs, QLatin1String(column), 0);
                    field->setText(text.isEmpty() ? QStringLiteral("0") : text);
                }
                txtQtyPerBuggy->setText(rs.isNull(QStringLiteral("QtyPerBuggy"))
                                            ? QString()
                                            : core::formatNumber(rs.number(QStringLiteral("QtyPerBuggy"))));
            },
            this);
    if (!found)
        clearComponentFields();
}

bool StyleForm::qtyPerBuggyLeft()
{
    static bool telling = false;
    const QString text = txtQtyPerBuggy->text();
    if (telling || text.isEmpty() || core::IsNumeric(text))
        return true;
    telling = true;
    tell(this, QStringLiteral("Invalid Entry"), QStringLiteral("You must enter a numeric value in this field or leave it blank."));
    telling = false;
    QTimer::singleShot(0, txtQtyPerBuggy, [field = txtQtyPerBuggy] { field->setFocus(); });
    return false;
}

void StyleForm::saveComponent()
{
    const QString id = cmbComponentID->currentText();
    const QString description = txtComponentDescription->text();
    if (chosenText(cmbPlant).isEmpty() || id.isEmpty() || description.isEmpty() || chosenText(cmbCutStyle).isEmpty()
        || chosenText(cmbTest).isEmpty() || chosenText(cmbPrintShipping).isEmpty() || chosenText(cmbArm).isEmpty()
        || chosenText(cmbComponentStatus).isEmpty()) {
        tell(this, kInvalidInformation,
             QStringLiteral("You must enter an ID,Description,Test,Print Info,Arm Info, Plant, and Status for the Component."));
        return;
    }
    double sizes[3];
    const std::pair<QLineEdit *, QString> sizeFields[] = {{txtComponentThickness, QStringLiteral("Thickness")},
                                                          {txtComponentWidth, QStringLiteral("Width")},
                                                          {txtComponentLength, QStringLiteral("Length")}};
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> value = numberField(this, sizeFields[i].first, sizeFields[i].second);
        if (!value)
            return;
        sizes[i] = *value;
    }
    const double perBuggy = core::Val(txtQtyPerBuggy->text());
    const ColumnValues values = {
        {QStringLiteral("ID"), id},
        {QStringLiteral("Description"), description},
        {QStringLiteral("Thickness"), sizes[0]},
        {QStringLiteral("Width"), sizes[1]},
        {QStringLiteral("Length"), sizes[2]},
        {QStringLiteral("CutStyle"), chosenText(cmbCutStyle)},
        {QStringLiteral("Test"), flagOf(cmbTest)},
        {QStringLiteral("TestRange"), txtTestRange->text()},
        {QStringLiteral("Topped"), txtComponentTopped->text()},
        {QStringLiteral("PrintOnShipping"), flagOf(cmbPrintShipping)},
        {QStringLiteral("Arm"), flagOf(cmbArm)},
        {QStringLiteral("Tie"), flagOf(cmbTie)},
        {QStringLiteral("BunID"), chosenText(cmbComponentBun)},
        // The leading number of the text: "12 rails" is 12, none is 0.
        {QStringLiteral("RailsPerBun"), core::Val(txtRailsPerBun->text())},
        {QStringLiteral("PiecesPerRail"), core::Val(txtPiecesPerRail->text())},
        {QStringLiteral("Status"), chosenText(cmbComponentStatus)},
        {QStringLiteral("Plant"), chosenText(cmbPlant)},
        // Off the buggies (0): the component leaves every buggy group of every style.
        {QStringLiteral("QtyPerBuggy"), perBuggy > 0 ? perBuggy : 0.0},
    };
    shell::reportingDbErrors(
        [&] {
            catalogue::saveComponent(data::sharedDatabase(), id, values);

            cmbComponentID->setEditText(QString());
            clearComponentFields();
            FillForm();
        },
        this);
}

// ---------------------------------------------------------------- component lines

void StyleForm::componentChosen()
{
    const QString styleId = chosenStyleId();
    const QString componentId = chosenComponentId();
    if (styleId.isEmpty() || componentId.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs = data::sharedDatabase().query(
                QStringLiteral("SELECT * FROM StyleComponent WHERE ComponentID = ") + data::sqlText(componentId)
                + QStringLiteral(" AND StyleID = ") + keyNumber(styleId));
            if (rs.isEmpty()) {
                txtQty->clear();
                txtStyleComponentID->clear();
            } else {
                txtQty->setText(core::formatNumber(rs.number(QStringLiteral("Qty"))));
                txtStyleComponentID->setText(rs.text(QStringLiteral("ID")));
            }
        },
        this);
}

void StyleForm::newComponentLine()
{
    clearChoice(cmbStyle);
    clearChoice(cmbComponent);
    txtQty->clear();
    // A new line is never written over the line selected before.
    txtStyleComponentID->clear();
}

void StyleForm::saveComponentLine()
{
    const QString styleId = chosenStyleId();
    const QString componentId = chosenComponentId();
    if (styleId.isEmpty() || componentId.isEmpty() || txtQty->text().trimmed().isEmpty()) {
        tell(this, kInvalidInformation, kNotEnough);
        return;
    }
    const std::optional<double> qty = numberField(this, txtQty, QStringLiteral("Qty"));
    if (!qty)
        return;
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            data::Recordset rs;
            if (!txtStyleComponentID->text().isEmpty())
                rs = db.query(QStringLiteral("SELECT * FROM StyleComponent WHERE ID = ")
                              + keyNumber(txtStyleComponentID->text()));
            if (rs.isEmpty()) {
                // One line per component in a style: an existing one is updated.
                rs = db.query(QStringLiteral("SELECT * FROM StyleComponent WHERE ComponentID = ")
                              + data::sqlText(componentId) + QStringLiteral(" AND StyleID = ") + keyNumber(styleId));
                if (rs.isEmpty())
                    rs.addNew();
            }
            rs.setValue(QStringLiteral("ComponentID"), componentId);
            rs.setValue(QStringLiteral("Qty"), *qty);
            rs.setValue(QStringLiteral("StyleID"), styleId.toLongLong());
            rs.update();

            const LinePlace place = placeOfLine(db, rs.text(QStringLiteral("ID")));
            FillForm();
            FillTreeGrid();
            GoToComponent(place.customer, place.style, place.component);
        },
        this);
}

void StyleForm::removeLoadedRows(int level, const QString &key)
{
    QList<QTreeWidgetItem *> rows;
    for (QTreeWidgetItemIterator it(fgTree); *it; ++it)
        if (levelOf(*it) == level && keyOf(*it) == key)
            rows << *it;
    for (QTreeWidgetItem *row : rows)
        removeTreeRow(row); // a line takes its operations with it
}

void StyleForm::deleteComponentLine()
{
    const QString lineId = txtStyleComponentID->text();
    if (lineId.isEmpty())
        return;
    if (!shell::askYesNo(QStringLiteral("Delete Confirmation"),
                         QStringLiteral("Are you sure you want to delete the selected Component?"),
                         shell::MessageIcon::None, this))
        return;
    shell::reportingDbErrors(
        [&] {
            catalogue::deleteComponentLine(data::sharedDatabase(), lineId.toLongLong());
            removeLoadedRows(3, lineId);
            FillForm();
        },
        this);
}

// ---------------------------------------------------------------- buns and plants

void StyleForm::clearBunFields()
{
    chkOffAll->setChecked(false);
    for (QLineEdit *field : {txtBunWidth, txtBunLength, txtBunGrade})
        field->clear();
    clearChoice(cmbBunVendor);
    clearChoice(cmbBunStatus);
}

void StyleForm::bunIdChanged()
{
    const QString id = cmbBunID->currentText();
    bool found = false;
    if (!id.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs =
                    data::sharedDatabase().query(QStringLiteral("SELECT * FROM Bun WHERE ID = ") + data::sqlText(id));
                if (rs.isEmpty())
                    return;
                found = true;
                chkOffAll->setChecked(rs.flag(QStringLiteral("OffAll")));
                txtBunWidth->setText(numberText(rs, QStringLiteral("Width"), 2, true));
                txtBunLength->setText(numberText(rs, QStringLiteral("Length"), 2, true));
                txtBunGrade->setText(rs.text(QStringLiteral("Grade")));
                chooseStored(cmbBunStatus, rs.text(QStringLiteral("Status")));
                chooseStored(cmbBunVendor, rs.text(QStringLiteral("Vendor")));
            },
            this);
    if (!found)
        clearBunFields();
}

void StyleForm::saveBun()
{
    const QString id = cmbBunID->currentText();
    const QString status = chosenText(cmbBunStatus);
    if (id.isEmpty() || status.isEmpty()) {
        tell(this, kInvalidInformation, QStringLiteral("You must enter an ID and Status for the Bun."));
        return;
    }
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs =
                data::sharedDatabase().query(QStringLiteral("SELECT * FROM Bun WHERE ID = ") + data::sqlText(id));
            if (rs.isEmpty())
                rs.addNew();
            rs.setValue(QStringLiteral("ID"), id);
            rs.setValue(QStringLiteral("OffAll"), chkOffAll->isChecked() ? 1 : 0);
            // A size that is not a number is saved as 0.
            rs.setValue(QStringLiteral("Width"), fieldNumber(txtBunWidth->text(), 0.0).value_or(0.0));
            rs.setValue(QStringLiteral("Length"), fieldNumber(txtBunLength->text(), 0.0).value_or(0.0));
            rs.setValue(QStringLiteral("Grade"), txtBunGrade->text());
            rs.setValue(QStringLiteral("Vendor"), chosenText(cmbBunVendor));
            rs.setValue(QStringLiteral("Status"), status);
            rs.update();
            cmbBunID->setEditText(QString());
            clearBunFields();
            FillForm();
        },
        this);
}

void StyleForm::addPlant()
{
    const QString name = txtPlant->text();
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
            FillForm();
        },
        this);
}

// ---------------------------------------------------------------- stations

void StyleForm::stationChanged()
{
    const QString station = cmbStationName->currentText();
    bool found = false;
    if (!station.isEmpty())
        shell::reportingDbErrors(
            [&] {
                data::Recordset rs = data::sharedDatabase().query(
                    QStringLiteral("SELECT * FROM Operation WHERE Station = ") + data::sqlText(station));
                if (rs.isEmpty())
                    return;
                found = true;
                chooseStored(cmbReportName, rs.text(QStringLiteral("ReportType")));
                txtTeams->setText(rs.text(QStringLiteral("Teams")));
                chooseStored(cmbOperationStatus, rs.text(QStringLiteral("Status")));
            },
            this);
    if (!found) {
        clearChoice(cmbReportName);
        clearChoice(cmbOperationStatus);
        txtTeams->setText(QStringLiteral("1"));
    }
}

void StyleForm::saveStation()
{
    const QString station = cmbStationName->currentText();
    const QString reportType = chosenText(cmbReportName);
    const QString status = chosenText(cmbOperationStatus);
    if (station.isEmpty() || reportType.isEmpty() || status.isEmpty() || !core::IsNumeric(txtTeams->text())) {
        tell(this, kInvalidInformation,
             QStringLiteral("You must enter a Station Name, Report Name, Number of Teams, and Status for the Operation."));
        return;
    }
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT * FROM Operation WHERE Station = ")
                                                              + data::sqlText(station));
            if (rs.isEmpty())
                rs.addNew();
            rs.setValue(QStringLiteral("Station"), station);
            rs.setValue(QStringLiteral("ReportType"), reportType);
            rs.setValue(QStringLiteral("Teams"), core::Val(txtTeams->text()));
            rs.setValue(QStringLiteral("Status"), status);
            rs.update();
            cmbStationName->setEditText(QString());
            clearChoice(cmbReportName);
            clearChoice(cmbOperationStatus);
            txtTeams->setText(QStringLiteral("1"));
            FillForm();
        },
        this);
}

// ---------------------------------------------------------------- operations

void StyleForm::style2Chosen()
{
    const QString styleId = chosenStyle2Id();
    if (styleId.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            QStringList texts, keys;
            for (data::Recordset rs = data::sharedDatabase().query(
                     QStringLiteral("SELECT StyleComponent.ID,ComponentID,Description FROM StyleComponent LEFT JOIN "
                                    "Component ON StyleComponent.ComponentID = Component.ID WHERE StyleID = ")
                     + keyNumber(styleId) + QStringLiteral(" ORDER BY ") + naturalOrder(QStringLiteral("Component.ID")));
                 !rs.isEOF(); rs.moveNext()) {
                texts << rs.text(QStringLiteral("ComponentID")) + QLatin1Char('-') + rs.text(QStringLiteral("Description"));
                keys << rs.text(QStringLiteral("ID"));
            }
            fillList(cmbComponent2, texts, keys);
        },
        this);
}

void StyleForm::operationChosen()
{
    const QString styleId = chosenStyle2Id();
    const QString lineId = chosenLineId();
    const QString station = chosenText(cmbOperation);
    if (styleId.isEmpty() || lineId.isEmpty() || station.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs = data::sharedDatabase().query(
                QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = ") + keyNumber(styleId)
                + QStringLiteral(" AND ComponentID = ") + keyNumber(lineId) + QStringLiteral(" AND OperationID = ")
                + data::sqlText(station));
            if (rs.isEmpty()) {
                txtInstructions->clear();
                for (QLineEdit *field : {txtThickness, txtWidth, txtLength})
                    field->setText(QStringLiteral("0"));
                txtStyleComponentOperationID->clear();
            } else {
                txtInstructions->setText(rs.text(QStringLiteral("Instructions")));
                txtThickness->setText(numberText(rs, QStringLiteral("Thickness"), 2));
                txtWidth->setText(numberText(rs, QStringLiteral("Width"), 2));
                txtLength->setText(numberText(rs, QStringLiteral("Length"), 2));
                txtStyleComponentOperationID->setText(rs.text(QStringLiteral("ID")));
            }
            // Split quantity, second operation and plant stay as they are.
        },
        this);
}

void StyleForm::newOperation()
{
    for (QComboBox *list : {cmbStyle2, cmbComponent2, cmbOperation, cmbOperation2})
        clearChoice(list);
    txtInstructions->clear();
    for (QLineEdit *field : {txtThickness, txtWidth, txtLength, txtOperationQty})
        field->setText(QStringLiteral("0"));
    // A new operation is never written over the one selected before.
    txtStyleComponentOperationID->clear();
}

void StyleForm::saveOperation()
{
    const QString styleId = chosenStyle2Id();
    const QString lineId = chosenLineId();
    const QString station = chosenText(cmbOperation);
    if (styleId.isEmpty() || lineId.isEmpty() || station.isEmpty()) {
        tell(this, kInvalidInformation, kNotEnough);
        return;
    }
    double numbers[4];
    const std::pair<QLineEdit *, QString> numberFields[] = {{txtThickness, QStringLiteral("Thickness")},
                                                            {txtWidth, QStringLiteral("Width")},
                                                            {txtLength, QStringLiteral("Length")},
                                                            {txtOperationQty, QStringLiteral("Qty (the split)")}};
    for (int i = 0; i < 4; ++i) {
        const std::optional<double> value = numberField(this, numberFields[i].first, numberFields[i].second);
        if (!value)
            return;
        numbers[i] = *value;
    }
    core::BusyCursor busy;
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            data::Recordset rs;
            if (!txtStyleComponentOperationID->text().isEmpty())
                rs = db.query(QStringLiteral("SELECT * FROM StyleOperation WHERE ID = ")
                              + keyNumber(txtStyleComponentOperationID->text()));
            if (rs.isEmpty()) {
                // One operation per style, line and station.
                rs = db.query(QStringLiteral("SELECT * FROM StyleOperation WHERE StyleID = ") + keyNumber(styleId)
                              + QStringLiteral(" AND ComponentID = ") + keyNumber(lineId)
                              + QStringLiteral(" AND OperationID = ") + data::sqlText(station));
                if (rs.isEmpty())
                    rs.addNew();
            }
            rs.setValue(QStringLiteral("OperationID"), station);
            rs.setValue(QStringLiteral("Instructions"), txtInstructions->text());
            rs.setValue(QStringLiteral("Thickness"), numbers[0]);
            rs.setValue(QStringLiteral("Width"), numbers[1]);
            rs.setValue(QStringLiteral("Length"), numbers[2]);
            rs.setValue(QStringLiteral("StyleID"), styleId.toLongLong());
            rs.setValue(QStringLiteral("ComponentID"), lineId.toLongLong());
            rs.setValue(QStringLiteral("SplitQty"), numbers[3]);
            const QString second = chosenText(cmbOperation2);
            // No second operation: no second plant either, whatever the plant list shows.
            rs.setValue(QStringLiteral("Operation2ID"), second);
            rs.setValue(QStringLiteral("Plant2"), second.isEmpty() ? QString() : chosenText(cmbPlant2));
            rs.update();

            const LinePlace place = placeOfLine(db, lineId);
            FillForm();
            FillTreeGrid();
            GoToComponent(place.customer, place.style, place.component);
        },
        this);
}

void StyleForm::deleteOperation()
{
    const QString operationId = txtStyleComponentOperationID->text();
    if (operationId.isEmpty())
        return;
    if (!shell::askYesNo(QStringLiteral("Delete Confirmation"),
                         QStringLiteral("Are you sure you want to delete the selected Operation?"),
                         shell::MessageIcon::None, this))
        return;
    shell::reportingDbErrors(
        [&] {
            data::sharedDatabase().execute(QStringLiteral("DELETE FROM StyleOperation WHERE ID = ")
                                           + keyNumber(operationId));
            removeLoadedRows(4, operationId);
            FillForm();
        },
        this);
}

} // namespace catalogue
