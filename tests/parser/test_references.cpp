// SPDX-License-Identifier: MIT
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
