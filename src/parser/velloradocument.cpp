// SPDX-License-Identifier: MIT
#include "velloradocument.h"

#include "cii/ciireader.h"

#include "model/text.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace vellora::parser {

VelloraDocument::VelloraDocument() : m_text(newDocumentText) {}

namespace {

DocumentReadError tooLarge()
{
    return DocumentReadError{DocumentReadError::Kind::tooLarge,
                             "too large: files of more than " +
                                 std::to_string(VelloraDocument::maxFileSize >> 20) +
                                 " MiB are not read"};
}

} // namespace

VelloraDocument::ReadResult VelloraDocument::fromBytes(std::string bytes)
{
    if (bytes.size() > maxFileSize) {
        return tooLarge();
    }
    // Only UTF-8 is read, whatever the XML declaration names.
    if (const std::optional<std::size_t> offset = model::firstInvalidUtf8Offset(bytes)) {
        if (const std::optional<std::string> encoding = model::guessForeignEncoding(bytes)) {
            return DocumentReadError{DocumentReadError::Kind::notUtf8,
                                     "not UTF-8: " + *encoding + " detected"};
        }
        return DocumentReadError{DocumentReadError::Kind::notUtf8,
                                 "not UTF-8: invalid byte sequence at byte " +
                                     std::to_string(*offset)};
    }
    // UTF-16 holding only ASCII and no byte-order mark is valid UTF-8 byte for byte, with a
    // NUL beside every character; it is not the text it looks like, so it fails as UTF-16.
    if (const std::optional<std::string> encoding = model::guessForeignEncoding(bytes)) {
        return DocumentReadError{DocumentReadError::Kind::notUtf8,
                                 "not UTF-8: " + *encoding + " detected"};
    }

    VelloraDocument document;
    document.m_text = std::move(bytes);

    // Pre-check: a text that is not XML, or holds no Invoice or CreditNote element, opens
    // as text with its outcome and is not counted.
    CheckedParse checked = XmlDocument::parseChecked(document.m_text);
    document.m_damage = std::move(checked.damage);
    std::variant<XmlDocument, std::string> &parsed = checked.result;
    XmlDocument *tree = std::get_if<XmlDocument>(&parsed);
    using Kind = model::UBLValidationResult::Invalid::Kind;
    // The root element tells a CII document; only then are UBL elements looked for.
    const cii::RootKind root = tree ? cii::rootKind(*tree) : cii::RootKind::other;
    if (root == cii::RootKind::crossIndustryInvoice) {
        document.m_validationResult =
            model::UBLValidationResult::valid(cii::readDocumentInfo(*tree));
        document.m_reachedParser = true;
        document.m_syntax = DocumentSyntax::cii;
        return document;
    }
    if (root == cii::RootKind::zugferd1) {
        document.m_validationResult = model::UBLValidationResult::invalid(
            Kind::unsupportedFormat, std::string(cii::zugferd1Message));
        return document;
    }
    if (!tree || !document.m_parser.detectDocumentType(*tree)) {
        document.m_validationResult = model::UBLValidationResult::invalid(
            tree ? Kind::noInvoiceOrCreditNote : Kind::notXml, std::string(notUblMessage));
        return document;
    }

    // The parser's outcome for the text; the tree of the pre-check is the one its parse
    // would build, so it is read directly instead of parsing the text a second time.
    document.m_validationResult = document.m_parser.read(std::move(*tree));
    document.m_reachedParser = true;
    if (document.m_validationResult->isValid()) {
        document.m_syntax = DocumentSyntax::ubl;
    }
    return document;
}

VelloraDocument::ReadResult VelloraDocument::fromFile(const std::filesystem::path &path)
{
    std::variant<std::string, DocumentReadError> bytes = readFileBytes(path);
    if (auto *error = std::get_if<DocumentReadError>(&bytes)) {
        return std::move(*error);
    }
    return fromBytes(std::move(std::get<std::string>(bytes)));
}

std::variant<std::string, DocumentReadError> readFileBytes(const std::filesystem::path &path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        if (status.type() == std::filesystem::file_type::not_found ||
            error == std::errc::no_such_file_or_directory) {
            return DocumentReadError{DocumentReadError::Kind::notFound, "no such file"};
        }
        return DocumentReadError{DocumentReadError::Kind::unreadable, error.message()};
    }
    if (std::filesystem::is_directory(status)) {
        return DocumentReadError{DocumentReadError::Kind::notRegularFile, "is a folder"};
    }
    if (!std::filesystem::is_regular_file(status)) {
        return DocumentReadError{DocumentReadError::Kind::notRegularFile, "not a regular file"};
    }

    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return DocumentReadError{DocumentReadError::Kind::unreadable,
                                 errno != 0 ? std::strerror(errno) : "cannot be read"};
    }
    // Checked before reading, so that a huge file costs nothing: not its memory, nor the
    // time to read it.
    if (const auto size = std::filesystem::file_size(path, error);
        !error && size > VelloraDocument::maxFileSize) {
        return tooLarge();
    }
    std::string bytes;
    // Room for the whole file at once: growing the text piece by piece would need up to
    // twice its size.
    if (const auto size = std::filesystem::file_size(path, error); !error) {
        bytes.reserve(static_cast<std::size_t>(size));
    }
    char buffer[1 << 16];
    while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(stream.gcount()));
        // A file that grows while it is read is held to the same limit.
        if (bytes.size() > VelloraDocument::maxFileSize) {
            return tooLarge();
        }
    }
    if (stream.bad()) {
        return DocumentReadError{DocumentReadError::Kind::unreadable, "read error"};
    }
    return bytes;
}

} // namespace vellora::parser
