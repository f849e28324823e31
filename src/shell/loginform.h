#pragma once

#include "core/currentuser.h"

#include <QWidget>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace data {
class Database;
} // namespace data

namespace shell {

// The active user with this user name and password, or nothing. The user name
// is compared by the database (its rules for case); the password is checked
// here against the stored argon2id hash. A row that still holds the password
// as plain text is accepted when it matches and gets its hash written at once.
std::optional<core::CurrentUser> authenticateUser(data::Database &db, const QString &userName, const QString &password);

// frmLogin: user name and password. A successful login sets the current user,
// unlocks the main menu (loggedIn) and closes the window; Close ends the
// program (closeRequested).
class LoginForm : public QWidget {
    Q_OBJECT
public:
    explicit LoginForm(QWidget *parent = nullptr);

    QLabel *lblUsername;
    QLineEdit *txtUsername;
    QLabel *Label1;
    QLineEdit *txtPassword;
    QPushButton *btnLogin;
    QPushButton *btnCancel;

signals:
    void loggedIn();
    void closeRequested();

private:
    void login();
};

} // namespace shell
