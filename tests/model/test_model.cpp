// SPDX-License-Identifier: MIT
#include "model/ubldocumentinfo.h"
#include "model/uuid.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <unordered_set>

using namespace vellora::model;

namespace {

TEST(UBLDocumentType, RawTextsAndCases)
{
    EXPECT_EQ(rawValue(UBLDocumentType::invoice), "Invoice");
    EXPECT_EQ(rawValue(UBLDocumentType::creditNote), "CreditNote");
    EXPECT_EQ(documentTypeFromRawValue("Invoice"), UBLDocumentType::invoice);
    EXPECT_EQ(documentTypeFromRawValue("CreditNote"), UBLDocumentType::creditNote);
    EXPECT_EQ(documentTypeFromRawValue("invoice"), std::nullopt);
    EXPECT_EQ(documentTypeFromRawValue("Creditnote"), std::nullopt);
    EXPECT_EQ(documentTypeFromRawValue(""), std::nullopt);
    ASSERT_EQ(allDocumentTypes.size(), 2u);
    EXPECT_EQ(allDocumentTypes[0], UBLDocumentType::invoice);
    EXPECT_EQ(allDocumentTypes[1], UBLDocumentType::creditNote);
}

TEST(Uuid, RandomIsVersion4AndCanonicalUpperCase)
{
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        const std::string text = Uuid::random().toString();
        ASSERT_EQ(text.size(), 36u);
        EXPECT_EQ(text[14], '4');
        EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos);
        for (std::size_t j = 0; j < text.size(); ++j) {
            if (j == 8 || j == 13 || j == 18 || j == 23) {
                EXPECT_EQ(text[j], '-');
            } else {
                EXPECT_NE(std::string("0123456789ABCDEF").find(text[j]), std::string::npos);
            }
        }
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(Uuid, TextRoundTrip)
{
    EXPECT_EQ(Uuid().toString(), "00000000-0000-0000-0000-000000000000");
    const auto parsed = Uuid::fromString("0a1b2c3d-4e5f-4071-8293-a4b5c6d7e8f9");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->toString(), "0A1B2C3D-4E5F-4071-8293-A4B5C6D7E8F9");
    EXPECT_FALSE(Uuid::fromString("0a1b2c3d4e5f40718293a4b5c6d7e8f9"));
    EXPECT_FALSE(Uuid::fromString("0a1b2c3d-4e5f-4071-8293-a4b5c6d7e8fg"));
}

UBLAttachment attachmentWithData(std::optional<std::string> data)
{
    UBLAttachment attachment;
    attachment.id = Uuid::random();
    attachment.documentID = "DOC-1";
    attachment.embeddedData = std::move(data);
    return attachment;
}

struct SizeCase
{
    const char *name;
    std::optional<std::string> data;
    std::optional<std::int64_t> expected;
};

const SizeCase sizeCases[] = {
    {"absent", std::nullopt, std::nullopt},
    {"empty", "", 0},
    {"four_characters", "QUJD", 3},
    {"five_characters_truncated", "QUJDR", 3},
    {"crlf_counts_once", "QUJD\r\nQUJD", 6}, // 9 characters
    {"combining_mark_counts_once",
     "e\xcc\x81"
     "abc",
     3}, // 4 characters
};

class EstimatedSize : public testing::TestWithParam<SizeCase>
{};

TEST_P(EstimatedSize, IsThreeQuartersOfTheCharacters)
{
    EXPECT_EQ(attachmentWithData(GetParam().data).estimatedSize(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Attachment, EstimatedSize, testing::ValuesIn(sizeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(UBLAttachment, EqualityComparesIdentityAndContentOnly)
{
    UBLAttachment a = attachmentWithData("QUJD");
    a.filename = "a.pdf";
    a.mimeType = "application/pdf";
    UBLAttachment b = a;
    b.documentTypeCode = "916";
    b.documentDescription = "other";
    b.externalReference = "https://example.com";
    b.documentType = "x";
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<UBLAttachment>{}(a), std::hash<UBLAttachment>{}(b));

    UBLAttachment otherData = a;
    otherData.embeddedData = "QUJE";
    EXPECT_NE(a, otherData);
    // embeddedData is left out of the hash, so equal hashes are allowed here.
    EXPECT_EQ(std::hash<UBLAttachment>{}(a), std::hash<UBLAttachment>{}(otherData));

    UBLAttachment otherId = a;
    otherId.id = Uuid::random();
    EXPECT_NE(a, otherId);
    UBLAttachment noName = a;
    noName.filename.reset();
    EXPECT_NE(a, noName);
    UBLAttachment otherDocument = a;
    otherDocument.documentID = "DOC-2";
    EXPECT_NE(a, otherDocument);

    std::unordered_set<UBLAttachment> set{a, b, otherId};
    EXPECT_EQ(set.size(), 2u);
}

} // namespace
