// SPDX-License-Identifier: MIT
// Monetary totals, tax totals with their subtotals and categories, allowances and charges.
#pragma once

#include "decimal.h"
#include "ublparty.h"

#include <optional>
#include <string>
#include <vector>

namespace vellora::model {

// Amounts carry no currency of their own: the document's currency stands for all of them.
struct UBLLegalMonetaryTotal
{
    std::optional<Decimal> lineExtensionAmount;
    std::optional<Decimal> taxExclusiveAmount;
    std::optional<Decimal> taxInclusiveAmount;
    std::optional<Decimal> allowanceTotalAmount;
    std::optional<Decimal> chargeTotalAmount;
    std::optional<Decimal> prepaidAmount;
    std::optional<Decimal> payableRoundingAmount;
    std::optional<Decimal> payableAmount;

    bool operator==(const UBLLegalMonetaryTotal &) const = default;
};

struct UBLTaxCategory
{
    std::optional<std::string> id;
    std::optional<std::string> name;
    std::optional<Decimal> percent;
    std::optional<std::string> taxExemptionReasonCode;
    std::optional<std::string> taxExemptionReason;
    std::optional<UBLTaxScheme> taxScheme;

    bool operator==(const UBLTaxCategory &) const = default;
};

struct UBLTaxSubTotal
{
    std::optional<Decimal> taxableAmount;
    std::optional<Decimal> taxAmount;
    std::optional<UBLTaxCategory> taxCategory;

    bool operator==(const UBLTaxSubTotal &) const = default;
};

struct UBLTaxTotal
{
    std::optional<Decimal> taxAmount;
    std::vector<UBLTaxSubTotal> taxSubtotals;

    bool operator==(const UBLTaxTotal &) const = default;
};

struct UBLAllowanceCharge
{
    std::optional<bool> chargeIndicator; // true: a charge; false: an allowance
    std::optional<std::string> allowanceChargeReasonCode;
    std::optional<std::string> allowanceChargeReason;
    std::optional<Decimal> multiplierFactorNumeric;
    std::optional<Decimal> amount;
    std::optional<std::string> amountCurrencyID; // the raw currencyID of the Amount element
    std::optional<Decimal> baseAmount;
    std::optional<std::string> baseAmountCurrencyID;
    std::vector<UBLTaxCategory> taxCategories;

    bool operator==(const UBLAllowanceCharge &) const = default;
};

} // namespace vellora::model
