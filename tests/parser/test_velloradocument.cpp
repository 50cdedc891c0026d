// SPDX-License-Identifier: MIT
#include "parser/velloradocument.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>
#include <string>
#include <unistd.h>

using namespace vellora::parser;
using namespace std::string_literals;

namespace {

constexpr const char *asciiInvoice =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<Invoice><ID>INV-1</ID>"
    "<AccountingSupplierParty><Party><PartyName><Name>Mueller</Name></PartyName></Party>"
    "</AccountingSupplierParty></Invoice>\n";

struct DecodeCase
{
    const char *name;
    std::string bytes;
    bool opens;
    const char *reasonPart; // for failures: a piece of the reason shown to the user
};

const DecodeCase decodeCases[] = {
    {"ascii_only_latin1_declaration", asciiInvoice, true, ""},
    {"latin1_umlaut_fails",
     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Invoice><ID>M\xfcller</ID></Invoice>", false,
     "invalid byte sequence at byte 57"},
    {"utf8_umlaut_opens", "<Invoice><ID>M\xc3\xbcller</ID></Invoice>", true, ""},
    {"utf8_byte_order_mark_opens", "\xef\xbb\xbf<Invoice><ID>BOM</ID></Invoice>", true, ""},
    {"utf16le_with_bom_fails", "\xff\xfe<\0I\0n\0v\0/\0>\0"s, false, "UTF-16"},
    {"utf16be_with_bom_fails", "\xfe\xff\0<\0I\0n\0v\0/\0>"s, false, "UTF-16"},
    {"utf16le_without_bom_fails", "<\0I\0n\0v\0o\0i\0c\0e\0/\0>\0"s, false, "UTF-16"},
    {"overlong_fails", "<Invoice>\xc0\xbc</Invoice>", false, "byte 9"},
    {"surrogate_fails", "<Invoice>\xed\xa0\x80</Invoice>", false, "byte 9"},
    {"above_10ffff_fails", "<Invoice>\xf4\x90\x80\x80</Invoice>", false, "byte 9"},
    {"truncated_fails", "<Invoice/>\xe2\x82", false, "byte 10"},
};

class Decoding : public testing::TestWithParam<DecodeCase>
{};

TEST_P(Decoding, OnlyStrictUtf8Opens)
{
    const DecodeCase &c = GetParam();
    VelloraDocument::ReadResult read = VelloraDocument::fromBytes(c.bytes);
    if (c.opens) {
        ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read))
            << std::get<DocumentReadError>(read).reason;
        EXPECT_EQ(std::get<VelloraDocument>(read).text(), c.bytes);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<DocumentReadError>(read));
    const DocumentReadError &error = std::get<DocumentReadError>(read);
    EXPECT_EQ(error.kind, DocumentReadError::Kind::notUtf8);
    EXPECT_NE(error.reason.find(c.reasonPart), std::string::npos) << error.reason;
}

