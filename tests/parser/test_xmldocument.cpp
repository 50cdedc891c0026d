// SPDX-License-Identifier: MIT
// The element index against libxml2's own XPath evaluation, the query form, and nodes that
// outlive a move of their document.
#include "invoicegenerator.h"
#include "parser/primitives.h"
#include "parser/xmldocument.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace vellora::parser;

namespace {

// ---------------------------------------------------------------------------------------
// The differential test: every query the readers can write, from every context, must select
// exactly the elements libxml2's XPath selects, in the same order.

// Traps: the same name nested in itself (A/B inside B), a party inside a party, names in
// comments, processing instructions and CDATA, an element inside an entity's replacement
// text (XPath does not reach it), prefixes, and an element after a text-only sibling.
constexpr const char *trapFixture = R"(<?xml version="1.0"?>
<!DOCTYPE Invoice [<!ENTITY hidden "<ID>from-entity</ID>">]>
<Invoice xmlns="urn:example:a" xmlns:c="urn:example:c">
  <c:ID>doc</c:ID>
  <Party><ID>p1</ID><Party><ID>p2</ID></Party><Name>n1</Name></Party>
  <A><B><A><B>inner</B></A></B><B>outer</B></A>
  <!-- <ID>comment</ID> -->
  <?pi <ID/>?>
  <X>text<![CDATA[<ID>]]></X>
  <Note>&hidden;</Note>
  <Wrap><TaxCategory><TaxScheme><ID>VAT</ID></TaxScheme></TaxCategory></Wrap>
  <c:Empty/>
  <Party/>
</Invoice>)";

struct XmlDocFree
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};
struct XPathContextFree
{
    void operator()(xmlXPathContext *context) const { xmlXPathFreeContext(context); }
};
struct XPathObjectFree
{
    void operator()(xmlXPathObject *object) const { xmlXPathFreeObject(object); }
};

// libxml2's answers for one text: the elements numbered by "//*" (XPath's own document
// order) and any expression evaluated from any of them.
class Reference
{
public:
    explicit Reference(const std::string &text)
        : m_document(xmlReadMemory(text.data(), static_cast<int>(text.size()), "", "UTF-8",
                                   XML_PARSE_RECOVER | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                       XML_PARSE_NONET | XML_PARSE_HUGE)),
          m_context(m_document ? xmlXPathNewContext(m_document.get()) : nullptr)
    {
        if (!m_context) {
            return;
        }
        m_elements = evaluate(reinterpret_cast<xmlNode *>(m_document.get()), "//*");
        for (std::size_t i = 0; i < m_elements.size(); ++i) {
            m_positions[m_elements[i]] = i;
        }
    }

    bool ok() const { return m_context != nullptr; }
    const std::vector<xmlNode *> &elements() const { return m_elements; }
    xmlNode *documentNode() const { return reinterpret_cast<xmlNode *>(m_document.get()); }

    // The positions of the nodes `xpath` selects from `context`, in the result's order.
    std::vector<std::size_t> positions(xmlNode *context, const std::string &xpath)
    {
        std::vector<std::size_t> out;
        for (xmlNode *node : evaluate(context, xpath)) {
            out.push_back(m_positions.at(node));
        }
        return out;
    }

private:
    std::vector<xmlNode *> evaluate(xmlNode *context, const std::string &xpath)
    {
        m_context->node = context;
        std::unique_ptr<xmlXPathObject, XPathObjectFree> result(xmlXPathEvalExpression(
            reinterpret_cast<const xmlChar *>(xpath.c_str()), m_context.get()));
        std::vector<xmlNode *> nodes;
        if (result && result->nodesetval) {
            for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
                nodes.push_back(result->nodesetval->nodeTab[i]);
            }
        }
        return nodes;
    }

    std::unique_ptr<xmlDoc, XmlDocFree> m_document;
    std::unique_ptr<xmlXPathContext, XPathContextFree> m_context;
    std::vector<xmlNode *> m_elements;
    std::map<xmlNode *, std::size_t> m_positions;
};

