// SPDX-License-Identifier: MIT
// The EPC QR code of a payload as a picture.
#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace vellora::sepa::views {

// Pixels per module side in the image makeQRImage returns.
inline constexpr int qrModulePixels = 10;

// The QR code of the text's UTF-8 bytes at error-correction level M: each module a 10 by 10
// pixel square, black on white, without quiet zone (whoever shows it adds the light border
// a scanner needs). nullopt when the text is empty or too long for a QR code.
std::optional<QImage> makeQRImage(const QString &text);

} // namespace vellora::sepa::views
