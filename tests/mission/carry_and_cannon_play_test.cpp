// Mission 1 played through the backend with a crane, a boat trailer, a fire engine and a parked
// car added by a test row of mission hooks: their orders are given as the clicks give them, and
// the clock runs frame by frame.

#include <gtest/gtest.h>

#include <cstdint>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "mission/mission_fixture.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "support/scripted_player.h"
#include "vehicles/carry_befehle.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"
#include "world/wasser_strahl.h"

namespace kv {
namespace {

// The vehicles the test row adds, in these slots, in the field north of the road and in view.
constexpr std::int16_t kFireEngine = 0;
constexpr std::int16_t kCrane = 1;
constexpr std::int16_t kTrailer = 2;
constexpr std::int16_t kCar = 3;
// Mission 1's tractor wreck, which its crane takes up.
constexpr std::int16_t kWreck = 0;
constexpr std::int16_t kWreckTyp = 18;
// The acknowledgement of a move order.
constexpr std::int32_t kMovePhrase = 7;

void InitFahrzeugeWithCarriers() {
    FahrzeugCount = 20;
    AllocFahrzeuge();
    CreateFahrzeug(kTypF104, 600, 300, 3);
    CreateFahrzeug(kTypF110, 700, 380, 3);
    CreateFahrzeug(kTypF118, 1000, 410, 9);
    CreateFahrzeug(kTypPARK01, 1000, 300, 3);
}

Fahrzeug& V(std::int16_t index) {
    return Fahrzeuge[static_cast<std::size_t>(index)];
}

// As a click sends a carrier to a thing: a drive to its pick-up points in the four facings, then
// the take-up order.
void SendToPickUp(std::int16_t carrier, PickUpThing thing, std::uint8_t opcode, std::int32_t a,
                  std::int32_t b) {
    GoalList goals;
    for (const int facing : {7, 3, 1, 9}) {
        if (const auto p = GetFahrzeugPickUpPoint(V(carrier).type, thing, facing))
            goals.push_back({static_cast<float>(p->x), static_cast<float>(p->y),
                             static_cast<std::uint8_t>(facing), 0});
    }
    SetBefehl(V(carrier), FahrzeugTypOf(V(carrier)), kOpGoals, kMovePhrase, std::move(goals), 0, 0,
              0);
    AppendBefehl(V(carrier), opcode, a, b, 0, 0, 1);
}

// A drive to one point, arriving in a facing, then an order there.
void SendTo(std::int16_t v, float x, float y, std::uint8_t facing, std::uint8_t opcode,
            std::int32_t a, std::int32_t b) {
    SetBefehl(V(v), FahrzeugTypOf(V(v)), kOpGoals, kMovePhrase,
              GoalList{GoalPoint{x, y, facing, 0}}, 0, 0, 0);
    AppendBefehl(V(v), opcode, a, b, 0, 0, 1);
}

class CarryAndCannonPlay : public test::MissionTest {};

TEST_F(CarryAndCannonPlay, CraneTrailerAndCannonWorkOnMissionOne) {
    useSampleData(false);
    openGame();
    MissionHookRows[0].InitFahrzeuge = InitFahrzeugeWithCarriers;
    // Mission 1 fails once a vehicle is lost, and the scrapped car counts as one: its own
    // checks stay out of this play of the carrying orders.
    MissionHookRows[0].CheckMission = [] {};
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    player.frames(1);
    leaveKarte(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    const std::uint16_t bought = BoughtFahrzeugCount;
    const std::uint16_t lost = LostMissionFahrzeugCount;
    const auto idle = [](std::int16_t v) { return [v] { return V(v).orders == nullptr; }; };

    // The cannon at a point of the field, 180 px east: row 11's base line, 8 px up.
    SetBefehl(V(kFireEngine), FahrzeugTypOf(V(kFireEngine)), kOpCannonAtCell, 7, 780, 300, 0, 11,
              0);
    // The crane to the wreck, which it takes up; the trailer sets its boat down.
    SendToPickUp(kCrane, PickUpSonderObj(kWreck), 45, kWreck, kWreckTyp);
    SetBefehl(V(kTrailer), FahrzeugTypOf(V(kTrailer)), 65, 7, 1150, 330, 0, 0, 0);
    ASSERT_TRUE(player.runUntil(idle(kCrane), 1500));
    ASSERT_EQ(V(kCrane).type, kTypF110MD);
    EXPECT_EQ(SonderObjs[kWreck].visible, 0);
    EXPECT_EQ(V(kTrailer).type, kTypF119);
    const std::int16_t boat = 4;
    ASSERT_EQ(V(boat).type, kTypF114);
    EXPECT_EQ(BoughtFahrzeugCount, bought + 1);

    const WasserStrahl& jet = *V(kFireEngine).wasserStrahl;
    EXPECT_EQ(jet.active, 1);
    EXPECT_EQ(jet.targetX, 780);
    EXPECT_EQ(jet.targetY, 300);
    EXPECT_GT(jet.ticksRunning, 0) << "the jet delivers water";
    EXPECT_EQ(HeadBefehlOpcode(V(kFireEngine)), kOpCannonAtCell);

    // The wreck set down in the open, north-west of the crane.
    AppendBefehl(V(kCrane), 46, 600, 200, 0, 0, 1);
    player.frames(1);
    EXPECT_EQ(V(kCrane).type, kTypF110);
    EXPECT_EQ(SonderObjs[kWreck].visible, 1);
    EXPECT_EQ(SonderObjs[kWreck].x, 600.0f);

    // The trailer takes its boat up again.
    SendToPickUp(kTrailer, PickUpFahrzeug(boat), 66, boat, 0);
    ASSERT_TRUE(player.runUntil(idle(kTrailer), 1500));
    EXPECT_EQ(V(kTrailer).type, kTypF118);
    EXPECT_EQ(V(boat).type, -1);
    EXPECT_EQ(BoughtFahrzeugCount, bought);

    // The crane lifts the car, drives on and drops it for scrapping.
    SendToPickUp(kCrane, PickUpFahrzeug(kCar), 73, kCar, kTypPARK01);
    ASSERT_TRUE(player.runUntil(idle(kCrane), 1500));
    ASSERT_EQ(V(kCrane).type, kTypF110MD);
    EXPECT_EQ(V(kCar).present, 0);
    SendTo(kCrane, 800, 200, 1, 76, 800, 200);
    ASSERT_TRUE(player.runUntil(idle(kCrane), 1500));
    EXPECT_EQ(V(kCrane).type, kTypF110);
    EXPECT_EQ(V(kCar).type, -1);
    EXPECT_EQ(LostMissionFahrzeugCount, lost + 1);

    EXPECT_EQ(V(kFireEngine).wasserStrahl->active, 1) << "the jet still runs";
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    player.frames(1);
    EXPECT_TRUE(player.shot("carry-and-cannon-end"));
}

}  // namespace
}  // namespace kv
