#pragma once

#include "shell/formlayout.h"
#include "shell/unsavedchanges.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace data {
class Database;
} // namespace data

namespace masterdata {

// frmUser: the users and, for users of type "User", the permissions they hold.
// Whoever holds "User Entry" (or is an "Admin") edits every user; anyone else
// who can open the screen may only change their own password.
//
// Passwords are kept as hashes and never shown: the password field of an
// existing user starts empty and, left empty, keeps the current password.
class UserForm : public QWidget, public shell::AddressFields, public shell::UnsavedChanges {
    Q_OBJECT
public:
    explicit UserForm(QWidget *parent = nullptr);
    // Fills the lists and, in restricted mode, shows the current user's record.
    void load();
    bool restricted() const { return m_restricted; }
    // A field or a permission changed since the user (or the empty form) was
    // shown.
    bool hasUnsavedChanges() const override { return m_edits.changed(); }

    QComboBox *cmbUser;
    QLabel *lblID;
    QLineEdit *txtName;
    // txtAddress1 ... txtEmail, cmbState: AddressFields
    QComboBox *cmbType;
    QLineEdit *txtUsername, *txtPassword;
    QCheckBox *chkInactive;
    QListWidget *lstAllPermissions, *lstUserPermissions;
    QPushButton *btnAdd, *btnRemove, *btnAddAll, *btnRemoveAll;
    QPushButton *btnSave, *btnExit, *btnDelete, *btnNew;

    // Kept with the user but not shown.
    QCheckBox *chkSalesRep;
    QLineEdit *txtSalesOrderPrintQty, *txtInvoicePrintQty, *txtPackingSlipPrintQty, *txtPickTicketPrintQty;
    QLineEdit *txtEmailServer, *txtEmailAddress, *txtEmailName, *txtEmailUser, *txtEmailPassword;

private:
    void fillUserList();
    void fillAllPermissions(const QString &statement);
    void clearForm();
    void fillForm();
    void showUser(qint64 id);
    // Chooses the stored type in the type list (none for an empty one).
    void showType(const QString &stored);
    void applyTypeRule();
    void save();
    void remove();
    void movePermissions(QListWidget *from, QListWidget *to, bool all);
    void enterRestrictedMode();
    // Writes the user and its permissions in one transaction; false (nothing
    // written) when that would leave no active "Admin".
    bool saveUser(data::Database &db, bool isNew, const QString &type, const QString &password);

    bool m_restricted = false;
    QStringList m_types; // the UserType names the type list offers
    shell::SavedState m_edits{this};
};

} // namespace masterdata
