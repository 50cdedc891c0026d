// SPDX-License-Identifier: MIT
// A compact text form of an XMLNode tree, so that parser tests can state whole trees in one
// table cell: element name{key=value,...}(children), text #"...", comment !"...",
// processing instruction ?target{...}, declaration ?!target{...}.
#pragma once

#include "xmlview/xmlnode.h"

#include <string>

namespace vellora::xmlview::testing {

inline std::string describe(const XMLNode &node)
{
    std::string out;
    switch (node.nodeType) {
    case XMLNodeType::element:
        out += node.name;
        break;
    case XMLNodeType::text:
        return "#\"" + node.textContent.value_or("<absent>") + "\"";
    case XMLNodeType::comment:
        return "!\"" + node.textContent.value_or("<absent>") + "\"";
    case XMLNodeType::processingInstruction:
        out += "?" + node.name;
        break;
    case XMLNodeType::declaration:
        out += "?!" + node.name;
        break;
    }
    if (node.textContent) {
        out += "<text:" + *node.textContent + ">"; // never expected on these kinds
    }
    if (!node.attributes.empty()) {
        out += "{";
        bool first = true;
        for (const auto &[key, value] : node.attributes) {
            out += (first ? "" : ",") + key + "=" + value;
            first = false;
        }
        out += "}";
    }
    if (!node.children.empty()) {
        out += "(";
        bool first = true;
        for (const auto &child : node.children) {
            out += (first ? "" : ",") + describe(child);
            first = false;
        }
        out += ")";
    }
    return out;
}

} // namespace vellora::xmlview::testing
