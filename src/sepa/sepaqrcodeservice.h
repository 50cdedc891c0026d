// SPDX-License-Identifier: MIT
// Derives a SEPA credit transfer to the supplier from an extracted invoice.
#pragma once

#include "model/ubldocumentinfo.h"
#include "sepapaymentinfo.h"

#include <optional>
#include <string>
#include <string_view>

namespace vellora::sepa {

// Stateless; the QR image of the payload is made by makeQRImage (qrimage.h) in the UI.
class SEPAQRCodeService
{
public:
    // The longest beneficiary name and unstructured remittance the payload carries, in
    // user-perceived characters; longer texts are cut.
    static constexpr std::size_t maxBeneficiaryNameCharacters = 70;
    static constexpr std::size_t maxRemittanceTextCharacters = 140;

    // The credit transfer that pays `document`, or nullopt when it cannot be derived: a credit
    // note (the supplier owes the money, not the customer), a currency other than "EUR", no
    // payment means, a first payment means without payee account id (later ones are never
    // consulted), no supplier name, no payable amount, or a payable amount that, written with
    // two decimals, lies outside 0.01 to 999999999.99. Pure; says nothing about why.
    std::optional<SEPAPaymentInfo> makePaymentInfo(const model::UBLDocumentInfo &document) const;

    // True when the candidate, without blanks and upper-cased, is 8 or 11 characters of the
    // form bank code (4 letters), country (2 letters), location (2 letters or digits) and an
    // optional branch (3 letters or digits). Absent or empty is invalid.
    bool isValidBIC(const std::optional<std::string> &candidate) const;

    // True for an ISO 11649 creditor reference in its electronic form: "RF", two check digits,
    // 1 to 21 ASCII letters (either case) or digits, no blanks, passing the ISO 7064 mod 97-10
    // check. Only such a reference may stand in the payload's structured-reference line.
    static bool isCreditorReference(std::string_view text);

    // "EUR" and the value as printf's "%.2f" writes it in the "C" locale ("EUR2.67" for the
    // double nearest 2.675), whatever the process locale is.
    static std::string amountText(double value);
};

} // namespace vellora::sepa
