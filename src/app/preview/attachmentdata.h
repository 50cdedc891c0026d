// SPDX-License-Identifier: MIT
// Turning an attachment's Base64 text into bytes, and naming the file those bytes go to.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>

namespace vellora::app::preview {

// The one decoding rule shared by the preview and by saving: every white-space character
// (tab, line feed, form feed, carriage return, and the Unicode space, line and paragraph
// separators) is removed, and the rest must be standard Base64 (RFC 4648 alphabet, "="
// padding). Any other character makes the whole text undecodable: nullopt, never a partial
// result; so is a text with one character left over after its last group of four, which
// cannot carry a whole byte. Missing "=" padding is accepted. Empty text decodes to empty
// bytes.
std::optional<QByteArray> decodeEmbeddedData(std::string_view text);

// A file name from an invoice, made safe to propose: only its last path component (both
// "/" and "\" separate components), without control characters or bidirectional controls
// (which can disguise an extension). A name that ends up empty, "." or ".." becomes
// "attachment". The name can therefore never steer where a file is written.
QString cleanedFileName(const QString &name);

// The file name extension for a MIME type (letter case ignored), without the dot, from a
// fixed table of thirteen common types; nullopt for any other type.
std::optional<QString> fileExtension(const QString &mimeType);

// The name proposed when saving: the cleaned name, with the extension of its MIME type
// added when the name has none of its own ("invoice" + application/pdf → "invoice.pdf";
// "scan.PDF" stays as it is). A name of more than 255 UTF-8 bytes, which no usual file
// system accepts, is cut to that, keeping a short extension.
QString suggestedFileName(const QString &name, const std::optional<QString> &mimeType);

} // namespace vellora::app::preview
