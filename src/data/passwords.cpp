#include "data/passwords.h"

#include "data/database.h"

#include <sodium.h>
#include <stdexcept>

namespace data {

namespace {
void ensureSodium()
{
    static const bool ready = sodium_init() >= 0;
    if (!ready)
        throw std::runtime_error("The password library could not start.");
}
} // namespace

QString hashPassword(const QString &password)
{
    ensureSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(out, utf8.constData(), quint64(utf8.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                              crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw std::runtime_error("Out of memory while hashing a password.");
    return QString::fromLatin1(out);
}

bool isPasswordHash(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2id$"));
}

bool verifyPassword(const QString &stored, const QString &typed)
{
    if (!isPasswordHash(stored)) {
        // A plain value left from before hashing: compared in constant time,
        // by digests of equal length, so the time taken tells nothing of how
        // much of it matched.
        if (stored.isEmpty())
            return false;
        ensureSodium();
        const QByteArray a = stored.toUtf8();
        const QByteArray b = typed.toUtf8();
        unsigned char da[crypto_generichash_BYTES];
        unsigned char dbytes[crypto_generichash_BYTES];
        crypto_generichash(da, sizeof da, reinterpret_cast<const unsigned char *>(a.constData()), size_t(a.size()),
                           nullptr, 0);
        crypto_generichash(dbytes, sizeof dbytes, reinterpret_cast<const unsigned char *>(b.constData()),
                           size_t(b.size()), nullptr, 0);
        return sodium_memcmp(da, dbytes, sizeof da) == 0;
    }
    ensureSodium();
    const QByteArray hash = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), utf8.constData(), quint64(utf8.size())) == 0;
}

QString generatePassword()
{
    ensureSodium();
    static const char alphabet[] = "abcdefghjkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    const uint32_t size = sizeof alphabet - 1;
    QString password;
    for (int i = 0; i < 20; ++i)
        password += QLatin1Char(alphabet[randombytes_uniform(size)]);
    return password;
}

int upgradePlainPasswords(Database &db)
{
    Transaction tx(db);
    Recordset rs = db.query(QStringLiteral("SELECT ID, Password FROM [User]"));
    int upgraded = 0;
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString stored = rs.text(QStringLiteral("Password"));
        if (stored.isEmpty() || isPasswordHash(stored))
            continue;
        db.execute(QStringLiteral("UPDATE [User] SET Password = ? WHERE ID = ?"),
                   {hashPassword(stored), rs.integer(QStringLiteral("ID"))});
        ++upgraded;
    }
    tx.commit();
    return upgraded;
}

} // namespace data
