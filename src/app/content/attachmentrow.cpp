// SPDX-License-Identifier: MIT
#include "app/content/attachmentrow.h"

#include "app/style/localization.h"
#include "model/text.h"

#include <unicode/locid.h>
#include <unicode/measunit.h>
#include <unicode/numberformatter.h>
#include <unicode/unistr.h>

namespace vellora::app::content {

std::string mimeTypeLabel(std::string_view mimeType)
{
    const std::string lower = model::lowerCased(mimeType);
    if (lower == "application/pdf") {
        return "PDF";
    }
    if (lower == "image/jpeg" || lower == "image/jpg") {
        return "JPEG";
    }
    if (lower == "image/png") {
        return "PNG";
    }
    if (lower == "image/gif") {
        return "GIF";
    }
    const std::size_t slash = mimeType.rfind('/');
    const std::string_view subtype =
        slash == std::string_view::npos ? mimeType : mimeType.substr(slash + 1);
    return model::upperCased(subtype);
}

QString byteCountText(std::int64_t bytes, const QLocale &locale)
{
    using namespace icu::number;
    bytes = std::max<std::int64_t>(bytes, 0);

    // Whole kilobytes, rounded half up; a non-empty file is at least 1 kB.
    std::int64_t kilobytes = bytes / 1000 + (bytes % 1000 >= 500 ? 1 : 0);
    if (bytes > 0 && kilobytes == 0) {
        kilobytes = 1;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale icuLocale(locale.name().toUtf8().constData());
    icu::UnicodeString text;
    if (kilobytes < 1000) {
        text = NumberFormatter::withLocale(icuLocale)
                   .unit(icu::MeasureUnit::getKilobyte())
                   .unitWidth(UNUM_UNIT_WIDTH_SHORT)
                   .precision(Precision::integer())
                   .formatInt(kilobytes, status)
                   .toString(status);
    } else {
        // Exact decimal text of bytes / 10^6, so that no binary rounding shows.
        std::string megabytes = std::to_string(bytes);
        megabytes.insert(0, megabytes.size() < 7 ? 7 - megabytes.size() : 0, '0');
        megabytes.insert(megabytes.size() - 6, 1, '.');
        text = NumberFormatter::withLocale(icuLocale)
                   .unit(icu::MeasureUnit::getMegabyte())
                   .unitWidth(UNUM_UNIT_WIDTH_SHORT)
                   .precision(Precision::maxFraction(1))
                   .roundingMode(UNUM_ROUND_HALFUP)
                   .formatDecimal(megabytes, status)
                   .toString(status);
    }
    if (U_FAILURE(status)) {
        return QString();
    }
    std::string utf8;
    text.toUTF8String(utf8);
    return QString::fromStdString(utf8);
}

PreviewStyleAttachmentRow PreviewStyleAttachmentRow::of(const model::UBLAttachment &attachment,
                                                        const QLocale &locale)
{
    PreviewStyleAttachmentRow row;
    row.name = attachment.filename ? QString::fromStdString(*attachment.filename)
                                   : QStringLiteral("Untitled");
    if (attachment.mimeType) {
        row.detail << QString::fromStdString(mimeTypeLabel(*attachment.mimeType));
    }
    if (const std::optional<std::int64_t> size = attachment.estimatedSize()) {
        row.detail << style::localized(QT_TRANSLATE_NOOP("Localizable", "•")) << byteCountText(*size, locale);
    }
    return row;
}

} // namespace vellora::app::content
