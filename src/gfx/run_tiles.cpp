#include "gfx/run_tiles.h"

namespace kv {

bool ValidateRunTile(std::span<const std::uint8_t> data, int height) {
    if (height < 1) return false;
    std::size_t pos = 0;
    for (int row = 0; row < height; ++row) {
        int used = 0;
        while (true) {
            if (pos >= data.size()) return false;
            used += data[pos++];  // skip
            if (used == kRunTileWidth) break;
            if (used > kRunTileWidth || pos >= data.size()) return false;
            const int copy = data[pos++];
            used += copy;
            if (used > kRunTileWidth || data.size() - pos < static_cast<std::size_t>(copy))
                return false;
            pos += static_cast<std::size_t>(copy);
            if (used == kRunTileWidth) break;
        }
    }
    return true;
}

}  // namespace kv
