// SPDX-License-Identifier: MIT
// Fuzzes the reading of a processing instruction's pseudo-attributes.
#include "xmlview/xmltreeparser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    (void)vellora::xmlview::parsePseudoAttributes(
        std::string_view(reinterpret_cast<const char *>(data), size));
    return 0;
}
