#include "world/terrain_fixture.h"

#include <gtest/gtest.h>

#include "core/mission_state.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv::test {

void SetWorldMaxFromMap() {
    WorldMaxX = static_cast<std::uint16_t>(kCellWidth * MapWidth - 16 * MapHeight - 1);
    WorldMaxY = static_cast<std::uint16_t>(kCellHeight * MapHeight - 1);
}

void TerrainTest::loadLevel(const sampledata::LevelFile& level) {
    const std::vector<std::uint8_t> bytes = sampledata::WriteLevelFile(level);
    ASSERT_TRUE(LoadLevelMapFromBytes(bytes, "test.lev"));
    SetWorldMaxFromMap();
}

void TerrainTest::loadTerrain(std::span<const sampledata::TerrainRow> rows, int moveClasses) {
    writeFile("data/terrain.dat", sampledata::WriteTerrainFile(rows, moveClasses));
    WorkingDirectory cwd(cd.path());
    ASSERT_TRUE(LoadTerrain());
}

void TerrainTest::loadSampleMission(int mission) {
    CdPath = std::string(KV_SAMPLEDATA_DIR) + "/";
    WorkingDirectory cwd(KV_SAMPLEDATA_DIR);
    ASSERT_TRUE(LoadLevelMap(mission, 0));
    ASSERT_TRUE(LoadTerrain());
    SetWorldMaxFromMap();
}

}  // namespace kv::test
