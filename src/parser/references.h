// SPDX-License-Identifier: MIT
// The document's order, billing, contract and project references, its delivery, its
// invoice period and its attachments.
//
// Each document-level record comes from the first element of its name in the whole
// document. A line can hold elements of the same names (an order reference inside an
// order line reference, a delivery, an invoice period), so a document that lacks its own
// takes the first one found inside a line.
#pragma once

#include "model/ublattachment.h"
#include "model/ubllines.h"
#include "model/ublreferences.h"
#include "xmldocument.h"

#include <optional>
#include <vector>

namespace vellora::parser {

// The first OrderReference in the document: id, salesOrderID and issueDate.
std::optional<model::UBLOrderReference> extractOrderReference(const XmlNode &document);

// The first BillingReference in the document; present even without an invoice document
// reference inside (that field is then none).
std::optional<model::UBLBillingReference> extractBillingReference(const XmlNode &document);

// The first InvoiceDocumentReference below a billing reference element.
std::optional<model::UBLInvoiceDocumentReference>
extractInvoiceDocumentReference(const XmlNode &billingReference);

// The first ContractDocumentReference in the document.
std::optional<model::UBLContractDocumentReference>
extractContractDocumentReference(const XmlNode &document);

// The first ProjectReference in the document.
std::optional<model::UBLProjectReference> extractProjectReference(const XmlNode &document);

// The first Delivery in the document. Its id is the first ID below it (a delivery
// location's when the delivery has none of its own); its deliveryAddress is the first
// PostalAddress below it, which in UBL is the delivery party's. The requested, promised and
// estimated periods are the first RequestedDeliveryPeriod, PromisedDeliveryPeriod and
// EstimatedDeliveryPeriod below the delivery, read like an invoice period.
std::optional<model::UBLDelivery> extractDelivery(const XmlNode &document);

// The first DeliveryParty below a delivery element, read like the supplier's party.
std::optional<model::UBLParty> extractDeliveryParty(const XmlNode &delivery);

// The period fields of the first InvoicePeriod in the document: a line's when the document
// has none of its own.
std::optional<model::UBLInvoicePeriod> extractDocumentInvoicePeriod(const XmlNode &document);

// One entry per AdditionalDocumentReference in document order that yields an attachment
// (see extractAttachment); the others leave no gap.
std::vector<model::UBLAttachment> extractAttachments(const XmlNode &document);

// The attachment of one AdditionalDocumentReference: its embedded object when it has one
// (the external reference is then not read), else its external URI; nullopt when the
// reference has no Attachment or the attachment holds neither. Every attachment gets a
// fresh random id, so parsing the same text twice gives unequal attachments.
std::optional<model::UBLAttachment> extractAttachment(const XmlNode &reference);

// An attachment read but for its embedded content, which is still in the tree: `content`
// is the element whose trimmed text becomes embeddedData (nullopt for an external one).
struct PendingAttachment
{
    model::UBLAttachment attachment;
    std::optional<XmlNode> content;
};

// extractAttachments without the embedded contents, for a reader that takes them out of
// the tree once everything else is read.
std::vector<PendingAttachment> extractPendingAttachments(const XmlNode &document);

} // namespace vellora::parser
