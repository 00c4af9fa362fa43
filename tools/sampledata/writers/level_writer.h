#pragma once
// Level files "CDmissions\mi%02d.lev": magic, size, the cells column by column, the cells burning
// at the start, the road graph.

#include <cstdint>
#include <string>
#include <vector>

#include "world/level_map.h"

namespace kv::sampledata {

struct LevelFile {
    std::string magic = std::string(kLevelMagic);
    std::uint16_t infoWord = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::vector<MapCell> cells;    // width x height, column-major
    std::vector<CellPos> burning;  // column, row
    std::vector<RoadNode> nodes;
};

std::vector<std::uint8_t> WriteLevelFile(const LevelFile& level);

}  // namespace kv::sampledata
