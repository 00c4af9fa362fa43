#pragma once
// Persons on a plain map of the generated sample data with the common special objects (lying
// casualties leave theirs), the scream sounds loaded, a few bare vehicle heads, and a counter of
// the selection recomputations the simulation asks for.

#include <array>
#include <cstdint>
#include <vector>

#include "persons/person_fixture.h"

namespace kv::test {

class PersonUpdateTest : public PersonTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A standing person of the type at (x, y) in the first free slot.
    std::int16_t stand(int type, float x, float y, int direction = 0);
    // A casualty lying there (direction 1), as the mission set-ups create them.
    std::int16_t lying(int type, float x, float y, std::int32_t energy, std::int16_t loss = 20,
                       std::int16_t gain = 300);
    // Runs the person update n times.
    static void ticks(int n);
    // The slots in use other than those listed, in slot order.
    std::vector<std::int16_t> othersThan(std::initializer_list<std::int16_t> known) const;
    static int usedSonderObjs();
    // Whether the person's own scream (id shifted by its type's sound group) plays.
    static bool screams(std::int16_t person, int id);

    // Vehicle heads 0..2; a type and a position make one a vehicle in use. Their types are not
    // loaded: the points beside them lie at the table's offsets from their positions.
    static std::array<UnitHead, 3> vehicles;
    // The picture each shows (width x height); its pixels are never read.
    static VffImage& vehicleImage;
    static int selectionUpdates;

  private:
    // The picture and the end of its set, as a loaded set holds them.
    static std::array<VffImage, 2> vehicleImages_;
    static std::array<std::uint8_t, 1> vehiclePixels_;
    static std::array<AnimSlot, 1> vehicleSlot_;
};

}  // namespace kv::test
