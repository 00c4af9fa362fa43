// Crew out (order 40 and the placing of one occupant), the door (41), leaving at the exit point
// (42) and burning out under a real explosion (44), on mission 1's map with the sample vehicles.

#include "vehicles/crew_befehle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/selection.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/sound.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_fixture.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_update.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"

namespace kv {
namespace {

constexpr std::int8_t kFireFighter = 1;
constexpr std::int8_t kJumpCushionTeam = 6;
constexpr std::uint8_t kOpCrewOut = 40;
constexpr std::uint8_t kOpDoor = 41;
constexpr std::uint8_t kOpLeave = 42;

class CrewTest : public test::FahrzeugTest {
  protected:
    void SetUp() override {
        FahrzeugTest::SetUp();
        ASSERT_TRUE(LoadLevelMap(1, 0));
        ASSERT_TRUE(LoadTerrain());
        // Mission 1's limits, as its level set-up derives them.
        WorldMaxX = 1759;
        WorldMaxY = 979;
        LoadPersonTyp(kFireFighter);
        LoadPersonTyp(kJumpCushionTeam);
        ASSERT_TRUE(SoundOpen());
        SoundAvailable = 1;
        const std::vector<std::uint8_t> pcm{128, 200, 128, 56};
        for (int id = kSoundExplosion; id <= kSoundCarDoor; ++id)
            ASSERT_EQ(CreateSoundBuffer(id, PcmFormat{1, 11025, 8, 1}, pcm), 1);
    }
    void TearDown() override {
        ReleaseSounds();
        SoundAvailable = 0;
        BootPunkte.clear();
        FahrzeugTest::TearDown();
    }

