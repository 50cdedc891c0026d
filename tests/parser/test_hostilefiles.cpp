// SPDX-License-Identifier: MIT
// Files built to hurt the reader: each opens with its expected outcome, in bounded time,
// reads no local file and opens no connection.
#include "cli/dumpjson.h"
#include "parser/velloradocument.h"
#include "sepa/sepaqrcodeservice.h"
#include "support/hostilefiles.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <string>

using namespace vellora::parser;
using vellora::testing::HostileFile;
using vellora::testing::secretMarker;

namespace {

// A listening socket on the loopback address: whether anyone connected to it.
class Listener
{
public:
    Listener()
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(m_socket, 4);
        socklen_t length = sizeof address;
        ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~Listener() { ::close(m_socket); }
    Listener(const Listener &) = delete;
    Listener &operator=(const Listener &) = delete;

    std::string address() const { return "http://127.0.0.1:" + std::to_string(m_port) + "/x"; }
    bool wasContacted() const
    {
        const int peer = ::accept(m_socket, nullptr, nullptr);
        if (peer >= 0) {
            ::close(peer);
            return true;
        }
        return false;
    }

private:
    int m_socket = -1;
    int m_port = 0;
};

using Check = std::function<void(const VelloraDocument &)>;

struct Expected
{
    std::optional<DocumentReadError::Kind> readError; // the file does not open
    bool valid = true;
    std::optional<std::string> damage; // nullopt: well-formed; else a part of the damage text
    Check check = [](const VelloraDocument &) {};
};

const vellora::model::UBLDocumentInfo &info(const VelloraDocument &document)
{
    return *document.ublInfo();
}

std::string firstTermsNote(const VelloraDocument &document)
{
    const auto &terms = info(document).paymentTerms;
    return terms && terms->note ? *terms->note : std::string();
}

const std::map<std::string, Expected> &expectations()
{
    static const std::map<std::string, Expected> table = [] {
        std::map<std::string, Expected> t;
        const Check idRead = [](const VelloraDocument &d) { EXPECT_EQ(info(d).documentID, "H-1"); };
        // Entities of the file's own DTD are not loaded: the references read as nothing.
        t["external_entity_local_file"] = {std::nullopt, true, std::nullopt, [](const auto &d) {
                                               EXPECT_EQ(firstTermsNote(d), "");
                                           }};
        t["external_entity_http"] = {std::nullopt, true, std::nullopt, idRead};
        t["external_parameter_entity"] = {std::nullopt, true, std::nullopt, idRead};
        t["billion_laughs"] = {std::nullopt, true, "entity", idRead};
        t["quadratic_blowup"] = {std::nullopt, true, "more than 16 MiB", [](const auto &d) {
                                     EXPECT_EQ(info(d).documentID, "H-1");
                                     EXPECT_EQ(firstTermsNote(d), "");
                                 }};
        t["nesting_100000_deep"] = {std::nullopt, true, "nested deeper than 256 levels", idRead};
        t["text_node_5_mb"] = {std::nullopt, true, std::nullopt, [](const auto &d) {
                                   EXPECT_EQ(firstTermsNote(d), std::string(5'000'000, 'n'));
                               }};
        t["base64_attachment_50_mb"] = {
            std::nullopt, true, std::nullopt, [](const auto &d) {
                ASSERT_EQ(info(d).attachments.size(), 1u);
                ASSERT_TRUE(info(d).attachments[0].embeddedData.has_value());
                EXPECT_EQ(info(d).attachments[0].embeddedData->str().size(), 50'000'000u);
            }};
        // Cut in the declaration: no Invoice element; cut later: the start of one, damaged.
        t["truncated_at_100_per_mille"] = {std::nullopt, false, "line 1, column"};
        for (const char *cut : {"truncated_at_350_per_mille", "truncated_at_600_per_mille",
                                "truncated_at_850_per_mille", "truncated_in_the_last_end_tag"}) {
            t[cut] = {std::nullopt, true, "line ", idRead};
        }
        t["nul_bytes"] = {std::nullopt, true, "Char 0x0 out of allowed range"};
        t["utf16le_with_bom"] = {DocumentReadError::Kind::notUtf8};
        t["utf16be_with_bom"] = {DocumentReadError::Kind::notUtf8};
        t["utf16le_without_bom"] = {DocumentReadError::Kind::notUtf8};
        t["overlong_utf8"] = {DocumentReadError::Kind::notUtf8};
        t["bom_and_comment_before_declaration"] = {
            std::nullopt, true, "XML declaration allowed only at the start", idRead};
        t["attribute_of_100000_characters"] = {
            std::nullopt, true, std::nullopt, [](const auto &d) {
                ASSERT_EQ(info(d).attachments.size(), 1u);
                EXPECT_EQ(info(d).attachments[0].mimeType, std::string(100'000, 'E'));
            }};
        // No number that large is held: the amount reads as absent, and there is no payment.
        t["decimal_1e999999999"] = {std::nullopt, true, std::nullopt, [](const auto &d) {
                                        EXPECT_EQ(info(d).monetaryTotal->payableAmount,
                                                  std::nullopt);
                                        EXPECT_EQ(info(d).monetaryTotal->lineExtensionAmount,
                                                  std::nullopt);
                                        EXPECT_EQ(vellora::sepa::SEPAQRCodeService()
                                                      .makePaymentInfo(info(d)),
                                                  std::nullopt);
                                    }};
        // The model says what the file says; the names are made safe where a file is saved.
        t["hostile_attachment_names"] = {
            std::nullopt, true, std::nullopt, [](const auto &d) {
                ASSERT_EQ(info(d).attachments.size(), 7u);
                EXPECT_EQ(info(d).attachments[0].filename, "../../.bashrc");
                EXPECT_EQ(info(d).attachments[5].filename, "a\nb\t.pdf");
                EXPECT_EQ(info(d).attachments[6].filename->size(), 10'004u);
            }};
        return t;
    }();
    return table;
}

class HostileFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder = std::filesystem::temp_directory_path() /
                   ("vellora-hostile-" + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        m_secret = m_folder / "secret.txt";
        std::ofstream(m_secret) << secretMarker;
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::filesystem::path m_folder;
    std::filesystem::path m_secret;
};

TEST_F(HostileFiles, EachOpensWithItsOutcomeAndTouchesNothingOutside)
{
    Listener listener;
    const std::vector<HostileFile> files =
        vellora::testing::hostileFiles(m_secret.string(), listener.address());
    ASSERT_EQ(files.size(), expectations().size());
    for (const HostileFile &file : files) {
        SCOPED_TRACE(file.name);
        const auto found = expectations().find(file.name);
        ASSERT_NE(found, expectations().end());
        const Expected &expected = found->second;

        const auto start = std::chrono::steady_clock::now();
        VelloraDocument::ReadResult read = VelloraDocument::fromBytes(file.bytes);
        // Far below what a hang would take, far above what the slowest case needs here.
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));

        if (expected.readError) {
            ASSERT_TRUE(std::holds_alternative<DocumentReadError>(read));
            EXPECT_EQ(std::get<DocumentReadError>(read).kind, *expected.readError);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<VelloraDocument>(read))
            << std::get<DocumentReadError>(read).reason;
        const VelloraDocument &document = std::get<VelloraDocument>(read);
        EXPECT_EQ(document.ublInfo() != nullptr, expected.valid);
        if (expected.damage) {
            ASSERT_TRUE(document.damage().has_value());
            EXPECT_NE(document.damage()->find(*expected.damage), std::string::npos)
                << *document.damage();
        } else {
            EXPECT_EQ(document.damage(), std::nullopt) << *document.damage();
        }
        if (document.ublInfo()) {
            expected.check(document);
        }
        // Nothing of the local file reaches any value the dump shows.
        if (file.bytes.size() < 1'000'000) {
            EXPECT_EQ(vellora::cli::documentJson(document).dump().find(secretMarker),
                      std::string::npos);
        }
    }
    EXPECT_FALSE(listener.wasContacted());
}

} // namespace
