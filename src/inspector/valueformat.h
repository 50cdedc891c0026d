// SPDX-License-Identifier: MIT
// Display texts of amounts, quantities and issue dates, in a given locale.
//
// `locale` is an ICU locale id, "en_US" or "de_DE"; the process locale plays no part.
#pragma once

#include "model/date.h"
#include "model/decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace vellora::inspector {

// The amount in the locale's currency format for `currencyCode` (fraction digits, rounding,
// grouping, sign and symbol as the locale writes that currency): 1234.5 EUR is "€1,234.50" in
// en_US and "1.234,50 €" in de_DE. The amount is formatted from its exact decimal digits,
// never through a double. When the locale cannot format it (a code that is not three
// letters, such as the model's fill-in "Unknown"), the text is the plain decimal, a blank and
// the code: "1234.5 Unknown". Never fails; the process locale plays no part.
std::string formatCurrency(std::string_view currencyCode, const model::Decimal &amount,
                           const std::string &locale);

// The value in the locale's decimal format with grouping, 0 to `maxFractionDigits` fraction
// digits, rounded half to even: with 2 in en_US, 1234.567 is "1,234.57", 2.50 is "2.5" and
// 0.125 is "0.12". Falls back to the plain decimal when the locale cannot format it.
std::string formatNumber(const model::Decimal &value, int maxFractionDigits,
                         const std::string &locale);

// The calendar day in the locale's medium date style ("Mar 1, 2024" in en_US, "01.03.2024" in
// de_DE): the day written in the file, whatever the user's time zone, also before 1582 (the
// Gregorian calendar throughout, as the file means it). Empty only if the locale has no date
// format at all.
std::string formatIssueDate(const model::Date &date, const std::string &locale);

// The decimal's text as it may be handed to the formatter, or nullopt when its magnitude is
// beyond anything an invoice writes (more than maxFormattedDigits digits before or after the
// decimal point): the formatter would spell out every one of those digits, and with large
// exponents it runs out of memory.
inline constexpr std::int64_t maxFormattedDigits = 1000;
std::optional<std::string> formattableDecimalText(const model::Decimal &value);

// The fallback text of a value the formatter cannot write: the plain decimal ("-1234.5"), or,
// beyond maxFormattedDigits, its exact scientific form ("1E+999999") rather than a million
// digits.
std::string plainDecimalText(const model::Decimal &value);

} // namespace vellora::inspector
