#pragma once

#include <cstdint>

namespace kv::sampledata {

// A repeatable pseudo-random number for a pixel, for texture in placeholder art.
constexpr std::uint32_t PixelNoise(int x, int y, int salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

}  // namespace kv::sampledata
