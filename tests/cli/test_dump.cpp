// SPDX-License-Identifier: MIT
// Runs the vellora-dump program as a user would and checks its streams and exit status.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

struct DumpRun
{
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string &argument)
{
    std::string out = "'";
    for (char c : argument) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

DumpRun dump(const std::vector<std::string> &arguments)
{
    const auto errFile =
        std::filesystem::temp_directory_path() / ("vellora-dump-err-" + std::to_string(::getpid()));
    std::string command = quoted(VELLORA_BINARY_DIR "/vellora-dump");
    for (const auto &argument : arguments) {
        command += " " + quoted(argument);
    }
    command += " 2>" + quoted(errFile.string());
    DumpRun run;
    FILE *pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    std::size_t n = 0;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream errStream(errFile);
    std::stringstream err;
    err << errStream.rdbuf();
    run.err = err.str();
    std::filesystem::remove(errFile);
    return run;
}

const std::string data = VELLORA_TEST_DATA_DIR;

class DumpFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vellora-dump-test-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }
    std::string write(const std::string &name, const std::string &bytes)
    {
        const auto path = m_folder / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::filesystem::path m_folder;
};

TEST_F(DumpFiles, ValidInvoicePrintsTheModelAndExitsZero)
{
    const DumpRun run = dump({data + "/header-invoice.xml"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const Json json = Json::parse(run.out);
    std::vector<std::string> keys;
    for (const auto &item : json.items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"validation", "message", "document", "sepa",
                                              "damage", "syntax"}));
    EXPECT_EQ(json["validation"], "valid");
    EXPECT_EQ(json["syntax"], "UBL");
    EXPECT_TRUE(json["message"].is_null());
    EXPECT_TRUE(json["damage"].is_null());
    const Json &document = json["document"];
    EXPECT_EQ(document["documentType"], "Invoice");
    EXPECT_EQ(document["documentID"], "HDR-2024-001");
    EXPECT_EQ(document["issueDate"], "2024-03-01");
    EXPECT_EQ(document["currency"], "EUR");
    EXPECT_EQ(document["ublVersion"], "2.1");
    // Every field of the record, in declaration order, lists as arrays, absent as null.
    std::vector<std::string> documentKeys;
    for (const auto &item : document.items()) {
        documentKeys.push_back(item.key());
    }
    EXPECT_EQ(documentKeys,
              (std::vector<std::string>{"documentType",     "documentID",       "issueDate",
                                        "currency",         "ublVersion",       "supplierParty",
                                        "customerParty",    "monetaryTotal",    "taxTotal",
                                        "invoiceLines",     "creditNoteLines",  "attachments",
                                        "paymentMeans",     "paymentTerms",     "allowanceCharges",
                                        "orderReference",   "billingReference", "contractReference",
                                        "projectReference", "delivery",         "invoicePeriod"}));
    EXPECT_TRUE(document["invoiceLines"].is_array());
    EXPECT_TRUE(document["creditNoteLines"].is_array());
}

