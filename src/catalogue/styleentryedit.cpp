// Data entry on the "Style Entry" tab: the style header, the component lines
// and the operations of a component line.
#include "catalogue/cataloguestore.h"
#include "catalogue/formfields.h"
#include "catalogue/outlinetree.h"
#include "catalogue/styleentry.h"
#include "catalogue/tabparts.h"
#include "data/database.h"
#include "data/quoting.h"
#include "core/cursor.h"
#include "core/formats.h"
#include "shell/messages.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidgetItemIterator>

namespace catalogue {

namespace {

QString keyNumber(const QString &key)
{
    return data::sqlNumber(key.toLongLong());
}

// A number field read for a save: the field's own number, or a message naming
// the field and nothing.
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

void StyleEntry::customerChosen()
{
    const QString customer = chosenText(cmbCustomer);
    if (customer.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            data::Database &db = data::sharedDatabase();
            const QString where = QStringLiteral(" FROM Style WHERE Customer = ") + data::sqlText(customer);
            QStringList names;
            for (data::Recordset rs =
                     db.query(QStringLiteral("SELECT DISTINCT Name") + where + QStringLiteral(" ORDER BY Name"));
                 !rs.isEOF(); rs.moveNext())
                names << rs.text(QStringLiteral("Name"));
            fillList(cmbStyleName, names);
            QStringList texts, keys;
            for (data::Recordset rs =
                     db.query(QStringLiteral("SELECT ID, Name, Type") + where + QStringLiteral(" ORDER BY Name"));
                 !rs.isEOF(); rs.moveNext()) {
                texts << rs.text(QStringLiteral("Name")) + QLatin1Char('-') + rs.text(QStringLiteral("Type"));
                keys << rs.text(QStringLiteral("ID"));
            }
            fillList(cmbStyle, texts, keys);
            fillList(cmbStyle2, texts, keys);
        },
        this);
}

void StyleEntry::typeChosen()
{
    const QString customer = chosenText(cmbCustomer);
    const QString name = core::typedKey(cmbStyleName->currentText());
    const QString type = chosenText(cmbType);
    if (customer.isEmpty() || name.isEmpty() || type.isEmpty())
        return;
    shell::reportingDbErrors(
        [&] {
            data::Recordset rs =
                data::sharedDatabase().query(QStringLiteral("SELECT * FROM Style WHERE Name = ") + data::sqlText(name)
                                             + QStringLiteral(" AND Type = ") + data::sqlText(type)
                                             + QStringLiteral(" AND Customer = ") + data::sqlText(customer));
            if (!rs.isEmpty()) {
                txtCost->setText(core::formatMoneyKeepingDecimals(rs.number(QStringLiteral("Cost"))));
                txtPrice->setText(core::formatMoneyKeepingDecimals(rs.number(QStringLiteral("Price"))));
                txtGroupBy->setText(rs.text(QStringLiteral("GroupField")));
                setStyleId(rs.text(QStringLiteral("ID")));
                m_styleEdits.markSaved(); // a stored style, as stored
            } else {
                // A style still to be made: the group text stays.
                txtCost->setText(core::formatMoneyKeepingDecimals(0));
                txtPrice->setText(core::formatMoneyKeepingDecimals(0));
                setStyleId(QString());
            }
        },
        this);
}

void StyleEntry::setStyleId(const QString &id)
{
    // A new non-empty value refreshes the buggy grid (see the field's handler).
    txtStyleNameID->setText(id);
}

void StyleEntry::newStyle()
{
    clearChoice(cmbCustomer);
    clearChoice(cmbType);
    fillList(cmbStyleName, {});
    setStyleId(QString());
    txtGroupBy->clear();
    txtCost->setText(core::formatMoneyKeepingDecimals(0));
    txtPrice->setText(core::formatMoneyKeepingDecimals(0));
    m_styleEdits.markSaved();
}

void StyleEntry::saveStyle()
{
    const QString customer = chosenText(cmbCustomer);
    const QString name = core::typedKey(cmbStyleName->currentText());
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
                + QStringLiteral(" AND Name = ") + data::sqlText(name) + QStringLiteral(" AND Type = ")
                + data::sqlText(type);
            const QString styleId = txtStyleNameID->text();
            // The check and the write share one transaction (and a unique index
            // backs it), so two workstations cannot both make the same style.
            data::Transaction transaction(db);
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
            transaction.commit();

            emit catalogueChanged();
            FillTreeGrid();
            GoToStyle(customer, name + QLatin1Char('-') + type);
            m_styleEdits.markSaved();
        },
        this);
}

