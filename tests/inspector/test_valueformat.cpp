// SPDX-License-Identifier: MIT
#include "inspector/valueformat.h"
#include "support/decimals.h"

#include <gtest/gtest.h>

#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <chrono>
#include <clocale>
#include <memory>
#include <ostream>
#include <string>

namespace {

using vellora::inspector::formatCurrency;
using vellora::inspector::formatIssueDate;
using vellora::inspector::formatNumber;
using vellora::model::Date;
using vellora::model::Decimal;

using vellora::testing::decimal;

const std::string enUS = "en_US";
const std::string deDE = "de_DE";

// ICU writes a no-break space between a German amount and its currency sign.
#define NBSP "\u00a0"

struct CurrencyCase
{
    const char *name;
    const std::string *locale;
    const char *code;
    const char *amount;
    const char *expected;
};

void PrintTo(const CurrencyCase &c, std::ostream *os)
{
    *os << c.name;
}

const CurrencyCase currencyCases[] = {
    {"en_US_euro", &enUS, "EUR", "1234.5", "€1,234.50"},
    {"de_DE_euro", &deDE, "EUR", "1234.5", "1.234,50" NBSP "€"},
    {"en_US_dollar", &enUS, "USD", "99.999", "$100.00"},
    {"en_US_negative", &enUS, "EUR", "-12.5", "-€12.50"},
    {"de_DE_negative", &deDE, "EUR", "-12.5", "-12,50" NBSP "€"},
    {"en_US_zero", &enUS, "EUR", "0", "€0.00"},
    {"half_cent_to_even_up", &enUS, "EUR", "2.675", "€2.68"},
    {"half_cent_to_even_stays_even", &enUS, "EUR", "0.125", "€0.12"},
    // Far more digits than a double holds: exact only when never converted to one.
    {"exact_beyond_double", &enUS, "EUR", "12345678901234567890.015",
     "€12,345,678,901,234,567,890.02"},
    {"yen_has_no_fraction_digits", &enUS, "JPY", "1234.5", "¥1,234"},
    {"lower_case_code", &enUS, "eur", "1", "€1.00"},
    {"unknown_code_is_plain", &enUS, "Unknown", "1234.5", "1234.5 Unknown"},
    {"unknown_code_keeps_the_sign", &deDE, "Unknown", "-0.50", "-0.50 Unknown"},
    {"empty_code_is_plain", &enUS, "", "7", "7 "},
    {"two_letter_code_is_plain", &enUS, "EU", "7", "7 EU"},
    {"digits_are_no_code", &enUS, "978", "7", "7 978"},
    {"exponent_written_out", &enUS, "EUR", "1E+3", "€1,000.00"},
    // ICU would spell out a million digits; the exact scientific text stands instead.
    {"huge_exponent_not_formatted", &enUS, "EUR", "1E+999999", "1E+999999 EUR"},
    {"tiny_exponent_not_formatted", &enUS, "EUR", "1E-999999", "1E-999999 EUR"},
};

class Currency : public testing::TestWithParam<CurrencyCase>
{};

TEST_P(Currency, FormatsTheExactAmount)
{
    const CurrencyCase &c = GetParam();
    EXPECT_EQ(formatCurrency(c.code, decimal(c.amount), *c.locale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Inspector, Currency, testing::ValuesIn(currencyCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct NumberCase
{
    const char *name;
    const std::string *locale;
    const char *value;
    int maxFractionDigits;
    const char *expected;
};

void PrintTo(const NumberCase &c, std::ostream *os)
{
    *os << c.name;
}

const NumberCase numberCases[] = {
    {"third_to_two_digits", &enUS, "0.333", 2, "0.33"},
    {"thousand_grouped", &enUS, "1000", 2, "1,000"},
    {"trailing_zeros_dropped", &enUS, "3.000", 2, "3"},
    {"one_trailing_zero_dropped", &enUS, "2.50", 2, "2.5"},
    {"half_to_even_down", &enUS, "1.005", 2, "1"},
    {"half_to_even_up", &enUS, "0.135", 2, "0.14"},
    {"half_to_even_stays", &enUS, "0.125", 2, "0.12"},
    {"rounds_and_groups", &enUS, "1234.567", 2, "1,234.57"},
    {"german_separators", &deDE, "1234.567", 2, "1.234,57"},
    {"german_fraction", &deDE, "2.5", 2, "2,5"},
    {"negative", &enUS, "-2.5", 2, "-2.5"},
    {"no_fraction_digits", &enUS, "2.5", 0, "2"},
    {"exact_beyond_double", &enUS, "123456789012345678901234567890.125", 2,
     "123,456,789,012,345,678,901,234,567,890.12"},
    {"huge_exponent_not_formatted", &enUS, "-1E+999999", 2, "-1E+999999"},
    {"negative_digit_count_is_plain", &enUS, "2.5", -1, "2.5"},
};

class Number : public testing::TestWithParam<NumberCase>
{};

TEST_P(Number, FormatsWithGroupingAndHalfEven)
{
    const NumberCase &c = GetParam();
    EXPECT_EQ(formatNumber(decimal(c.value), c.maxFractionDigits, *c.locale), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Inspector, Number, testing::ValuesIn(numberCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Formattable, BoundsTheDigitsHandedToTheFormatter)
{
    using vellora::inspector::formattableDecimalText;
    using vellora::inspector::maxFormattedDigits;
    EXPECT_EQ(formattableDecimalText(decimal("12.50")), "12.50");
    EXPECT_EQ(formattableDecimalText(decimal("1E+999")), "1E+999");
    EXPECT_EQ(formattableDecimalText(decimal("1E+1000")), std::nullopt); // 1001 digits
    EXPECT_EQ(formattableDecimalText(decimal("1E-1000")), "1E-1000");
    EXPECT_EQ(formattableDecimalText(decimal("1E-1001")), std::nullopt);
    EXPECT_EQ(formattableDecimalText(
                  Decimal::fromString(std::string(maxFormattedDigits + 1, '7')).value()),
              std::nullopt);
}

TEST(Formattable, HugeValuesReturnAtOnce)
{
    const auto start = std::chrono::steady_clock::now();
    formatCurrency("EUR", decimal("9E+999999"), enUS);
    formatNumber(decimal("9E-999999"), 2, enUS);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

struct DateCase
{
    const char *name;
    const std::string *locale;
    int year;
    unsigned month;
    unsigned day;
    const char *expected;
};

void PrintTo(const DateCase &c, std::ostream *os)
{
    *os << c.name;
}

const DateCase dateCases[] = {
    {"en_US_medium", &enUS, 2024, 3, 1, "Mar 1, 2024"},
    {"de_DE_medium", &deDE, 2024, 3, 1, "01.03.2024"},
    {"new_years_day", &enUS, 2025, 1, 1, "Jan 1, 2025"},
    {"leap_day", &enUS, 2024, 2, 29, "Feb 29, 2024"},
    // Before 1582 the day is still the Gregorian day written in the file.
    {"before_the_gregorian_reform", &enUS, 1000, 1, 1, "Jan 1, 1000"},
};

class IssueDate : public testing::TestWithParam<DateCase>
{};

// The test runs with TZ west of UTC, where midnight UTC is still the day before.
TEST_P(IssueDate, ShowsTheDayWrittenInTheFile)
{
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createDefault());
    ASSERT_LT(zone->getRawOffset(), 0) << "TZ must lie west of UTC for this test to mean much";
    const DateCase &c = GetParam();
    EXPECT_EQ(formatIssueDate(*Date::fromYearMonthDay(c.year, c.month, c.day), *c.locale),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Inspector, IssueDate, testing::ValuesIn(dateCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Restores the process and ICU default locales.
class LocaleGuard
{
public:
    LocaleGuard() : m_saved(std::setlocale(LC_ALL, nullptr)), m_icu(icu::Locale::getDefault()) {}
    ~LocaleGuard()
    {
        std::setlocale(LC_ALL, m_saved.c_str());
        UErrorCode status = U_ZERO_ERROR;
        icu::Locale::setDefault(m_icu, status);
    }
    LocaleGuard(const LocaleGuard &) = delete;
    LocaleGuard &operator=(const LocaleGuard &) = delete;

private:
    std::string m_saved;
    icu::Locale m_icu;
};

// The locale passed in decides, not the process's: under a German LC_ALL and a Turkish ICU
// default the English texts stay English.
TEST(LocaleIndependence, ForeignProcessLocaleChangesNothing)
{
    LocaleGuard guard;
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed; locale independence unchecked";
    }
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale("tr_TR"), status);
    ASSERT_TRUE(U_SUCCESS(status));
    EXPECT_EQ(formatCurrency("EUR", decimal("1234.5"), enUS), "€1,234.50");
    EXPECT_EQ(formatCurrency("Unknown", decimal("1234.5"), enUS), "1234.5 Unknown");
    EXPECT_EQ(formatNumber(decimal("1234.567"), 2, enUS), "1,234.57");
    EXPECT_EQ(formatIssueDate(*Date::fromYearMonthDay(2024, 3, 1), enUS), "Mar 1, 2024");
}

} // namespace
