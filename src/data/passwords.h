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

} // namespace data
