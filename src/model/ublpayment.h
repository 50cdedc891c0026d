// SPDX-License-Identifier: MIT
// Payment means with the payee's account and branch; payment terms.
#pragma once

#include "date.h"
#include "decimal.h"

#include <optional>
#include <string>

namespace vellora::model {

struct UBLFinancialInstitutionBranch
{
    std::optional<std::string> id; // the BIC
    std::optional<std::string> name;

    bool operator==(const UBLFinancialInstitutionBranch &) const = default;
};

struct UBLPayeeFinancialAccount
{
    std::optional<std::string> id; // the IBAN
    std::optional<std::string> name;
    std::optional<UBLFinancialInstitutionBranch> financialInstitutionBranch;

    bool operator==(const UBLPayeeFinancialAccount &) const = default;
};

struct UBLPaymentMeans
{
    std::optional<std::string> paymentMeansCode; // as written; no code list applied
    std::optional<std::string> paymentMeansCodeName;
    std::optional<Date> paymentDueDate;
    std::optional<std::string> instructionNote;
    std::optional<std::string> paymentID;
    std::optional<std::string> cardAccount;
    std::optional<UBLPayeeFinancialAccount> payeeFinancialAccount;

    bool operator==(const UBLPaymentMeans &) const = default;
};

struct UBLSettlementPeriod
{
    std::optional<Decimal> durationMeasure;
    std::optional<std::string> durationMeasureUnitCode;
    std::optional<Date> startDate;
    std::optional<Date> endDate;

    bool operator==(const UBLSettlementPeriod &) const = default;
};

struct UBLPaymentTerms
{
    std::optional<std::string> note;
    std::optional<std::string> paymentMeansID;
    std::optional<Date> paymentDueDate;
    std::optional<Date> installmentDueDate;
    std::optional<Decimal> penaltyAmount;
    std::optional<UBLSettlementPeriod> settlementPeriod;

    bool operator==(const UBLPaymentTerms &) const = default;
};

} // namespace vellora::model
