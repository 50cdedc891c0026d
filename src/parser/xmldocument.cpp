// SPDX-License-Identifier: MIT
#include "xmldocument.h"

#include "model/text.h"

#include <libxml/parser.h>
#include <libxml/SAX2.h>
#include <libxml/entities.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <cassert>
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
struct DocFree
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};

using OwnedText = std::unique_ptr<xmlChar, XmlFree>;

std::string_view view(const xmlChar *text)
{
    return text ? std::string_view(reinterpret_cast<const char *>(text)) : std::string_view();
}

// Feeds a text to libxml2 in pieces of at most 64 KiB.
struct TextReader
{
    std::string_view rest;

    static int read(void *context, char *buffer, int length)
    {
        auto *self = static_cast<TextReader *>(context);
        const std::size_t size =
            std::min({self->rest.size(), static_cast<std::size_t>(length), std::size_t{1} << 16});
        std::copy_n(self->rest.data(), size, buffer);
        self->rest.remove_prefix(size);
        return static_cast<int>(size);
    }
};

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

// Watches a parse: keeps its first error, as "line L, column C: reason", and stops it at an
// element nested deeper than XmlDocument::maxDepth. libxml2 applies that limit itself only
// without XML_PARSE_HUGE, which large attachments need.
struct ParseWatch
{
    std::optional<std::string> firstError;
    int depth = 0;
    startElementNsSAX2Func startElement = nullptr;
    endElementNsSAX2Func endElement = nullptr;

    // The watch of the parse running on this thread: libxml2 hands the callbacks its own
    // context, and resets the context's fields for private use when a read starts.
    static thread_local ParseWatch *current;

    static ParseWatch *of(void *) { return current; }

    explicit ParseWatch(xmlParserCtxt *context) { current = this; install(context); }
    ~ParseWatch() { current = nullptr; }
    ParseWatch(const ParseWatch &) = delete;
    ParseWatch &operator=(const ParseWatch &) = delete;

    void install(xmlParserCtxt *context)
    {
        context->sax->serror = &ParseWatch::onError;
        startElement = context->sax->startElementNs;
        endElement = context->sax->endElementNs;
        context->sax->startElementNs = &ParseWatch::onStart;
        context->sax->endElementNs = &ParseWatch::onEnd;
    }

    void record(int line, int column, std::string reason)
    {
        if (!firstError) {
            firstError = "line " + std::to_string(line) + ", column " + std::to_string(column) +
                         ": " + reason;
        }
    }

    static void onError(void *userData, xmlErrorPtr error)
    {
        ParseWatch *self = of(userData);
        // Namespace errors (an undeclared prefix) come at level ERROR as well; warnings,
        // such as a namespace name that is not an absolute URI, are no damage.
        if (!self || !error || error->level < XML_ERR_ERROR) {
            return;
        }
        std::string reason = error->message ? std::string(error->message) : std::string("error");
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == ' ')) {
            reason.pop_back();
        }
        // libxml2 names the option that would lift its depth limit; say what happened.
        if (reason.starts_with("Excessive depth in document")) {
            reason = depthReason();
        }
        self->record(error->line, error->int2, std::move(reason));
    }

    static std::string depthReason()
    {
        return "elements nested deeper than " + std::to_string(XmlDocument::maxDepth) +
               " levels";
    }

    static void onStart(void *userData, const xmlChar *localName, const xmlChar *prefix,
                        const xmlChar *uri, int namespaceCount, const xmlChar **namespaces,
                        int attributeCount, int defaultedCount, const xmlChar **attributes)
    {
        ParseWatch *self = of(userData);
        if (++self->depth > XmlDocument::maxDepth) {
            auto *context = static_cast<xmlParserCtxt *>(userData);
            self->record(xmlSAX2GetLineNumber(context), xmlSAX2GetColumnNumber(context),
                         depthReason());
            xmlStopParser(context);
            return;
        }
        self->startElement(userData, localName, prefix, uri, namespaceCount, namespaces,
                           attributeCount, defaultedCount, attributes);
    }

    static void onEnd(void *userData, const xmlChar *localName, const xmlChar *prefix,
                      const xmlChar *uri)
    {
        ParseWatch *self = of(userData);
        --self->depth;
        self->endElement(userData, localName, prefix, uri);
    }
};

