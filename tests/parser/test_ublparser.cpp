// SPDX-License-Identifier: MIT
#include "parser/ublparser.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace vellora::model;
using vellora::parser::UBLParser;

namespace {

const UBLDocumentInfo &validInfo(const UBLValidationResult &result)
{
    if (!result.isValid()) {
        ADD_FAILURE() << "invalid: " << *result.message();
        static const UBLDocumentInfo empty;
        return empty;
    }
    return *result.documentInfo();
}

TEST(UBLParser, EmptyInvoiceElementHasTheDefaults)
{
    const UBLValidationResult result = UBLParser().parse("<Invoice/>");
    const UBLDocumentInfo &info = validInfo(result);
    EXPECT_EQ(info.documentType, UBLDocumentType::invoice);
    EXPECT_EQ(info.documentID, "Unknown");
    EXPECT_EQ(info.currency, "Unknown");
    EXPECT_EQ(info.ublVersion, "Unknown");
    EXPECT_FALSE(info.issueDate);
    UBLDocumentInfo expected;
    expected.documentType = UBLDocumentType::invoice;
    expected.documentID = expected.currency = expected.ublVersion = "Unknown";
    EXPECT_EQ(info, expected); // every optional none, every list empty
}

constexpr const char *namespacedInvoice = R"(<?xml version="1.0" encoding="UTF-8"?>
<Invoice xmlns="urn:oasis:names:specification:ubl:schema:xsd:Invoice-2"
  xmlns:cac="urn:oasis:names:specification:ubl:schema:xsd:CommonAggregateComponents-2"
  xmlns:cbc="urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2">
  <cbc:UBLVersionID>2.1</cbc:UBLVersionID>
  <cbc:ID> INV-7 </cbc:ID>
  <cbc:IssueDate>2024-03-01</cbc:IssueDate>
  <cbc:DocumentCurrencyCode>EUR</cbc:DocumentCurrencyCode>
  <cac:BillingReference><cac:InvoiceDocumentReference>
    <cbc:ID>OLD-1</cbc:ID><cbc:IssueDate>2023-12-01</cbc:IssueDate>
  </cac:InvoiceDocumentReference></cac:BillingReference>
</Invoice>)";

constexpr const char *plainInvoice = R"(<Invoice>
  <UBLVersionID>2.1</UBLVersionID>
  <ID> INV-7 </ID>
  <IssueDate>2024-03-01</IssueDate>
  <DocumentCurrencyCode>EUR</DocumentCurrencyCode>
  <BillingReference><InvoiceDocumentReference>
    <ID>OLD-1</ID><IssueDate>2023-12-01</IssueDate>
  </InvoiceDocumentReference></BillingReference>
</Invoice>)";

TEST(UBLParser, ReadsTheHeaderFields)
{
    const UBLValidationResult result = UBLParser().parse(namespacedInvoice);
    const UBLDocumentInfo &info = validInfo(result);
    EXPECT_EQ(info.documentID, "INV-7");
    EXPECT_EQ(info.issueDate, Date::fromYearMonthDay(2024, 3, 1));
    EXPECT_EQ(info.currency, "EUR");
    EXPECT_EQ(info.ublVersion, "2.1");
}

TEST(UBLParser, NoNamespaceReadsExactlyLikeNamespaced)
{
    const UBLValidationResult plain = UBLParser().parse(plainInvoice);
    const UBLValidationResult namespaced = UBLParser().parse(namespacedInvoice);
    EXPECT_EQ(validInfo(plain), validInfo(namespaced));
}

struct HeaderCase
{
    const char *name;
    const char *xml;
    UBLDocumentType type;
    std::string documentID;
    std::optional<std::string> issueDate;
    std::string currency;
};

