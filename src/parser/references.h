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

// One entry per AdditionalDocumentReference in document order that yields an attachment
// (see extractAttachment); the others leave no gap.
std::vector<model::UBLAttachment> extractAttachments(const XmlNode &document);

// The attachment of one AdditionalDocumentReference: its embedded object when it has one
// (the external reference is then not read), else its external URI; nullopt when the
// reference has no Attachment or the attachment holds neither. Every attachment gets a
// fresh random id, so parsing the same text twice gives unequal attachments.
std::optional<model::UBLAttachment> extractAttachment(const XmlNode &reference);

} // namespace vellora::parser
