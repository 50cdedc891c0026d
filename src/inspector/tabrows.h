// SPDX-License-Identifier: MIT
// Which rows, sections and captions the document, party, totals and lines tabs show, with
// their values already formatted. The views draw exactly this.
#pragma once

#include "model/ubldocumentinfo.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellora::inspector {

// One labelled value. `label` is looked up (a key such as "document.id", or a phrase such as
// "Tax Amount"); `value` is final text.
struct InfoRowData
{
    std::string label;
    std::string value;

    bool operator==(const InfoRowData &) const = default;
};

// Document type (INVOICE or CREDITNOTE), ID, issue date (when present), currency and UBL
// version (unless empty; the fill-in "Unknown" is shown).
std::vector<InfoRowData> documentRows(const model::UBLDocumentInfo &info,
                                      const std::string &locale);

// The address block under the "party.address" caption.
struct AddressBlock
{
    std::vector<std::string> streetLines; // street name, additional street name, when present
    // Postal zone then city name, each when present; the row itself is always there.
    std::vector<std::string> postalCityRow;
    std::optional<std::string> countryName; // the country's name; a code alone shows nothing

    bool operator==(const AddressBlock &) const = default;
};

struct PartyContent
{
    // Name (the first one), registration name, company ID and VAT ID, each when present.
    std::vector<InfoRowData> rows;
    std::optional<AddressBlock> address;             // present with a postal address
    std::optional<std::vector<InfoRowData>> contact; // present with a contact; phone, email

    bool operator==(const PartyContent &) const = default;
};

PartyContent partyContent(const model::UBLParty &party);

struct TotalsContent
{
    // The amount rows above the divider, each in the document currency.
    std::vector<InfoRowData> rows;
    // The payable amount after the divider, emphasised; absent without a payable amount.
    std::optional<std::string> payableAmount;

    bool operator==(const TotalsContent &) const = default;
};

inline constexpr std::string_view payableAmountLabel = "financial.payable_amount";

TotalsContent totalsContent(const model::UBLLegalMonetaryTotal &total,
                            const std::optional<model::UBLTaxTotal> &taxTotal,
                            std::string_view currency, const std::string &locale);

// One card of the lines tab.
struct DocumentLineRow
{
    std::optional<std::string> itemName;
    std::optional<model::Decimal> quantity;
    std::optional<std::string> unitCode;
    std::optional<model::Decimal> amount;
    std::string currency; // the document's, whatever currency the line's amount names

    // "2.5 C62": the quantity with at most two fraction digits, a blank and the raw unit code
    // (nothing after the blank without one). Absent without a quantity.
    std::optional<std::string> quantityText(const std::string &locale) const;
    // The amount in the document currency; absent without an amount.
    std::optional<std::string> amountText(const std::string &locale) const;

    bool operator==(const DocumentLineRow &) const = default;
};

struct LinesContent
{
    // "Invoice Lines" or "Credit Note Lines"; absent when the document has no lines, and the
    // tab then shows the empty state "No line items" with the "list.bullet" icon.
    std::optional<std::string> caption;
    std::vector<DocumentLineRow> rows; // one per line, in document order, shared ids included

    bool operator==(const LinesContent &) const = default;
};

inline constexpr std::string_view noLinesIcon = "list.bullet";
inline constexpr std::string_view noLinesTitle = "No line items";

LinesContent linesContent(const model::UBLDocumentInfo &info);

} // namespace vellora::inspector
