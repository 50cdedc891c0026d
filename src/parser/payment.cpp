// SPDX-License-Identifier: MIT
#include "payment.h"

#include "primitives.h"

namespace vellora::parser {

using namespace model;

std::vector<UBLPaymentMeans> extractPaymentMeans(const XmlNode &document)
{
    std::vector<UBLPaymentMeans> result;
    for (const XmlNode &means : allElements(document, "//*[local-name()='PaymentMeans']")) {
        result.push_back(UBLPaymentMeans{
            .paymentMeansCode = textValue(means, ".//*[local-name()='PaymentMeansCode']"),
            .paymentMeansCodeName =
                attributeValue(means, ".//*[local-name()='PaymentMeansCode']", "name"),
            .paymentDueDate = dateValue(means, ".//*[local-name()='PaymentDueDate']"),
            .instructionNote = textValue(means, ".//*[local-name()='InstructionNote']"),
            .paymentID = textValue(means, ".//*[local-name()='PaymentID']"),
            .cardAccount = textValue(
                means, ".//*[local-name()='CardAccount']/*[local-name()='PrimaryAccountNumberID']"),
            .payeeFinancialAccount = extractPayeeFinancialAccount(means),
        });
    }
    return result;
}

std::optional<UBLPayeeFinancialAccount> extractPayeeFinancialAccount(const XmlNode &paymentMeans)
{
    const std::optional<XmlNode> account =
        firstElement(paymentMeans, ".//*[local-name()='PayeeFinancialAccount']");
    if (!account) {
        return std::nullopt;
    }
    return UBLPayeeFinancialAccount{
        .id = textValue(*account, ".//*[local-name()='ID']"),
        .name = textValue(*account, ".//*[local-name()='Name']"),
        .financialInstitutionBranch = extractFinancialInstitutionBranch(*account),
    };
}

std::optional<UBLFinancialInstitutionBranch>
extractFinancialInstitutionBranch(const XmlNode &account)
{
    const std::optional<XmlNode> branch =
        firstElement(account, ".//*[local-name()='FinancialInstitutionBranch']");
    if (!branch) {
        return std::nullopt;
    }
    return UBLFinancialInstitutionBranch{
        .id = textValue(*branch, ".//*[local-name()='ID']"),
        .name = textValue(*branch, ".//*[local-name()='Name']"),
    };
}

std::optional<UBLPaymentTerms> extractPaymentTerms(const XmlNode &document)
{
    const std::optional<XmlNode> terms = firstElement(document, "//*[local-name()='PaymentTerms']");
    if (!terms) {
        return std::nullopt;
    }
    return UBLPaymentTerms{
        .note = textValue(*terms, ".//*[local-name()='Note']"),
        .paymentMeansID = textValue(*terms, ".//*[local-name()='PaymentMeansID']"),
        .paymentDueDate = dateValue(*terms, ".//*[local-name()='PaymentDueDate']"),
        .installmentDueDate = dateValue(*terms, ".//*[local-name()='InstallmentDueDate']"),
        .penaltyAmount = decimalValue(*terms, ".//*[local-name()='PenaltyAmount']"),
        .settlementPeriod = extractSettlementPeriod(*terms),
    };
}

std::optional<UBLSettlementPeriod> extractSettlementPeriod(const XmlNode &paymentTerms)
{
    const std::optional<XmlNode> period =
        firstElement(paymentTerms, ".//*[local-name()='SettlementPeriod']");
    if (!period) {
        return std::nullopt;
    }
    return UBLSettlementPeriod{
        .durationMeasure = decimalValue(*period, ".//*[local-name()='DurationMeasure']"),
        .durationMeasureUnitCode =
            attributeValue(*period, ".//*[local-name()='DurationMeasure']", "unitCode"),
        .startDate = dateValue(*period, ".//*[local-name()='StartDate']"),
        .endDate = dateValue(*period, ".//*[local-name()='EndDate']"),
    };
}

} // namespace vellora::parser
