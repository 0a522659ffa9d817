#include "core/password.h"

#include <sodium.h>

#include <stdexcept>

namespace tavrel {
namespace {

void ensureSodium() {
    static const bool ready = sodium_init() >= 0;
    if (!ready) {
        throw std::runtime_error("libsodium could not be initialised");
    }
}

}  // namespace

QString hashPassword(const QString& password) {
    ensureSodium();
    const QByteArray bytes = password.toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    // Interactive limits: fast enough for a login, still memory-hard.
    if (crypto_pwhash_str(hash, bytes.constData(), static_cast<unsigned long long>(bytes.size()),
                          crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
        throw std::runtime_error("out of memory while hashing a password");
    }
    return QString::fromLatin1(hash);
}

bool verifyPassword(const QString& password, const QString& storedHash) {
    ensureSodium();
    if (!storedHash.startsWith(QLatin1String("$argon2"))) {
        return false;
    }
    const QByteArray hash = storedHash.toLatin1();
    const QByteArray bytes = password.toUtf8();
    return crypto_pwhash_str_verify(hash.constData(), bytes.constData(),
                                    static_cast<unsigned long long>(bytes.size())) == 0;
}

}  // namespace tavrel