void StyleEntry::componentChosen()
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

void StyleEntry::newComponentLine()
{
    clearChoice(cmbStyle);
    clearChoice(cmbComponent);
    txtQty->clear();
    // A new line is never written over the line selected before.
    txtStyleComponentID->clear();
}

void StyleEntry::saveComponentLine()
{
    const QString styleId = chosenStyleId();
    const QString componentId = chosenComponentId();
    if (styleId.isEmpty() || componentId.isEmpty() || txtQty->text().trimmed().isEmpty()) {
        tell(this, kInvalidInformation, kNotEnough);
        return;
    }
    // An empty Qty was refused above, so the message does not offer it.
    const std::optional<double> qty = numberField(this, txtQty, QStringLiteral("Qty"), std::nullopt);
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
            emit catalogueChanged();
            FillTreeGrid();
            GoToComponent(place.customer, place.style, place.component);
        },
        this);
}

void StyleEntry::removeLoadedRows(int level, const QString &key)
{
    QList<QTreeWidgetItem *> rows;
    for (QTreeWidgetItemIterator it(fgTree); *it; ++it)
        if (levelOf(*it) == level && keyOf(*it) == key)
            rows << *it;
    for (QTreeWidgetItem *row : rows)
        removeTreeRow(row); // a line takes its operations with it
}

void StyleEntry::deleteComponentLine()
{
    const QString lineId = txtStyleComponentID->text();
    if (lineId.isEmpty())
        return;
    if (!shell::askYesDefaultNo(QStringLiteral("Delete Confirmation"),
                                QStringLiteral("Are you sure you want to delete the selected Component?"),
                                shell::MessageIcon::None, this))
        return;
    shell::reportingDbErrors(
        [&] {
            catalogue::deleteComponentLine(data::sharedDatabase(), lineId.toLongLong());
            removeLoadedRows(3, lineId);
            emit catalogueChanged();
        },
        this);
}

void StyleEntry::style2Chosen()
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
                     + keyNumber(styleId) + QStringLiteral(" ORDER BY ")
                     + naturalOrder(QStringLiteral("Component.ID")));
                 !rs.isEOF(); rs.moveNext()) {
                texts << rs.text(QStringLiteral("ComponentID")) + QLatin1Char('-')
                        + rs.text(QStringLiteral("Description"));
                keys << rs.text(QStringLiteral("ID"));
            }
            fillList(cmbComponent2, texts, keys);
        },
        this);
}

void StyleEntry::operationChosen()
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

void StyleEntry::newOperation()
{
    for (QComboBox *list : {cmbStyle2, cmbComponent2, cmbOperation, cmbOperation2})
        clearChoice(list);
    txtInstructions->clear();
    for (QLineEdit *field : {txtThickness, txtWidth, txtLength, txtOperationQty})
        field->setText(QStringLiteral("0"));
    // A new operation is never written over the one selected before.
    txtStyleComponentOperationID->clear();
}

void StyleEntry::saveOperation()
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
            emit catalogueChanged();
            FillTreeGrid();
            GoToComponent(place.customer, place.style, place.component);
        },
        this);
}

void StyleEntry::deleteOperation()
{
    const QString operationId = txtStyleComponentOperationID->text();
    if (operationId.isEmpty())
        return;
    if (!shell::askYesDefaultNo(QStringLiteral("Delete Confirmation"),
                                QStringLiteral("Are you sure you want to delete the selected Operation?"),
                                shell::MessageIcon::None, this))
        return;
    shell::reportingDbErrors(
        [&] {
            data::sharedDatabase().execute(QStringLiteral("DELETE FROM StyleOperation WHERE ID = ")
                                           + keyNumber(operationId));
            removeLoadedRows(4, operationId);
            emit catalogueChanged();
        },
        this);
}

} // namespace catalogue
