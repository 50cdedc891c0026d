// SPDX-License-Identifier: MIT
#include "date.h"

#include <cstdio>

namespace vellora::model {

namespace {

bool digitsAt(std::string_view text, std::size_t position, std::size_t count)
{
    if (position + count > text.size()) {
        return false;
    }
    for (std::size_t i = position; i < position + count; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

int number(std::string_view text, std::size_t position, std::size_t count)
{
    int value = 0;
    for (std::size_t i = position; i < position + count; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "Z", "+hh:mm" or "-hh:mm" filling the whole text.
bool isZone(std::string_view text)
{
    if (text == "Z") {
        return true;
    }
    return text.size() == 6 && (text[0] == '+' || text[0] == '-') && digitsAt(text, 1, 2) &&
           text[3] == ':' && digitsAt(text, 4, 2) && number(text, 1, 2) <= 14 &&
           number(text, 4, 2) <= 59;
}

// "Thh:mm", "Thh:mm:ss" or "Thh:mm:ss.fff…", optionally followed by a zone.
bool isTimeAndZone(std::string_view text)
{
    if (text.empty() || text[0] != 'T' || !digitsAt(text, 1, 2) || text.size() < 6 ||
        text[3] != ':' || !digitsAt(text, 4, 2) || number(text, 1, 2) > 24 ||
        number(text, 4, 2) > 59) {
        return false;
    }
    std::size_t i = 6;
    if (i < text.size() && text[i] == ':') {
        if (!digitsAt(text, i + 1, 2) || number(text, i + 1, 2) > 60) {
            return false;
        }
        i += 3;
        if (i < text.size() && text[i] == '.') {
            std::size_t fractionStart = ++i;
            while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
                ++i;
            }
            if (i == fractionStart) {
                return false;
            }
        }
    }
    return i == text.size() || isZone(text.substr(i));
}

} // namespace

std::optional<Date> Date::fromYearMonthDay(int year, unsigned month, unsigned day)
{
    if (year < 0 || year > 9999) {
        return std::nullopt;
    }
    const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{month},
                                          std::chrono::day{day}};
    if (!ymd.ok()) {
        return std::nullopt;
    }
    return Date(ymd);
}

std::optional<Date> Date::fromIsoText(std::string_view text)
{
    if (!digitsAt(text, 0, 4) || text.size() < 10 || text[4] != '-' || !digitsAt(text, 5, 2) ||
        text[7] != '-' || !digitsAt(text, 8, 2)) {
        return std::nullopt;
    }
    const std::string_view rest = text.substr(10);
    if (!rest.empty() && !isZone(rest) && !isTimeAndZone(rest)) {
        return std::nullopt;
    }
    return fromYearMonthDay(number(text, 0, 4), static_cast<unsigned>(number(text, 5, 2)),
                            static_cast<unsigned>(number(text, 8, 2)));
}

std::string Date::toIsoString() const
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", year(), month(), day());
    return buffer;
}

std::int64_t Date::secondsSinceEpoch() const
{
    const std::chrono::sys_days days{m_ymd};
    return std::chrono::duration_cast<std::chrono::seconds>(days.time_since_epoch()).count();
}

} // namespace vellora::model
