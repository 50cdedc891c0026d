// SPDX-License-Identifier: MIT
// The element queries of the readers: the one XPath form they use, checked when it is written.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace vellora::parser {

namespace detail {
// Never defined as constexpr: a call in a constant evaluation makes it fail, which is how a
// malformed query literal stops the build.
inline void malformedQueryLiteral() {}
} // namespace detail

// An XPath 1.0 expression of the form the readers use, and only that form:
//   "//*[local-name()='A']"       every element named A in the whole document;
//   ".//*[local-name()='A']"      every element named A below the context, at any depth,
//                                 never the context itself;
// each followed by any number (up to three) of "/*[local-name()='B']": the direct children
// named B of what the steps before selected. Names are local names, whatever the namespace.
//
// A literal is checked while the program is built: a malformed one does not compile, so no
// reader can quietly find nothing because of a typing error. Texts known only at run time go
// through compile(), whose failure is a value.
class Query
{
public:
    static constexpr std::size_t maxSteps = 4;
    static constexpr std::size_t maxLength = 160;

    enum class Axis
    {
        wholeDocument, // "//"
        descendants,   // ".//"
    };

    consteval Query(const char *text)
    {
        if (!read(text).empty()) {
            detail::malformedQueryLiteral();
        }
    }

    // The query, or why `text` is not one.
    static std::variant<Query, std::string> compile(std::string_view text)
    {
        Query query;
        const std::string_view problem = query.read(text);
        if (!problem.empty()) {
            return "malformed query \"" + std::string(text) + "\": " + std::string(problem);
        }
        return query;
    }

    // Empty when `text` is a well-formed query, else what is wrong with it.
    static constexpr std::string_view problemWith(std::string_view text)
    {
        Query query;
        return query.read(text);
    }

    constexpr Axis axis() const { return m_axis; }
    constexpr std::size_t stepCount() const { return m_stepCount; }
    // The local name the step `index` matches.
    constexpr std::string_view step(std::size_t index) const
    {
        return std::string_view(m_text.data() + m_stepStart[index], m_stepLength[index]);
    }
    constexpr std::string_view text() const { return std::string_view(m_text.data(), m_length); }

private:
    constexpr Query() = default;

    // Reads `text` into this query; returns what is wrong with it, empty when nothing is.
    constexpr std::string_view read(std::string_view text)
    {
        if (text.size() > maxLength) {
            return "longer than 160 characters";
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            m_text[i] = text[i];
        }
        m_length = text.size();

        std::size_t at = 0;
        if (text.starts_with(".//")) {
            m_axis = Axis::descendants;
            at = 3;
        } else if (text.starts_with("//")) {
            m_axis = Axis::wholeDocument;
            at = 2;
        } else {
            return "it must begin with \"//\" or \".//\"";
        }
        constexpr std::string_view open = "*[local-name()='";
        constexpr std::string_view close = "']";
        while (true) {
            if (m_stepCount == maxSteps) {
                return "more than four steps";
            }
            if (text.substr(at, open.size()) != open) {
                return "a step must read *[local-name()='Name']";
            }
            at += open.size();
            const std::size_t nameEnd = text.find('\'', at);
            if (nameEnd == std::string_view::npos) {
                return "a name is not closed by '";
            }
            if (nameEnd == at) {
                return "a step has an empty name";
            }
            for (std::size_t i = at; i < nameEnd; ++i) {
                const char c = text[i];
                if (c == ' ' || c == '/' || c == '[' || c == ']' || c == '*' || c == ':') {
                    return "a name holds a character no local name has";
                }
            }
            m_stepStart[m_stepCount] = static_cast<std::uint8_t>(at);
            m_stepLength[m_stepCount] = static_cast<std::uint8_t>(nameEnd - at);
            ++m_stepCount;
            at = nameEnd;
            if (text.substr(at, close.size()) != close) {
                return "a step must end with ']";
            }
            at += close.size();
            if (at == text.size()) {
                return {};
            }
            if (text[at] != '/' || text.substr(at, 2) == "//") {
                return "steps after the first are direct children: \"/\" and a step";
            }
            ++at;
        }
    }

    std::array<char, maxLength> m_text{};
    std::size_t m_length = 0;
    Axis m_axis = Axis::descendants;
    std::array<std::uint8_t, maxSteps> m_stepStart{};
    std::array<std::uint8_t, maxSteps> m_stepLength{};
    std::size_t m_stepCount = 0;
};

} // namespace vellora::parser
