// SPDX-License-Identifier: MIT
#include "xmltreeparser.h"

#include "model/text.h"

#include <libxml/SAX2.h>
#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <climits>
#include <cstring>
#include <memory>
#include <utility>

namespace vellora::xmlview {

namespace {

std::string_view view(const xmlChar *text)
{
    return text ? std::string_view(reinterpret_cast<const char *>(text)) : std::string_view();
}

std::string qualifiedName(const xmlChar *localName, const xmlChar *prefix)
{
    std::string name;
    if (prefix) {
        name.append(view(prefix)).push_back(':');
    }
    name.append(view(localName));
    return name;
}

XMLTreeParser &receiver(void *context)
{
    auto *parserContext = static_cast<xmlParserCtxtPtr>(context);
    return *static_cast<XMLTreeParser *>(parserContext->_private);
}

void onStartElement(void *context, const xmlChar *localName, const xmlChar *prefix, const xmlChar *,
                    int, const xmlChar **, int attributeCount, int, const xmlChar **attributes)
{
    std::map<std::string, std::string> map;
    // Five pointers per attribute: local name, prefix, URI, value start, value end.
    for (int i = 0; i < attributeCount; ++i) {
        const xmlChar **attribute = attributes + 5 * i;
        const auto *begin = reinterpret_cast<const char *>(attribute[3]);
        const auto *end = reinterpret_cast<const char *>(attribute[4]);
        map[qualifiedName(attribute[0], attribute[1])] =
            std::string(begin, static_cast<std::size_t>(end - begin));
    }
    receiver(context).elementStarted(qualifiedName(localName, prefix), std::move(map));
}

void onEndElement(void *context, const xmlChar *, const xmlChar *, const xmlChar *)
{
    receiver(context).elementEnded();
}

void onCharacters(void *context, const xmlChar *text, int length)
{
    XMLTreeParser &parser = receiver(context);
    // Entities that refer to each other many times over (the quadratic blow-up) pass
    // libxml2's guard yet stand for gigabytes of text: past the limit the parse ends.
    if (!parser.charactersAllowed(static_cast<std::size_t>(length))) {
        auto *parserContext = static_cast<xmlParserCtxtPtr>(context);
        parser.errorOccurred(XMLReaderError{
            "entity references stand for more than " +
                std::to_string(XMLTreeParser::maxEntityExpansion >> 20) + " MiB of text",
            xmlSAX2GetLineNumber(parserContext), xmlSAX2GetColumnNumber(parserContext)});
        xmlStopParser(parserContext);
        return;
    }
    parser.charactersFound(
        std::string_view(reinterpret_cast<const char *>(text), static_cast<std::size_t>(length)));
}

void onComment(void *context, const xmlChar *text)
{
    receiver(context).commentFound(view(text));
}

void onProcessingInstruction(void *context, const xmlChar *target, const xmlChar *data)
{
    std::optional<std::string_view> pseudo;
    if (data) {
        pseudo = view(data);
    }
    receiver(context).processingInstructionFound(view(target), pseudo);
}

void onError(void *context, xmlErrorPtr error)
{
    if (!error || error->level < XML_ERR_ERROR) {
        return; // warnings are not faults of the document
    }
    std::string message(view(reinterpret_cast<const xmlChar *>(error->message)));
    while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    receiver(context).errorOccurred(XMLReaderError{std::move(message), error->line, error->int2});
}

// An external entity would bring in a file or a network resource. It is declared as an empty
// internal entity instead, so references to it read as nothing and its content never reaches
// the tree. (Returning nothing from the entity lookup is not enough: libxml2 then asks its
// own SAX2 lookup, which loads the file.)
void onEntityDeclaration(void *context, const xmlChar *name, int type, const xmlChar *publicId,
                         const xmlChar *systemId, xmlChar *content)
{
    static xmlChar empty[] = "";
    switch (type) {
    case XML_EXTERNAL_GENERAL_PARSED_ENTITY:
        xmlSAX2EntityDecl(context, name, XML_INTERNAL_GENERAL_ENTITY, nullptr, nullptr, empty);
        return;
    case XML_EXTERNAL_PARAMETER_ENTITY:
        xmlSAX2EntityDecl(context, name, XML_INTERNAL_PARAMETER_ENTITY, nullptr, nullptr, empty);
        return;
    default:
        xmlSAX2EntityDecl(context, name, type, publicId, systemId, content);
        return;
    }
}

xmlParserInputPtr onResolveEntity(void *, const xmlChar *, const xmlChar *)
{
    return nullptr; // nothing outside the text is ever read
}

struct ContextFree
{
    void operator()(xmlParserCtxtPtr context) const
    {
        if (context->myDoc) {
            xmlFreeDoc(context->myDoc);
            context->myDoc = nullptr;
        }
        xmlFreeParserCtxt(context);
    }
};

std::string trimmedText(std::string_view text)
{
    return std::string(model::trimmed(text));
}

} // namespace

std::string errorDescription(const XMLParseError &error)
{
    if (const auto *own = std::get_if<XMLParsingError>(&error)) {
        return *own == XMLParsingError::invalidData ? "Invalid XML data" : "XML parsing failed";
    }
    const auto &reader = std::get<XMLReaderError>(error);
    return "Line " + std::to_string(reader.line) + ", column " + std::to_string(reader.column) +
           ": " + reader.message;
}

std::map<std::string, std::string> parsePseudoAttributes(std::string_view data)
{
    std::map<std::string, std::string> pairs;
    std::size_t position = 0;
    // The scanner skips white space and line breaks before each step.
    auto skipBlanks = [&] {
        const std::string_view rest = data.substr(position);
        const std::string_view after = model::trimmed(rest);
        position =
            after.empty() ? data.size() : static_cast<std::size_t>(after.data() - data.data());
    };
    auto scanUpTo = [&](char stop) -> std::optional<std::string_view> {
        skipBlanks();
        const std::size_t found = data.find(stop, position);
        const std::size_t end = found == std::string_view::npos ? data.size() : found;
        if (end == position) {
            return std::nullopt;
        }
        std::string_view scanned = data.substr(position, end - position);
        position = end;
        return scanned;
    };
    auto scanCharacter = [&](char wanted) {
        skipBlanks();
        if (position < data.size() && data[position] == wanted) {
            ++position;
            return true;
        }
        return false;
    };

    skipBlanks();
    while (position < data.size()) {
        const auto key = scanUpTo('=');
        if (!key || !scanCharacter('=')) {
            break;
        }
        char quote = '\'';
        if (!scanCharacter('\'')) {
            if (!scanCharacter('"')) {
                break;
            }
            quote = '"';
        }
        const auto value = scanUpTo(quote);
        if (!value || !scanCharacter(quote)) {
            break;
        }
        pairs[trimmedText(*key)] = std::string(*value);
        skipBlanks();
    }
    return pairs;
}

NodeIdSource::NodeIdSource()
{
    const auto seed = model::Uuid::random().bytes();
    std::seed_seq sequence(seed.begin(), seed.end());
    m_engine.seed(sequence);
}

model::Uuid NodeIdSource::next()
{
    model::Uuid::Bytes bytes{};
    const std::uint64_t high = m_engine();
    const std::uint64_t low = m_engine();
    for (int i = 0; i < 8; ++i) {
        bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(high >> (56 - 8 * i));
        bytes[static_cast<std::size_t>(8 + i)] = static_cast<std::uint8_t>(low >> (56 - 8 * i));
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return model::Uuid(bytes);
}

XMLNode XMLNodeBuilder::build(NodeIdSource &ids) &&
{
    return XMLNode(ids.next(), std::move(name), std::move(attributes), std::move(textContent),
                   nodeType, std::move(children));
}

XMLTreeParser::XMLTreeParser()
{
    xmlInitParser();
}

XMLParseResult XMLTreeParser::parse(std::string_view text)
{
    m_nodeStack.clear();
    m_documentElement.reset();
    m_lastTopLevelNode.reset();
    m_currentTextContent.clear();
    m_parseError.reset();
    m_characterBudget = text.size() + maxEntityExpansion;

    if (model::firstInvalidUtf8Offset(text) || text.size() > static_cast<std::size_t>(INT_MAX)) {
        return XMLParseError{XMLParsingError::invalidData};
    }

    std::unique_ptr<xmlParserCtxt, ContextFree> context(
        xmlCreateMemoryParserCtxt(text.data(), static_cast<int>(text.size())));
    if (!context) {
        return XMLParseError{XMLParsingError::parsingFailed};
    }
    // The context frees its handler block, so it comes from libxml2's allocator.
    auto *handler = static_cast<xmlSAXHandlerPtr>(xmlMalloc(sizeof(xmlSAXHandler)));
    if (!handler) {
        return XMLParseError{XMLParsingError::parsingFailed};
    }
    std::memset(handler, 0, sizeof(xmlSAXHandler));
    xmlSAXVersion(handler, 2); // document, DTD and entity bookkeeping of libxml2's SAX2
    handler->startElementNs = onStartElement;
    handler->endElementNs = onEndElement;
    handler->startElement = nullptr;
    handler->endElement = nullptr;
    handler->characters = onCharacters;
    handler->cdataBlock = onCharacters; // CDATA is character data like any other
    handler->ignorableWhitespace = onCharacters;
    handler->comment = onComment;
    handler->processingInstruction = onProcessingInstruction;
    handler->reference = nullptr;
    handler->entityDecl = onEntityDeclaration;
    handler->resolveEntity = onResolveEntity;
    handler->externalSubset = nullptr;
    handler->warning = nullptr;
    handler->error = nullptr;
    handler->fatalError = nullptr;
    handler->serror = onError;
    xmlFree(context->sax);
    context->sax = handler;
    context->userData = context.get();
    context->_private = this;
    // Entities are substituted; no network, no DTD loading, no declared-encoding switch (the
    // text is UTF-8 whatever its declaration says). No XML_PARSE_HUGE: libxml2's limits on
    // depth, text size and entity expansion stay in force against hostile input.
    xmlCtxtUseOptions(context.get(), XML_PARSE_NOENT | XML_PARSE_NONET | XML_PARSE_IGNORE_ENC |
                                         XML_PARSE_NOWARNING);
    xmlSwitchEncoding(context.get(), XML_CHAR_ENCODING_UTF8);
    const int status = xmlParseDocument(context.get());
    const bool succeeded = status == 0 && context->wellFormed;

    m_nodeStack.clear();
    if (m_parseError) {
        return XMLParseError{*std::move(m_parseError)};
    }
    if (succeeded) {
        if (m_documentElement) {
            return *std::move(m_documentElement);
        }
        if (m_lastTopLevelNode) {
            return *std::move(m_lastTopLevelNode);
        }
    }
    return XMLParseError{XMLParsingError::parsingFailed};
}

void XMLTreeParser::flushText()
{
    if (!m_currentTextContent.empty()) {
        std::string text = trimmedText(m_currentTextContent);
        if (!text.empty() && !m_nodeStack.empty()) {
            m_nodeStack.back().children.push_back(
                XMLNode(m_ids.next(), "text", {}, std::move(text), XMLNodeType::text, {}));
        }
    }
    m_currentTextContent.clear();
}

void XMLTreeParser::addNode(XMLNodeBuilder builder)
{
    XMLNode node = std::move(builder).build(m_ids);
    if (m_nodeStack.empty()) {
        if (node.nodeType == XMLNodeType::element) {
            m_documentElement = std::move(node);
        } else {
            m_lastTopLevelNode = std::move(node);
        }
    } else {
        m_nodeStack.back().children.push_back(std::move(node));
    }
}

void XMLTreeParser::elementStarted(std::string name, std::map<std::string, std::string> attributes)
{
    flushText();
    m_nodeStack.push_back(XMLNodeBuilder{
        std::move(name), std::move(attributes), std::nullopt, XMLNodeType::element, {}});
}

void XMLTreeParser::elementEnded()
{
    flushText();
    if (m_nodeStack.empty()) {
        return;
    }
    XMLNodeBuilder builder = std::move(m_nodeStack.back());
    m_nodeStack.pop_back();
    addNode(std::move(builder));
}

bool XMLTreeParser::charactersAllowed(std::size_t count)
{
    if (count > m_characterBudget) {
        m_characterBudget = 0;
        return false;
    }
    m_characterBudget -= count;
    return true;
}

void XMLTreeParser::charactersFound(std::string_view text)
{
    m_currentTextContent.append(text);
}

void XMLTreeParser::commentFound(std::string_view text)
{
    flushText();
    addNode(XMLNodeBuilder{"comment", {}, std::string(text), XMLNodeType::comment, {}});
}

void XMLTreeParser::processingInstructionFound(std::string_view target,
                                               std::optional<std::string_view> data)
{
    flushText();
    addNode(XMLNodeBuilder{
        std::string(target),
        data ? parsePseudoAttributes(*data) : std::map<std::string, std::string>{},
        std::nullopt,
        target == "xml" ? XMLNodeType::declaration : XMLNodeType::processingInstruction,
        {}});
}

void XMLTreeParser::errorOccurred(XMLReaderError error)
{
    // The first fault is the one to show: libxml2 goes on reading after it and reports the
    // consequences ("Premature end of data" after a mismatched tag), which say less.
    if (!m_parseError) {
        m_parseError = std::move(error);
    }
}

} // namespace vellora::xmlview
