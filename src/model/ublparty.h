// SPDX-License-Identifier: MIT
// Parties and their addresses, tax schemes, legal entities and contacts.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vellora::model {

struct UBLCountry
{
    std::optional<std::string> identificationCode;
    std::optional<std::string> name;

    bool operator==(const UBLCountry &) const = default;
};

struct UBLAddress
{
    std::optional<std::string> streetName;
    std::optional<std::string> additionalStreetName;
    std::optional<std::string> cityName;
    std::optional<std::string> postalZone;
    std::optional<std::string> countrySubentity;
    std::optional<UBLCountry> country;

    bool operator==(const UBLAddress &) const = default;
};

struct UBLTaxScheme
{
    std::optional<std::string> id;
    std::optional<std::string> name;

    bool operator==(const UBLTaxScheme &) const = default;
};

struct UBLPartyTaxScheme
{
    std::optional<std::string> companyID; // the VAT identifier
    std::optional<UBLTaxScheme> taxScheme;

    bool operator==(const UBLPartyTaxScheme &) const = default;
};

struct UBLLegalEntity
{
    std::optional<std::string> registrationName;
    std::optional<std::string> companyID;
    std::optional<std::string> companyIDSchemeID; // the schemeID of the same CompanyID
    std::optional<std::string> companyLegalForm;

    bool operator==(const UBLLegalEntity &) const = default;
};

struct UBLContact
{
    std::optional<std::string> name;
    std::optional<std::string> telephone;
    std::optional<std::string> electronicMail;

    bool operator==(const UBLContact &) const = default;
};

struct UBLParty
{
    std::optional<std::string> endpointID;
    std::optional<std::string> endpointSchemeID; // the schemeID of the same EndpointID
    std::vector<std::string> partyNames;         // every party name, in document order
    std::optional<UBLAddress> postalAddress;
    std::optional<UBLPartyTaxScheme> partyTaxScheme;
    std::optional<UBLLegalEntity> legalEntity;
    std::optional<UBLContact> contact;

    bool operator==(const UBLParty &) const = default;
};

} // namespace vellora::model
