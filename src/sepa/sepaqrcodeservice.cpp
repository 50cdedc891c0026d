// SPDX-License-Identifier: MIT
#include "sepaqrcodeservice.h"

#include "model/decimal.h"
#include "model/text.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

#include <array>
#include <charconv>
#include <memory>

namespace vellora::sepa {

using model::Decimal;
using model::UBLDocumentInfo;
using model::UBLDocumentType;

namespace {

// The only blank that is removed from an IBAN or BIC: U+0020; tabs and other spaces stay.
std::string withoutBlanks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ') {
            out += c;
        }
    }
    return out;
}

// The payload's lines are separated by line feeds, so a text that spans lines in the
// document (a long name wrapped in the XML, say) would push every later field onto the
// wrong line and the code would pay nothing or the wrong account. Each line break (CR LF,
// CR, LF, VT, FF, NEL, LS, PS) becomes one blank.
std::string onOneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == '\v' || c == '\f') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += ' ';
        } else if (text.substr(i, 2) == "\xc2\x85") { // NEL
            out += ' ';
            i += 1;
        } else if (text.substr(i, 3) == "\xe2\x80\xa8" || text.substr(i, 3) == "\xe2\x80\xa9") {
            out += ' '; // line and paragraph separators
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// Compiled once; nullptr when the expression does not compile, which makes every BIC invalid.
// A compiled pattern is immutable and may be shared between threads.
const icu::RegexPattern *bicPattern()
{
    static const std::unique_ptr<icu::RegexPattern> pattern = [] {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError{};
        std::unique_ptr<icu::RegexPattern> compiled(icu::RegexPattern::compile(
            icu::UnicodeString(u"^[A-Z]{4}[A-Z]{2}[A-Z0-9]{2}([A-Z0-9]{3})?$"), 0, parseError,
            status));
        return U_SUCCESS(status) ? std::move(compiled) : nullptr;
    }();
    return pattern.get();
}

bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetterOrDigit(char c)
{
    return isAsciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The amount as the payload writes it must be a payable sum: one cent at least, and no more
// than the EPC format's nine integer digits allow.
bool isPayableAmountText(std::string_view amount)
{
    static const Decimal smallest = *Decimal::fromString("0.01");
    static const Decimal largest = *Decimal::fromString("999999999.99");
    if (amount.substr(0, 3) != "EUR") {
        return false;
    }
    // "inf" and "nan" are no number and fail here.
    const std::optional<Decimal> value = Decimal::fromString(amount.substr(3));
    return value && smallest <= *value && *value <= largest;
}

} // namespace

std::string SEPAQRCodeService::amountText(double value)
{
    // to_chars with a precision writes what printf does in the "C" locale, exactly rounded,
    // but never consults LC_NUMERIC. The largest double has 309 integer digits.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, 2);
    return "EUR" + std::string(buffer.data(), result.ptr);
}

bool SEPAQRCodeService::isCreditorReference(std::string_view text)
{
    // "RF", two check digits, 1 to 21 letters or digits.
    if (text.size() < 5 || text.size() > 25 || text.substr(0, 2) != "RF" ||
        !isAsciiDigit(text[2]) || !isAsciiDigit(text[3])) {
        return false;
    }
    for (char c : text.substr(4)) {
        if (!isAsciiLetterOrDigit(c)) {
            return false;
        }
    }
    // ISO 7064 mod 97-10: the first four characters go to the end, each letter becomes its
    // value 10 to 35 (A or a = 10), and the resulting number must leave 1 when divided by 97.
    // The remainder is carried digit by digit so no big number is needed.
    const std::string moved = std::string(text.substr(4)) + std::string(text.substr(0, 4));
    int remainder = 0;
    for (char c : moved) {
        if (isAsciiDigit(c)) {
            remainder = (remainder * 10 + (c - '0')) % 97;
        } else {
            const int letter = (c >= 'a' ? c - 'a' : c - 'A') + 10;
            remainder = (remainder * 100 + letter) % 97;
        }
    }
    return remainder == 1;
}

bool SEPAQRCodeService::isValidBIC(const std::optional<std::string> &candidate) const
{
    if (!candidate || candidate->empty()) {
        return false;
    }
    const std::string normalised = model::upperCased(withoutBlanks(*candidate));
    const std::size_t length = model::characterCount(normalised);
    if (length != 8 && length != 11) {
        return false;
    }
    const icu::RegexPattern *pattern = bicPattern();
    if (!pattern) {
        return false;
    }
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(normalised.data(), static_cast<int32_t>(normalised.size())));
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern->matcher(text, status));
    if (U_FAILURE(status)) {
        return false;
    }
    const bool found = matcher->find(status);
    return U_SUCCESS(status) && found;
}

