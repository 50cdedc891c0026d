// SPDX-License-Identifier: MIT
#include "decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace vellora::model {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

// Reads the number at the start of text into out; returns how many characters it took.
std::optional<std::size_t> Decimal::parsePrefix(std::string_view text, Decimal &out)
{
    bool &negative = out.m_negative;
    std::string &digits = out.m_digits;
    std::int64_t &exponent = out.m_exponent;
    std::size_t i = 0;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::size_t integerStart = i;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    std::string_view integerPart = text.substr(integerStart, i - integerStart);
    std::string_view fractionPart;
    if (i < text.size() && text[i] == '.') {
        std::size_t fractionStart = i + 1;
        std::size_t j = fractionStart;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
        }
        fractionPart = text.substr(fractionStart, j - fractionStart);
        // "5." takes the full stop; "." alone is no number.
        if (!integerPart.empty() || !fractionPart.empty()) {
            i = j;
        }
    }
    if (integerPart.empty() && fractionPart.empty()) {
        return std::nullopt;
    }

    std::int64_t writtenExponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponentNegative = text[j] == '-';
            ++j;
        }
        std::size_t exponentStart = j;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
        }
        if (j > exponentStart) {
            std::string_view exponentDigits = text.substr(exponentStart, j - exponentStart);
            while (exponentDigits.size() > 1 && exponentDigits.front() == '0') {
                exponentDigits.remove_prefix(1);
            }
            if (exponentDigits.size() > 12) {
                return std::nullopt; // far beyond maxExponent
            }
            std::int64_t value = 0;
            std::from_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(),
                            value);
            writtenExponent = exponentNegative ? -value : value;
            i = j;
        }
    }

    digits.assign(integerPart);
    digits.append(fractionPart);
    std::size_t firstNonZero = digits.find_first_not_of('0');
    digits.erase(0, firstNonZero == std::string::npos ? digits.size() : firstNonZero);
    if (digits.empty()) {
        digits = "0";
    }
    exponent = writtenExponent - static_cast<std::int64_t>(fractionPart.size());
    if (exponent > Decimal::maxExponent || exponent < -Decimal::maxExponent) {
        return std::nullopt;
    }
    return i;
}

std::optional<Decimal> Decimal::parse(std::string_view text)
{
    Decimal result;
    if (!parsePrefix(text, result)) {
        return std::nullopt;
    }
    return result;
}

std::optional<Decimal> Decimal::fromString(std::string_view text)
{
    Decimal result;
    const std::optional<std::size_t> consumed = parsePrefix(text, result);
    if (!consumed || *consumed != text.size()) {
        return std::nullopt;
    }
    return result;
}

std::string Decimal::toString() const
{
    const auto length = static_cast<std::int64_t>(m_digits.size());
    const std::int64_t adjusted = m_exponent + length - 1;
    std::string out = m_negative ? "-" : "";
    if (m_exponent <= 0 && adjusted >= -6) {
        if (m_exponent == 0) {
            out += m_digits;
        } else if (length > -m_exponent) {
            out.append(m_digits, 0, static_cast<std::size_t>(length + m_exponent));
            out += '.';
            out.append(m_digits, static_cast<std::size_t>(length + m_exponent));
        } else {
            out += "0.";
            out.append(static_cast<std::size_t>(-m_exponent - length), '0');
            out += m_digits;
        }
        return out;
    }
    out += m_digits[0];
    if (length > 1) {
        out += '.';
        out.append(m_digits, 1);
    }
    out += 'E';
    out += adjusted >= 0 ? '+' : '-';
    out += std::to_string(adjusted >= 0 ? adjusted : -adjusted);
    return out;
}

std::string Decimal::toPlainString() const
{
    const auto length = static_cast<std::int64_t>(m_digits.size());
    std::string out = m_negative ? "-" : "";
    if (m_exponent >= 0) {
        out += m_digits;
        if (!isZero()) {
            out.append(static_cast<std::size_t>(m_exponent), '0');
        }
    } else if (length > -m_exponent) {
        out.append(m_digits, 0, static_cast<std::size_t>(length + m_exponent));
        out += '.';
        out.append(m_digits, static_cast<std::size_t>(length + m_exponent));
    } else {
        out += "0.";
        out.append(static_cast<std::size_t>(-m_exponent - length), '0');
        out += m_digits;
    }
    return out;
}

double Decimal::toDouble() const
{
    // from_chars is locale-independent and correctly rounded for any number of digits.
    std::string text = m_digits + 'e' + std::to_string(m_exponent);
    double value = 0.0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too large gives infinity; too small underflows to zero.
        const std::int64_t adjusted = m_exponent + static_cast<std::int64_t>(m_digits.size()) - 1;
        value = adjusted > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return m_negative ? -value : value;
}

int Decimal::compare(const Decimal &a, const Decimal &b)
{
    if (a.isZero() && b.isZero()) {
        return 0;
    }
    const int signA = a.isZero() ? 0 : (a.m_negative ? -1 : 1);
    const int signB = b.isZero() ? 0 : (b.m_negative ? -1 : 1);
    if (signA != signB) {
        return signA < signB ? -1 : 1;
    }
    // Same sign, both non-zero: compare magnitudes, then flip for negatives.
    const std::int64_t adjustedA = a.m_exponent + static_cast<std::int64_t>(a.m_digits.size());
    const std::int64_t adjustedB = b.m_exponent + static_cast<std::int64_t>(b.m_digits.size());
    int magnitude = 0;
    if (adjustedA != adjustedB) {
        magnitude = adjustedA < adjustedB ? -1 : 1;
    } else {
        // Equal position of the leading digit: compare digit by digit, missing digits are 0.
        const std::size_t length = std::max(a.m_digits.size(), b.m_digits.size());
        for (std::size_t i = 0; i < length && magnitude == 0; ++i) {
            const char da = i < a.m_digits.size() ? a.m_digits[i] : '0';
            const char db = i < b.m_digits.size() ? b.m_digits[i] : '0';
            if (da != db) {
                magnitude = da < db ? -1 : 1;
            }
        }
    }
    return signA < 0 ? -magnitude : magnitude;
}

} // namespace vellora::model
