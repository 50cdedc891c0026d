// SPDX-License-Identifier: MIT
// What a sidebar row says about one attachment: its name, type label and size.
#pragma once

#include "model/ublattachment.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <string_view>

namespace vellora::app::content {

// A short label for a MIME type, compared in lower case: "application/pdf" is "PDF",
// "image/jpeg" and "image/jpg" are "JPEG", "image/png" "PNG", "image/gif" "GIF"; any other
// type gives what follows its last "/" (all of it without one) in upper case, so "text/csv"
// is "CSV" and an empty type an empty label.
std::string mimeTypeLabel(std::string_view mimeType);

// A byte count as a file size in kilobytes or megabytes only, 1 kB = 1000 bytes, in
// `locale`'s numbers and unit names: "0 kB", "1 kB" for 1 to 1499 bytes (a small file is
// never shown as zero), "15 kB", "1.2 MB", "2,345.7 MB". Whole kilobytes, megabytes with
// at most one fraction digit, both rounded half up; a count that rounds to 1000 kB is shown
// in megabytes. Negative counts are shown as zero.
QString byteCountText(std::int64_t bytes, const QLocale &locale = QLocale());

// The texts of one sidebar row.
struct PreviewStyleAttachmentRow
{
    QString name;       // the file name, or "Untitled" without one
    QStringList detail; // the detail line's texts in order: type label, "•", size; each may be
                        // missing, and without type and size the line is empty

    static PreviewStyleAttachmentRow of(const model::UBLAttachment &attachment,
                                        const QLocale &locale = QLocale());

    bool operator==(const PreviewStyleAttachmentRow &) const = default;
};

} // namespace vellora::app::content
