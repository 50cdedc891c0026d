// SPDX-License-Identifier: MIT
// Fuzzes the source view's tree parser and the rendering of every row of its tree.
#include "xmlview/noderendering.h"
#include "xmlview/xmltreeparser.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vellora::xmlview;
    XMLTreeParser parser;
    XMLParseResult result =
        parser.parse(std::string_view(reinterpret_cast<const char *>(data), size));
    if (const auto *error = std::get_if<XMLParseError>(&result)) {
        (void)errorDescription(*error);
        return 0;
    }
    // Every node, without recursion: the tree may be as deep as the reader allows.
    std::vector<const XMLNode *> pending{&std::get<XMLNode>(result)};
    while (!pending.empty()) {
        const XMLNode *node = pending.back();
        pending.pop_back();
        (void)hasContent(*node);
        (void)rowContent(*node);
        for (const XMLNode &child : node->children) {
            pending.push_back(&child);
        }
    }
    return 0;
}
