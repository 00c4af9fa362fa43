#pragma once
// The drawers' reading of a run-packed picture 48 pixels wide, row by row into plain pixels, for
// tests that look at what a picture holds.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "gfx/run_tiles.h"

namespace kv::test {

// The data must be valid for the height (ValidateRunTile).
inline std::vector<std::uint8_t> DecodeRunTile(const std::vector<std::uint8_t>& data, int height) {
    std::vector<std::uint8_t> px;
    std::size_t pos = 0;
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (true) {
            const int skip = data[pos++];
            px.insert(px.end(), static_cast<std::size_t>(skip), 0);
            if ((x += skip) == kRunTileWidth) break;
            const int copy = data[pos++];
            px.insert(px.end(), data.begin() + static_cast<long>(pos),
                      data.begin() + static_cast<long>(pos) + copy);
            pos += static_cast<std::size_t>(copy);
            if ((x += copy) == kRunTileWidth) break;
        }
    }
    return px;
}

}  // namespace kv::test
