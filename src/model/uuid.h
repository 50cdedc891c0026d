// SPDX-License-Identifier: MIT
// A random 128-bit universally unique identifier.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vellora::model {

class Uuid
{
public:
    using Bytes = std::array<std::uint8_t, 16>;

    Uuid() = default; // the all-zero identifier
    explicit Uuid(const Bytes &bytes) : m_bytes(bytes) {}

    // A new version-4 (random) identifier from the operating system's random source.
    static Uuid random();

    // Parses the canonical 8-4-4-4-12 hexadecimal form, either letter case.
    static std::optional<Uuid> fromString(std::string_view text);

    // Canonical form, upper-case hexadecimal: "0A1B2C3D-…", 36 characters.
    std::string toString() const;

    const Bytes &bytes() const { return m_bytes; }

    friend bool operator==(const Uuid &, const Uuid &) = default;
    friend auto operator<=>(const Uuid &, const Uuid &) = default;

private:
    Bytes m_bytes{};
};

} // namespace vellora::model

template <>
struct std::hash<vellora::model::Uuid>
{
    std::size_t operator()(const vellora::model::Uuid &uuid) const noexcept;
};