thread_local ParseWatch *ParseWatch::current = nullptr;

// The most text the entity references of one document may stand for, all counted. The
// parse keeps references as nodes and reading a value expands them, so without a limit a
// small file whose entities refer to each other (the quadratic blow-up, a hundred thousand
// references to a hundred-thousand-character entity) would ask for gigabytes.
constexpr std::size_t maxEntityExpansion = std::size_t{16} << 20;

// Measures what the entity references of a tree expand to, stopping at maxEntityExpansion.
class EntityMeter
{
public:
    explicit EntityMeter(xmlDoc *document) : m_document(document) {}

    // The characters reading the nodes of `list` and their subtrees yields; saturates at
    // more than maxEntityExpansion. `depth` counts the entities being expanded around it.
    std::size_t measure(xmlNode *list, int depth)
    {
        std::size_t total = 0;
        forEachNode(list, [&](xmlNode *node) {
            if (total > maxEntityExpansion) {
                return;
            }
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
                total += view(node->content).size();
            } else if (node->type == XML_ENTITY_REF_NODE) {
                total += entitySize(node, depth);
            }
        });
        return std::min(total, maxEntityExpansion + 1);
    }

    // Calls visit for every node of `list`, their attributes' values and their subtrees,
    // without recursion; entity references are visited, not entered.
    template <typename Visit>
    static void forEachNode(xmlNode *list, Visit visit)
    {
        std::vector<xmlNode *> pending;
        for (xmlNode *node = list; node; node = node->next) {
            pending.push_back(node);
        }
        while (!pending.empty()) {
            xmlNode *node = pending.back();
            pending.pop_back();
            visit(node);
            if (node->type == XML_ENTITY_REF_NODE) {
                continue;
            }
            if (node->type == XML_ELEMENT_NODE) {
                for (xmlAttr *attribute = node->properties; attribute; attribute = attribute->next) {
                    for (xmlNode *value = attribute->children; value; value = value->next) {
                        pending.push_back(value);
                    }
                }
            }
            for (xmlNode *child = node->children; child; child = child->next) {
                pending.push_back(child);
            }
        }
    }

private:
    std::size_t entitySize(xmlNode *reference, int depth)
    {
        xmlEntity *entity = xmlGetDocEntity(m_document, reference->name);
        if (!entity || !entity->children) {
            return 0;
        }
        // Entities nested this deep are a construction, not a document.
        if (depth > 32) {
            return maxEntityExpansion + 1;
        }
        const auto known = m_sizes.find(entity);
        if (known != m_sizes.end()) {
            return known->second;
        }
        m_sizes[entity] = maxEntityExpansion + 1; // a loop counts as too much
        const std::size_t size = measure(entity->children, depth + 1);
        m_sizes[entity] = size;
        return size;
    }

    xmlDoc *m_document;
    std::unordered_map<const xmlEntity *, std::size_t> m_sizes;
};

// When the entity references of `document` stand for more than maxEntityExpansion
// characters, removes every one of them, so that no value expands them, and says why.
std::optional<std::string> limitEntityExpansion(xmlDoc *document)
{
    EntityMeter meter(document);
    if (meter.measure(document->children, 0) <= maxEntityExpansion) {
        return std::nullopt;
    }
    std::vector<xmlNode *> references;
    EntityMeter::forEachNode(document->children, [&](xmlNode *node) {
        if (node->type == XML_ENTITY_REF_NODE) {
            references.push_back(node);
        }
    });
    for (xmlNode *reference : references) {
        xmlUnlinkNode(reference);
        xmlFreeNode(reference);
    }
    return "entity references stand for more than " +
           std::to_string(maxEntityExpansion >> 20) + " MiB of text; they were left out";
}

} // namespace

