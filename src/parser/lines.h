// SPDX-License-Identifier: MIT
// Invoice and credit-note lines with their items, prices, order line references and
// periods.
//
// Every query searches all descendants of the line, so a line without its own element takes
// a deeper one of the same name: the first ID below the line wins, even a nested order
// reference's, and the line's allowanceCharges also holds the allowances of its price.
#pragma once

#include "model/ubllines.h"
#include "xmldocument.h"

#include <optional>

namespace vellora::parser {

// Every line element yields a line; missing fields are none (the empty text for id).
model::UBLInvoiceLine extractInvoiceLine(const XmlNode &line);
// As extractInvoiceLine, with CreditedQuantity in place of InvoicedQuantity.
model::UBLCreditNoteLine extractCreditNoteLine(const XmlNode &line);

// The period fields (dates, duration, description) read below `period`, itself a period
// element: an InvoicePeriod, or a requested, promised or estimated delivery period.
model::UBLInvoicePeriod extractPeriodFields(const XmlNode &period);

// The period fields of the first InvoicePeriod below the line.
std::optional<model::UBLInvoicePeriod> extractInvoicePeriod(const XmlNode &line);

// The first OrderLineReference below the line.
std::optional<model::UBLOrderLineReference> extractOrderLineReference(const XmlNode &line);

// The first OrderReference below an order line reference: id and issueDate only;
// salesOrderID stays none here, unlike in the document's order reference.
std::optional<model::UBLOrderReference>
extractLineOrderReference(const XmlNode &orderLineReference);

// The first Item below the line. Its name and description are the first Name and
// Description below the item: a classified tax category's or a property's when the item
// has none of its own.
std::optional<model::UBLItem> extractItem(const XmlNode &line);

// The fields of one CommodityClassification element (an entry even when all are none).
model::UBLCommodityClassification extractCommodityClassification(const XmlNode &classification);

// The first Price below the line, with the allowances and charges below it.
std::optional<model::UBLPrice> extractPrice(const XmlNode &line);

} // namespace vellora::parser
