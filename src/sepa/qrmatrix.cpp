// SPDX-License-Identifier: MIT
#include "qrmatrix.h"

#include <qrencode.h>

#include <climits>
#include <memory>

namespace vellora::sepa {

namespace {

struct QRcodeDeleter
{
    void operator()(QRcode *code) const { QRcode_free(code); }
};

} // namespace

std::optional<QRMatrix> QRMatrix::encode(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        return std::nullopt;
    }
    // Version 0 lets the encoder pick the smallest symbol that holds the data.
    const std::unique_ptr<QRcode, QRcodeDeleter> code(
        QRcode_encodeData(static_cast<int>(bytes.size()),
                          reinterpret_cast<const unsigned char *>(bytes.data()), 0, QR_ECLEVEL_M));
    if (!code || code->width <= 0) {
        return std::nullopt;
    }
    const int size = code->width;
    std::vector<bool> dark(static_cast<std::size_t>(size) * static_cast<std::size_t>(size));
    for (std::size_t i = 0; i < dark.size(); ++i) {
        // Bit 0 of each module byte is its colour; the other bits describe its role.
        dark[i] = (code->data[i] & 1U) != 0;
    }
    return QRMatrix(size, std::move(dark));
}

} // namespace vellora::sepa
