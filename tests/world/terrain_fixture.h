#pragma once
// A map with a terrain table for the movement code: small levels typed in the test, or a mission's
// generated level; both through the file writers and loaders, with the map limits set as the
// mission start sets them.

#include <memory>
#include <span>

#include "plain_map.h"
#include "world/world_fixture.h"
#include "writers/level_writer.h"
#include "writers/terrain_writer.h"

namespace kv::test {

class TerrainTest : public WorldTest {
  protected:
    void loadLevel(const sampledata::LevelFile& level);
    void loadTerrain(std::span<const sampledata::TerrainRow> rows, int moveClasses);
    // The generated sample data's level and terrain of a mission.
    void loadSampleMission(int mission);
};

using plainmap::SetWorldMaxFromMap;

}  // namespace kv::test
