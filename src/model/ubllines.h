// SPDX-License-Identifier: MIT
// Invoice and credit-note lines with their items, prices, periods and order references.
#pragma once

#include "date.h"
#include "decimal.h"
#include "ubltotals.h"

#include <optional>
#include <string>
#include <vector>

namespace vellora::model {

// The period fields; the document's invoice period and the delivery periods use them too.
struct UBLInvoicePeriod
{
    std::optional<Date> startDate;
    std::optional<Date> endDate;
    std::optional<Decimal> durationMeasure;
    std::optional<std::string> durationMeasureUnitCode;
    std::optional<std::string> descriptionCode;
    std::optional<std::string> description;

    bool operator==(const UBLInvoicePeriod &) const = default;
};

struct UBLOrderReference
{
    std::optional<std::string> id;
    std::optional<std::string> salesOrderID; // never read inside a line's order reference
    std::optional<Date> issueDate;

    bool operator==(const UBLOrderReference &) const = default;
};

struct UBLOrderLineReference
{
    std::optional<std::string> lineID;
    std::optional<std::string> salesOrderLineID;
    std::optional<std::string> uuid;
    std::optional<UBLOrderReference> orderReference;

    bool operator==(const UBLOrderLineReference &) const = default;
};

struct UBLCommodityClassification
{
    std::optional<std::string> itemClassificationCode;
    std::optional<std::string> itemClassificationCodeListID;
    std::optional<std::string> itemClassificationCodeListVersionID;
    std::optional<std::string> cargoTypeCode;
    std::optional<std::string> commodityCode;

    bool operator==(const UBLCommodityClassification &) const = default;
};

// One additional item property: a name and a value, both present (possibly empty).
struct UBLItemProperty
{
    std::string name;
    std::string value;

    bool operator==(const UBLItemProperty &) const = default;
};

struct UBLItem
{
    std::optional<std::string> description;
    std::optional<std::string> name;
    std::optional<std::string> buyersItemIdentification;
    std::optional<std::string> sellersItemIdentification;
    std::optional<std::string> standardItemIdentification;
    std::optional<std::string> standardItemIdentificationSchemeID;
    std::optional<std::string> originCountryCode;
    std::vector<UBLCommodityClassification> commodityClassifications;
    std::vector<UBLTaxCategory> classifiedTaxCategories;
    std::vector<UBLItemProperty> additionalItemProperties;

    bool operator==(const UBLItem &) const = default;
};

struct UBLPrice
{
    std::optional<Decimal> priceAmount;
    std::optional<std::string> priceAmountCurrencyID;
    std::optional<Decimal> baseQuantity;
    std::optional<std::string> baseQuantityUnitCode;
    std::vector<UBLAllowanceCharge> allowanceCharges;

    bool operator==(const UBLPrice &) const = default;
};

struct UBLInvoiceLine
{
    std::string id; // empty when the line has no ID below it
    std::optional<std::string> note;
    std::optional<Decimal> invoicedQuantity;
    std::optional<std::string> invoicedQuantityUnitCode;
    std::optional<Decimal> lineExtensionAmount;
    std::optional<std::string> accountingCost;
    std::optional<UBLInvoicePeriod> invoicePeriod;
    std::optional<UBLOrderLineReference> orderLineReference;
    // The line's own allowances and charges and those inside its price, in document order.
    std::vector<UBLAllowanceCharge> allowanceCharges;
    std::optional<UBLTaxTotal> taxTotal;
    std::optional<UBLItem> item;
    std::optional<UBLPrice> price;

    bool operator==(const UBLInvoiceLine &) const = default;
};

struct UBLCreditNoteLine
{
    std::string id; // empty when the line has no ID below it
    std::optional<std::string> note;
    std::optional<Decimal> creditedQuantity;
    std::optional<std::string> creditedQuantityUnitCode;
    std::optional<Decimal> lineExtensionAmount;
    std::optional<std::string> accountingCost;
    std::optional<UBLInvoicePeriod> invoicePeriod;
    std::optional<UBLOrderLineReference> orderLineReference;
    std::vector<UBLAllowanceCharge> allowanceCharges;
    std::optional<UBLTaxTotal> taxTotal;
    std::optional<UBLItem> item;
    std::optional<UBLPrice> price;

    bool operator==(const UBLCreditNoteLine &) const = default;
};

} // namespace vellora::model
