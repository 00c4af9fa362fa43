// Mission 1 played with a furnished house added by a test house set-up: a staff person goes in,
// up to storey 3 and is sent out again; a civilian marks the house and a script person comes
// out from storey 3; another is called to the window by the catching team, jumps and is caught.

#include <gtest/gtest.h>

#include <cmath>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/selection.h"
#include "mission/mission_fixture.h"
#include "mission/selection.h"
#include "movement/befehl_queue.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "world/houses.h"

namespace kv {
namespace {

constexpr int kStaff = 1;
constexpr int kCivilian = 0;
constexpr int kCatcher = 6;
constexpr std::uint16_t kNone = 0xFFFF;

// Mission 1 has no houses; this row adds a furnished type-4 house north of its road: cell
// (0, 0) at column 35, row 10, the door at the front of cell (1, 3).
void InitHousesWithOne() {
    HouseCount = 1;
    InitHouseList();
    AddHouse(4, 35, 10, 0, 0, 1);
}

class HouseActionsGameTest : public test::MissionTest {
  protected:
    // The house's points: the door's inside point (944, 384), the stair point (970, 316).
    static const House& house() { return Houses[0]; }
    static Person& P(std::int16_t i) { return Personen[static_cast<std::size_t>(i)]; }

    // A person standing reset where a base would put it; staff take the player's orders.
    static std::int16_t newPerson(int type, int x, int y, int storey, std::uint8_t flags) {
        const std::int16_t i = FindFreePerson();
        Person& p = PlacePerson(i, static_cast<std::int8_t>(type), static_cast<float>(x),
                                static_cast<float>(y), static_cast<std::int8_t>(storey));
        SetStandingUnhurt(p);
        p.selectable = flags == 0 ? 1 : 0;
        p.targetable = 1;
        p.controlFlags = flags;
        if (storey >= 1) p.house = 0;
        ResetPerson(i);
        return i;
    }
    static void order(std::int16_t i, int opcode, std::int32_t a, std::int32_t b, std::int32_t c,
                      std::int32_t d = 0) {
        SetBefehl(P(i), PersonTypOf(P(i)), static_cast<std::uint8_t>(opcode), -1, a, b, c, d, 0);
    }
    static int doubles() {
        int n = 0;
        for (const Person& p : Personen) n += p.type != -1 && IsDoorDouble(p) ? 1 : 0;
        return n;
    }
};

TEST_F(HouseActionsGameTest, InAndOutUpAndDownMarkedOutAndAJumpCaught) {
    useSampleData(false);
    openGame();
    MissionHookRows[0].InitHouses = InitHousesWithOne;
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    player.frames(1);
    leaveKarte(player);
    ASSERT_EQ(GameMode, 2u);
    ASSERT_NE(PlacedHouse(0), nullptr);
    const PixelPos in = HouseInsidePoint(house());
    const PixelPos stair = HouseStairPoint(house());
    ASSERT_EQ(in, (PixelPos{944, 384}));

    // A staff person goes in through the door, a double standing in the doorway meanwhile.
    const std::int16_t staff = newPerson(kStaff, in.x, in.y + 20, 0, 0);
    order(staff, 169, in.x, in.y + 20, 0);
    player.frames(1);
    EXPECT_EQ(doubles(), 1);
    EXPECT_EQ(house().floors[0].personCount, 1);
    ASSERT_TRUE(player.runUntil([&] { return P(staff).orders == nullptr; }, 40));
    EXPECT_EQ(doubles(), 0);
    EXPECT_EQ(P(staff).storey, 1);

    // Up to storey 3 at the stair point.
    order(staff, 171, 2, 0, 0);
    player.frames(1);
    EXPECT_EQ(P(staff).storey, 3);
    EXPECT_EQ(P(staff).x, static_cast<float>(stair.x));
    EXPECT_EQ(house().floors[2].personCount, 1);

    // Selected and sent to the road's verge, it goes down, out through the door and on.
    P(staff).selected = 1;
    UpdateSelectionMode();
    MoveSelectedTo(900, 450);
    ASSERT_TRUE(player.runUntil([&] { return P(staff).orders == nullptr; }, 600));
    EXPECT_EQ(P(staff).storey, 0);
    EXPECT_EQ(P(staff).house, kNone);
    EXPECT_NEAR(P(staff).x, 900.0f, 3);
    EXPECT_NEAR(P(staff).y, 450.0f, 3);

    // A civilian marks the house from in front of its door; the script person upstairs comes
    // out by the stair point, storey 1 and the door.
    const std::int16_t upstairs = newPerson(kStaff, stair.x + 60, stair.y + 30, 3, 1);
    const std::int16_t civilian = newPerson(kCivilian, in.x, in.y + 16, 0, 0);
    order(civilian, 162, 0, in.x, in.y + 16);
    bool wasOnGroundFloor = false;
    bool wasInDoorway = false;
    ASSERT_TRUE(player.runUntil(
        [&] {
            wasOnGroundFloor |= P(upstairs).storey == 1;

            wasInDoorway |= doubles() == 1;
            return P(upstairs).storey == 0 && P(upstairs).orders == nullptr;
        },
        1000));
    EXPECT_EQ(house().evacuated, 1);
    EXPECT_TRUE(wasOnGroundFloor);
    EXPECT_TRUE(wasInDoorway);
    EXPECT_LE(std::abs(P(upstairs).x - static_cast<float>(in.x)), 70.0f);
    EXPECT_GE(P(upstairs).y, static_cast<float>(in.y + 20));
    EXPECT_LE(P(upstairs).y, static_cast<float>(in.y + 120));

    // The catching team at the foot of window column 3 calls the one at the window above.
    const std::int16_t team = newPerson(kCatcher, 1008, 392, 0, 0);
    order(team, 187, 1008, 392, 0, 3);
    const std::int16_t jumper = newPerson(kStaff, stair.x + 40, stair.y + 30, 2, 1);
    ASSERT_TRUE(player.runUntil(
        [&] { return HeadBefehlOpcode(P(jumper)) == 189 && P(jumper).height < 40; }, 600));
    ASSERT_TRUE(player.shot("actions-jump"));
    ASSERT_TRUE(player.runUntil([&] { return HeadBefehlOpcode(P(jumper)) != 189; }, 20));
    EXPECT_EQ(P(jumper).casualty, 0) << "caught";
    EXPECT_EQ(VerletzteCount, 0);

    ASSERT_TRUE(player.runUntil([&] { return P(jumper).orders == nullptr; }, 300));
    for (const HouseFloor& f : house().floors) EXPECT_EQ(f.personCount, 0);
    for (const Person& p : Personen) {
        if (p.type == -1) continue;
        EXPECT_EQ(p.storey, 0);
    }
    EXPECT_EQ(doubles(), 0);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
