// The per-tick update of special objects: animation, fire and the command kinds.

#include <gtest/gtest.h>

#include <vector>

#include "core/fire_counts.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "media/sound_slots.h"
#include "platform/sound.h"
#include "world/ballistics.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_fixture.h"

namespace kv {
namespace {

struct Calls {
    std::vector<int> exploded;
    std::vector<int> damaged;
    struct End {
        int slot, anim, kind;
    };
    std::vector<End> ended;
};
Calls calls;

class SonderObjUpdate : public test::SonderObjTest {
  protected:
    void SetUp() override {
        SonderObjTest::SetUp();
        m = MaterialOf(test::kTestMaterial);
        calls = {};
        ExplosionWatcher.explodeSonderObj = [](std::int16_t s) { calls.exploded.push_back(s); };
        ExplosionWatcher.damage = [](int kind, int i) {
            if (kind == kDamageFromSonderObj) calls.damaged.push_back(i);
        };
        ExplosionWatcher.end = [](std::int16_t s, std::uint16_t a, std::uint16_t k) {
            calls.ended.push_back({s, a, k});
        };
    }
    // An object of a test type in slot 4, the first slot above the fixed ones.
    static SonderObj& object(int type, float x = 100, float y = 100) {
        CreateSonderObj(kSlot, type, 0, 0, 0, 15, 0, 0.0f, 0);
        SonderObj& o = *SonderObjAt(kSlot);
        o.x = x;
        o.y = y;
        return o;
    }
    static void ticks(int n) {
        for (int i = 0; i < n; ++i) UpdateSonderObj();
    }
    static constexpr int kSlot = test::kTestFixedSlots;
    static constexpr std::int16_t kTyp = test::kTestTyp;
    Material m;  // the test material, once loaded
};

TEST_F(SonderObjUpdate, AnimationWrapsOrEndsTheOneShot) {
    makeType(kTyp, 12, 2, {0, 0, 7, 7});
    SonderObj& o = object(kTyp);
    std::vector<int> shown;
    for (int t = 0; t < 24; ++t) {
        UpdateSonderObj();
        shown.push_back(o.frame);
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 1, 1, 2, 2, 3, 3, 4,  4,  5,  5,  6,
                                       6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 0}));

    // A one-shot frees its slot after its last frame, and nothing else of it runs that tick.
    makeType(kTyp + 1, 3, 1, {0, 0, 7, 7}, test::kTestMaterial);
    SonderObj& shot = object(kTyp + 1);
    shot.oneShot = 1;
    shot.visible = 0;
    AppendSonderObjCommand(kSlot, kCmdPontoonSlide, 0, 0, 0, 0);
    ticks(2);
    EXPECT_EQ(shot.type, kTyp + 1);
    shot.heat = m.ignite + 1;  // would explode, if the fire step ran
    UpdateSonderObj();
    EXPECT_EQ(shot.type, -1);
    EXPECT_EQ(shot.heat, m.ignite + 1) << "no fire step on a freed slot";
    EXPECT_FALSE(shot.commands);
    EXPECT_EQ(shot.visible, 1);
    EXPECT_TRUE(calls.exploded.empty());
}

