// SPDX-License-Identifier: MIT
#include "parser/primitives.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>

using namespace vellora::parser;

namespace {

// One document serves every row: each row names the element it reads.
constexpr const char *fixture = R"(<?xml version="1.0" encoding="UTF-8"?>
<Invoice xmlns="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2"
         xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2"
         xmlns:x="urn:example:other">
  <cbc:Blank>   7   </cbc:Blank>
  <cbc:Plain>12.50</cbc:Plain>
  <cbc:Comma>1,5</cbc:Comma>
  <cbc:German>1.234,56</cbc:German>
  <cbc:WithCurrency>12.50 EUR</cbc:WithCurrency>
  <cbc:CurrencyFirst>EUR 12.50</cbc:CurrencyFirst>
  <cbc:Letters>abc</cbc:Letters>
  <cbc:Empty></cbc:Empty>
  <cbc:OnlyWhite>
  </cbc:OnlyWhite>
  <cbc:Negative>-0.5</cbc:Negative>
  <cbc:Exponent>1e3</cbc:Exponent>
  <cbc:DateSpaced> 2024-03-01
</cbc:DateSpaced>
  <cbc:DateGerman>01.03.2024</cbc:DateGerman>
  <cbc:Mixed> first <x:Child>second</x:Child> third <!-- comment --><?pi data?>fourth </cbc:Mixed>
  <cbc:Entities>A &amp; B &#228; <![CDATA[<raw>]]></cbc:Entities>
  <cbc:Quantity unitCode=" HUR " x:unitCode="other">2.5</cbc:Quantity>
  <cbc:NoAttributes>x</cbc:NoAttributes>
  <cbc:BoolTrue>TRUE</cbc:BoolTrue>
  <cbc:BoolOne> 1 </cbc:BoolOne>
  <cbc:BoolFalse>false</cbc:BoolFalse>
  <cbc:BoolZero>0</cbc:BoolZero>
  <cbc:BoolYes>yes</cbc:BoolYes>
  <cbc:BoolEmpty/>
  <cbc:Repeated>first</cbc:Repeated>
  <x:Wrapper><cbc:Repeated>second</cbc:Repeated></x:Wrapper>
</Invoice>)";

XmlDocument parseFixture()
{
    auto parsed = XmlDocument::parse(fixture);
    return std::move(std::get<XmlDocument>(parsed));
}

// "//*[local-name()='<localName>']", compiled at run time; a name that makes no query fails
// the test.
Query path(const char *localName)
{
    auto compiled = Query::compile(std::string("//*[local-name()='") + localName + "']");
    if (const auto *problem = std::get_if<std::string>(&compiled)) {
        ADD_FAILURE() << *problem;
        return "//*[local-name()='NoSuchElement']";
    }
    return std::get<Query>(compiled);
}

struct TextCase
{
    const char *name;
    const char *element;
    std::optional<std::string> expected;
};

const TextCase textCases[] = {
    {"trims_both_ends", "Blank", "7"},
    {"missing_is_none", "Missing", std::nullopt},
    {"empty_element_is_empty_text", "Empty", ""},
    {"white_only_is_empty_text", "OnlyWhite", ""},
    {"child_text_concatenated_inner_kept", "Mixed", "first second third fourth"},
    {"entities_and_cdata_expanded", "Entities", "A & B \xc3\xa4 <raw>"},
    {"first_in_document_order", "Repeated", "first"},
};

class TextValue : public testing::TestWithParam<TextCase>
{};

