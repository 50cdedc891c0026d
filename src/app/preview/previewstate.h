// SPDX-License-Identifier: MIT
// What the attachment preview shows, decided without a screen.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace vellora::model {
struct UBLAttachment;
}

namespace vellora::app::preview {

// The state of one attachment preview. It starts loading; a load ends it in exactly one of
// the other cases and it never returns to loading by itself.
struct PreviewState
{
    std::optional<QByteArray> pdfData;
    std::optional<QByteArray> imageData;
    bool isLoading = true;
    std::optional<QString> errorMessage; // shown as it is

    bool operator==(const PreviewState &) const = default;
};

// What is shown for a state: the first that applies of loading, error, PDF, image, and the
// "Preview Not Available" note.
enum class PreviewKind
{
    loading,
    error,
    pdf,
    image,
    unsupported,
};

PreviewKind previewKind(const PreviewState &state);

// Whether a MIME type names one of the images the preview shows: JPEG (also written
// "image/jpg"), PNG and GIF. Letter case is ignored, as MIME types are case-insensitive.
bool isSupportedImageType(const QString &mimeType);

// Whether a MIME type names a PDF, letter case ignored.
bool isPdfType(const QString &mimeType);

// The outcome of loading an attachment, decoded in full:
// - a PDF type with content: its bytes, or the decode error when the content is empty or not
//   Base64;
// - an "image/" type with content: its bytes when the type is a supported image and the
//   content decodes, otherwise the decode error (an unsupported image type is an error, not
//   a note: the invoice claims an image that cannot be shown);
// - anything else (no type, another type, no content): nothing to show.
// Content that decodes to no bytes at all counts as empty. Types compare without regard to
// letter case. `decodeFailedMessage` is the error text to put in the state.
PreviewState loadedState(const model::UBLAttachment &attachment,
                         const QString &decodeFailedMessage);

} // namespace vellora::app::preview
