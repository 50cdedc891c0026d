// SPDX-License-Identifier: MIT
// Derives a SEPA credit transfer to the supplier from an extracted invoice.
#pragma once

#include "model/ubldocumentinfo.h"
#include "sepapaymentinfo.h"

#include <optional>
#include <string>
#include <string_view>

namespace vellora::sepa {

// Why an invoice yields no payment info: the condition of makePaymentInfo that failed first,
// in the order makePaymentInfo checks them.
enum class NoPaymentInfoReason
{
    creditNote,       // the supplier owes the money back; nobody transfers it to them
    notInEuro,        // the document's currency is not "EUR"
    noPaymentMeans,   // no payment means at all
    noPaymentAccount, // the first payment means has no payee account id
    noSupplierName,   // no supplier party, or one without party name and legal name
    noPayableAmount,  // no monetary total, or one without a payable amount
    amountOutOfRange, // the payable amount, with two decimals, is not 0.01 to 999999999.99
};

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
    // consulted), no beneficiary name (see beneficiaryName), no payable amount, or a payable amount
    // that, written with two decimals, lies outside 0.01 to 999999999.99. Pure; says nothing about
    // why.
    std::optional<SEPAPaymentInfo> makePaymentInfo(const model::UBLDocumentInfo &document) const;

    // Why makePaymentInfo yields nothing for `document`: the first condition it fails, or
    // nullopt exactly when it yields payment info.
    std::optional<NoPaymentInfoReason>
    missingPaymentInfoReason(const model::UBLDocumentInfo &document) const;

    // The name the money goes to, as the document writes it: the supplier's first party name,
    // or, when it has none, its legal registration name if that is not empty. nullopt when
    // there is neither or no supplier.
    static std::optional<std::string> beneficiaryName(const model::UBLDocumentInfo &document);

    // The reference the payer quotes with the transfer: the first payment means' instruction
    // note when it has text (an RF creditor reference is written there), otherwise the
    // document number; never the " Invoice: …" the payload adds to a note. It is the reference
    // the payload carries, on one line and uncut. nullopt when it would be empty or there is
    // no payment means.
    static std::optional<std::string> paymentReference(const model::UBLDocumentInfo &document);

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
