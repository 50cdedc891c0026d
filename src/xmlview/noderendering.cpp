// SPDX-License-Identifier: MIT
#include "noderendering.h"

#include "model/text.h"

#include <utility>

namespace vellora::xmlview {

namespace {

using enum SegmentColor;

Segment segment(std::string text, SegmentColor color, SegmentFont font = SegmentFont::body)
{
    return Segment{std::move(text), color, font};
}

std::string quoted(const std::string &value)
{
    return "\"" + value + "\""; // shown as stored: nothing is escaped
}

// An element's start tag, or a processing instruction's: the name line, then one line per
// attribute; the closing mark ends the name line when there are no attributes, else the last
// attribute line.
RowContent tagLines(const XMLNode &node, Segment opening, Segment name, const Segment &closing,
                    SegmentColor equalsColor, int nameSegmentSpacing, int attributeSpacing,
                    int attributeSegmentSpacing)
{
    RowContent lines;
    RowLine first{{std::move(opening), std::move(name)}, nameSegmentSpacing, 0};
    if (node.attributes.empty()) {
        first.segments.push_back(closing);
    }
    lines.push_back(std::move(first));
    // std::map orders its keys by plain byte comparison: "Zeta" before "alpha".
    std::size_t index = 0;
    for (const auto &[key, value] : node.attributes) {
        RowLine line{{segment("  ", primary), segment(key, brown), segment("=", equalsColor),
                      segment(quoted(value), red)},
                     attributeSegmentSpacing,
                     index == 0 ? 2 : attributeSpacing};
        if (++index == node.attributes.size()) {
            line.segments.push_back(closing);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

RowContent elementContent(const XMLNode &node)
{
    return tagLines(node, segment("<", blue), segment(node.name, purple, SegmentFont::bodyMedium),
                    segment(hasContent(node) ? ">" : " />", blue), primary, 2, 1, 2);
}

RowContent instructionContent(const XMLNode &node)
{
    RowContent lines =
        tagLines(node, segment("<?", orange), segment(node.name, orange, SegmentFont::bodyMedium),
                 segment("?>", orange), orange, 0, 1, 2);
    // Lines of a processing instruction are all 1 point apart.
    if (lines.size() > 1) {
        lines[1].spacingBefore = 1;
    }
    return lines;
}

RowContent textContent(const XMLNode &node)
{
    const std::string_view text =
        node.textContent ? model::trimmed(*node.textContent) : std::string_view();
    const std::size_t length = model::characterCount(text);
    if (length <= maximumShownTextLength) {
        return {RowLine{{segment(std::string(text), primary)}, 0, 0}};
    }
    return {
        RowLine{
            {segment(std::string(model::leadingCharacters(text, maximumShownTextLength)) + "...",
                     primary)},
            0,
            0},
        RowLine{{segment("[" + std::to_string(length) + " characters total]", secondary,
                         SegmentFont::captionItalic)},
                0,
                2},
    };
}

RowContent commentContent(const XMLNode &node)
{
    const std::string_view text =
        node.textContent ? model::trimmed(*node.textContent) : std::string_view();
    return {RowLine{
        {segment("<!-- ", green), segment(std::string(text), green), segment(" -->", green)},
        0,
        0}};
}

} // namespace

bool hasContent(const XMLNode &node)
{
    return !node.children.empty() ||
           (node.textContent && !model::trimmed(*node.textContent).empty());
}

RowContent rowContent(const XMLNode &node)
{
    switch (node.nodeType) {
    case XMLNodeType::element:
        return elementContent(node);
    case XMLNodeType::text:
        return textContent(node);
    case XMLNodeType::comment:
        return commentContent(node);
    case XMLNodeType::processingInstruction:
    case XMLNodeType::declaration:
        return instructionContent(node);
    }
    return {};
}

} // namespace vellora::xmlview
