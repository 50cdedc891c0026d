// SPDX-License-Identifier: MIT
// Billing, contract and project references, and the delivery.
#pragma once

#include "date.h"
#include "decimal.h"
#include "ubllines.h"
#include "ublparty.h"

#include <optional>
#include <string>

namespace vellora::model {

struct UBLInvoiceDocumentReference
{
    std::optional<std::string> id;
    std::optional<std::string> uuid;
    std::optional<Date> issueDate;
    std::optional<std::string> invoiceTypeCode;
    std::optional<std::string> documentDescription;

    bool operator==(const UBLInvoiceDocumentReference &) const = default;
};

struct UBLBillingReference
{
    std::optional<UBLInvoiceDocumentReference> invoiceDocumentReference;

    bool operator==(const UBLBillingReference &) const = default;
};

struct UBLContractDocumentReference
{
    std::optional<std::string> id;
    std::optional<std::string> uuid;
    std::optional<Date> issueDate;
    std::optional<std::string> contractType;
    std::optional<std::string> documentDescription;

    bool operator==(const UBLContractDocumentReference &) const = default;
};

struct UBLProjectReference
{
    std::optional<std::string> id;
    std::optional<std::string> uuid;
    std::optional<Date> issueDate;

    bool operator==(const UBLProjectReference &) const = default;
};

struct UBLDelivery
{
    std::optional<std::string> id;
    std::optional<Decimal> quantity;
    std::optional<Decimal> minimumQuantity;
    std::optional<Decimal> maximumQuantity;
    std::optional<Date> actualDeliveryDate;
    std::optional<std::string> actualDeliveryTime; // as written, not converted
    std::optional<Date> latestDeliveryDate;
    std::optional<std::string> latestDeliveryTime;
    std::optional<std::string> trackingID;
    std::optional<UBLAddress> deliveryAddress;
    std::optional<std::string> deliveryLocation; // the delivery location's identifier
    std::optional<UBLInvoicePeriod> requestedDeliveryPeriod;
    std::optional<UBLInvoicePeriod> promisedDeliveryPeriod;
    std::optional<UBLInvoicePeriod> estimatedDeliveryPeriod;
    std::optional<UBLParty> deliveryParty;

    bool operator==(const UBLDelivery &) const = default;
};

} // namespace vellora::model
