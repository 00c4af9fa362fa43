// Explosions on the generated sample data: the kinds' animations, starting over special objects
// and vehicles, the shared animation of one kind, the ends, and the heat dealt around a source.

#include "world/explosions.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "gfx/image_files.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/evade_recorder.h"
#include "support/record_offsets.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv {
namespace {

constexpr std::int16_t kTyp = kCommonSonderObjTypen;  // the test's own object type
constexpr int kTestTypen = 2;

class Explosions : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        SonderObjTypCount = kTyp + kTestTypen;
        SonderObjCount = 0;
        AllocSonderObj();
        ASSERT_TRUE(LoadLevelMap(1, 0));
        ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    }

    // The test type: one 10 px wide frame of the given height, the box, the explosion kind and
    // material 1 (which has fuel in the sample data).
    static void makeType(std::array<std::int16_t, 4> box, int height, std::int8_t kind) {
        const std::vector<sampledata::AffFrame> frames = {
            {0, 0, sampledata::Canvas(10, height, 7), 0}};
        SonderObjTyp& t = *SonderObjTypAt(kTyp);
        FreeSonderObjTypFrames(kTyp);
        t.frames = LoadAffFromBytes(sampledata::MakeAff(frames));
        t.frameCount = 1;
        t.boxX0 = box[0];
        t.boxY0 = box[1];
        t.boxX1 = box[2];
        t.boxY1 = box[3];
        t.explosionKind = kind;
        t.material = 1;
        t.objectSet = 1;
    }
    // An object of the type in the first free slot.
    static std::int16_t object(std::int16_t type, std::int16_t x, std::int16_t y) {
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, type, x, y, 0, 15, 0, 0.0f, 0);
        return slot;
    }
    static SonderObj& at(std::int32_t slot) { return *SonderObjAt(slot); }
    static void ticks(int n) {
        for (int i = 0; i < n; ++i) UpdateSonderObj();
    }
};

TEST(ExplosionRecords, StoredLayout) {
    test::ExpectLayout<ExplosionSlot>(6, {{"live", 0}, {"animType", 2}, {"damageFrame", 4}});
}

TEST_F(Explosions, EveryKindLoadsItsAnimationFromTheSampleData) {
    for (int kind = 0; kind < kExplosionKinds; ++kind) {
        SCOPED_TRACE(kind);
        const ExplosionKind& row = kExplosionKindTable[static_cast<std::size_t>(kind)];
        const std::int16_t slot = FindFreeSonderObjTyp();
        ASSERT_TRUE(LoadExplosion(slot, kind)) << FatalErrorMessage();
        const SonderObjTyp& t = *SonderObjTypAt(slot);
        EXPECT_EQ(t.frameCount, row.frameCount);
        EXPECT_EQ(t.ticksPerFrame, row.ticksPerFrame);
        EXPECT_EQ((std::array<std::int16_t, 4>{t.boxX0, t.boxY0, t.boxX1, t.boxY1}), row.box);
        EXPECT_EQ(t.objectSet, 0) << "no link leads to an animation";
        EXPECT_EQ(ExplosionSlots[static_cast<std::size_t>(kind)].animType, slot);
        EXPECT_EQ(ExplosionSlots[static_cast<std::size_t>(kind)].damageFrame, row.damageFrame);
        EXPECT_EQ(ExplosionSlots[static_cast<std::size_t>(kind)].live, 0);
        // Every frame spans the box and burns on its bottom line, the foot of what explodes.
        for (int f = 0; f < t.frameCount; ++f) {
            const FrameSet& frame = t.frames[f];
            ASSERT_GT(frame.width, row.box[2]);
            ASSERT_GT(frame.height, row.box[3]);
            bool foot = false;
            for (int x = row.box[0]; x <= row.box[2]; ++x)
                foot = foot || frame.pixels[row.box[3] * frame.width + x] != 0;
            EXPECT_TRUE(foot) << "frame " << f;
        }
    }
}

