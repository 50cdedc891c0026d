// SPDX-License-Identifier: MIT
#include "xmlview/noderendering.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vx = vellora::xmlview;
using enum vx::SegmentColor;
using vx::SegmentFont;

namespace {

vx::XMLNode node(vx::XMLNodeType type, std::string name,
                 std::map<std::string, std::string> attributes = {},
                 std::optional<std::string> text = std::nullopt, std::size_t children = 0)
{
    std::vector<vx::XMLNode> kids(children);
    return vx::XMLNode({}, std::move(name), std::move(attributes), std::move(text), type,
                       std::move(kids));
}

// One line per row line: segments as colour:"text", fonts other than body marked.
std::string render(const vx::RowContent &content)
{
    static const char *colors[] = {"blue",  "purple", "brown",   "red",
                                   "green", "orange", "primary", "secondary"};
    std::string out;
    for (const auto &line : content) {
        out += "[+" + std::to_string(line.spacingBefore) + " gap" +
               std::to_string(line.segmentSpacing) + "]";
        for (const auto &segment : line.segments) {
            out += std::string(" ") + colors[static_cast<int>(segment.color)];
            if (segment.font == SegmentFont::bodyMedium) {
                out += "/medium";
            } else if (segment.font == SegmentFont::captionItalic) {
                out += "/caption-italic";
            }
            out += ":\"" + segment.text + "\"";
        }
        out += "\n";
    }
    return out;
}

struct RowCase
{
    const char *name;
    vx::XMLNode node;
    std::string expected;
};

const std::string text200(200, 'x');
const std::string text201 = std::string(200, 'x') + "y";

const RowCase rowCases[] = {
    {"empty_element_self_closes", node(vx::XMLNodeType::element, "cbc:Note"),
     "[+0 gap2] blue:\"<\" purple/medium:\"cbc:Note\" blue:\" />\"\n"},
    {"element_with_children_opens", node(vx::XMLNodeType::element, "cac:Party", {}, {}, 1),
     "[+0 gap2] blue:\"<\" purple/medium:\"cac:Party\" blue:\">\"\n"},
    {"attributes_sorted_last_closes",
     node(vx::XMLNodeType::element, "cac:Party", {{"b", "2"}, {"a", "1"}}, {}, 1),
     "[+0 gap2] blue:\"<\" purple/medium:\"cac:Party\"\n"
     "[+2 gap2] primary:\"  \" brown:\"a\" primary:\"=\" red:\"\"1\"\"\n"
     "[+1 gap2] primary:\"  \" brown:\"b\" primary:\"=\" red:\"\"2\"\" blue:\">\"\n"},
    {"one_attribute_no_children",
     node(vx::XMLNodeType::element, "cbc:Amount", {{"currencyID", "EUR"}}),
     "[+0 gap2] blue:\"<\" purple/medium:\"cbc:Amount\"\n"
     "[+2 gap2] primary:\"  \" brown:\"currencyID\" primary:\"=\" red:\"\"EUR\"\" blue:\" />\"\n"},
    {"upper_case_keys_first", node(vx::XMLNodeType::element, "e", {{"alpha", "1"}, {"Zeta", "2"}}),
     "[+0 gap2] blue:\"<\" purple/medium:\"e\"\n"
     "[+2 gap2] primary:\"  \" brown:\"Zeta\" primary:\"=\" red:\"\"2\"\"\n"
     "[+1 gap2] primary:\"  \" brown:\"alpha\" primary:\"=\" red:\"\"1\"\" blue:\" />\"\n"},
    {"value_with_quote_unescaped", node(vx::XMLNodeType::element, "e", {{"k", "a\"b"}}),
     "[+0 gap2] blue:\"<\" purple/medium:\"e\"\n"
     "[+2 gap2] primary:\"  \" brown:\"k\" primary:\"=\" red:\"\"a\"b\"\" blue:\" />\"\n"},
    {"text_trimmed", node(vx::XMLNodeType::text, "text", {}, std::string("  42 \n")),
     "[+0 gap0] primary:\"42\"\n"},
    {"text_of_200_whole", node(vx::XMLNodeType::text, "text", {}, text200),
     "[+0 gap0] primary:\"" + text200 + "\"\n"},
    {"text_of_201_cut_with_note", node(vx::XMLNodeType::text, "text", {}, text201),
     "[+0 gap0] primary:\"" + text200 + "...\"\n" +
         "[+2 gap0] secondary/caption-italic:\"[201 characters total]\"\n"},
    // 201 characters of which the last two are e + combining accent: still 200 characters.
    {"text_counts_graphemes",
     node(vx::XMLNodeType::text, "text", {}, std::string(199, 'x') + "e\xcc\x81"),
     "[+0 gap0] primary:\"" + std::string(199, 'x') + "e\xcc\x81\"\n"},
    {"text_cut_between_graphemes",
     node(vx::XMLNodeType::text, "text", {}, std::string(199, 'x') + "e\xcc\x81" + "z"),
     "[+0 gap0] primary:\"" + std::string(199, 'x') + "e\xcc\x81...\"\n" +
         "[+2 gap0] secondary/caption-italic:\"[201 characters total]\"\n"},
    {"comment", node(vx::XMLNodeType::comment, "comment", {}, std::string(" note ")),
     "[+0 gap0] green:\"<!-- \" green:\"note\" green:\" -->\"\n"},
    {"blank_comment", node(vx::XMLNodeType::comment, "comment", {}, std::string("   ")),
     "[+0 gap0] green:\"<!-- \" green:\"\" green:\" -->\"\n"},
    {"long_comment_not_cut", node(vx::XMLNodeType::comment, "comment", {}, text201),
     "[+0 gap0] green:\"<!-- \" green:\"" + text201 + "\" green:\" -->\"\n"},
    {"pi_without_data", node(vx::XMLNodeType::processingInstruction, "go"),
     "[+0 gap0] orange:\"<?\" orange/medium:\"go\" orange:\"?>\"\n"},
    {"pi_with_pseudo_attributes",
     node(vx::XMLNodeType::processingInstruction, "xml-stylesheet",
          {{"type", "text/xsl"}, {"href", "s.xsl"}}),
     "[+0 gap0] orange:\"<?\" orange/medium:\"xml-stylesheet\"\n"
     "[+1 gap2] primary:\"  \" brown:\"href\" orange:\"=\" red:\"\"s.xsl\"\"\n"
     "[+1 gap2] primary:\"  \" brown:\"type\" orange:\"=\" red:\"\"text/xsl\"\" orange:\"?>\"\n"},
    {"declaration_like_pi", node(vx::XMLNodeType::declaration, "xml", {{"version", "1.0"}}),
     "[+0 gap0] orange:\"<?\" orange/medium:\"xml\"\n"
     "[+1 gap2] primary:\"  \" brown:\"version\" orange:\"=\" red:\"\"1.0\"\" orange:\"?>\"\n"},
};

class RowContent : public testing::TestWithParam<RowCase>
{};

TEST_P(RowContent, HasTheExpectedSegments)
{
    EXPECT_EQ(render(vx::rowContent(GetParam().node)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Nodes, RowContent, testing::ValuesIn(rowCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct ContentCase
{
    const char *name;
    vx::XMLNode node;
    bool expected;
};

const ContentCase contentCases[] = {
    {"element_with_child", node(vx::XMLNodeType::element, "a", {}, {}, 1), true},
    {"empty_element", node(vx::XMLNodeType::element, "a"), false},
    {"element_with_attributes_only", node(vx::XMLNodeType::element, "a", {{"k", "v"}}), false},
    {"text", node(vx::XMLNodeType::text, "text", {}, std::string("x")), true},
    {"blank_text", node(vx::XMLNodeType::text, "text", {}, std::string(" \n ")), false},
    {"comment", node(vx::XMLNodeType::comment, "comment", {}, std::string("c")), true},
    {"blank_comment", node(vx::XMLNodeType::comment, "comment", {}, std::string("  ")), false},
    {"processing_instruction", node(vx::XMLNodeType::processingInstruction, "p", {{"a", "1"}}),
     false},
    {"declaration", node(vx::XMLNodeType::declaration, "xml"), false},
};

class HasContent : public testing::TestWithParam<ContentCase>
{};

TEST_P(HasContent, DecidesTheDisclosureControl)
{
    EXPECT_EQ(vx::hasContent(GetParam().node), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Nodes, HasContent, testing::ValuesIn(contentCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
