// SPDX-License-Identifier: MIT
#include "references.h"

#include "lines.h"
#include "parties.h"
#include "primitives.h"

namespace vellora::parser {

using namespace model;

namespace {

// The period fields of the first element below `context` that `path` finds.
std::optional<UBLInvoicePeriod> periodAt(const XmlNode &context, const Query &path)
{
    const std::optional<XmlNode> period = firstElement(context, path);
    if (!period) {
        return std::nullopt;
    }
    return extractPeriodFields(*period);
}

} // namespace

std::optional<UBLOrderReference> extractOrderReference(const XmlNode &document)
{
    const std::optional<XmlNode> reference =
        firstElement(document, "//*[local-name()='OrderReference']");
    if (!reference) {
        return std::nullopt;
    }
    return UBLOrderReference{
        .id = textValue(*reference, ".//*[local-name()='ID']"),
        .salesOrderID = textValue(*reference, ".//*[local-name()='SalesOrderID']"),
        .issueDate = dateValue(*reference, ".//*[local-name()='IssueDate']"),
    };
}

std::optional<UBLBillingReference> extractBillingReference(const XmlNode &document)
{
    const std::optional<XmlNode> reference =
        firstElement(document, "//*[local-name()='BillingReference']");
    if (!reference) {
        return std::nullopt;
    }
    return UBLBillingReference{.invoiceDocumentReference =
                                   extractInvoiceDocumentReference(*reference)};
}

std::optional<UBLInvoiceDocumentReference>
extractInvoiceDocumentReference(const XmlNode &billingReference)
{
    const std::optional<XmlNode> reference =
        firstElement(billingReference, ".//*[local-name()='InvoiceDocumentReference']");
    if (!reference) {
        return std::nullopt;
    }
    return UBLInvoiceDocumentReference{
        .id = textValue(*reference, ".//*[local-name()='ID']"),
        .uuid = textValue(*reference, ".//*[local-name()='UUID']"),
        .issueDate = dateValue(*reference, ".//*[local-name()='IssueDate']"),
        .invoiceTypeCode = textValue(*reference, ".//*[local-name()='InvoiceTypeCode']"),
        .documentDescription = textValue(*reference, ".//*[local-name()='DocumentDescription']"),
    };
}

std::optional<UBLContractDocumentReference>
extractContractDocumentReference(const XmlNode &document)
{
    const std::optional<XmlNode> reference =
        firstElement(document, "//*[local-name()='ContractDocumentReference']");
    if (!reference) {
        return std::nullopt;
    }
    return UBLContractDocumentReference{
        .id = textValue(*reference, ".//*[local-name()='ID']"),
        .uuid = textValue(*reference, ".//*[local-name()='UUID']"),
        .issueDate = dateValue(*reference, ".//*[local-name()='IssueDate']"),
        .contractType = textValue(*reference, ".//*[local-name()='ContractType']"),
        .documentDescription = textValue(*reference, ".//*[local-name()='DocumentDescription']"),
    };
}

std::optional<UBLProjectReference> extractProjectReference(const XmlNode &document)
{
    const std::optional<XmlNode> reference =
        firstElement(document, "//*[local-name()='ProjectReference']");
    if (!reference) {
        return std::nullopt;
    }
    return UBLProjectReference{
        .id = textValue(*reference, ".//*[local-name()='ID']"),
        .uuid = textValue(*reference, ".//*[local-name()='UUID']"),
        .issueDate = dateValue(*reference, ".//*[local-name()='IssueDate']"),
    };
}

std::optional<UBLDelivery> extractDelivery(const XmlNode &document)
{
    const std::optional<XmlNode> delivery = firstElement(document, "//*[local-name()='Delivery']");
    if (!delivery) {
        return std::nullopt;
    }
    return UBLDelivery{
        .id = textValue(*delivery, ".//*[local-name()='ID']"),
        .quantity = decimalValue(*delivery, ".//*[local-name()='Quantity']"),
        .minimumQuantity = decimalValue(*delivery, ".//*[local-name()='MinimumQuantity']"),
        .maximumQuantity = decimalValue(*delivery, ".//*[local-name()='MaximumQuantity']"),
        .actualDeliveryDate = dateValue(*delivery, ".//*[local-name()='ActualDeliveryDate']"),
        .actualDeliveryTime = textValue(*delivery, ".//*[local-name()='ActualDeliveryTime']"),
        .latestDeliveryDate = dateValue(*delivery, ".//*[local-name()='LatestDeliveryDate']"),
        .latestDeliveryTime = textValue(*delivery, ".//*[local-name()='LatestDeliveryTime']"),
        .trackingID = textValue(*delivery, ".//*[local-name()='TrackingID']"),
        .deliveryAddress = extractAddress(*delivery),
        .deliveryLocation =
            textValue(*delivery, ".//*[local-name()='DeliveryLocation']/*[local-name()='ID']"),
        .requestedDeliveryPeriod =
            periodAt(*delivery, ".//*[local-name()='RequestedDeliveryPeriod']"),
        .promisedDeliveryPeriod =
            periodAt(*delivery, ".//*[local-name()='PromisedDeliveryPeriod']"),
        .estimatedDeliveryPeriod =
            periodAt(*delivery, ".//*[local-name()='EstimatedDeliveryPeriod']"),
        .deliveryParty = extractDeliveryParty(*delivery),
    };
}

std::optional<UBLParty> extractDeliveryParty(const XmlNode &delivery)
{
    return extractParty(delivery, ".//*[local-name()='DeliveryParty']");
}

std::optional<UBLInvoicePeriod> extractDocumentInvoicePeriod(const XmlNode &document)
{
    return periodAt(document, "//*[local-name()='InvoicePeriod']");
}

namespace {

// The attachment of one reference with its content element, content not yet read.
std::optional<PendingAttachment> pendingAttachment(const XmlNode &reference)
{
    PendingAttachment pending;
    UBLAttachment &attachment = pending.attachment;
    attachment.documentID = textValue(reference, ".//*[local-name()='ID']").value_or("Unknown");
    attachment.documentTypeCode = textValue(reference, ".//*[local-name()='DocumentTypeCode']");
    attachment.documentDescription =
        textValue(reference, ".//*[local-name()='DocumentDescription']");

    const std::optional<XmlNode> content =
        firstElement(reference, ".//*[local-name()='Attachment']");
    if (!content) {
        return std::nullopt;
    }
    if (const std::optional<XmlNode> embedded =
            firstElement(*content, ".//*[local-name()='EmbeddedDocumentBinaryObject']")) {
        attachment.mimeType = embedded->attribute("mimeCode");
        attachment.filename = embedded->attribute("filename");
        pending.content = embedded;
    } else if (std::optional<std::string> uri = textValue(
                   *content, ".//*[local-name()='ExternalReference']/*[local-name()='URI']")) {
        attachment.externalReference = std::move(uri);
    } else {
        return std::nullopt;
    }
    attachment.id = model::Uuid::random();
    return pending;
}

// The Base64 text as written: only the ends are trimmed, its line breaks stay.
void readContent(PendingAttachment &pending)
{
    if (pending.content) {
        pending.attachment.embeddedData = trimmedText(*pending.content);
    }
}

} // namespace

std::vector<PendingAttachment> extractPendingAttachments(const XmlNode &document)
{
    std::vector<PendingAttachment> attachments;
    for (const XmlNode &reference :
         allElements(document, "//*[local-name()='AdditionalDocumentReference']")) {
        if (std::optional<PendingAttachment> pending = pendingAttachment(reference)) {
            attachments.push_back(std::move(*pending));
        }
    }
    return attachments;
}

std::vector<UBLAttachment> extractAttachments(const XmlNode &document)
{
    std::vector<UBLAttachment> attachments;
    for (PendingAttachment &pending : extractPendingAttachments(document)) {
        readContent(pending);
        attachments.push_back(std::move(pending.attachment));
    }
    return attachments;
}

std::optional<UBLAttachment> extractAttachment(const XmlNode &reference)
{
    std::optional<PendingAttachment> pending = pendingAttachment(reference);
    if (!pending) {
        return std::nullopt;
    }
    readContent(*pending);
    return std::move(pending->attachment);
}

} // namespace vellora::parser
