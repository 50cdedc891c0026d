// SPDX-License-Identifier: MIT
#include "xmlview/xmltreeparser.h"

#include "treedescription.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>

namespace vx = vellora::xmlview;
using vx::testing::describe;

namespace {

// The tree's description, or "error: " and the text the user would see.
std::string outcome(const std::string &text)
{
    vx::XMLTreeParser parser;
    const auto result = parser.parse(text);
    if (const auto *node = std::get_if<vx::XMLNode>(&result)) {
        return describe(*node);
    }
    return "error: " + vx::errorDescription(std::get<vx::XMLParseError>(result));
}

struct TreeCase
{
    const char *name;
    std::string text;
    std::string expected;
};

const TreeCase treeCases[] = {
    {"mixed_content_keeps_order", "<a>  x <b/> y  </a>", R"(a(#"x",b,#"y"))"},
    {"blank_content_gives_no_children", "<a> \n\t \r\n </a>", "a"},
    {"namespace_declaration_is_not_an_attribute", R"(<p:a xmlns:p="urn:p" xmlns="urn:d" p:k="v"/>)",
     "p:a{p:k=v}"},
    {"leaf_text_is_a_child", "<cbc:ID xmlns:cbc=\"urn:c\">42</cbc:ID>", R"(cbc:ID(#"42"))"},
    {"text_is_trimmed_inner_kept", "<a>\n  two  words \n</a>", R"(a(#"two  words"))"},
    {"comment_before_root", "<!--c--><a/>", "a"},
    {"comment_after_root_keeps_root", "<a><b/></a><!--trailing-->", "a(b)"},
    {"pi_after_root_keeps_root", "<a/><?pi x=\"1\"?>", "a"},
    {"comment_inside_as_reported", "<a><!-- c  --></a>", R"(a(!" c  "))"},
    {"comment_splits_text", "<a>x<!--c-->y</a>", R"(a(#"x",!"c",#"y"))"},
    {"processing_instruction_inside", R"(<a><?xml-stylesheet type="text/xsl" href="s.xsl"?></a>)",
     "a(?xml-stylesheet{href=s.xsl,type=text/xsl})"},
    {"processing_instruction_without_data", "<a><?go?></a>", "a(?go)"},
    {"xml_declaration_is_consumed", "<?xml version=\"1.0\"?>\n<a/>", "a"},
    {"cdata_joins_surrounding_text", "<a>x <![CDATA[<y> & ]]> z</a>", R"(a(#"x <y> &  z"))"},
    {"cdata_alone", "<a><![CDATA[ only ]]></a>", R"(a(#"only"))"},
    {"entities_replaced", "<!DOCTYPE a [<!ENTITY e \"ent\">]><a>&e;&amp;&#65;&#x42;</a>",
     R"(a(#"ent&AB"))"},
    {"attribute_references_replaced", R"(<a k="&lt;&quot;x&apos;"/>)", "a{k=<\"x'}"},
    {"attribute_value_as_written", R"(<a k="  spaced  "/>)", "a{k=  spaced  }"},
    {"declared_encoding_ignored_text_is_utf8",
     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>M\xc3\xbcller</a>",
     "a(#\"M\xc3\xbcller\")"},
    {"attributes_by_qualified_name", R"(<a xmlns:x="urn:x" x:k="1" k="2"/>)", "a{k=2,x:k=1}"},
};

class ParsedTree : public testing::TestWithParam<TreeCase>
{};

TEST_P(ParsedTree, HasTheExpectedShape)
{
    EXPECT_EQ(outcome(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Trees, ParsedTree, testing::ValuesIn(treeCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct ErrorCase
{
    const char *name;
    std::string text;
    std::string expected;
};

const ErrorCase errorCases[] = {
    {"mismatched_tag_names_line_and_column", "<a>\n  <b>\n</a>",
     "error: Line 3, column 5: Opening and ending tag mismatch: b line 2 and a"},
    {"unclosed_tag", "<a>", "error: Line 1, column 4: Premature end of data in tag a line 1"},
    {"undeclared_prefix", "<p:a/>",
     "error: Line 1, column 5: Namespace prefix p on a is not defined"},
    {"only_a_comment", "<!--only-->",
     "error: Line 1, column 12: Start tag expected, '<' not found"},
    {"two_roots", "<a/><b/>", "error: Line 1, column 5: Extra content at the end of the document"},
    {"undefined_entity", "<a>&nope;</a>", "error: Line 1, column 10: Entity 'nope' not defined"},
    {"empty_text", "", "error: XML parsing failed"},
    {"not_utf8", "<a>\xff</a>", "error: Invalid XML data"},
    {"overlong_utf8", "<a>\xc0\xaf</a>", "error: Invalid XML data"},
};

class ParseError : public testing::TestWithParam<ErrorCase>
{};

TEST_P(ParseError, ShowsTheFirstFault)
{
    EXPECT_EQ(outcome(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Errors, ParseError, testing::ValuesIn(errorCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ParserErrors, DescriptionsOfTheParsersOwnErrors)
{
    EXPECT_EQ(vx::errorDescription(vx::XMLParsingError::invalidData), "Invalid XML data");
    EXPECT_EQ(vx::errorDescription(vx::XMLParsingError::parsingFailed), "XML parsing failed");
}

void collectIds(const vx::XMLNode &node, std::set<vellora::model::Uuid> &ids)
{
    ids.insert(node.id);
    for (const auto &child : node.children) {
        collectIds(child, ids);
    }
}

TEST(ParserIdentity, TwoParsesGiveEqualTreesWithFreshDistinctIds)
{
    const std::string text = "<a><b k=\"1\">x</b><!--c--><b/><?p q='r'?></a>";
    vx::XMLTreeParser parser;
    const auto first = parser.parse(text);
    const auto second = parser.parse(text); // the same object serves a second parse
    ASSERT_TRUE(std::holds_alternative<vx::XMLNode>(first));
    ASSERT_TRUE(std::holds_alternative<vx::XMLNode>(second));
    const auto &one = std::get<vx::XMLNode>(first);
    const auto &two = std::get<vx::XMLNode>(second);
    EXPECT_TRUE(vx::sameContent(one, two));
    std::set<vellora::model::Uuid> ids;
    collectIds(one, ids);
    collectIds(two, ids);
    EXPECT_EQ(ids.size(), 2 * vx::countNodes(one)); // no id repeats, within or across parses
    for (const auto &id : ids) {
        EXPECT_EQ(id.bytes()[6] >> 4, 4); // version 4
        EXPECT_EQ(id.bytes()[8] >> 6, 2); // RFC 4122 variant
    }
}

TEST(ParserIdentity, AParseAfterAFailureStartsClean)
{
    vx::XMLTreeParser parser;
    EXPECT_TRUE(std::holds_alternative<vx::XMLParseError>(parser.parse("<a><b>")));
    const auto result = parser.parse("<c/>");
    ASSERT_TRUE(std::holds_alternative<vx::XMLNode>(result));
    EXPECT_EQ(describe(std::get<vx::XMLNode>(result)), "c");
}

// Hostile input: each gives a tree or an error, promptly, without crashing.
class HostileInput : public testing::Test
{
protected:
    static std::string secretFile()
    {
        const std::string path = std::string(VELLORA_BINARY_DIR) + "/xmlview-secret.txt";
        std::ofstream(path) << "SECRET-CONTENT-4711";
        return path;
    }
};

TEST_F(HostileInput, ExternalEntityIsNeverRead)
{
    const std::string path = secretFile();
    const std::string dtd = std::string(VELLORA_BINARY_DIR) + "/xmlview-secret.dtd";
    std::ofstream(dtd) << "<!ENTITY x SYSTEM \"file://" << path << "\">";
    const std::string cases[] = {
        "<!DOCTYPE a [<!ENTITY x SYSTEM \"file://" + path + "\">]><a>&x;</a>",
        "<!DOCTYPE a [<!ENTITY x SYSTEM \"" + path + "\">]><a>before &x; after</a>",
        "<!DOCTYPE a [<!ENTITY % p SYSTEM \"file://" + dtd + "\"> %p;]><a>&x;</a>",
        "<!DOCTYPE a SYSTEM \"file://" + dtd + "\"><a>&x;</a>",
    };
    for (const auto &text : cases) {
        const std::string result = outcome(text);
        EXPECT_EQ(result.find("SECRET"), std::string::npos) << text << " gave " << result;
    }
    EXPECT_EQ(outcome(cases[0]), "a");
    EXPECT_EQ(outcome(cases[1]), R"(a(#"before  after"))");
}

TEST_F(HostileInput, BillionLaughsIsRefused)
{
    std::string text = "<!DOCTYPE lolz [<!ENTITY lol0 \"lol\">";
    for (int i = 1; i <= 9; ++i) {
        text += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int j = 0; j < 10; ++j) {
            text += "&lol" + std::to_string(i - 1) + ";";
        }
        text += "\">";
    }
    text += "]><lolz>&lol9;</lolz>";
    const auto start = std::chrono::steady_clock::now();
    const std::string result = outcome(text);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(result.rfind("error: ", 0), 0u) << result.substr(0, 200);
}

TEST_F(HostileInput, QuadraticBlowupEndsAtTheExpansionLimit)
{
    // A hundred thousand references to a hundred-thousand-character entity: 10 GB of text
    // that libxml2's guard lets through. Before the limit this took a minute and gigabytes.
    std::string text = "<!DOCTYPE a [<!ENTITY e \"" + std::string(100'000, 'e') + "\">]><a>";
    for (int i = 0; i < 100'000; ++i) {
        text += "&e;";
    }
    text += "</a>";
    const auto start = std::chrono::steady_clock::now();
    const std::string result = outcome(text);
    // libxml2 still walks the references after the stop: seconds, not a minute.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(40));
    EXPECT_EQ(result.rfind("error: Line 1, column ", 0), 0u) << result.substr(0, 200);
    EXPECT_NE(result.find("entity references stand for more than 16 MiB of text"),
              std::string::npos)
        << result.substr(0, 200);

    // Expansions within the limit are kept whole.
    std::string modest = "<!DOCTYPE a [<!ENTITY e \"" + std::string(1'000, 'e') + "\">]><a>";
    for (int i = 0; i < 1'000; ++i) {
        modest += "&e;";
    }
    modest += "</a>";
    vx::XMLTreeParser parser;
    const auto tree = parser.parse(modest);
    ASSERT_TRUE(std::holds_alternative<vx::XMLNode>(tree));
    ASSERT_EQ(std::get<vx::XMLNode>(tree).children.size(), 1u);
    EXPECT_EQ(std::get<vx::XMLNode>(tree).children[0].textContent->size(), 1'000'000u);
}

TEST_F(HostileInput, HundredThousandLevelsOfNestingGiveAnError)
{
    std::string text;
    for (int i = 0; i < 100'000; ++i) {
        text += "<a>";
    }
    for (int i = 0; i < 100'000; ++i) {
        text += "</a>";
    }
    EXPECT_EQ(outcome(text),
              "error: Line 1, column 772: Excessive depth in document: 256 use XML_PARSE_HUGE "
              "option");
}

TEST_F(HostileInput, FiveMegabyteTextNode)
{
    const std::string body(5'000'000, 'x');
    vx::XMLTreeParser parser;
    const auto result = parser.parse("<a> " + body + " </a>");
    ASSERT_TRUE(std::holds_alternative<vx::XMLNode>(result));
    const auto &root = std::get<vx::XMLNode>(result);
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].textContent, body);
}

TEST_F(HostileInput, MalformedInputsEndInErrors)
{
    const std::string cases[] = {
        "<",          "<a",   "<a b=>",           "</a>",       "<a></b>", "<a>&#0;</a>",
        "<a>]]></a>", "\x01", "<a><![CDATA[</a>", "<?xml?><a/>"};
    for (const auto &text : cases) {
        EXPECT_EQ(outcome(text).rfind("error: ", 0), 0u) << text;
    }
}

// A tree this deep cannot come from the reader (it stops at 256 levels), but the tree is a
// plain value: copying, comparing, counting and destroying it must not recurse per level.
TEST(DeepTree, CopyCompareCountAndDestroyWithoutRecursion)
{
    constexpr int depth = 300'000;
    vx::XMLNode root;
    root.name = "a";
    vx::XMLNode *current = &root;
    for (int i = 0; i < depth; ++i) {
        current->children.emplace_back();
        current = &current->children.back();
        current->name = "a";
    }
    current->children.push_back(
        vx::XMLNode({}, "text", {}, std::string("leaf"), vx::XMLNodeType::text, {}));
    EXPECT_EQ(vx::countNodes(root), static_cast<std::size_t>(depth) + 2);
    vx::XMLNode copy = root;
    EXPECT_TRUE(vx::sameContent(root, copy));
    copy.children[0].children[0].name = "changed";
    EXPECT_FALSE(vx::sameContent(root, copy));
    copy = root; // assignment over a deep tree releases the old one
    EXPECT_TRUE(vx::sameContent(root, copy));
    EXPECT_EQ(vx::nodesUpToDepth(root, 2).size(), 3u);
}

} // namespace
