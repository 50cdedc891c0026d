// SPDX-License-Identifier: MIT
// Files built to hurt a reader, each small to write down and generated when a test runs.
// Shared by the core's table test and the window's.
#pragma once

#include <string>
#include <vector>

namespace vellora::testing {

// A text that must never reach a value: the content of the "secret" local file the
// external entity points at.
inline constexpr const char *secretMarker = "SECRET-7f3a9c";

struct HostileFile
{
    std::string name;
    std::string bytes;
};

// A plain invoice around `body`, with an optional DOCTYPE before it.
inline std::string hostileInvoice(const std::string &body, const std::string &doctype = {})
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype +
           "<Invoice xmlns=\"urn:oasis:names:specification:ubl:schema:xsd:Invoice-2\">"
           "<ID>H-1</ID><IssueDate>2024-05-01</IssueDate>" +
           body + "</Invoice>\n";
}

// The files. `secretPath` is a local file holding secretMarker; `httpAddress` an address
// ("http://127.0.0.1:PORT/x") whose listener must see no connection.
inline std::vector<HostileFile> hostileFiles(const std::string &secretPath,
                                             const std::string &httpAddress)
{
    std::vector<HostileFile> files;
    files.push_back({"external_entity_local_file",
                     hostileInvoice("<Note>&x;</Note><PaymentTerms><Note>&x;</Note></PaymentTerms>",
                                    "<!DOCTYPE Invoice [<!ENTITY x SYSTEM \"file://" +
                                        secretPath + "\">]>")});
    files.push_back({"external_entity_http",
                     hostileInvoice("<PaymentTerms><Note>&x;</Note></PaymentTerms>",
                                    "<!DOCTYPE Invoice [<!ENTITY x SYSTEM \"" + httpAddress +
                                        "\">]>")});
    files.push_back({"external_parameter_entity",
                     hostileInvoice("", "<!DOCTYPE Invoice [<!ENTITY % p SYSTEM \"file://" +
                                            secretPath + "\"> %p;]>")});

    std::string laughs = "<!DOCTYPE Invoice [<!ENTITY l0 \"lol\">";
    for (int level = 1; level <= 9; ++level) {
        laughs += "<!ENTITY l" + std::to_string(level) + " \"";
        for (int i = 0; i < 10; ++i) {
            laughs += "&l" + std::to_string(level - 1) + ";";
        }
        laughs += "\">";
    }
    laughs += "]>";
    files.push_back({"billion_laughs",
                     hostileInvoice("<PaymentTerms><Note>&l9;</Note></PaymentTerms>", laughs)});

    std::string references;
    for (int i = 0; i < 100'000; ++i) {
        references += "&a;";
    }
    files.push_back({"quadratic_blowup",
                     hostileInvoice("<PaymentTerms><Note>" + references + "</Note></PaymentTerms>",
                                    "<!DOCTYPE Invoice [<!ENTITY a \"" +
                                        std::string(100'000, 'a') + "\">]>")});

    std::string deep;
    for (int i = 0; i < 100'000; ++i) {
        deep += "<x>";
    }
    for (int i = 0; i < 100'000; ++i) {
        deep += "</x>";
    }
    files.push_back({"nesting_100000_deep", hostileInvoice(deep)});

    files.push_back({"text_node_5_mb",
                     hostileInvoice("<PaymentTerms><Note>" + std::string(5'000'000, 'n') +
                                    "</Note></PaymentTerms>")});

    // 50 MB of Base64: "JVBERi0" opens a PDF's bytes, the rest are zero bytes.
    std::string base64 = "JVBERi0x";
    base64.resize(50'000'000, 'A');
    files.push_back(
        {"base64_attachment_50_mb",
         hostileInvoice("<AdditionalDocumentReference><ID>A</ID><Attachment>"
                        "<EmbeddedDocumentBinaryObject mimeCode=\"application/pdf\" "
                        "filename=\"big.pdf\">" +
                        base64 + "</EmbeddedDocumentBinaryObject></Attachment>"
                                 "</AdditionalDocumentReference>")});

    const std::string whole = hostileInvoice(
        "<AccountingSupplierParty><Party><PartyName><Name>Seller</Name></PartyName></Party>"
        "</AccountingSupplierParty><LegalMonetaryTotal><PayableAmount currencyID=\"EUR\">"
        "10.00</PayableAmount></LegalMonetaryTotal>");
    for (const double share : {0.1, 0.35, 0.6, 0.85}) {
        files.push_back({"truncated_at_" + std::to_string(static_cast<int>(share * 1000)) +
                             "_per_mille",
                         whole.substr(0, static_cast<std::size_t>(whole.size() * share))});
    }

    // Within the root's end tag: everything but "e>\n".
    files.push_back({"truncated_in_the_last_end_tag", whole.substr(0, whole.size() - 3)});

    using namespace std::string_literals;
    files.push_back({"nul_bytes",
                     "<Invoice><ID>N\0UL</ID>\0<IssueDate>2024-05-01</IssueDate></Invoice>"s});
    files.push_back({"utf16le_with_bom", "\xff\xfe<\0I\0n\0v\0o\0i\0c\0e\0/\0>\0"s});
    files.push_back({"utf16be_with_bom", "\xfe\xff\0<\0I\0n\0v\0o\0i\0c\0e\0/\0>"s});
    files.push_back({"utf16le_without_bom", "<\0I\0n\0v\0o\0i\0c\0e\0/\0>\0"s});
    files.push_back({"overlong_utf8", hostileInvoice("<Note>\xc0\xbcscript\xc0\xbe</Note>")});
    files.push_back({"bom_and_comment_before_declaration",
                     "\xef\xbb\xbf<!-- mail -->" + hostileInvoice("")});
    files.push_back({"attribute_of_100000_characters",
                     hostileInvoice("<AdditionalDocumentReference><ID>L</ID><Attachment>"
                                    "<EmbeddedDocumentBinaryObject mimeCode=\"" +
                                    std::string(100'000, 'E') +
                                    "\">JVBERi0=</EmbeddedDocumentBinaryObject></Attachment>"
                                    "</AdditionalDocumentReference>")});
    files.push_back(
        {"decimal_1e999999999",
         hostileInvoice("<DocumentCurrencyCode>EUR</DocumentCurrencyCode>"
                        "<AccountingSupplierParty><Party><PartyName><Name>S</Name></PartyName>"
                        "</Party></AccountingSupplierParty><PaymentMeans>"
                        "<PayeeFinancialAccount><ID>DE89370400440532013000</ID>"
                        "</PayeeFinancialAccount></PaymentMeans><LegalMonetaryTotal>"
                        "<LineExtensionAmount>-1e-999999999</LineExtensionAmount>"
                        "<PayableAmount currencyID=\"EUR\">1e999999999</PayableAmount>"
                        "</LegalMonetaryTotal>")});

    std::string names;
    for (const std::string &name : std::vector<std::string>{
             "../../.bashrc", "/etc/passwd", "C:\\Windows\\evil.exe", "..", "invoice\xe2\x80\xae" "fdp.exe",
          "a&#10;b&#9;.pdf", std::string(10'000, 'n') + ".pdf"}) {
        names += "<AdditionalDocumentReference><ID>N</ID><Attachment>"
                 "<EmbeddedDocumentBinaryObject mimeCode=\"application/pdf\" filename=\"" +
                 name + "\">JVBERi0=</EmbeddedDocumentBinaryObject></Attachment>"
                        "</AdditionalDocumentReference>";
    }
    files.push_back({"hostile_attachment_names", hostileInvoice(names)});
    return files;
}

} // namespace vellora::testing
