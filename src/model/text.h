// SPDX-License-Identifier: MIT
// Unicode text operations on UTF-8 strings, all independent of the process locale.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vellora::model {

// True for the characters that trimming removes: white space and line breaks, that is the
// Unicode categories Zs, Zl and Zp, U+0009 to U+000D and U+0085.
bool isTrimmedCharacter(char32_t c);

// `text` without the white space and line breaks at both ends; inner ones are kept.
// Expects valid UTF-8 (what the document read guarantees).
std::string_view trimmed(std::string_view text);

// The number of user-perceived characters (extended grapheme clusters); CR LF is one.
std::size_t characterCount(std::string_view text);

// The first `count` user-perceived characters of `text` (all of it when it is shorter).
std::string_view leadingCharacters(std::string_view text, std::size_t count);

// Full Unicode case mapping with the root locale, whatever the user's locale:
// "straße" upper-cases to "STRASSE".
std::string upperCased(std::string_view text);
std::string lowerCased(std::string_view text);

// Strict UTF-8: overlong forms, surrogates, code points above U+10FFFF and truncated
// sequences are all invalid. Returns the byte offset of the first invalid sequence, or
// nullopt when the whole text is valid.
std::optional<std::size_t> firstInvalidUtf8Offset(std::string_view bytes);

// Decides what to tell the user about bytes that are not UTF-8: "UTF-16" when they carry a
// UTF-16 byte-order mark or look like UTF-16 text (every other byte zero), else nullopt.
std::optional<std::string> guessForeignEncoding(std::string_view bytes);

} // namespace vellora::model
