#include "masterdata/userform.h"

#include "data/database.h"
#include "data/topiclock.h"
#include "data/passwords.h"
#include "data/quoting.h"
#include "shell/formlayout.h"
#include "core/clock.h"
#include "core/currentuser.h"
#include "core/cursor.h"
#include "core/formats.h"
#include "shell/messages.h"
#include "core/permissions.h"
#include "shell/typeahead.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace masterdata {

namespace {

using Column = shell::FieldColumn<UserForm>;
// The [User] columns of the text fields, shown and hidden, password aside.
const Column kTextColumns[] = {
    {&UserForm::txtName, "Name"},
    {&UserForm::txtAddress1, "Address1"},
    {&UserForm::txtAddress2, "Address2"},
    {&UserForm::txtCity, "City"},
    {&UserForm::txtZip, "Zip"},
    {&UserForm::txtEmail, "Email"},
    {&UserForm::txtUsername, "Username"},
    {&UserForm::txtSalesOrderPrintQty, "SalesOrderPrintQty"},
    {&UserForm::txtInvoicePrintQty, "InvoicePrintQty"},
    {&UserForm::txtPackingSlipPrintQty, "PackingSlipPrintQty"},
    {&UserForm::txtPickTicketPrintQty, "PickTicketPrintQty"},
    {&UserForm::txtEmailServer, "EmailServer"},
    {&UserForm::txtEmailAddress, "EmailFrom"},
    {&UserForm::txtEmailName, "EmailFromName"},
    {&UserForm::txtEmailUser, "EmailServerUser"},
    {&UserForm::txtEmailPassword, "EmailServerPassword"},
};

const QString kAdmin = QStringLiteral("Admin");

// Login trims the typed name and password, so they are stored trimmed too.
QString trimSpaces(QString text)
{
    while (text.startsWith(QLatin1Char(' ')))
        text.remove(0, 1);
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

QListWidget *permissionList(QWidget *parent, const char *name)
{
    auto *list = shell::named(new QListWidget(parent), name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setMinimumWidth(200);
    return list;
}

void fillList(QListWidget *list, data::Recordset rs, const QString &idColumn)
{
    for (; !rs.isEOF(); rs.moveNext()) {
        auto *item = new QListWidgetItem(rs.text(QStringLiteral("Name")), list);
        item->setData(Qt::UserRole, rs.integer(idColumn));
    }
}

} // namespace

UserForm::UserForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmUser"));
    setWindowTitle(QStringLiteral("User Entry/Edit"));

    cmbUser = shell::named(new QComboBox(this), "cmbUser");
    m_edits.ignore(cmbUser); // chooses which user is shown
    cmbUser->setMinimumContentsLength(25);
    lblID = shell::named(new QLabel(this), "lblID");
    lblID->setFrameShape(QFrame::StyledPanel);
    lblID->setMinimumWidth(60);
    txtName = shell::textField(this, "txtName");
    shell::buildAddressFields(this, *this);
    cmbType = shell::named(new QComboBox(this), "cmbType");
    txtUsername = shell::textField(this, "txtUsername", 50);
    txtPassword = shell::textField(this, "txtPassword", 50);
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setPlaceholderText(QStringLiteral("(unchanged)"));
    chkInactive = shell::named(new QCheckBox(QStringLiteral("Inactive"), this), "chkInactive");
    lstAllPermissions = permissionList(this, "lstAllPermissions");
    lstUserPermissions = permissionList(this, "lstUserPermissions");
    btnAdd = shell::named(new QPushButton(QStringLiteral("Add >"), this), "btnAdd");
    btnRemove = shell::named(new QPushButton(QStringLiteral("< Rem"), this), "btnRemove");
    btnAddAll = shell::named(new QPushButton(QStringLiteral("Add >>"), this), "btnAddAll");
    btnRemoveAll = shell::named(new QPushButton(QStringLiteral("<< Rem"), this), "btnRemoveAll");
    btnNew = shell::named(new QPushButton(QStringLiteral("New"), this), "btnNew");
    btnSave = shell::named(new QPushButton(QStringLiteral("Save"), this), "btnSave");
    btnDelete = shell::named(new QPushButton(QStringLiteral("Delete"), this), "btnDelete");
    btnExit = shell::named(new QPushButton(QStringLiteral("Exit"), this), "btnExit");

    // Carried with the user, not shown.
    chkSalesRep = shell::named(new QCheckBox(QStringLiteral("Sales Rep"), this), "chkSalesRep");
    txtSalesOrderPrintQty = shell::textField(this, "txtSalesOrderPrintQty", 50);
    txtInvoicePrintQty = shell::textField(this, "txtInvoicePrintQty", 50);
    txtPackingSlipPrintQty = shell::textField(this, "txtPackingSlipPrintQty", 50);
    txtPickTicketPrintQty = shell::textField(this, "txtPickTicketPrintQty", 50);
    txtEmailServer = shell::textField(this, "txtEmailServer", 50);
    txtEmailAddress = shell::textField(this, "txtEmailAddress", 50);
    txtEmailName = shell::textField(this, "txtEmailName", 50);
    txtEmailUser = shell::textField(this, "txtEmailUser", 50);
    txtEmailPassword = shell::textField(this, "txtEmailPassword", 50);
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             chkSalesRep, txtSalesOrderPrintQty, txtInvoicePrintQty, txtPackingSlipPrintQty, txtPickTicketPrintQty,
             txtEmailServer, txtEmailAddress, txtEmailName, txtEmailUser, txtEmailPassword})
        hidden->hide();

    auto *info = new QGroupBox(QStringLiteral("User Information"), this);
    auto *grid = new QGridLayout(info);
    shell::addFormRow(grid, QStringLiteral("ID"), {lblID});
    shell::addFormRow(grid, QStringLiteral("Name"), {txtName});
    shell::addAddressRows(grid, *this);
    shell::addFormRow(grid, QStringLiteral("Type"), {cmbType});
    shell::addFormRow(grid, QStringLiteral("Username"), {txtUsername});
    shell::addFormRow(grid, QStringLiteral("Password"), {txtPassword});
    grid->addWidget(chkInactive, grid->rowCount(), 1);
    grid->setColumnMinimumWidth(1, 240);
    grid->setRowStretch(grid->rowCount(), 1);

    auto *permissions = new QGroupBox(QStringLiteral("Permissions"), this);
    auto *lists = new QGridLayout(permissions);
    lists->addWidget(new QLabel(QStringLiteral("All Permissions")), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("User Permissions")), 0, 2);
    lists->addWidget(lstAllPermissions, 1, 0);
    auto *moves = new QVBoxLayout;
    moves->addStretch();
    for (QPushButton *move : {btnAdd, btnRemove, btnAddAll, btnRemoveAll})
        moves->addWidget(move);
    moves->addStretch();
    lists->addLayout(moves, 1, 1);
    lists->addWidget(lstUserPermissions, 1, 2);

    auto *top = new QGridLayout;
    shell::addFormRow(top, QStringLiteral("Select User:"), {cmbUser});
    top->setColumnStretch(2, 1);
    auto *frames = new QHBoxLayout;
    frames->addWidget(info);
    frames->addWidget(permissions, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(frames, 1);
    layout->addLayout(shell::buttonRow({btnNew, btnSave, btnDelete, btnExit}));

    QList<QWidget *> order{cmbUser,  txtName,     txtAddress1, txtAddress2,  txtCity,
                           cmbState, txtZip,      txtPhone,    txtFax,       txtEmail,
                           cmbType,  txtUsername, txtPassword, chkInactive,  lstAllPermissions,
                           btnAdd,   btnRemove,   btnAddAll,   btnRemoveAll, lstUserPermissions,
                           btnNew,   btnSave,     btnDelete,   btnExit};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QLineEdit *field : {txtAddress1, txtAddress2, txtCity, txtZip, txtPhone, txtFax, txtEmail})
        shell::attachSelectOnFocus(field);
    for (QComboBox *list : {cmbUser, cmbType, cmbState})
        shell::attachTypeAhead(list);

    const auto guarded = [this](void (UserForm::*handler)()) {
        return [this, handler] { shell::reportingDbErrors([&] { (this->*handler)(); }, this); };
    };
    // Picking the user shown again shows the stored record again.
    shell::onPick(cmbUser, this, guarded(&UserForm::fillForm));
    connect(cmbType, &QComboBox::currentIndexChanged, this, &UserForm::applyTypeRule);
    connect(btnAdd, &QPushButton::clicked, this,
            [this] { movePermissions(lstAllPermissions, lstUserPermissions, false); });
    connect(btnRemove, &QPushButton::clicked, this,
            [this] { movePermissions(lstUserPermissions, lstAllPermissions, false); });
    connect(btnAddAll, &QPushButton::clicked, this,
            [this] { movePermissions(lstAllPermissions, lstUserPermissions, true); });
    connect(btnRemoveAll, &QPushButton::clicked, this,
            [this] { movePermissions(lstUserPermissions, lstAllPermissions, true); });
    connect(btnNew, &QPushButton::clicked, this, [this] {
        shell::reportingDbErrors([this] { clearForm(); }, this);
        const QSignalBlocker quiet(cmbUser);
        cmbUser->setCurrentIndex(-1);
        txtName->setFocus();
    });
    connect(btnSave, &QPushButton::clicked, this, guarded(&UserForm::save));
    connect(btnDelete, &QPushButton::clicked, this, guarded(&UserForm::remove));
    connect(btnExit, &QPushButton::clicked, this, &QWidget::close);
}

