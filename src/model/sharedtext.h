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
// bytes stay where they were made. Reads like a std::string_view that keeps its bytes
// alive.
class SharedText
{
public:
    SharedText() : SharedText(std::string()) {}
    // Takes the text over; a text passed by value is moved, not copied.
    SharedText(std::string text)
    {
        auto owned = std::make_shared<const std::string>(std::move(text));
        m_view = *owned;
        m_owner = std::move(owned);
    }
    SharedText(const char *text) : SharedText(std::string(text)) {}
    // Bytes someone else made: `view` stays valid for as long as `owner` lives.
    SharedText(std::shared_ptr<const void> owner, std::string_view view)
        : m_owner(std::move(owner)), m_view(view)
    {}

    std::string_view view() const { return m_view; }
    operator std::string_view() const { return m_view; }
    // A copy of the bytes, for an interface that needs a std::string of its own.
    std::string str() const { return std::string(m_view); }

    std::size_t size() const { return m_view.size(); }
    bool empty() const { return m_view.empty(); }
    const char *data() const { return m_view.data(); }
    std::string_view::const_iterator begin() const { return m_view.begin(); }
    std::string_view::const_iterator end() const { return m_view.end(); }

    // Whether the two show the very same bytes in memory (one is a copy of the other).
    bool sharesBytesWith(const SharedText &other) const
    {
        return m_view.data() == other.m_view.data() && m_view.size() == other.m_view.size();
    }

    // Equal texts are equal, shared or not; shared ones are equal without reading them.
    friend bool operator==(const SharedText &a, const SharedText &b)
    {
        return a.sharesBytesWith(b) || a.m_view == b.m_view;
    }
    friend bool operator==(const SharedText &a, const std::string &b) { return a.m_view == b; }
    friend bool operator==(const SharedText &a, const char *b) { return a.m_view == b; }

    friend std::ostream &operator<<(std::ostream &out, const SharedText &text)
    {
        return out << text.m_view;
    }

private:
    std::shared_ptr<const void> m_owner; // keeps the bytes of m_view alive; never null
    std::string_view m_view;
};

} // namespace vellora::model
