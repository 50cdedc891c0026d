// SPDX-License-Identifier: MIT
// The value readers every extractor is built on. Each takes a context (the document node or
// an element) and a query whose steps match elements by local name only (see Query):
// "//*[local-name()='ID']" searches the whole document, ".//*[local-name()='ID']" the
// descendants of the context at any depth. "First match" is the first node in document
// order, which may lie deeper than the usual child when that child is missing.
#pragma once

#include "xmldocument.h"

#include "model/date.h"
#include "model/decimal.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellora::parser {

std::optional<XmlNode> firstElement(const XmlNode &context, const Query &query);
std::vector<XmlNode> allElements(const XmlNode &context, const Query &query);

// The text content of `element`, trimmed of white space and line breaks at both ends.
std::string trimmedText(const XmlNode &element);

// The trimmed text content of the first match; nullopt when nothing matches. An element
// holding nothing or only white space gives the empty text.
std::optional<std::string> textValue(const XmlNode &context, const Query &query);

// The number at the start of textValue ("12.50 EUR" is 12.50, "1,5" is 1, "EUR 12" is
// nullopt), held exactly. nullopt when there is no match, the text is empty or starts with
// no number.
std::optional<model::Decimal> decimalValue(const XmlNode &context, const Query &query);

// textValue read as an ISO 8601 full date (2024-03-01) at 00:00 UTC; nullopt otherwise.
std::optional<model::Date> dateValue(const XmlNode &context, const Query &query);

// The attribute with local name `name` on the first match, as written (not trimmed).
// nullopt when nothing matches or the element has no such attribute.
std::optional<std::string> attributeValue(const XmlNode &context, const Query &query,
                                          std::string_view name);

// nullopt when nothing matches; otherwise true exactly when the trimmed, lower-cased text
// content is "true" or "1" (so "TRUE" is true; "yes", "0" and "" are false).
std::optional<bool> boolValue(const XmlNode &context, const Query &query);

} // namespace vellora::parser
