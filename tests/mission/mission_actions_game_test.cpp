// Mission 1 played with every mission action once: a tree felled in the wood, work at special
// objects with a callback, a door held, a gate flag asked for, stepping out, the rescue poses, a
// person put into the lake and fetched with the ring, a patient laid on a bed, a house worked at
// and lit. Afterwards every actor is idle, and nothing is left but what the actions leave.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/befehl_callbacks.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr int kCivilian = 0;
constexpr int kFireFighter = 1;
constexpr int kCushionTeam = 6;
constexpr int kExtinguisher = 8;
constexpr int kCarrier = 12;
constexpr int kChainsaw = 13;
constexpr int kRopeTeam = 15;
constexpr int kRingCarrier = 46;
constexpr int kFireEngine = 0;
constexpr int kCallbackSlot = 2;

std::vector<std::pair<std::int32_t, std::int32_t>> g_calls;

// Mission 1 has no houses; this row adds a type-4 house between its field and its wood.
void InitHousesWithOne() {
    HouseCount = 1;
    InitHouseList();
    AddHouse(4, 35, 10, 0, 0, 1);
}

class MissionActionsGameTest : public test::MissionTest {
  protected:
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }

    // A person standing reset at the point, facing the direction, without a controller.
    std::int16_t newPerson(int type, int x, int y, int direction) {
        LoadPersonTyp(static_cast<std::int16_t>(type));
        const std::int16_t i = FindFreePerson();
        Person& p = PlacePerson(i, static_cast<std::int8_t>(type), static_cast<float>(x),
                                static_cast<float>(y), 0);
        SetStandingUnhurt(p);
        p.direction = static_cast<std::int8_t>(direction);
        ResetPerson(i);
        actors.push_back(i);
        return i;
    }
    static std::int16_t newObject(std::int16_t type, int x, int y) {
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, type, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0,
                        15, 0, 0.0f, 0);
        return slot;
    }
    static void order(std::int16_t i, int opcode, std::int32_t a, std::int32_t b = 0,
                      std::int32_t c = 0, std::int32_t d = 0, std::uint32_t e = 0) {
        SetBefehl(P(i), PersonTypOf(P(i)), static_cast<std::uint8_t>(opcode), -1, a, b, c, d, e);
    }
    static int usedObjects() {
        return static_cast<int>(std::count_if(SonderObjs.begin(), SonderObjs.end(),
                                              [](const SonderObj& o) { return o.type != -1; }));
    }
    bool allIdle() const {
        return std::all_of(actors.begin(), actors.end(), [](std::int16_t i) {
            return P(i).type == -1 || P(i).orders == nullptr;
        });
    }

    std::vector<std::int16_t> actors;
};