INSTANTIATE_TEST_SUITE_P(VelloraDocument, Decoding, testing::ValuesIn(decodeCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct OutcomeCase
{
    const char *name;
    std::string text;
    bool valid;
    bool counted; // an opening the usage statistics count
};

const OutcomeCase outcomeCases[] = {
    {"empty_file", "", false, false},
    {"white_space", " \n \n", false, false},
    {"not_xml", "Dear customer, please pay.", false, false},
    {"xml_without_invoice", "<?xml version=\"1.0\"?><Order><ID>1</ID></Order>", false, false},
    {"valid_invoice", asciiInvoice, true, true},
    {"credit_note", "<CreditNote><ID>CN</ID></CreditNote>", true, true},
    {"envelope_with_invoice", "<Envelope><Body><Invoice><ID>E</ID></Invoice></Body></Envelope>",
     true, true},
};

class Outcome : public testing::TestWithParam<OutcomeCase>
{};

TEST_P(Outcome, IsStoredAndCountedOnlyForUbl)
{
    const OutcomeCase &c = GetParam();
    VelloraDocument::ReadResult read = VelloraDocument::fromBytes(c.text);
    ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read));
    const VelloraDocument &document = std::get<VelloraDocument>(read);
    ASSERT_TRUE(document.validationResult().has_value());
    EXPECT_EQ(document.validationResult()->isValid(), c.valid);
    EXPECT_EQ(document.ublInfo() != nullptr, c.valid);
    if (c.valid) {
        EXPECT_EQ(document.ublInfo(), document.validationResult()->documentInfo());
    } else {
        EXPECT_EQ(*document.validationResult()->message(), "Not a valid UBL document");
        // The case a caller branches on: was there XML at all?
        using Kind = vellora::model::UBLValidationResult::Invalid::Kind;
        EXPECT_EQ(document.validationResult()->failure()->kind,
                  c.text.find('<') == std::string::npos ? Kind::notXml
                                                        : Kind::noInvoiceOrCreditNote);
    }
    EXPECT_EQ(document.reachedParser(), c.counted);
    EXPECT_EQ(document.text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(VelloraDocument, Outcome, testing::ValuesIn(outcomeCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(VelloraDocument, NewDocumentHasGreetingAndNoOutcome)
{
    const VelloraDocument document;
    EXPECT_EQ(document.text(), "Hello, world!");
    EXPECT_EQ(document.ublInfo(), nullptr);
    EXPECT_FALSE(document.validationResult().has_value());
    EXPECT_FALSE(document.reachedParser());
}

TEST(VelloraDocument, SavingWritesTheBytesThatWereRead)
{
    // Line endings, a byte-order mark, trailing blanks and non-ASCII text all survive.
    const std::string bytes =
        "\xef\xbb\xbf<?xml version=\"1.0\"?>\r\n<Invoice>\r\n  <ID> M\xc3\xbcller </ID>  \r\n"
        "</Invoice>\r\n\r\n   ";
    VelloraDocument::ReadResult read = VelloraDocument::fromBytes(bytes);
    ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read));
    EXPECT_EQ(std::get<VelloraDocument>(read).fileContents(), bytes);
    EXPECT_EQ(std::get<VelloraDocument>(read).ublInfo()->documentID, "M\xc3\xbcller");
}

class FileReading : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder =
            std::filesystem::temp_directory_path() / ("vellora-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override
    {
        std::filesystem::permissions(m_folder, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(m_folder);
    }
    std::filesystem::path write(const std::string &name, const std::string &bytes)
    {
        const auto path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::filesystem::path m_folder;
};

TEST_F(FileReading, ReadsARegularFile)
{
    const auto path = write("invoice with blanks.xml", asciiInvoice);
    VelloraDocument::ReadResult read = VelloraDocument::fromFile(path);
    ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read));
    EXPECT_EQ(std::get<VelloraDocument>(read).ublInfo()->documentID, "INV-1");
}

TEST_F(FileReading, FailsWithAReasonForWhatIsNoFile)
{
    auto kindOf = [](const std::filesystem::path &path) {
        VelloraDocument::ReadResult read = VelloraDocument::fromFile(path);
        EXPECT_TRUE(std::holds_alternative<DocumentReadError>(read)) << path;
        return std::holds_alternative<DocumentReadError>(read) ? std::get<DocumentReadError>(read)
                                                               : DocumentReadError{};
    };
    const DocumentReadError missing = kindOf(m_folder / "missing.xml");
    EXPECT_EQ(missing.kind, DocumentReadError::Kind::notFound);
    EXPECT_EQ(missing.reason, "no such file");

    const DocumentReadError folder = kindOf(m_folder);
    EXPECT_EQ(folder.kind, DocumentReadError::Kind::notRegularFile);
    EXPECT_EQ(folder.reason, "is a folder");

    const auto fifo = m_folder / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(kindOf(fifo).kind, DocumentReadError::Kind::notRegularFile);
}

TEST_F(FileReading, UnreadableFileFails)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const auto path = write("locked.xml", asciiInvoice);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    VelloraDocument::ReadResult read = VelloraDocument::fromFile(path);
    ASSERT_TRUE(std::holds_alternative<DocumentReadError>(read));
    EXPECT_EQ(std::get<DocumentReadError>(read).kind, DocumentReadError::Kind::unreadable);
}

} // namespace

