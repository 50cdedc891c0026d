// SPDX-License-Identifier: MIT
// The data of one SEPA credit transfer as an EPC QR code carries it.
#pragma once

#include <optional>
#include <string>

namespace vellora::sepa {

// The twelve lines of an EPC QR payload (version 002), in line order. An absent optional
// line and an empty one both give an empty line in the payload; the record keeps them apart.
struct SEPAPaymentInfo
{
    std::string serviceTag;     // "BCD"
    std::string version;        // "002"
    std::string characterSet;   // "1": UTF-8
    std::string identification; // "SCT": SEPA credit transfer
    std::optional<std::string> bic;
    std::string beneficiaryName;
    std::string beneficiaryAccount; // the IBAN
    std::string amount;             // "EUR1234.50"
    std::optional<std::string> purpose;
    std::optional<std::string> remittanceReference; // structured: an RF creditor reference
    std::optional<std::string> remittanceText;      // unstructured
    std::optional<std::string> beneficiaryToOriginatorInfo;

    // The twelve fields joined by single line feeds, nothing escaped or shortened, no line
    // feed after the last one: always eleven separators unless a field holds a line feed.
    std::string payloadText() const;

    bool operator==(const SEPAPaymentInfo &) const = default;
};

} // namespace vellora::sepa
