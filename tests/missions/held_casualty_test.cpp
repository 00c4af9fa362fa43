// Casualties held by a wreck: out of the world until released, then laid beside it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "missions/held_casualty.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "persons/personen.h"
#include "support/sample_mission_test.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

// Mission 8's sign holds the casualty; type 28 lies in that mission, so its pictures are loaded.
constexpr std::int16_t kHolder = 0;
constexpr std::int8_t kTyp = 28;
constexpr float kX = 700.0f;
constexpr float kY = 949.0f;

class HeldCasualty : public test::SampleMissionTest {
  protected:
    HeldCasualty() : SampleMissionTest(8, 3) {}

    static long usedObjects() {
        return std::count_if(SonderObjs.begin(), SonderObjs.end(),
                             [](const SonderObj& o) { return o.type != -1; });
    }
    std::int16_t hold() {
        const long before = usedObjects();
        const std::int16_t i = CreateHeldCasualty(kTyp, 500000, 40, 300, kHolder);
        EXPECT_GE(i, 0);
        EXPECT_EQ(usedObjects(), before) << "no ground object, not even for a loaded type";
        return i;
    }
};

TEST_F(HeldCasualty, IsAbsentTiedToItsObjectAndBleeds) {
    ASSERT_TRUE(PersonTypLoaded(kTyp));
    const std::int16_t i = hold();
    ASSERT_GE(i, 0);
    const Person& p = P(i);
    EXPECT_EQ(p.casualty, 1);
    EXPECT_EQ(p.offMap, 1);
    EXPECT_EQ(p.present, 0);
    EXPECT_EQ(p.storey, 0);
    EXPECT_EQ(p.direction, 3);
    EXPECT_EQ(p.link, kNoLink);
    EXPECT_EQ(O(kHolder).user, i);
    UpdatePersonen();
    EXPECT_EQ(p.energy, 500000 - 40);
    EXPECT_EQ(CreateHeldCasualty(kTyp, 500000, 40, 300, 9999), -1) << "no such object";
}

TEST_F(HeldCasualty, ReleaseLaysItBesideTheObjectOnce) {
    const std::int16_t i = hold();
    ASSERT_GE(i, 0);
    const long before = usedObjects();
    ReleaseHeldPerson(kHolder, kX, kY, 7);
    const Person& p = P(i);
    EXPECT_EQ(p.offMap, 0);
    EXPECT_EQ(p.present, 1);
    EXPECT_NEAR(p.x, kX, 20.0f);
    EXPECT_NEAR(p.y, kY, 20.0f);
    EXPECT_EQ(usedObjects(), before + 1) << "its ground object";
    EXPECT_EQ(O(kHolder).user, -1);

    // Again, or with a user that names a person no longer held: nothing moves, nothing is laid.
    const float x = p.x;
    ReleaseHeldPerson(kHolder, 100.0f, 100.0f, 7);
    O(kHolder).user = i;
    ReleaseHeldPerson(kHolder, 100.0f, 100.0f, 7);
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(usedObjects(), before + 1);
    EXPECT_EQ(O(kHolder).user, -1);
    for (const std::int16_t stale : {std::int16_t{-2}, std::int16_t{5000}}) {
        O(kHolder).user = stale;
        ReleaseHeldPerson(kHolder, 100.0f, 100.0f, 7);
        EXPECT_EQ(O(kHolder).user, -1) << stale;
    }
    ReleaseHeldPerson(9999, kX, kY, 7);  // no such object: nothing
}

}  // namespace
}  // namespace kv
