// SPDX-License-Identifier: MIT
#include "model/decimal.h"

#include "support/scopedlocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

using vellora::model::Decimal;

namespace {

struct ParseCase
{
    const char *name;
    const char *text;
    std::optional<std::string> expected; // toString of the result, nullopt for none
};

// Reading stops at the first character that does not fit; the rest is ignored.
const ParseCase parseCases[] = {
    {"plain", "12.50", "12.50"},
    {"integer", "7", "7"},
    {"negative_fraction", "-0.5", "-0.5"},
    {"plus_sign", "+3.25", "3.25"},
    {"exponent", "1e3", "1E+3"},
    {"exponent_upper_signed", "2.5E-3", "0.0025"},
    {"exponent_plus", "4E+2", "4E+2"},
    {"comma_stops", "1,5", "1"},
    {"german_grouping_stops_at_comma", "1.234,56", "1.234"},
    {"trailing_currency_ignored", "12.50 EUR", "12.50"},
    {"leading_currency_is_none", "EUR 12.50", std::nullopt},
    {"letters_are_none", "abc", std::nullopt},
    {"empty_is_none", "", std::nullopt},
    {"sign_alone_is_none", "-", std::nullopt},
    {"full_stop_alone_is_none", ".", std::nullopt},
    {"leading_full_stop", ".5", "0.5"},
    {"trailing_full_stop", "5.", "5"},
    {"exponent_without_digits_not_taken", "1e", "1"},
    {"exponent_sign_without_digits_not_taken", "1e+x", "1"},
    {"leading_zeros_dropped", "007.50", "7.50"},
    {"zero_keeps_scale", "0.00", "0.00"},
    {"negative_zero", "-0", "-0"},
    {"small_uses_exponent", "0.00000012", "1.2E-7"},
    {"leading_blank_is_none", " 7", std::nullopt},
    {"arabic_indic_digit_is_none", "\xd9\xa3", std::nullopt},
    {"forty_digits_exact", "1234567890123456789012345678901234567890.5",
     "1234567890123456789012345678901234567890.5"},
    {"huge_exponent_is_none", "1e9999999", std::nullopt},
    {"large_exponent_kept", "1e300", "1E+300"},
};

class DecimalParse : public testing::TestWithParam<ParseCase>
{};

TEST_P(DecimalParse, ReadsTheLeadingNumberExactly)
{
    const ParseCase &c = GetParam();
    const std::optional<Decimal> value = Decimal::parse(c.text);
    if (!c.expected) {
        EXPECT_FALSE(value.has_value()) << value->toString();
        return;
    }
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->toString(), *c.expected);
}

INSTANTIATE_TEST_SUITE_P(Grammar, DecimalParse, testing::ValuesIn(parseCases),
                         [](const auto &info) { return std::string(info.param.name); });

Decimal dec(const char *text)
{
    return Decimal::fromString(text).value();
}

TEST(Decimal, EqualityIsByValue)
{
    EXPECT_EQ(dec("12.50"), dec("12.5"));
    EXPECT_EQ(dec("1E+3"), dec("1000"));
    EXPECT_EQ(dec("1.25E+1"), dec("12.5"));
    EXPECT_EQ(dec("-0"), dec("0.000"));
    EXPECT_NE(dec("12.5"), dec("12.51"));
    EXPECT_NE(dec("1"), dec("-1"));
}

TEST(Decimal, OrdersByValue)
{
    EXPECT_LT(dec("-2"), dec("-1.5"));
    EXPECT_LT(dec("-0.01"), dec("0"));
    EXPECT_LT(dec("0.099"), dec("0.1"));
    EXPECT_LT(dec("99.999"), dec("1E+2"));
    EXPECT_GT(dec("100.005"), dec("100.00"));
}

TEST(Decimal, FromStringWantsTheWholeText)
{
    EXPECT_FALSE(Decimal::fromString("12.50 EUR").has_value());
    EXPECT_TRUE(Decimal::fromString("12.50").has_value());
}

TEST(Decimal, PlainTextHasNoExponent)
{
    EXPECT_EQ(dec("1E+3").toPlainString(), "1000");
    EXPECT_EQ(dec("1.5E-7").toPlainString(), "0.00000015");
    EXPECT_EQ(dec("12.50").toPlainString(), "12.50");
    EXPECT_EQ(dec("-1234.5").toPlainString(), "-1234.5");
    EXPECT_EQ(dec("0E+2").toPlainString(), "0");
}

TEST(Decimal, TextFormReadsBackToAnEqualValue)
{
    for (const char *text :
         {"12.50", "1E+3", "-0.0000001", "123456789012345678901234567890E-40", "5E+20", "0.000"}) {
        const Decimal value = dec(text);
        EXPECT_EQ(Decimal::fromString(value.toString()), value) << text;
    }
}

TEST(Decimal, ConvertsToTheNearestDouble)
{
    EXPECT_EQ(dec("2.675").toDouble(), 2.675); // the double just below 2.675
    EXPECT_EQ(dec("0.1").toDouble(), 0.1);
    EXPECT_EQ(dec("-12.5").toDouble(), -12.5);
    EXPECT_EQ(dec("1E+3").toDouble(), 1000.0);
    // 2^53 + 1 is halfway between two doubles: round half to even.
    EXPECT_EQ(dec("9007199254740993").toDouble(), 9007199254740992.0);
    EXPECT_EQ(dec("1e400").toDouble(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(dec("-1e400").toDouble(), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(dec("1e-400").toDouble(), 0.0);
}

TEST(Decimal, IgnoresTheProcessLocale)
{
    // A locale whose decimal separator is the comma must change nothing.
    const vellora::testing::ScopedLocale german("de_DE.UTF-8");
    VELLORA_REQUIRE_LOCALE(german, "de_DE.UTF-8");
    EXPECT_EQ(Decimal::parse("12.50")->toString(), "12.50");
    EXPECT_EQ(Decimal::parse("1,5")->toString(), "1");
    EXPECT_EQ(dec("2.5").toDouble(), 2.5);
}

} // namespace