TEST_F(SonderObjUpdate, HeatCoolsIgnitesOrExplodesAtTheThreshold) {
    makeType(kTyp, 1, 1, {0, 0, 7, 7}, test::kTestMaterial, kCatchesFire);
    makeType(kTyp + 1, 1, 1, {0, 0, 7, 7}, test::kTestMaterial);
    makeType(kTyp + 2, 12, 2, {0, 0, 7, 7}, test::kTestMaterial, kCatchesFire);
    SonderObjTypAt(kTyp)->burningTyp = kTyp + 2;

    SonderObj& o = object(kTyp);
    o.heat = m.ignite;
    UpdateSonderObj();
    EXPECT_EQ(o.heat, m.ignite - m.loss) << "at the threshold it cools";
    EXPECT_EQ(o.burning, 0);
    o.heat = 5;
    UpdateSonderObj();
    EXPECT_EQ(o.heat, 0) << "never below 0";

    o.heat = m.ignite + 1;
    UpdateSonderObj();
    EXPECT_EQ(o.burning, 1);
    EXPECT_EQ(BurningSonderObjCount, 1);
    EXPECT_EQ(o.type, kTyp + 2);
    EXPECT_EQ(o.heat, 0);
    EXPECT_EQ(o.frame, 0);

    SonderObj& bomb = object(kTyp + 1);  // explosion kind 0
    BurningSonderObjCount = 0;
    bomb.heat = m.ignite + 1;
    UpdateSonderObj();
    EXPECT_EQ(calls.exploded, std::vector<int>{kSlot});
    EXPECT_EQ(bomb.burning, 0);
    EXPECT_EQ(BurningSonderObjCount, 0);

    // Mission 21's first fire starts hot, once.
    MissionNummer = 21;
    FirstIgnitionFlagM21 = 1;
    for (int heat : {4000, 0}) {
        SonderObj& plane = object(kTyp);
        plane.heat = m.ignite + 1;
        UpdateSonderObj();
        EXPECT_EQ(plane.heat, heat == 4000 ? 4000 : 0);
        EXPECT_EQ(FirstIgnitionFlagM21, 2);
    }
}

TEST_F(SonderObjUpdate, BurningUsesUpTheFuel) {
    makeType(kTyp, 12, 2, {0, 0, 7, 7}, test::kTestMaterial, kCatchesFire);
    makeType(kTyp + 1, 1, 1, {0, 0, 7, 7});
    SonderObjTypAt(kTyp)->burntTyp = kTyp + 1;
    SonderObj& o = object(kTyp);
    o.burning = 1;
    BurningSonderObjCount = 1;
    o.heat = m.maxHeat - 10;
    o.fuel = 2 * m.maxHeat;
    o.frame = 5;
    UpdateSonderObj();
    EXPECT_EQ(o.heat, m.maxHeat - 10 + m.gain) << "it may end above the maximum";
    EXPECT_EQ(o.fuel, 2 * m.maxHeat - o.heat);
    EXPECT_EQ(calls.damaged, std::vector<int>{kSlot});
    UpdateSonderObj();
    EXPECT_EQ(o.heat, m.maxHeat - 10 + m.gain) << "no gain at or above the maximum";
    EXPECT_EQ(o.burning, 0) << "out of fuel";
    EXPECT_EQ(o.fuel, 0);
    EXPECT_EQ(BurningSonderObjCount, 0);
    EXPECT_EQ(o.type, kTyp + 1);
    EXPECT_EQ(o.frame, 0);

    // Burnt out into a slot holding no object's pictures: the look stays, the fire ends.
    SonderObj& p = object(kTyp);
    SonderObjTypAt(kTyp)->burntTyp = kTyp + 5;
    p.burning = 1;
    BurningSonderObjCount = 1;
    p.fuel = 1;
    UpdateSonderObj();
    EXPECT_EQ(p.burning, 0);
    EXPECT_EQ(p.type, kTyp);
    EXPECT_EQ(BurningSonderObjCount, 0);
}

