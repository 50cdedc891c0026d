// SPDX-License-Identifier: MIT
// An owned libxml2 document tree, its element index, and handles to its nodes, for the
// readers of this folder. No libxml2 pointer leaves this unit.
#pragma once

#include "query.h"

#include "model/sharedtext.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vellora::parser {

namespace detail {
struct XmlTree;
}

// A node of a parsed document: the document node itself or one of its elements. A node
// stays valid while its document lives, also when the XmlDocument object is moved; readers
// copy values out of it and never keep it beyond the document.
class XmlNode
{
public:
    // The concatenation, in document order, of all text and CDATA below the node, entity
    // and character references expanded; markup, comments and processing instructions add
    // nothing. Not trimmed.
    std::string textContent() const;

    // The value of the attribute whose local name is `name`, in any namespace, as the XML
    // layer normalised it (not trimmed); nullopt when the element has none.
    std::optional<std::string> attribute(std::string_view name) const;

    // The element's local name ("" for the document node).
    std::string_view localName() const;

    bool isDocument() const { return m_index == documentIndex; }

    // The element's place among the document's elements in document order (0 is the root
    // element); nullopt for the document node.
    std::optional<std::size_t> position() const;

    // The matches of `query` with this node as context, in document order.
    std::vector<XmlNode> select(const Query &query) const;
    // The first match in document order, or nullopt.
    std::optional<XmlNode> first(const Query &query) const;

    // The namespace URI of the element; "" for an element in no namespace and for the
    // document node.
    std::string_view namespaceUri() const;

    // The direct child elements whose local name is `name`, in document order; for the
    // document node, the root element when it has that name.
    std::vector<XmlNode> children(std::string_view name) const;

    friend bool operator==(const XmlNode &a, const XmlNode &b)
    {
        return a.m_tree == b.m_tree && a.m_index == b.m_index;
    }

private:
    friend class XmlDocument;
    static constexpr std::uint32_t documentIndex = UINT32_MAX;

    XmlNode(const detail::XmlTree *tree, std::uint32_t index) : m_tree(tree), m_index(index) {}

    // The tree is held by the document on the heap, so moving the document keeps it in place.
    const detail::XmlTree *m_tree;
    std::uint32_t m_index; // position among the elements, or documentIndex
};

struct CheckedParse;

// A document tree parsed by libxml2, with an index of its elements built right after the
// parse: the elements numbered in document order, each with the end of its subtree, and the
// positions of the elements of each local name. "The first element named X below this one"
// is then a binary search and "all of them" a range, instead of a walk over the subtree.
class XmlDocument
{
public:
    // Parses the text as UTF-8, whatever its XML declaration says, with an empty base URL
    // and the lenient options: recover what can be repaired of malformed XML, print no
    // errors or warnings, never touch the network, and accept text nodes beyond 10 MB
    // (large embedded attachments). Returns the document, or the XML layer's
    // description of why no document with a root element came out.
    static std::variant<XmlDocument, std::string> parse(std::string_view text);

    // What parse gives, and whether the text was well-formed: nullopt when it was, else the
    // first error of level ERROR or FATAL or the first namespace error the XML layer
    // reported, as "line L, column C: reason" ("Document is empty" for an empty text).
    // Warnings do not count. A damaged text may still give a document, recovered in part.
    static CheckedParse parseChecked(std::string_view text);

    // The deepest nesting of elements the reader builds, libxml2's own default limit. A
    // deeper element ends the parse: the text is reported as damaged and what came before
    // it is kept.
    static constexpr int maxDepth = 256;

    XmlDocument(XmlDocument &&) noexcept;
    XmlDocument &operator=(XmlDocument &&) noexcept;
    ~XmlDocument();

    // The document node: the context of the "//…" queries. Must not be called on a
    // moved-from document.
    XmlNode node() const;

    // The number of elements in the document.
    std::size_t elementCount() const;

    // Whether `element` (a node of this document) holds exactly one piece of text that the
    // tree allocated on its own, which takeTrimmedText can move out.
    bool canTakeText(const XmlNode &element) const;
    // Moves the text of `element`, trimmed, out of the tree without copying its bytes, when
    // canTakeText; the element reads as empty afterwards, so only a reader that has read
    // everything else may do it. nullopt, and nothing moved, otherwise.
    std::optional<model::SharedText> takeTrimmedText(const XmlNode &element);

private:
    explicit XmlDocument(std::unique_ptr<detail::XmlTree> tree);

    std::unique_ptr<detail::XmlTree> m_tree;
};

// XmlDocument::parseChecked's result: what parse gives, and the text's damage.
struct CheckedParse
{
    std::variant<XmlDocument, std::string> result;
    std::optional<std::string> damage;
};

} // namespace vellora::parser
