#include "writers/run_tile_writer.h"

#include "gfx/run_tiles.h"

namespace kv::sampledata {

std::vector<std::uint8_t> EncodeRunTile(std::span<const std::uint8_t> pixels, int height) {
    std::vector<std::uint8_t> out;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * kRunTileWidth;
        int x = 0;
        while (x < kRunTileWidth) {
            int skip = 0;
            while (x + skip < kRunTileWidth && row[x + skip] == 0) ++skip;
            out.push_back(static_cast<std::uint8_t>(skip));
            x += skip;
            if (x == kRunTileWidth) break;  // the skip completed the row
            int copy = 0;
            while (x + copy < kRunTileWidth && row[x + copy] != 0) ++copy;
            out.push_back(static_cast<std::uint8_t>(copy));
            out.insert(out.end(), row + x, row + x + copy);
            x += copy;
        }
    }
    return out;
}

RunImage EncodeRunImage(std::span<const std::uint8_t> pixels, int height) {
    return {static_cast<std::uint16_t>(height), EncodeRunTile(pixels, height)};
}

void WriteRunImage(ByteWriter& out, const RunImage& image) {
    out.u16(static_cast<std::uint16_t>(image.data.size()));
    out.u16(image.height);
    out.bytes(image.data);
}

}  // namespace kv::sampledata
