#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/ptbr.h"

namespace tavrel {
namespace {

TEST(ParseNumber, AcceptsBrazilianForms) {
    EXPECT_EQ(parseNumber("1.500,75"), 1500.75);
    EXPECT_EQ(parseNumber("1500,75"), 1500.75);
    EXPECT_EQ(parseNumber(" 1500 "), 1500.0);
    EXPECT_EQ(parseNumber("1.234.567,8"), 1234567.8);
    EXPECT_EQ(parseNumber("-3,5"), -3.5);
    EXPECT_EQ(parseNumber("0,0038"), 0.0038);
    EXPECT_EQ(parseNumber("10,"), 10.0);
}

TEST(ParseNumber, RefusesTextThatWouldStoreAWrongValue) {
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("abc"));
    EXPECT_FALSE(parseNumber("12a"));
    EXPECT_FALSE(parseNumber("1500.75"));  // a dot is a thousands separator here
    EXPECT_FALSE(parseNumber("1.50,00"));
    EXPECT_FALSE(parseNumber("1,2,3"));
    EXPECT_FALSE(parseNumber(","));
    EXPECT_THROW(toNumber("R$ 10"), ConversionError);
}

TEST(FormatNumber, ShortestWithDecimalComma) {
    EXPECT_EQ(formatNumber(1500.75), "1500,75");
    EXPECT_EQ(formatNumber(3), "3");
    EXPECT_EQ(formatNumber(0.0038), "0,0038");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0,3");
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
