// SPDX-License-Identifier: MIT
#include "attachmentdata.h"

#include <QChar>
#include <QFileInfo>

#include <array>
#include <utility>

namespace vellora::app::preview {

namespace {

// The white space removed before decoding: \t \n \f \r and the separators \p{Z}. Vertical
// tab and next-line are not in the class and make the text undecodable.
bool isRemovedWhiteSpace(char32_t c)
{
    if (c == U'\t' || c == U'\n' || c == U'\f' || c == U'\r' || c == U' ') {
        return true;
    }
    switch (QChar::category(c)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

// Characters that may not appear in a proposed name: C0 and C1 controls and DEL, and the
// bidirectional marks, embeddings, overrides and isolates that can make "cod.exe" read as
// "exe.doc" in a dialog.
bool isControl(char32_t c)
{
    if (QChar::category(c) == QChar::Other_Control) {
        return true;
    }
    return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069) || c == 0x061C;
}

constexpr std::array<std::pair<const char *, const char *>, 13> extensions{{
    {"application/pdf", "pdf"},
    {"image/jpeg", "jpg"},
    {"image/jpg", "jpg"},
    {"image/png", "png"},
    {"image/gif", "gif"},
    {"text/xml", "xml"},
    {"application/xml", "xml"},
    {"text/plain", "txt"},
    {"text/csv", "csv"},
    {"application/json", "json"},
    {"text/html", "html"},
    {"application/zip", "zip"},
    {"application/octet-stream", "bin"},
}};

} // namespace

std::optional<QByteArray> decodeEmbeddedData(std::string_view text)
{
    // Base64 is ASCII: bytes below 0x80 are taken as they are, and only a text that holds
    // other characters is read as UTF-8 to find the Unicode separators among them. The ASCII
    // white space of the class is exactly tab, LF, FF, CR and space. The loop has no branch
    // per byte: a 50 MB attachment passes through it in a few dozen milliseconds.
    static constexpr auto keep = [] {
        std::array<unsigned char, 256> table{};
        table.fill(1);
        for (const unsigned char c : {'\t', '\n', '\f', '\r', ' '}) {
            table[c] = 0;
        }
        return table;
    }();
    QByteArray compact(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    char *out = compact.data();
    unsigned char seen = 0;
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        seen |= c;
        *out = byte;
        out += keep[c];
    }
    compact.truncate(out - compact.constData());
    const bool onlyAscii = (seen & 0x80) == 0;
    if (!onlyAscii) {
        compact.clear();
        const QString unicode = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
        for (const char32_t c : unicode.toUcs4()) {
            if (isRemovedWhiteSpace(c)) {
                continue;
            }
            if (c >= 0x80) {
                return std::nullopt; // outside the alphabet, whatever it is
            }
            compact.append(static_cast<char>(c));
        }
    }

    // Four characters carry three bytes; a single character left over cannot carry even one.
    // The decoder would drop it silently and hand back a file that lacks its last byte.
    if (compact.size() % 4 == 1) {
        return std::nullopt;
    }
    auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        return std::nullopt;
    }
    return std::move(*decoded);
}

QString cleanedFileName(const QString &name)
{
    QString cleaned;
    cleaned.reserve(name.size());
    for (const char32_t c : name.toUcs4()) {
        if (c == U'/' || c == U'\\') {
            cleaned.clear(); // everything up to a separator is a folder: only the last part counts
        } else if (!isControl(c)) {
            cleaned.append(QString::fromUcs4(&c, 1));
        }
    }
    if (cleaned.isEmpty() || cleaned == QLatin1String(".") || cleaned == QLatin1String("..")) {
        return QStringLiteral("attachment");
    }
    return cleaned;
}

std::optional<QString> fileExtension(const QString &mimeType)
{
    const QString lower = mimeType.toLower();
    for (const auto &[type, extension] : extensions) {
        if (lower == QLatin1String(type)) {
            return QString::fromLatin1(extension);
        }
    }
    return std::nullopt;
}

namespace {

// The longest file name the usual file systems can create, in UTF-8 bytes. A longer name
// keeps its extension (when that is short) and loses the end of the rest.
constexpr qsizetype longestNameBytes = 255;

QString fitted(const QString &name)
{
    if (name.toUtf8().size() <= longestNameBytes) {
        return name;
    }
    QString suffix = QFileInfo(name).suffix();
    if (suffix.size() > 16) {
        suffix.clear();
    }
    const QString stem = suffix.isEmpty() ? name : name.left(name.size() - suffix.size() - 1);
    const qsizetype room =
        longestNameBytes - (suffix.isEmpty() ? 0 : suffix.toUtf8().size() + 1);
    QString shortened;
    qsizetype bytes = 0;
    for (const char32_t c : stem.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        const qsizetype size = character.toUtf8().size();
        if (bytes + size > room) {
            break;
        }
        shortened += character;
        bytes += size;
    }
    return suffix.isEmpty() ? shortened : shortened + QLatin1Char('.') + suffix;
}

} // namespace

QString suggestedFileName(const QString &name, const std::optional<QString> &mimeType)
{
    const QString cleaned = cleanedFileName(name);
    if (!QFileInfo(cleaned).suffix().isEmpty()) {
        return fitted(cleaned);
    }
    if (mimeType) {
        if (const std::optional<QString> extension = fileExtension(*mimeType)) {
            return fitted(cleaned + QLatin1Char('.') + *extension);
        }
    }
    return fitted(cleaned);
}

} // namespace vellora::app::preview
