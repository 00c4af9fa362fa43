#include "world/world_fixture.h"

#include <fstream>

#include "core/cd_path.h"

namespace kv::test {

void WorldTest::SetUp() {
    HeadlessTest::SetUp();
    CdPath = cd.path().string() + "/";
}

void WorldTest::TearDown() {
    HeadlessTest::TearDown();
}

void WorldTest::writeFile(const std::string& rel, const std::vector<std::uint8_t>& bytes) const {
    cd.write(rel, std::string(bytes.begin(), bytes.end()));
}

sampledata::LevelFile SmallLevel(int width, int height) {
    sampledata::LevelFile level;
    level.width = static_cast<std::uint16_t>(width);
    level.height = static_cast<std::uint16_t>(height);
    level.cells.assign(static_cast<std::size_t>(width * height), MapCell{0, 0x82, 1, 0});
    return level;
}

}  // namespace kv::test
