// SPDX-License-Identifier: MIT
// Fuzzes what an attachment's text and names become: its decoded bytes and the file name
// proposed for saving, which must never leave the folder the user chose.
#include "app/preview/attachmentdata.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vellora::app::preview;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    (void)decodeEmbeddedData(text);

    // The same bytes as a name, split at the first NUL into name and MIME type.
    const std::size_t split = text.find('\0');
    const QString name = QString::fromUtf8(text.substr(0, split));
    const std::optional<QString> mimeType =
        split == std::string_view::npos
            ? std::nullopt
            : std::optional(QString::fromUtf8(text.substr(split + 1)));
    const QString proposed = suggestedFileName(name, mimeType);
    if (proposed.isEmpty() || proposed == QStringLiteral(".") ||
        proposed == QStringLiteral("..") || proposed.contains(QLatin1Char('/')) ||
        proposed.contains(QLatin1Char('\\')) || proposed.contains(QChar(0)) ||
        proposed.toUtf8().size() > 255) {
        std::abort();
    }
    return 0;
}
