// SPDX-License-Identifier: MIT
// An exact base-10 number for amounts, quantities, percentages and measures.
#pragma once

// <string> comes first on purpose: Qt's moc reads this header through the view headers and
// fails on <compare> when <compare> is the first standard header it meets.
#include <string>

#include <compare>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vellora::model {

// A decimal held exactly as sign, coefficient digits and exponent: the value is
// (-1)^sign × coefficient × 10^exponent. The coefficient may have any number of digits and
// keeps the scale it was written with, so "12.50" prints back as "12.50" while it compares
// equal to "12.5". Nothing here depends on the process locale.
class Decimal
{
public:
    // Exponents beyond this magnitude are not readable numbers: no invoice writes them, and
    // formatting such a value in plain notation would need gigabytes.
    static constexpr std::int64_t maxExponent = 999'999;

    Decimal() = default; // zero

    // Reads a number from the start of `text`: an optional "+" or "-", digits, optionally a
    // full stop and further digits, optionally an exponent ("e" or "E", an optional sign,
    // digits). Reading stops at the first character that does not fit and the rest is ignored
    // ("12.50 EUR" is 12.50, "1,5" is 1). ".5" reads as 0.5 and "5." as 5; an "e" without
    // exponent digits is not part of the number. Only ASCII digits count. nullopt when no
    // digit could be read or the exponent lies beyond maxExponent.
    static std::optional<Decimal> parse(std::string_view text);

    // Like parse, but the whole text must be the number.
    static std::optional<Decimal> fromString(std::string_view text);

    // Exact text in the scientific-string form of the General Decimal Arithmetic
    // specification: "12.50", "-0.5", "1E+3", "1.5E-7". Reads back to an equal value.
    std::string toString() const;

    // Exact text without exponent: an optional minus sign, digits, a full stop only when
    // there are fraction digits. "1E+3" gives "1000", "12.50" gives "12.50".
    std::string toPlainString() const;

    // The nearest double (round half to even), ±infinity beyond the double range.
    double toDouble() const;

    bool isZero() const { return m_digits == "0"; }
    bool isNegative() const { return m_negative; } // also for -0
    std::int64_t exponent() const { return m_exponent; }
    // The coefficient's digits without leading zeros ("0" for zero).
    const std::string &coefficient() const { return m_digits; }

    // Value comparison: 12.50 == 12.5, -0 == 0.
    friend bool operator==(const Decimal &a, const Decimal &b) { return compare(a, b) == 0; }
    friend std::strong_ordering operator<=>(const Decimal &a, const Decimal &b)
    {
        return compare(a, b) <=> 0;
    }

private:
    static std::optional<std::size_t> parsePrefix(std::string_view text, Decimal &out);
    static int compare(const Decimal &a, const Decimal &b);

    bool m_negative = false;
    std::string m_digits = "0";
    std::int64_t m_exponent = 0;
};

} // namespace vellora::model
