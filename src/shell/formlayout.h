#pragma once

#include "shell/named.h"
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <initializer_list>

class QCheckBox;

// Form building every screen shares: labelled rows, button rows, the address
// block and the table binding a screen's fields to a row's columns.
namespace shell {

// A text field of the given control name; maxLength 0 means no limit.
QLineEdit *textField(QWidget *parent, const char *name, int maxLength = 0);

// A field that only shows a value (a saved record's ID, a balance): read-only,
// passed over by Tab, on the button-face background, its text in the normal
// colour so that it reads as well as any other field.
void makeDisplayField(QLineEdit *field);

// A caption whose mnemonic and click lead to buddy.
QLabel *buddyLabel(const QString &text, QWidget *buddy);

// One row of a form: the label in the first column and the fields side by side
// in the second; the label is the buddy of the first field.
void addFormRow(QGridLayout *grid, const QString &label, std::initializer_list<QWidget *> fields);

// Sets the tab order: the fields of the grid row by row, left to right, then
// the given widgets.
void setTabOrderFromGrid(QGridLayout *grid, std::initializer_list<QWidget *> after);

// Buttons in a row at the right, as at the foot of every screen.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons);

// The text of a masked phone or fax field: empty while no digit is typed, so
// an untouched field does not store the mask's brackets and dash.
QString maskedText(const QLineEdit *field);

// The address fields the company and user screens share: address lines, city
// and zip (up to 50 characters), the state list, the masked phone and fax, and
// e-mail. A screen inherits them, so they are its controls by name.
struct AddressFields {
    QLineEdit *txtAddress1, *txtAddress2, *txtCity;
    QComboBox *cmbState;
    QLineEdit *txtZip, *txtPhone, *txtFax, *txtEmail;
};
void buildAddressFields(QWidget *parent, AddressFields &fields);
// Their rows "Address1" to "Email" in a form.
void addAddressRows(QGridLayout *grid, const AddressFields &fields);

// How a field shows its column: text as stored, a number in a fixed format, a
// list's entry, or a Yes/No flag (a Yes/No list or a check box).
enum class FieldKind { Text, Number, Choice, Flag };

// A field of a screen and the column it shows, for screens that load and save
// a row field by field. {&Form::txtName, "Name"} is a text field; the makers
// below give the other kinds.
template <typename Form>
struct FieldColumn {
    QLineEdit *Form::*field = nullptr;
    const char *column = nullptr;
    FieldKind kind = FieldKind::Text;
    int decimals = 0;                  // a number's decimals ("#,##0.00" is 2, grouped)
    bool grouped = false;              // a number with thousands separators
    QComboBox *Form::*list = nullptr;  // a choice, or a flag shown as Yes/No
    QCheckBox *Form::*check = nullptr; // a flag shown as a check box

    static FieldColumn number(QLineEdit *Form::*f, const char *c, int decimals, bool grouped = false)
    {
        return {f, c, FieldKind::Number, decimals, grouped, nullptr, nullptr};
    }
    static FieldColumn choice(QComboBox *Form::*l, const char *c)
    {
        return {nullptr, c, FieldKind::Choice, 0, false, l, nullptr};
    }
    static FieldColumn flag(QComboBox *Form::*l, const char *c)
    {
        return {nullptr, c, FieldKind::Flag, 0, false, l, nullptr};
    }
    static FieldColumn flag(QCheckBox *Form::*b, const char *c)
    {
        return {nullptr, c, FieldKind::Flag, 0, false, nullptr, b};
    }
};

// Shows a stored phone or fax number in a masked field, with the cursor at its
// start so that typing fills the mask from the first digit.
void setMaskedText(QLineEdit *field, const QString &text);

} // namespace shell
