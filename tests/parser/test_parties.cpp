// SPDX-License-Identifier: MIT
#include "parser/parties.h"
#include "parserfixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace vellora::model;
using namespace vellora::parser;
using namespace vellora::parser::testing;

namespace {

const UBLDocumentInfo &partiesModel()
{
    static const UBLDocumentInfo info = parseModel(readFixture("parties.xml"));
    return info;
}

// parties.xml: a complete supplier, and a customer whose own fields are mostly missing so
// that the descendant queries reach into its nested agent party.
const FieldCase partyCases[] = {
    {"endpoint_id_trimmed", FIELD(d.supplierParty.value().endpointID), "4012345000009"},
    {"endpoint_scheme_0088", FIELD(d.supplierParty.value().endpointSchemeID), "0088"},
    {"two_party_names_count", FIELD(d.supplierParty.value().partyNames.size()), "2"},
    {"first_party_name", FIELD(d.supplierParty.value().partyNames.at(0)), "Muster GmbH"},
    {"second_party_name_trimmed", FIELD(d.supplierParty.value().partyNames.at(1)), "Muster Handel"},
    {"street", FIELD(d.supplierParty.value().postalAddress.value().streetName), "Hauptstraße 1"},
    {"additional_street", FIELD(d.supplierParty.value().postalAddress.value().additionalStreetName),
     "Hinterhaus"},
    {"city", FIELD(d.supplierParty.value().postalAddress.value().cityName), "Berlin"},
    {"postal_zone", FIELD(d.supplierParty.value().postalAddress.value().postalZone), "10115"},
    {"country_subentity", FIELD(d.supplierParty.value().postalAddress.value().countrySubentity),
     "Berlin (BE)"},
    {"country_code",
     FIELD(d.supplierParty.value().postalAddress.value().country.value().identificationCode), "DE"},
    {"country_name", FIELD(d.supplierParty.value().postalAddress.value().country.value().name),
     "Deutschland"},
    {"first_party_tax_scheme_only", FIELD(d.supplierParty.value().partyTaxScheme.value().companyID),
     "DE123456789"},
    {"tax_scheme_id", FIELD(d.supplierParty.value().partyTaxScheme.value().taxScheme.value().id),
     "VAT"},
    {"tax_scheme_name",
     FIELD(d.supplierParty.value().partyTaxScheme.value().taxScheme.value().name), "Umsatzsteuer"},
    {"registration_name", FIELD(d.supplierParty.value().legalEntity.value().registrationName),
     "Muster Gesellschaft mbH"},
    {"legal_company_id", FIELD(d.supplierParty.value().legalEntity.value().companyID), "HRB 12345"},
    {"legal_scheme_untrimmed", FIELD(d.supplierParty.value().legalEntity.value().companyIDSchemeID),
     " 0204 "},
    {"legal_form", FIELD(d.supplierParty.value().legalEntity.value().companyLegalForm),
     "GmbH, Amtsgericht Berlin"},
    {"contact_name", FIELD(d.supplierParty.value().contact.value().name), "Erika Muster"},
    {"contact_telephone", FIELD(d.supplierParty.value().contact.value().telephone),
     "+49 30 1234567"},
    {"contact_mail", FIELD(d.supplierParty.value().contact.value().electronicMail),
     "erika@example.com"},

    {"customer_endpoint", FIELD(d.customerParty.value().endpointID), "buyer@example.com"},
    {"customer_scheme_of_same_element", FIELD(d.customerParty.value().endpointSchemeID),
     std::nullopt},
    {"customer_names_include_nested", FIELD(d.customerParty.value().partyNames.size()), "2"},
    {"customer_empty_name_kept", FIELD(d.customerParty.value().partyNames.at(0)), ""},
    {"customer_nested_agent_name", FIELD(d.customerParty.value().partyNames.at(1)), "Agent AG"},
    {"customer_address_from_nested_party",
     FIELD(d.customerParty.value().postalAddress.value().cityName), "Wien"},
    {"customer_address_without_street",
     FIELD(d.customerParty.value().postalAddress.value().streetName), std::nullopt},
    {"customer_address_without_country",
     FIELD(presence(d.customerParty.value().postalAddress.value().country)), std::nullopt},
    {"customer_tax_scheme_company", FIELD(d.customerParty.value().partyTaxScheme.value().companyID),
     "ATU12345678"},
    {"customer_tax_scheme_without_scheme",
     FIELD(presence(d.customerParty.value().partyTaxScheme.value().taxScheme)), std::nullopt},
    {"customer_legal_entity_from_nested",
     FIELD(d.customerParty.value().legalEntity.value().companyID), "FN 1234"},
    {"customer_legal_scheme_absent",
     FIELD(d.customerParty.value().legalEntity.value().companyIDSchemeID), std::nullopt},
    {"customer_legal_registration_absent",
     FIELD(d.customerParty.value().legalEntity.value().registrationName), std::nullopt},
    {"customer_contact_absent", FIELD(presence(d.customerParty.value().contact)), std::nullopt},
};

class PartyFields : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(PartyFields, ReadsTheField)
{
    EXPECT_EQ(GetParam().field(partiesModel()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, PartyFields, ::testing::ValuesIn(partyCases), fieldCaseName);

// Whether a party is there, by where its Party element stands.
struct PresenceCase
{
    const char *name;
    const char *xml;
    bool supplier;
    bool customer;
};

const PresenceCase presenceCases[] = {
    {"direct_children",
     "<Invoice><AccountingSupplierParty><Party/></AccountingSupplierParty>"
     "<AccountingCustomerParty><Party/></AccountingCustomerParty></Invoice>",
     true, true},
    {"wrapped_party_is_not_read",
     "<Invoice><AccountingSupplierParty><Wrapper><Party><PartyName><Name>S</Name></PartyName>"
     "</Party></Wrapper></AccountingSupplierParty>"
     "<AccountingCustomerParty><Party/></AccountingCustomerParty></Invoice>",
     false, true},
    {"role_element_anywhere",
     "<Envelope><Body><AccountingSupplierParty><Party/></AccountingSupplierParty></Body>"
     "<Invoice/></Envelope>",
     true, false},
    {"first_role_element_only",
     "<Invoice><AccountingSupplierParty/><AccountingSupplierParty><Party/>"
     "</AccountingSupplierParty></Invoice>",
     true, false},
    {"no_roles", "<Invoice><Party/></Invoice>", false, false},
};

class PartyPresence : public ::testing::TestWithParam<PresenceCase>
{};

TEST_P(PartyPresence, FollowsThePartyElement)
{
    const UBLDocumentInfo info = parseModel(GetParam().xml);
    EXPECT_EQ(info.supplierParty.has_value(), GetParam().supplier);
    EXPECT_EQ(info.customerParty.has_value(), GetParam().customer);
}

INSTANTIATE_TEST_SUITE_P(Cases, PartyPresence, ::testing::ValuesIn(presenceCases),
                         [](const ::testing::TestParamInfo<PresenceCase> &info) {
                             return std::string(info.param.name);
                         });

TEST(Party, EmptyPartyElementHasEveryFieldNone)
{
    const UBLDocumentInfo info = parseModel(
        "<Invoice><AccountingSupplierParty><Party/></AccountingSupplierParty></Invoice>");
    ASSERT_TRUE(info.supplierParty);
    EXPECT_EQ(*info.supplierParty, UBLParty{});
}

TEST(Party, ExtractorsReadRelativeToTheirContext)
{
    // Called directly, each extractor reads below the element it is given and nothing else.
    const XmlDocument document = parseXml(R"(<Root>
  <Country><Name>Outside</Name></Country>
  <Holder><PostalAddress><CityName>In</CityName>
    <Country><IdentificationCode>AT</IdentificationCode></Country></PostalAddress>
    <TaxScheme><ID>VAT</ID></TaxScheme></Holder>
</Root>)");
    const std::vector<XmlNode> holders = document.node().select("//*[local-name()='Holder']");
    ASSERT_EQ(holders.size(), 1U);
    const std::optional<UBLAddress> address = extractAddress(holders[0]);
    ASSERT_TRUE(address);
    EXPECT_EQ(address->cityName, "In");
    ASSERT_TRUE(address->country);
    EXPECT_EQ(address->country->identificationCode, "AT");
    EXPECT_EQ(address->country->name, std::nullopt); // the earlier Country is not below
    EXPECT_EQ(extractTaxScheme(holders[0]), (UBLTaxScheme{"VAT", std::nullopt}));
    EXPECT_EQ(extractContact(holders[0]), std::nullopt);
    EXPECT_EQ(extractParty(holders[0], ".//*[local-name()='Party']"), std::nullopt);
}

} // namespace
