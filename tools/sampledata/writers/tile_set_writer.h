#pragma once
// Tile set files "CDmissions\mi%02d.dat": the tile records, the run-encoded 48-pixel images and
// the two phase blocks.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/bytes.h"
#include "world/tile_set.h"

namespace kv::sampledata {

// What the loader reads. One phase byte per image each; an empty block is left out of the file
// (B only after A).
using TileSetFile = TileSetData;

std::vector<std::uint8_t> WriteTileSetFile(const TileSetFile& set);

// A u16 count and the tile records, then a u16 count and the images: how tile sets and house
// picture sets begin.
void WriteTileRecordsAndImages(ByteWriter& out, std::span<const TileTyp> tiles,
                               const RunImageSet& images);

}  // namespace kv::sampledata