void UserForm::load()
{
    core::BusyCursor busy;
    data::Database &db = data::sharedDatabase();
    fillUserList();
    m_types.clear();
    for (data::Recordset rs = db.query(QStringLiteral("SELECT * FROM UserType ORDER BY Name")); !rs.isEOF();
         rs.moveNext())
        m_types << rs.text(QStringLiteral("Name"));
    showType(QString());
    cmbState->clear();
    for (data::Recordset rs = db.query(QStringLiteral("SELECT State FROM State ORDER BY State")); !rs.isEOF();
         rs.moveNext())
        cmbState->addItem(rs.text(QStringLiteral("State")));
    clearForm();

    const core::CurrentUser &me = core::currentUser();
    if (me.type != kAdmin && !core::CheckPermission(QStringLiteral("User Entry")))
        enterRestrictedMode();
}

void UserForm::fillUserList()
{
    const QSignalBlocker quiet(cmbUser);
    cmbUser->clear();
    for (data::Recordset rs = data::sharedDatabase().query(QStringLiteral("SELECT ID,Name FROM [User] ORDER BY Name"));
         !rs.isEOF(); rs.moveNext())
        cmbUser->addItem(rs.text(QStringLiteral("Name")), rs.integer(QStringLiteral("ID")));
    cmbUser->setCurrentIndex(-1);
}