std::optional<NoPaymentInfoReason>
SEPAQRCodeService::missingPaymentInfoReason(const UBLDocumentInfo &document) const
{
    if (document.documentType == UBLDocumentType::creditNote) {
        return NoPaymentInfoReason::creditNote;
    }
    if (document.currency != "EUR") {
        return NoPaymentInfoReason::notInEuro;
    }
    if (document.paymentMeans.empty()) {
        return NoPaymentInfoReason::noPaymentMeans;
    }
    const model::UBLPaymentMeans &means = document.paymentMeans.front();
    if (!means.payeeFinancialAccount || !means.payeeFinancialAccount->id) {
        return NoPaymentInfoReason::noPaymentAccount;
    }
    if (!beneficiaryName(document)) {
        return NoPaymentInfoReason::noSupplierName;
    }
    if (!document.monetaryTotal || !document.monetaryTotal->payableAmount) {
        return NoPaymentInfoReason::noPayableAmount;
    }
    if (!isPayableAmountText(amountText(document.monetaryTotal->payableAmount->toDouble()))) {
        return NoPaymentInfoReason::amountOutOfRange;
    }
    return std::nullopt;
}

std::optional<std::string> SEPAQRCodeService::beneficiaryName(const UBLDocumentInfo &document)
{
    if (!document.supplierParty) {
        return std::nullopt;
    }
    const model::UBLParty &supplier = *document.supplierParty;
    if (!supplier.partyNames.empty()) {
        return supplier.partyNames.front();
    }
    // Many suppliers are named only by their legal registration name; without it they would
    // get no payment code although name, account and amount are all there.
    if (supplier.legalEntity && supplier.legalEntity->registrationName &&
        !supplier.legalEntity->registrationName->empty()) {
        return supplier.legalEntity->registrationName;
    }
    return std::nullopt;
}

std::optional<std::string> SEPAQRCodeService::paymentReference(const UBLDocumentInfo &document)
{
    if (document.paymentMeans.empty()) {
        return std::nullopt;
    }
    const std::optional<std::string> &note = document.paymentMeans.front().instructionNote;
    std::string reference = onOneLine(note && !note->empty() ? *note : document.documentID);
    if (reference.empty()) {
        return std::nullopt;
    }
    return reference;
}

std::optional<SEPAPaymentInfo>
SEPAQRCodeService::makePaymentInfo(const UBLDocumentInfo &document) const
{
    // One list of conditions serves both this derivation and the reason there is none.
    if (missingPaymentInfoReason(document)) {
        return std::nullopt;
    }
    const model::UBLPaymentMeans &means = document.paymentMeans.front();
    const model::UBLPayeeFinancialAccount &account = *means.payeeFinancialAccount;
    std::string amount = amountText(document.monetaryTotal->payableAmount->toDouble());

    SEPAPaymentInfo info;
    info.serviceTag = "BCD";
    info.version = "002";
    info.characterSet = "1";
    info.identification = "SCT";
    // The BIC is written as the document has it; only the check looks at it normalised.
    std::optional<std::string> bic;
    if (account.financialInstitutionBranch) {
        bic = account.financialInstitutionBranch->id;
    }
    if (isValidBIC(bic)) {
        info.bic = std::move(bic);
    }
    info.beneficiaryName = std::string(model::leadingCharacters(
        onOneLine(*beneficiaryName(document)), maxBeneficiaryNameCharacters));
    info.beneficiaryAccount = model::upperCased(withoutBlanks(onOneLine(*account.id)));
    info.amount = std::move(amount);

    // The payer quotes the instruction note, or else the document number. The structured line
    // takes only a creditor reference a bank can check; anything else is unstructured text, to
    // which the document number is added when the note did not already say it.
    const std::string number = onOneLine(document.documentID);
    const std::optional<std::string> note =
        means.instructionNote ? std::optional(onOneLine(*means.instructionNote)) : std::nullopt;
    const bool hasNote = note && !note->empty();
    const std::string reference = paymentReference(document).value_or(std::string());
    if (isCreditorReference(reference)) {
        info.remittanceReference = reference;
    } else {
        std::string text = reference;
        if (hasNote && *note != number) {
            text += " Invoice: " + number;
        }
        info.remittanceText =
            std::string(model::leadingCharacters(text, maxRemittanceTextCharacters));
    }
    return info;
}

} // namespace vellora::sepa