TEST_F(SonderObjUpdate, NoFuelOrAnExplosionHeadKeepTheHeat) {
    makeType(kTyp, 1, 1, {0, 0, 7, 7}, test::kTestMaterial, kCatchesFire);
    SonderObj& o = object(kTyp);
    o.fuel = 0;
    o.heat = m.ignite + 100;
    UpdateSonderObj();
    EXPECT_EQ(o.heat, m.ignite + 100);
    EXPECT_EQ(o.burning, 0);
    o.burning = 1;
    BurningSonderObjCount = 1;
    UpdateSonderObj();
    EXPECT_EQ(o.heat, m.ignite + 100) << "a fire without fuel does not grow";

    // Under its own running explosion (started, animation before frame 9) it neither cools nor
    // ignites.
    makeType(kTyp + 1, 20, 10, {0, 0, 7, 7});
    CreateSonderObj(kSlot + 1, kTyp + 1, 0, 0, 0, 0, 0, 0.0f, 0);
    SonderObj& p = object(kTyp);
    p.heat = m.ignite + 100;
    AppendSonderObjCommand(kSlot, kCmdExplosion, kSlot + 1, kTyp + 1, 0, kCmdStarted);
    ticks(3);
    EXPECT_EQ(p.heat, m.ignite + 100);
    EXPECT_EQ(p.burning, 0);
}

TEST_F(SonderObjUpdate, ThrownThingsLandExactly) {
    // A bottle 40 px away: 15, 30, then the last 10.
    SonderObj& o = object(kSobjMolotow, 100, 50);
    SetSonderObjCommand(kSlot, kCmdThrown, FlightBlock{1, 0, 30, 0, 40});
    UpdateSonderObj();
    EXPECT_EQ(o.x, 115.0f);
    EXPECT_FLOAT_EQ(o.z, static_cast<float>(BallisticHeight(15, 30, kCos45, kTan45)) + 15);
    UpdateSonderObj();
    EXPECT_EQ(o.x, 130.0f);
    EXPECT_TRUE(calls.exploded.empty());
    UpdateSonderObj();
    EXPECT_EQ(o.x, 140.0f);
    EXPECT_EQ(o.y, 50.0f);
    EXPECT_EQ(o.z, 0.0f);
    EXPECT_FALSE(o.commands);
    EXPECT_EQ(calls.exploded, std::vector<int>{kSlot}) << "then it bursts";

    // A ring 10 px away in steps of 4, downwards.
    SonderObj& ring = object(kSobjRing, 10, 10);
    SetSonderObjCommand(kSlot, kCmdRingFlight, FlightBlock{0, 1, 12, 0, 10});
    ticks(2);
    EXPECT_EQ(ring.y, 18.0f);
    EXPECT_GT(ring.z, 0.0f);
    UpdateSonderObj();
    EXPECT_EQ(ring.y, 20.0f);
    EXPECT_EQ(ring.z, 0.0f);
    EXPECT_FALSE(ring.commands);
    EXPECT_EQ(calls.exploded.size(), 1u) << "a ring does not burst";

    // A distance at the end of the 16-bit count still lands.
    SonderObj& far = object(kSobjMolotow, 0, 0);
    SetSonderObjCommand(kSlot, kCmdThrown, FlightBlock{1, 0, 30, 32760, 32767});
    UpdateSonderObj();
    EXPECT_EQ(far.x, 7.0f);
    EXPECT_FALSE(far.commands);
}

TEST_F(SonderObjUpdate, PontoonSlidesAndSnaps) {
    SonderObj& o = object(kSobjPonton, 97.5f, 0);
    SetSonderObjCommand(kSlot, kCmdPontoonSlide, 100, 0, 0);
    UpdateSonderObj();
    EXPECT_EQ(o.x, 99.5f);
    UpdateSonderObj();
    EXPECT_EQ(o.x, 100.0f);
    EXPECT_FALSE(o.commands);

    // Only the pontoon type slides; another object keeps the command.
    SonderObj& wood = object(kSobjHolzstapel, 50, 0);
    SetSonderObjCommand(kSlot, kCmdPontoonSlide, 100, 0, 0);
    UpdateSonderObj();
    EXPECT_EQ(wood.x, 50.0f);
    EXPECT_TRUE(wood.commands);
}