Query compiled(const std::string &text)
{
    auto query = Query::compile(text);
    if (const auto *problem = std::get_if<std::string>(&query)) {
        ADD_FAILURE() << *problem;
        return "//*[local-name()='NoSuchElement']";
    }
    return std::get<Query>(query);
}

std::string step(const std::string &name)
{
    return "*[local-name()='" + name + "']";
}

std::vector<std::size_t> positionsOf(const std::vector<XmlNode> &nodes)
{
    std::vector<std::size_t> out;
    for (const XmlNode &node : nodes) {
        out.push_back(node.position().value_or(SIZE_MAX));
    }
    return out;
}

// Compares select() and first() of one query from one context with libxml2's result.
void expectSameSelection(Reference &reference, xmlNode *referenceContext, const XmlNode &context,
                         const std::string &xpath, const std::string &where)
{
    const std::vector<std::size_t> expected = reference.positions(referenceContext, xpath);
    const Query query = compiled(xpath);
    EXPECT_EQ(positionsOf(context.select(query)), expected) << xpath << " from " << where;
    const std::optional<XmlNode> first = context.first(query);
    if (expected.empty()) {
        EXPECT_FALSE(first) << xpath << " from " << where;
    } else {
        EXPECT_EQ(first ? first->position() : std::nullopt, std::optional(expected.front()))
            << xpath << " from " << where;
    }
}

void compareWithXPath(const std::string &text)
{
    Reference reference(text);
    ASSERT_TRUE(reference.ok());
    auto parsed = XmlDocument::parse(text);
    ASSERT_TRUE(std::holds_alternative<XmlDocument>(parsed)) << std::get<std::string>(parsed);
    const XmlDocument &document = std::get<XmlDocument>(parsed);
    ASSERT_EQ(document.elementCount(), reference.elements().size());

    // Every local name of the document, one that none has, and each parent/child pair.
    std::set<std::string> names{"NoSuchName"};
    std::set<std::pair<std::string, std::string>> pairs;
    for (xmlNode *element : reference.elements()) {
        names.insert(reinterpret_cast<const char *>(element->name));
        if (element->parent && element->parent->type == XML_ELEMENT_NODE) {
            pairs.emplace(reinterpret_cast<const char *>(element->parent->name),
                          reinterpret_cast<const char *>(element->name));
        }
    }

    // Our node for every position, found through the name index, checked against the
    // reference's element at that position.
    std::vector<std::optional<XmlNode>> nodes(reference.elements().size());
    for (const std::string &name : names) {
        for (const XmlNode &node : document.node().select(compiled("//" + step(name)))) {
            ASSERT_LT(*node.position(), nodes.size());
            nodes[*node.position()] = node;
        }
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        ASSERT_TRUE(nodes[i]) << "element " << i << " is in no name's list";
        EXPECT_EQ(nodes[i]->localName(),
                  reinterpret_cast<const char *>(reference.elements()[i]->name));
    }

    const XmlNode root = document.node();
    xmlNode *referenceRoot = reference.documentNode();
    for (const std::string &name : names) {
        expectSameSelection(reference, referenceRoot, root, "//" + step(name), "the document");
        expectSameSelection(reference, referenceRoot, root, ".//" + step(name), "the document");
    }
    for (const auto &[parent, child] : pairs) {
        expectSameSelection(reference, referenceRoot, root, "//" + step(parent) + "/" + step(child),
                            "the document");
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        xmlNode *context = reference.elements()[i];
        const std::string where =
            "element " + std::to_string(i) + " " + std::string(nodes[i]->localName());
        for (const std::string &name : names) {
            expectSameSelection(reference, context, *nodes[i], ".//" + step(name), where);
        }
        for (const auto &[parent, child] : pairs) {
            expectSameSelection(reference, context, *nodes[i],
                                ".//" + step(parent) + "/" + step(child), where);
        }
        // "//" searches the whole document whatever the context.
        if (i < 5) {
            expectSameSelection(reference, context, *nodes[i], "//" + step("ID"), where);
        }
    }
}

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

struct DifferentialCase
{
    const char *name;
    std::string text;
};

