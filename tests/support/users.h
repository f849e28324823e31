#pragma once

#include "data/database.h"
#include "data/passwords.h"
#include "data/quoting.h"
#include "core/currentuser.h"
#include "shell/mainwindow.h"

// Users and permissions for shell tests.
namespace shelltest {

// inactive: 0, 1 or a null QVariant. hashed: store the argon2id hash (as the
// program writes it) or the plain text (as rows written before hashing hold).
inline qint64 addUser(data::Database &db, const QString &name, const QString &password, const QString &type = "User",
                      const QVariant &inactive = 0, bool hashed = true)
{
    data::Recordset row = data::addRow(db, "[User]",
                                       {{"Username", name},
                                        {"Password", hashed ? data::hashPassword(password) : password},
                                        {"Type", type},
                                        {"Inactive", inactive}});
    return row.integer("ID");
}

inline void grant(data::Database &db, qint64 userId, const QString &permission)
{
    db.execute("INSERT INTO UserPermission (UserID, PermissionID) SELECT " + data::sqlNumber(userId)
               + ", ID FROM Permission WHERE Name = " + data::sqlText(permission));
}

// Logs a new user of that type in, as a successful login does: the current
// user is set and the main window's menu unlocked. Answers the user's ID.
inline qint64 logInAs(data::Database &db, shell::MainWindow &window, const QString &type)
{
    const qint64 id = addUser(db, "u" + type, "pw", type);
    core::setCurrentUser({id, type, "u" + type});
    window.unlockMenu();
    return id;
}

} // namespace shelltest
