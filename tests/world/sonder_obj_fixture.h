#pragma once
// Special objects on a small map: the common types from the generated pictures, a material table
// with simple numbers, test types in the mission slots, and a few persons and vehicles that the
// objects can meet.

#include <array>
#include <cstdint>
#include <memory>

#include "core/unit_head.h"
#include "movement/unit_type.h"
#include "world/sonder_obj.h"
#include "world/terrain_fixture.h"

namespace kv::test {

// Material 1: fuel 10000, maxHeat 500, gain 50, ignite 300, loss 20.
inline constexpr std::uint8_t kTestMaterial = 1;
// The map is 40 x 20 cells of terrain 1; terrain 2 is impassable for every class.
inline constexpr std::uint8_t kWallTerrain = 2;
inline constexpr int kTestFixedSlots = 4;
// The first test type slot, and how many the fixture leaves for tests.
inline constexpr std::int16_t kTestTyp = kCommonSonderObjTypen;
inline constexpr int kTestTypen = 8;

struct TestUnit {
    UnitHead head;
    std::uint8_t offMap = 0;
    AnimSlot anim{};
};

class SonderObjTest : public TerrainTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A type in slot `slot` with frames pictures of 8 x 8, the given timing, box and fire.
    static void makeType(int slot, int frames, int ticks, std::array<std::int16_t, 4> box,
                         std::uint8_t material = 0, std::int8_t explosionKind = 0,
                         std::uint8_t vanishes = 1);
    // A unit at (x, y) whose hit box is box, relative to its draw corner (x, y).
    static TestUnit& person(int index, int type, float x, float y, std::array<std::int16_t, 4> box);
    static TestUnit& vehicle(int index, int type, float x, float y,
                             std::array<std::int16_t, 4> box);

    static std::array<TestUnit, 4> persons;
    static std::array<TestUnit, 4> vehicles;

  private:
    std::unique_ptr<WorkingDirectory> cwd_;
};

}  // namespace kv::test