namespace {

constexpr std::string_view wholeInvoice =
    "<?xml version=\"1.0\"?>\n"
    "<Invoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\"\n"
    "         xmlns:cbc=\"urn:oasis:names:specification:ubl:schema:xsd:CommonBasicComponents-2\">\n"
    "  <cbc:ID>INV-7</cbc:ID>\n"
    "  <cbc:IssueDate>2024-03-01</cbc:IssueDate>\n"
    "  <cbc:Note lang=\"de\">Danke</cbc:Note>\n"
    "</Invoice>\n";

// The invoice cut short just after `marker` (or, with offset -1, just before its last byte).
std::string cutAfter(std::string_view marker, int offset = 0)
{
    const std::size_t at = wholeInvoice.find(marker);
    return std::string(wholeInvoice.substr(0, at + marker.size() + offset));
}

std::string nested(int depth)
{
    std::string text = "<Invoice><ID>D</ID>";
    for (int i = 0; i < depth - 1; ++i) {
        text += "<a>";
    }
    for (int i = 0; i < depth - 1; ++i) {
        text += "</a>";
    }
    return text + "</Invoice>";
}

struct DamageCase
{
    std::string name;
    std::string text;
    // nullopt for well-formed XML; else how the damage text begins.
    std::optional<std::string> damage;
    // The document ID read from what could be recovered; nullopt when there is no model.
    std::optional<std::string> documentID;
};

std::vector<DamageCase> damageCases()
{
    return {
        {"well_formed", std::string(wholeInvoice), std::nullopt, "INV-7"},
        {"well_formed_bom_and_comment",
         "\xef\xbb\xbf<!-- sent by mail -->\n<Invoice><ID>B</ID></Invoice>", std::nullopt, "B"},
        // A relative namespace name is only a warning.
        {"relative_namespace_is_no_damage", "<Invoice xmlns=\"invoice\"><ID>R</ID></Invoice>",
         std::nullopt, "R"},
        {"not_an_invoice_but_well_formed", "<Order><ID>1</ID></Order>", std::nullopt,
         std::nullopt},
        {"cut_in_the_declaration", cutAfter("<?xml ver"), "line 1, column ", std::nullopt},
        // libxml2 still makes an Invoice element of the cut start tag: a model without values.
        {"cut_in_the_root_start_tag", cutAfter("xmlns:cbc=\"urn:oasis"), "line ", "Unknown"},
        {"cut_after_the_id", cutAfter("</cbc:ID>"), "line 4, column 25: ", "INV-7"},
        {"cut_inside_a_date", cutAfter("2024-03"), "line 5, column ", "INV-7"},
        {"cut_inside_an_attribute", cutAfter("lang=\"d"), "line 6, column ", "INV-7"},
        {"cut_before_the_last_bracket", cutAfter("</Invoice>", -1), "line 7, column ", "INV-7"},
        {"broken_end_tag", "<Invoice><ID>1</I></Invoice>",
         "line 1, column 19: Opening and ending tag mismatch: ID line 1 and I", "1"},
        // The element keeps "cbc:ID" as its name, so no ID is read.
        {"undeclared_prefix", "<Invoice><cbc:ID>P</cbc:ID></Invoice>",
         "line 1, column 17: Namespace prefix cbc on ID is not defined", "Unknown"},
        {"empty", "", "Document is empty", std::nullopt},
        {"only_a_byte_order_mark", "\xef\xbb\xbf", "line 1, column 1: Document is empty",
         std::nullopt},
        {"not_xml", "Dear customer, please pay.", "line 1, column 1: Start tag expected",
         std::nullopt},
        {"nesting_at_the_limit", nested(256), std::nullopt, "D"},
        {"nesting_beyond_the_limit", nested(257),
         "line 1, column 787: elements nested deeper than 256 levels", "D"},
        // With an entity declared libxml2 keeps its own depth limit; its words are replaced.
        {"nesting_beyond_the_limit_with_entities",
         "<!DOCTYPE Invoice [<!ENTITY e \"x\">]>" + nested(300),
         "line 1, column ", "D"},
    };
}

void PrintTo(const DamageCase &c, std::ostream *out)
{
    *out << c.name;
}

class Damage : public testing::TestWithParam<DamageCase>
{};

TEST_P(Damage, IsTheFirstXmlErrorAndTheRecoveredModelStays)
{
    const DamageCase &c = GetParam();
    VelloraDocument::ReadResult read = VelloraDocument::fromBytes(c.text);
    ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read));
    const VelloraDocument &document = std::get<VelloraDocument>(read);
    if (c.damage) {
        ASSERT_TRUE(document.damage().has_value());
        EXPECT_TRUE(document.damage()->starts_with(*c.damage)) << *document.damage();
        if (c.name.find("nesting") != std::string::npos) {
            EXPECT_TRUE(document.damage()->ends_with(": elements nested deeper than 256 levels"))
                << *document.damage();
        }
    } else {
        EXPECT_EQ(document.damage(), std::nullopt) << *document.damage();
    }
    ASSERT_EQ(document.ublInfo() != nullptr, c.documentID.has_value());
    if (c.documentID) {
        EXPECT_EQ(document.ublInfo()->documentID, *c.documentID);
    }
}

INSTANTIATE_TEST_SUITE_P(VelloraDocument, Damage, testing::ValuesIn(damageCases()),
                         [](const auto &info) { return info.param.name; });

TEST(VelloraDocument, NewDocumentIsNotDamaged)
{
    EXPECT_EQ(VelloraDocument().damage(), std::nullopt);
}

} // namespace

TEST_F(FileReading, FileAboveTheSizeLimitIsRefusedBeforeReading)
{
    // A sparse file: as large as the limit allows, and one byte more, without using the disk.
    const auto atLimit = write("at-limit.xml", "");
    std::filesystem::resize_file(atLimit, VelloraDocument::maxFileSize);
    std::variant<std::string, DocumentReadError> bytes = readFileBytes(atLimit);
    ASSERT_TRUE(std::holds_alternative<std::string>(bytes));
    EXPECT_EQ(std::get<std::string>(bytes).size(), VelloraDocument::maxFileSize);
    bytes = {};

    const auto above = write("above-limit.xml", "");
    std::filesystem::resize_file(above, VelloraDocument::maxFileSize + 1);
    VelloraDocument::ReadResult read = VelloraDocument::fromFile(above);
    ASSERT_TRUE(std::holds_alternative<DocumentReadError>(read));
    EXPECT_EQ(std::get<DocumentReadError>(read).kind, DocumentReadError::Kind::tooLarge);
    EXPECT_EQ(std::get<DocumentReadError>(read).reason,
              "too large: files of more than 512 MiB are not read");
}
