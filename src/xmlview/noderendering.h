// SPDX-License-Identifier: MIT
// What one row of the XML tree shows for a node, as data: lines of coloured text segments.
// The view paints it; tests read it without a screen.
#pragma once

#include "xmlnode.h"

#include <string>
#include <vector>

namespace vellora::xmlview {

// Colours by role; the view maps them onto the palette (primary = normal text colour,
// secondary = dimmed text).
enum class SegmentColor
{
    blue,
    purple,
    brown,
    red,
    green,
    orange,
    primary,
    secondary,
};

// Every segment is monospaced; the weight and size vary.
enum class SegmentFont
{
    body,          // body size, regular weight
    bodyMedium,    // body size, medium weight (names)
    captionItalic, // caption size, italic (the length note of a long text)
};

struct Segment
{
    std::string text;
    SegmentColor color = SegmentColor::primary;
    SegmentFont font = SegmentFont::body;

    bool operator==(const Segment &) const = default;
};

struct RowLine
{
    std::vector<Segment> segments;
    int segmentSpacing = 0; // points between neighbouring segments
    int spacingBefore = 0;  // points between this line and the one above (0 for the first)

    bool operator==(const RowLine &) const = default;
};

using RowContent = std::vector<RowLine>;

// Longer texts are cut to this many user-perceived characters, with a note of their length.
inline constexpr std::size_t maximumShownTextLength = 200;

// True when the node has children or text that is not blank: whether its row gets a
// disclosure control.
bool hasContent(const XMLNode &node);

// The lines of the node's row: an element's start tag with one attribute per line (keys in
// plain byte order), a text node's text (cut after 200 characters), a comment between its
// delimiters, a processing instruction or declaration with its pseudo-attributes.
RowContent rowContent(const XMLNode &node);

} // namespace vellora::xmlview
