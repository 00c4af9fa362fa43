// Special objects: their stored layout, the arrays, creation and release, and the command lists.

#include "world/sonder_obj.h"

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_hooks.h"
#include "core/unit_views.h"
#include "persons/person_types.h"
#include "support/record_offsets.h"
#include "world/materials.h"
#include "world/sonder_obj_fixture.h"

namespace kv {
namespace {

using test::SonderObjTest;

TEST(SonderObjRecords, StoredLayout) {
    test::ExpectLayout<SonderObj>(40, {{"type", 0},
                                       {"x", 2},
                                       {"y", 6},
                                       {"z", 10},
                                       {"storey", 14},
                                       {"user", 15},
                                       {"blockMask", 17},
                                       {"visible", 18},
                                       {"pushable", 19},
                                       {"drawStyle", 20},
                                       {"oneShot", 21},
                                       {"depthLayer", 22},
                                       {"commands", 23},
                                       {"frame", 27},
                                       {"tick", 29},
                                       {"heat", 31},
                                       {"fuel", 35},
                                       {"burning", 39}});
    test::ExpectLayout<SonderObjCommand>(
        12, {{"kind", 0}, {"a", 1}, {"b", 3}, {"c", 5}, {"flags", 7}, {"next", 8}});
    test::ExpectLayout<FlightBlock>(
        16, {{"stepX", 0}, {"stepY", 4}, {"speed", 8}, {"travelled", 12}, {"distance", 14}});
}

TEST_F(SonderObjTest, AllocSizesTheArraysAndSetsTheDefaults) {
    EXPECT_EQ(FixedSonderObjCount, test::kTestFixedSlots);
    EXPECT_EQ(SonderObjCount, test::kTestFixedSlots + 130 + 250) << "room for 130 vehicles";
    EXPECT_EQ(SonderObjTypCount, test::kTestTyp + test::kTestTypen + 28);
    for (int i = 0; i < SonderObjCount; ++i) {
        const SonderObj& o = *SonderObjAt(i);
        EXPECT_EQ(o.type, -1);
        EXPECT_EQ(o.user, -1);
        EXPECT_EQ(o.blockMask, 15);
        EXPECT_EQ(o.visible, 1);
        EXPECT_FALSE(o.commands);
    }
    for (int t = 0; t < SonderObjTypCount; ++t) {
        const SonderObjTyp& typ = *SonderObjTypAt(t);
        EXPECT_EQ(typ.frames != nullptr, t < kCommonSonderObjTypen) << t;
        if (t >= kCommonSonderObjTypen) {
            EXPECT_EQ(typ.explosionKind, 0);
            EXPECT_EQ(typ.vanishes, 1);
            EXPECT_EQ(typ.material, 0);
        }
        EXPECT_EQ(typ.burningTyp, t);
        EXPECT_EQ(typ.burntTyp, t);
        EXPECT_EQ(typ.extinguishedTyp, t);
    }
    EXPECT_EQ(FindFreeSonderObjTyp(), test::kTestTyp);

    // The view that sound follows.
    EXPECT_EQ(SonderObjPlaces.count, SonderObjCount);
    CreateSonderObj(5, kSobjHydrant, 100, 200, 0, 15, 0, 0.0f, 0);
    SonderObjPlace place;
    ASSERT_TRUE(SonderObjPlaces.get(5, place));
    EXPECT_EQ(place.type, kSobjHydrant);
    EXPECT_EQ(place.x, 100.0f);
    EXPECT_EQ(place.boxY0, 8);
    EXPECT_EQ(place.boxX1, 7);
    EXPECT_FALSE(SonderObjPlaces.get(6, place));

    // A mission with fewer types than the common ones still gets them, and a second call frees
    // the first arrays (the sanitizer sees any leak).
    AppendSonderObjCommand(5, kCmdPontoonSlide, 1, 2, 3, 0);
    SonderObjTypCount = 3;
    SonderObjCount = 0;
    AllocSonderObj();
    EXPECT_EQ(SonderObjTypCount, 18 + 28);
    EXPECT_EQ(SonderObjCount, 380);
    EXPECT_EQ(SonderObjAt(5)->type, -1);

    FreeSonderObj();
    EXPECT_EQ(SonderObjPlaces.count, 0);
    EXPECT_EQ(SonderObjAt(0), nullptr);
}

TEST_F(SonderObjTest, FreeSlotsAreSearchedAboveTheFixedOnes) {
    EXPECT_EQ(FindFreeSonderObj(), test::kTestFixedSlots) << "slots 0..3 stay the mission's";
    for (int i = test::kTestFixedSlots; i < SonderObjCount - 1; ++i)
        CreateSonderObj(i, kSobjHydrant, 0, 0, 0, 15, 0, 0.0f, 0);
    EXPECT_EQ(FindFreeSonderObj(), SonderObjCount - 1);
    AddHydrant(10, 20);
    EXPECT_EQ(SonderObjAt(SonderObjCount - 1)->type, kSobjHydrant);
    EXPECT_EQ(FindFreeSonderObj(), -1);
    AddHydrant(30, 40);  // no room: nothing happens
    EXPECT_EQ(SonderObjAt(0)->type, -1);
}

TEST_F(SonderObjTest, CreateFillsTheSlot) {
    makeType(test::kTestTyp, 1, 1, {0, 0, 7, 7}, test::kTestMaterial);
    SonderObj& o = *SonderObjAt(2);
    o.visible = 0;
    o.burning = 1;
    BurningSonderObjCount = 1;
    AppendSonderObjCommand(2, kCmdThrown, FlightBlock{1, 0, 10, 0, 30}, 0, 0);
    AppendSonderObjCommand(2, kCmdOpen, 0, 0, 0, 0);

    EXPECT_EQ(CreateSonderObj(2, test::kTestTyp, 747, 570, 3, 2, 1, 44.0f, 1), 2);
    EXPECT_EQ(o.type, test::kTestTyp);
    EXPECT_EQ(o.x, 747.0f);
    EXPECT_EQ(o.y, 570.0f);
    EXPECT_EQ(o.z, 44.0f) << "a float argument, stored as it is";
    EXPECT_EQ(o.frame, 3);
    EXPECT_EQ(o.blockMask, 2);
    EXPECT_EQ(o.depthLayer, 1);
    EXPECT_EQ(o.pushable, 1);
    EXPECT_EQ(o.visible, 0) << "creators keep visible";
    EXPECT_EQ(o.fuel, MaterialOf(test::kTestMaterial).fuel);
    EXPECT_EQ(o.user, -1);
    EXPECT_EQ(o.burning, 0);
    EXPECT_EQ(BurningSonderObjCount, 0) << "the fire the slot held is no longer counted";
    EXPECT_FALSE(o.commands) << "the old list is freed";

    EXPECT_EQ(CreateSonderObj(SonderObjCount, kSobjHydrant, 0, 0, 0, 15, 0, 0.0f, 0), 0);
    EXPECT_EQ(CreateSonderObj(-1, kSobjHydrant, 0, 0, 0, 15, 0, 0.0f, 0), 0);
    EXPECT_FALSE(FatalErrorRaised()) << "a slot outside the array does nothing";

    // A type without pictures, and one outside the array, are fatal; the slot is untouched.
    EXPECT_EQ(CreateSonderObj(2, test::kTestTyp + 1, 0, 0, 0, 15, 0, 0.0f, 0), 0);
    EXPECT_EQ(FatalErrorMessage(), "Sonderobjtyp not available");
    EXPECT_EQ(o.type, test::kTestTyp);
    ResetFatalError();
    CreateSonderObj(2, SonderObjTypCount, 0, 0, 0, 15, 0, 0.0f, 0);
    EXPECT_EQ(FatalErrorMessage(), "Sonderobjtyp not available");
}

TEST_F(SonderObjTest, FreeingASlot) {
    for (int slot : {1, 6}) {
        CreateSonderObj(slot, kSobjHolzstapel, 0, 0, 0, 15, 0, 0.0f, 0);
        SonderObj& o = *SonderObjAt(slot);
        o.visible = 0;
        o.burning = 1;
        ++BurningSonderObjCount;
        SetSonderObjCommand(slot, kCmdRingFlight, FlightBlock{0, 1, 5, 0, 40});
        FreeSonderObjSlot(slot);
        EXPECT_EQ(o.type, -1);
        EXPECT_FALSE(o.commands);
        EXPECT_EQ(o.burning, 0);
        // A fixed slot is the script's: it keeps what it set.
        EXPECT_EQ(o.visible, slot >= test::kTestFixedSlots ? 1 : 0) << slot;
    }
    EXPECT_EQ(BurningSonderObjCount, 0);
}

TEST_F(SonderObjTest, CommandLists) {
    AppendSonderObjCommand(3, kCmdOpen, 1, 2, 3, 0);
    AppendSonderObjCommand(3, kCmdClose, 4, 5, 6, kCmdStarted);
    PushSonderObjCommand(3, kCmdTent, 7, 8, 9);
    SonderObj& o = *SonderObjAt(3);
    ASSERT_TRUE(o.commands);
    EXPECT_EQ(o.commands->kind, kCmdTent);
    EXPECT_EQ(o.commands->next->kind, kCmdOpen);
    EXPECT_EQ(o.commands->next->next->kind, kCmdClose);
    EXPECT_EQ(o.commands->next->next->flags, kCmdStarted);
    EXPECT_EQ(o.commands->next->next->c, 6);
    PopSonderObjCommand(3);
    EXPECT_EQ(o.commands->kind, kCmdOpen);

    SetSonderObjCommand(3, kCmdThrown, FlightBlock{0.6f, 0.8f, 12, 0, 50});
    ASSERT_TRUE(o.commands);
    EXPECT_FALSE(o.commands->next) << "Set clears first";
    ASSERT_TRUE(o.commands->flight);
    EXPECT_EQ(o.commands->flight->distance, 50);
    EXPECT_EQ(o.commands->a, 0);
    PopSonderObjCommand(3);  // the flight block goes with its command (the sanitizer checks)
    EXPECT_FALSE(o.commands);
    PopSonderObjCommand(3);  // an empty list stays empty

    // Slots outside the array are left alone.
    AppendSonderObjCommand(SonderObjCount, kCmdOpen, 0, 0, 0, 0);
    SetSonderObjCommand(-1, kCmdThrown, FlightBlock{});
    ClearSonderObjCommands(SonderObjCount);
}

TEST_F(SonderObjTest, LinksLeadOnlyToObjectTypes) {
    makeType(test::kTestTyp, 1, 1, {0, 0, 7, 7});
    makeType(test::kTestTyp + 1, 4, 1, {0, 0, 7, 7});
    SonderObjTypAt(test::kTestTyp + 1)->objectSet = 0;  // an explosion animation
    const std::int16_t from = kSobjHolzstapel;
    EXPECT_EQ(FollowSonderObjTypLink(from, test::kTestTyp), test::kTestTyp);
    EXPECT_EQ(FollowSonderObjTypLink(from, test::kTestTyp + 1), from);
    EXPECT_EQ(FollowSonderObjTypLink(from, test::kTestTyp + 2), from) << "an empty slot";
    EXPECT_EQ(FollowSonderObjTypLink(from, 65535), from);
    EXPECT_EQ(FollowSonderObjTypLink(from, from), from);
}

TEST_F(SonderObjTest, APersonLyingLeavesOneObject) {
    PersonTyp& t = PersonTypen[0];
    const auto saved = std::make_pair(t.lyingObjKind, t.lyingObjOffset);
    t.lyingObjKind.fill(-1);
    t.lyingObjKind[1] = 3;
    t.lyingObjOffset[1] = {2, 5};
    test::TestUnit& p = person(2, 0, 300.7f, 200.2f, {0, 0, 10, 10});
    p.head.direction = 1;
    p.head.drawX = 290;
    p.head.drawY = 180;
    p.head.storey = 2;

    AddPersonSonderObj(2);
    const std::int16_t slot = test::kTestFixedSlots;
    const SonderObj& o = *SonderObjAt(slot);
    EXPECT_EQ(o.type, 3);
    EXPECT_EQ(o.x, 292.0f) << "from the draw corner";
    EXPECT_EQ(o.y, 185.0f);
    EXPECT_EQ(o.storey, 2);
    EXPECT_EQ(o.blockMask, 0);
    EXPECT_EQ(o.depthLayer, 1);
    AddPersonSonderObj(2);
    EXPECT_EQ(SonderObjAt(slot + 1)->type, -1) << "one object per place";

    p.head.direction = 9;  // this direction leaves none
    AddPersonSonderObj(2);
    EXPECT_EQ(SonderObjAt(slot + 1)->type, -1);
    AddPersonSonderObj(7);  // nobody
    EXPECT_EQ(SonderObjAt(slot + 1)->type, -1);
    t.lyingObjKind = saved.first;
    t.lyingObjOffset = saved.second;
}

void TestInitSonderObj() {
    SonderObjTypCount = 20;
    SonderObjCount = 2;
    AllocSonderObj();
    CreateSonderObj(0, kSobjPonton, 10, 10, 0, 15, 0, 0.0f, 1);
}

TEST_F(SonderObjTest, InitRunsTheMissionsSetUpAndClearsTheFreeSlots) {
    MissionHookRows[0].InitSonderObj = &TestInitSonderObj;
    InitSonderObj(1);
    EXPECT_EQ(SonderObjCount, 2 + 380);
    EXPECT_EQ(SonderObjAt(0)->blockMask, 15);
    EXPECT_EQ(SonderObjAt(0)->pushable, 1);
    for (int i = 1; i < SonderObjCount; ++i) {
        EXPECT_EQ(SonderObjAt(i)->blockMask, 0);
        EXPECT_EQ(SonderObjAt(i)->pushable, 0);
    }

    // Without a set-up: the message, and nothing touched.
    FreeSonderObj();
    InitSonderObj(2);
    EXPECT_EQ(FatalErrorMessage(), "InitSonderObj not defined");
    EXPECT_EQ(SonderObjCount, 0);
}

}  // namespace
}  // namespace kv
