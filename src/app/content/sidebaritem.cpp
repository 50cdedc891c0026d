// SPDX-License-Identifier: MIT
#include "app/content/sidebaritem.h"

#include "model/hash.h"

namespace vellora::app::content {

std::string SidebarItem::id() const
{
    if (const model::UBLAttachment *attachment = attachmentValue()) {
        return "attachment-" + attachment->id.toString();
    }
    return "rawXML";
}

} // namespace vellora::app::content

std::size_t std::hash<vellora::app::content::SidebarItem>::operator()(
    const vellora::app::content::SidebarItem &item) const noexcept
{
    std::size_t seed = 0;
    if (const vellora::model::UBLAttachment *attachment = item.attachmentValue()) {
        vellora::model::hashCombine(seed, 0);
        vellora::model::hashCombine(seed, *attachment);
    } else {
        vellora::model::hashCombine(seed, 1);
    }
    return seed;
}
