// SPDX-License-Identifier: MIT
// Parties with their addresses, tax schemes, legal entities and contacts.
//
// Every field is the first match below its context, so when the usual child is missing a
// deeper element of the same name is taken: a party without its own PostalAddress takes
// one of a nested party, and partyNames collects the names of every PartyName below it.
#pragma once

#include "model/ublparty.h"
#include "xmldocument.h"

#include <optional>
#include <string_view>

namespace vellora::parser {

// The party at the first match of `path` in `context`; nullopt when there is none. A party
// is present as soon as its element exists, even with every field missing.
std::optional<model::UBLParty> extractParty(const XmlNode &context, const Query &path);

// The first PostalAddress below a party or delivery element.
std::optional<model::UBLAddress> extractAddress(const XmlNode &context);

// The first Country below an address element.
std::optional<model::UBLCountry> extractCountry(const XmlNode &address);

// The first PartyTaxScheme below a party element; a second one (a tax number after the VAT
// registration) is not read.
std::optional<model::UBLPartyTaxScheme> extractPartyTaxScheme(const XmlNode &party);

// The first TaxScheme below a party tax scheme or tax category element.
std::optional<model::UBLTaxScheme> extractTaxScheme(const XmlNode &context);

// The first PartyLegalEntity below a party element.
std::optional<model::UBLLegalEntity> extractLegalEntity(const XmlNode &party);

// The first Contact below a party element.
std::optional<model::UBLContact> extractContact(const XmlNode &party);

} // namespace vellora::parser
