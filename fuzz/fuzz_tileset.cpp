// Tile sets: any bytes either load (and animate a small map) or are refused.

#include <cstdint>
#include <span>

#include "support/fuzz_support.h"
#include "world/level_map.h"
#include "world/tile_set.h"
#include "writers/level_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    // A 4 x 3 map of tiles 0..2 and one house link.
    static const std::vector<std::uint8_t> level = [] {
        kv::sampledata::LevelFile l;
        l.width = 4;
        l.height = 3;
        l.cells.resize(12);
        for (std::size_t i = 0; i < l.cells.size(); ++i)
            l.cells[i].tile = static_cast<std::uint16_t>(i % 3);
        l.cells[5].tile = kv::kHouseLinkBase + 0x11;
        return kv::sampledata::WriteLevelFile(l);
    }();
    if (!kv::LoadLevelMapFromBytes(level, "fuzz.lev")) return 0;
    if (kv::LoadTileSetFromBytes(std::span(data, size), "fuzz.dat"))
        for (int tick = 0; tick < 300; ++tick) kv::UpdateCellAnimations();
    kv::FreeTileSet();
    kv::FreeLevelMap();
    return 0;
}
