// SPDX-License-Identifier: MIT
// Turns XML text into an XMLNode tree from the events of libxml2's SAX2 reader.
#pragma once

#include "xmlnode.h"

#include <map>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vellora::xmlview {

// The parser's own failures; the reader's faults come as XMLReaderError.
enum class XMLParsingError
{
    invalidData,   // the text is not UTF-8
    parsingFailed, // the reader ended without a root and without naming a fault
};

// A fault the XML reader reported, in its own words, where it found it (1-based).
struct XMLReaderError
{
    std::string message;
    int line = 0;
    int column = 0;

    bool operator==(const XMLReaderError &) const = default;
};

using XMLParseError = std::variant<XMLParsingError, XMLReaderError>;

// The text shown to the user: "Invalid XML data", "XML parsing failed", or the reader's
// message prefixed with its line and column.
std::string errorDescription(const XMLParseError &error);

// Either the root of the tree or why there is none.
using XMLParseResult = std::variant<XMLNode, XMLParseError>;

// The pseudo-attributes of a processing instruction's data (key="value" or key='value'
// pairs). Scanning stops at the first malformed pair or empty value; pairs read before it
// are kept, and a repeated key keeps its last value.
std::map<std::string, std::string> parsePseudoAttributes(std::string_view data);

// Produces node ids: random, drawn from a generator seeded once per parse from the system's
// random source, so a large document does not cost one system call per node.
class NodeIdSource
{
public:
    NodeIdSource();
    model::Uuid next();

private:
    std::mt19937_64 m_engine;
};

// An element still open during a parse. Its children are finished nodes: each child is built
// exactly once, when it closes, so building a tree costs time linear in its size.
struct XMLNodeBuilder
{
    std::string name;
    std::map<std::string, std::string> attributes;
    std::optional<std::string> textContent;
    XMLNodeType nodeType = XMLNodeType::element;
    std::vector<XMLNode> children;

    // The finished node, with a fresh id; the builder's content is moved into it.
    XMLNode build(NodeIdSource &ids) &&;
};

// One parser per load. The root of the result is the document element whenever there is
// one; a text without any element gives its last top-level comment or processing
// instruction. Entity references are replaced (with libxml2's guard against entity
// expansion bombs), external entities and DTDs are never loaded, nothing goes to the
// network. Runs on the calling thread; the view calls it on a worker.
class XMLTreeParser
{
public:
    XMLTreeParser();
    XMLTreeParser(const XMLTreeParser &) = delete;
    XMLTreeParser &operator=(const XMLTreeParser &) = delete;

    XMLParseResult parse(std::string_view text);

    // The most character data entity references may add to a text's own: beyond it the
    // parse ends with an error.
    static constexpr std::size_t maxEntityExpansion = std::size_t{16} << 20;
    // Takes `count` characters from what a parse may still receive (the text's size plus
    // maxEntityExpansion); false, and nothing taken, once that is used up.
    bool charactersAllowed(std::size_t count);

    // Reader events; public for the C callbacks only.
    void elementStarted(std::string name, std::map<std::string, std::string> attributes);
    void elementEnded();
    void charactersFound(std::string_view text);
    void commentFound(std::string_view text);
    void processingInstructionFound(std::string_view target, std::optional<std::string_view> data);
    void errorOccurred(XMLReaderError error);

private:
    void flushText();
    void addNode(XMLNodeBuilder builder);

    std::vector<XMLNodeBuilder> m_nodeStack;
    std::optional<XMLNode> m_documentElement;
    std::optional<XMLNode> m_lastTopLevelNode;
    std::string m_currentTextContent;
    std::optional<XMLReaderError> m_parseError;
    std::size_t m_characterBudget = 0;
    NodeIdSource m_ids;
};

} // namespace vellora::xmlview
