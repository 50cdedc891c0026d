// SPDX-License-Identifier: MIT
// The application's document: one per open file and window.
#pragma once

#include "ublparser.h"

#include "model/ubldocumentinfo.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vellora::parser {

// Why a file could not be opened at all. The message names the reason in words the user can
// act on ("is a directory", "not UTF-8: UTF-16 detected").
struct DocumentReadError
{
    enum class Kind
    {
        notFound,
        notRegularFile,
        unreadable,
        notUtf8,
        tooLarge, // more than VelloraDocument::maxFileSize bytes
    };
    Kind kind;
    std::string reason;

    bool operator==(const DocumentReadError &) const = default;
};

// The syntax a document's model was read in.
enum class DocumentSyntax
{
    ubl, // OASIS UBL Invoice or CreditNote
    cii, // UN/CEFACT Cross Industry Invoice
};

class VelloraDocument
{
public:
    using ReadResult = std::variant<VelloraDocument, DocumentReadError>;

    // The text of a new, unsaved document.
    static constexpr std::string_view newDocumentText = "Hello, world!";
    // The outcome of a file that is not XML or holds no Invoice or CreditNote element.
    static constexpr std::string_view notUblMessage = "Not a valid UBL document";
    // The largest file read: 512 MiB. Reading one takes several times its size in memory
    // (the text, libxml2's tree, the model), more than a desktop can sensibly give; a
    // larger file is refused before its first byte is read.
    static constexpr std::size_t maxFileSize = std::size_t{512} << 20;

    // A new document: the greeting text, no model, no outcome.
    VelloraDocument();

    // Reads a document from a file's bytes. Bytes that are not strict UTF-8 (or are UTF-16)
    // fail the read; everything else opens: a Cross Industry Invoice is read as CII, a
    // ZUGFeRD 1.0 document opens with "Unsupported format: ZUGFeRD 1.0" and no model; a file that
    // is not XML, or holds no Invoice or CreditNote element, opens with the outcome "Not a valid
    // UBL document" and no model.
    static ReadResult fromBytes(std::string bytes);

    // Reads the file at `path` (it must be a regular file) and then as fromBytes.
    static ReadResult fromFile(const std::filesystem::path &path);

    // The whole file decoded as UTF-8, unchanged: no trimming, no line-break normalisation.
    const std::string &text() const { return m_text; }

    // The model when the outcome is valid, else nullptr.
    const model::UBLDocumentInfo *ublInfo() const
    {
        return m_validationResult ? m_validationResult->documentInfo() : nullptr;
    }

    // The outcome of reading; nullopt only for a new document.
    const std::optional<model::UBLValidationResult> &validationResult() const
    {
        return m_validationResult;
    }

    // Whether the text is well-formed XML, whatever the outcome: nullopt when it is (and for
    // a new document), else the first error the XML layer found, "line L, column C: reason"
    // ("Document is empty" for an empty text). The model of a damaged text holds only what
    // could be recovered; the window and the dump say so.
    const std::optional<std::string> &damage() const { return m_damage; }

    const UBLParser &parser() const { return m_parser; }

    // The syntax the parser read; nullopt when no reader was reached (a new document, a text
    // that is not XML or no invoice, a format that is refused).
    std::optional<DocumentSyntax> syntax() const { return m_syntax; }

    // True when the text was a Cross Industry Invoice or held an Invoice or CreditNote element
    // and a reader read it, whatever its outcome: the openings the usage statistics count.
    // False for a new document, a text that is not XML or holds no such element, and a
    // refused format (ZUGFeRD 1.0).
    bool reachedParser() const { return m_reachedParser; }

    // What saving writes: the bytes of the text that was read, unchanged.
    const std::string &fileContents() const { return m_text; }

private:
    std::string m_text;
    std::optional<model::UBLValidationResult> m_validationResult;
    std::optional<std::string> m_damage;
    UBLParser m_parser;
    bool m_reachedParser = false;
    std::optional<DocumentSyntax> m_syntax;
};

// The bytes of the regular file at `path`, or why they cannot be had.
std::variant<std::string, DocumentReadError> readFileBytes(const std::filesystem::path &path);

} // namespace vellora::parser