TEST_F(SonderObjUpdate, GatesStepToTheirLastFrame) {
    makeType(kTyp, 8, 1, {0, 0, 7, 7});
    SonderObjTypAt(kTyp)->frameCount = 1;  // frames are states here, not an animation
    SonderObj& o = object(kTyp);
    o.frame = 5;
    SetSonderObjCommand(kSlot, kCmdOpen, 2, 4, 0);
    ticks(2);
    EXPECT_EQ(o.frame, 7);
    EXPECT_TRUE(o.commands);
    UpdateSonderObj();  // at frame 7: the path's speed, and done
    EXPECT_EQ(o.frame, 7);
    EXPECT_FALSE(o.commands);

    o.frame = 1;
    SetSonderObjCommand(kSlot, kCmdClose, 2, 15, 0);
    ticks(2);
    EXPECT_EQ(o.frame, 0);
    EXPECT_FALSE(o.commands);
}

TEST_F(SonderObjUpdate, TentShowsWhetherAnybodyIsInside) {
    SonderObj& o = object(kSobjZelt, 100, 100);
    SetSonderObjCommand(kSlot, kCmdTent, 3, 0, 0);
    const SonderObjTyp& inside = *SonderObjTypAt(kSobjZeltUnsichtbar);
    struct Case {
        const char* name;
        float x, y;
        std::uint8_t offMap;
        std::uint8_t drawStyle;
    };
    const Case cases[] = {
        {"nobody", -1, -1, 0, 0},
        {"at the left edge", 100.0f + inside.boxX0, 150, 0, 1},
        {"23 px above the box", 150, 100.0f + inside.boxY0 - 23, 0, 1},
        {"24 px above", 150, 100.0f + inside.boxY0 - 24, 0, 0},
        {"at the bottom edge", 150, 100.0f + inside.boxY1, 0, 1},
        {"right of it", 101.0f + inside.boxX1, 150, 0, 0},
        {"carried", 150, 150, 1, 0},
    };
    for (const Case& c : cases) {
        persons[1] = {};
        if (c.x >= 0) person(1, 5, c.x, c.y, {0, 0, 1, 1}).offMap = c.offMap;
        UpdateSonderObj();
        EXPECT_EQ(o.drawStyle, c.drawStyle) << c.name;
        ASSERT_TRUE(o.commands) << "the command stays";
        EXPECT_EQ(o.commands->b, c.drawStyle == 0 ? 1 : 0) << c.name;
    }
}

TEST_F(SonderObjUpdate, ExplosionTurnsTheObjectAtTheDamageFrame) {
    // The animation: 12 frames of 1 tick in slot 5 (type kTyp + 2, not an object's set).
    makeType(kTyp + 2, 12, 1, {0, 0, 7, 7});
    SonderObjTypAt(kTyp + 2)->objectSet = 0;
    // The wreck, which stays when the explosion ends.
    makeType(kTyp + 1, 1, 1, {0, 0, 7, 7}, test::kTestMaterial, 0, 0);
    constexpr int kKind = 2;
    ExplosionSlots[kKind].damageFrame = 3;
    for (std::uint8_t vanishes : {0, 1}) {
        makeType(kTyp, 1, 1, {0, 0, 7, 7}, test::kTestMaterial, kKind, vanishes);
        SonderObjTypAt(kTyp)->burntTyp = kTyp + 1;
        calls = {};
        SonderObj& o = object(kTyp);
        o.heat = 99;
        CreateSonderObj(kSlot + 1, kTyp + 2, 0, 0, 0, 0, 0, 0.0f, 0);
        SonderObjAt(kSlot + 1)->oneShot = 1;
        SetSonderObjCommand(kSlot, kCmdExplosion, kSlot + 1, kTyp + 2, kKind);
        UpdateSonderObj();
        EXPECT_EQ(o.heat, 0) << "the first tick";
        EXPECT_EQ(o.commands->flags & kCmdStarted, kCmdStarted);
        ticks(3);  // the animation, updated after the object, shows frame 3 on the fourth tick
        if (vanishes == 0) {
            EXPECT_EQ(o.type, kTyp + 1) << "the wreck stays";
            EXPECT_EQ(o.visible, 1);
        } else {
            EXPECT_EQ(o.type, kTyp);
            EXPECT_EQ(o.visible, 0) << "hidden until its slot is freed";
        }
        ticks(6);  // past frame 8 the object burns on under the animation
        EXPECT_FALSE(calls.damaged.empty());
        EXPECT_GT(o.heat, 0);
        ticks(2);  // the one-shot ends and frees its slot; the next tick ends the explosion
        EXPECT_TRUE(calls.ended.empty());
        UpdateSonderObj();
        ASSERT_EQ(calls.ended.size(), 1u);
        EXPECT_EQ(calls.ended[0].slot, kSlot);
        EXPECT_EQ(calls.ended[0].anim, kTyp + 2);
        EXPECT_EQ(calls.ended[0].kind, kKind);
        EXPECT_EQ(o.heat, 0);
        EXPECT_EQ(o.fuel, 0);
        EXPECT_FALSE(o.commands);
        EXPECT_EQ(o.type, vanishes == 0 ? kTyp + 1 : -1);
    }

    // An animation slot outside the array counts as ended.
    calls = {};
    object(kTyp);
    SetSonderObjCommand(kSlot, kCmdExplosion, 65535, kTyp + 2, kKind);
    UpdateSonderObj();
    EXPECT_EQ(calls.ended.size(), 1u);
}

