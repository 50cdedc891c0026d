// SPDX-License-Identifier: MIT
// What the XML source view shows, decided from its state alone.
#pragma once

#include <cstddef>

namespace vellora::xmlview {

enum class XMLViewMode
{
    tree,
    raw,
};

// The displays of the source view, in the order they are tried.
enum class RawDisplay
{
    noContent,  // the text is empty
    tree,       // tree mode
    loading,    // preparation under way
    singleText, // prepared as one piece
    chunked,    // prepared as two or more pieces, shown a few at a time
    unprepared, // not yet prepared: the text as it is
};

struct RawDisplayInputs
{
    bool contentEmpty = true;
    XMLViewMode viewMode = XMLViewMode::raw;
    bool isLoadingText = false;
    bool isTextCached = false;
    std::size_t chunkCount = 0;
};

constexpr RawDisplay selectRawDisplay(const RawDisplayInputs &state)
{
    if (state.contentEmpty) {
        return RawDisplay::noContent;
    }
    if (state.viewMode == XMLViewMode::tree) {
        return RawDisplay::tree;
    }
    if (state.isLoadingText) {
        return RawDisplay::loading;
    }
    if (state.isTextCached) {
        return state.chunkCount < 2 ? RawDisplay::singleText : RawDisplay::chunked;
    }
    return RawDisplay::unprepared;
}

} // namespace vellora::xmlview