std::string nestedChain()
{
    // A deep chain of alternating names, each level also carrying a sibling: many nested
    // parents whose children interleave in document order.
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += i % 2 ? "<A><B>b</B>" : "<B><A>a</A>";
    }
    for (int i = 39; i >= 0; --i) {
        text += i % 2 ? "<B>tail</B></A>" : "</B>";
    }
    return "<Invoice>" + text + "</Invoice>";
}

const DifferentialCase differentialCases[] = {
    {"traps", trapFixture},
    {"nested_chain", nestedChain()},
    {"generated_three_lines_with_attachment", vellora::bench::generateInvoice(3, 3000)},
    {"parser_fixture_lines", readFile(VELLORA_TEST_DATA_DIR "/parser/lines.xml")},
    {"parser_fixture_references", readFile(VELLORA_TEST_DATA_DIR "/parser/references.xml")},
};

// A failing row names itself instead of dumping its bytes.
void PrintTo(const DifferentialCase &c, std::ostream *out)
{
    *out << c.name;
}

class AgainstXPath : public testing::TestWithParam<DifferentialCase>
{};

TEST_P(AgainstXPath, SelectsWhatXPathSelects)
{
    compareWithXPath(GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(XmlDocument, AgainstXPath, testing::ValuesIn(differentialCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A few real invoices of the shared corpus, when this machine has it: the smallest three
// UBL files of different sources.
TEST(XmlDocument, SelectsWhatXPathSelectsInCorpusFiles)
{
    const std::filesystem::path corpus =
        std::filesystem::path(VELLORA_SOURCE_DIR) / ".." / "shared" / "corpus" / "ubl";
    if (!std::filesystem::is_directory(corpus)) {
        GTEST_SKIP() << "no corpus at " << corpus;
    }
    std::vector<std::filesystem::path> picked;
    for (const auto &source : std::filesystem::directory_iterator(corpus)) {
        if (!source.is_directory() || picked.size() == 3) {
            continue;
        }
        std::vector<std::filesystem::path> files;
        for (const auto &file : std::filesystem::recursive_directory_iterator(source.path())) {
            if (file.is_regular_file() && file.path().extension() == ".xml" &&
                file.file_size() > 2000 && file.file_size() < 12000) {
                files.push_back(file.path());
            }
        }
        if (!files.empty()) {
            picked.push_back(*std::min_element(files.begin(), files.end()));
        }
    }
    ASSERT_FALSE(picked.empty()) << "the corpus holds no file of a fitting size";
    for (const auto &file : picked) {
        SCOPED_TRACE(file.string());
        compareWithXPath(readFile(file));
    }
}

// ---------------------------------------------------------------------------------------
// The query form.

static_assert(Query::problemWith(".//*[local-name()='ID']").empty());
static_assert(!Query::problemWith("//ID").empty());

struct WellFormedCase
{
    const char *name;
    const char *text;
    Query::Axis axis;
    std::vector<std::string> steps;
};

const WellFormedCase wellFormedCases[] = {
    {"whole_document", "//*[local-name()='ID']", Query::Axis::wholeDocument, {"ID"}},
    {"descendants", ".//*[local-name()='ID']", Query::Axis::descendants, {"ID"}},
    {"child_step",
     "//*[local-name()='AccountingSupplierParty']/*[local-name()='Party']",
     Query::Axis::wholeDocument,
     {"AccountingSupplierParty", "Party"}},
    {"four_steps",
     ".//*[local-name()='A']/*[local-name()='B']/*[local-name()='C']/*[local-name()='D']",
     Query::Axis::descendants,
     {"A", "B", "C", "D"}},
    {"name_with_dot_and_dash", ".//*[local-name()='x-y.z']", Query::Axis::descendants, {"x-y.z"}},
};

class WellFormedQuery : public testing::TestWithParam<WellFormedCase>
{};

TEST_P(WellFormedQuery, Compiles)
{
    const WellFormedCase &c = GetParam();
    auto compiledQuery = Query::compile(c.text);
    ASSERT_TRUE(std::holds_alternative<Query>(compiledQuery))
        << std::get<std::string>(compiledQuery);
    const Query &query = std::get<Query>(compiledQuery);
    EXPECT_EQ(query.axis(), c.axis);
    std::vector<std::string> steps;
    for (std::size_t i = 0; i < query.stepCount(); ++i) {
        steps.emplace_back(query.step(i));
    }
    EXPECT_EQ(steps, c.steps);
    EXPECT_EQ(query.text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(Query, WellFormedQuery, testing::ValuesIn(wellFormedCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct MalformedCase
{
    const char *name;
    std::string text;
    const char *problemPart;
};

const MalformedCase malformedCases[] = {
    {"empty", "", "must begin with"},
    {"bare_name", "ID", "must begin with"},
    {"child_axis_first", "/*[local-name()='ID']", "must begin with"},
    {"name_test_instead_of_local_name", "//ID", "a step must read"},
    {"double_quotes", "//*[local-name()=\"ID\"]", "a step must read"},
    {"empty_name", "//*[local-name()='']", "empty name"},
    {"unclosed_name", "//*[local-name()='ID", "not closed"},
    {"missing_bracket", "//*[local-name()='ID'", "must end with"},
    {"extra_bracket", ".//*[local-name()='ID']]", "direct children"},
    {"descendant_step_later", "//*[local-name()='A']//*[local-name()='B']", "direct children"},
    {"trailing_slash", "//*[local-name()='ID']/", "a step must read"},
    {"trailing_blank", "//*[local-name()='ID'] ", "direct children"},
    {"blank_in_name", "//*[local-name()='a b']", "no local name has"},
    {"prefixed_name", "//*[local-name()='cbc:ID']", "no local name has"},
    {"five_steps",
     "//*[local-name()='A']/*[local-name()='B']/*[local-name()='C']/*[local-name()='D']"
     "/*[local-name()='E']",
     "more than four steps"},
    {"too_long", "//*[local-name()='" + std::string(150, 'N') + "']", "longer than 160"},
};

void PrintTo(const MalformedCase &c, std::ostream *out)
{
    *out << c.name;
}

class MalformedQuery : public testing::TestWithParam<MalformedCase>
{};

TEST_P(MalformedQuery, IsAnErrorNotAnEmptyResult)
{
    const MalformedCase &c = GetParam();
    auto compiledQuery = Query::compile(c.text);
    ASSERT_TRUE(std::holds_alternative<std::string>(compiledQuery));
    const std::string &problem = std::get<std::string>(compiledQuery);
    EXPECT_NE(problem.find(c.problemPart), std::string::npos) << problem;
    EXPECT_FALSE(Query::problemWith(c.text).empty());
}

INSTANTIATE_TEST_SUITE_P(Query, MalformedQuery, testing::ValuesIn(malformedCases),
                         [](const auto &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------
// Nodes and their document.

TEST(XmlDocument, NodesStayValidWhenTheDocumentMoves)
{
    auto parsed = XmlDocument::parse(
        "<Invoice><ID>1</ID><Party><Name>N</Name></Party><Party><Name>M</Name></Party></Invoice>");
    std::vector<XmlDocument> documents;
    documents.push_back(std::move(std::get<XmlDocument>(parsed)));
    const XmlNode root = documents.front().node();
    const std::optional<XmlNode> party = root.first("//*[local-name()='Party']");
    ASSERT_TRUE(party);

    // Growing the list moves the document object to new storage, more than once.
    for (int i = 0; i < 16; ++i) {
        documents.push_back(std::move(std::get<XmlDocument>(XmlDocument::parse("<x/>"))));
    }
    XmlDocument moved = std::move(documents.front());

    EXPECT_EQ(party->textContent(), "N");
    EXPECT_EQ(textValue(*party, ".//*[local-name()='Name']"), "N");
    EXPECT_EQ(allElements(root, "//*[local-name()='Name']").size(), 2u);
    EXPECT_EQ(moved.node(), root);
    EXPECT_EQ(moved.elementCount(), 6u);
}

TEST(XmlDocument, NodesCompareByDocumentAndPlace)
{
    auto first = XmlDocument::parse("<Invoice><ID>1</ID></Invoice>");
    auto second = XmlDocument::parse("<Invoice><ID>1</ID></Invoice>");
    const XmlNode a = std::get<XmlDocument>(first).node();
    const XmlNode b = std::get<XmlDocument>(second).node();
    EXPECT_EQ(a, std::get<XmlDocument>(first).node());
    EXPECT_NE(a, b); // equal text, another tree
    const std::optional<XmlNode> id = a.first("//*[local-name()='ID']");
    ASSERT_TRUE(id);
    EXPECT_NE(*id, a);
    EXPECT_TRUE(a.isDocument());
    EXPECT_FALSE(id->isDocument());
    EXPECT_EQ(a.position(), std::nullopt);
    EXPECT_EQ(id->position(), 1u);
    EXPECT_EQ(a.localName(), "");
    EXPECT_EQ(a.attribute("x"), std::nullopt);
}

struct TextCase
{
    const char *name;
    const char *xml;
    std::string expected; // textContent of the root element's first child element
};

const TextCase textCases[] = {
    {"single_text", "<r><e>plain</e></r>", "plain"},
    {"empty_element", "<r><e/></r>", ""},
    {"cdata_only", "<r><e><![CDATA[<raw>]]></e></r>", "<raw>"},
    {"text_and_children", "<r><e>a<x>b</x>c<!--no--><?pi no?></e></r>", "abc"},
    {"character_references", "<r><e>&#228;&amp;</e></r>", "\xc3\xa4&"},
    {"entity_reference", "<!DOCTYPE r [<!ENTITY n \"named\">]><r><e>&n;!</e></r>", "named!"},
    {"short_text_stored_compactly", "<r><e>ab</e></r>", "ab"},
};

class TextContent : public testing::TestWithParam<TextCase>
{};

TEST_P(TextContent, ConcatenatesTextBelow)
{
    auto parsed = XmlDocument::parse(GetParam().xml);
    ASSERT_TRUE(std::holds_alternative<XmlDocument>(parsed));
    const std::optional<XmlNode> element =
        std::get<XmlDocument>(parsed).node().first("//*[local-name()='e']");
    ASSERT_TRUE(element);
    EXPECT_EQ(element->textContent(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(XmlNode, TextContent, testing::ValuesIn(textCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

// children: the direct children of one name only, never a grandchild of that name, in
// document order; namespaceUri: the URI the element is bound to, whatever its prefix.
TEST(XmlNode, ChildrenAndNamespace)
{
    auto parsed = XmlDocument::parse(
        "<p:r xmlns:p=\"urn:a\" xmlns=\"urn:b\"><c n=\"1\"><c n=\"nested\"/></c><d/>"
        "<c n=\"2\"/><x:c xmlns:x=\"urn:c\" n=\"3\"/></p:r>");
    ASSERT_TRUE(std::holds_alternative<XmlDocument>(parsed));
    const XmlNode top = std::get<XmlDocument>(parsed).node();
    // The document node's one child is the root element.
    EXPECT_TRUE(top.children("c").empty());
    const std::vector<XmlNode> roots = top.children("r");
    ASSERT_EQ(roots.size(), 1u);
    EXPECT_EQ(roots[0].namespaceUri(), "urn:a");
    EXPECT_EQ(top.namespaceUri(), "");

    std::vector<std::string> seen;
    for (const XmlNode &child : roots[0].children("c")) {
        seen.push_back(child.attribute("n").value_or("?") + "@" + std::string(child.namespaceUri()));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"1@urn:b", "2@urn:b", "3@urn:c"}));
    EXPECT_TRUE(roots[0].children("missing").empty());
    EXPECT_EQ(roots[0].children("d").size(), 1u);

    auto plain = XmlDocument::parse("<r><c/></r>");
    const XmlNode plainRoot = std::get<XmlDocument>(plain).node().children("r").at(0);
    EXPECT_EQ(plainRoot.namespaceUri(), "");
}
