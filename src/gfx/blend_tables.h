#pragma once
// The colour-blend tables of the semi-transparent blitters: entry a x 256 + b is the palette index
// nearest to colour a mixed over colour b. Computing one takes 65536 nearest-colour searches, so
// each is kept in a cache file headed by the percentage it was made for.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "gfx/palette.h"

namespace kv {

inline constexpr std::size_t kBlendTableSize = 65536;
using BlendTable = std::array<std::uint8_t, kBlendTableSize>;

// 20 % of a over 80 % of b.
extern BlendTable BlendTable20;
// 45 % over 55 %, or 35 % over 65 % in the campaign map's colours while the map is shown.
extern BlendTable BlendTable50;

// One cache: its file and the percentage of the first colour. The "50" in two of the names is
// older than the mixes.
struct BlendCache {
    const char* path;
    std::uint16_t percent;
};
inline constexpr BlendCache kTransTable20{"graphs\\ttable20.dat", 20};
inline constexpr BlendCache kTransTable50{"graphs\\ttable50.dat", 45};
inline constexpr BlendCache kMapTransTable{"graphs\\ttmap50.dat", 35};
// The campaign map's own palette, which its table is made from.
inline constexpr const char* kKartePalPath = "basen\\karte.pal";
// The cache file: u16 percentage, then the 65536 table bytes.
inline constexpr std::size_t kBlendCacheFileSize = 2 + kBlendTableSize;

// The table for a palette: each mix (percent x a + (100 - percent) x b) / 100 per component,
// matched to the entry at the smallest squared distance, the lowest index on a tie.
void ComputeBlendTable(const GamePalette& palette, int percent, BlendTable& table);

// The cache file's bytes for a table.
std::vector<std::uint8_t> BlendCacheBytes(std::uint16_t percent,
                                          std::span<const std::uint8_t> table);

// Fills a table from its cache when the file has the expected percentage and its full length;
// otherwise computes it and writes the cache anew. A cache that cannot be written is no error.
void LoadBlendTable(const BlendCache& cache, const GamePalette& palette, BlendTable& table);

// BlendTable20 and BlendTable50 from the current Palette.
void LoadTransTable20();
void LoadTransTable50();
// BlendTable50 for the campaign map from "basen\karte.pal"; a missing palette is fatal
// ("basen\karte.pal not found!").
void LoadMapTransTable();

}  // namespace kv
