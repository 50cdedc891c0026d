// SPDX-License-Identifier: MIT
#include "ubldocumentinfo.h"

namespace vellora::model {

std::string_view rawValue(UBLDocumentType type)
{
    switch (type) {
    case UBLDocumentType::invoice:
        return "Invoice";
    case UBLDocumentType::creditNote:
        return "CreditNote";
    }
    return {};
}

std::optional<UBLDocumentType> documentTypeFromRawValue(std::string_view raw)
{
    for (UBLDocumentType type : allDocumentTypes) {
        if (rawValue(type) == raw) {
            return type;
        }
    }
    return std::nullopt;
}

} // namespace vellora::model
