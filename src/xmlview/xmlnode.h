// SPDX-License-Identifier: MIT
// The XML tree shown by the source view: an immutable value with nested children.
#pragma once

#include "model/uuid.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace vellora::xmlview {

enum class XMLNodeType
{
    element,
    text,
    comment,
    processingInstruction,
    declaration,
};

// One node of the tree. Elements own their children by value; there are no parent links.
// Copying and destroying walk the tree with an explicit stack, so a tree nested a hundred
// thousand levels deep costs heap, not call stack.
struct XMLNode
{
    model::Uuid id;   // fresh for every parse; the tree view's identity of the node
    std::string name; // qualified element name, "text", "comment" or the PI target
    std::map<std::string, std::string> attributes; // element attributes or PI pseudo-attributes
    std::optional<std::string> textContent; // text nodes (trimmed) and comments (as reported)
    XMLNodeType nodeType = XMLNodeType::element;
    std::vector<XMLNode> children;

    XMLNode() = default;
    XMLNode(model::Uuid id, std::string name, std::map<std::string, std::string> attributes,
            std::optional<std::string> textContent, XMLNodeType nodeType,
            std::vector<XMLNode> children);
    XMLNode(const XMLNode &other);
    XMLNode(XMLNode &&other) noexcept = default;
    XMLNode &operator=(const XMLNode &other);
    XMLNode &operator=(XMLNode &&other) noexcept;
    ~XMLNode();
};

// Whether two trees have the same shape and content, ids aside.
bool sameContent(const XMLNode &a, const XMLNode &b);

// The number of nodes in the subtree of `node`, itself included.
std::size_t countNodes(const XMLNode &node);

// The nodes of the subtree whose depth does not exceed `maxDepth`, in pre-order, where `node`
// lies at `depth`.
std::vector<const XMLNode *> nodesUpToDepth(const XMLNode &node, int maxDepth, int depth = 0);

} // namespace vellora::xmlview