TEST_F(Explosions, AMissingAnimationIsFatalWithItsKindsMessage) {
    test::ScratchDir dir;
    const std::vector<sampledata::Canvas> none;
    dir.write("graphs/explode/lache01.vff", [&] {
        const std::vector<std::uint8_t> bytes = sampledata::MakeVff(none);
        return std::string(bytes.begin(), bytes.end());
    }());
    test::WorkingDirectory cwd(dir.path());
    const std::int16_t slot = FindFreeSonderObjTyp();
    EXPECT_FALSE(LoadExplosion(slot, 3));
    EXPECT_EQ(FatalErrorMessage(), "file not found:  EXPLODELACHE01FILE");
    EXPECT_EQ(SonderObjTypAt(slot)->frames, nullptr);

    ResetFatalError();
    EXPECT_FALSE(LoadExplosion(slot, 0));
    EXPECT_TRUE(FatalErrorRaised()) << "a file that is not there at all";
}

TEST_F(Explosions, TwoObjectsOfOneKindShareTheAnimationUntilBothHaveEnded) {
    makeType({0, 0, 9, 9}, 12, 0);
    const std::int16_t a = object(kTyp, 300, 200);
    const std::int16_t b = object(kTyp, 500, 200);
    const ExplosionSlot& e = ExplosionSlots[0];

    ExplodeSonderObj(a);
    ASSERT_EQ(e.live, 1);
    const std::uint16_t anim = e.animType;
    ASSERT_NE(SonderObjTypAt(anim)->frames, nullptr);
    ASSERT_TRUE(at(a).commands);
    EXPECT_EQ(at(a).commands->kind, kCmdExplosion);
    EXPECT_EQ(at(a).commands->b, anim);
    EXPECT_EQ(at(a).commands->c, 0);
    const std::uint16_t shownA = at(a).commands->a;
    EXPECT_EQ(at(shownA).type, anim);
    EXPECT_EQ(at(shownA).oneShot, 1);

    ExplodeSonderObj(a);
    EXPECT_EQ(e.live, 1) << "an object under an explosion does not explode again";
    ticks(10);
    ExplodeSonderObj(b);
    EXPECT_EQ(e.live, 2);
    EXPECT_EQ(e.animType, anim) << "loaded once";
    EXPECT_NE(at(b).commands->a, shownA);

    // Each animation runs 23 frames of 2 ticks; its object ends the explosion the tick after.
    int tick = 10;
    for (; at(a).commands && tick < 100; ++tick) UpdateSonderObj();
    EXPECT_EQ(tick, 47);
    EXPECT_EQ(at(a).type, -1) << "a vanishing object is gone";
    EXPECT_EQ(e.live, 1);
    EXPECT_NE(SonderObjTypAt(anim)->frames, nullptr) << "the other explosion still shows it";
    for (; at(b).commands && tick < 100; ++tick) UpdateSonderObj();
    EXPECT_EQ(tick, 57);
    EXPECT_EQ(at(b).type, -1);
    EXPECT_EQ(e.live, 0);
    EXPECT_EQ(SonderObjTypAt(anim)->frames, nullptr);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// Type slots whose frames are loaded.
int LoadedTypSlots() {
    int n = 0;
    for (int t = 0; t < SonderObjTypCount; ++t) n += SonderObjTypAt(t)->frames != nullptr ? 1 : 0;
    return n;
}

TEST_F(Explosions, ReCreatingAnObjectUnderItsExplosionEndsItOnceAndLetsItsAnimationPlayOut) {
    makeType({0, 0, 9, 9}, 12, 0);
    SonderObjTypAt(kTyp)->vanishes = 0;
    const std::int16_t gas = object(kTyp, 300, 200);
    const ExplosionSlot& e = ExplosionSlots[0];
    const int loadedBefore = LoadedTypSlots();
    // As a mission's check does on each frame of a window: the slot made anew, then exploded.
    std::vector<std::int16_t> shown;
    for (int i = 0; i < 10; ++i) {
        CreateSonderObj(gas, kTyp, 300, 200, 0, 15, 0, 0.0f, 0);
        ExplodeSonderObj(gas);
        ASSERT_TRUE(at(gas).commands);
        shown.push_back(static_cast<std::int16_t>(at(gas).commands->a));
        ticks(1);
    }
    EXPECT_EQ(e.live, 1) << "only the last explosion still runs";
    EXPECT_EQ(LoadedTypSlots(), loadedBefore + 1) << "every start reused the one animation";
    for (const std::int16_t s : shown) EXPECT_EQ(at(s).type, e.animType) << s;

    // The dropped ones play to their last frames with their pictures still there.
    const std::uint16_t anim = e.animType;
    const int last = SonderObjTypAt(anim)->frameCount - 1;
    std::vector<int> lastSeen(shown.size(), -1);
    for (int tick = 0; tick < 100; ++tick) {
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (at(shown[i]).type == static_cast<std::int16_t>(anim)) {
                lastSeen[i] = at(shown[i]).frame;
                ASSERT_NE(SonderObjTypAt(anim)->frames, nullptr) << "tick " << tick;
            }
        ticks(1);
    }
    for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(lastSeen[i], last) << i;
    EXPECT_EQ(e.live, 0);
    EXPECT_FALSE(at(gas).commands);
    EXPECT_EQ(SonderObjTypAt(anim)->frames, nullptr) << "the last one gone freed them";
    EXPECT_EQ(LoadedTypSlots(), loadedBefore);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(Explosions, EveryWayOfDroppingTheCommandEndsTheExplosionOnce) {
    makeType({0, 0, 9, 9}, 12, 0);
    SonderObjTypAt(kTyp)->vanishes = 0;
    const ExplosionSlot& e = ExplosionSlots[0];
    using Drop = void (*)(std::int16_t);
    const Drop drops[] = {
        [](std::int16_t s) { ClearSonderObjCommands(s); },
        [](std::int16_t s) { FreeSonderObjSlot(s); },
        [](std::int16_t s) { CreateSonderObj(s, kTyp, 10, 10, 0, 15, 0, 0.0f, 0); },
        [](std::int16_t s) { SetSonderObjCommand(s, kCmdTent, 0, 0, 0); },
    };
    const std::int16_t other = object(kTyp, 500, 200);
    ExplodeSonderObj(other);
    for (std::size_t i = 0; i < std::size(drops); ++i) {
        const std::int16_t bomb = object(kTyp, 300, 200);
        ExplodeSonderObj(bomb);
        ASSERT_EQ(e.live, 2) << i;
        drops[i](bomb);
        EXPECT_EQ(e.live, 1) << i;
        ClearSonderObjCommands(bomb);
        EXPECT_EQ(e.live, 1) << i << ": nothing left to end";
        FreeSonderObjSlot(bomb);
    }
    // The other explosion runs to its own end and counts off once.
    ticks(100);
    EXPECT_EQ(e.live, 0);
    EXPECT_FALSE(at(other).commands);
}

TEST_F(Explosions, TheAnimationIsPlacedByKind) {
    struct Case {
        int kind;
        std::array<std::int16_t, 4> box;
        int frame;  // of the exploding object; its type has only frame 0, 20 px high
        float x, y;
        std::uint8_t layer;
        std::uint8_t command;
    };
    // Objects stand at (300, 200).
    const Case cases[] = {
        {0, {0, 0, 9, 9}, 0, 300 + 4 - 150, 200 + 20 - 175, 0, kCmdExplosion},
        {1, {-9, 0, 0, 9}, 0, 300 - 5 - 70, 200 + 20 - 178, 0, kCmdExplosion},
        // A box turned inside out halves toward zero: 5 + (-7 / 2) = 2.
        {2, {5, 0, -2, 9}, 0, 300 + 2 - 106, 200 + 20 - 152, 0, kCmdExplosion},
        {2, {0, 0, 9, 9}, 3, 300 + 4 - 106, 200 + 0 - 152, 0, kCmdExplosion},
        {3, {0, 0, 9, 9}, 0, 300 - 30, 200 - 110, 0, kCmdExplosion},
        {4, {0, 0, 9, 9}, 0, 300 - 6, 200 - 5, 2, kCmdExplosion},
        {5, {0, 0, 9, 9}, 0, 300 + 1, 200 - 104, 0, kCmdGreatFire},
        {6, {0, 0, 9, 9}, 0, 300 - 49, 200 - 87, 0, kCmdExplosion},
        {7, {0, 0, 9, 9}, 0, 300 - 18, 200 - 63, 0, kCmdExplosion},
        {8, {0, 0, 9, 9}, 0, 300 - 17, 200 - 66, 0, kCmdExplosion},
        {9, {0, 0, 9, 9}, 0, 300 - 4, 200 - 48, 0, kCmdExplosion},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        makeType(c.box, 20, static_cast<std::int8_t>(c.kind));
        const std::int16_t slot = object(kTyp, 300, 200);
        at(slot).frame = static_cast<std::int16_t>(c.frame);
        ExplodeSonderObj(slot);
        ASSERT_TRUE(at(slot).commands);
        EXPECT_EQ(at(slot).commands->kind, c.command);
        EXPECT_EQ(at(slot).commands->c, c.kind);
        const SonderObj& shown = at(at(slot).commands->a);
        EXPECT_EQ(shown.x, c.x);
        EXPECT_EQ(shown.y, c.y);
        EXPECT_EQ(shown.depthLayer, c.layer);
        FreeSonderObjSlot(slot);
    }
}

TEST_F(Explosions, WithoutAFreeSlotNothingStartsAndNothingStaysLoaded) {
    makeType({0, 0, 9, 9}, 12, 0);
    const std::int16_t bomb = object(kTyp, 300, 200);
    while (object(kSobjHydrant, 10, 10) >= 0) {
    }
    const std::int16_t freeTyp = FindFreeSonderObjTyp();
    ExplodeSonderObj(bomb);
    EXPECT_EQ(ExplosionSlots[0].live, 0);
    EXPECT_FALSE(at(bomb).commands);
    EXPECT_EQ(FindFreeSonderObjTyp(), freeTyp) << "the animation was freed again";
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();

    // A kind outside 0..9, or an object that catches fire, starts nothing either.
    FreeSonderObjSlot(SonderObjCount - 1);
    for (const std::int8_t kind : {std::int8_t{10}, std::int8_t{-1}, std::int8_t{-100}}) {
        SonderObjTypAt(kTyp)->explosionKind = kind;
        ExplodeSonderObj(bomb);
        EXPECT_FALSE(at(bomb).commands) << int{kind};
    }
}

TEST_F(Explosions, TheAnimationObjectStartsClean) {
    makeType({0, 0, 9, 9}, 12, 0);
    const std::int16_t bomb = object(kTyp, 300, 200);
    // The slot the animation will take held a burning object that was let go without its fire
    // being counted off.
    const std::int16_t stale = FindFreeSonderObj();
    SonderObj& s = at(stale);
    s.burning = 1;
    s.heat = 5000;
    s.fuel = 700;
    s.user = 3;
    s.storey = 2;
    s.pushable = 1;
    s.blockMask = 15;
    s.visible = 0;
    s.z = 12;
    AppendSonderObjCommand(stale, kCmdTent, 0, 0, 0, 0);
    BurningSonderObjCount = 4;

    ExplodeSonderObj(bomb);
    ASSERT_EQ(at(bomb).commands->a, stale);
    EXPECT_FALSE(s.commands);
    EXPECT_EQ(s.burning, 0);
    EXPECT_EQ(s.heat, 0);
    EXPECT_EQ(s.fuel, 0);
    EXPECT_EQ(s.user, -1);
    EXPECT_EQ(s.storey, 0);
    EXPECT_EQ(s.pushable, 0);
    EXPECT_EQ(s.blockMask, 0);
    EXPECT_EQ(s.visible, 1);
    EXPECT_EQ(s.z, 0.0f);
    EXPECT_EQ(BurningSonderObjCount, 4);
    ticks(60);
    EXPECT_EQ(BurningSonderObjCount, 4) << "the animation never burns";
}

TEST_F(Explosions, VehiclesOfOneClassShareTheAnimationAndDoNotExplodeTwice) {
    const std::int16_t v = Make(kTypF104, 1, 600, 500);
    const std::int16_t w = Make(kTypF104, 1, 900, 500);
    ASSERT_GE(w, 0);
    Fahrzeug& car = Fahrzeuge[static_cast<std::size_t>(v)];
    ASSERT_TRUE(car.wasserStrahl);
    car.wasserStrahl->autoAim = 1;
    const int kind = FahrzeugTypOf(car).explosionKind;
    const ExplosionKind& row = kExplosionKindTable[static_cast<std::size_t>(kind)];
    const ExplosionSlot& e = ExplosionSlots[static_cast<std::size_t>(kind)];
    const AnimSlot& shape = FahrzeugAnim(car);
    const int height = shape.images[car.frame].height;

    ExplodeFahrzeug(v);
    ASSERT_EQ(e.live, 1);
    EXPECT_EQ(car.wasserStrahl->autoAim, 0);
    ASSERT_EQ(HeadBefehlOpcode(car), 44);
    const SonderObj& shown = at(car.orders->aInt());
    EXPECT_EQ(car.orders->bInt(), e.animType);
    EXPECT_EQ(shown.type, e.animType);
    EXPECT_EQ(shown.x, 600.0f + static_cast<float>(row.dx));
    EXPECT_EQ(shown.y, static_cast<float>(car.drawY + height + row.dy));
    EXPECT_EQ(shown.depthLayer, 0);

    ExplodeFahrzeug(v);
    EXPECT_EQ(e.live, 1) << "a vehicle burning out does not explode again";
    ExplodeFahrzeug(w);
    EXPECT_EQ(e.live, 2);
    const std::uint16_t anim = e.animType;
    EndFahrzeugExplosion(v, anim);
    EXPECT_EQ(e.live, 1);
    EXPECT_NE(SonderObjTypAt(anim)->frames, nullptr);
    EndFahrzeugExplosion(w, anim);
    EXPECT_EQ(e.live, 0);
    EXPECT_NE(SonderObjTypAt(anim)->frames, nullptr) << "both animations still show it";
    ticks(100);
    EXPECT_EQ(SonderObjTypAt(anim)->frames, nullptr) << "freed once they have played out";
    EndFahrzeugExplosion(w, anim);
    EndExplosion(0, anim, static_cast<std::uint16_t>(kind));
    EndExplosion(0, anim, 99);
    EXPECT_EQ(e.live, 0) << "never below 0";
}

// The heat of a burning object of the test type (box middle (4, 4)) at P = (1500, 700).
class ExplosionHeat : public Explosions {
  protected:
    void SetUp() override {
        Explosions::SetUp();
        makeType({0, 0, 9, 9}, 12, kCatchesFire);
        source = object(kTyp, kPx - 4, kPy - 4);
        at(source).heat = kHeat;
        at(source).burning = 1;
        LoadPersonTyp(1);
        LoadFahrzeugTyp(kTypF203);
    }
    static std::int16_t person(float x, float y, std::int32_t energy = 1000000) {
        const std::int16_t p = MakePerson(1, energy);
        Personen[static_cast<std::size_t>(p)].x = x;
        Personen[static_cast<std::size_t>(p)].y = y;
        return p;
    }
    static Person& who(std::int16_t p) { return Personen[static_cast<std::size_t>(p)]; }
    static Fahrzeug& car(std::int16_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    static constexpr int kPx = 1500;
    static constexpr int kPy = 700;
    static constexpr std::int32_t kHeat = 5000000;
    std::int16_t source = -1;
};

TEST_F(ExplosionHeat, FadesWithDistanceAndStopsAtTheRange) {
    const PersonTyp& pt = PersonTypen[1];
    const FahrzeugTyp& ft = FahrzeugTypen[kTypF104];
    struct Case {
        bool vehicle;
        int d;
        std::int32_t divisor;  // 0: out of reach
    };
    const Case cases[] = {
        {false, 0, 2},     {false, 49, 2},     {false, 50, 6},  {false, 149, 30},
        {false, 150, 100}, {false, 249, 1000}, {false, 250, 0}, {true, 59, 2},
        {true, 60, 6},     {true, 299, 1000},  {true, 300, 0},
    };
    std::vector<std::int16_t> units;
    for (const Case& c : cases) {
        if (c.vehicle) {
            units.push_back(Make(kTypF104, 1, static_cast<std::int16_t>(kPx - c.d), kPy));
            car(units.back()).heat = 0;
        } else {
            units.push_back(person(static_cast<float>(kPx), static_cast<float>(kPy + c.d)));
        }
    }
    const std::int16_t obj = object(kTyp, kPx - 4 + 59, kPy - 4);
    const std::int16_t far = object(kTyp, kPx - 4, kPy - 4 + 300);
    at(obj).heat = 0;
    at(far).heat = 0;

    ExplosionDamage(kDamageFromSonderObj, source);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(testing::Message() << (c.vehicle ? "vehicle at " : "person at ") << c.d);
        if (c.vehicle) {
            const std::int32_t heat = c.divisor != 0 ? kHeat / c.divisor - ft.heatProtection : 0;
            EXPECT_EQ(car(units[i]).heat, std::max(heat, 0));
        } else {
            const std::int32_t h = c.divisor != 0 ? kHeat / c.divisor - pt.heatProtection : 0;
            EXPECT_EQ(who(units[i]).energy, 1000000 - std::max(h, 0) / pt.heatDivisor);
        }
    }
    EXPECT_EQ(at(obj).heat, kHeat / 2);
    EXPECT_EQ(at(far).heat, 0);
    EXPECT_EQ(at(source).heat, kHeat) << "not itself";
}

TEST_F(ExplosionHeat, PersonsOutOfReachAreSparedAndTheHeatKillsOrStrikes) {
    const std::int16_t inside = person(kPx, kPy);
    who(inside).offMap = 1;
    const std::int16_t gone = person(kPx, kPy);
    who(gone).present = 0;
    const std::int16_t upstairs = person(kPx, kPy);
    who(upstairs).storey = 1;
    const std::int16_t dead = person(kPx, kPy, 0);
    const std::int16_t casualty = person(kPx, kPy, 1000);
    who(casualty).casualty = 1;
    who(casualty).deadTicks = 77;
    const std::int16_t standing = person(kPx, kPy, 1000);
    const std::int16_t doorway = person(kPx, kPy);
    const Befehl doorOrder;
    who(doorway).doorOrder = &doorOrder;  // a door double
    ToteCount = 0;

    ExplosionDamage(kDamageFromSonderObj, source);
    for (const std::int16_t p : {inside, gone, upstairs, doorway})
        EXPECT_EQ(who(p).energy, 1000000) << p;
    EXPECT_EQ(who(dead).energy, 0);
    EXPECT_EQ(who(casualty).energy, 0);
    EXPECT_EQ(who(casualty).deadTicks, 0);
    EXPECT_EQ(who(standing).energy, 0);
    EXPECT_EQ(ToteCount, 1) << "only the casualty dies";
}

TEST_F(ExplosionHeat, EachPersonHurtIsPushedFromTheSourceByTheHeatThatReachedIt) {
    const std::int16_t near = person(kPx, kPy + 50);
    person(kPx, kPy + 250);  // out of reach: no push
    const test::EvadeRecorder pushes;
    ExplosionDamage(kDamageFromSonderObj, source);
    const std::vector<test::EvadeCall> expected = {
        {near, kPx, kPy, kHeat / 6 - PersonTypen[1].heatProtection, 8, 0, -1}};
    EXPECT_EQ(pushes.Calls(), expected);
}

TEST_F(ExplosionHeat, ABurningVehicleHeatsOthersOnItsLayer) {
    const std::int16_t burning = Make(kTypF104, 1, kPx, kPy);
    car(burning).heat = kHeat;
    const std::int16_t near = Make(kTypF104, 1, kPx + 100, kPy);
    const std::int16_t heli = Make(kTypF203, 1, kPx, kPy + 100);
    const std::int16_t up = Make(kTypF104, 1, kPx - 100, kPy);
    car(up).storey = -1;
    car(heli).storey = 0;
    for (const std::int16_t v : {near, heli, up}) car(v).heat = 0;
    const std::int32_t h = kHeat / 6 - FahrzeugTypen[kTypF104].heatProtection;

    ExplosionDamage(kDamageFromFahrzeug, burning);
    EXPECT_EQ(car(burning).heat, kHeat);
    EXPECT_EQ(car(near).heat, h);
    EXPECT_EQ(car(up).heat, 0);
    EXPECT_EQ(car(heli).heat, 0) << "a helicopter feels it only while it stands";
    SetFahrzeugAnim(heli, 3);
    ExplosionDamage(kDamageFromFahrzeug, burning);
    EXPECT_EQ(car(heli).heat, kHeat / 6 - FahrzeugTypen[kTypF203].heatProtection);
}

TEST_F(ExplosionHeat, AMolotovHeatsTheGroundWithATenthAndUnitsWithAll) {
    const CellPos cell = CellFromPixel(kPx, kPy);
    BrandState& ground = BrandStates[static_cast<std::size_t>(CellIndex(cell.column, cell.row))];
    ground = {};
    ExplosionDamage(kDamageFromSonderObj, source);
    EXPECT_EQ(ground.heat, kHeat) << "any other burning thing heats with all it has";

    // A bottle whose box middle (1, 4) lies on P.
    FreeSonderObjSlot(source);
    const std::int16_t bottle = object(kSobjMolotow, kPx - 1, kPy - 4);
    at(bottle).heat = kHeat;
    const std::int16_t p = person(kPx, kPy);
    ground = {};
    ExplosionDamage(kDamageFromSonderObj, bottle);
    EXPECT_EQ(ground.heat, kHeat / 10);
    EXPECT_EQ(who(p).energy,
              1000000 - (kHeat / 2 - PersonTypen[1].heatProtection) / PersonTypen[1].heatDivisor);

    // Burning ground stays as it is, and a bottle off the map heats no cell.
    ground = {0, 123, 1};
    ExplosionDamage(kDamageFromSonderObj, bottle);
    EXPECT_EQ(ground.heat, 123);
    at(bottle).x = -5000;
    ExplosionDamage(kDamageFromSonderObj, bottle);
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(ExplosionHeat, TheNeighboursOfTheFiresPhaseWarmAndMayIgnite) {
    const CellPos under = CellFromPixel(kPx, kPy);
    auto cell = [&](int dc, int dr) -> BrandState& {
        const int i = CellIndex(under.column + dc, under.row + dr);
        EXPECT_LT(MapCells[static_cast<std::size_t>(i)].tile, kHouseLinkBase);
        return BrandStates[static_cast<std::size_t>(i)];
    };
    for (int dr = -4; dr <= 4; ++dr)
        for (int dc = -4; dc <= 4; ++dc) cell(dc, dr) = {1000000, 0, 0};
    // Phase 0 reaches two cells along the axes with a quarter and the corners two away with
    // 1/256, never the direct neighbours.
    BrandPhase = 0;
    const std::int32_t ignite =
        MaterialOf(
            MapCells[static_cast<std::size_t>(CellIndex(under.column + 2, under.row))].material &
            kMaterialClassMask)
            .ignite;
    ASSERT_LT(ignite, 1000000) << "the meadow burns";
    at(source).heat = 4 * ignite;
    ExplosionDamage(kDamageFromSonderObj, source);
    EXPECT_EQ(cell(2, 0).heat, ignite) << "at the threshold it does not ignite yet";
    EXPECT_EQ(cell(2, 2).heat, 4 * ignite / 256);
    EXPECT_EQ(cell(1, 0).heat, 0);
    EXPECT_EQ(cell(0, 0).heat, 4 * ignite);

    const std::uint16_t burning = BurningCellCount;
    ExplosionDamage(kDamageFromSonderObj, source);
    EXPECT_EQ(cell(2, 0).burning, 1);
    EXPECT_EQ(cell(2, 0).heat, 0);
    EXPECT_GT(BurningCellCount, burning);
}

std::vector<std::int16_t> g_hooked;

TEST_F(ExplosionHeat, TheMissionsOwnDamageRunsFirst) {
    MissionNummer = 1;
    MissionHookRows[0].OnSonderObjExplosion = [](std::int16_t object) {
        g_hooked.push_back(object);
        SonderObjAt(object)->heat = 0;
    };
    g_hooked.clear();
    const std::int16_t p = person(kPx, kPy);
    ExplosionDamage(kDamageFromSonderObj, source);
    EXPECT_EQ(g_hooked, std::vector<std::int16_t>{source});
    EXPECT_EQ(who(p).energy, 1000000) << "the explosion takes the heat the hook left";
    ExplosionDamage(kDamageFromFahrzeug, 0);
    ExplosionDamage(kDamageFromSonderObj, -1);
    EXPECT_EQ(g_hooked.size(), 1u) << "only objects in use";
}

}  // namespace
}  // namespace kv
