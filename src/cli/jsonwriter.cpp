// SPDX-License-Identifier: MIT
#include "jsonwriter.h"

#include "model/text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vellora::cli {

namespace {

constexpr std::size_t chunk = 64 * 1024;

constexpr std::uint64_t ones = 0x0101010101010101ULL;
constexpr std::uint64_t highs = 0x8080808080808080ULL;

// Whether any byte of `word` is zero.
constexpr bool hasZeroByte(std::uint64_t word)
{
    return ((word - ones) & ~word & highs) != 0;
}

// Whether any of the eight bytes is below 0x20, a quote, a backslash, or above ASCII.
constexpr bool needsAttention(std::uint64_t word)
{
    const bool belowBlank = ((word - ones * 0x20) & ~word & highs) != 0;
    return belowBlank || (word & highs) != 0 || hasZeroByte(word ^ (ones * '"')) ||
           hasZeroByte(word ^ (ones * '\\'));
}

static_assert(!needsAttention(0x4142434445464748ULL)); // "HGFEDCBA"
static_assert(needsAttention(0x414243444546470aULL));  // a line break
static_assert(needsAttention(0x4142434445462248ULL));  // a quote
static_assert(needsAttention(0x41425c4445464748ULL));  // a backslash
static_assert(needsAttention(0x41c3434445464748ULL));  // a byte above ASCII
static_assert(needsAttention(0x2041424344454600ULL));  // a NUL

} // namespace

JsonWriter::JsonWriter(std::FILE *out) : m_out(out) {}

JsonWriter::~JsonWriter()
{
    flush();
}

bool JsonWriter::flush()
{
    if (m_out && !m_text.empty()) {
        if (std::fwrite(m_text.data(), 1, m_text.size(), m_out) != m_text.size()) {
            m_failed = true;
        }
        m_text.clear();
    }
    return !m_failed;
}

void JsonWriter::newLine(int depth)
{
    m_text += '\n';
    m_text.append(static_cast<std::size_t>(2 * depth), ' ');
}

// Inside an array a value starts a new line; after a key it follows on the same one.
void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (!m_filled.empty()) {
        if (m_filled.back()) {
            m_text += ',';
        }
        m_filled.back() = true;
        newLine(static_cast<int>(m_filled.size()));
    }
    if (m_out && m_text.size() >= chunk) {
        flush();
    }
}

void JsonWriter::open(char bracket)
{
    beforeValue();
    m_text += bracket;
    m_filled.push_back(false);
}

void JsonWriter::close(char bracket)
{
    const bool filled = m_filled.back();
    m_filled.pop_back();
    if (filled) {
        newLine(static_cast<int>(m_filled.size()));
    }
    m_text += bracket;
}

void JsonWriter::beginObject()
{
    open('{');
}
void JsonWriter::endObject()
{
    close('}');
}
void JsonWriter::beginArray()
{
    open('[');
}
void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(std::string_view name)
{
    beforeValue();
    // Keys are the record's field names: plain ASCII letters, written as they are.
    const bool plain = std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
    if (plain) {
        m_text += '"';
        m_text += name;
        m_text += "\": ";
    } else {
        quoted(name);
        m_text += ": ";
    }
    m_afterKey = true;
}

void JsonWriter::null()
{
    beforeValue();
    m_text += "null";
}

void JsonWriter::boolean(bool value)
{
    beforeValue();
    m_text += value ? "true" : "false";
}

void JsonWriter::integer(std::int64_t value)
{
    beforeValue();
    m_text += std::to_string(value);
}

void JsonWriter::string(std::string_view text)
{
    beforeValue();
    quoted(text);
}

void JsonWriter::quoted(std::string_view text)
{
    // A text longer than a chunk goes out piece by piece, so that an attachment's megabytes
    // are never held a second time; its bytes are then known to be valid UTF-8 beforehand.
    if (m_out && text.size() > chunk && !model::firstInvalidUtf8Offset(text)) {
        m_text += '"';
        for (std::size_t at = 0; at < text.size(); at += chunk) {
            flush();
            escape(text.substr(at, chunk));
        }
        m_text += '"';
        return;
    }
    const std::size_t start = m_text.size();
    m_text.reserve(start + text.size() + 2);
    m_text += '"';
    const bool asciiOnly = escape(text);
    m_text += '"';
    if (!asciiOnly && model::firstInvalidUtf8Offset(text)) {
        // Rare (file names given on the command line): let nlohmann replace the bad bytes
        // exactly as its dump would.
        m_text.resize(start);
        m_text += nlohmann::json(std::string(text))
                      .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
}

bool JsonWriter::escape(std::string_view text)
{
    unsigned char seen = 0; // every byte or-ed together: tells whether any was above ASCII
    std::size_t plain = 0;  // start of the run of characters copied as they are
    for (std::size_t i = 0; i < text.size(); ++i) {
        // Skip eight plain ASCII bytes at a time (no control character, quote, backslash or
        // byte above ASCII among them): an attachment's text is megabytes of them.
        while (i + 8 <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + i, sizeof word);
            if (needsAttention(word)) {
                break;
            }
            i += 8;
        }
        if (i == text.size()) {
            break;
        }
        const auto c = static_cast<unsigned char>(text[i]);
        seen |= c;
        if (c >= 0x20 && c != '"' && c != '\\') {
            continue;
        }
        m_text.append(text.data() + plain, i - plain);
        plain = i + 1;
        switch (c) {
        case '"':
            m_text += "\\\"";
            break;
        case '\\':
            m_text += "\\\\";
            break;
        case '\b':
            m_text += "\\b";
            break;
        case '\f':
            m_text += "\\f";
            break;
        case '\n':
            m_text += "\\n";
            break;
        case '\r':
            m_text += "\\r";
            break;
        case '\t':
            m_text += "\\t";
            break;
        default: {
            static constexpr char hex[] = "0123456789abcdef";
            m_text += "\\u00";
            m_text += hex[c >> 4];
            m_text += hex[c & 0xF];
        }
        }
    }
    m_text.append(text.data() + plain, text.size() - plain);
    return (seen & 0x80) == 0;
}

} // namespace vellora::cli
