// SPDX-License-Identifier: MIT
#include "references.h"

#include "model/text.h"
#include "primitives.h"

namespace vellora::parser {

using model::UBLAttachment;

std::vector<UBLAttachment> extractAttachments(const XmlNode &document)
{
    std::vector<UBLAttachment> attachments;
    for (const XmlNode &reference :
         allElements(document, "//*[local-name()='AdditionalDocumentReference']")) {
        if (std::optional<UBLAttachment> attachment = extractAttachment(reference)) {
            attachments.push_back(std::move(*attachment));
        }
    }
    return attachments;
}

std::optional<UBLAttachment> extractAttachment(const XmlNode &reference)
{
    UBLAttachment attachment;
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
        // The Base64 text as written: only the ends are trimmed, its line breaks stay.
        attachment.embeddedData = std::string(model::trimmed(embedded->textContent()));
    } else if (std::optional<std::string> uri = textValue(
                   *content, ".//*[local-name()='ExternalReference']/*[local-name()='URI']")) {
        attachment.externalReference = std::move(uri);
    } else {
        return std::nullopt;
    }
    attachment.id = model::Uuid::random();
    return attachment;
}

} // namespace vellora::parser
