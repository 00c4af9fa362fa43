#pragma once
// CRC-32 (the reflected polynomial 0xEDB88320 of zip and PNG), for files that carry their own
// check.

#include <array>
#include <cstdint>
#include <span>

namespace kv {

namespace crc32_detail {
constexpr std::array<std::uint32_t, 256> MakeTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
inline constexpr std::array<std::uint32_t, 256> kTable = MakeTable();
}  // namespace crc32_detail

constexpr std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const std::uint8_t b : data) c = crc32_detail::kTable[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

}  // namespace kv