const HeaderCase headerCases[] = {
    {"no_id_is_unknown", "<Invoice><IssueDate>2024-01-15</IssueDate></Invoice>",
     UBLDocumentType::invoice, "Unknown", "2024-01-15", "Unknown"},
    {"empty_first_id_is_empty", "<Invoice><ID/><ID>X</ID></Invoice>", UBLDocumentType::invoice, "",
     std::nullopt, "Unknown"},
    {"german_issue_date_is_none",
     "<Invoice><ID>A</ID><IssueDate>15.01.2024</IssueDate>"
     "<DocumentCurrencyCode>EUR</DocumentCurrencyCode></Invoice>",
     UBLDocumentType::invoice, "A", std::nullopt, "EUR"},
    {"earlier_extension_id_wins",
     "<Invoice><UBLExtensions><UBLExtension><ID>EXT-1</ID></UBLExtension></UBLExtensions>"
     "<ID>INV-1</ID></Invoice>",
     UBLDocumentType::invoice, "EXT-1", std::nullopt, "Unknown"},
    {"envelope_around_invoice",
     "<Envelope><Header><Sender>s</Sender></Header><Body><Invoice><ID>E-1</ID></Invoice>"
     "</Body></Envelope>",
     UBLDocumentType::invoice, "E-1", std::nullopt, "Unknown"},
    {"credit_note", "<CreditNote><ID>CN-1</ID></CreditNote>", UBLDocumentType::creditNote, "CN-1",
     std::nullopt, "Unknown"},
    {"both_kinds_invoice_wins", "<CreditNote><ID>B-1</ID><Invoice/></CreditNote>",
     UBLDocumentType::invoice, "B-1", std::nullopt, "Unknown"},
    {"repaired_unclosed_tags", "<Invoice><ID>R-1</ID><IssueDate>2024-02-02</IssueDate>",
     UBLDocumentType::invoice, "R-1", "2024-02-02", "Unknown"},
    {"stray_text_after_root", "<Invoice><ID>S-1</ID></Invoice> trailing junk <",
     UBLDocumentType::invoice, "S-1", std::nullopt, "Unknown"},
};

class HeaderFields : public testing::TestWithParam<HeaderCase>
{};

TEST_P(HeaderFields, FirstMatchInDocumentOrder)
{
    const HeaderCase &c = GetParam();
    const UBLValidationResult result = UBLParser().parse(c.xml);
    const UBLDocumentInfo &info = validInfo(result);
    EXPECT_EQ(info.documentType, c.type);
    EXPECT_EQ(info.documentID, c.documentID);
    EXPECT_EQ(info.issueDate ? std::optional(info.issueDate->toIsoString()) : std::nullopt,
              c.issueDate);
    EXPECT_EQ(info.currency, c.currency);
}

