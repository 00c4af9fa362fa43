// Mission 1 played with rivals on its cleared map: two fighters of the two clubs fight to the
// end, a thrower's bottle flies at a parked car and bursts, and a civilian sent after the thrower
// struggles with it and leads it away. The struggle's frame is kept as actions-pursuit.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/person_pursuit.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

class RivalsGameTest : public test::MissionTest {};

constexpr std::uint8_t kFighter = kPersonController | kPersonFighter;

// What the mission placed goes, and no traffic comes any more.
void ClearScene() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
        RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
    for (std::size_t i = 0; i < Personen.size(); ++i) DeletePerson(static_cast<std::int32_t>(i));
    for (std::size_t i = 0; i < SonderObjs.size(); ++i)
        if (SonderObjs[i].type != -1) FreeSonderObjSlot(static_cast<int>(i));
    FreeZFWege();
}

// A person the set-up made, loaded and reset as the mission start does.
std::int16_t Ready(std::int16_t index) {
    EXPECT_GE(index, 0);
    LoadPersonTyp(Personen[static_cast<std::size_t>(index)].type);
    ResetPerson(index);
    return index;
}

const Person& P(std::int16_t i) {
    return Personen[static_cast<std::size_t>(i)];
}

// The thrown bottle in flight, or bursting once it has landed.
bool BottleFlies() {
    for (const SonderObj& o : SonderObjs)
        if (o.type == kSobjMolotow && o.commands && o.commands->kind == kCmdThrown) return true;
    return false;
}
bool BottleBursts() {
    for (const SonderObj& o : SonderObjs)
        if (o.type == kSobjMolotow && o.commands && o.commands->kind == kCmdExplosion) return true;
    return false;
}

TEST_F(RivalsGameTest, RivalsFightAThrowerThrowsAndAPursuerLeadsItAway) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ClearScene();
    // The cleared road would win mission 1 at the next frame's check: its rules stay out of this
    // play of the persons.
    MissionHookRows[0].CheckMission = [] {};
    SeedRandom(48);
    GameSpeed = 3;

    // Two fighters below the fight line, near the meeting point at (843, 924); as strong as each
    // other, so the second runs the fight.
    const std::int16_t p = Ready(CreateScriptPerson(41, 800, 950, 0, 0));
    const std::int16_t o = Ready(CreateScriptPerson(43, 880, 950, 0, 0));
    ASSERT_TRUE(player.runUntil([&] { return P(p).casualty != 0; }, 300))
        << "the fight is over within 900 ticks";
    player.frames(2);
    EXPECT_EQ(P(o).controlFlags, kFighter);
    EXPECT_EQ(P(o).energy, kFullEnergy / 2);
    EXPECT_EQ(P(o).anim, kAnimStand);
    EXPECT_EQ(P(p).present, 1);
    EXPECT_EQ(P(p).anim, kAnimLying);
    EXPECT_EQ(VerletzteCount, 1);

    // A thrower with a parked car in reach.
    const std::int16_t car = CreateFahrzeug(36, 1100, 300, 3);
    ASSERT_GE(car, 0);
    LoadFahrzeugTyp(36);
    SetupFahrzeug(car, Fahrzeuge[static_cast<std::size_t>(car)].controlFlags);
    const std::int16_t t = Ready(CreatePersonAt(1000, 250, 0, 0));
    const std::uint32_t start = TickCounter;
    ASSERT_TRUE(player.runUntil(BottleFlies, 700));
    ASSERT_TRUE(player.runUntil(BottleBursts, 20));
    EXPECT_LE(TickCounter - start, 2000u);

    // A civilian sent after the thrower; the view shows the two.
    const std::int16_t a = Ready(CreatePersonAt(950, 250, 0, 3));
    Personen[static_cast<std::size_t>(a)].type = 0;
    Personen[static_cast<std::size_t>(a)].controlFlags = 0;
    Ready(a);
    QueueTargetAction(a, t);
    ViewOrigin = {680, 20};
    ASSERT_TRUE(player.runUntil([&] { return HeadBefehlOpcode(P(t)) == 168; }, 200));
    EXPECT_EQ(P(a).present, 0) << "hidden while the thrower shows the struggle";
    player.frames(5);
    ASSERT_TRUE(player.shot("actions-pursuit"));
    ASSERT_TRUE(player.runUntil([&] { return P(t).type == 33; }, 200));
    EXPECT_EQ(HeadBefehlOpcode(P(a)), kOpFollowTrail);
    EXPECT_EQ(P(t).link, a);
    EXPECT_EQ(P(a).link, 1000 + t);
    EXPECT_EQ(P(a).present, 1);
    EXPECT_EQ(VerletzteCount, 1);
}

}  // namespace
}  // namespace kv