TEST_F(SonderObjUpdate, ExplosionsTakeTheNextFreeBangAndRingsSplash) {
    ASSERT_TRUE(SoundOpen());
    SoundAvailable = 1;
    const std::array<std::uint8_t, 8> pcm{128, 200, 128, 56, 128, 200, 128, 56};
    for (int id : {58, 59, 60, 82})
        ASSERT_EQ(CreateSoundBuffer(id, PcmFormat{1, 11025, 8, 1}, pcm), 1);
    makeType(kTyp + 2, 12, 1, {0, 0, 7, 7});
    CreateSonderObj(20, kTyp + 2, 0, 0, 0, 0, 0, 0.0f, 0);
    for (int slot : {10, 11, 12, 13}) {
        CreateSonderObj(slot, kSobjHolzstapel, 0, 0, 0, 15, 0, 0.0f, 0);
        SetSonderObjCommand(slot, kCmdExplosion, 20, kTyp + 2, 0);
    }
    UpdateSonderObj();
    auto playing = [this](int id) { return backend.sound.playing(SoundSlots[id].buffer); };
    EXPECT_TRUE(playing(58) && playing(59) && playing(60)) << "each bang takes the next sound";
    EXPECT_FALSE(playing(82));

    object(kSobjRing);
    SetSonderObjCommand(kSlot, kCmdRingFlight, FlightBlock{1, 0, 8, 0, 4});
    UpdateSonderObj();
    EXPECT_TRUE(playing(82)) << "the ring lands in the water";
    ReleaseSounds();
}

TEST_F(SonderObjUpdate, GreatFireBurnsWhileItsAnimationRuns) {
    makeType(kTyp + 2, 3, 1, {0, 0, 7, 7});
    makeType(kTyp, 2, 1, {0, 0, 7, 7});
    SonderObjTypAt(kTyp)->frameCount = 1;
    SonderObj& drain = object(kTyp);
    CreateSonderObj(kSlot + 1, kTyp + 2, 0, 0, 0, 0, 0, 0.0f, 0);
    SonderObjAt(kSlot + 1)->oneShot = 1;
    SetSonderObjCommand(kSlot, kCmdGreatFire, kSlot + 1, kTyp + 2, 5);
    UpdateSonderObj();
    EXPECT_EQ(drain.frame, 1) << "the open drain";
    EXPECT_EQ(drain.heat, 800000);
    ticks(3);
    EXPECT_EQ(calls.damaged.size(), 3u);
    ASSERT_EQ(calls.ended.size(), 1u);
    EXPECT_EQ(calls.ended[0].kind, 5);
    EXPECT_EQ(drain.heat, 0);
    EXPECT_FALSE(drain.commands);
    EXPECT_EQ(drain.type, kTyp) << "it stays";
}

