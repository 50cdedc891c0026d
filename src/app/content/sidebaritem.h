// SPDX-License-Identifier: MIT
// The selection value of a document window's sidebar.
#pragma once

#include "model/ublattachment.h"

#include <cstddef>
#include <functional>
#include <string>
#include <variant>

namespace vellora::app::content {

// One entry the sidebar can select: an attachment of the document, or its XML source. No row
// of the sidebar produces the XML source item; with it selected the detail area behaves as
// with no selection.
class SidebarItem
{
public:
    struct RawXML
    {
        bool operator==(const RawXML &) const = default;
    };

    static SidebarItem attachment(model::UBLAttachment attachment)
    {
        return SidebarItem(std::move(attachment));
    }
    static SidebarItem rawXML() { return SidebarItem(RawXML{}); }

    // The attachment of an attachment item, nullptr for the XML source item.
    const model::UBLAttachment *attachmentValue() const
    {
        return std::get_if<model::UBLAttachment>(&m_value);
    }
    bool isRawXML() const { return std::holds_alternative<RawXML>(m_value); }

    // "attachment-" and the attachment's id in canonical upper-case form, or "rawXML".
    std::string id() const;

    // Attachments compare by the attachment rule (id, documentID, filename, mimeType,
    // embeddedData); two XML source items are equal; items of different kinds never are.
    friend bool operator==(const SidebarItem &, const SidebarItem &) = default;

private:
    explicit SidebarItem(std::variant<model::UBLAttachment, RawXML> value)
        : m_value(std::move(value))
    {}

    std::variant<model::UBLAttachment, RawXML> m_value;
};

} // namespace vellora::app::content

// The kind first (0 attachment, 1 XML source), then the attachment's own hash.
template <>
struct std::hash<vellora::app::content::SidebarItem>
{
    std::size_t operator()(const vellora::app::content::SidebarItem &item) const noexcept;
};
