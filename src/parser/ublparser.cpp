// SPDX-License-Identifier: MIT
#include "ublparser.h"

#include "lines.h"
#include "parties.h"
#include "payment.h"
#include "primitives.h"
#include "references.h"
#include "totals.h"

namespace vellora::parser {

using model::UBLDocumentInfo;
using model::UBLDocumentType;
using model::UBLValidationResult;

model::UBLValidationResult UBLParser::parse(std::string_view text) const
{
    std::variant<XmlDocument, std::string> parsed = XmlDocument::parse(text);
    if (const auto *reason = std::get_if<std::string>(&parsed)) {
        return UBLValidationResult::invalid(UBLValidationResult::Invalid::Kind::notXml,
                                            "Failed to parse XML: " + *reason);
    }
    return read(std::get<XmlDocument>(std::move(parsed)));
}

model::UBLValidationResult UBLParser::read(XmlDocument &&document) const
{
    const std::optional<UBLDocumentType> type = detectDocumentType(document);
    if (!type) {
        return UBLValidationResult::invalid(
            UBLValidationResult::Invalid::Kind::noInvoiceOrCreditNote,
            "Invalid UBL document: Root element must be 'Invoice' or 'CreditNote'");
    }

    // No document is refused for its namespaces. Every reader matches elements by local
    // name, and an Invoice or CreditNote element in any namespace or in none is a document
    // we can read: documents without namespace declarations, with unusual prefixes, inside
    // envelopes, or whose root is bound to the other kind's namespace all yield their model.
    // A check that rejected any of them would refuse a file we read correctly, so the
    // namespaces are not checked and "Invalid UBL document: Missing or incorrect namespaces"
    // is never the outcome.

    return UBLValidationResult::valid(extract(document, *type, &document));
}

std::optional<UBLDocumentType> UBLParser::detectDocumentType(const XmlDocument &document) const
{
    const XmlNode root = document.node();
    if (firstElement(root, "//*[local-name()='Invoice']")) {
        return UBLDocumentType::invoice;
    }
    if (firstElement(root, "//*[local-name()='CreditNote']")) {
        return UBLDocumentType::creditNote;
    }
    return std::nullopt;
}

UBLDocumentInfo UBLParser::extractDocumentInfo(const XmlDocument &document,
                                               UBLDocumentType type) const
{
    return extract(document, type, nullptr);
}

namespace {

// Fills each pending attachment's embeddedData once nothing else reads the tree: a text
// that is one piece of its own is moved out of `tree`, any other is copied. All copies come
// first, since a copied element's text may include an element whose text is moved; an
// element that two references share is moved once and shared.
std::vector<model::UBLAttachment> settle(std::vector<PendingAttachment> pending, XmlDocument &tree)
{
    for (PendingAttachment &entry : pending) {
        if (entry.content && !tree.canTakeText(*entry.content)) {
            entry.attachment.embeddedData = trimmedText(*entry.content);
            entry.content.reset();
        }
    }
    std::vector<model::UBLAttachment> attachments;
    attachments.reserve(pending.size());
    for (std::size_t i = 0; i < pending.size(); ++i) {
        PendingAttachment &entry = pending[i];
        if (entry.content) {
            entry.attachment.embeddedData = tree.takeTrimmedText(*entry.content);
            for (std::size_t j = i + 1; j < pending.size(); ++j) {
                if (pending[j].content == entry.content) {
                    pending[j].attachment.embeddedData = entry.attachment.embeddedData;
                    pending[j].content.reset();
                }
            }
        }
        attachments.push_back(std::move(entry.attachment));
    }
    return attachments;
}

} // namespace

UBLDocumentInfo UBLParser::extract(const XmlDocument &document, UBLDocumentType type,
                                   XmlDocument *consumed) const
{
    const XmlNode root = document.node();
    UBLDocumentInfo info;
    info.documentType = type;
    // The first element of each name in document order wins, even one inside an extension
    // block or an envelope header that comes before the document's own.
    info.documentID = textValue(root, "//*[local-name()='ID']").value_or("Unknown");
    info.issueDate = dateValue(root, "//*[local-name()='IssueDate']");
    info.currency = textValue(root, "//*[local-name()='DocumentCurrencyCode']").value_or("Unknown");
    info.ublVersion = textValue(root, "//*[local-name()='UBLVersionID']").value_or("Unknown");
    info.supplierParty =
        extractParty(root, "//*[local-name()='AccountingSupplierParty']/*[local-name()='Party']");
    info.customerParty =
        extractParty(root, "//*[local-name()='AccountingCustomerParty']/*[local-name()='Party']");
    info.monetaryTotal = extractLegalMonetaryTotal(root);
    info.taxTotal = extractTaxTotal(root);
    // Only elements named exactly InvoiceLine or CreditNoteLine are lines, at any depth; a
    // document has the lines of its own kind only.
    // The lists are sized once: grown line by line, a list of many lines would briefly
    // need room for one and a half times its size.
    if (type == UBLDocumentType::invoice) {
        const std::vector<XmlNode> lines = allElements(root, "//*[local-name()='InvoiceLine']");
        info.invoiceLines.reserve(lines.size());
        for (const XmlNode &line : lines) {
            info.invoiceLines.push_back(extractInvoiceLine(line));
        }
    } else {
        const std::vector<XmlNode> lines = allElements(root, "//*[local-name()='CreditNoteLine']");
        info.creditNoteLines.reserve(lines.size());
        for (const XmlNode &line : lines) {
            info.creditNoteLines.push_back(extractCreditNoteLine(line));
        }
    }
    // Read last when the tree is used up, see below.
    std::vector<PendingAttachment> attachments;
    if (consumed) {
        attachments = extractPendingAttachments(root);
    } else {
        info.attachments = extractAttachments(root);
    }
    info.paymentMeans = extractPaymentMeans(root);
    info.paymentTerms = extractPaymentTerms(root);
    info.allowanceCharges = extractAllowanceCharges(root);
    info.orderReference = extractOrderReference(root);
    info.billingReference = extractBillingReference(root);
    info.contractReference = extractContractDocumentReference(root);
    info.projectReference = extractProjectReference(root);
    info.delivery = extractDelivery(root);
    info.invoicePeriod = extractDocumentInvoicePeriod(root);
    if (consumed) {
        info.attachments = settle(std::move(attachments), *consumed);
    }
    return info;
}

} // namespace vellora::parser