namespace detail {

// The tree and its element index. Positions are the elements' places in document order;
// the elements an XPath "*" step can reach are exactly the ones numbered: element children
// of the document and of elements. Elements inside an entity's replacement text are not
// numbered, as XPath does not reach them either (their text still counts for textContent).
struct XmlTree
{
    std::unique_ptr<xmlDoc, DocFree> document;
    std::vector<xmlNode *> elements;      // by position
    std::vector<std::uint32_t> parents;   // the parent's position, or XmlNode's documentIndex
    std::vector<std::uint32_t> ends;      // one past the position of the last descendant
    std::vector<std::uint32_t> nameStart; // per name id: where its positions begin in byName
    std::vector<std::uint32_t> byName;    // positions grouped by name, each group ascending
    std::unordered_map<std::string_view, std::uint32_t> nameIds; // local name → name id

    explicit XmlTree(xmlDoc *parsed) : document(parsed) { index(); }

    std::uint32_t size() const { return static_cast<std::uint32_t>(elements.size()); }

    // The name id of `name`; nullopt when no element has that name.
    std::optional<std::uint32_t> nameId(std::string_view name) const
    {
        const auto found = nameIds.find(name);
        return found == nameIds.end() ? std::nullopt : std::optional(found->second);
    }

    // The positions of the elements named `id` in [from, to), ascending.
    std::pair<const std::uint32_t *, const std::uint32_t *>
    named(std::uint32_t id, std::uint32_t from, std::uint32_t to) const
    {
        const std::uint32_t *begin = byName.data() + nameStart[id];
        const std::uint32_t *end = byName.data() + nameStart[id + 1];
        begin = std::lower_bound(begin, end, from);
        end = std::lower_bound(begin, end, to);
        return {begin, end};
    }

private:
    // Calls visit(node, parentPosition) for every element in document order, and
    // leave(position) after its last descendant.
    template <typename Visit, typename Leave>
    void walk(Visit visit, Leave leave)
    {
        std::vector<std::uint32_t> open;
        std::uint32_t next = 0;
        xmlNode *node = document->children;
        while (node) {
            if (node->type == XML_ELEMENT_NODE) {
                const std::uint32_t position = next++;
                visit(node, open.empty() ? UINT32_MAX : open.back());
                if (node->children) {
                    open.push_back(position);
                    node = node->children;
                    continue;
                }
                leave(position);
            }
            while (!node->next) {
                node = node->parent;
                if (!node || node->type != XML_ELEMENT_NODE) {
                    return;
                }
                leave(open.back());
                open.pop_back();
            }
            node = node->next;
        }
    }

    void index()
    {
        std::size_t count = 0;
        walk([&](xmlNode *, std::uint32_t) { ++count; }, [](std::uint32_t) {});
        elements.reserve(count);
        parents.reserve(count);
        ends.resize(count);
        std::vector<std::uint32_t> names;
        names.reserve(count);
        std::vector<std::uint32_t> perName;
        // libxml2 keeps one copy of each name in the document's dictionary, so most
        // lookups are by pointer; the text map is the fallback that makes it exact.
        std::unordered_map<const xmlChar *, std::uint32_t> byPointer;
        walk(
            [&](xmlNode *node, std::uint32_t parent) {
                auto [found, isNew] = byPointer.try_emplace(node->name, 0);
                if (isNew) {
                    auto [byText, isNewName] = nameIds.try_emplace(
                        view(node->name), static_cast<std::uint32_t>(perName.size()));
                    if (isNewName) {
                        perName.push_back(0);
                    }
                    found->second = byText->second;
                }
                ++perName[found->second];
                names.push_back(found->second);
                elements.push_back(node);
                parents.push_back(parent);
            },
            [&](std::uint32_t position) { ends[position] = size(); });

        nameStart.resize(perName.size() + 1);
        for (std::size_t id = 0; id < perName.size(); ++id) {
            nameStart[id + 1] = nameStart[id] + perName[id];
        }
        byName.resize(count);
        std::vector<std::uint32_t> fill(nameStart.begin(), nameStart.end() - 1);
        for (std::uint32_t position = 0; position < count; ++position) {
            byName[fill[names[position]]++] = position;
        }
    }
};

} // namespace detail

