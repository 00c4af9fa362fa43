// The whole game on the sample data: mission 1, its scene cleared, with a fire engine, a fire
// fighter at its compartment, a hydrant and a burning grass cell. The fire fighter takes a hose,
// is sent to the hydrant and connects the hose, puts the fire out with its jet, and lets the hose
// go again. The scene is the one of tests/scenarios/hose.txt.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "mission/mission_fixture.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/equipment.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int8_t kFireFighter = 1;
constexpr std::uint8_t kOpTakeSchlauch = 156;
constexpr std::uint8_t kOpAimAtTarget = 177;
// A grass cell of the pasture, and a point 10 px above its foot line (row 15 begins at y 420).
constexpr int kFireColumn = 38;
constexpr int kFireRow = 15;
constexpr int kAimX = 992;
constexpr int kAimY = 410;

// Every person, vehicle and special object goes, and the road traffic stops.
void ClearScene() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
        RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
    for (std::size_t i = 0; i < Personen.size(); ++i) DeletePerson(static_cast<std::int32_t>(i));
    for (std::size_t i = 0; i < SonderObjs.size(); ++i)
        if (SonderObjs[i].type != -1) FreeSonderObjSlot(static_cast<int>(i));
    FreeZFWege();
}

int CountOf(std::int16_t type) {
    return static_cast<int>(std::count_if(SonderObjs.begin(), SonderObjs.end(),
                                          [type](const SonderObj& o) { return o.type == type; }));
}

class HoseGame : public test::MissionTest {};

TEST_F(HoseGame, AFireFighterTakesAHoseConnectsItToAHydrantAndPutsAFireOut) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ClearScene();
    // The cleared road would win mission 1 at the next frame's check: its rules stay out of this
    // play of the hose.
    MissionHookRows[0].CheckMission = [] {};

    LoadFahrzeugTyp(kTypF102);
    const std::int16_t engine = CreateFahrzeug(kTypF102, 700, 380, 3);
    ASSERT_GE(engine, 0);
    SetupFahrzeug(engine, 1);
    const std::int16_t p = FindFreePerson();
    ASSERT_GE(p, 0);
    PlacePerson(p, kFireFighter, 0, 0, 0);
    ResetPerson(p);
    Person& ff = Personen[static_cast<std::size_t>(p)];
    const FahrzeugPunkt side = GetFahrzeugSidePoint(engine, p);
    ff.x = side.x;
    ff.y = side.y;
    UpdatePersonDrawPos(ff);
    // The hydrant's spot, 11 px left of it and 8 px down, is the engine's side point.
    const std::int16_t hydrant = FindFreeSonderObj();
    AddHydrant(static_cast<std::int16_t>(side.x + 11), static_cast<std::int16_t>(side.y - 8));
    ASSERT_TRUE(IgniteMapCellAt(kFireColumn, kFireRow));
    const BrandState& fire =
        BrandStates[static_cast<std::size_t>(CellIndex(kFireColumn, kFireRow))];
    Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(engine)];

    // The hose from the engine's compartment, once it shows open.
    SetBefehl(ff, PersonTypOf(ff), kOpTakeSchlauch, -1, engine, 700, 380, 0, 0);
    std::int8_t engineAnim = -1;
    ASSERT_TRUE(player.runUntil(
        [&] {
            engineAnim = v.anim;
            return ff.type == 10;
        },
        10));
    EXPECT_EQ(engineAnim, kFahrzeugAnimOpen);
    EXPECT_EQ(ff.orders, nullptr);

    // To the hydrant, and the hose connected.
    WalkPersonToHydrant(p, hydrant);
    ASSERT_TRUE(player.runUntil([&] { return ff.type == 11; }, 200));
    const SonderObj& hose = SonderObjs[ff.link];
    EXPECT_EQ(hose.type, kSobjSchlauch);
    EXPECT_EQ(hose.x, side.x + 11 - 26);
    EXPECT_EQ(hose.y, side.y - 8 + 3);
    EXPECT_EQ(ff.x, side.x - 16);
    EXPECT_EQ(ff.link2, hydrant);
    const SchlauchStrahl* jet = ff.attachment.jet();
    ASSERT_NE(jet, nullptr);
    const std::int16_t splash = jet->splash;
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(splash)].type, kSplashSonderObjTyp);

    // The jet at the burning cell puts it out.
    ASSERT_EQ(fire.burning, 1);
    SetBefehl(ff, PersonTypOf(ff), kOpAimAtTarget, -1, kAimX, kAimY, 0, kFireRow, 0);
    ASSERT_TRUE(player.runUntil([&] { return fire.burning == 0; }, 200));
    jet = ff.attachment.jet();
    ASSERT_NE(jet, nullptr);
    EXPECT_EQ(jet->active, 1);
    player.frames(1);
    EXPECT_TRUE(player.shot("actions-hose"));

    // Let go, nothing of the hose is left.
    DropHose(p);
    EXPECT_EQ(ff.type, 10);
    EXPECT_TRUE(ff.attachment.empty());
    EXPECT_EQ(CountOf(kSobjSchlauch), 0);
    EXPECT_EQ(SonderObjs[static_cast<std::size_t>(splash)].type, -1);
    player.frames(5);
    EXPECT_EQ(ff.type, 10);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
