#include "shell/formlayout.h"
#include "shell/loginform.h"

#include "data/database.h"
#include "data/passwords.h"
#include "data/quoting.h"
#include "core/cursor.h"
#include "shell/defaultbutton.h"
#include "shell/messages.h"
#include "shell/named.h"
#include "shell/typeahead.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shell {

namespace {

// Leading and trailing spaces only, as typed names and passwords are trimmed.
QString trimSpaces(const QString &text)
{
    qsizetype start = 0, end = text.size();
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    while (end > start && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}

} // namespace

std::optional<core::CurrentUser> authenticateUser(data::Database &db, const QString &userName, const QString &password)
{
    // The typed name is bound as a parameter: it never becomes statement text.
    data::Recordset rs =
        db.query(QStringLiteral("SELECT ID,Type,Username,Password FROM [User] WHERE Username = ? AND Inactive <> 1"),
                 {userName});
    // User names compare without regard to case, so more than one row may
    // answer; the one whose password matches logs in.
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString stored = rs.text(QStringLiteral("Password"));
        if (!data::verifyPassword(stored, password))
            continue;
        core::CurrentUser user;
        user.id = rs.integer(QStringLiteral("ID"));
        user.type = rs.text(QStringLiteral("Type"));
        user.userName = rs.text(QStringLiteral("Username"));
        if (!data::isPasswordHash(stored))
            db.execute(QStringLiteral("UPDATE [User] SET Password = ? WHERE ID = ?"),
                       {data::hashPassword(password), user.id});
        return user;
    }
    return std::nullopt;
}

LoginForm::LoginForm(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));

    lblUsername = named(new QLabel(QStringLiteral("Username"), this), "lblUsername");
    txtUsername = named(new QLineEdit(this), "txtUsername");
    Label1 = named(new QLabel(QStringLiteral("Password"), this), "Label1");
    txtPassword = named(new QLineEdit(this), "txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    lblUsername->setBuddy(txtUsername);
    Label1->setBuddy(txtPassword);
    btnLogin = named(new QPushButton(QStringLiteral("Login"), this), "btnLogin");
    btnCancel = named(new QPushButton(QStringLiteral("Close"), this), "btnCancel");
    attachSelectOnFocus(txtUsername);
    attachSelectOnFocus(txtPassword);
    // Enter presses Login, or the button that has the focus.
    attachDefaultButton(this, btnLogin);

    auto *fields = new QGridLayout;
    fields->addWidget(lblUsername, 0, 0);
    fields->addWidget(txtUsername, 0, 1);
    fields->addWidget(Label1, 1, 0);
    fields->addWidget(txtPassword, 1, 1);
    fields->setColumnMinimumWidth(1, 180);
    auto *buttons = buttonRow({btnLogin, btnCancel});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    setTabOrder(txtUsername, txtPassword);
    setTabOrder(txtPassword, btnLogin);
    setTabOrder(btnLogin, btnCancel);

    connect(btnLogin, &QPushButton::clicked, this, &LoginForm::login);
    connect(btnCancel, &QPushButton::clicked, this, &LoginForm::closeRequested);
}

void LoginForm::login()
{
    if (txtUsername->text().isEmpty()) {
        showWarning(QStringLiteral("Invalid Username"), QStringLiteral("You must enter a username"), this);
        txtUsername->setFocus();
        return;
    }
    if (txtPassword->text().isEmpty()) {
        showWarning(QStringLiteral("Invalid Password"), QStringLiteral("You must enter a password"), this);
        txtPassword->setFocus();
        return;
    }
    std::optional<core::CurrentUser> user;
    const bool checked = reportingDbErrors(
        [&] {
            core::BusyCursor busy; // checking a password hash takes a moment
            user = authenticateUser(data::sharedDatabase(), trimSpaces(txtUsername->text()),
                                    trimSpaces(txtPassword->text()));
        },
        this);
    if (!checked)
        return;
    if (!user) {
        showWarning(QStringLiteral("Invalid Username/Password"),
                    QStringLiteral("Your username and/or password is invalid."), this);
        txtUsername->clear();
        txtPassword->clear();
        txtUsername->setFocus();
        return;
    }
    core::setCurrentUser(*user);
    emit loggedIn();
    close();
}

} // namespace shell
