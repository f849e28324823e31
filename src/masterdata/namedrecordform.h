#pragma once

#include <QWidget>
#include <utility>
#include <vector>

class QComboBox;
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
class NamedRecordForm : public QWidget {
    Q_OBJECT
public:
    // Fills the name and status lists; call once the widgets are built.
    void load();

protected:
    struct Setup {
        QString table;           // "Customer"
        QString nameColumn;      // the column the name list shows and finds by
        QString requiredMessage; // "Customer Name and Status are required."
    };
    NamedRecordForm(Setup setup, QWidget *parent);

    // Subclasses build these, then call connectControls().
    QComboBox *m_name = nullptr;
    QComboBox *m_status = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_exit = nullptr;
    std::vector<std::pair<QLineEdit *, QString>> m_fields; // text field, column
    void connectControls();

    // The name list and status list as the screen builds them.
    QComboBox *makeNameList(const char *name);
    QComboBox *makeStatusList();

private:
    void fillFromName();
    void save();

    Setup m_setup;
};

} // namespace masterdata
