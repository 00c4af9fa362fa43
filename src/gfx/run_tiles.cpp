#include "gfx/run_tiles.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "gfx/blend_tables.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"

namespace kv {

namespace {

// Reads past one row; false when it does not make exactly 48 pixels within data.
bool ValidRunRow(std::span<const std::uint8_t> data, std::size_t& pos) {
    int used = 0;
    while (true) {
        if (pos >= data.size()) return false;
        used += data[pos++];  // skip
        if (used == kRunTileWidth) return true;
        if (used > kRunTileWidth || pos >= data.size()) return false;
        const int copy = data[pos++];
        used += copy;
        if (used > kRunTileWidth || data.size() - pos < static_cast<std::size_t>(copy))
            return false;
        pos += static_cast<std::size_t>(copy);
        if (used == kRunTileWidth) return true;
    }
}

}  // namespace

bool ValidateRunTile(std::span<const std::uint8_t> data, int height, int* badRow) {
    std::size_t pos = 0;
    int row = 0;
    while (row < height && ValidRunRow(data, pos)) ++row;
    if (badRow != nullptr) *badRow = row;
    return height >= 1 && row == height;
}

bool ReadRunImage(ByteReader& in, RunImage& out) {
    const std::size_t at = in.position();
    const std::uint16_t length = in.u16();
    out.height = in.u16();
    const auto rows = in.view(length);
    if (!in.ok()) return false;
    if (out.height == 0) return in.refuseAt(at + 2, "a picture of no rows");
    int bad = 0;
    if (!ValidateRunTile(rows, out.height, &bad))
        return in.refuse("row " + std::to_string(bad) + " of " + std::to_string(out.height) +
                         " does not make 48 pixels");
    out.data.assign(rows.begin(), rows.end());
    return true;
}

bool ReadRunImages(ByteReader& in, std::size_t count, RunImageSet& out) {
    out.clear();
    for (std::size_t i = 0; i < count; ++i) {
        RunImage image;
        if (!ReadRunImage(in, image)) return false;
        out.push_back(std::move(image));
    }
    return true;
}

}  // namespace kv

namespace kv {

namespace {

// Reads past one row of a tile.
const std::uint8_t* SkipRunRow(const std::uint8_t* s) {
    int used = 0;
    for (;;) {
        used += *s++;
        if (used == kRunTileWidth) return s;
        const int copy = *s++;
        s += copy;
        used += copy;
        if (used == kRunTileWidth) return s;
    }
}

struct CopyRun {
    void operator()(std::uint8_t* d, const std::uint8_t* s, int n) const {
        std::memcpy(d, s, static_cast<std::size_t>(n));
    }
};

struct BlendRun {
    const std::uint8_t* table;
    void operator()(std::uint8_t* d, const std::uint8_t* s, int n) const {
        for (int i = 0; i < n; ++i) d[i] = table[static_cast<unsigned>(s[i]) << 8 | d[i]];
    }
};

template <typename Run>
void DrawRunTile(const std::uint8_t* s, int x, int y, int h, Run run) {
    if (y < kWorldView.top) {
        const int above = std::min(kWorldView.top - y, h);
        for (int row = 0; row < above; ++row) s = SkipRunRow(s);
        y += above;
        h -= above;
    }
    const int rows = std::min(h, kWorldView.bottom + 1 - y);
    if (rows <= 0 || x > kWorldView.right || x + kRunTileWidth <= kWorldView.left) return;
    std::uint8_t* line = PixelAt(DrawTarget, DrawPitch, 0, y);
    if (x >= kWorldView.left && x + kRunTileWidth - 1 <= kWorldView.right) {
        // Wholly inside across: skips move the pen, runs are copied whole.
        for (int row = 0; row < rows; ++row, line += DrawPitch) {
            std::uint8_t* d = line + x;
            int used = 0;
            for (;;) {
                const int skip = *s++;
                used += skip;
                if (used == kRunTileWidth) break;
                const int copy = *s++;
                run(d + used, s, copy);
                s += copy;
                used += copy;
                if (used == kRunTileWidth) break;
            }
        }
        return;
    }
    // Cut at the left or the right edge: only the tile's columns first..last are written.
    const int first = std::max(0, kWorldView.left - x);
    const int last = std::min(kRunTileWidth, kWorldView.right + 1 - x);
    for (int row = 0; row < rows; ++row, line += DrawPitch) {
        int used = 0;
        for (;;) {
            used += *s++;
            if (used == kRunTileWidth) break;
            const int copy = *s++;
            const int from = std::max(used, first);
            const int to = std::min(used + copy, last);
            if (from < to) run(line + (x + from), s + (from - used), to - from);
            s += copy;
            used += copy;
            if (used == kRunTileWidth) break;
        }
    }
}

}  // namespace

void DrawRunSpriteClipped(const std::uint8_t* tile, int x, int y, int h) {
    DrawRunTile(tile, x, y, h, CopyRun{});
}

void DrawRunSpriteBlend20(const std::uint8_t* tile, int x, int y, int h) {
    DrawRunTile(tile, x, y, h, BlendRun{BlendTable20.data()});
}

}  // namespace kv
