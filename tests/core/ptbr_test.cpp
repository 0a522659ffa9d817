#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>

#include "core/errors.h"
#include "core/ptbr.h"

namespace tavrel {
namespace {

// Every box that takes a number reads it with this rule; each line is one typed text and what
// an amount box and a rate box make of it (nothing: refused, error 13, nothing stored).
struct TypedNumber {
    const char* text;
    std::optional<double> amount;
    std::optional<double> rate;
};

TEST(ParseNumber, OneRuleForEveryTypedNumber) {
    const std::optional<double> refused;
    const TypedNumber table[] = {
        // A dot groups thousands only in a well-formed grouping.
        {"0.001", refused, refused},  // was read as 1: a fee of the whole cheque
        {"0.038", refused, refused},  // was 38
        {"0.380", refused, refused},  // was 380
        {"0.0038", refused, refused},
        {"1.500", 1500.0, refused},
        {"12.345.678,90", 12345678.9, refused},
        {"1.234.567,8", 1234567.8, refused},
        {"1500.75", refused, refused},
        {"1.5", refused, refused},
        {"1.50,00", refused, refused},
        {"1234.567", refused, refused},
        {"01.500", refused, refused},
        {".500", refused, refused},
        // Plain digits with a decimal comma.
        {"0,0038", 0.0038, 0.0038},
        {"0,001", 0.001, 0.001},
        {"1500,75", 1500.75, 1500.75},
        {" 1500 ", 1500.0, 1500.0},
        {"-3,5", -3.5, -3.5},
        {"+2", 2.0, 2.0},
        {"10,", 10.0, 10.0},
        {"4,5", 4.5, 4.5},
        // Not numbers.
        {"", refused, refused},
        {"   ", refused, refused},
        {"abc", refused, refused},
        {"12a", refused, refused},
        {"R$ 10", refused, refused},
        {"1,2,3", refused, refused},
        {",", refused, refused},
        {"1e5", refused, refused},
    };
    for (const TypedNumber& line : table) {
        const QString text = QString::fromUtf8(line.text);
        EXPECT_EQ(parseNumber(text), line.amount) << line.text;
        EXPECT_EQ(parseNumber(text, NumberKind::Rate), line.rate) << line.text << " (rate)";
    }
    EXPECT_EQ(toNumber("1.500"), 1500.0);
    EXPECT_THROW(toNumber("R$ 10"), ConversionError);
    EXPECT_THROW(toNumber("1.500", NumberKind::Rate), ConversionError);
}

TEST(FormatNumber, DecimalCommaNoGroupingNoExponent) {
    EXPECT_EQ(formatNumber(1500.75), "1500,75");
    EXPECT_EQ(formatNumber(3), "3");
    EXPECT_EQ(formatNumber(-3), "-3");
    EXPECT_EQ(formatNumber(0.0038), "0,0038");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0,3");  // 15 significant digits: no binary noise
    EXPECT_EQ(formatNumber(0.0), "0");
    EXPECT_EQ(formatNumber(-0.0), "0");
    EXPECT_EQ(formatNumber(1e20), "100000000000000000000");
    EXPECT_EQ(formatNumber(12345678.9), "12345678,9");
    // Small values keep their digits (they were cut to ten decimals: 0,0000010003 and "-0").
    EXPECT_EQ(formatNumber(0.00000100026), "0,00000100026");
    EXPECT_EQ(formatNumber(-1.1e-11), "-0,000000000011");
    EXPECT_EQ(formatNumber(0.00001), "0,00001");
}

// What a box shows reads back as the value stored, so saving a shown value stores it unchanged.
TEST(FormatNumber, ShownNumbersReadBackAsTheStoredValue) {
    const double values[] = {0.00000100026, -1.1e-11, 0.0038, 0.038, 1500.75,
                             12345678.9,    0.1,      1e-300, 1e300, 123456789012345.0,
                             -987.654321,   4.5,      30.0};
    for (double value : values) {
        const std::optional<double> back = parseNumber(formatNumber(value));
        ASSERT_TRUE(back) << formatNumber(value).toStdString();
        EXPECT_EQ(*back, value) << formatNumber(value).toStdString();
    }
    // Any value with at most 15 significant digits, the most a typed value can have.
    std::mt19937_64 random(20261208);
    std::uniform_int_distribution<long long> mantissa(1, 999999999999999LL);
    std::uniform_int_distribution<int> exponent(-30, 20);
    for (int i = 0; i < 20000; ++i) {
        const double value =
            std::stod(std::to_string(mantissa(random)) + "e" + std::to_string(exponent(random)));
        const std::optional<double> back = parseNumber(formatNumber(value));
        ASSERT_TRUE(back && *back == value) << formatNumber(value).toStdString();
    }
}

TEST(ParseDate, AcceptsRealDaysOnly) {
    EXPECT_EQ(parseDate("08/12/2026"), QDate(2026, 12, 8));
    EXPECT_EQ(parseDate("8/12/2026"), QDate(2026, 12, 8));
    EXPECT_EQ(parseDate("29/02/2028"), QDate(2028, 2, 29));
    EXPECT_FALSE(parseDate("29/02/2027"));
    EXPECT_FALSE(parseDate("31/04/2026"));
    EXPECT_FALSE(parseDate("12/__/____"));
    EXPECT_FALSE(parseDate("  /  /    "));
    EXPECT_FALSE(parseDate("2026-12-08"));
    EXPECT_THROW(toDate("32/01/2026"), ConversionError);
}

TEST(DateForms, StorageDisplayAndFormula) {
    const QDate day(2026, 12, 8);
    EXPECT_EQ(formatDate(day), "08/12/2026");
    EXPECT_EQ(storageDate(day), "2026-12-08");
    EXPECT_EQ(fromStorageDate(QStringLiteral("2026-12-08")), day);
    EXPECT_EQ(formulaDate(day), "#2026/12/08#");
}

TEST(RegionalText, WritesValuesAsTheOperatorReadsThem) {
    EXPECT_EQ(regionalText(QVariant(1500.75)), "1500,75");
    EXPECT_EQ(regionalText(QVariant(QDate(2026, 12, 8))), "08/12/2026");
    EXPECT_EQ(regionalText(QVariant(QStringLiteral("**"))), "**");
    EXPECT_EQ(regionalText(QVariant(42)), "42");
}

}  // namespace
}  // namespace tavrel