TEST_P(TextValue, ReadsTheFirstMatch)
{
    const XmlDocument document = parseFixture();
    EXPECT_EQ(textValue(document.node(), path(GetParam().element)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Primitives, TextValue, testing::ValuesIn(textCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct DecimalCase
{
    const char *name;
    const char *element;
    std::optional<std::string> expected; // exact text form
};

const DecimalCase decimalCases[] = {
    {"blanks_around", "Blank", "7"},
    {"plain", "Plain", "12.50"},
    {"comma_stops", "Comma", "1"},
    {"german_grouping", "German", "1.234"},
    {"currency_after", "WithCurrency", "12.50"},
    {"currency_before_is_none", "CurrencyFirst", std::nullopt},
    {"letters_are_none", "Letters", std::nullopt},
    {"empty_is_none", "Empty", std::nullopt},
    {"missing_is_none", "Missing", std::nullopt},
    {"negative", "Negative", "-0.5"},
    {"exponent", "Exponent", "1E+3"},
};

class DecimalValue : public testing::TestWithParam<DecimalCase>
{};

TEST_P(DecimalValue, ReadsTheLeadingNumber)
{
    const XmlDocument document = parseFixture();
    const auto value = decimalValue(document.node(), path(GetParam().element));
    if (!GetParam().expected) {
        EXPECT_FALSE(value.has_value());
        return;
    }
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->toString(), *GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Primitives, DecimalValue, testing::ValuesIn(decimalCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DateValue, TrimsThenReadsAFullDate)
{
    const XmlDocument document = parseFixture();
    const auto date = dateValue(document.node(), path("DateSpaced"));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->toIsoString(), "2024-03-01");
    EXPECT_EQ(date->secondsSinceEpoch(), 1709251200);
    EXPECT_FALSE(dateValue(document.node(), path("DateGerman")));
    EXPECT_FALSE(dateValue(document.node(), path("Empty")));
    EXPECT_FALSE(dateValue(document.node(), path("Missing")));
}

TEST(AttributeValue, IsTakenAsWrittenByLocalName)
{
    const XmlDocument document = parseFixture();
    const XmlNode root = document.node();
    // Not trimmed; the first attribute with the local name wins, whatever its namespace.
    EXPECT_EQ(attributeValue(root, path("Quantity"), "unitCode"), " HUR ");
    EXPECT_EQ(attributeValue(root, path("NoAttributes"), "unitCode"), std::nullopt);
    EXPECT_EQ(attributeValue(root, path("Missing"), "unitCode"), std::nullopt);
}

struct BoolCase
{
    const char *name;
    const char *element;
    std::optional<bool> expected;
};

const BoolCase boolCases[] = {
    {"upper_case_true", "BoolTrue", true},        {"one_with_blanks", "BoolOne", true},
    {"false_text", "BoolFalse", false},           {"zero", "BoolZero", false},
    {"yes_is_false", "BoolYes", false},           {"empty_is_false", "BoolEmpty", false},
    {"missing_is_none", "Missing", std::nullopt},
};

class BoolValue : public testing::TestWithParam<BoolCase>
{};

TEST_P(BoolValue, TrueOnlyForTrueOrOne)
{
    const XmlDocument document = parseFixture();
    EXPECT_EQ(boolValue(document.node(), path(GetParam().element)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Primitives, BoolValue, testing::ValuesIn(boolCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ElementQueries, DescendantSearchExcludesTheContextAndKeepsDocumentOrder)
{
    const XmlDocument document = parseFixture();
    const auto repeated = allElements(document.node(), path("Repeated"));
    ASSERT_EQ(repeated.size(), 2u);
    EXPECT_EQ(repeated[0].textContent(), "first");
    EXPECT_EQ(repeated[1].textContent(), "second");

    const auto wrapper = firstElement(document.node(), path("Wrapper"));
    ASSERT_TRUE(wrapper);
    // ".//" searches below the context at any depth, never the context itself.
    EXPECT_EQ(textValue(*wrapper, ".//*[local-name()='Repeated']"), "second");
    EXPECT_TRUE(allElements(*wrapper, ".//*[local-name()='Wrapper']").empty());
    EXPECT_TRUE(allElements(document.node(), path("Nothing")).empty());
    EXPECT_FALSE(firstElement(document.node(), path("Nothing")));
}

} // namespace
