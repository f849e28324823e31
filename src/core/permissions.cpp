#include "core/permissions.h"

#include "data/database.h"
#include "data/quoting.h"
#include "core/currentuser.h"

namespace core {

namespace {
CurrentUser g_user;
} // namespace

const CurrentUser &currentUser()
{
    return g_user;
}

void setCurrentUser(const CurrentUser &user)
{
    g_user = user;
}

bool CheckPermission(data::Database &db, const CurrentUser &user, const QString &permissionName)
{
    if (user.type == QLatin1String("Admin"))
        return true;
    data::Recordset permission =
        db.query(QStringLiteral("SELECT ID FROM Permission WHERE Name = ") + data::sqlText(permissionName));
    // A name with no Permission row is held by nobody, whatever rows a
    // UserPermission table may carry for an unassigned ID.
    if (permission.isEmpty())
        return false;
    const qint64 permissionId = permission.integer(QStringLiteral("ID"));
    data::Recordset held =
        db.query(QStringLiteral("SELECT * FROM UserPermission WHERE UserID = ") + data::sqlNumber(qint64(user.id))
                 + QStringLiteral(" AND PermissionID = ") + data::sqlNumber(permissionId));
    return !held.isEmpty();
}

bool CheckPermission(const QString &permissionName)
{
    return CheckPermission(data::sharedDatabase(), currentUser(), permissionName);
}

} // namespace core