INSTANTIATE_TEST_SUITE_P(UBLParser, HeaderFields, testing::ValuesIn(headerCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct FailureCase
{
    const char *name;
    const char *text;
    UBLValidationResult::Invalid::Kind kind;
    const char *messagePrefix;
};

constexpr auto notXml = UBLValidationResult::Invalid::Kind::notXml;
constexpr auto noDocument = UBLValidationResult::Invalid::Kind::noInvoiceOrCreditNote;

const FailureCase failureCases[] = {
    {"empty_text", "", notXml, "Failed to parse XML: "},
    {"white_space_only", " \n\t ", notXml, "Failed to parse XML: "},
    {"not_xml", "Hello, world!", notXml, "Failed to parse XML: "},
    {"byte_order_mark_only", "\xef\xbb\xbf", notXml, "Failed to parse XML: "},
    {"no_invoice_element", "<Order><ID>1</ID></Order>", noDocument,
     "Invalid UBL document: Root element must be 'Invoice' or 'CreditNote'"},
    {"lower_case_invoice", "<invoice/>", noDocument,
     "Invalid UBL document: Root element must be 'Invoice' or 'CreditNote'"},
    {"invoice_only_as_attribute", "<Doc Invoice=\"1\"/>", noDocument,
     "Invalid UBL document: Root element must be 'Invoice' or 'CreditNote'"},
    // An undeclared prefix is not namespace-well-formed: the XML layer keeps "ubl:Invoice"
    // whole as the local name, so no Invoice element is found.
    {"undeclared_prefix", "<ubl:Invoice><cbc:ID>N</cbc:ID></ubl:Invoice>", noDocument,
     "Invalid UBL document: Root element must be 'Invoice' or 'CreditNote'"},
};

class ParseFailures : public testing::TestWithParam<FailureCase>
{};

TEST_P(ParseFailures, GiveTheInvalidOutcome)
{
    const FailureCase &c = GetParam();
    const UBLValidationResult result = UBLParser().parse(c.text);
    ASSERT_FALSE(result.isValid());
    ASSERT_NE(result.failure(), nullptr);
    EXPECT_EQ(result.failure()->kind, c.kind);
    const std::string &message = *result.message();
    EXPECT_EQ(message.rfind(c.messagePrefix, 0), 0u) << message;
    if (std::string(c.messagePrefix) == "Failed to parse XML: ") {
        EXPECT_GT(message.size(), std::string(c.messagePrefix).size())
            << "the XML layer's description is missing";
    } else {
        EXPECT_EQ(message, c.messagePrefix);
    }
}

INSTANTIATE_TEST_SUITE_P(UBLParser, ParseFailures, testing::ValuesIn(failureCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Namespaces are not checked: every document with an Invoice or CreditNote element in any
// namespace, or in none, is read.
struct NamespaceCase
{
    const char *name;
    const char *xml;
};

const NamespaceCase namespaceCases[] = {
    {"ubl_default_namespace",
     "<Invoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\"><ID>N</ID>"
     "</Invoice>"},
    {"no_namespace_at_all", "<Invoice><ID>N</ID></Invoice>"},
    {"unusual_prefixes",
     "<inv:Invoice xmlns:inv=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\" "
     "xmlns:b=\"urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2\">"
     "<b:ID>N</b:ID></inv:Invoice>"},
    {"soap_envelope",
     "<s:Envelope xmlns:s=\"http://www.w3.org/2003/05/soap-envelope\"><s:Body>"
     "<Invoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\"><ID>N</ID>"
     "</Invoice></s:Body></s:Envelope>"},
    {"invoice_in_credit_note_namespace",
     "<Invoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:CreditNote-2\"><ID>N</ID>"
     "</Invoice>"},
    {"foreign_namespace", "<Invoice xmlns=\"urn:example:invoices\"><ID>N</ID></Invoice>"},
    {"cbc_prefix_bound_elsewhere",
     "<Invoice xmlns:cbc=\"urn:example:basic\"><cbc:ID>N</cbc:ID></Invoice>"},
};

class NamespaceRule : public testing::TestWithParam<NamespaceCase>
{};

TEST_P(NamespaceRule, EveryNamespaceIsRead)
{
    const UBLValidationResult result = UBLParser().parse(GetParam().xml);
    ASSERT_TRUE(result.isValid()) << *result.message();
    EXPECT_EQ(result.documentInfo()->documentID, "N");
}

INSTANTIATE_TEST_SUITE_P(UBLParser, NamespaceRule, testing::ValuesIn(namespaceCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(UBLParser, OneParserServesManyParses)
{
    const UBLParser parser;
    const auto first = parser.parse("<Invoice><ID>1</ID></Invoice>");
    const auto second = parser.parse("<CreditNote><ID>2</ID></CreditNote>");
    EXPECT_EQ(first.documentInfo()->documentID, "1");
    EXPECT_EQ(second.documentInfo()->documentID, "2");
    EXPECT_EQ(second.documentInfo()->documentType, UBLDocumentType::creditNote);
}

TEST(UBLParser, EncodingDeclarationIsOverriddenByUtf8)
{
    // The text is UTF-8 whatever the declaration says; an ISO-8859-1 declaration must not
    // turn "ü" into two characters.
    const auto result = UBLParser().parse(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Invoice><ID>M\xc3\xbcller</ID>"
        "</Invoice>");
    ASSERT_TRUE(result.isValid());
    EXPECT_EQ(result.documentInfo()->documentID, "M\xc3\xbcller");
}

TEST(UBLParser, ExternalEntitiesAreNotFetched)
{
    const auto result = UBLParser().parse(
        "<?xml version=\"1.0\"?><!DOCTYPE Invoice [<!ENTITY x SYSTEM \"/etc/hostname\">]>"
        "<Invoice><ID>A&x;B</ID></Invoice>");
    ASSERT_TRUE(result.isValid());
    EXPECT_EQ(result.documentInfo()->documentID, "AB");
}

TEST(UBLParser, LargeEmbeddedContentKeepsWhatFollowsIt)
{
    // A text node above libxml2's default 10 MB limit must not cut the document short.
    std::string xml = "<Invoice><ID>BIG</ID><Attachment><Data>";
    xml.append(12 * 1000 * 1000, 'A');
    xml += "</Data></Attachment><IssueDate>2024-05-06</IssueDate>"
           "<DocumentCurrencyCode>EUR</DocumentCurrencyCode></Invoice>";
    const auto result = UBLParser().parse(xml);
    ASSERT_TRUE(result.isValid());
    EXPECT_EQ(result.documentInfo()->issueDate, Date::fromYearMonthDay(2024, 5, 6));
    EXPECT_EQ(result.documentInfo()->currency, "EUR");
}

TEST(UBLParser, EntityExpansionBombStaysSmall)
{
    // Ten levels of ten-fold expansion would be 3 GB of text; the parse must refuse to
    // build it and still come back at once.
    std::string declarations = "<!ENTITY l0 \"lollollollollollollollollollol\">";
    for (int i = 1; i < 10; ++i) {
        std::string value;
        for (int j = 0; j < 10; ++j) {
            value += "&l" + std::to_string(i - 1) + ";";
        }
        declarations += "<!ENTITY l" + std::to_string(i) + " \"" + value + "\">";
    }
    const std::string xml = "<?xml version=\"1.0\"?><!DOCTYPE Invoice [" + declarations +
                            "]><Invoice><ID>&l9;</ID><DocumentCurrencyCode>EUR"
                            "</DocumentCurrencyCode></Invoice>";
    const auto result = UBLParser().parse(xml);
    ASSERT_TRUE(result.isValid());
    EXPECT_LT(result.documentInfo()->documentID.size(), 1000u * 1000u);
}

} // namespace

// The text is UTF-8 whatever its declaration names, also in the parts of a long text that
// the XML layer reads long after the declaration.
struct EncodingCase
{
    const char *name;
    std::string text;
};

const std::string padding(70 * 1024, 'x'); // beyond the first piece the XML layer reads

const EncodingCase encodingCases[] = {
    {"latin1_declared", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                        "<Invoice><ID>M\xc3\xbcller</ID></Invoice>"},
    {"latin1_declared_name_far_below",
     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Invoice><Note>" + padding +
         "</Note><ID>M\xc3\xbcller</ID></Invoice>"},
    {"utf16_declared", "<?xml version=\"1.0\" encoding=\"UTF-16\"?>"
                       "<Invoice><ID>M\xc3\xbcller</ID></Invoice>"},
    {"byte_order_mark_name_far_below", "\xef\xbb\xbf<?xml version=\"1.0\"?><Invoice><Note>" +
                                           padding + "</Note><ID>M\xc3\xbcller</ID></Invoice>"},
};

class Encoding : public testing::TestWithParam<EncodingCase>
{};

TEST_P(Encoding, TextIsReadAsUtf8)
{
    const UBLValidationResult result = UBLParser().parse(GetParam().text);
    ASSERT_TRUE(result.isValid()) << *result.message();
    EXPECT_EQ(result.documentInfo()->documentID, "M\xc3\xbcller");
}

INSTANTIATE_TEST_SUITE_P(UBLParser, Encoding, testing::ValuesIn(encodingCases),
                         [](const auto &info) { return std::string(info.param.name); });
