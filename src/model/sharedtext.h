// SPDX-License-Identifier: MIT
// An immutable text that every copy of its record shares.
#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace vellora::model {

// Holds a text that never changes once made, for texts too large to copy with every copy
// of the record that holds them (an attachment's Base64 content can be tens of megabytes,
// and the views keep copies of the model). Copying a SharedText copies a pointer; the
// bytes stay where the parser put them. Reads like a const std::string.
class SharedText
{
public:
    SharedText() : SharedText(std::string()) {}
    // Takes the text over; a text passed by value is moved, not copied.
    SharedText(std::string text) : m_text(std::make_shared<const std::string>(std::move(text))) {}
    SharedText(const char *text) : SharedText(std::string(text)) {}

    const std::string &str() const { return *m_text; }
    operator const std::string &() const { return *m_text; }
    operator std::string_view() const { return *m_text; }

    std::size_t size() const { return m_text->size(); }
    bool empty() const { return m_text->empty(); }
    const char *data() const { return m_text->data(); }
    std::string::const_iterator begin() const { return m_text->begin(); }
    std::string::const_iterator end() const { return m_text->end(); }

    // Whether the two hold the very same bytes in memory (one is a copy of the other).
    bool sharesBytesWith(const SharedText &other) const { return m_text == other.m_text; }

    // Equal texts are equal, shared or not; shared ones are equal without reading them.
    friend bool operator==(const SharedText &a, const SharedText &b)
    {
        return a.m_text == b.m_text || *a.m_text == *b.m_text;
    }
    friend bool operator==(const SharedText &a, const std::string &b) { return *a.m_text == b; }
    friend bool operator==(const SharedText &a, const char *b) { return *a.m_text == b; }

    friend std::ostream &operator<<(std::ostream &out, const SharedText &text)
    {
        return out << *text.m_text;
    }

private:
    std::shared_ptr<const std::string> m_text; // never null
};

} // namespace vellora::model
