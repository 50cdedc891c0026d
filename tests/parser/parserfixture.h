// SPDX-License-Identifier: MIT
// Loading and parsing the XML fixtures of the extractor tests.
#pragma once

#include "parser/ublparser.h"
#include "parser/xmldocument.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
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

// One value of the model as text, so that a table can hold every kind of field: texts as
// they are, decimals in their exact notation ("12.50"), dates as "YYYY-MM-DD", truth values
// as "true"/"false"; nullopt for none.
using Shown = std::optional<std::string>;

inline Shown show(const std::optional<std::string> &value)
{
    return value;
}
inline Shown show(const std::string &value)
{
    return value;
}
inline Shown show(const std::optional<model::Decimal> &value)
{
    return value ? Shown(value->toString()) : std::nullopt;
}
inline Shown show(const std::optional<model::Date> &value)
{
    return value ? Shown(value->toIsoString()) : std::nullopt;
}
inline Shown show(const std::optional<bool> &value)
{
    return value ? Shown(*value ? "true" : "false") : std::nullopt;
}
inline Shown show(std::size_t count)
{
    return std::to_string(count);
}
// "present" for a record that is there, nullopt for none.
template <typename Record>
Shown presence(const std::optional<Record> &record)
{
    return record ? Shown("present") : std::nullopt;
}

// A row of a field table: the case name, how to reach the field from the model (a missing
// record on the way throws std::bad_optional_access, which fails the row), and the value
// expected.
struct FieldCase
{
    const char *name;
    std::function<Shown(const model::UBLDocumentInfo &)> field;
    Shown expected;
};

// The accessor of a FieldCase: FIELD(d.supplierParty.value().endpointID).
#define FIELD(expression)                                                                          \
    [](const ::vellora::model::UBLDocumentInfo &d) -> ::vellora::parser::testing::Shown {          \
        return ::vellora::parser::testing::show(expression);                                       \
    }

// A failing row names itself instead of dumping its bytes.
inline void PrintTo(const FieldCase &fieldCase, std::ostream *out)
{
    *out << fieldCase.name;
}

inline std::string fieldCaseName(const ::testing::TestParamInfo<FieldCase> &info)
{
    return info.param.name;
}

} // namespace vellora::parser::testing