std::string XmlNode::textContent() const
{
    const xmlNode *node = isDocument() ? reinterpret_cast<xmlNode *>(m_tree->document.get())
                                       : m_tree->elements[m_index];
    // Most elements hold nothing or one piece of text: copy it straight out of the tree.
    if (!isDocument()) {
        const xmlNode *child = node->children;
        if (!child) {
            return {};
        }
        if (!child->next &&
            (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)) {
            return std::string(view(child->content));
        }
    }
    OwnedText content(xmlNodeGetContent(node));
    return std::string(view(content.get()));
}

std::optional<std::string> XmlNode::attribute(std::string_view name) const
{
    if (isDocument()) {
        return std::nullopt;
    }
    const xmlNode *node = m_tree->elements[m_index];
    // The attributes the element carries, by local name; defaults a DTD would add are not
    // part of what the file says.
    for (const xmlAttr *attribute = node->properties; attribute; attribute = attribute->next) {
        if (view(attribute->name) == name) {
            const xmlNode *value = attribute->children;
            if (value && !value->next && value->type == XML_TEXT_NODE) {
                return std::string(view(value->content));
            }
            OwnedText text(xmlNodeListGetString(node->doc, attribute->children, 1));
            return std::string(view(text.get()));
        }
    }
    return std::nullopt;
}

std::string_view XmlNode::localName() const
{
    return isDocument() ? std::string_view() : view(m_tree->elements[m_index]->name);
}

std::optional<std::size_t> XmlNode::position() const
{
    return isDocument() ? std::nullopt : std::optional<std::size_t>(m_index);
}

std::vector<XmlNode> XmlNode::select(const Query &query) const
{
    std::vector<XmlNode> nodes;
    const detail::XmlTree &tree = *m_tree;
    const std::optional<std::uint32_t> firstName = tree.nameId(query.step(0));
    if (!firstName) {
        return nodes;
    }
    // "//" searches the whole document whatever the context; ".//" what lies below it.
    const bool everything = query.axis() == Query::Axis::wholeDocument || isDocument();
    const std::uint32_t from = everything ? 0 : m_index + 1;
    const std::uint32_t to = everything ? tree.size() : tree.ends[m_index];
    auto [begin, end] = tree.named(*firstName, from, to);
    if (query.stepCount() == 1) {
        nodes.reserve(static_cast<std::size_t>(end - begin));
        for (const std::uint32_t *position = begin; position != end; ++position) {
            nodes.push_back(XmlNode(m_tree, *position));
        }
        return nodes;
    }
    std::vector<std::uint32_t> current(begin, end);

    // Each further step: the children of that name of every element selected so far. The
    // parents may nest, so the union is sorted back into document order.
    for (std::size_t step = 1; step < query.stepCount() && !current.empty(); ++step) {
        const std::optional<std::uint32_t> name = tree.nameId(query.step(step));
        if (!name) {
            return nodes;
        }
        std::vector<std::uint32_t> children;
        for (const std::uint32_t parent : current) {
            auto [childBegin, childEnd] = tree.named(*name, parent + 1, tree.ends[parent]);
            for (const std::uint32_t *child = childBegin; child != childEnd; ++child) {
                if (tree.parents[*child] == parent) {
                    children.push_back(*child);
                }
            }
        }
        if (!std::is_sorted(children.begin(), children.end())) {
            std::sort(children.begin(), children.end());
        }
        current = std::move(children);
    }

    nodes.reserve(current.size());
    for (const std::uint32_t position : current) {
        nodes.push_back(XmlNode(m_tree, position));
    }
    return nodes;
}

