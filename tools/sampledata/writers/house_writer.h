#pragma once
// House files "houses\haus%02d.hlv", the house picture sets "houses\hl%02d.dat" (and hm, hu, ho)
// and the flame sets "houses\lb%02d.dat" (and mb, ub).

#include <cstdint>
#include <string>
#include <vector>

#include "world/house_types.h"
#include "writers/tile_set_writer.h"

namespace kv::sampledata {

struct HouseFloorData {
    std::uint16_t extentI = 0;
    std::uint16_t extentJ = 0;
    std::vector<HouseCell> cells;  // extentI x extentJ, I outer, J inner
};

struct HouseFile {
    std::string magic = std::string(kHouseMagic);
    std::vector<HouseFloorData> floors;
};

std::vector<std::uint8_t> WriteHouseFile(const HouseFile& house);

// A table of tile records and the run-encoded images it names, as a tile set holds them but
// without the phase blocks.
struct HouseImageSetFile {
    std::vector<TileTyp> table;
    RunImageSet images;
};
std::vector<std::uint8_t> WriteHouseImageSetFile(const HouseImageSetFile& set);

// One flame overlay: its run-encoded frames, 48 pixels wide, and the ticks each frame is held
// beyond its first.
struct HouseFlameSetFile {
    std::uint16_t spare = 0;  // stands between the counts, not read
    std::uint16_t ticks = 0;
    RunImageSet frames;
};
std::vector<std::uint8_t> WriteHouseFlameSetFile(const HouseFlameSetFile& set);

}  // namespace kv::sampledata
