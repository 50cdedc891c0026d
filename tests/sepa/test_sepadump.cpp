// SPDX-License-Identifier: MIT
// The "sepa" object of vellora-dump, read from files the way the viewer reads them.
#include "cli/dumpjson.h"
#include "parser/velloradocument.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

using vellora::cli::documentJson;
using vellora::cli::Json;
using vellora::parser::VelloraDocument;

Json dumpOfBytes(std::string bytes)
{
    auto read = VelloraDocument::fromBytes(std::move(bytes));
    EXPECT_TRUE(std::holds_alternative<VelloraDocument>(read));
    return documentJson(std::get<VelloraDocument>(read));
}

std::string fixtureText()
{
    auto bytes = vellora::parser::readFileBytes(VELLORA_TEST_DATA_DIR "/sepa-invoice.xml");
    EXPECT_TRUE(std::holds_alternative<std::string>(bytes));
    return std::get<std::string>(bytes);
}

using Replacements = std::vector<std::pair<std::string, std::string>>;

// The fixture with the first occurrence of each text replaced.
std::string fixtureWith(const Replacements &replacements)
{
    std::string text = fixtureText();
    for (const auto &[from, to] : replacements) {
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

TEST(SepaDump, FixtureInvoiceGivesTheExactPayload)
{
    auto read = VelloraDocument::fromFile(VELLORA_TEST_DATA_DIR "/sepa-invoice.xml");
    ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read));
    const Json json = documentJson(std::get<VelloraDocument>(read));
    ASSERT_EQ(json["validation"], "valid");
    const Json &sepa = json["sepa"];
    ASSERT_TRUE(sepa.is_object()) << json.dump(2);

    std::vector<std::string> keys;
    for (const auto &item : sepa.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys,
              (std::vector<std::string>{"serviceTag", "version", "characterSet", "identification",
                                        "bic", "beneficiaryName", "beneficiaryAccount", "amount",
                                        "purpose", "remittanceReference", "remittanceText",
                                        "beneficiaryToOriginatorInfo", "payload"}));

    // The first payment means only; the BIC as written; the name not shortened; the
    // IBAN without blanks and upper-cased; 1190.005 is a double just above the half cent.
    const std::string payload = "BCD\n002\n1\nSCT\n"
                                "coba de ff xxx\n"
                                "M\xc3\xbcller & S\xc3\xb6hne B\xc3\xbcroausstattung GmbH\n"
                                "DE89370400440532013000\n"
                                "EUR1190.01\n"
                                "\n"
                                "\n"
                                "Kundennummer 4711 Invoice: RE-2024-0815\n";
    const Json expected = {
        {"serviceTag", "BCD"},
        {"version", "002"},
        {"characterSet", "1"},
        {"identification", "SCT"},
        {"bic", "coba de ff xxx"},
        {"beneficiaryName", "M\xc3\xbcller & S\xc3\xb6hne B\xc3\xbcroausstattung GmbH"},
        {"beneficiaryAccount", "DE89370400440532013000"},
        {"amount", "EUR1190.01"},
        {"purpose", nullptr},
        {"remittanceReference", nullptr},
        {"remittanceText", "Kundennummer 4711 Invoice: RE-2024-0815"},
        {"beneficiaryToOriginatorInfo", nullptr},
        {"payload", payload},
    };
    EXPECT_EQ(sepa, expected) << sepa.dump(2);
}

TEST(SepaDump, CreditorReferenceStandsAloneInLine10)
{
    const Json json = dumpOfBytes(fixtureWith({{"Kundennummer 4711", "RF18539007547034"}}));
    EXPECT_EQ(json["sepa"]["remittanceReference"], "RF18539007547034");
    EXPECT_TRUE(json["sepa"]["remittanceText"].is_null());
    EXPECT_EQ(json["sepa"]["payload"],
              "BCD\n002\n1\nSCT\ncoba de ff xxx\n"
              "M\xc3\xbcller & S\xc3\xb6hne B\xc3\xbcroausstattung GmbH\n"
              "DE89370400440532013000\nEUR1190.01\n\nRF18539007547034\n\n");
}

struct NoPaymentCase
{
    const char *name;
    Replacements replacements;
};

void PrintTo(const NoPaymentCase &c, std::ostream *os)
{
    *os << c.name;
}

const std::string invoiceStart =
    "<Invoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\"";

const NoPaymentCase noPaymentCases[] = {
    {"credit_note",
     {{invoiceStart,
       "<CreditNote xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2\""},
      {"</Invoice>", "</CreditNote>"}}},
    {"dollars", {{"<cbc:DocumentCurrencyCode>EUR", "<cbc:DocumentCurrencyCode>USD"}}},
    {"nothing_to_pay", {{">1190.005<", ">0.00<"}}},
    // The second payment means has a complete account, but only the first one counts.
    {"first_means_without_account",
     {{"    <cac:PayeeFinancialAccount>\n"
       "      <cbc:ID> de89 3704 0044 0532 0130 00 </cbc:ID>\n"
       "      <cbc:Name>M\xc3\xbcller &amp; S\xc3\xb6hne</cbc:Name>\n"
       "      <cac:FinancialInstitutionBranch>\n"
       "        <cbc:ID>coba de ff xxx</cbc:ID>\n"
       "      </cac:FinancialInstitutionBranch>\n"
       "    </cac:PayeeFinancialAccount>\n",
       ""}}},
    {"not_ubl", {{"<Invoice xmlns", "<Order xmlns"}, {"</Invoice>", "</Order>"}}},
};

class SepaDumpNone : public testing::TestWithParam<NoPaymentCase>
{};

TEST_P(SepaDumpNone, SepaIsNull)
{
    const Json json = dumpOfBytes(fixtureWith(GetParam().replacements));
    ASSERT_TRUE(json.contains("sepa"));
    EXPECT_TRUE(json["sepa"].is_null()) << json["sepa"].dump(2);
}

INSTANTIATE_TEST_SUITE_P(Documents, SepaDumpNone, testing::ValuesIn(noPaymentCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
