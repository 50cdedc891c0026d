// SPDX-License-Identifier: MIT
// Reads the text of a UBL invoice or credit note into the model.
#pragma once

#include "xmldocument.h"

#include "model/ubldocumentinfo.h"

#include <optional>
#include <string_view>

namespace vellora::parser {

// Stateless: any number of parses may use one parser, one after another or at once.
//
// Reading is tolerant: elements are found by local name anywhere below the element being
// read, in any namespace or none, so documents with unusual prefixes, no namespace
// declarations or a wrapping envelope still yield a model. It is also literal: nothing is
// validated against code lists or recomputed; the model shows what the file says.
class UBLParser
{
public:
    // Parses the text and extracts the whole model. Never throws; a text that is not XML or
    // holds no Invoice or CreditNote element gives an invalid outcome with its message.
    model::UBLValidationResult parse(std::string_view text) const;

    // The outcome of parse for a text already parsed into `document`: detection, then
    // extraction. Lets a caller that has the tree already avoid parsing the text twice.
    // The read uses the tree up: once everything else is read, the embedded attachments'
    // texts are moved out of it into the model instead of being copied.
    model::UBLValidationResult read(XmlDocument &&document) const;

    // invoice when an Invoice element stands anywhere in the document, else creditNote when
    // a CreditNote element does, else nullopt. The root element's name plays no part.
    std::optional<model::UBLDocumentType> detectDocumentType(const XmlDocument &document) const;

    // Reads the tree without changing it; it can be read again.
    model::UBLDocumentInfo extractDocumentInfo(const XmlDocument &document,
                                               model::UBLDocumentType type) const;

private:
    // extractDocumentInfo; with `consumed` (the same document) the attachments' texts are
    // moved out of the tree at the end instead of copied.
    model::UBLDocumentInfo extract(const XmlDocument &document, model::UBLDocumentType type,
                                   XmlDocument *consumed) const;
};

} // namespace vellora::parser
