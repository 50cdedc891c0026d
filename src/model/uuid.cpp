// SPDX-License-Identifier: MIT
#include "uuid.h"

#include <sys/random.h>

#include <random>

namespace vellora::model {

Uuid Uuid::random()
{
    Bytes bytes{};
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t n = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
        if (n <= 0) {
            break;
        }
        filled += static_cast<std::size_t>(n);
    }
    if (filled < bytes.size()) {
        // getrandom is missing or failed: fall back on the standard library's source.
        std::random_device device;
        for (auto &byte : bytes) {
            byte = static_cast<std::uint8_t>(device());
        }
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
    return Uuid(bytes);
}

std::optional<Uuid> Uuid::fromString(std::string_view text)
{
    if (text.size() != 36) {
        return std::nullopt;
    }
    Bytes bytes{};
    std::size_t byteIndex = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-') {
                return std::nullopt;
            }
            ++i;
            continue;
        }
        auto nibble = [](char c) -> int {
            if (c >= '0' && c <= '9') {
                return c - '0';
            }
            if (c >= 'a' && c <= 'f') {
                return c - 'a' + 10;
            }
            if (c >= 'A' && c <= 'F') {
                return c - 'A' + 10;
            }
            return -1;
        };
        const int high = nibble(text[i]);
        const int low = nibble(text[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[byteIndex++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    return Uuid(bytes);
}

std::string Uuid::toString() const
{
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(36);
    for (std::size_t i = 0; i < m_bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) {
            out += '-';
        }
        out += hex[m_bytes[i] >> 4];
        out += hex[m_bytes[i] & 0x0F];
    }
    return out;
}

} // namespace vellora::model

std::size_t
std::hash<vellora::model::Uuid>::operator()(const vellora::model::Uuid &uuid) const noexcept
{
    std::size_t seed = 0;
    for (std::uint8_t byte : uuid.bytes()) {
        seed = seed * 131 + byte;
    }
    return seed;
}
