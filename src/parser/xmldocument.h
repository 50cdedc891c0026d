// SPDX-License-Identifier: MIT
// An owned libxml2 document tree and handles to its nodes, for the readers of this folder.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

struct _xmlDoc;
struct _xmlNode;
struct _xmlXPathContext;

namespace vellora::parser {

class XmlDocument;

// A node of a live XmlDocument: the document node itself or one of its elements. Valid only
// while its document lives; readers copy values out of it and never keep it.
class XmlNode
{
public:
    XmlNode(const XmlDocument &document, _xmlNode *node) : m_document(&document), m_node(node) {}

    const XmlDocument &document() const { return *m_document; }
    _xmlNode *raw() const { return m_node; }

    // The concatenation, in document order, of all text and CDATA below the node, entity
    // and character references expanded; markup, comments and processing instructions add
    // nothing. Not trimmed.
    std::string textContent() const;

    // The value of the attribute whose local name is `name`, in any namespace, as the XML
    // layer normalised it (not trimmed); nullopt when the element has none.
    std::optional<std::string> attribute(std::string_view name) const;

    // The element's local name ("" for the document node).
    std::string_view localName() const;

    // The results, in document order, of an XPath 1.0 expression with this node as context.
    std::vector<XmlNode> select(std::string_view xpath) const;

    friend bool operator==(const XmlNode &a, const XmlNode &b) { return a.m_node == b.m_node; }

private:
    const XmlDocument *m_document;
    _xmlNode *m_node;
};

// A document tree parsed by libxml2; frees the tree when it goes.
class XmlDocument
{
public:
    // Parses the text as UTF-8, whatever its XML declaration says, with an empty base URL
    // and the lenient options: recover what can be repaired of malformed XML, print no
    // errors or warnings, never touch the network, and accept text nodes beyond 10 MB
    // (large embedded attachments). Returns the document, or the XML layer's
    // description of why no document with a root element came out.
    static std::variant<XmlDocument, std::string> parse(std::string_view text);

    XmlDocument(XmlDocument &&) noexcept;
    XmlDocument &operator=(XmlDocument &&) noexcept;
    ~XmlDocument();

    // The document node: the context of the "//…" queries.
    XmlNode node() const;

private:
    friend class XmlNode;
    XmlDocument(_xmlDoc *document);

    std::unique_ptr<_xmlDoc, void (*)(_xmlDoc *)> m_document;
    // One XPath context per document; each query sets its context node.
    std::unique_ptr<_xmlXPathContext, void (*)(_xmlXPathContext *)> m_xpath;
};

} // namespace vellora::parser
