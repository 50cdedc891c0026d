// SPDX-License-Identifier: MIT
#include "treerows.h"

#include "model/text.h"
#include "noderendering.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace vellora::xmlview {

std::size_t XMLTreeRows::IdHash::operator()(const model::Uuid &id) const noexcept
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, id.bytes().data(), sizeof bits);
    return static_cast<std::size_t>(bits);
}

XMLTreeRows::XMLTreeRows(std::shared_ptr<const XMLNode> root)
    : m_root(std::move(root)), m_nodeCount(countNodes(*m_root))
{
    // Every node down to the default depth is expanded, so the rows on show are exactly the
    // nodes one level deeper, in pre-order: no lookups needed to list them.
    std::vector<std::pair<const XMLNode *, int>> work{{m_root.get(), 0}};
    while (!work.empty()) {
        auto [node, depth] = work.back();
        work.pop_back();
        m_rows.push_back(TreeRow{node, depth});
        if (depth <= defaultExpansionDepth) {
            m_expanded.insert(node->id);
            for (auto child = node->children.rbegin(); child != node->children.rend(); ++child) {
                work.emplace_back(&*child, depth + 1);
            }
        }
    }
}

void XMLTreeRows::appendVisibleChildren(const XMLNode &node, int depth,
                                        std::vector<TreeRow> &out) const
{
    // Pre-order with an explicit stack: the rows of a deep subtree cost no call stack.
    std::vector<std::pair<const XMLNode *, int>> work;
    for (auto child = node.children.rbegin(); child != node.children.rend(); ++child) {
        work.emplace_back(&*child, depth + 1);
    }
    while (!work.empty()) {
        auto [current, level] = work.back();
        work.pop_back();
        out.push_back(TreeRow{current, level});
        if (m_expanded.contains(current->id)) {
            for (auto child = current->children.rbegin(); child != current->children.rend();
                 ++child) {
                work.emplace_back(&*child, level + 1);
            }
        }
    }
}

ToggleAction XMLTreeRows::toggleAction(std::size_t row) const
{
    const XMLNode &node = *m_rows.at(row).node;
    if (!hasContent(node) || isExpanding(node)) {
        return ToggleAction::none;
    }
    const std::size_t textLength =
        node.textContent ? model::characterCount(model::trimmed(*node.textContent)) : 0;
    const bool large = node.children.size() > deferredChildCount || textLength > deferredTextLength;
    if (!large || isExpanded(node)) {
        return ToggleAction::toggleNow;
    }
    return ToggleAction::deferExpansion;
}

std::vector<TreeRow> XMLTreeRows::rowsRevealedByExpanding(std::size_t row) const
{
    const TreeRow target = m_rows.at(row);
    std::vector<TreeRow> revealed;
    if (!isExpanded(*target.node)) {
        appendVisibleChildren(*target.node, target.depth, revealed);
    }
    return revealed;
}

XMLTreeRows::Change XMLTreeRows::expand(std::size_t row, std::vector<TreeRow> revealed)
{
    const TreeRow target = m_rows.at(row);
    if (isExpanded(*target.node)) {
        return {row + 1, 0};
    }
    m_expanded.insert(target.node->id);
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(row + 1), revealed.begin(),
                  revealed.end());
    return {row + 1, revealed.size()};
}

XMLTreeRows::Change XMLTreeRows::expand(std::size_t row)
{
    return expand(row, rowsRevealedByExpanding(row));
}

std::size_t XMLTreeRows::rowsHiddenByCollapsing(std::size_t row) const
{
    const TreeRow target = m_rows.at(row);
    if (!isExpanded(*target.node)) {
        return 0;
    }
    std::size_t end = row + 1;
    while (end < m_rows.size() && m_rows[end].depth > target.depth) {
        ++end;
    }
    return end - row - 1;
}

XMLTreeRows::Change XMLTreeRows::collapse(std::size_t row)
{
    if (!isExpanded(*m_rows.at(row).node)) {
        return {row + 1, 0};
    }
    const std::size_t hidden = rowsHiddenByCollapsing(row);
    m_expanded.erase(m_rows[row].node->id);
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row + 1),
                 m_rows.begin() + static_cast<std::ptrdiff_t>(row + 1 + hidden));
    return {row + 1, hidden};
}

void XMLTreeRows::setExpanding(const XMLNode &node, bool expanding)
{
    if (expanding) {
        m_expanding.insert(node.id);
    } else {
        m_expanding.erase(node.id);
    }
}

std::optional<std::size_t> XMLTreeRows::rowOf(const XMLNode &node) const
{
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].node == &node) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace vellora::xmlview
