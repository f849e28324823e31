#pragma once

#include <QString>

namespace data {
class Database;
} // namespace data

namespace core {

struct CurrentUser;

// Whether the user holds the named permission. A user of type "Admin" (exactly
// so, case counts) holds every permission without the database being read;
// anyone else needs a UserPermission row for the Permission row of that name.
// A name with no Permission row is never held. Nothing is cached: a change on
// the user screen counts from the next check.
bool CheckPermission(data::Database &db, const CurrentUser &user, const QString &permissionName);
// The same for the current user on the shared connection.
bool CheckPermission(const QString &permissionName);

// The refusal every guarded menu item shows: "Invalid Permission".

} // namespace core
