// SPDX-License-Identifier: MIT
#include "totals.h"

#include "parties.h"
#include "primitives.h"

namespace vellora::parser {

using namespace model;

std::optional<UBLLegalMonetaryTotal> extractLegalMonetaryTotal(const XmlNode &document)
{
    const std::optional<XmlNode> total =
        firstElement(document, "//*[local-name()='LegalMonetaryTotal']");
    if (!total) {
        return std::nullopt;
    }
    return UBLLegalMonetaryTotal{
        .lineExtensionAmount = decimalValue(*total, ".//*[local-name()='LineExtensionAmount']"),
        .taxExclusiveAmount = decimalValue(*total, ".//*[local-name()='TaxExclusiveAmount']"),
        .taxInclusiveAmount = decimalValue(*total, ".//*[local-name()='TaxInclusiveAmount']"),
        .allowanceTotalAmount = decimalValue(*total, ".//*[local-name()='AllowanceTotalAmount']"),
        .chargeTotalAmount = decimalValue(*total, ".//*[local-name()='ChargeTotalAmount']"),
        .prepaidAmount = decimalValue(*total, ".//*[local-name()='PrepaidAmount']"),
        .payableRoundingAmount = decimalValue(*total, ".//*[local-name()='PayableRoundingAmount']"),
        .payableAmount = decimalValue(*total, ".//*[local-name()='PayableAmount']"),
    };
}

std::optional<UBLTaxTotal> extractTaxTotal(const XmlNode &context)
{
    const std::optional<XmlNode> total =
        context.isDocument() ? firstElement(context, "//*[local-name()='TaxTotal']")
                             : firstElement(context, ".//*[local-name()='TaxTotal']");
    if (!total) {
        return std::nullopt;
    }
    UBLTaxTotal result;
    result.taxAmount = decimalValue(*total, ".//*[local-name()='TaxAmount']");
    for (const XmlNode &subtotal : allElements(*total, ".//*[local-name()='TaxSubtotal']")) {
        result.taxSubtotals.push_back(extractTaxSubTotal(subtotal));
    }
    return result;
}

UBLTaxSubTotal extractTaxSubTotal(const XmlNode &subtotal)
{
    return UBLTaxSubTotal{
        .taxableAmount = decimalValue(subtotal, ".//*[local-name()='TaxableAmount']"),
        .taxAmount = decimalValue(subtotal, ".//*[local-name()='TaxAmount']"),
        .taxCategory = extractTaxCategory(subtotal),
    };
}

std::optional<UBLTaxCategory> extractTaxCategory(const XmlNode &context)
{
    const std::optional<XmlNode> category =
        firstElement(context, ".//*[local-name()='TaxCategory']");
    if (!category) {
        return std::nullopt;
    }
    return extractTaxCategoryFields(*category);
}

UBLTaxCategory extractTaxCategoryFields(const XmlNode &category)
{
    return UBLTaxCategory{
        .id = textValue(category, ".//*[local-name()='ID']"),
        .name = textValue(category, ".//*[local-name()='Name']"),
        .percent = decimalValue(category, ".//*[local-name()='Percent']"),
        .taxExemptionReasonCode =
            textValue(category, ".//*[local-name()='TaxExemptionReasonCode']"),
        .taxExemptionReason = textValue(category, ".//*[local-name()='TaxExemptionReason']"),
        .taxScheme = extractTaxScheme(category),
    };
}

std::vector<UBLAllowanceCharge> extractAllowanceCharges(const XmlNode &document)
{
    std::vector<UBLAllowanceCharge> result;
    for (const XmlNode &element : allElements(document, "//*[local-name()='AllowanceCharge']")) {
        result.push_back(extractAllowanceCharge(element));
    }
    return result;
}

UBLAllowanceCharge extractAllowanceCharge(const XmlNode &allowanceCharge)
{
    UBLAllowanceCharge result{
        .chargeIndicator = boolValue(allowanceCharge, ".//*[local-name()='ChargeIndicator']"),
        .allowanceChargeReasonCode =
            textValue(allowanceCharge, ".//*[local-name()='AllowanceChargeReasonCode']"),
        .allowanceChargeReason =
            textValue(allowanceCharge, ".//*[local-name()='AllowanceChargeReason']"),
        .multiplierFactorNumeric =
            decimalValue(allowanceCharge, ".//*[local-name()='MultiplierFactorNumeric']"),
        .amount = decimalValue(allowanceCharge, ".//*[local-name()='Amount']"),
        .amountCurrencyID =
            attributeValue(allowanceCharge, ".//*[local-name()='Amount']", "currencyID"),
        .baseAmount = decimalValue(allowanceCharge, ".//*[local-name()='BaseAmount']"),
        .baseAmountCurrencyID =
            attributeValue(allowanceCharge, ".//*[local-name()='BaseAmount']", "currencyID"),
        .taxCategories = {},
    };
    for (const XmlNode &category :
         allElements(allowanceCharge, ".//*[local-name()='TaxCategory']")) {
        result.taxCategories.push_back(extractTaxCategoryFields(category));
    }
    return result;
}

} // namespace vellora::parser