std::optional<XmlNode> XmlNode::first(const Query &query) const
{
    if (query.stepCount() > 1) {
        std::vector<XmlNode> all = select(query);
        return all.empty() ? std::nullopt : std::optional(all.front());
    }
    const detail::XmlTree &tree = *m_tree;
    const std::optional<std::uint32_t> name = tree.nameId(query.step(0));
    if (!name) {
        return std::nullopt;
    }
    const bool everything = query.axis() == Query::Axis::wholeDocument || isDocument();
    const std::uint32_t from = everything ? 0 : m_index + 1;
    const std::uint32_t to = everything ? tree.size() : tree.ends[m_index];
    // The first element of that name at or after `from`; it is below the context when it
    // comes before the context's subtree ends.
    const std::uint32_t *names = tree.byName.data();
    const std::uint32_t *end = names + tree.nameStart[*name + 1];
    const std::uint32_t *found = std::lower_bound(names + tree.nameStart[*name], end, from);
    if (found == end || *found >= to) {
        return std::nullopt;
    }
    return XmlNode(m_tree, *found);
}

std::string_view XmlNode::namespaceUri() const
{
    if (isDocument()) {
        return {};
    }
    const xmlNs *ns = m_tree->elements[m_index]->ns;
    return ns ? view(ns->href) : std::string_view();
}

std::vector<XmlNode> XmlNode::children(std::string_view name) const
{
    std::vector<XmlNode> nodes;
    const detail::XmlTree &tree = *m_tree;
    const std::optional<std::uint32_t> id = tree.nameId(name);
    if (!id) {
        return nodes;
    }
    const std::uint32_t from = isDocument() ? 0 : m_index + 1;
    const std::uint32_t to = isDocument() ? tree.size() : tree.ends[m_index];
    auto [begin, end] = tree.named(*id, from, to);
    for (const std::uint32_t *position = begin; position != end; ++position) {
        if (tree.parents[*position] == m_index) {
            nodes.push_back(XmlNode(m_tree, *position));
        }
    }
    return nodes;
}

std::variant<XmlDocument, std::string> XmlDocument::parse(std::string_view text)
{
    return std::move(parseChecked(text).result);
}

