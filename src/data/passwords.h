#pragma once

#include <QString>

namespace data {

// Passwords are kept as argon2id hashes ("$argon2id$..."). A row written before
// hashing came in may still hold the plain text; it is recognised so that login
// can accept it once and store its hash.
QString hashPassword(const QString &password);
bool isPasswordHash(const QString &stored);
// True when the typed password matches the stored hash (or, for a legacy row,
// the stored plain text).
bool verifyPassword(const QString &stored, const QString &typed);
// A password nobody chose: 20 characters from letters and digits that cannot
// be mistaken for one another (about 100 bits).
QString generatePassword();

class Database;
// Replaces every plain-text password left in [User] by its hash, in one
// transaction; answers how many were replaced.
int upgradePlainPasswords(Database &db);

} // namespace data
