// SPDX-License-Identifier: MIT
#include "model/date.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using vellora::model::Date;

namespace {

struct DateCase
{
    const char *name;
    const char *text;
    std::optional<std::string> expected;
};

const DateCase dateCases[] = {
    {"full_date", "2024-03-01", "2024-03-01"},
    {"leap_day", "2024-02-29", "2024-02-29"},
    {"no_leap_day", "2023-02-29", std::nullopt},
    {"month_13", "2024-13-01", std::nullopt},
    {"day_zero", "2024-03-00", std::nullopt},
    {"german_form", "01.03.2024", std::nullopt},
    {"two_digit_year", "24-03-01", std::nullopt},
    {"single_digit_month", "2024-3-01", std::nullopt},
    {"slashes", "2024/03/01", std::nullopt},
    {"trailing_garbage", "2024-03-01x", std::nullopt},
    {"trailing_blank", "2024-03-01 ", std::nullopt},
    {"with_time", "2024-03-01T10:00:00", "2024-03-01"},
    {"with_time_and_zone", "2024-03-01T23:30:00+02:00", "2024-03-01"},
    {"with_fraction_and_z", "2024-03-01T10:00:00.123Z", "2024-03-01"},
    {"with_zone_z", "2024-03-01Z", "2024-03-01"},
    {"with_zone_offset", "2024-03-01+01:00", "2024-03-01"},
    {"with_negative_offset", "2024-03-01-05:00", "2024-03-01"},
    {"broken_time", "2024-03-01T1", std::nullopt},
    {"empty", "", std::nullopt},
};

class DateParse : public testing::TestWithParam<DateCase>
{};

TEST_P(DateParse, ReadsAnIsoFullDate)
{
    const DateCase &c = GetParam();
    const std::optional<Date> date = Date::fromIsoText(c.text);
    if (!c.expected) {
        EXPECT_FALSE(date.has_value()) << date->toIsoString();
        return;
    }
    ASSERT_TRUE(date.has_value());
    EXPECT_EQ(date->toIsoString(), *c.expected);
}

INSTANTIATE_TEST_SUITE_P(Iso8601, DateParse, testing::ValuesIn(dateCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Date, IsMidnightUtcOfTheDay)
{
    EXPECT_EQ(Date::fromIsoText("1970-01-01")->secondsSinceEpoch(), 0);
    EXPECT_EQ(Date::fromIsoText("2024-03-01")->secondsSinceEpoch(), 1709251200);
    EXPECT_EQ(Date::fromIsoText("1969-12-31")->secondsSinceEpoch(), -86400);
}

TEST(Date, ComparesByDay)
{
    EXPECT_EQ(Date::fromIsoText("2024-03-01"), Date::fromYearMonthDay(2024, 3, 1));
    EXPECT_LT(*Date::fromIsoText("2024-01-31"), *Date::fromIsoText("2024-02-01"));
}

} // namespace
