// SPDX-License-Identifier: MIT
// Payment means with the payee's account and branch, and the payment terms.
#pragma once

#include "model/ublpayment.h"
#include "xmldocument.h"

#include <optional>
#include <vector>

namespace vellora::parser {

// One record per PaymentMeans anywhere in the document, in document order, nested ones
// (say inside an allowance or charge) included. The code stays text: no code list.
std::vector<model::UBLPaymentMeans> extractPaymentMeans(const XmlNode &document);

// The first PayeeFinancialAccount below a payment means element. Its id is the first ID
// below the account: the IBAN when the account has one, otherwise the branch's BIC.
std::optional<model::UBLPayeeFinancialAccount>
extractPayeeFinancialAccount(const XmlNode &paymentMeans);

// The first FinancialInstitutionBranch below an account element; without an ID of its
// own it takes a nested financial institution's.
std::optional<model::UBLFinancialInstitutionBranch>
extractFinancialInstitutionBranch(const XmlNode &account);

// The first PaymentTerms in the document, a line's when the document has none; only its
// first Note is read.
std::optional<model::UBLPaymentTerms> extractPaymentTerms(const XmlNode &document);

// The first SettlementPeriod below a payment terms element.
std::optional<model::UBLSettlementPeriod> extractSettlementPeriod(const XmlNode &paymentTerms);

} // namespace vellora::parser
