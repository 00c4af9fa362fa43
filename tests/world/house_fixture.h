#pragma once
// Tests of houses and furniture: a small level, house files and pictures written into a scratch
// folder that is also the working directory, and a house set-up for mission 1 that places what
// the test lists.

#include <cstdint>
#include <memory>
#include <vector>

#include "world/world_fixture.h"
#include "writers/house_writer.h"

namespace kv::test {

struct Placement {
    int type = 0;
    int x = 0;
    int y = 0;
    int hlSet = 0;
    int upperSet = 0;
    int markable = 0;
};

// Runs the house set-up of mission 1 with these houses; count (when not negative) is the slot
// count the set-up asks for.
bool PlaceHouses(const std::vector<Placement>& houses, int count = -1);
// Houses, hover and view back to their start.
void ResetHouseState();

class HouseTest : public WorldTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A width x height level of grass, loaded.
    void level(int width, int height);
    void writeHouse(int type, const sampledata::HouseFile& file) const;
    // Picture sets of blank images: hl set n and the hm, hu and ho sets n.
    void writePictures(int hlSet, int upperSet) const;
    // Every flame set with this many frames and ticks.
    void writeFlameSets(int frames, int ticks) const;
    // Every furniture picture: one frame for a normal and a burnt look, the fire's 12 for a
    // burning one.
    void writeFurniture() const;
    bool place(const std::vector<Placement>& houses, int count = -1) {
        return PlaceHouses(houses, count);
    }

  private:
    std::unique_ptr<WorkingDirectory> cwd_;
};

// A house file of floors floors, each extentI x extentJ cells on which the building stands.
sampledata::HouseFile BoxHouse(int extentI, int extentJ, int floors, std::uint8_t material = 5);

}  // namespace kv::test
