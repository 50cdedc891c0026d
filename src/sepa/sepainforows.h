// SPDX-License-Identifier: MIT
// The label/value rows the SEPA tab lists beside the QR code.
#pragma once

#include "sepapaymentinfo.h"

#include <optional>
#include <string>
#include <vector>

namespace vellora::sepa {

struct SEPAInfoRow
{
    std::string labelKey; // "sepa.iban"
    std::string value;    // shown as is

    bool operator==(const SEPAInfoRow &) const = default;
};

// Beneficiary, IBAN, BIC (only when present), amount and payment reference (only when there
// is one), in this order. The amount shows the number once, as the payer reads it: "1234.50
// EUR" for the payload's "EUR1234.50". `reference` is the reference the payer quotes
// (SEPAQRCodeService::paymentReference); the payload's fixed fields and its " Invoice: …"
// text are never listed.
std::vector<SEPAInfoRow> sepaInfoRows(const SEPAPaymentInfo &info,
                                      const std::optional<std::string> &reference);

} // namespace vellora::sepa
