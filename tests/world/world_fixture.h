#pragma once
// Tests of the world start from an empty map, tile set, terrain and material table, and find
// the mission files in a scratch folder that stands for the CD directory.

#include <cstdint>
#include <string>
#include <vector>

#include "core/cd_path.h"
#include "support/headless_test.h"
#include "writers/level_writer.h"

namespace kv::test {

class WorldTest : public HeadlessTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Writes a file below the scratch CD directory ("missions/mi01.lev").
    void writeFile(const std::string& rel, const std::vector<std::uint8_t>& bytes) const;
    ScratchDir cd;
};

// A width x height level whose cells are grass-like (tile 0, material 0x82, terrain 1), no fires,
// no nodes.
sampledata::LevelFile SmallLevel(int width, int height);

}  // namespace kv::test
