// SPDX-License-Identifier: MIT
#include "previewstate.h"

#include "attachmentdata.h"
#include "model/ublattachment.h"

namespace vellora::app::preview {

PreviewKind previewKind(const PreviewState &state)
{
    if (state.isLoading) {
        return PreviewKind::loading;
    }
    if (state.errorMessage) {
        return PreviewKind::error;
    }
    if (state.pdfData) {
        return PreviewKind::pdf;
    }
    if (state.imageData) {
        return PreviewKind::image;
    }
    return PreviewKind::unsupported;
}

bool isSupportedImageType(const QString &mimeType)
{
    const QString lower = mimeType.toLower();
    return lower == QLatin1String("image/jpeg") || lower == QLatin1String("image/jpg") ||
           lower == QLatin1String("image/png") || lower == QLatin1String("image/gif");
}

bool isPdfType(const QString &mimeType)
{
    return mimeType.compare(QLatin1String("application/pdf"), Qt::CaseInsensitive) == 0;
}

PreviewState loadedState(const model::UBLAttachment &attachment, const QString &decodeFailedMessage)
{
    PreviewState state;
    state.isLoading = false;
    if (!attachment.mimeType || !attachment.embeddedData) {
        return state;
    }
    const QString mimeType = QString::fromStdString(*attachment.mimeType);
    const bool pdf = isPdfType(mimeType);
    const bool image = mimeType.startsWith(QLatin1String("image/"), Qt::CaseInsensitive);
    if (!pdf && !image) {
        return state;
    }

    std::optional<QByteArray> bytes;
    if (pdf || isSupportedImageType(mimeType)) {
        bytes = decodeEmbeddedData(*attachment.embeddedData);
    }
    if (!bytes || bytes->isEmpty()) {
        state.errorMessage = decodeFailedMessage;
    } else if (pdf) {
        state.pdfData = std::move(bytes);
    } else {
        state.imageData = std::move(bytes);
    }
    return state;
}

} // namespace vellora::app::preview
