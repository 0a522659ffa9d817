#pragma once

#include <QString>

namespace tavrel {

// Passwords are kept only as argon2id hashes (libsodium's crypto_pwhash_str), never as text.

// A new hash of `password`, in libsodium's self-describing text form ("$argon2id$...").
QString hashPassword(const QString& password);

// True when `password` is exactly the one hashed (letter case included). A stored value that is
// not a hash never matches.
bool verifyPassword(const QString& password, const QString& storedHash);

}  // namespace tavrel
