// SPDX-License-Identifier: MIT
#include "valueformat.h"

#include <unicode/datefmt.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/numberformatter.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace vellora::inspector {

namespace {

namespace number = icu::number;

std::string toUtf8(const icu::UnicodeString &text)
{
    std::string out;
    text.toUTF8String(out);
    return out;
}

// Formats `value` with a formatter made afresh for this one value; empty when ICU fails.
std::string formatWith(const number::LocalizedNumberFormatter &formatter,
                       const model::Decimal &value)
{
    const std::optional<std::string> text = formattableDecimalText(value);
    if (!text) {
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    const number::FormattedNumber formatted = formatter.formatDecimal(
        icu::StringPiece(text->data(), static_cast<int32_t>(text->size())), status);
    if (U_FAILURE(status)) {
        return {};
    }
    const icu::UnicodeString result = formatted.toString(status);
    if (U_FAILURE(status)) {
        return {};
    }
    return toUtf8(result);
}

} // namespace

std::optional<std::string> formattableDecimalText(const model::Decimal &value)
{
    // value = coefficient × 10^exponent: the coefficient's digits and the exponent give the
    // number of digits before and after the point in plain notation.
    const auto digits = static_cast<std::int64_t>(value.coefficient().size());
    const std::int64_t exponent = value.exponent();
    const std::int64_t integerDigits = digits + exponent;
    const std::int64_t fractionDigits = -exponent;
    if (digits > maxFormattedDigits || integerDigits > maxFormattedDigits ||
        fractionDigits > maxFormattedDigits) {
        return std::nullopt;
    }
    // The scientific form reads in ICU exactly as written ("12.50", "1E+3", "-0.5").
    return value.toString();
}

std::string plainDecimalText(const model::Decimal &value)
{
    return formattableDecimalText(value) ? value.toPlainString() : value.toString();
}

std::string formatCurrency(std::string_view currencyCode, const model::Decimal &amount,
                           const std::string &locale)
{
    // Only three ASCII letters make a currency code: ICU would take "Unknown" for "UNK" and
    // an empty code for "XXX".
    const bool isCode = currencyCode.size() == 3 &&
                        std::all_of(currencyCode.begin(), currencyCode.end(), [](char c) {
                            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
                        });
    std::string text;
    if (isCode) {
        const char16_t code[] = {static_cast<char16_t>(currencyCode[0]),
                                 static_cast<char16_t>(currencyCode[1]),
                                 static_cast<char16_t>(currencyCode[2]), u'\0'};
        UErrorCode status = U_ZERO_ERROR;
        const icu::CurrencyUnit unit(code, status);
        if (U_SUCCESS(status)) {
            text = formatWith(
                number::NumberFormatter::withLocale(icu::Locale(locale.c_str())).unit(unit),
                amount);
        }
    }
    if (text.empty()) {
        text = plainDecimalText(amount) + ' ' + std::string(currencyCode);
    }
    return text;
}

std::string formatNumber(const model::Decimal &value, int maxFractionDigits,
                         const std::string &locale)
{
    std::string text;
    if (maxFractionDigits >= 0) {
        text = formatWith(number::NumberFormatter::withLocale(icu::Locale(locale.c_str()))
                              .precision(number::Precision::minMaxFraction(0, maxFractionDigits))
                              .roundingMode(UNUM_ROUND_HALFEVEN),
                          value);
    }
    return text.empty() ? plainDecimalText(value) : text;
}

std::string formatIssueDate(const model::Date &date, const std::string &locale)
{
    std::unique_ptr<icu::DateFormat> formatter(
        icu::DateFormat::createDateInstance(icu::DateFormat::kMedium, icu::Locale(locale.c_str())));
    if (!formatter) {
        return {};
    }
    // The file's dates are proleptic Gregorian; ICU's Gregorian calendar switches to the
    // Julian one before October 1582 unless its change date is moved to the beginning of time.
    std::unique_ptr<icu::Calendar> calendar(formatter->getCalendar()->clone());
    if (calendar && calendar->getDynamicClassID() == icu::GregorianCalendar::getStaticClassID()) {
        UErrorCode status = U_ZERO_ERROR;
        static_cast<icu::GregorianCalendar *>(calendar.get())
            ->setGregorianChange(std::numeric_limits<double>::lowest(), status);
        if (U_SUCCESS(status)) {
            formatter->setCalendar(*calendar);
        }
    }
    // The model's instant is midnight UTC of the day in the file: shown in UTC it is that day
    // in every time zone of the user.
    formatter->setTimeZone(*icu::TimeZone::getGMT());
    const auto milliseconds = static_cast<UDate>(date.secondsSinceEpoch()) * 1000.0;
    icu::UnicodeString text;
    formatter->format(milliseconds, text);
    return toUtf8(text);
}

} // namespace vellora::inspector
