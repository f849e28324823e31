#pragma once

#include <QString>
#include <QtGlobal>

namespace core {

// The user who logged in, held from a successful login until the program ends.
// Before login the ID is 0 and the type empty, so every permission check fails.
struct CurrentUser {
    qint64 id = 0;
    QString type; // a UserType name, "Admin" for administrators
    QString userName;
};

const CurrentUser &currentUser();
void setCurrentUser(const CurrentUser &user);

} // namespace core
