// SPDX-License-Identifier: MIT
#include "textchunks.h"

#include "model/text.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/utext.h>

#include <algorithm>
#include <memory>

namespace vellora::xmlview {

namespace {

struct UTextCloser
{
    void operator()(UText *text) const { utext_close(text); }
};

// Steps through the text one user-perceived character at a time. Between two ASCII bytes
// there is always a boundary (CR LF aside), so ICU is asked only next to other characters;
// a 10 MB source of mostly ASCII is walked at memory speed.
class CharacterWalker
{
public:
    explicit CharacterWalker(std::string_view text) : m_text(text)
    {
        UErrorCode status = U_ZERO_ERROR;
        m_utext.reset(
            utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status));
        m_breaker.reset(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_SUCCESS(status)) {
            m_breaker->setText(m_utext.get(), status);
        }
        if (U_FAILURE(status)) {
            m_breaker.reset();
        }
    }

    // The boundary after the character that starts at the boundary `position`.
    std::size_t next(std::size_t position) const
    {
        const std::size_t size = m_text.size();
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(m_text[i]); };
        if (byte(position) < 0x80) {
            if (position + 1 == size) {
                return size;
            }
            if (byte(position) == '\r' && byte(position + 1) == '\n') {
                return position + 2;
            }
            if (byte(position + 1) < 0x80) {
                return position + 1;
            }
        }
        if (!m_breaker) {
            return position + 1; // ICU unavailable: fall back on bytes rather than loop
        }
        const int32_t boundary = m_breaker->following(static_cast<int32_t>(position));
        return boundary == icu::BreakIterator::DONE ? size : static_cast<std::size_t>(boundary);
    }

private:
    std::string_view m_text;
    std::unique_ptr<UText, UTextCloser> m_utext;
    std::unique_ptr<icu::BreakIterator> m_breaker;
};

// Whether the `size` bytes from `start` (or all that remain) are ASCII without a carriage
// return, and the byte after them, if any, is ASCII too (so the last one is not the start of
// a longer character, such as a letter with a combining mark).
bool plainAsciiRun(std::string_view text, std::size_t start, std::size_t size)
{
    const std::size_t end = std::min(start + size + 1, text.size());
    for (std::size_t i = start; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80 || byte == '\r') {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<std::string> splitIntoChunks(std::string_view text, std::size_t size)
{
    std::vector<std::string> pieces;
    if (text.empty() || size == 0) {
        return pieces;
    }
    const std::size_t window = std::min<std::size_t>(size / 10, 200);
    const CharacterWalker walker(text);
    // The last window + 1 boundaries passed, so the window start is at hand without walking
    // backwards.
    std::vector<std::size_t> recent(window + 1);
    std::size_t start = 0;
    while (true) {
        std::size_t end = start;
        std::size_t windowStart = start;
        if (plainAsciiRun(text, start, size)) {
            // One byte is one character here: no walking needed.
            end = std::min(start + size, text.size());
            windowStart = end - std::min(window, end - start);
        } else {
            std::size_t steps = 0;
            recent[0] = start;
            while (steps < size && end < text.size()) {
                end = walker.next(end);
                ++steps;
                recent[steps % (window + 1)] = end;
            }
            // When the text goes on, steps == size; the window starts `window` characters
            // before the end, and never before the piece's start (window < size).
            if (end < text.size()) {
                windowStart = recent[(steps - window) % (window + 1)];
            }
        }
        if (end < text.size()) {
            const std::size_t lineFeed = text.substr(windowStart, end - windowStart).rfind('\n');
            if (lineFeed != std::string_view::npos) {
                end = windowStart + lineFeed + 1; // a line feed always ends a character
            }
        }
        pieces.emplace_back(text.substr(start, end - start));
        if (end >= text.size()) {
            break;
        }
        start = end;
    }
    return pieces;
}

std::vector<std::string> prepareTextPieces(std::string_view text)
{
    // Whether the text has more characters than the limit: no need to count them all.
    bool longText = false;
    if (text.size() > singlePieceLimit) {
        const CharacterWalker walker(text);
        std::size_t position = 0;
        std::size_t count = 0;
        while (position < text.size() && count <= singlePieceLimit) {
            position = walker.next(position);
            ++count;
        }
        longText = count > singlePieceLimit;
    }
    if (!longText) {
        return {std::string(text)};
    }
    return splitIntoChunks(text, pieceSize);
}

std::size_t firstDisplayedPieces(std::size_t displayed, std::size_t pieceCount)
{
    return displayed == 0 ? std::min(pieceCount, initialPieces) : displayed;
}

std::size_t displayedPiecesAfterReaching(std::size_t visibleIndex, std::size_t displayed,
                                         std::size_t pieceCount)
{
    if (displayed > 0 && visibleIndex == displayed - 1 && displayed < pieceCount) {
        return std::min(displayed + piecesPerStep, pieceCount);
    }
    return displayed;
}

} // namespace vellora::xmlview
