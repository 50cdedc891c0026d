// SPDX-License-Identifier: MIT
// The rows of the XML tree that are on show, and the expansion state that decides them.
#pragma once

#include "xmlnode.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

namespace vellora::xmlview {

struct TreeRow
{
    const XMLNode *node = nullptr;
    int depth = 0;
};

// What the disclosure control of a row does when pressed.
enum class ToggleAction
{
    none,          // no control (no content) or an expansion already pending
    toggleNow,     // small nodes expand and collapse at once, any node collapses at once
    deferExpansion // large nodes expand 0.1 s later, behind a spinner
};

// Children and text length above which an expansion is deferred.
inline constexpr std::size_t deferredChildCount = 50;
inline constexpr std::size_t deferredTextLength = 100;
// Depths (0 = root) expanded when a tree opens.
inline constexpr int defaultExpansionDepth = 2;

// The tree flattened into the rows a list shows: a node, then, when its id is expanded, the
// rows of its children. Expanded ids stay in the set when an ancestor collapses, so
// re-expanding the ancestor shows the subtree as it was. Expanding or collapsing a row
// changes one contiguous range of rows, which it reports so a model can announce it.
class XMLTreeRows
{
public:
    struct Change
    {
        std::size_t first = 0; // first row inserted or removed
        std::size_t count = 0;
    };

    // All nodes down to `defaultExpansionDepth` expanded, whatever their kind.
    explicit XMLTreeRows(std::shared_ptr<const XMLNode> root);

    const XMLNode &root() const { return *m_root; }
    const std::vector<TreeRow> &rows() const { return m_rows; }
    std::size_t nodeCount() const { return m_nodeCount; }

    bool isExpanded(const XMLNode &node) const { return m_expanded.contains(node.id); }
    bool isExpanding(const XMLNode &node) const { return m_expanding.contains(node.id); }

    ToggleAction toggleAction(std::size_t row) const;

    // Expands or collapses the row's node; returns the rows that appear or vanish.
    Change expand(std::size_t row);
    Change collapse(std::size_t row);

    // The two halves of `expand`, for a model that must announce an insertion before it
    // happens: the rows that expanding `row` would show, then the expansion itself.
    std::vector<TreeRow> rowsRevealedByExpanding(std::size_t row) const;
    Change expand(std::size_t row, std::vector<TreeRow> revealed);
    // The number of rows collapsing `row` would hide.
    std::size_t rowsHiddenByCollapsing(std::size_t row) const;

    // Marks a deferred expansion as pending or done.
    void setExpanding(const XMLNode &node, bool expanding);

    // The row showing `node`, if it is on show.
    std::optional<std::size_t> rowOf(const XMLNode &node) const;

private:
    void appendVisibleChildren(const XMLNode &node, int depth, std::vector<TreeRow> &out) const;

    // Node ids are random: any eight of their bytes make a good hash, at no cost.
    struct IdHash
    {
        std::size_t operator()(const model::Uuid &id) const noexcept;
    };

    std::shared_ptr<const XMLNode> m_root;
    std::vector<TreeRow> m_rows;
    std::unordered_set<model::Uuid, IdHash> m_expanded;
    std::unordered_set<model::Uuid, IdHash> m_expanding;
    std::size_t m_nodeCount = 0;
};

} // namespace vellora::xmlview
