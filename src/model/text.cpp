// SPDX-License-Identifier: MIT
#include "text.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace vellora::model {

namespace {

bool isAscii(std::string_view text)
{
    // Eight bytes at a time: an attachment's Base64 text runs to tens of megabytes.
    std::size_t i = 0;
    std::uint64_t high = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        high |= word;
    }
    for (; i < text.size(); ++i) {
        high |= static_cast<unsigned char>(text[i]);
    }
    return (high & 0x8080808080808080ULL) == 0;
}

struct UTextCloser
{
    void operator()(UText *text) const { utext_close(text); }
};

// Calls `visit(offset)` with the byte offset of every grapheme boundary after the start, in
// order, until it returns false.
template <typename Visit>
void forEachGraphemeBoundary(std::string_view text, Visit visit)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<UText, UTextCloser> utext(
        utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status));
    std::unique_ptr<icu::BreakIterator> breaker(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) {
        return;
    }
    breaker->setText(utext.get(), status);
    if (U_FAILURE(status)) {
        return;
    }
    for (int32_t boundary = breaker->next(); boundary != icu::BreakIterator::DONE;
         boundary = breaker->next()) {
        if (!visit(static_cast<std::size_t>(boundary))) {
            return;
        }
    }
}

} // namespace

bool isTrimmedCharacter(char32_t c)
{
    if ((c >= 0x09 && c <= 0x0D) || c == 0x85) {
        return true;
    }
    const auto category = static_cast<UCharCategory>(u_charType(static_cast<UChar32>(c)));
    return category == U_SPACE_SEPARATOR || category == U_LINE_SEPARATOR ||
           category == U_PARAGRAPH_SEPARATOR;
}

std::string_view trimmed(std::string_view text)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t start = 0;
    while (start < length) {
        int32_t next = start;
        UChar32 c = 0;
        U8_NEXT(bytes, next, length, c);
        if (c < 0 || !isTrimmedCharacter(static_cast<char32_t>(c))) {
            break;
        }
        start = next;
    }
    int32_t end = length;
    while (end > start) {
        int32_t previous = end;
        UChar32 c = 0;
        U8_PREV(bytes, start, previous, c);
        if (c < 0 || !isTrimmedCharacter(static_cast<char32_t>(c))) {
            break;
        }
        end = previous;
    }
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

std::size_t characterCount(std::string_view text)
{
    if (isAscii(text)) {
        // Among ASCII characters only CR LF forms a cluster of more than one.
        std::size_t count = text.size();
        for (std::size_t i = text.find('\r'); i != std::string_view::npos;
             i = text.find('\r', i + 1)) {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                --count;
            }
        }
        return count;
    }
    std::size_t count = 0;
    forEachGraphemeBoundary(text, [&count](std::size_t) {
        ++count;
        return true;
    });
    return count;
}

std::string_view leadingCharacters(std::string_view text, std::size_t count)
{
    if (count == 0) {
        return text.substr(0, 0);
    }
    std::size_t end = text.size();
    std::size_t seen = 0;
    if (isAscii(text)) {
        std::size_t i = 0;
        while (i < text.size() && seen < count) {
            i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            ++seen;
        }
        return text.substr(0, i);
    }
    forEachGraphemeBoundary(text, [&](std::size_t boundary) {
        if (++seen == count) {
            end = boundary;
            return false;
        }
        return true;
    });
    return text.substr(0, end);
}

std::string upperCased(std::string_view text)
{
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toUpper(icu::Locale::getRoot());
    std::string out;
    unicode.toUTF8String(out);
    return out;
}

std::string lowerCased(std::string_view text)
{
    icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toLower(icu::Locale::getRoot());
    std::string out;
    unicode.toUTF8String(out);
    return out;
}

std::optional<std::size_t> firstInvalidUtf8Offset(std::string_view bytes)
{
    const auto *data = reinterpret_cast<const uint8_t *>(bytes.data());
    // ICU's macros take 32-bit lengths; walk very large inputs in windows.
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        // Runs of ASCII, which is most of an invoice, eight bytes at a time.
        if (bytes.size() - offset >= 8) {
            std::uint64_t word;
            std::memcpy(&word, data + offset, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                offset += 8;
                continue;
            }
        }
        if (data[offset] < 0x80) {
            ++offset;
            continue;
        }
        const std::size_t remaining = bytes.size() - offset;
        const auto length = static_cast<int32_t>(remaining < 8 ? remaining : 8);
        int32_t i = 0;
        UChar32 c = 0;
        // U8_NEXT rejects overlong forms, surrogates, values above U+10FFFF and truncation.
        U8_NEXT(data + offset, i, length, c);
        if (c < 0) {
            return offset;
        }
        offset += static_cast<std::size_t>(i);
    }
    return std::nullopt;
}

std::optional<std::string> guessForeignEncoding(std::string_view bytes)
{
    if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') ||
                              (bytes[0] == '\xFE' && bytes[1] == '\xFF'))) {
        return "UTF-16";
    }
    // "<?xml" in UTF-16 without a byte-order mark has a zero byte beside every ASCII byte.
    if (bytes.size() >= 4 && ((bytes[0] == '\0' && bytes[1] != '\0' && bytes[2] == '\0') ||
                              (bytes[0] != '\0' && bytes[1] == '\0' && bytes[3] == '\0'))) {
        return "UTF-16";
    }
    return std::nullopt;
}

} // namespace vellora::model
