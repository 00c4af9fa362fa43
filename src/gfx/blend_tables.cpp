#include "gfx/blend_tables.h"

#include <algorithm>
#include <string>

#include "core/fatal_error.h"
#include "gfx/image_files.h"
#include "platform/bytes.h"
#include "platform/data_folders.h"
#include "platform/files.h"

namespace kv {

BlendTable BlendTable20{};
BlendTable BlendTable50{};

void ComputeBlendTable(const GamePalette& palette, int percent, BlendTable& table) {
    int r[256];
    int g[256];
    int b[256];
    for (int i = 0; i < 256; ++i) {
        r[i] = palette[static_cast<std::size_t>(i) * 3];
        g[i] = palette[static_cast<std::size_t>(i) * 3 + 1];
        b[i] = palette[static_cast<std::size_t>(i) * 3 + 2];
    }
    const int rest = 100 - percent;
    for (int a = 0; a < 256; ++a) {
        for (int over = 0; over < 256; ++over) {
            const int mr = (percent * r[a] + rest * r[over]) / 100;
            const int mg = (percent * g[a] + rest * g[over]) / 100;
            const int mb = (percent * b[a] + rest * b[over]) / 100;
            int best = 0;
            int bestDistance = 0x7FFFFFFF;
            for (int i = 0; i < 256; ++i) {
                const int dr = mr - r[i];
                const int dg = mg - g[i];
                const int db = mb - b[i];
                const int distance = dr * dr + dg * dg + db * db;
                // Strictly smaller only: ties keep the lowest index.
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                    if (distance == 0) break;
                }
            }
            table[static_cast<std::size_t>(a) * 256 + over] = static_cast<std::uint8_t>(best);
        }
    }
}

std::vector<std::uint8_t> BlendCacheBytes(std::uint16_t percent,
                                          std::span<const std::uint8_t> table) {
    ByteWriter w;
    w.u16(percent);
    w.bytes(table);
    return w.take();
}

void LoadBlendTable(const BlendCache& cache, const GamePalette& palette, BlendTable& table) {
    if (const auto file = ReadFileBytes(ReadBackPath(cache.path));
        file && file->size() == kBlendCacheFileSize) {
        ByteReader reader(*file);
        if (reader.u16() == cache.percent) {
            std::copy(file->begin() + 2, file->end(), table.begin());
            return;
        }
    }
    ComputeBlendTable(palette, cache.percent, table);
    // Without a writable folder the table is simply made again next time.
    WriteFileAtomic(WritePath(cache.path), BlendCacheBytes(cache.percent, table));
}

void LoadTransTable20() {
    LoadBlendTable(kTransTable20, Palette, BlendTable20);
}

void LoadTransTable50() {
    LoadBlendTable(kTransTable50, Palette, BlendTable50);
}

void LoadMapTransTable() {
    GamePalette karte{};
    if (!ReadWholeFile(kKartePalPath, karte)) {
        FatalError(std::string(kKartePalPath) + " not found!");
        return;
    }
    LoadBlendTable(kMapTransTable, karte, BlendTable50);
}

}  // namespace kv