TEST_F(MissionActionsGameTest, EveryActionOnceOnMissionOnesMap) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        // Not about mission 1's rules: a scene that clears persons must not end the mission.
        row.CheckMission = [] {};
        row.InitHouses = InitHousesWithOne;
    });
    ASSERT_EQ(GameMode, 2u);
    const House* placed = PlacedHouse(0);
    ASSERT_NE(placed, nullptr);
    g_calls.clear();
    BefehlCallbacks[kCallbackSlot] = [](std::int32_t object, std::int32_t person) {
        g_calls.emplace_back(object, person);
    };
    const int objectsBefore = usedObjects();

    // The tree of cell (52, 14) in the wood, its origin (1440, 392).
    const std::int16_t saw = newPerson(kChainsaw, 1440, 426, 1);
    order(saw, 176, 52, 14, 0);

    // Work at a hose (any spot facing 1), a hydrant taken away from its spot facing 2, a command
    // to a hose, an object removed and a hit marker's frame set.
    const std::int16_t hose = newObject(kSobjSchlauch, 200, 100);
    const std::int16_t worker = newPerson(kExtinguisher, 180, 140, 1);
    order(worker, 183, hose, kSobjSchlauch, 1, -1, kCallbackSlot);
    const std::int16_t hydrant = newObject(kSobjHydrant, 300, 100);
    const std::int16_t releaser = newPerson(kExtinguisher, 297, 130, 2);
    order(releaser, 158, hydrant, kSobjHydrant, 1);
    const std::int16_t valve = newObject(kSobjSchlauch, 400, 100);
    const SonderObjTyp& hoseTyp = *SonderObjTypAt(kSobjSchlauch);
    const std::int16_t commander =
        newPerson(kFireFighter, 400 + hoseTyp.boxX0, 100 + hoseTyp.boxY1 + 7, 1);
    order(commander, 192, valve, 1, 99, 0);  // shut, naming no traffic path
    const std::int16_t junk = newObject(kSobjHolzstapel, 500, 100);
    const std::int16_t remover = newPerson(kFireFighter, 505, 105, 0);
    order(remover, 196, junk, 1);
    const std::int16_t marker = newObject(kSobjAuftreffpunkt, 600, 100);
    SonderObjTyp& markerTyp = *SonderObjTypAt(kSobjAuftreffpunkt);
    markerTyp.ticksPerFrame = 30000;  // holds the frame the person sets
    const std::int16_t framer =
        newPerson(kFireFighter, 600 + (markerTyp.boxX0 + markerTyp.boxX1) / 2,
                  100 + (markerTyp.boxY0 + markerTyp.boxY1) / 2, 0);
    order(framer, 223, marker, 3);

    // A carrier lays its patient on a bed.
    const std::int16_t bed = newObject(kSobjBett, 700, 100);
    const std::int16_t patient = newPerson(kCivilian, 700, 160, 1);
    P(patient).offMap = 1;
    const std::int16_t carrier = newPerson(kCarrier, 690, 160, 3);
    P(carrier).link = static_cast<std::uint16_t>(patient);
    order(carrier, 201, 3, bed);

    // A door held open at a fire engine; a gate flag, which mission 1 does not have.
    LoadFahrzeugTyp(kFireEngine);
    const std::int16_t engine = CreateFahrzeug(kFireEngine, 800, 250, 3);
    ASSERT_GE(engine, 0);
    SetupFahrzeug(engine, 1);
    const std::int16_t doorman = newPerson(kFireFighter, 700, 300, 0);
    const FahrzeugPunkt door = GetFahrzeugDoorPoint(engine, doorman);
    P(doorman).x = door.x;
    P(doorman).y = door.y;
    order(doorman, 184, engine, door.x, door.y);
    const std::int16_t flagger = newPerson(kFireFighter, 200, 300, 0);
    order(flagger, 190, 200, 300, 0);

    // Stepping out, the torch and the rope, the rope pulling a stuck civilian free.
    const std::int16_t cushion = newPerson(kCushionTeam, 300, 300, 3);
    order(cushion, 191, 0);
    const std::int16_t hidden = newPerson(kCivilian, 450, 250, 0);
    P(hidden).present = 0;
    const std::int16_t torch = newPerson(kFireFighter, 400, 300, 4);
    order(torch, 209, 400, 300, hidden);
    const std::int16_t stuck = newPerson(kCivilian, 500, 300, 0);
    const std::int16_t rope = newPerson(kRopeTeam, 500, 300, 4);
    order(rope, 210, 500, 300, stuck);

    // A civilian put into the lake, and the ring thrown to it.
    const std::int16_t victim = newPerson(kCivilian, 1080, 740, 6);
    order(victim, 221, 1080, 740, 6, 1080, 850);
    player.frames(1);
    ASSERT_EQ(P(victim).y, 850.0f);
    const std::int16_t ringer = newPerson(kRingCarrier, 980, 850, 3);
    order(ringer, 205, 1071, 842, victim, 3);

    // The house worked at from its front.
    const std::int16_t houseWorker = newPerson(kExtinguisher, 940, 420, 1);
    order(houseWorker, 195, 940, 420, 0, 1);

    bool doorOpened = false;
    const auto watchDoor = [&] {
        doorOpened |= Fahrzeuge[static_cast<std::size_t>(engine)].anim == 2;
    };
    ASSERT_TRUE(player.runUntil(
        [&] {
            watchDoor();
            return P(saw).orders == nullptr;
        },
        500));
    // The felled cell shows burnt, and the wood pile on it, a while later.
    const SonderObj& pile = SonderObjs[static_cast<std::size_t>(hydrant)];
    ASSERT_EQ(pile.type, kSobjHolzstapel) << "the pile takes the hydrant's freed slot";
    ASSERT_TRUE(player.runUntil([&] { return pile.visible == 1; }, 100));
    ViewOrigin = {1100, 200};
    player.frames(1);
    ASSERT_TRUE(player.shot("actions-tree"));
    EXPECT_EQ(MapCells[static_cast<std::size_t>(CellIndex(52, 14))].terrain, 14);
    ASSERT_TRUE(player.runUntil(
        [&] {
            watchDoor();
            return allIdle();
        },
        200));
    EXPECT_TRUE(doorOpened);
    EXPECT_EQ(P(cushion).direction, 9);

    // The house lit last: its fire may spread.
    const std::int16_t arsonist = newPerson(kCivilian, 1000, 450, 0);
    order(arsonist, 194, 0, 3);
    player.frames(1);
    EXPECT_EQ(placed->burning, 1);

    ASSERT_TRUE(allIdle());
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0], (std::pair<std::int32_t, std::int32_t>{hose, worker}));
    EXPECT_EQ(pile.x, 1440.0f);
    EXPECT_EQ(pile.y, 397.0f);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(junk)].type, -1);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(marker)].frame, 3);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(bed)].user, patient);
    EXPECT_EQ(P(carrier).type, 5);
    EXPECT_EQ(P(hidden).present, 1);
    EXPECT_EQ(P(rope).type, kFireFighter);
    EXPECT_EQ(P(ringer).type, kFireFighter);
    EXPECT_EQ(P(houseWorker).type, kExtinguisher);
    EXPECT_EQ(placed->evacuated, 1);
    // Left: the hose worked at, the commanded hose, the marker, the bed and the wood pile; the
    // ring is taken up. Only the person in the lake holds a plan.
    EXPECT_EQ(usedObjects(), objectsBefore + 5);
    const int plans =
        static_cast<int>(std::count_if(Personen.begin(), Personen.end(), [](const Person& p) {
            return p.type != -1 && p.attachment.plan() != nullptr;
        }));
    EXPECT_EQ(plans, 1);
    EXPECT_EQ(P(victim).anim, 5);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
