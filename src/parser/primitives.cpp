// SPDX-License-Identifier: MIT
#include "primitives.h"

#include "model/text.h"

namespace vellora::parser {

std::optional<XmlNode> firstElement(const XmlNode &context, const Query &query)
{
    return context.first(query);
}

std::vector<XmlNode> allElements(const XmlNode &context, const Query &query)
{
    return context.select(query);
}

std::string trimmedText(const XmlNode &element)
{
    // Trimmed in place: the text of an embedded attachment is large, and is copied out of
    // the tree once only.
    std::string text = element.textContent();
    const std::string_view kept = model::trimmed(text);
    const auto front = static_cast<std::size_t>(kept.data() - text.data());
    text.erase(front + kept.size());
    text.erase(0, front);
    return text;
}

std::optional<std::string> textValue(const XmlNode &context, const Query &query)
{
    const std::optional<XmlNode> element = firstElement(context, query);
    if (!element) {
        return std::nullopt;
    }
    return trimmedText(*element);
}

std::optional<model::Decimal> decimalValue(const XmlNode &context, const Query &query)
{
    const std::optional<std::string> text = textValue(context, query);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    return model::Decimal::parse(*text);
}

std::optional<model::Date> dateValue(const XmlNode &context, const Query &query)
{
    const std::optional<std::string> text = textValue(context, query);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    return model::Date::fromIsoText(*text);
}

std::optional<std::string> attributeValue(const XmlNode &context, const Query &query,
                                          std::string_view name)
{
    const std::optional<XmlNode> element = firstElement(context, query);
    if (!element) {
        return std::nullopt;
    }
    return element->attribute(name);
}

std::optional<bool> boolValue(const XmlNode &context, const Query &query)
{
    const std::optional<std::string> text = textValue(context, query);
    if (!text) {
        return std::nullopt;
    }
    const std::string lowered = model::lowerCased(*text);
    return lowered == "true" || lowered == "1";
}

} // namespace vellora::parser
