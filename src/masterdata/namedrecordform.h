#pragma once

#include "shell/unsavedchanges.h"

#include <QWidget>
#include <utility>
#include <vector>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace masterdata {

// A screen for a table whose rows are known by their name (customers,
// vendors): the name list doubles as the entry field for a new name. Every
// edit of the name looks the row up (the database compares without regard to
// case), filling the fields from it or, for a name not stored yet, clearing them
// and proposing "Active". Save And Close adds or updates the row and closes;
// Exit closes without saving. Columns the screen does not show are left as
// they are.
class NamedRecordForm : public QWidget, public shell::UnsavedChanges {
    Q_OBJECT
public:
    // A field was edited, or a new name typed, since the record was shown.
    bool hasUnsavedChanges() const override { return m_edits.changed(); }

    // Fills the name and status lists.
    void load();

    // The controls every such screen has; the name list is the subclass's
    // (cmbCustomer, cmbVendor).
    QLineEdit *txtAddress1, *txtAddress2, *txtCity, *txtState, *txtZip, *txtPhone, *txtFax;
    QComboBox *cmbStatus;
    QPushButton *btnSave, *btnExit;

protected:
    struct Setup {
        QString table;           // "Customer"
        QString nameColumn;      // the column the name list shows and finds by
        QString requiredMessage; // "Customer Name and Status are required."
    };
    NamedRecordForm(Setup setup, QWidget *parent);

    // Builds the name list (control name given) and the shared controls, and
    // lays out the name and address rows; the first step of a subclass's
    // constructor.
    QComboBox *makeNameList(const char *name, const QString &label);
    // A further text field of the screen, with its column.
    QLineEdit *addField(const char *name, const QString &column);
    // Rows after the address block.
    QGridLayout *grid() const { return m_grid; }
    // Adds the buttons and makes the controls work; the last step of a
    // subclass's constructor (which places cmbStatus in its row).
    void finish(const QList<QLineEdit *> &noSelectOnFocus = {});

private:
    void fillFromName();
    void save();

    Setup m_setup;
    QComboBox *m_name = nullptr;
    QGridLayout *m_grid = nullptr;
    std::vector<std::pair<QLineEdit *, QString>> m_fields; // text field, column
    shell::SavedState m_edits{this};
};

} // namespace masterdata
