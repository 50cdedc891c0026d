// SPDX-License-Identifier: MIT
// Loading and parsing the XML fixtures of the extractor tests.
#pragma once

#include "parser/ublparser.h"
#include "parser/xmldocument.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>

namespace vellora::parser::testing {

// The text of tests/data/parser/<name>; fails the test when it cannot be read.
inline std::string readFixture(const std::string &name)
{
    std::ifstream file(std::string(VELLORA_TEST_DATA_DIR) + "/parser/" + name, std::ios::binary);
    if (!file) {
        ADD_FAILURE() << "cannot read fixture " << name;
        return {};
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The tree of `text`; an XML text that does not parse fails the test with an empty tree.
inline XmlDocument parseXml(std::string_view text)
{
    auto parsed = XmlDocument::parse(text);
    if (auto *reason = std::get_if<std::string>(&parsed)) {
        ADD_FAILURE() << "fixture does not parse: " << *reason;
        return std::get<XmlDocument>(XmlDocument::parse("<empty/>"));
    }
    return std::move(std::get<XmlDocument>(parsed));
}

// The model of a text that must be a valid document.
inline model::UBLDocumentInfo parseModel(std::string_view text)
{
    const model::UBLValidationResult result = UBLParser().parse(text);
    if (!result.isValid()) {
        ADD_FAILURE() << "invalid: " << *result.message();
        return {};
    }
    return *result.documentInfo();
}

} // namespace vellora::parser::testing