void UserForm::fillAllPermissions(const QString &statement)
{
    fillList(lstAllPermissions, data::sharedDatabase().query(statement), QStringLiteral("ID"));
}

void UserForm::clearForm()
{
    for (QLineEdit *field :
         {txtName, txtAddress1, txtAddress2, txtCity, txtZip, txtEmail, txtUsername, txtPassword, txtPhone, txtFax})
        field->clear();
    lblID->clear();
    cmbState->setCurrentIndex(-1);
    showType(QString());
    chkInactive->setChecked(false);
    chkSalesRep->setChecked(false);
    for (QLineEdit *quantity :
         {txtSalesOrderPrintQty, txtInvoicePrintQty, txtPackingSlipPrintQty, txtPickTicketPrintQty})
        quantity->setText(QStringLiteral("1"));
    lstAllPermissions->clear();
    lstUserPermissions->clear();
    fillAllPermissions(QStringLiteral("SELECT * FROM Permission ORDER BY Name"));
    applyTypeRule();
    m_edits.markSaved();
}

void UserForm::fillForm()
{
    clearForm();
    if (cmbUser->currentIndex() < 0)
        return;
    showUser(cmbUser->currentData().toLongLong());
}

void UserForm::showUser(qint64 id)
{
    data::Database &db = data::sharedDatabase();
    data::Recordset rs = db.query(QStringLiteral("SELECT * FROM [User] WHERE ID = ") + data::sqlNumber(id));
    if (rs.isEmpty()) {
        clearForm();
        return;
    }
    lstAllPermissions->clear();
    lstUserPermissions->clear();
    lblID->setText(QString::number(id));
    for (const Column &c : kTextColumns)
        (this->*c.field)->setText(rs.text(QLatin1String(c.column)));
    shell::setMaskedText(txtPhone, rs.text(QStringLiteral("Phone")));
    shell::setMaskedText(txtFax, rs.text(QStringLiteral("Fax")));
    // The stored password is a hash; it is never shown.
    txtPassword->clear();
    cmbState->setCurrentIndex(cmbState->findText(rs.text(QStringLiteral("State")), Qt::MatchFixedString));
    showType(rs.text(QStringLiteral("Type")));
    chkInactive->setChecked(rs.flag(QStringLiteral("Inactive")));
    chkSalesRep->setChecked(rs.flag(QStringLiteral("SalesRep")));
    applyTypeRule();

    const QString user = data::sqlNumber(id);
    fillAllPermissions(QStringLiteral("SELECT * FROM Permission WHERE ID NOT IN (SELECT PermissionID FROM "
                                      "UserPermission WHERE UserID = %1) ORDER BY Name")
                           .arg(user));
    fillList(lstUserPermissions,
             db.query(QStringLiteral("SELECT Permission.ID AS PermissionID, Permission.Name FROM UserPermission "
                                     "INNER JOIN Permission ON UserPermission.PermissionID = Permission.ID "
                                     "WHERE UserID = %1 ORDER BY Permission.Name")
                          .arg(user)),
             QStringLiteral("PermissionID"));
    m_edits.markSaved();
}

