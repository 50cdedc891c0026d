// SPDX-License-Identifier: MIT
// A calendar day as the model holds it: 00:00:00 UTC of the day written in the file.
#pragma once

// <string> comes first on purpose: Qt's moc reads this header through the view headers and
// fails on <compare> when <compare> is the first standard header it meets.
#include <string>

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vellora::model {

class Date
{
public:
    // A valid Gregorian day (proleptic), year 0 to 9999; nullopt for 2023-02-29 and the like.
    static std::optional<Date> fromYearMonthDay(int year, unsigned month, unsigned day);

    // Reads an ISO 8601 full date, YYYY-MM-DD, that fills the whole text. A time or zone
    // designator may follow ("2024-03-01T10:00:00", "2024-03-01Z", "2024-03-01+01:00"):
    // the day written is the day meant, so it is kept and the rest is ignored, as long as
    // that rest is a well-formed time and/or zone. Anything else gives nullopt.
    static std::optional<Date> fromIsoText(std::string_view text);

    int year() const { return static_cast<int>(m_ymd.year()); }
    unsigned month() const { return static_cast<unsigned>(m_ymd.month()); }
    unsigned day() const { return static_cast<unsigned>(m_ymd.day()); }

    // "YYYY-MM-DD".
    std::string toIsoString() const;

    // The instant: seconds from 1970-01-01T00:00:00Z to 00:00:00 UTC of this day.
    std::int64_t secondsSinceEpoch() const;

    friend bool operator==(const Date &, const Date &) = default;
    friend auto operator<=>(const Date &a, const Date &b)
    {
        return std::chrono::sys_days(a.m_ymd) <=> std::chrono::sys_days(b.m_ymd);
    }

private:
    explicit Date(std::chrono::year_month_day ymd) : m_ymd(ymd) {}

    std::chrono::year_month_day m_ymd;
};

} // namespace vellora::model