CheckedParse XmlDocument::parseChecked(std::string_view text)
{
    if (text.empty()) {
        return {std::string("Document is empty"), std::string("Document is empty")};
    }
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        return {std::string("the text is larger than 2 GB"),
                std::string("the text is larger than 2 GB")};
    }
    // libxml2 sets up its global state on first use, which is not safe when two threads
    // get there at once; documents are read off the UI thread, so it is done once here.
    static const bool initialised = (xmlInitParser(), true);
    (void)initialised;
    std::unique_ptr<xmlParserCtxt, ParserContextFree> context(xmlNewParserCtxt());
    if (!context) {
        return {std::string("out of memory"), std::string("out of memory")};
    }
    // RECOVER | NOERROR | NOWARNING, and no network access for anything the text refers to.
    // COMPACT stores short texts inside their nodes: less memory, the same tree to read.
    // IGNORE_ENC: the text is UTF-8 whatever its declaration names; without it libxml2
    // would switch to the declared encoding for the pieces that follow the declaration.
    int options = XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NONET |
                  XML_PARSE_COMPACT | XML_PARSE_IGNORE_ENC;
    // By default libxml2 stops at a text node of more than 10 MB and drops the rest of the
    // document: an invoice embedding a large PDF would lose its parties, totals and lines,
    // which follow the attachment. XML_PARSE_HUGE lifts that limit but also switches off
    // the guard against entity expansion bombs, so it is only used for texts that declare
    // no entities; without a declaration nothing can expand beyond the text itself.
    const bool declaresEntities = text.find("<!ENTITY") != std::string_view::npos;
    if (!declaresEntities) {
        options |= XML_PARSE_HUGE;
    }
    // The text is handed over in pieces, as a file would be: given the whole buffer at once,
    // libxml2 copies it and then converts the copy into a third buffer before it starts,
    // which for a large invoice costs more memory than the tree itself.
    // A UTF-8 byte-order mark is not part of the text; libxml2 skips it only when it sees
    // the whole buffer before it starts, so it is left out here.
    TextReader reader{text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text};
    // No encoding is named: with IGNORE_ENC the declaration is not followed, so libxml2
    // reads the bytes as the UTF-8 they were checked to be, without converting them into a
    // buffer of their own first.
    // NOERROR only silences the printed messages: errors still reach the structured
    // handler, which keeps the first one.
    ParseWatch watch(context.get());
    xmlDoc *parsed = xmlCtxtReadIO(context.get(), &TextReader::read, nullptr, &reader, "",
                                   nullptr, options);
    // A parse that failed without a word still left a damaged text.
    auto damage = [&](const std::string &fallback) {
        return watch.firstError ? watch.firstError : std::optional<std::string>(fallback);
    };
    if (!parsed) {
        std::string reason = describe(xmlCtxtGetLastError(context.get()));
        if (reason.empty()) {
            reason = "no document could be built from the text";
        }
        return {reason, damage(reason)};
    }
    if (!xmlDocGetRootElement(parsed)) {
        xmlFreeDoc(parsed);
        std::string reason = describe(xmlCtxtGetLastError(context.get()));
        if (reason.empty()) {
            reason = "the document has no root element";
        }
        return {reason, damage(reason)};
    }
    std::optional<std::string> damaged = watch.firstError;
    if (!damaged && (!context->wellFormed || !context->nsWellFormed)) {
        damaged = "the text is not well-formed XML";
    }
    if (declaresEntities) {
        if (std::optional<std::string> tooMuch = limitEntityExpansion(parsed); tooMuch && !damaged) {
            damaged = std::move(tooMuch);
        }
    }
    return {XmlDocument(std::make_unique<detail::XmlTree>(parsed)), std::move(damaged)};
}

XmlDocument::XmlDocument(std::unique_ptr<detail::XmlTree> tree) : m_tree(std::move(tree)) {}
XmlDocument::XmlDocument(XmlDocument &&) noexcept = default;
XmlDocument &XmlDocument::operator=(XmlDocument &&) noexcept = default;
XmlDocument::~XmlDocument() = default;

XmlNode XmlDocument::node() const
{
    assert(m_tree && "node() of a moved-from XmlDocument");
    return XmlNode(m_tree.get(), XmlNode::documentIndex);
}

std::size_t XmlDocument::elementCount() const
{
    return m_tree ? m_tree->elements.size() : 0;
}

bool XmlDocument::canTakeText(const XmlNode &element) const
{
    if (element.m_tree != m_tree.get() || element.isDocument()) {
        return false;
    }
    const xmlNode *child = m_tree->elements[element.m_index]->children;
    if (!child || child->next || child->type != XML_TEXT_NODE || !child->content) {
        return false;
    }
    // Short texts live inside the node (COMPACT) or in the document's dictionary; only a
    // text with an allocation of its own can change owner.
    const xmlDict *dict = m_tree->document->dict;
    return child->content != reinterpret_cast<const xmlChar *>(&child->properties) &&
           !(dict && xmlDictOwns(const_cast<xmlDict *>(dict), child->content));
}

std::optional<model::SharedText> XmlDocument::takeTrimmedText(const XmlNode &element)
{
    if (!canTakeText(element)) {
        return std::nullopt;
    }
    xmlNode *child = m_tree->elements[element.m_index]->children;
    xmlChar *content = child->content;
    child->content = nullptr; // freeing the tree leaves a node without content alone
    std::shared_ptr<const void> owner(
        content, [](const void *bytes) { xmlFree(const_cast<void *>(bytes)); });
    return model::SharedText(std::move(owner), model::trimmed(view(content)));
}

} // namespace vellora::parser
