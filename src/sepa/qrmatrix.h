// SPDX-License-Identifier: MIT
// The modules of a QR code symbol, without quiet zone.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace vellora::sepa {

class QRMatrix
{
public:
    // Encodes `bytes` exactly, as 8-bit data, at error-correction level M; the symbol version
    // and mask are the encoder's choice. nullopt when the bytes are empty, do not fit the
    // largest symbol (version 40 holds 2331 bytes at level M), or the encoder fails.
    static std::optional<QRMatrix> encode(std::string_view bytes);

    // Modules per side (21 for version 1, 177 for version 40).
    int size() const { return m_size; }

    // True for a dark module; x runs left to right, y top to bottom, both from 0 to size - 1.
    bool isDark(int x, int y) const
    {
        return m_dark[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_size) +
                      static_cast<std::size_t>(x)];
    }

    bool operator==(const QRMatrix &) const = default;

private:
    QRMatrix(int size, std::vector<bool> dark) : m_size(size), m_dark(std::move(dark)) {}

    int m_size = 0;
    std::vector<bool> m_dark; // row by row
};

} // namespace vellora::sepa
