// SPDX-License-Identifier: MIT
// The document's monetary total, tax totals with their subtotals and categories, and
// allowances and charges. Amounts are exact decimals; nothing is added up or compared.
#pragma once

#include "model/ubltotals.h"
#include "xmldocument.h"

#include <optional>
#include <vector>

namespace vellora::parser {

// The first LegalMonetaryTotal in the document. Its currency attributes are not read: the
// document's currency stands for all of them.
std::optional<model::UBLLegalMonetaryTotal> extractLegalMonetaryTotal(const XmlNode &document);

// With the document node as context, the first TaxTotal anywhere in the document (a line's
// when the document has none of its own); with a line element, the first TaxTotal below it.
// Its taxAmount is the first TaxAmount below the total, which is the first subtotal's when
// the total has none of its own.
std::optional<model::UBLTaxTotal> extractTaxTotal(const XmlNode &context);

// The amounts and category of one TaxSubtotal element.
model::UBLTaxSubTotal extractTaxSubTotal(const XmlNode &subtotal);

// The first TaxCategory below `context` (a subtotal element).
std::optional<model::UBLTaxCategory> extractTaxCategory(const XmlNode &context);

// The fields of `category`, itself a TaxCategory or ClassifiedTaxCategory element. A
// category without its own ID takes the first ID below it, its tax scheme's (say "VAT");
// likewise for Name.
model::UBLTaxCategory extractTaxCategoryFields(const XmlNode &category);

// One entry per AllowanceCharge anywhere in the document, in document order: those of the
// document, of its lines and of their prices alike.
std::vector<model::UBLAllowanceCharge> extractAllowanceCharges(const XmlNode &document);

// The fields of one AllowanceCharge element. Local names match exactly: Amount is not
// BaseAmount, AllowanceChargeReason is not AllowanceChargeReasonCode.
model::UBLAllowanceCharge extractAllowanceCharge(const XmlNode &allowanceCharge);

} // namespace vellora::parser
