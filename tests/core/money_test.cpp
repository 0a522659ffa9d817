#include <gtest/gtest.h>

#include "core/money.h"

namespace tavrel {
namespace {

struct RoundingCase {
    double value;
    double expected;
};

class RoundMoneyTest : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundMoneyTest, RoundsHalfAwayFromZeroOnFifteenDigits) {
    EXPECT_DOUBLE_EQ(roundMoney(GetParam().value), GetParam().expected)
        << "value " << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Money, RoundMoneyTest,
    ::testing::Values(
        // Binary values just under the half that the decimal form shows as exactly half.
        RoundingCase{1.005, 1.01}, RoundingCase{2.675, 2.68}, RoundingCase{-1.005, -1.01},
        RoundingCase{1.015, 1.02}, RoundingCase{0.285, 0.29}, RoundingCase{1.255, 1.26},
        RoundingCase{8.345, 8.35}, RoundingCase{-2.675, -2.68},
        // Below and above the half.
        RoundingCase{1.0049, 1.0}, RoundingCase{1.0051, 1.01}, RoundingCase{0.004, 0.0},
        RoundingCase{0.005, 0.01}, RoundingCase{-0.005, -0.01},
        // Already exact, large, tiny, zero.
        RoundingCase{945.0, 945.0}, RoundingCase{12.3, 12.3}, RoundingCase{1234567.895, 1234567.9},
        RoundingCase{99999999.995, 100000000.0}, RoundingCase{0.0000001, 0.0},
        RoundingCase{0.0, 0.0},
        // A carry into a new digit, an exact binary half, beyond 15 digits, negative tiny.
        RoundingCase{9.995, 10.0}, RoundingCase{-99.995, -100.0}, RoundingCase{0.125, 0.13},
        RoundingCase{1e20, 1e20}, RoundingCase{-0.004, 0.0},
        // Results of real computations: 1000 * 0.0038 and 3 * 1.1.
        RoundingCase{1000 * 0.0038, 3.8}, RoundingCase{3 * 1.115, 3.35}));

TEST(RoundWhole, RoundsHalfAwayFromZero) {
    EXPECT_EQ(roundWhole(2.5), 3.0);
    EXPECT_EQ(roundWhole(-2.5), -3.0);
    EXPECT_EQ(roundWhole(2.4999), 2.0);
}

TEST(FormatMoney, UsesDecimalCommaAndTwoDecimals) {
    EXPECT_EQ(formatMoney(1500.75), "1500,75");
    EXPECT_EQ(formatMoney(1.005), "1,01");
    EXPECT_EQ(formatMoney(0), "0,00");
    EXPECT_EQ(formatMoney(-0.001), "0,00");
    EXPECT_EQ(formatMoney(-12.5), "-12,50");
    EXPECT_EQ(formatMoney(1234567.891), "1234567,89");
}

TEST(FormatCurrency, GroupsThousandsWithRealSign) {
    EXPECT_EQ(formatCurrency(1500.75), "R$ 1.500,75");
    EXPECT_EQ(formatCurrency(2.675), "R$ 2,68");
    EXPECT_EQ(formatCurrency(-1234567.5), "-R$ 1.234.567,50");
    EXPECT_EQ(formatCurrency(-0.001), "R$ 0,00");
}

TEST(FormatAmount, GroupsThousandsWithoutExponents) {
    EXPECT_EQ(formatAmount(80000), "80.000,00");
    EXPECT_EQ(formatAmount(1e6), "1.000.000,00");
    EXPECT_EQ(formatAmount(1e15), "1.000.000.000.000.000,00");
    EXPECT_EQ(formatAmount(-1.5), "-1,50");
    EXPECT_EQ(formatAmount(-0.001), "0,00");
    EXPECT_EQ(formatAmount(2.675), "2,68");
}

TEST(FormatZeroPadded, PadsToWidthAndKeepsLongerNumbers) {
    EXPECT_EQ(formatZeroPadded(7, 5), "00007");
    EXPECT_EQ(formatZeroPadded(1000, 3), "1000");
    EXPECT_EQ(formatZeroPadded(1, 10), "0000000001");
}

}  // namespace
}  // namespace tavrel
