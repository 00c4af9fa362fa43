#include "plain_map.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/mission_state.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv::plainmap {

void PlainMap(int width, int height) {
    MapWidth = static_cast<std::uint16_t>(width);
    MapHeight = static_cast<std::uint16_t>(height);
    MapCellCount = static_cast<std::uint16_t>(width * height);
    MapCells.assign(static_cast<std::size_t>(width * height), MapCell{0, 0x82, 1, 0});
    SetWorldMaxFromMap();
    // Terrain 1 is open ground for every class.
    constexpr int kClasses = 18;
    FreeTerrain();
    TerrainTypen.assign(2,
                        TerrainTyp{std::vector<std::int8_t>(kClasses, 100),
                                   std::vector<std::uint16_t>(kClasses, kNoTerrain), kNoTerrain});
    TerrainCount = 2;
    MoveClassCount = kClasses;
}

void SetWorldMaxFromMap() {
    WorldMaxX = static_cast<std::uint16_t>(kCellWidth * MapWidth - 16 * MapHeight - 1);
    WorldMaxY = static_cast<std::uint16_t>(kCellHeight * MapHeight - 1);
}

}  // namespace kv::plainmap
