#pragma once
// Persons in and around houses on a plain map: a test house set-up places a furnished type-4
// house (4 floors, door at the front) that may be marked, and houses of types 18, 21 and 25 with
// their doors at the rear, on the left and on the right.

#include <cstdint>
#include <vector>

#include "persons/person_fixture.h"
#include "world/houses.h"
#include "world/level_map.h"

namespace kv::test {

// The houses in their slots: 0 type 4, 1 type 18, 2 type 21, 3 type 25.
inline constexpr int kFrontDoorHouse = 0;
inline constexpr int kRearDoorHouse = 1;
inline constexpr int kLeftDoorHouse = 2;
inline constexpr int kRightDoorHouse = 3;

class PersonHouseTest : public PersonTest {
  protected:
    void SetUp() override;

    static House& house(int n) { return Houses[static_cast<std::size_t>(n)]; }
    static std::int16_t count(int n, int storey) {
        return house(n).floors[static_cast<std::size_t>(storey - 1)].personCount;
    }
    // A person of the type standing reset at the point, outside or on a storey of a house.
    std::int16_t at(int type, PixelPos point, int storey = 0, int houseIndex = -1,
                    std::uint8_t controlFlags = 0, int direction = 0);
    // Whether the point lies on a cell of the house.
    static bool onHouse(int n, float x, float y);
    // Fills a storey of a house with big persons, so that no person's box fits anywhere on it.
    void fillStorey(int n, int storey);
    // The slots in use, but for those listed.
    std::vector<std::int16_t> othersThan(std::initializer_list<std::int16_t> known) const;
    // Runs the person update n times.
    static void ticks(int n);
    // Runs ticks until the person's queue is empty; false when it never was within max.
    static bool tickUntilIdle(std::int16_t p, int max);
};

}  // namespace kv::test
