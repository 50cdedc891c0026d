// SPDX-License-Identifier: MIT
// A document referenced by an invoice: embedded as Base64 text, or held outside the file.
#pragma once

#include "sharedtext.h"
#include "uuid.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vellora::model {

// Holds either embedded content (embeddedData present, externalReference absent) or an
// external reference (externalReference present; filename, mimeType and embeddedData
// absent); the parser never produces both or neither.
struct UBLAttachment
{
    Uuid id; // new for every attachment at every parse: the identity of the list entry
    std::string documentID;              // "Unknown" when the reference has no ID
    std::optional<std::string> filename; // as written in the XML
    std::optional<std::string> mimeType; // as written in the XML
    // Base64 text, trimmed, inner line breaks kept. Shared by every copy of the attachment:
    // the sidebar, the selection and the preview read the bytes the parser made.
    std::optional<SharedText> embeddedData;
    std::optional<std::string> documentType; // never filled by the parser
    std::optional<std::string> documentTypeCode;
    std::optional<std::string> documentDescription;
    std::optional<std::string> externalReference; // URI of content held outside the file

    // The approximate decoded size in bytes: three quarters of the user-perceived
    // characters of embeddedData, truncated; nullopt without embedded data. Computed anew
    // on each call.
    std::optional<std::int64_t> estimatedSize() const;

    // Equal when id, documentID, filename, mimeType and embeddedData agree; the other four
    // fields are not compared.
    friend bool operator==(const UBLAttachment &a, const UBLAttachment &b)
    {
        return a.id == b.id && a.documentID == b.documentID && a.filename == b.filename &&
               a.mimeType == b.mimeType && a.embeddedData == b.embeddedData;
    }
};

} // namespace vellora::model

// Combines id, documentID, filename and mimeType (not embeddedData), so that equal
// attachments hash equally.
template <>
struct std::hash<vellora::model::UBLAttachment>
{
    std::size_t operator()(const vellora::model::UBLAttachment &attachment) const noexcept;
};
