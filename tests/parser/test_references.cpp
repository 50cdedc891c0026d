// SPDX-License-Identifier: MIT
#include "parser/primitives.h"
#include "parser/references.h"
#include "parserfixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

using namespace vellora::model;
using namespace vellora::parser;
using namespace vellora::parser::testing;

namespace {

const UBLDocumentInfo &referencesModel()
{
    static const UBLDocumentInfo info = parseModel(readFixture("references.xml"));
    return info;
}

const FieldCase referenceCases[] = {
    {"period_start", FIELD(d.invoicePeriod.value().startDate), "2024-01-01"},
    {"period_end", FIELD(d.invoicePeriod.value().endDate), "2024-01-31"},
    {"period_description_code", FIELD(d.invoicePeriod.value().descriptionCode), "35"},
    {"period_without_duration", FIELD(d.invoicePeriod.value().durationMeasure), std::nullopt},

    {"order_id", FIELD(d.orderReference.value().id), "PO-1"},
    {"order_sales_order_id", FIELD(d.orderReference.value().salesOrderID), "SO-1"},
    {"order_issue_date", FIELD(d.orderReference.value().issueDate), "2023-12-24"},

    {"billing_first_only", FIELD(d.billingReference.value().invoiceDocumentReference.value().id),
     "INV-OLD"},
    {"billing_uuid", FIELD(d.billingReference.value().invoiceDocumentReference.value().uuid),
     "3f2504e0-4f89-11d3-9a0c-0305e82c3301"},
    {"billing_issue_date",
     FIELD(d.billingReference.value().invoiceDocumentReference.value().issueDate), "2023-11-30"},
    {"billing_type_code",
     FIELD(d.billingReference.value().invoiceDocumentReference.value().invoiceTypeCode), "380"},
    {"billing_description",
     FIELD(d.billingReference.value().invoiceDocumentReference.value().documentDescription),
     "Corrected invoice"},

    {"contract_id", FIELD(d.contractReference.value().id), "CON-1"},
    {"contract_uuid", FIELD(d.contractReference.value().uuid), "c-uuid"},
    {"contract_issue_date", FIELD(d.contractReference.value().issueDate), "2022-01-01"},
    {"contract_type", FIELD(d.contractReference.value().contractType), "Framework"},
    {"contract_description", FIELD(d.contractReference.value().documentDescription),
     "Framework agreement"},

    {"project_id", FIELD(d.projectReference.value().id), "PRJ-1"},
    {"project_uuid", FIELD(d.projectReference.value().uuid), "p-uuid"},
    {"project_issue_date", FIELD(d.projectReference.value().issueDate), "2021-06-30"},

    {"delivery_id_from_location", FIELD(d.delivery.value().id), "LOC-1"},
    {"delivery_location", FIELD(d.delivery.value().deliveryLocation), "LOC-1"},
    {"delivery_quantity", FIELD(d.delivery.value().quantity), "12"},
    {"delivery_minimum", FIELD(d.delivery.value().minimumQuantity), "10"},
    {"delivery_maximum_exponent", FIELD(d.delivery.value().maximumQuantity), "1E+2"},
    {"actual_date", FIELD(d.delivery.value().actualDeliveryDate), "2024-01-15"},
    {"actual_time_as_written", FIELD(d.delivery.value().actualDeliveryTime), "10:30:00+01:00"},
    {"latest_date", FIELD(d.delivery.value().latestDeliveryDate), "2024-01-20"},
    {"latest_time", FIELD(d.delivery.value().latestDeliveryTime), "18:00:00"},
    {"tracking_id", FIELD(d.delivery.value().trackingID), "TRACK-42"},
    {"address_is_the_delivery_partys", FIELD(d.delivery.value().deliveryAddress.value().cityName),
     "Hamburg"},
    {"address_street", FIELD(d.delivery.value().deliveryAddress.value().streetName), "Dock 4"},
    {"address_country",
     FIELD(d.delivery.value().deliveryAddress.value().country.value().identificationCode), "DE"},
    {"delivery_party_name", FIELD(d.delivery.value().deliveryParty.value().partyNames.at(0)),
     "Warehouse North"},
    {"delivery_party_address_too",
     FIELD(d.delivery.value().deliveryParty.value().postalAddress.value().cityName), "Hamburg"},
    {"requested_start", FIELD(d.delivery.value().requestedDeliveryPeriod.value().startDate),
     "2024-01-10"},
    {"requested_end", FIELD(d.delivery.value().requestedDeliveryPeriod.value().endDate),
     "2024-01-12"},
    {"requested_description", FIELD(d.delivery.value().requestedDeliveryPeriod.value().description),
     "Mornings only"},
    {"promised_duration", FIELD(d.delivery.value().promisedDeliveryPeriod.value().durationMeasure),
     "3"},
    {"promised_unit",
     FIELD(d.delivery.value().promisedDeliveryPeriod.value().durationMeasureUnitCode), "DAY"},
    {"promised_without_start", FIELD(d.delivery.value().promisedDeliveryPeriod.value().startDate),
     std::nullopt},
    {"estimated_missing", FIELD(presence(d.delivery.value().estimatedDeliveryPeriod)),
     std::nullopt},
};

class ReferenceFields : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(ReferenceFields, ReadsTheField)
{
    EXPECT_EQ(GetParam().field(referencesModel()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, ReferenceFields, ::testing::ValuesIn(referenceCases),
                         fieldCaseName);

// Documents without a document-level element take the first one inside a line.
const FieldCase fromLineCases[] = {
    {"invoice_period_from_first_line_with_one", FIELD(d.invoicePeriod.value().startDate),
     "2024-06-01"},
    {"order_reference_from_order_line_reference", FIELD(d.orderReference.value().id), "PO-L"},
    {"line_order_reference_has_sales_order_id_at_document_level",
     FIELD(d.orderReference.value().salesOrderID), "SO-L"},
    {"delivery_from_line", FIELD(d.delivery.value().id), "DEL-L"},
    {"delivery_own_id_before_location", FIELD(d.delivery.value().deliveryLocation), "LOC-L"},
    {"delivery_without_party", FIELD(presence(d.delivery.value().deliveryParty)), std::nullopt},
    {"delivery_without_address", FIELD(presence(d.delivery.value().deliveryAddress)), std::nullopt},
    {"billing_without_invoice_reference",
     FIELD(presence(d.billingReference.value().invoiceDocumentReference)), std::nullopt},
    {"no_contract", FIELD(presence(d.contractReference)), std::nullopt},
    {"no_project", FIELD(presence(d.projectReference)), std::nullopt},
};

constexpr const char *fromLineXml = R"(<Invoice>
  <ID>L-1</ID>
  <BillingReference><AdditionalDocumentReference><ID>X</ID></AdditionalDocumentReference></BillingReference>
  <InvoiceLine><ID>1</ID></InvoiceLine>
  <InvoiceLine><ID>2</ID>
    <InvoicePeriod><StartDate>2024-06-01</StartDate></InvoicePeriod>
    <OrderLineReference><LineID>1</LineID>
      <OrderReference><ID>PO-L</ID><SalesOrderID>SO-L</SalesOrderID></OrderReference>
    </OrderLineReference>
    <Delivery><ID>DEL-L</ID><DeliveryLocation><ID>LOC-L</ID></DeliveryLocation></Delivery>
  </InvoiceLine>
  <InvoiceLine><ID>3</ID><InvoicePeriod><StartDate>2024-07-01</StartDate></InvoicePeriod></InvoiceLine>
</Invoice>)";

class FromLine : public ::testing::TestWithParam<FieldCase>
{};

TEST_P(FromLine, TakesTheFirstInsideALine)
{
    EXPECT_EQ(GetParam().field(parseModel(fromLineXml)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fixture, FromLine, ::testing::ValuesIn(fromLineCases), fieldCaseName);

TEST(References, MissingElementsGiveNone)
{
    const UBLDocumentInfo info = parseModel("<Invoice><ID>1</ID></Invoice>");
    EXPECT_FALSE(info.orderReference);
    EXPECT_FALSE(info.billingReference);
    EXPECT_FALSE(info.contractReference);
    EXPECT_FALSE(info.projectReference);
    EXPECT_FALSE(info.delivery);
    EXPECT_FALSE(info.invoicePeriod);
    EXPECT_TRUE(info.attachments.empty());
}

TEST(References, DeliveryPartyIsReadRelativeToTheDeliveryParty)
{
    const XmlDocument document =
        parseXml("<Delivery><DeliveryParty><EndpointID schemeID=\"0088\">E</EndpointID>"
                 "<Contact><Name>C</Name></Contact></DeliveryParty></Delivery>");
    const std::vector<XmlNode> deliveries = document.node().select("//*[local-name()='Delivery']");
    ASSERT_EQ(deliveries.size(), 1U);
    const std::optional<UBLParty> party = extractDeliveryParty(deliveries[0]);
    ASSERT_TRUE(party);
    EXPECT_EQ(party->endpointID, "E");
    EXPECT_EQ(party->endpointSchemeID, "0088");
    ASSERT_TRUE(party->contact);
    EXPECT_EQ(party->contact->name, "C");
}

TEST(References, InvoiceDocumentReferenceReadsBelowTheBillingReference)
{
    const XmlDocument document =
        parseXml("<Root><InvoiceDocumentReference><ID>outside</ID></InvoiceDocumentReference>"
                 "<BillingReference><InvoiceDocumentReference><IssueDate>2024-13-01</IssueDate>"
                 "</InvoiceDocumentReference></BillingReference></Root>");
    const std::vector<XmlNode> billing =
        document.node().select("//*[local-name()='BillingReference']");
    ASSERT_EQ(billing.size(), 1U);
    const std::optional<UBLInvoiceDocumentReference> reference =
        extractInvoiceDocumentReference(billing[0]);
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->id, std::nullopt);
    EXPECT_EQ(reference->issueDate, std::nullopt); // month 13: no date
}

// ----------------------------------------------------------------------------------------
// Attachments

// The attachment fields the parser fills from the XML, without the random id.
struct AttachmentCase
{
    const char *name;
    std::string documentID;
    std::optional<std::string> filename;
    std::optional<std::string> mimeType;
    std::optional<std::string> embeddedData;
    std::optional<std::string> documentTypeCode;
    std::optional<std::string> documentDescription;
    std::optional<std::string> externalReference;
};

// In the order of attachments.xml, which also holds two references that yield nothing
// (no Attachment element; an Attachment with neither content nor URI).
const AttachmentCase attachmentCases[] = {
    {"embedded_pdf_trimmed_inner_breaks_kept", "PDF-1", "invoice.pdf", "application/pdf",
     "JVBERi0xLjQK\n        JSVFT0YK", "916", "Timesheet", std::nullopt},
    {"embedded_empty_text", "EMPTY", "blank.png", "image/png", "", std::nullopt, std::nullopt,
     std::nullopt},
    {"external_only", "LINK", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
     "https://example.com/files/contract.pdf"},
    {"no_id_is_unknown", "Unknown", std::nullopt, std::nullopt, std::nullopt, std::nullopt,
     "Anonymous", "https://example.com/a"},
    {"embedded_wins_over_external", "BOTH", "data.csv", "text/csv", "YSxiCg==", std::nullopt,
     std::nullopt, std::nullopt},
    {"attributes_as_written_missing_absent", "RAW", " scan 1.jpg ", std::nullopt, "/9j/",
     std::nullopt, std::nullopt, std::nullopt},
    {"empty_uri_is_external", "EMPTY-URI", std::nullopt, std::nullopt, std::nullopt, std::nullopt,
     std::nullopt, ""},
};

class Attachments : public ::testing::TestWithParam<std::size_t>
{
protected:
    static void SetUpTestSuite()
    {
        s_attachments =
            new std::vector<UBLAttachment>(parseModel(readFixture("attachments.xml")).attachments);
    }
    static void TearDownTestSuite()
    {
        delete s_attachments;
        s_attachments = nullptr;
    }
    static std::vector<UBLAttachment> *s_attachments;
};

std::vector<UBLAttachment> *Attachments::s_attachments = nullptr;

TEST_P(Attachments, ReadsTheReference)
{
    const AttachmentCase &expected = attachmentCases[GetParam()];
    ASSERT_EQ(s_attachments->size(), std::size(attachmentCases))
        << "references without an attachment must be skipped without a gap";
    const UBLAttachment &actual = (*s_attachments)[GetParam()];
    EXPECT_EQ(actual.documentID, expected.documentID);
    EXPECT_EQ(actual.filename, expected.filename);
    EXPECT_EQ(actual.mimeType, expected.mimeType);
    EXPECT_EQ(actual.embeddedData, expected.embeddedData);
    EXPECT_EQ(actual.documentType, std::nullopt);
    EXPECT_EQ(actual.documentTypeCode, expected.documentTypeCode);
    EXPECT_EQ(actual.documentDescription, expected.documentDescription);
    EXPECT_EQ(actual.externalReference, expected.externalReference);
    // Never both, never neither.
    EXPECT_NE(actual.embeddedData.has_value(), actual.externalReference.has_value());
    EXPECT_NE(actual.id, Uuid());
}

INSTANTIATE_TEST_SUITE_P(Fixture, Attachments,
                         ::testing::Range<std::size_t>(0, std::size(attachmentCases)),
                         [](const ::testing::TestParamInfo<std::size_t> &info) {
                             return std::string(attachmentCases[info.param].name);
                         });

TEST(AttachmentIdentity, FreshDistinctIdsAtEveryParse)
{
    const std::string text = readFixture("attachments.xml");
    const std::vector<UBLAttachment> first = parseModel(text).attachments;
    const std::vector<UBLAttachment> second = parseModel(text).attachments;
    ASSERT_EQ(first.size(), second.size());
    ASSERT_FALSE(first.empty());

    std::set<Uuid> ids;
    for (std::size_t i = 0; i < first.size(); ++i) {
        // Same content, new identity: the two parses' attachments are not equal.
        EXPECT_EQ(first[i].documentID, second[i].documentID);
        EXPECT_EQ(first[i].embeddedData, second[i].embeddedData);
        EXPECT_NE(first[i].id, second[i].id);
        EXPECT_NE(first[i], second[i]);
        ids.insert(first[i].id);
        ids.insert(second[i].id);
    }
    EXPECT_EQ(ids.size(), 2 * first.size());
}

// Copies of the model (views keep some, the sidebar keeps its rows) share an attachment's
// Base64 text instead of copying it; equal texts made apart are still equal.
TEST(AttachmentContent, CopiesShareTheBytes)
{
    const std::string text = readFixture("attachments.xml");
    const UBLDocumentInfo info = parseModel(text);
    ASSERT_FALSE(info.attachments.empty());
    const UBLAttachment &original = info.attachments.front();
    ASSERT_TRUE(original.embeddedData);

    const UBLDocumentInfo copy = info;
    const std::vector<UBLAttachment> rows = copy.attachments;
    EXPECT_TRUE(rows.front().embeddedData->sharesBytesWith(*original.embeddedData));
    EXPECT_EQ(rows.front(), original);

    const UBLAttachment reparsed = parseModel(text).attachments.front();
    EXPECT_FALSE(reparsed.embeddedData->sharesBytesWith(*original.embeddedData));
    EXPECT_EQ(reparsed.embeddedData, original.embeddedData);
}

// Reading a document uses its tree up: the attachments' texts are moved out of the tree at
// the end instead of copied. The result must be exactly the copying reader's, also when one
// embedded element lies inside another's text or two references share one.
struct ConsumingCase
{
    const char *name;
    std::string text;
};

const std::string base64Line = "JVBERi0xLjQKJcOkw7zDtsOfCjIgMCBvYmoKPDwvTGVuZ3RoIDMgMCBSPj4K";

const ConsumingCase consumingCases[] = {
    {"fixture_attachments", readFixture("attachments.xml")},
    {"trimmed_with_inner_breaks",
     "<Invoice><AdditionalDocumentReference><ID>A</ID><Attachment>"
     "<EmbeddedDocumentBinaryObject mimeCode=\"application/pdf\">\n  " +
         base64Line + "\n  " + base64Line +
         "  \n</EmbeddedDocumentBinaryObject></Attachment>"
         "</AdditionalDocumentReference></Invoice>"},
    {"short_text_stays_in_the_node",
     "<Invoice><AdditionalDocumentReference><ID>S</ID><Attachment>"
     "<EmbeddedDocumentBinaryObject>QUJD</EmbeddedDocumentBinaryObject></Attachment>"
     "</AdditionalDocumentReference></Invoice>"},
    // The outer reference's first embedded object is the inner one's: both share it.
    {"nested_references_share_one_object",
     "<Invoice><AdditionalDocumentReference><ID>OUTER</ID><Attachment><Note>"
     "<AdditionalDocumentReference><ID>INNER</ID><Attachment><EmbeddedDocumentBinaryObject>" +
         base64Line +
         "</EmbeddedDocumentBinaryObject></Attachment>"
         "</AdditionalDocumentReference></Note></Attachment></AdditionalDocumentReference>"
         "</Invoice>"},
    // The outer object's text includes the inner object's, which is moved out: the outer
    // one is read before.
    {"object_inside_an_object",
     "<Invoice><AdditionalDocumentReference><ID>OUTER</ID><Attachment>"
     "<EmbeddedDocumentBinaryObject>" +
         base64Line +
         "<X><AdditionalDocumentReference>"
         "<ID>INNER</ID><Attachment><EmbeddedDocumentBinaryObject>" +
         base64Line +
         "QUJD</EmbeddedDocumentBinaryObject></Attachment></AdditionalDocumentReference></X>"
         "</EmbeddedDocumentBinaryObject></Attachment></AdditionalDocumentReference></Invoice>"},
    // A note that holds an attachment is read before the attachment's text is moved.
    {"note_around_an_attachment",
     "<Invoice><InvoiceLine><ID>1</ID><Note>before <AdditionalDocumentReference><ID>N</ID>"
     "<Attachment><EmbeddedDocumentBinaryObject>" +
         base64Line +
         "</EmbeddedDocumentBinaryObject></Attachment></AdditionalDocumentReference> after"
         "</Note></InvoiceLine></Invoice>"},
};

void PrintTo(const ConsumingCase &c, std::ostream *out)
{
    *out << c.name;
}

class ConsumingRead : public ::testing::TestWithParam<ConsumingCase>
{};

TEST_P(ConsumingRead, GivesTheCopyingReadersModel)
{
    const std::string &text = GetParam().text;
    const UBLValidationResult consumed = UBLParser().parse(text);
    ASSERT_TRUE(consumed.isValid());
    const XmlDocument tree = parseXml(text);
    UBLDocumentInfo copied = UBLParser().extractDocumentInfo(tree, UBLDocumentType::invoice);

    UBLDocumentInfo moved = *consumed.documentInfo();
    ASSERT_EQ(moved.attachments.size(), copied.attachments.size());
    ASSERT_FALSE(moved.attachments.empty());
    for (std::size_t i = 0; i < moved.attachments.size(); ++i) {
        moved.attachments[i].id = copied.attachments[i].id; // random at every read
    }
    EXPECT_EQ(moved, copied);
}

INSTANTIATE_TEST_SUITE_P(Attachments, ConsumingRead, ::testing::ValuesIn(consumingCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(AttachmentContent, NestedReferencesShareTheMovedBytes)
{
    const UBLDocumentInfo info = parseModel(consumingCases[3].text);
    ASSERT_EQ(info.attachments.size(), 2u);
    ASSERT_TRUE(info.attachments[0].embeddedData && info.attachments[1].embeddedData);
    EXPECT_EQ(*info.attachments[0].embeddedData, base64Line);
    EXPECT_TRUE(
        info.attachments[0].embeddedData->sharesBytesWith(*info.attachments[1].embeddedData));
}

// Which texts can change owner: one piece of text the tree allocated on its own.
struct TakeCase
{
    const char *name;
    std::string element; // the content of <e>…</e>
    bool takeable;
};

const TakeCase takeCases[] = {
    {"long_text", "  " + base64Line + "\n", true},
    {"short_text_inside_the_node", "QUJD", false},
    {"empty", "", false},
    {"text_and_element", base64Line + "<x/>", false},
    {"cdata", "<![CDATA[" + base64Line + "]]>", false},
    {"character_reference_joins_the_text", base64Line + "&#65;" + base64Line, true},
};

void PrintTo(const TakeCase &c, std::ostream *out)
{
    *out << c.name;
}

class TakeText : public ::testing::TestWithParam<TakeCase>
{};

TEST_P(TakeText, MovesOnlyAPieceOfItsOwn)
{
    const TakeCase &c = GetParam();
    XmlDocument document = parseXml("<r><e>" + c.element + "</e></r>");
    const std::optional<XmlNode> element = document.node().first("//*[local-name()='e']");
    ASSERT_TRUE(element);
    const std::string before = trimmedText(*element);
    EXPECT_EQ(document.canTakeText(*element), c.takeable);
    const std::optional<vellora::model::SharedText> taken = document.takeTrimmedText(*element);
    EXPECT_EQ(taken.has_value(), c.takeable);
    if (taken) {
        EXPECT_EQ(*taken, before);
        EXPECT_EQ(element->textContent(), "") << "the tree still holds the text";
        EXPECT_FALSE(document.canTakeText(*element));
    } else {
        EXPECT_EQ(trimmedText(*element), before) << "the tree lost a text it kept";
    }
}

INSTANTIATE_TEST_SUITE_P(XmlDocument, TakeText, ::testing::ValuesIn(takeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(AttachmentReference, WithoutAttachmentElementYieldsNothing)
{
    const XmlDocument document = parseXml(readFixture("attachments.xml"));
    const std::vector<XmlNode> references =
        document.node().select("//*[local-name()='AdditionalDocumentReference']");
    ASSERT_EQ(references.size(), 9U);
    EXPECT_EQ(extractAttachment(references[0]), std::nullopt); // REF-ONLY
    EXPECT_EQ(extractAttachment(references[6]), std::nullopt); // HOLLOW
    const std::optional<UBLAttachment> pdf = extractAttachment(references[1]);
    ASSERT_TRUE(pdf);
    EXPECT_EQ(pdf->documentID, "PDF-1");
    EXPECT_EQ(pdf->estimatedSize(), 21); // 29 characters (with the inner break) × 0.75
}

TEST(AttachmentReference, NestedReferencesAreListedInDocumentOrder)
{
    // A reference inside a line counts as well, after the earlier ones.
    const std::vector<UBLAttachment> attachments = parseModel(R"(<Invoice>
  <InvoiceLine><ID>1</ID><DocumentReference/>
    <AdditionalDocumentReference><ID>LINE-DOC</ID>
      <Attachment><ExternalReference><URI>u2</URI></ExternalReference></Attachment>
    </AdditionalDocumentReference>
  </InvoiceLine>
  <AdditionalDocumentReference><ID>LATE</ID>
    <Attachment><ExternalReference><URI>u3</URI></ExternalReference></Attachment>
  </AdditionalDocumentReference>
</Invoice>)")
                                                       .attachments;
    ASSERT_EQ(attachments.size(), 2U);
    EXPECT_EQ(attachments[0].documentID, "LINE-DOC");
    EXPECT_EQ(attachments[1].documentID, "LATE");
}

} // namespace
