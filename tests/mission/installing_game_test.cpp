// The whole game on the sample data: mission 1 with a three-floor house added by a test house
// set-up and a pontoon point on the pond, its own scene cleared. The ladder vehicle sets up at
// the house, raises its basket and swings it to facade column 1 one storey up, where the person
// riding in it steps into storey 3; the pontoon layer lays a chain of three pieces and takes it
// in again, leaving no special object behind.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "mission/scroll_view.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::uint8_t kOpSetUp = 57;
constexpr std::uint8_t kOpBasketUp = 59;
constexpr std::uint8_t kOpBasketTo = 60;
constexpr std::uint8_t kOpTakeDown = 62;
constexpr std::uint8_t kOpFetch = 63;
constexpr std::uint8_t kOpStepIn = 68;
constexpr std::int8_t kStaff = 1;

// The three-floor house: cell (0, 0) at column 35, row 10, its front on row 14.
void InitHousesWithOne() {
    HouseCount = 1;
    InitHouseList();
    AddHouse(0, 35, 10, 0, 0, 1);
}

// The point on the pond's east shore, the chain growing west.
constexpr std::uint16_t kPointX = 1190;
constexpr std::uint16_t kPointY = 800;

void ClearScene() {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
        RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
    for (std::size_t i = 0; i < Personen.size(); ++i) DeletePerson(static_cast<std::int32_t>(i));
    for (std::size_t i = 0; i < SonderObjs.size(); ++i)
        if (SonderObjs[i].type != -1) FreeSonderObjSlot(static_cast<int>(i));
    FreeZFWege();
}

int UsedSonderObjs() {
    return static_cast<int>(std::count_if(SonderObjs.begin(), SonderObjs.end(),
                                          [](const SonderObj& o) { return o.type != -1; }));
}

std::int16_t NewFahrzeug(std::int16_t type, int x, int y, int facing) {
    LoadFahrzeugTyp(type);
    const std::int16_t v =
        CreateFahrzeug(type, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), facing);
    if (v >= 0) SetupFahrzeug(v, kOwnerBought);
    return v;
}

class InstallingGame : public test::MissionTest {
  protected:
    static Fahrzeug& V(std::int16_t v) { return Fahrzeuge[static_cast<std::size_t>(v)]; }
    static Person& P(std::int16_t p) { return Personen[static_cast<std::size_t>(p)]; }
};

TEST_F(InstallingGame, TheLadderTakesAPersonUpIntoTheHouseAndAPontoonIsLaidAndTakenIn) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) { row.InitHouses = InitHousesWithOne; });
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ASSERT_NE(PlacedHouse(0), nullptr);
    ClearScene();
    // The cleared road would win mission 1 at the next frame's check: its rules stay out of this
    // play of the installations.
    MissionHookRows[0].CheckMission = [] {};
    // Mission 1 has no pontoon points of its own.
    PontonPunktCount = 1;
    AllocPontonPunkte();
    AddPontonPunkt(kPointX, kPointY, 0, 3, 0);
    const int objectsBefore = UsedSonderObjs();

    // The ladder where a click on the house sets it up, a person riding in its basket at home.
    const AnimSlot& stand = FahrzeugAnimSlot(kTypF106, 3, 0);
    const int ladderX = 32 * 35 - 16 * 14 - 16 + 80 + stand.hotX;
    const int ladderY = 28 * 14 + 28 + stand.hotY;
    const std::int16_t ladder = NewFahrzeug(kTypF106, ladderX, ladderY, 3);
    ASSERT_GE(ladder, 0);
    std::int32_t fx = 0;
    std::int32_t fy = 0;
    ASSERT_TRUE(GetHouseFacadePoint(1, 0, fx, fy));
    const std::int16_t rider = FindFreePerson();
    // Swung out to column 11 the basket stands 126 px further west; the step in takes 2 more.
    PlacePerson(rider, kStaff, static_cast<float>(fx + 2 + 126), static_cast<float>(ladderY + 3),
                0);
    ResetPerson(rider);
    P(rider).height = 8;
    P(rider).basketVehicle = static_cast<std::uint16_t>(ladder);

    const FahrzeugTyp& typ = FahrzeugTypOf(V(ladder));
    SetBefehl(V(ladder), typ, kOpSetUp, -1, ladderX, ladderY, 3, 0, 0);
    player.frames(1);
    ASSERT_EQ(V(ladder).anim, 3);
    ASSERT_NE(V(ladder).kanzel, nullptr);
    V(ladder).kanzel->persons = 1;
    // What a click on facade column 1, storey 3 gives while the person rides in the basket.
    SetBefehl(V(ladder), typ, kOpBasketUp, -1, 0, 0, 0, 0, 0);
    AppendBefehl(V(ladder), kOpBasketTo, 11, 1, 0, 0, 1);
    AppendBefehl(V(ladder), kOpStepIn, rider, 0, 0, 0, 1);
    AppendBefehl(V(ladder), kOpFetch, 11, 1, 0, 0, 1);
    const std::int16_t onStorey3 = Houses[0].floors[2].personCount;
    ASSERT_TRUE(player.runUntil([&] { return HeadBefehlOpcode(V(ladder)) == kOpFetch; }, 200));
    EXPECT_EQ(V(ladder).kanzel->column, 11);
    EXPECT_EQ(V(ladder).kanzel->position, 1);
    EXPECT_EQ(V(ladder).kanzel->persons, 0);
    EXPECT_EQ(P(rider).storey, 3);
    EXPECT_EQ(P(rider).house, 0);
    EXPECT_EQ(P(rider).basketVehicle, 0xFFFF);
    EXPECT_EQ(P(rider).x, static_cast<float>(fx));
    EXPECT_EQ(Houses[0].floors[2].personCount, onStorey3 + 1);

    // The pontoon layer on the point lays its chain of three and takes it in again.
    const std::int16_t layer = NewFahrzeug(kTypF113, kPointX, kPointY, 1);
    ASSERT_GE(layer, 0);
    SetBefehl(V(layer), FahrzeugTypOf(V(layer)), kOpSetUp, -1, 0, 0, 0, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return V(layer).orders == nullptr; }, 300));
    EXPECT_EQ(V(layer).anim, 4);
    EXPECT_EQ(PontonPunkte[0].complete, 1);
    ASSERT_EQ(V(layer).pieceCount, 3);
    // The last slide ends: the pieces lie side by side west of the point.
    const auto laid = [&] {
        for (std::size_t i = 0; i < 3; ++i)
            if (static_cast<int>(SonderObjs[V(layer).pieces[i]].x) !=
                kPointX - 119 + 32 * static_cast<int>(i))
                return false;
        return true;
    };
    EXPECT_TRUE(player.runUntil(laid, 20));
    ViewOrigin = LimitToView(kPointX - 320, kPointY - 240);
    player.frames(1);
    ASSERT_TRUE(player.shot("installing-pontoon-chain"));

    SetBefehl(V(layer), FahrzeugTypOf(V(layer)), kOpTakeDown, -1, 0, 0, 0, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return V(layer).orders == nullptr; }, 300));
    EXPECT_EQ(V(layer).anim, 0);
    EXPECT_EQ(V(layer).link, kNoLink);
    EXPECT_TRUE(V(layer).pieces.empty());
    EXPECT_EQ(UsedSonderObjs(), objectsBefore) << "no special object is left over";
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