void UserForm::showType(const QString &stored)
{
    // The entry equal to the stored type, letter case included: "admin" is not
    // "Admin", who holds every permission. A type the list does not hold is
    // shown as stored, as an entry of its own, and saved back unchanged.
    const QSignalBlocker quiet(cmbType);
    cmbType->clear();
    cmbType->addItems(m_types);
    if (!stored.isEmpty() && !m_types.contains(stored, Qt::CaseSensitive))
        cmbType->addItem(stored);
    cmbType->setCurrentIndex(stored.isEmpty() ? -1
                                              : cmbType->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void UserForm::applyTypeRule()
{
    if (m_restricted)
        return;
    const bool user = cmbType->currentText() == QLatin1String("User");
    for (QWidget *w : std::initializer_list<QWidget *>{lstAllPermissions, lstUserPermissions, btnAdd, btnRemove,
                                                       btnAddAll, btnRemoveAll})
        w->setEnabled(user);
}

void UserForm::movePermissions(QListWidget *from, QListWidget *to, bool all)
{
    for (int row = from->count() - 1; row >= 0; --row) {
        if (all || from->item(row)->isSelected()) {
            QListWidgetItem *item = from->takeItem(row);
            item->setSelected(false);
            to->addItem(item);
        }
    }
    to->sortItems();
}

void UserForm::enterRestrictedMode()
{
    m_restricted = true;
    const qint64 me = core::currentUser().id;
    {
        const QSignalBlocker quiet(cmbUser);
        cmbUser->setCurrentIndex(cmbUser->findData(me));
    }
    showUser(me);
    // Every control but the labels; the frames stay enabled so that the
    // password field inside one can be used.
    for (QWidget *w : findChildren<QWidget *>())
        if (!qobject_cast<QLabel *>(w) && !qobject_cast<QGroupBox *>(w)
            && (w->parentWidget() == this || qobject_cast<QGroupBox *>(w->parentWidget())))
            w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{txtPassword, btnSave, btnExit})
        w->setEnabled(true);
    txtPassword->setPlaceholderText(QStringLiteral("(new password)"));
}

namespace {

// Whether another active "Admin" remains when this user stops being one. Runs
// inside the transaction that writes, after lockUsers(), so that two
// workstations cannot each take away one of the last two.
bool keepsAnActiveAdmin(data::Database &db, qint64 id)
{
    data::Recordset self =
        db.query(QStringLiteral("SELECT Type, Inactive FROM [User] WHERE ID = ") + data::sqlNumber(id));
    if (self.isEmpty() || self.text(QStringLiteral("Type")) != kAdmin || self.flag(QStringLiteral("Inactive")))
        return true;
    // The type is compared as the permission check compares it: exactly.
    data::Recordset others =
        db.query(QStringLiteral("SELECT Type FROM [User] WHERE Inactive = 0 AND ID <> ") + data::sqlNumber(id));
    for (; !others.isEOF(); others.moveNext())
        if (others.text(QStringLiteral("Type")) == kAdmin)
            return true;
    return false;
}

// Changes to users wait for each other (SQLite's write transaction does this
// by itself).
void lockUsers(data::Database &db)
{
    data::lockTopic(db, QStringLiteral("users"));
}

void refuseLastAdmin(const QString &title)
{
    shell::showMessage(title,
                       QStringLiteral("This is the last active Admin user. Make another user an active Admin "
                                      "first, or nobody could manage the users any more."));
}

} // namespace

void UserForm::save()
{
    data::Database &db = data::sharedDatabase();
    const QString password = trimSpaces(txtPassword->text());
    if (m_restricted) {
        if (password.isEmpty()) {
            shell::showMessage(QStringLiteral("Required Fields"), QStringLiteral("Type your new password."));
            return;
        }
        db.execute(QStringLiteral("UPDATE [User] SET Password = ") + data::sqlText(data::hashPassword(password))
                   + QStringLiteral(" WHERE ID = ") + data::sqlNumber(qint64(core::currentUser().id)));
        txtPassword->clear();
        shell::showMessage(QStringLiteral("Password Changed"), QStringLiteral("Your password has been changed."));
        return;
    }

    if (txtName->text().isEmpty() || cmbType->currentText().isEmpty()) {
        shell::showMessage(QStringLiteral("Required Fields"), QStringLiteral("Name and Type are Required."));
        return;
    }
    const bool isNew = lblID->text().isEmpty();
    if (isNew && password.isEmpty()) {
        shell::showMessage(QStringLiteral("Required Fields"), QStringLiteral("A new user needs a password."));
        return;
    }
    const QString type = cmbType->currentText();

    if (!saveUser(db, isNew, type, password)) {
        refuseLastAdmin(QStringLiteral("Cannot Save"));
        return;
    }
    clearForm();
    fillUserList();
    cmbUser->setFocus();
}

bool UserForm::saveUser(data::Database &db, bool isNew, const QString &type, const QString &password)
{
    core::BusyCursor busy;
    data::Transaction transaction(db);
    lockUsers(db);
    if (!isNew && !(type == kAdmin && !chkInactive->isChecked()) && !keepsAnActiveAdmin(db, lblID->text().toLongLong()))
        return false; // rolled back
    data::Recordset rs;
    if (!isNew) {
        rs = db.query(QStringLiteral("SELECT * FROM [User] WHERE ID = ") + data::sqlNumber(lblID->text().toLongLong()));
        if (rs.isEmpty())
            throw data::DbError(QStringLiteral("This user was deleted on another workstation; nothing was saved."));
    } else {
        rs = db.query(QStringLiteral("SELECT TOP 1 * FROM [User]"));
        rs.addNew();
        rs.setValue(QStringLiteral("EnteredDate"), core::currentDateTime());
        rs.setValue(QStringLiteral("EnteredBy"), core::currentUser().userName);
    }
    for (const Column &c : kTextColumns)
        rs.setValue(QLatin1String(c.column), (this->*c.field)->text());
    rs.setValue(QStringLiteral("Username"), trimSpaces(txtUsername->text()));
    rs.setValue(QStringLiteral("State"), cmbState->currentText());
    rs.setValue(QStringLiteral("Phone"), shell::maskedText(txtPhone));
    rs.setValue(QStringLiteral("Fax"), shell::maskedText(txtFax));
    rs.setValue(QStringLiteral("SalesRep"), chkSalesRep->isChecked());
    rs.setValue(QStringLiteral("Inactive"), chkInactive->isChecked());
    rs.setValue(QStringLiteral("Type"), type);
    if (!password.isEmpty())
        rs.setValue(QStringLiteral("Password"), data::hashPassword(password));
    rs.update();
    const qint64 id = rs.integer(QStringLiteral("ID"));
    lblID->setText(QString::number(id));

    db.execute(QStringLiteral("DELETE FROM UserPermission WHERE UserID = ") + data::sqlNumber(id));
    // An "Admin" holds every permission by the type and keeps no rows.
    if (type != kAdmin)
        for (int row = lstUserPermissions->count() - 1; row >= 0; --row)
            db.execute(QStringLiteral("INSERT INTO UserPermission (UserID,PermissionID) VALUES (%1,%2)")
                           .arg(data::sqlNumber(id),
                                data::sqlNumber(lstUserPermissions->item(row)->data(Qt::UserRole).toLongLong())));
    transaction.commit();
    return true;
}

void UserForm::remove()
{
    if (lblID->text().isEmpty()) {
        clearForm();
        return;
    }
    const qint64 id = lblID->text().toLongLong();
    if (id == core::currentUser().id) {
        shell::showMessage(QStringLiteral("Cannot Delete"), QStringLiteral("You cannot delete your own user account."));
        return;
    }
    if (!shell::askYesDefaultNo(QStringLiteral("Delete Confirmation"),
                                QStringLiteral("Are you sure you want to delete this user?"), shell::MessageIcon::None,
                                this))
        return;
    data::Database &db = data::sharedDatabase();
    const QString user = data::sqlNumber(id);
    enum { Deleted, LastAdmin, Referenced } outcome = Deleted;
    {
        // The checks run inside the transaction that deletes, so nothing can
        // change between them and the delete; a refusal rolls it back before
        // its message is shown.
        data::Transaction transaction(db);
        lockUsers(db);
        data::holdWritesTo(db, {QStringLiteral("Orders"), QStringLiteral("Customer")});
        if (!keepsAnActiveAdmin(db, id)) {
            outcome = LastAdmin;
        } else if (db.query(QStringLiteral("SELECT COUNT(ID) AS IDCount FROM Orders WHERE SalesRepID = ") + user)
                           .integer(QStringLiteral("IDCount"))
                       != 0
                   || db.query(QStringLiteral("SELECT COUNT(ID) AS IDCount FROM Customer WHERE SalesRepID = ") + user)
                           .integer(QStringLiteral("IDCount"))
                       != 0) {
            outcome = Referenced;
        } else {
            db.execute(QStringLiteral("DELETE FROM UserPermission WHERE UserID = ") + user);
            db.execute(QStringLiteral("DELETE FROM [User] WHERE ID = ") + user);
            transaction.commit();
        }
    }
    if (outcome == LastAdmin) {
        refuseLastAdmin(QStringLiteral("Cannot Delete"));
        return;
    }
    if (outcome == Referenced) {
        shell::showMessage(QStringLiteral("Cannot Delete"),
                           QStringLiteral("Cannot delete the select user because they are used in one or more "
                                          "orders or customers."));
        return;
    }
    clearForm();
    fillUserList();
    cmbUser->setFocus();
}

} // namespace masterdata
