#include "world/terrain_fixture.h"

#include <gtest/gtest.h>

#include "world/level_map.h"
#include "world/terrain.h"

namespace kv::test {

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
