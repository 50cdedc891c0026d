// SPDX-License-Identifier: MIT
#include "xmldocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <limits>
#include <string>
#include <unordered_map>

namespace vellora::parser {

namespace {

struct XmlFree
{
    void operator()(xmlChar *text) const { xmlFree(text); }
};
struct ParserContextFree
{
    void operator()(xmlParserCtxt *context) const { xmlFreeParserCtxt(context); }
};
struct XPathObjectFree
{
    void operator()(xmlXPathObject *object) const { xmlXPathFreeObject(object); }
};
struct XPathCompExprFree
{
    void operator()(xmlXPathCompExpr *expression) const { xmlXPathFreeCompExpr(expression); }
};

using OwnedText = std::unique_ptr<xmlChar, XmlFree>;
using OwnedXPathObject = std::unique_ptr<xmlXPathObject, XPathObjectFree>;
using OwnedCompExpr = std::unique_ptr<xmlXPathCompExpr, XPathCompExprFree>;

const xmlChar *xml(const char *text)
{
    return reinterpret_cast<const xmlChar *>(text);
}

std::string_view view(const xmlChar *text)
{
    return text ? std::string_view(reinterpret_cast<const char *>(text)) : std::string_view();
}

// The readers ask the same few dozen expressions again and again: compile each once per
// thread (a compiled expression is not shared between threads).
struct StringHash
{
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept
    {
        return std::hash<std::string_view>{}(text);
    }
};

xmlXPathCompExpr *compiled(std::string_view xpath)
{
    thread_local std::unordered_map<std::string, OwnedCompExpr, StringHash, std::equal_to<>> cache;
    auto found = cache.find(xpath);
    if (found == cache.end()) {
        OwnedCompExpr expression(xmlXPathCompile(xml(std::string(xpath).c_str())));
        found = cache.emplace(std::string(xpath), std::move(expression)).first;
    }
    return found->second.get();
}

std::string describe(const xmlError *error)
{
    if (!error || !error->message) {
        return {};
    }
    std::string message(error->message);
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    if (error->line > 0) {
        message += " (line " + std::to_string(error->line) + ")";
    }
    return message;
}

} // namespace

std::string XmlNode::textContent() const
{
    OwnedText content(xmlNodeGetContent(m_node));
    return std::string(view(content.get()));
}

std::optional<std::string> XmlNode::attribute(std::string_view name) const
{
    if (m_node->type != XML_ELEMENT_NODE) {
        return std::nullopt;
    }
    // The attributes the element carries, by local name; defaults a DTD would add are not
    // part of what the file says.
    for (xmlAttr *attribute = m_node->properties; attribute; attribute = attribute->next) {
        if (view(attribute->name) == name) {
            OwnedText value(xmlNodeListGetString(m_node->doc, attribute->children, 1));
            return std::string(view(value.get()));
        }
    }
    return std::nullopt;
}

std::string_view XmlNode::localName() const
{
    return m_node->type == XML_ELEMENT_NODE ? view(m_node->name) : std::string_view();
}

std::vector<XmlNode> XmlNode::select(std::string_view xpath) const
{
    std::vector<XmlNode> nodes;
    xmlXPathCompExpr *expression = compiled(xpath);
    if (!expression) {
        return nodes;
    }
    xmlXPathContext *context = m_document->m_xpath.get();
    context->node = m_node;
    OwnedXPathObject result(xmlXPathCompiledEval(expression, context));
    if (!result || result->type != XPATH_NODESET || !result->nodesetval) {
        return nodes;
    }
    const xmlNodeSet *set = result->nodesetval;
    nodes.reserve(static_cast<std::size_t>(set->nodeNr));
    for (int i = 0; i < set->nodeNr; ++i) {
        nodes.emplace_back(*m_document, set->nodeTab[i]);
    }
    return nodes;
}

std::variant<XmlDocument, std::string> XmlDocument::parse(std::string_view text)
{
    if (text.empty()) {
        return std::string("Document is empty");
    }
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return std::string("the text is larger than 2 GB");
    }
    std::unique_ptr<xmlParserCtxt, ParserContextFree> context(xmlNewParserCtxt());
    if (!context) {
        return std::string("out of memory");
    }
    // RECOVER | NOERROR | NOWARNING, and no network access for anything the text refers to.
    int options = XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET;
    // By default libxml2 stops at a text node of more than 10 MB and drops the rest of the
    // document: an invoice embedding a large PDF would lose its parties, totals and lines,
    // which follow the attachment. XML_PARSE_HUGE lifts that limit but also switches off
    // the guard against entity expansion bombs, so it is only used for texts that declare
    // no entities; without a declaration nothing can expand beyond the text itself.
    if (text.find("<!ENTITY") == std::string_view::npos) {
        options |= XML_PARSE_HUGE;
    }
    xmlDoc *document = xmlCtxtReadMemory(context.get(), text.data(), static_cast<int>(text.size()),
                                         "", "UTF-8", options);
    if (!document) {
        std::string reason = describe(xmlCtxtGetLastError(context.get()));
        return reason.empty() ? std::string("no document could be built from the text") : reason;
    }
    XmlDocument owned(document);
    if (!xmlDocGetRootElement(document)) {
        std::string reason = describe(xmlCtxtGetLastError(context.get()));
        return reason.empty() ? std::string("the document has no root element") : reason;
    }
    return owned;
}

XmlDocument::XmlDocument(xmlDoc *document)
    : m_document(document, xmlFreeDoc), m_xpath(xmlXPathNewContext(document), xmlXPathFreeContext)
{
    // Every local-name() step makes and drops a few XPath objects per element it looks at;
    // libxml2's object cache lets a query reuse them instead of allocating each anew, which
    // saves about a quarter of the work of a typical extraction.
    if (m_xpath) {
        xmlXPathContextSetCache(m_xpath.get(), 1, -1, 0);
    }
}

XmlDocument::XmlDocument(XmlDocument &&) noexcept = default;
XmlDocument &XmlDocument::operator=(XmlDocument &&) noexcept = default;
XmlDocument::~XmlDocument() = default;

XmlNode XmlDocument::node() const
{
    return XmlNode(*this, reinterpret_cast<xmlNode *>(m_document.get()));
}

} // namespace vellora::parser
