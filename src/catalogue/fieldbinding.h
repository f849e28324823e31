#pragma once

#include "catalogue/cataloguestore.h"
#include "catalogue/formfields.h"
#include "data/recordset.h"
#include "shell/formlayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <span>

// One table per catalogue tab ties its fields to the columns of its row, so
// that looking a row up fills the fields and saving writes them back the same
// way for every kind of field.
namespace catalogue {

using shell::FieldColumn;
using shell::FieldKind;

template <typename Form>
void showColumns(Form *form, std::span<const FieldColumn<Form>> columns, const data::Recordset &rs)
{
    for (const FieldColumn<Form> &c : columns) {
        const QString column = QLatin1String(c.column);
        switch (c.kind) {
        case FieldKind::Text:
            (form->*c.field)->setText(rs.text(column));
            break;
        case FieldKind::Number:
            (form->*c.field)->setText(numberText(rs, column, c.decimals, c.grouped));
            break;
        case FieldKind::Choice:
            // A value the list no longer offers is shown and kept.
            chooseStored(form->*c.list, rs.text(column));
            break;
        case FieldKind::Flag:
            if (c.check)
                (form->*c.check)->setChecked(rs.flag(column));
            else
                chooseText(form->*c.list, rs.flag(column) ? QStringLiteral("Yes") : QStringLiteral("No"));
            break;
        }
    }
}

template <typename Form>
void clearColumns(Form *form, std::span<const FieldColumn<Form>> columns)
{
    for (const FieldColumn<Form> &c : columns) {
        if (c.field)
            (form->*c.field)->clear();
        else if (c.check)
            (form->*c.check)->setChecked(false);
        else
            clearChoice(form->*c.list);
    }
}

// The fields' values by column: a number that does not read as one is 0 (a
// tab that must refuse it checks first), a flag 1 or 0.
template <typename Form>
ColumnValues columnValues(const Form *form, std::span<const FieldColumn<Form>> columns)
{
    ColumnValues values;
    for (const FieldColumn<Form> &c : columns) {
        QVariant value;
        switch (c.kind) {
        case FieldKind::Text:
            value = (form->*c.field)->text();
            break;
        case FieldKind::Number:
            value = fieldNumber((form->*c.field)->text()).value_or(0.0);
            break;
        case FieldKind::Choice:
            value = chosenText(form->*c.list);
            break;
        case FieldKind::Flag:
            value =
                c.check ? int((form->*c.check)->isChecked()) : int(chosenText(form->*c.list) == QLatin1String("Yes"));
            break;
        }
        values.emplace_back(QLatin1String(c.column), value);
    }
    return values;
}

// Replaces the value of a column (adds it when missing): a field whose column
// is written by its own rule.
inline void setColumnValue(ColumnValues &values, const QString &column, const QVariant &value)
{
    for (auto &[name, v] : values)
        if (name == column) {
            v = value;
            return;
        }
    values.emplace_back(column, value);
}

} // namespace catalogue
