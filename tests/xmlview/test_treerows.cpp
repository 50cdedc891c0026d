// SPDX-License-Identifier: MIT
#include "xmlview/treerows.h"
#include "xmlview/xmltreeparser.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vx = vellora::xmlview;

namespace {

std::shared_ptr<const vx::XMLNode> treeOf(const std::string &text)
{
    vx::XMLTreeParser parser;
    auto result = parser.parse(text);
    return std::make_shared<const vx::XMLNode>(std::get<vx::XMLNode>(std::move(result)));
}

// The rows on show as "depth:name" (text nodes by their text), joined by blanks.
std::string shown(const vx::XMLTreeRows &rows)
{
    std::string out;
    for (const auto &row : rows.rows()) {
        if (!out.empty()) {
            out += ' ';
        }
        out +=
            std::to_string(row.depth) + ":" +
            (row.node->nodeType == vx::XMLNodeType::text ? *row.node->textContent : row.node->name);
    }
    return out;
}

struct DefaultCase
{
    const char *name;
    std::string text;
    std::string rows;
    std::size_t nodes;
};

const DefaultCase defaultCases[] = {
    {"nine_nodes_all_visible", "<r><a><x/><y/><z/></a><b><x/><y/><z/></b></r>",
     "0:r 1:a 2:x 2:y 2:z 1:b 2:x 2:y 2:z", 9},
    {"depth_three_shown_collapsed", "<r><a><b><c><d/></c></b></a></r>", "0:r 1:a 2:b 3:c", 5},
    {"text_at_depth_three_shown", "<r><a><b>t</b></a></r>", "0:r 1:a 2:b 3:t", 4},
    {"single_root", "<r/>", "0:r", 1},
};

class DefaultExpansion : public testing::TestWithParam<DefaultCase>
{};

TEST_P(DefaultExpansion, ShowsDepthsZeroToThree)
{
    const vx::XMLTreeRows rows(treeOf(GetParam().text));
    EXPECT_EQ(shown(rows), GetParam().rows);
    EXPECT_EQ(rows.nodeCount(), GetParam().nodes);
    for (const auto &row : rows.rows()) {
        EXPECT_EQ(rows.isExpanded(*row.node), row.depth <= 2) << row.node->name;
    }
}

INSTANTIATE_TEST_SUITE_P(Trees, DefaultExpansion, testing::ValuesIn(defaultCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TreeRows, ExpandAndCollapseReportTheirRange)
{
    vx::XMLTreeRows rows(treeOf("<r><a><b><c><d>x</d><e/></c></b></a><z/></r>"));
    ASSERT_EQ(shown(rows), "0:r 1:a 2:b 3:c 1:z");
    auto change = rows.expand(3);
    EXPECT_EQ(change.first, 4u);
    EXPECT_EQ(change.count, 2u);
    EXPECT_EQ(shown(rows), "0:r 1:a 2:b 3:c 4:d 4:e 1:z");
    EXPECT_EQ(rows.expand(3).count, 0u); // already expanded
    rows.expand(4);
    EXPECT_EQ(shown(rows), "0:r 1:a 2:b 3:c 4:d 5:x 4:e 1:z");
    EXPECT_EQ(rows.rowsHiddenByCollapsing(1), 5u);
    change = rows.collapse(1);
    EXPECT_EQ(change.first, 2u);
    EXPECT_EQ(change.count, 5u);
    EXPECT_EQ(shown(rows), "0:r 1:a 1:z");
    // Re-expanding shows the subtree as it was left.
    rows.expand(1);
    EXPECT_EQ(shown(rows), "0:r 1:a 2:b 3:c 4:d 5:x 4:e 1:z");
    EXPECT_EQ(rows.rowOf(rows.root().children[1]), 7u);
}

struct ToggleCase
{
    const char *name;
    std::string text;
    std::size_t row;
    vx::ToggleAction expected;
};

std::string withChildren(int count)
{
    std::string text = "<r><a><b><big>";
    for (int i = 0; i < count; ++i) {
        text += "<c/>";
    }
    return text + "</big></b></a></r>";
}

const ToggleCase toggleCases[] = {
    {"fifty_children_now", withChildren(50), 3, vx::ToggleAction::toggleNow},
    {"fifty_one_children_deferred", withChildren(51), 3, vx::ToggleAction::deferExpansion},
    {"expanded_large_node_collapses_now", withChildren(51), 0, vx::ToggleAction::toggleNow},
    {"text_of_100_now", "<r><a><b>" + std::string(100, 't') + "</b></a></r>", 3,
     vx::ToggleAction::toggleNow},
    {"text_of_101_deferred", "<r><a><b>" + std::string(101, 't') + "</b></a></r>", 3,
     vx::ToggleAction::deferExpansion},
    {"empty_element_no_control", "<r><a/></r>", 1, vx::ToggleAction::none},
    {"instruction_no_control", "<r><?p a='1'?></r>", 1, vx::ToggleAction::none},
};

class Toggle : public testing::TestWithParam<ToggleCase>
{};

TEST_P(Toggle, DecidesByChildrenAndTextLength)
{
    const vx::XMLTreeRows rows(treeOf(GetParam().text));
    EXPECT_EQ(rows.toggleAction(GetParam().row), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Nodes, Toggle, testing::ValuesIn(toggleCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TreeRows, PendingExpansionDisablesTheControl)
{
    vx::XMLTreeRows rows(treeOf(withChildren(51)));
    const vx::XMLNode &big = *rows.rows()[3].node;
    rows.setExpanding(big, true);
    EXPECT_TRUE(rows.isExpanding(big));
    EXPECT_EQ(rows.toggleAction(3), vx::ToggleAction::none);
    rows.setExpanding(big, false);
    EXPECT_EQ(rows.toggleAction(3), vx::ToggleAction::deferExpansion);
}

} // namespace
