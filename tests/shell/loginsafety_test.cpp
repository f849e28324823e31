// What is typed at the login screen reaches the database as data only, and the
// user who logs in is the one whose row matched, whatever its ID.
#include "data/passwords.h"
#include "shell/loginform.h"
#include "core/permissions.h"

#include "support/cli.h"
#include "support/testdatabase.h"
#include "support/users.h"

#include <gtest/gtest.h>

using namespace shell;
using namespace core;
using shelltest::addUser;

namespace {

class LoginSafety : public testsupport::BackendTest {};

TEST_P(LoginSafety, ATypedNameNeverRunsAsAStatement)
{
    // With standard_conforming_strings off (a server, database or role
    // setting), a backslash once ended the quoted name early.
    std::unique_ptr<data::Database> workstation;
    if (isPostgres()) {
        const testsupport::ScopedEnv off("PGOPTIONS", "-c standard_conforming_strings=off");
        workstation = temp().openAnother();
        EXPECT_EQ(workstation->queryNative(QStringLiteral("SHOW standard_conforming_strings")).value(0).toString(),
                  QStringLiteral("on"));
    }
    data::Database &db = workstation ? *workstation : this->db();
    for (const char *name : {"\\'; CREATE TABLE injected_probe(x int); --", "' OR 1=1 --", "\\"})
        EXPECT_FALSE(authenticateUser(db, QString::fromLatin1(name), QStringLiteral("x")));
    EXPECT_FALSE(db.tableExists(QStringLiteral("injected_probe")));
}

TEST_P(LoginSafety, AUserWithALargeIdLogsInAsThemselves)
{
    const qint64 first = addUser(db(), QStringLiteral("first"), QStringLiteral("pw1"));
    db().execute(
        QStringLiteral("INSERT INTO [User] (ID, Username, Password, Type, Inactive) VALUES (%1, 'big', %2, 'User', 0)")
            .arg(first + 65536)
            .arg(data::sqlText(data::hashPassword(QStringLiteral("pw2")))));
    shelltest::grant(db(), first, QStringLiteral("Order Navigator"));
    const std::optional<CurrentUser> big = authenticateUser(db(), QStringLiteral("big"), QStringLiteral("pw2"));
    ASSERT_TRUE(big);
    EXPECT_EQ(big->id, first + 65536);
    EXPECT_FALSE(CheckPermission(db(), *big, QStringLiteral("Order Navigator")));
}

TEST_P(LoginSafety, PlainTextPasswordsAreHashedAtLoginOrAllAtOnce)
{
    addUser(db(), QStringLiteral("old"), QStringLiteral("plain1"), QStringLiteral("User"), 0, false);
    addUser(db(), QStringLiteral("older"), QStringLiteral("plain2"), QStringLiteral("User"), 0, false);
    addUser(db(), QStringLiteral("new"), QStringLiteral("hashed"));
    EXPECT_FALSE(authenticateUser(db(), QStringLiteral("old"), QStringLiteral("plain")));
    EXPECT_FALSE(authenticateUser(db(), QStringLiteral("old"), QStringLiteral("plain1 ")));
    ASSERT_TRUE(authenticateUser(db(), QStringLiteral("old"), QStringLiteral("plain1")));
    EXPECT_EQ(data::upgradePlainPasswords(db()), 1); // "older" only: "old" was hashed at its login
    EXPECT_EQ(data::upgradePlainPasswords(db()), 0);
    for (data::Recordset rs = db().query(QStringLiteral("SELECT Password FROM [User]")); !rs.isEOF(); rs.moveNext())
        EXPECT_TRUE(data::isPasswordHash(rs.text(QStringLiteral("Password"))));
    EXPECT_TRUE(authenticateUser(db(), QStringLiteral("older"), QStringLiteral("plain2")));
}

BUNLINE_ON_EVERY_BACKEND(LoginSafety);

TEST(Passwords, GeneratedPasswordsAreLongAndDiffer)
{
    const QString a = data::generatePassword();
    EXPECT_EQ(a.size(), 20);
    EXPECT_NE(a, data::generatePassword());
}

} // namespace
