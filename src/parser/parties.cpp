// SPDX-License-Identifier: MIT
#include "parties.h"

#include "primitives.h"

namespace vellora::parser {

using namespace model;

std::optional<UBLParty> extractParty(const XmlNode &context, const Query &path)
{
    const std::optional<XmlNode> party = firstElement(context, path);
    if (!party) {
        return std::nullopt;
    }
    UBLParty result;
    // The scheme comes from the same element as the identifier, so the two belong together.
    result.endpointID = textValue(*party, ".//*[local-name()='EndpointID']");
    result.endpointSchemeID = attributeValue(*party, ".//*[local-name()='EndpointID']", "schemeID");
    for (const XmlNode &name :
         allElements(*party, ".//*[local-name()='PartyName']/*[local-name()='Name']")) {
        result.partyNames.push_back(trimmedText(name));
    }
    result.postalAddress = extractAddress(*party);
    result.partyTaxScheme = extractPartyTaxScheme(*party);
    result.legalEntity = extractLegalEntity(*party);
    result.contact = extractContact(*party);
    return result;
}

std::optional<UBLAddress> extractAddress(const XmlNode &context)
{
    const std::optional<XmlNode> address =
        firstElement(context, ".//*[local-name()='PostalAddress']");
    if (!address) {
        return std::nullopt;
    }
    return UBLAddress{
        .streetName = textValue(*address, ".//*[local-name()='StreetName']"),
        .additionalStreetName = textValue(*address, ".//*[local-name()='AdditionalStreetName']"),
        .cityName = textValue(*address, ".//*[local-name()='CityName']"),
        .postalZone = textValue(*address, ".//*[local-name()='PostalZone']"),
        .countrySubentity = textValue(*address, ".//*[local-name()='CountrySubentity']"),
        .country = extractCountry(*address),
    };
}

std::optional<UBLCountry> extractCountry(const XmlNode &address)
{
    const std::optional<XmlNode> country = firstElement(address, ".//*[local-name()='Country']");
    if (!country) {
        return std::nullopt;
    }
    return UBLCountry{
        .identificationCode = textValue(*country, ".//*[local-name()='IdentificationCode']"),
        .name = textValue(*country, ".//*[local-name()='Name']"),
    };
}

std::optional<UBLPartyTaxScheme> extractPartyTaxScheme(const XmlNode &party)
{
    const std::optional<XmlNode> scheme =
        firstElement(party, ".//*[local-name()='PartyTaxScheme']");
    if (!scheme) {
        return std::nullopt;
    }
    return UBLPartyTaxScheme{
        .companyID = textValue(*scheme, ".//*[local-name()='CompanyID']"),
        .taxScheme = extractTaxScheme(*scheme),
    };
}

std::optional<UBLTaxScheme> extractTaxScheme(const XmlNode &context)
{
    const std::optional<XmlNode> scheme = firstElement(context, ".//*[local-name()='TaxScheme']");
    if (!scheme) {
        return std::nullopt;
    }
    return UBLTaxScheme{
        .id = textValue(*scheme, ".//*[local-name()='ID']"),
        .name = textValue(*scheme, ".//*[local-name()='Name']"),
    };
}

std::optional<UBLLegalEntity> extractLegalEntity(const XmlNode &party)
{
    const std::optional<XmlNode> entity =
        firstElement(party, ".//*[local-name()='PartyLegalEntity']");
    if (!entity) {
        return std::nullopt;
    }
    return UBLLegalEntity{
        .registrationName = textValue(*entity, ".//*[local-name()='RegistrationName']"),
        .companyID = textValue(*entity, ".//*[local-name()='CompanyID']"),
        .companyIDSchemeID = attributeValue(*entity, ".//*[local-name()='CompanyID']", "schemeID"),
        .companyLegalForm = textValue(*entity, ".//*[local-name()='CompanyLegalForm']"),
    };
}

std::optional<UBLContact> extractContact(const XmlNode &party)
{
    const std::optional<XmlNode> contact = firstElement(party, ".//*[local-name()='Contact']");
    if (!contact) {
        return std::nullopt;
    }
    return UBLContact{
        .name = textValue(*contact, ".//*[local-name()='Name']"),
        .telephone = textValue(*contact, ".//*[local-name()='Telephone']"),
        .electronicMail = textValue(*contact, ".//*[local-name()='ElectronicMail']"),
    };
}

} // namespace vellora::parser
