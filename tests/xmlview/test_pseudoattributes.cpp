// SPDX-License-Identifier: MIT
#include "xmlview/xmltreeparser.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vx = vellora::xmlview;

namespace {

struct PseudoCase
{
    const char *name;
    std::string data;
    std::map<std::string, std::string> expected;
};

const PseudoCase pseudoCases[] = {
    {"two_double_quoted",
     R"(type="text/xsl" href="style.xsl")",
     {{"type", "text/xsl"}, {"href", "style.xsl"}}},
    {"apostrophe_and_double_quote", R"(a='1' b="2")", {{"a", "1"}, {"b", "2"}}},
    {"quote_inside_other_quotes", R"(a='say "hi"' b="it's")", {{"a", "say \"hi\""}, {"b", "it's"}}},
    {"empty_first_value_stops_all", R"(type="" href="style.xsl")", {}},
    {"empty_later_value_keeps_earlier", R"(a="1" b="" c="3")", {{"a", "1"}}},
    {"malformed_tail_keeps_earlier", R"(a="1" b=2)", {{"a", "1"}}},
    {"missing_equals", R"(a "1")", {}},
    {"unclosed_value", R"(a="1" b="2)", {{"a", "1"}}},
    {"blanks_and_line_breaks_around", "\n  a = \"1\"\n\tb\n=\n'2'  ", {{"a", "1"}, {"b", "2"}}},
    {"value_leading_blanks_skipped_inner_kept", R"(a="  x y  ")", {{"a", "x y  "}}},
    {"blank_value_stops", R"(a="   ")", {}},
    {"repeated_key_last_wins", R"(a="1" a="2")", {{"a", "2"}}},
    {"key_trimmed", "  key  =\"v\"", {{"key", "v"}}},
    {"empty", "", {}},
    {"only_blanks", "   \n ", {}},
    {"no_pairs_at_all", "just some words", {}},
    {"utf8_value", "name=\"M\xc3\xbcller\"", {{"name", "M\xc3\xbcller"}}},
};

class PseudoAttributes : public testing::TestWithParam<PseudoCase>
{};

TEST_P(PseudoAttributes, AreScannedPairByPair)
{
    EXPECT_EQ(vx::parsePseudoAttributes(GetParam().data), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Data, PseudoAttributes, testing::ValuesIn(pseudoCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