// The syntax a file was read in, or null when no document was read.
TEST_F(DumpFiles, SyntaxNamesTheReaderThatReadTheFile)
{
    struct Case
    {
        const char *name;
        std::string text;
        int status;
        const char *message; // nullptr: valid
        const char *syntax;  // nullptr: null
    };
    const Case cases[] = {
        {"cii",
         "<rsm:CrossIndustryInvoice "
         "xmlns:rsm=\"urn:un:unece:uncefact:data:standard:CrossIndustryInvoice:100\">"
         "<rsm:ExchangedDocument><ID>C-1</ID></rsm:ExchangedDocument>"
         "</rsm:CrossIndustryInvoice>",
         0, nullptr, "CII"},
        {"ubl", "<Invoice><ID>U-1</ID></Invoice>", 0, nullptr, "UBL"},
        {"zugferd1",
         "<rsm:CrossIndustryDocument xmlns:rsm=\"urn:ferd:CrossIndustryDocument:invoice:1p0\"/>", 1,
         "Unsupported format: ZUGFeRD 1.0", nullptr},
        {"order", "<Order/>", 1, "Not a valid UBL document", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const DumpRun run = dump({write(std::string(c.name) + ".xml", c.text)});
        EXPECT_EQ(run.status, c.status);
        const Json json = Json::parse(run.out);
        EXPECT_EQ(json["validation"], c.message ? "invalid" : "valid");
        if (c.message) {
            EXPECT_EQ(json["message"], c.message);
            EXPECT_TRUE(json["document"].is_null());
        }
        if (c.syntax) {
            EXPECT_EQ(json["syntax"], c.syntax);
        } else {
            EXPECT_TRUE(json["syntax"].is_null());
        }
    }
}

TEST_F(DumpFiles, NotUblPrintsTheOutcomeAndExitsOne)
{
    const DumpRun run = dump({write("order.xml", "<Order/>")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "");
    const Json json = Json::parse(run.out);
    EXPECT_EQ(json["validation"], "invalid");
    EXPECT_EQ(json["message"], "Not a valid UBL document");
    EXPECT_TRUE(json["document"].is_null());
    EXPECT_TRUE(json["sepa"].is_null());
}

TEST_F(DumpFiles, DamagedFilesNameTheFirstXmlErrorWhateverTheOutcome)
{
    for (const auto &[name, text, validation, damage] :
         std::vector<std::tuple<std::string, std::string, std::string, std::string>>{
             {"cut.xml", "<Invoice><ID>CUT</ID><IssueDate>2024-01", "valid",
              "line 1, column 40: Premature end of data in tag IssueDate line 1"},
             {"broken-order.xml", "<Order><ID>1</I></Order>", "invalid",
              "line 1, column 17: Opening and ending tag mismatch: ID line 1 and I"},
             {"empty.xml", "", "invalid", "Document is empty"}}) {
        const DumpRun run = dump({write(name, text)});
        const Json json = Json::parse(run.out);
        EXPECT_EQ(json["validation"], validation) << name;
        EXPECT_EQ(json["damage"], damage) << name;
    }
}

TEST_F(DumpFiles, UnreadableFilesPrintOneLineAndExitTwo)
{
    const std::string latin1 = write("latin1.xml", "<Invoice><ID>M\xfcller</ID></Invoice>");
    const std::string utf16 = write("utf16.xml", std::string("\xff\xfe<\0/\0", 6));
    const std::string missing = (m_folder / "missing.xml").string();
    const std::string folder = m_folder.string();
    for (const auto &[path, reason] :
         std::vector<std::pair<std::string, std::string>>{{latin1, "not UTF-8"},
                                                          {utf16, "UTF-16"},
                                                          {missing, "no such file"},
                                                          {folder, "is a folder"}}) {
        const DumpRun run = dump({path});
        EXPECT_EQ(run.status, 2) << path;
        EXPECT_EQ(run.out, "") << path;
        EXPECT_EQ(run.err.rfind("vellora-dump: " + path + ": ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(DumpFiles, SeveralFilesGiveAnArrayAndTheHighestStatus)
{
    const std::string order = write("order file.xml", "<Order/>");
    const std::string missing = (m_folder / "missing.xml").string();
    const DumpRun run = dump({data + "/header-invoice.xml", order, missing});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "");
    const Json json = Json::parse(run.out);
    ASSERT_TRUE(json.is_array());
    ASSERT_EQ(json.size(), 3u);
    EXPECT_EQ(json[0]["file"], data + "/header-invoice.xml");
    EXPECT_EQ(json[0]["validation"], "valid");
    EXPECT_EQ(json[1]["file"], order);
    EXPECT_EQ(json[1]["validation"], "invalid");
    EXPECT_EQ(json[2]["file"], missing);
    EXPECT_TRUE(json[2]["error"].is_string());
    EXPECT_FALSE(json[2].contains("validation"));

    const DumpRun twoValid = dump({data + "/header-invoice.xml", data + "/header-invoice.xml"});
    EXPECT_EQ(twoValid.status, 0);
}

TEST(DumpUsage, WrongUsageExits64AndHelpExitsZero)
{
    const DumpRun none = dump({});
    EXPECT_EQ(none.status, 64);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("usage: vellora-dump"), std::string::npos);

    const DumpRun unknown = dump({"--frobnicate", data + "/header-invoice.xml"});
    EXPECT_EQ(unknown.status, 64);
    EXPECT_EQ(unknown.out, "");
    EXPECT_NE(unknown.err.find("usage: vellora-dump"), std::string::npos);

    const DumpRun help = dump({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: vellora-dump"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

TEST(DumpUsage, VersionAnswersBeforeAnyFile)
{
    for (const char *option : {"--version", "-v"}) {
        SCOPED_TRACE(option);
        // The file named after it is neither read nor complained about.
        const DumpRun version = dump({option, "/nonexistent/invoice.xml"});
        EXPECT_EQ(version.status, 0);
        EXPECT_EQ(version.out, "vellora-dump " VELLORA_VERSION "\n");
        EXPECT_EQ(version.err, "");
    }
    // After "--" it is a file name like any other.
    const DumpRun file = dump({"--", "--version"});
    EXPECT_EQ(file.status, 2);
    EXPECT_EQ(file.out, "");
    EXPECT_NE(file.err.find("--version"), std::string::npos);
}

} // namespace
