// SPDX-License-Identifier: MIT
#include "lines.h"

#include "primitives.h"
#include "totals.h"

namespace vellora::parser {

using namespace model;

namespace {

// The fields both line kinds share; the quantity pair is the caller's.
template <typename Line>
Line extractLineFields(const XmlNode &line)
{
    Line result;
    result.id = textValue(line, ".//*[local-name()='ID']").value_or(std::string());
    result.note = textValue(line, ".//*[local-name()='Note']");
    result.lineExtensionAmount = decimalValue(line, ".//*[local-name()='LineExtensionAmount']");
    result.accountingCost = textValue(line, ".//*[local-name()='AccountingCost']");
    result.invoicePeriod = extractInvoicePeriod(line);
    result.orderLineReference = extractOrderLineReference(line);
    for (const XmlNode &element : allElements(line, ".//*[local-name()='AllowanceCharge']")) {
        result.allowanceCharges.push_back(extractAllowanceCharge(element));
    }
    result.taxTotal = extractTaxTotal(line);
    result.item = extractItem(line);
    result.price = extractPrice(line);
    return result;
}

} // namespace

UBLInvoiceLine extractInvoiceLine(const XmlNode &line)
{
    UBLInvoiceLine result = extractLineFields<UBLInvoiceLine>(line);
    result.invoicedQuantity = decimalValue(line, ".//*[local-name()='InvoicedQuantity']");
    result.invoicedQuantityUnitCode =
        attributeValue(line, ".//*[local-name()='InvoicedQuantity']", "unitCode");
    return result;
}

UBLCreditNoteLine extractCreditNoteLine(const XmlNode &line)
{
    UBLCreditNoteLine result = extractLineFields<UBLCreditNoteLine>(line);
    result.creditedQuantity = decimalValue(line, ".//*[local-name()='CreditedQuantity']");
    result.creditedQuantityUnitCode =
        attributeValue(line, ".//*[local-name()='CreditedQuantity']", "unitCode");
    return result;
}

UBLInvoicePeriod extractPeriodFields(const XmlNode &period)
{
    return UBLInvoicePeriod{
        .startDate = dateValue(period, ".//*[local-name()='StartDate']"),
        .endDate = dateValue(period, ".//*[local-name()='EndDate']"),
        .durationMeasure = decimalValue(period, ".//*[local-name()='DurationMeasure']"),
        .durationMeasureUnitCode =
            attributeValue(period, ".//*[local-name()='DurationMeasure']", "unitCode"),
        .descriptionCode = textValue(period, ".//*[local-name()='DescriptionCode']"),
        .description = textValue(period, ".//*[local-name()='Description']"),
    };
}

std::optional<UBLInvoicePeriod> extractInvoicePeriod(const XmlNode &line)
{
    const std::optional<XmlNode> period = firstElement(line, ".//*[local-name()='InvoicePeriod']");
    if (!period) {
        return std::nullopt;
    }
    return extractPeriodFields(*period);
}

std::optional<UBLOrderLineReference> extractOrderLineReference(const XmlNode &line)
{
    const std::optional<XmlNode> reference =
        firstElement(line, ".//*[local-name()='OrderLineReference']");
    if (!reference) {
        return std::nullopt;
    }
    return UBLOrderLineReference{
        .lineID = textValue(*reference, ".//*[local-name()='LineID']"),
        .salesOrderLineID = textValue(*reference, ".//*[local-name()='SalesOrderLineID']"),
        .uuid = textValue(*reference, ".//*[local-name()='UUID']"),
        .orderReference = extractLineOrderReference(*reference),
    };
}

std::optional<UBLOrderReference> extractLineOrderReference(const XmlNode &orderLineReference)
{
    const std::optional<XmlNode> reference =
        firstElement(orderLineReference, ".//*[local-name()='OrderReference']");
    if (!reference) {
        return std::nullopt;
    }
    return UBLOrderReference{
        .id = textValue(*reference, ".//*[local-name()='ID']"),
        .salesOrderID = std::nullopt,
        .issueDate = dateValue(*reference, ".//*[local-name()='IssueDate']"),
    };
}

std::optional<UBLItem> extractItem(const XmlNode &line)
{
    const std::optional<XmlNode> item = firstElement(line, ".//*[local-name()='Item']");
    if (!item) {
        return std::nullopt;
    }
    UBLItem result{
        .description = textValue(*item, ".//*[local-name()='Description']"),
        .name = textValue(*item, ".//*[local-name()='Name']"),
        .buyersItemIdentification =
            textValue(*item, ".//*[local-name()='BuyersItemIdentification']/*[local-name()='ID']"),
        .sellersItemIdentification =
            textValue(*item, ".//*[local-name()='SellersItemIdentification']/*[local-name()='ID']"),
        .standardItemIdentification = textValue(
            *item, ".//*[local-name()='StandardItemIdentification']/*[local-name()='ID']"),
        .standardItemIdentificationSchemeID = attributeValue(
            *item, ".//*[local-name()='StandardItemIdentification']/*[local-name()='ID']",
            "schemeID"),
        .originCountryCode = textValue(
            *item, ".//*[local-name()='OriginCountry']/*[local-name()='IdentificationCode']"),
        .commodityClassifications = {},
        .classifiedTaxCategories = {},
        .additionalItemProperties = {},
    };
    for (const XmlNode &classification :
         allElements(*item, ".//*[local-name()='CommodityClassification']")) {
        result.commodityClassifications.push_back(extractCommodityClassification(classification));
    }
    for (const XmlNode &category :
         allElements(*item, ".//*[local-name()='ClassifiedTaxCategory']")) {
        result.classifiedTaxCategories.push_back(extractTaxCategoryFields(category));
    }
    for (const XmlNode &property :
         allElements(*item, ".//*[local-name()='AdditionalItemProperty']")) {
        // A property needs both a Name and a Value element; either may be empty.
        std::optional<std::string> name = textValue(property, ".//*[local-name()='Name']");
        std::optional<std::string> value = textValue(property, ".//*[local-name()='Value']");
        if (name && value) {
            result.additionalItemProperties.push_back({std::move(*name), std::move(*value)});
        }
    }
    return result;
}

UBLCommodityClassification extractCommodityClassification(const XmlNode &classification)
{
    constexpr const char *code = ".//*[local-name()='ItemClassificationCode']";
    return UBLCommodityClassification{
        .itemClassificationCode = textValue(classification, code),
        .itemClassificationCodeListID = attributeValue(classification, code, "listID"),
        .itemClassificationCodeListVersionID =
            attributeValue(classification, code, "listVersionID"),
        .cargoTypeCode = textValue(classification, ".//*[local-name()='CargoTypeCode']"),
        .commodityCode = textValue(classification, ".//*[local-name()='CommodityCode']"),
    };
}

std::optional<UBLPrice> extractPrice(const XmlNode &line)
{
    const std::optional<XmlNode> price = firstElement(line, ".//*[local-name()='Price']");
    if (!price) {
        return std::nullopt;
    }
    UBLPrice result{
        .priceAmount = decimalValue(*price, ".//*[local-name()='PriceAmount']"),
        .priceAmountCurrencyID =
            attributeValue(*price, ".//*[local-name()='PriceAmount']", "currencyID"),
        .baseQuantity = decimalValue(*price, ".//*[local-name()='BaseQuantity']"),
        .baseQuantityUnitCode =
            attributeValue(*price, ".//*[local-name()='BaseQuantity']", "unitCode"),
        .allowanceCharges = {},
    };
    for (const XmlNode &element : allElements(*price, ".//*[local-name()='AllowanceCharge']")) {
        result.allowanceCharges.push_back(extractAllowanceCharge(element));
    }
    return result;
}

} // namespace vellora::parser