    static Fahrzeug& car(std::int16_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    static Person& who(std::int32_t p) { return Personen[static_cast<std::size_t>(p)]; }
    static void order(std::int16_t v, std::uint8_t opcode, std::int32_t a, std::int32_t b = 0) {
        SetBefehl(car(v), FahrzeugTypOf(car(v)), opcode, -1, a, b, 0, 0, 0);
    }
    // Whether the sound was started since the log was last cleared.
    bool played(int id) {
        const auto& calls = backend.sound.calls();
        return std::any_of(calls.begin(), calls.end(), [id](const HeadlessSound::Call& c) {
            return c.op == HeadlessSound::Op::Play && c.buffer == SoundSlots[id].buffer;
        });
    }
    void clearSounds() {
        StopAllSounds();
        backend.sound.clearCalls();
    }
    // Everyone off the map and out of the vehicles.
    static void clearScene() {
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
            RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
        for (std::size_t i = 0; i < Personen.size(); ++i)
            DeletePerson(static_cast<std::int32_t>(i));
    }
    // Outside and standing free, or still in its seat.
    static bool isOut(std::int16_t v, std::int16_t p) {
        const auto& seats = car(v).seats;
        const bool seated = std::find(seats.begin(), seats.end(), p) != seats.end();
        EXPECT_EQ(who(p).offMap, seated ? 1 : 0);
        return !seated;
    }
};

TEST_F(CrewTest, APersonPlacedBesideTheVehicleStartsAfresh) {
    const std::int16_t v = Make(kTypF102, 1, 1000, 300, 3);
    const std::int16_t p = Seat(v, kFireFighter);
    const std::int16_t hurt = Seat(v, kFireFighter);
    Person& staff = who(p);
    staff.storey = 2;
    staff.height = 12;
    staff.frame = 3;
    staff.basketVehicle = 4;
    AppendBefehl(staff, 7, 50, 0, 0, 0, 0);  // still queued from before it got in
    AppendBefehl(staff, 7, 50, 0, 0, 0, 0);
    who(hurt).casualty = 1;

    EXPECT_EQ(PlacePersonBesideFahrzeug(0, v), p);
    EXPECT_EQ(staff.storey, 0);
    EXPECT_EQ(staff.height, 0.0f);
    EXPECT_EQ(staff.orders, nullptr);
    EXPECT_EQ(staff.frame, 0);
    EXPECT_LE(staff.frameTimer, 0);
    EXPECT_GT(staff.frameTimer, -120);
    EXPECT_EQ(staff.basketVehicle, 0xFFFF);
    EXPECT_EQ(staff.direction, 6);
    EXPECT_EQ(staff.anim, 0);
    const FahrzeugPunkt door = GetFahrzeugDoorPoint(v, p);
    EXPECT_EQ(staff.x, door.x);
    EXPECT_EQ(staff.y, door.y);
    EXPECT_TRUE(isOut(v, p));

    // A casualty lies down at the door and is pushed clear of the first one.
    EXPECT_EQ(PlacePersonBesideFahrzeug(1, v), hurt);
    EXPECT_EQ(who(hurt).direction, 7);
    EXPECT_EQ(who(hurt).anim, 2);
    EXPECT_TRUE(isOut(v, hurt));
    EXPECT_TRUE(who(hurt).x != staff.x || who(hurt).y != staff.y);

    // Seats that hold nobody, or that the vehicle does not have.
    car(v).seats[2] = 30;    // a free person slot
    car(v).seats[3] = 4000;  // no person at all
    for (const std::int32_t seat : {0, 2, 3, -1, 9, 70000})
        EXPECT_EQ(PlacePersonBesideFahrzeug(seat, v), -1) << seat;
    EXPECT_EQ(PlacePersonBesideFahrzeug(0, 7), -1) << "a free vehicle slot";
}

struct Occupant {
    std::int8_t type;
    std::uint8_t casualty;
    std::uint8_t controlFlags;
    bool getsOut;
};

struct CrewCase {
    const char* name;
    std::int16_t type;
    std::int32_t a;
    std::int32_t b;
    std::vector<Occupant> seated;
    std::int8_t openAnim;
    bool doorSound;
};

TEST_F(CrewTest, CrewOutOpensTheDoorLetsTheOccupantsOutAtFourAndShutsItAtZero) {
    const Occupant staff{kFireFighter, 0, 0, true};
    const std::vector<CrewCase> cases = {
        {"a = 5: out on the first tick, shut on the fifth",
         kTypF102,
         5,
         0,
         {staff, staff},
         2,
         true},
        {"a = 4: nobody gets out", kTypF102, 4, 0, {{kFireFighter, 0, 0, false}}, 2, true},
        {"b = 1 leaves casualties and controlled persons inside",
         kTypF102,
         5,
         1,
         {staff, {kFireFighter, 1, 0, false}, {kFireFighter, 0, kPersonController, false}},
         2,
         true},
        {"b = 0 lets them all out",
         kTypF102,
         5,
         0,
         {staff, {kFireFighter, 1, 0, true}, {kFireFighter, 0, kPersonController, true}},
         2,
         true},
        {"the jump-cushion team in the first seat opens the hatch",
         kTypF108,
         5,
         0,
         {{kJumpCushionTeam, 0, 0, true}, staff},
         4,
         true},
        {"the boat on its boat point: no door, no sound", kTypF116, 5, 0, {staff, staff}, 0, false},
    };
    // The boat's point: it stands on the launch place, persons get out 60 px below it.
    BootPunkte = {{990, 320, 10, -20, 10, 40, 3, 1}};
    for (const CrewCase& c : cases) {
        SCOPED_TRACE(c.name);
        clearScene();
        clearSounds();
        const std::int16_t v = Make(c.type, 1, 1000, 300, 3);
        std::vector<std::int16_t> persons;
        for (const Occupant& o : c.seated) {
            const std::int16_t p = Seat(v, o.type);
            who(p).casualty = o.casualty;
            who(p).controlFlags = o.controlFlags;
            persons.push_back(p);
        }
        order(v, kOpCrewOut, c.a, c.b);
        Ticks(1);
        EXPECT_EQ(car(v).anim, c.openAnim);
        for (std::size_t i = 0; i < persons.size(); ++i) {
            EXPECT_EQ(isOut(v, persons[i]), c.seated[i].getsOut) << "seat " << i;
            if (who(persons[i]).type == kJumpCushionTeam) {
                EXPECT_EQ(HeadBefehlOpcode(who(persons[i])), 191);
                const FahrzeugPunkt hatch = GetFahrzeugHatchPoint(v, persons[i]);
                EXPECT_EQ(who(persons[i]).x, hatch.x);
                EXPECT_EQ(who(persons[i]).y, hatch.y);
            }
        }
        if (c.type == kTypF116) {
            EXPECT_EQ(who(persons.back()).x, 1000);
            EXPECT_EQ(who(persons.back()).y, 360);
        }
        Ticks(c.a - 2);
        EXPECT_EQ(HeadBefehlOpcode(car(v)), kOpCrewOut);
        EXPECT_FALSE(played(kSoundCarDoor));
        Ticks(1);
        EXPECT_EQ(car(v).orders, nullptr);
        EXPECT_EQ(car(v).anim, 0);
        EXPECT_EQ(played(kSoundCarDoor), c.doorSound);
    }
}

struct WallCase {
    const char* name;
    float vehicleY;
    std::int16_t blockerX;  // an F102 beside the door; 0 none
    bool getsOut;
    float y;
};

TEST_F(CrewTest, AgainstAWallTheCrewTriesAlongTheDoorSideAsFarAsThePictureReaches) {
    // An F102 facing 0 (hot spot (19, 39), box (3, 6)-(34, 72), picture 39 x 80) has its door on
    // its right at the corner's y + 27: a fire fighter (box 10 px square round its point) stands
    // at x = v.x + 22, y = v.y - 12, and is tried 1, -1, 2, -2, ... px along y.
    const WallCase cases[] = {
        // A second F102 at x 1035 covers y 267..333 of the door side: the first free spot lies
        // 27 px up (y 261), 51 px down would come later.
        {"a car beside the door", 300, 1035, true, 261},
        // Above y 20 nobody is put down: the door point at y 10 is tried down to y 20.
        {"the map's top edge", 22, 0, true, 20},
        // 80 px along: as far as the picture reaches.
        {"80 px along", -48, 0, true, 20},
        {"81 px along: past the picture, the person stays inside", -49, 0, false, 0},
    };
    for (const WallCase& c : cases) {
        SCOPED_TRACE(c.name);
        clearScene();
        const std::int16_t v = Make(kTypF102, 1, 1000, 0, 0);
        car(v).y = c.vehicleY;
        if (c.blockerX != 0) Make(kTypF102, 1, c.blockerX, 300, 0);
        const std::int16_t p = Seat(v, kFireFighter);
        order(v, kOpCrewOut, 5);
        Ticks(1);
        ASSERT_EQ(isOut(v, p), c.getsOut);
        if (!c.getsOut) continue;
        EXPECT_EQ(who(p).x, 1022);
        EXPECT_EQ(who(p).y, c.y);
    }
}

struct DoorCase {
    const char* name;
    std::int16_t type;
    std::int8_t anim;
    std::int8_t open;
    std::int8_t closed;
};

TEST_F(CrewTest, TheDoorOpensAndShutsByType) {
    const DoorCase cases[] = {
        {"a fire engine", kTypF102, 0, 2, 0},
        {"the ladder set up", kTypF106, 3, 13, 3},
        {"the ladder set up, its door open", kTypF106, 13, 13, 3},
        {"the helicopter stands landed", kTypF203, 0, 2, 3},
    };
    for (const DoorCase& c : cases) {
        SCOPED_TRACE(c.name);
        clearScene();
        clearSounds();
        const std::int16_t v = Make(c.type, 1, 1000, 300, 3);
        SetFahrzeugAnim(v, c.anim);
        order(v, kOpDoor, 3);
        Ticks(2);
        EXPECT_EQ(car(v).anim, c.open);
        EXPECT_FALSE(played(kSoundCarDoor));
        Ticks(1);
        EXPECT_EQ(car(v).anim, c.closed);
        EXPECT_EQ(car(v).orders, nullptr);
        EXPECT_TRUE(played(kSoundCarDoor));
    }
}

struct LeaveCase {
    const char* name;
    std::int16_t type;
    MapExitPoint road;
    MapExitPoint water;
    float x, y;
    bool leaves;
};

TEST_F(CrewTest, AtTheExitLineTheVehicleLeavesWithItsOccupantsElsewhereItStops) {
    const MapExitPoint left{-150, 505, kEdgeLeft};
    const MapExitPoint right{2000, 500, kEdgeRight};
    const LeaveCase cases[] = {
        {"left edge, on the line", kTypF102, left, {}, -100, 505, true},
        {"left edge, 1 px in", kTypF102, left, {}, -99, 505, false},
        {"top edge, on the line", kTypF102, {800, -150, kEdgeTop}, {}, 800, -100, true},
        {"top edge, 1 px in", kTypF102, {800, -150, kEdgeTop}, {}, 800, -99, false},
        {"right edge, on the line", kTypF102, right, {}, 1950, 500, true},
        {"right edge, 1 px in", kTypF102, right, {}, 1949.5f, 500, false},
        {"bottom edge, on the line", kTypF102, {800, 1200, kEdgeBottom}, {}, 800, 1150, true},
        {"bottom edge, 1 px in", kTypF102, {800, 1200, kEdgeBottom}, {}, 800, 1149, false},
        {"the fire boat leaves by the water", kTypF115, left, right, 1950, 500, true},
        {"the fire boat ignores the road", kTypF115, right, left, 1950, 500, false},
        // Flying, it need not get past the map's edge, which hovering helicopters may keep it at.
        {"a helicopter at the map's left edge", kTypF203, left, {}, 50, 505, true},
        {"a helicopter 1 px in from it", kTypF203, left, {}, 51, 505, false},
        {"a helicopter at the map's right edge",
         kTypF203,
         {5000, 500, kEdgeRight},
         {},
         static_cast<float>(WorldMaxX) - 50,
         500,
         true},
        {"a helicopter at the map's top edge, the exit on the left",
         kTypF203,
         left,
         {},
         800,
         50,
         false},
        {"a fire engine at the map's left edge", kTypF102, left, {}, 50, 505, false},
    };
    for (const LeaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        clearScene();
        RoadExit = c.road;
        WaterExit = c.water;
        const std::int16_t v = Make(c.type, 1, 0, 0, 3);
        car(v).x = c.x;
        car(v).y = c.y;
        const std::int16_t p = Seat(v, kFireFighter);
        order(v, kOpLeave, 0);
        AppendBefehl(car(v), 7, 5, 0, 0, 0, 0);
        Ticks(1);
        EXPECT_EQ(car(v).type == -1, c.leaves);
        EXPECT_EQ(who(p).type == -1, c.leaves) << "the occupant goes with it";
        if (!c.leaves) {
            EXPECT_EQ(car(v).orders, nullptr);
        }
    }
    EXPECT_EQ(ToteCount, 0);
    EXPECT_EQ(LostMissionFahrzeugCount, 0);
}

// Burning out under a real explosion, with a spare type slot for its animation.
class BurnOut : public CrewTest {
  protected:
    void SetUp() override {
        CrewTest::SetUp();
        SonderObjTypCount = kCommonSonderObjTypen + 1;
        SonderObjCount = 0;
        AllocSonderObj();
        selectionUpdates = 0;
        SetUpdateSelectionModeHook([] { ++selectionUpdates; });
    }
    // One simulation tick of what takes part: vehicles, then special objects.
    static void tick() {
        UpdateFahrzeuge();
        UpdateSonderObj();
    }
    static const SonderObj& object(std::int32_t slot) { return *SonderObjAt(slot); }
    static int triggerFrame(const Fahrzeug& v) {
        return ExplosionSlots[FahrzeugTypOf(v).explosionKind].damageFrame;
    }
    static int selectionUpdates;
};
int BurnOut::selectionUpdates = 0;

TEST_F(BurnOut, AVehicleLeavesTheMapAtTheTriggerFrameBurnsOnAndIsLostOnceWhenItEnds) {
    const std::int16_t v = Make(kTypF102, kOwnerMission, 1000, 300, 3);
    LoadPersonTyp(0);
    const std::int16_t bystander = MakePerson(0);
    who(bystander).x = 1000;
    who(bystander).y = 340;
    Fahrzeug& f = car(v);
    f.selected = 1;
    const Material& m = MaterialOf(FahrzeugTypOf(f).material);
    // Another explosion's sound plays already: this one takes the next.
    PlaySoundFx(kSoundExplosion, kOwnerNone, -1, 0, 0, 0, kSoundDepth);
    ExplodeFahrzeug(v);
    ASSERT_EQ(HeadBefehlOpcode(f), 44);
    const std::int32_t anim = f.orders->aInt();
    const std::int32_t animType = f.orders->bInt();

    tick();
    EXPECT_EQ(f.targetable, 0);
    EXPECT_EQ(f.selectable, 0);
    EXPECT_EQ(f.selected, 0);
    EXPECT_EQ(selectionUpdates, 1);
    EXPECT_TRUE(played(kSoundExplosion2));
    EXPECT_EQ(f.heat, std::min(m.gain, m.maxHeat));
    EXPECT_EQ(f.energy, m.fuel - f.heat);

    int ticks = 1;
    bool leftMap = false;
    for (; ticks < 500; ++ticks) {
        const bool running = object(anim).type == animType;
        const bool atTrigger = running && object(anim).frame == triggerFrame(f);
        const std::int32_t energy = f.energy;
        tick();
        if (!running) break;
        ASSERT_NE(f.type, -1) << "in its slot while the explosion runs";
        leftMap = leftMap || atTrigger;
        EXPECT_EQ(f.present, leftMap ? 0 : 1) << "tick " << ticks;
        EXPECT_LE(f.heat, m.maxHeat);
        if (energy >= 1) {
            EXPECT_LT(f.energy, energy) << "it burns on";
        }
    }
    EXPECT_TRUE(leftMap);
    EXPECT_EQ(f.type, -1) << "removed on the tick after its explosion ended";
    EXPECT_LT(who(bystander).energy, kFullEnergy) << "the heat reached it";
    EXPECT_EQ(LostMissionFahrzeugCount, 1);
    tick();
    EXPECT_EQ(LostMissionFahrzeugCount, 1);
}

struct SetUpCase {
    const char* name;
    std::int16_t type;
    std::int32_t facing;
    std::int8_t anim;
    bool tent;  // the link names it; else the second link
};

TEST_F(BurnOut, WhatTheVehicleSetUpGoesOnceAtTheTriggerFrame) {
    const SetUpCase cases[] = {
        {"the helicopter's landing object", kTypF203, 3, kHelicopterAnimLanded, false},
        {"the tent being pitched", kTypF204, 7, 2, true},
        {"the tent standing", kTypF204, 7, 3, true},
    };
    for (const SetUpCase& c : cases) {
        SCOPED_TRACE(c.name);
        clearScene();
        const std::int16_t v = Make(c.type, kOwnerMission, 1000, 300, c.facing);
        Fahrzeug& f = car(v);
        f.anim = c.anim;
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, c.tent ? kSobjZelt : kSobjHeliSchatten, 1000, 300, 0, 0, 0, 0.0f, 0);
        (c.tent ? f.link : f.link2) = static_cast<std::uint16_t>(slot);
        ExplodeFahrzeug(v);
        const std::int32_t anim = f.orders->aInt();
        while (object(anim).frame != triggerFrame(f)) tick();
        tick();
        EXPECT_EQ(object(slot).type, -1);
        EXPECT_EQ(c.tent ? f.link : f.link2, kNoLink);
        if (c.anim == 3 && c.tent) {
            EXPECT_EQ(f.anim, 0) << "torn down";
        }
        // The trigger frame shows once more; what has since taken the slot stays.
        ASSERT_EQ(object(anim).frame, triggerFrame(f));
        CreateSonderObj(slot, kSobjHydrant, 1200, 300, 0, 0, 0, 0.0f, 0);
        tick();
        EXPECT_EQ(object(slot).type, kSobjHydrant);
        FreeSonderObjSlot(slot);
    }
}

TEST_F(BurnOut, AnExplosionObjectThatNamesNothingHasEnded) {
    const std::int16_t v = Make(kTypF102, kOwnerMission, 1000, 300, 3);
    order(v, 44, 9999, 5);
    tick();
    EXPECT_EQ(car(v).type, -1);
    EXPECT_EQ(LostMissionFahrzeugCount, 1);
}

}  // namespace
}  // namespace kv
