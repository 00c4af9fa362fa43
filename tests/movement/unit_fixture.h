#pragma once
// Bare unit heads registered as the person and vehicle arrays, and unit types made in the test,
// on a map with a terrain table.

#include <array>
#include <cstdint>
#include <vector>

#include "core/unit_head.h"
#include "movement/unit_type.h"
#include "world/terrain_fixture.h"

namespace kv::test {

// Two animations (stand and walk) alike in every direction: the hot spot and one box relative to
// the image's top-left corner.
struct TestUnitTyp {
    TestUnitTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass);
    TestUnitTyp(const TestUnitTyp&) = delete;
    TestUnitTyp& operator=(const TestUnitTyp&) = delete;
    void setBox(std::int16_t hotX, std::int16_t hotY, std::array<std::int16_t, 4> box);

    std::array<AnimSlot, 2> slots{};
    UnitTypHead head{};
};

class UnitTest : public TerrainTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Puts a test type's animations into the person or vehicle type table at index t, taken out
    // again at the end of the test.
    void installPersonTyp(int t, const TestUnitTyp& typ);
    void installFahrzeugTyp(int t, const TestUnitTyp& typ);

    static std::array<UnitHead, 4> vehicles;
    static std::array<UnitHead, 4> persons;

  private:
    std::vector<int> installedPersons_;
    std::vector<int> installedFahrzeuge_;
};

}  // namespace kv::test
