#include <gtest/gtest.h>

#include "core/password.h"

namespace tavrel {
namespace {

TEST(Password, HashIsArgon2idAndVerifiesOnlyTheExactPassword) {
    const QString hash = hashPassword("Segredo1");
    EXPECT_TRUE(hash.startsWith("$argon2id$"));
    EXPECT_FALSE(hash.contains("Segredo1"));
    EXPECT_TRUE(verifyPassword("Segredo1", hash));
    EXPECT_FALSE(verifyPassword("segredo1", hash)) << "letter case counts";
    EXPECT_FALSE(verifyPassword("Segredo1 ", hash));
    EXPECT_FALSE(verifyPassword("", hash));
    EXPECT_NE(hashPassword("Segredo1"), hash) << "each hash has its own salt";
}

TEST(Password, TextThatIsNotAHashNeverMatches) {
    EXPECT_FALSE(verifyPassword("Segredo1", "Segredo1"));
    EXPECT_FALSE(verifyPassword("", ""));
    EXPECT_TRUE(verifyPassword("", hashPassword(""))) << "an empty password is still a password";
}

}  // namespace
}  // namespace tavrel
