// SPDX-License-Identifier: MIT
// Writes JSON text as it goes, laid out exactly as nlohmann::json's dump(2) lays it out.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace vellora::cli {

// Objects and arrays open and close explicitly; inside an object, key() comes before each
// value. The text is indented by two blanks per level, "key": value pairs and array
// elements one per line, empty containers as {} and []. Strings are escaped as nlohmann
// escapes them (without ensure_ascii); a string that is not valid UTF-8 has its bad bytes
// replaced by U+FFFD as nlohmann's "replace" error handler does.
//
// With a FILE the text goes out in chunks of about 64 KiB, so a dump of any size needs no
// more memory than that; without one it is kept in text().
class JsonWriter
{
public:
    explicit JsonWriter(std::FILE *out = nullptr);
    ~JsonWriter();
    JsonWriter(const JsonWriter &) = delete;
    JsonWriter &operator=(const JsonWriter &) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    void null();
    void boolean(bool value);
    void integer(std::int64_t value);
    void string(std::string_view text);

    // The text written so far (without a FILE: all of it).
    const std::string &text() const { return m_text; }
    // Writes out what is held; false when the FILE reported an error.
    bool flush();

private:
    void beforeValue();
    void newLine(int depth);
    void open(char bracket);
    void close(char bracket);
    void quoted(std::string_view text);
    // Appends `text` escaped, without quotes; true when it held only ASCII.
    bool escape(std::string_view text);

    std::FILE *m_out;
    std::string m_text;
    // For each open container, whether it holds anything yet; and whether a key was just
    // written, so that its value follows on the same line.
    std::vector<bool> m_filled;
    bool m_afterKey = false;
    bool m_failed = false;
};

} // namespace vellora::cli
