#pragma once

#include "data/database.h"
#include "data/passwords.h"
#include "data/quoting.h"

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

} // namespace shelltest
