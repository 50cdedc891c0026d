// SPDX-License-Identifier: MIT
// The extracted model of one invoice or credit note, its kind, and the outcome of a read.
#pragma once

#include "date.h"
#include "ublattachment.h"
#include "ubllines.h"
#include "ublparty.h"
#include "ublpayment.h"
#include "ublreferences.h"
#include "ubltotals.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vellora::model {

// The raw text of each kind is also the local name of the document's XML element.
enum class UBLDocumentType
{
    invoice,
    creditNote,
};

// "Invoice" or "CreditNote".
std::string_view rawValue(UBLDocumentType type);
// Exact, case-sensitive: "invoice" gives nullopt.
std::optional<UBLDocumentType> documentTypeFromRawValue(std::string_view raw);
// invoice, creditNote.
constexpr std::array<UBLDocumentType, 2> allDocumentTypes{UBLDocumentType::invoice,
                                                          UBLDocumentType::creditNote};

struct UBLDocumentInfo
{
    UBLDocumentType documentType = UBLDocumentType::invoice;
    std::string documentID; // "Unknown" when the document has no ID element
    std::optional<Date> issueDate;
    std::string currency;   // "Unknown" when missing
    std::string ublVersion; // "Unknown" when missing
    std::optional<UBLParty> supplierParty;
    std::optional<UBLParty> customerParty;
    std::optional<UBLLegalMonetaryTotal> monetaryTotal;
    std::optional<UBLTaxTotal> taxTotal;
    std::vector<UBLInvoiceLine> invoiceLines;       // always empty for a credit note
    std::vector<UBLCreditNoteLine> creditNoteLines; // always empty for an invoice
    std::vector<UBLAttachment> attachments;
    std::vector<UBLPaymentMeans> paymentMeans;
    std::optional<UBLPaymentTerms> paymentTerms;
    std::vector<UBLAllowanceCharge> allowanceCharges;
    std::optional<UBLOrderReference> orderReference;
    std::optional<UBLBillingReference> billingReference;
    std::optional<UBLContractDocumentReference> contractReference;
    std::optional<UBLProjectReference> projectReference;
    std::optional<UBLDelivery> delivery;
    std::optional<UBLInvoicePeriod> invoicePeriod;

    bool operator==(const UBLDocumentInfo &) const = default;
};

// The outcome of reading a text: the model, or the kind of failure with the user-facing
// reason there is none. Callers branch on the kind, never on the message text.
class UBLValidationResult
{
public:
    struct Invalid
    {
        enum class Kind
        {
            notXml,                // no XML document with a root element could be built
            noInvoiceOrCreditNote, // XML, but no Invoice or CreditNote element anywhere
            unsupportedFormat,     // an invoice format that is known but not read (ZUGFeRD 1.0)
        };
        Kind kind;
        std::string message;
        bool operator==(const Invalid &) const = default;
    };

    static UBLValidationResult valid(UBLDocumentInfo info) { return {std::move(info)}; }
    static UBLValidationResult invalid(Invalid::Kind kind, std::string message)
    {
        return {Invalid{kind, std::move(message)}};
    }

    bool isValid() const { return std::holds_alternative<UBLDocumentInfo>(m_value); }

    // The model of a valid outcome; nullptr for an invalid one.
    const UBLDocumentInfo *documentInfo() const { return std::get_if<UBLDocumentInfo>(&m_value); }
    // The failure of an invalid outcome; nullptr for a valid one.
    const Invalid *failure() const { return std::get_if<Invalid>(&m_value); }
    // The message of an invalid outcome; nullptr for a valid one.
    const std::string *message() const
    {
        const auto *invalid = std::get_if<Invalid>(&m_value);
        return invalid ? &invalid->message : nullptr;
    }

    bool operator==(const UBLValidationResult &) const = default;

private:
    UBLValidationResult(std::variant<UBLDocumentInfo, Invalid> value) : m_value(std::move(value)) {}

    std::variant<UBLDocumentInfo, Invalid> m_value;
};

} // namespace vellora::model
