// SPDX-License-Identifier: MIT
#include "sepa/views/qrimage.h"

#include "sepa/qrmatrix.h"

namespace vellora::sepa::views {

std::optional<QImage> makeQRImage(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    const std::optional<QRMatrix> matrix = QRMatrix::encode(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!matrix) {
        return std::nullopt;
    }
    const int side = matrix->size() * qrModulePixels;
    QImage image(side, side, QImage::Format_Grayscale8);
    if (image.isNull()) {
        return std::nullopt;
    }
    // Pixel by pixel: every module is a sharp square, with no smoothing at its edges.
    for (int y = 0; y < side; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < side; ++x) {
            row[x] = matrix->isDark(x / qrModulePixels, y / qrModulePixels) ? 0 : 255;
        }
    }
    return image;
}

} // namespace vellora::sepa::views
