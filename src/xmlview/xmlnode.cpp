// SPDX-License-Identifier: MIT
#include "xmlnode.h"

#include <utility>

namespace vellora::xmlview {

namespace {

// Empties `children` and every subtree below it without recursion: each node's children are
// moved onto a work list before the node itself goes, so no destructor finds grandchildren.
void releaseChildren(std::vector<XMLNode> &children)
{
    std::vector<XMLNode> pending = std::move(children);
    children.clear();
    while (!pending.empty()) {
        XMLNode last = std::move(pending.back());
        pending.pop_back();
        for (auto &child : last.children) {
            pending.push_back(std::move(child));
        }
        last.children.clear();
    }
}

XMLNode shallowCopy(const XMLNode &node)
{
    return XMLNode(node.id, node.name, node.attributes, node.textContent, node.nodeType, {});
}

// Copies the children of `from` into `to` (whose children are empty) without recursion.
void copyChildren(const XMLNode &from, XMLNode &to)
{
    std::vector<std::pair<const XMLNode *, XMLNode *>> work{{&from, &to}};
    while (!work.empty()) {
        auto [source, target] = work.back();
        work.pop_back();
        target->children.reserve(source->children.size());
        for (const auto &child : source->children) {
            target->children.push_back(shallowCopy(child));
        }
        // The reserve above keeps these addresses valid while the work list holds them.
        for (std::size_t i = 0; i < source->children.size(); ++i) {
            if (!source->children[i].children.empty()) {
                work.emplace_back(&source->children[i], &target->children[i]);
            }
        }
    }
}

} // namespace

XMLNode::XMLNode(model::Uuid id, std::string name, std::map<std::string, std::string> attributes,
                 std::optional<std::string> textContent, XMLNodeType nodeType,
                 std::vector<XMLNode> children)
    : id(id), name(std::move(name)), attributes(std::move(attributes)),
      textContent(std::move(textContent)), nodeType(nodeType), children(std::move(children))
{}

XMLNode::XMLNode(const XMLNode &other)
    : id(other.id), name(other.name), attributes(other.attributes), textContent(other.textContent),
      nodeType(other.nodeType)
{
    copyChildren(other, *this);
}

XMLNode &XMLNode::operator=(const XMLNode &other)
{
    if (this != &other) {
        XMLNode copy(other);
        *this = std::move(copy);
    }
    return *this;
}

XMLNode &XMLNode::operator=(XMLNode &&other) noexcept
{
    if (this != &other) {
        releaseChildren(children);
        id = other.id;
        name = std::move(other.name);
        attributes = std::move(other.attributes);
        textContent = std::move(other.textContent);
        nodeType = other.nodeType;
        children = std::move(other.children);
    }
    return *this;
}

XMLNode::~XMLNode()
{
    if (!children.empty()) {
        releaseChildren(children);
    }
}

bool sameContent(const XMLNode &a, const XMLNode &b)
{
    std::vector<std::pair<const XMLNode *, const XMLNode *>> work{{&a, &b}};
    while (!work.empty()) {
        auto [left, right] = work.back();
        work.pop_back();
        if (left->name != right->name || left->attributes != right->attributes ||
            left->textContent != right->textContent || left->nodeType != right->nodeType ||
            left->children.size() != right->children.size()) {
            return false;
        }
        for (std::size_t i = 0; i < left->children.size(); ++i) {
            work.emplace_back(&left->children[i], &right->children[i]);
        }
    }
    return true;
}

std::size_t countNodes(const XMLNode &node)
{
    std::size_t count = 0;
    std::vector<const XMLNode *> work{&node};
    while (!work.empty()) {
        const XMLNode *current = work.back();
        work.pop_back();
        ++count;
        for (const auto &child : current->children) {
            work.push_back(&child);
        }
    }
    return count;
}

std::vector<const XMLNode *> nodesUpToDepth(const XMLNode &node, int maxDepth, int depth)
{
    std::vector<const XMLNode *> nodes;
    if (depth > maxDepth) {
        return nodes;
    }
    // Pre-order with an explicit stack; children are pushed in reverse to come out in order.
    std::vector<std::pair<const XMLNode *, int>> work{{&node, depth}};
    while (!work.empty()) {
        auto [current, level] = work.back();
        work.pop_back();
        nodes.push_back(current);
        if (level < maxDepth) {
            for (auto child = current->children.rbegin(); child != current->children.rend();
                 ++child) {
                work.emplace_back(&*child, level + 1);
            }
        }
    }
    return nodes;
}

} // namespace vellora::xmlview
