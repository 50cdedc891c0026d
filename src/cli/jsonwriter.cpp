// SPDX-License-Identifier: MIT
#include "jsonwriter.h"

#include "model/text.h"

#include <nlohmann/json.hpp>

namespace vellora::cli {

namespace {
constexpr std::size_t chunk = 64 * 1024;
}

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
    quoted(name);
    m_text += ": ";
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
    const std::size_t start = m_text.size();
    m_text.reserve(start + text.size() + 2);
    m_text += '"';
    unsigned char seen = 0;  // every byte or-ed together: tells whether any was above ASCII
    std::size_t plain = 0;   // start of the run of characters copied as they are
    for (std::size_t i = 0; i < text.size(); ++i) {
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
    m_text += '"';
    if ((seen & 0x80) && model::firstInvalidUtf8Offset(text)) {
        // Rare (file names given on the command line): let nlohmann replace the bad bytes
        // exactly as its dump would.
        m_text.resize(start);
        m_text += nlohmann::json(std::string(text))
                      .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    }
}

} // namespace vellora::cli
