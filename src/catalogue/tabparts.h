#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>

class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// What the tabs of the style screen share to build their widgets and to tell
// the user what they refuse.
namespace catalogue {

QComboBox *makeList(QWidget *parent, const char *name, bool editable, bool typeAhead = true);
QLineEdit *makeField(QWidget *parent, const char *name, int width = 0);
QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption);
// An italic note over a tab's fields.
QLabel *note(const QString &text, QWidget *parent);
// A row of buttons pushed to the right.
QHBoxLayout *buttonRow(std::initializer_list<QPushButton *> buttons);
// A label and its field in a grid row.
void addField(QGridLayout *grid, int row, const QString &caption, QWidget *field, QWidget *parent, int span = 1);
// Labels stay beside their fields: the room left over goes to the right.
void keepTogether(QGridLayout *grid);
// Disables the buttons that write to the catalogue when it is read-only here.
void lockWhenReadOnly(std::initializer_list<QWidget *> writers);

QStringList reportTypes();
QStringList activeInactive();
QStringList yesNo();

extern const QString kInvalidInformation; // "Invalid Information"
extern const QString kNotEnough;          // the plain "not enough information" message
void tell(QWidget *parent, const QString &title, const QString &text);
// A number field read for a save: the field's own number, or a message naming
// the field and nothing.
std::optional<double> numberField(QWidget *parent, QLineEdit *field, const QString &name,
                                  std::optional<double> emptyValue = 0.0);

} // namespace catalogue