TEST_F(SonderObjUpdate, TransportMovesAndReportsWhatStopsIt) {
    makeType(kTyp, 1, 1, {0, 0, 19, 9});
    // The transport in slot 0, its companion (the status word) in slot 4.
    CreateSonderObj(0, kTyp, 100, 100, 0, 15, 0, 0.0f, 0);
    CreateSonderObj(4, kTyp, 60, 100, 0, 0, 0, 0.0f, 0);
    SonderObj& train = *SonderObjAt(0);
    SonderObj& status = *SonderObjAt(4);
    SetSonderObjCommand(0, kCmdTransport, 0, 0, 0);
    UpdateSonderObj();
    EXPECT_EQ(train.x, 100.5f);
    EXPECT_EQ(status.x, 60.5f);
    EXPECT_EQ(status.user, 0);

    struct Case {
        const char* name;
        int personType;  // -1: a solid object instead
        std::int16_t status;
    };
    const Case cases[] = {{"solid object", -1, 4}, {"type 38", 38, 1002}, {"other person", 5, 2}};
    for (const Case& c : cases) {
        persons[2] = {};
        SonderObjAt(6)->type = -1;
        if (c.personType < 0)
            CreateSonderObj(6, kTyp, 120, 100, 0, 15, 0, 0.0f, 0);
        else
            person(2, c.personType, 120, 100, {0, 0, 4, 4});
        const float x = train.x;
        UpdateSonderObj();
        EXPECT_EQ(train.x, x) << c.name;
        EXPECT_EQ(status.user, c.status) << c.name;
    }

    // A frozen status: the train moves, the companion neither moves nor reports.
    persons[2] = {};
    status.user = 99;
    const float companionX = status.x;
    UpdateSonderObj();
    EXPECT_EQ(train.x, 101.0f);
    EXPECT_EQ(status.x, companionX);
    EXPECT_EQ(status.user, 99);

    // The end of the line.
    status.user = 0;
    SonderObjAt(6)->type = -1;
    train.x = 9179.5f;
    UpdateSonderObj();  // beyond the map edge: blocked, back to 9179.5
    EXPECT_EQ(status.user, 2);
    WorldMaxX = 9300;
    UpdateSonderObj();
    EXPECT_EQ(train.x, 9180.0f);
    EXPECT_EQ(status.user, -1);
    EXPECT_FALSE(train.commands);
}

TEST_F(SonderObjUpdate, CellChangeAfterSixtyTicks) {
    const int cell = CellIndex(2, 3);
    BrandStates[static_cast<std::size_t>(cell)].fuel = 500;
    MapCells[static_cast<std::size_t>(cell)].material = 0x83;
    SonderObj& o = object(kSobjHolzstapel);
    o.visible = 0;
    SetSonderObjCommand(kSlot, kCmdCellChange, 2, 3, 0);
    ticks(59);
    EXPECT_EQ(BrandStates[static_cast<std::size_t>(cell)].fuel, 500);
    EXPECT_EQ(o.visible, 0);
    UpdateSonderObj();
    EXPECT_EQ(BrandStates[static_cast<std::size_t>(cell)].fuel, 0);
    EXPECT_EQ(CellAnims[static_cast<std::size_t>(cell)].kind, 4);
    EXPECT_EQ(MapCells[static_cast<std::size_t>(cell)].material, 0x03);
    EXPECT_EQ(o.visible, 1);
    EXPECT_FALSE(o.commands);

    // A cell off the map changes nothing, and the command still ends.
    SetSonderObjCommand(kSlot, kCmdCellChange, 40, 3, 59);
    UpdateSonderObj();
    EXPECT_FALSE(o.commands);
}

}  // namespace
}  // namespace kv
