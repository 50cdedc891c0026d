// SPDX-License-Identifier: MIT
#include "primitives.h"

#include "model/text.h"

namespace vellora::parser {

std::optional<XmlNode> firstElement(const XmlNode &context, std::string_view xpath)
{
    std::vector<XmlNode> matches = context.select(xpath);
    if (matches.empty()) {
        return std::nullopt;
    }
    return matches.front();
}

std::vector<XmlNode> allElements(const XmlNode &context, std::string_view xpath)
{
    return context.select(xpath);
}

std::string trimmedText(const XmlNode &element)
{
    return std::string(model::trimmed(element.textContent()));
}

std::optional<std::string> textValue(const XmlNode &context, std::string_view xpath)
{
    const std::optional<XmlNode> element = firstElement(context, xpath);
    if (!element) {
        return std::nullopt;
    }
    return trimmedText(*element);
}

std::optional<model::Decimal> decimalValue(const XmlNode &context, std::string_view xpath)
{
    const std::optional<std::string> text = textValue(context, xpath);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    return model::Decimal::parse(*text);
}

std::optional<model::Date> dateValue(const XmlNode &context, std::string_view xpath)
{
    const std::optional<std::string> text = textValue(context, xpath);
    if (!text || text->empty()) {
        return std::nullopt;
    }
    return model::Date::fromIsoText(*text);
}

std::optional<std::string> attributeValue(const XmlNode &context, std::string_view xpath,
                                          std::string_view name)
{
    const std::optional<XmlNode> element = firstElement(context, xpath);
    if (!element) {
        return std::nullopt;
    }
    return element->attribute(name);
}

std::optional<bool> boolValue(const XmlNode &context, std::string_view xpath)
{
    const std::optional<std::string> text = textValue(context, xpath);
    if (!text) {
        return std::nullopt;
    }
    const std::string lowered = model::lowerCased(*text);
    return lowered == "true" || lowered == "1";
}

} // namespace vellora::parser
