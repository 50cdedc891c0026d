// SPDX-License-Identifier: MIT
#include "ublattachment.h"

#include "hash.h"
#include "text.h"

namespace vellora::model {

std::optional<std::int64_t> UBLAttachment::estimatedSize() const
{
    if (!embeddedData) {
        return std::nullopt;
    }
    // × 0.75, truncated toward zero, in whole numbers.
    return static_cast<std::int64_t>(characterCount(*embeddedData) * 3 / 4);
}

} // namespace vellora::model

std::size_t std::hash<vellora::model::UBLAttachment>::operator()(
    const vellora::model::UBLAttachment &attachment) const noexcept
{
    using vellora::model::hashCombine;
    std::size_t seed = 0;
    hashCombine(seed, attachment.id);
    hashCombine(seed, attachment.documentID);
    hashCombine(seed, attachment.filename);
    hashCombine(seed, attachment.mimeType);
    return seed;
}
