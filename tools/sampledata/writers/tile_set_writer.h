#pragma once
// Tile set files "CDmissions\mi%02d.dat": the tile records, the run-encoded 48-pixel images and
// the two phase blocks.

#include <cstdint>
#include <vector>

#include "world/tile_set.h"

namespace kv::sampledata {

struct TileSetFile {
    std::vector<TileTyp> tiles;
    RunImageSet images;
    // One byte per image each; an empty block is left out of the file (B only after A).
    std::vector<std::uint8_t> phaseA;
    std::vector<std::uint8_t> phaseB;
};

std::vector<std::uint8_t> WriteTileSetFile(const TileSetFile& set);

}  // namespace kv::sampledata
