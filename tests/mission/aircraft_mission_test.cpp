// The helicopter, the fire-fighting aircraft and the shark in a running mission 1, frame by frame
// through the backend.

#include <gtest/gtest.h>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_hooks.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/view.h"
#include "mission/mission_fixture.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/personen.h"
#include "support/scripted_player.h"
#include "vehicles/aircraft_befehle.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/helicopter_befehle.h"

namespace kv {
namespace {

class AircraftMission : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        player.click(400, 300);
        player.frames(1);
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
        GameSpeed = 1;
    }
    std::int16_t Vehicle(std::int16_t type, std::int16_t x, std::int16_t y, int facing) {
        LoadFahrzeugTyp(type);
        const std::int16_t v = CreateFahrzeug(type, x, y, facing);
        if (v >= 0) SetupFahrzeug(v, kOwnerBought);
        return v;
    }
    std::int16_t Casualty(int type, float x, float y) {
        const std::int16_t i = FindFreePerson();
        Person& p = Personen[static_cast<std::size_t>(i)];
        p.type = static_cast<std::int8_t>(type);
        p.x = x;
        p.y = y;
        ResetPerson(i);
        UpdatePersonDrawPos(p);
        return i;
    }
    Fahrzeug& V(std::int16_t i) { return Fahrzeuge[static_cast<std::size_t>(i)]; }

    test::ScriptedPlayer player{backend};
};

TEST_F(AircraftMission, TheHelicopterLandsWinchesACasualtyAboardSetsItDownAndTakesOff) {
    const std::int16_t heli = Vehicle(kTypF203, 1300, 500, 3);
    ASSERT_GE(heli, 0);
    OrderFahrzeugLandAt(heli, 1500, 777);
    ASSERT_TRUE(player.runUntil([&] { return V(heli).orders == nullptr; }, 600));
    EXPECT_EQ(V(heli).storey, 0);
    EXPECT_EQ(V(heli).x, 1500.0f);
    EXPECT_EQ(V(heli).y, 777.0f);
    EXPECT_EQ(V(heli).anim, kHelicopterAnimLanded);

    const std::int16_t hurt = Casualty(35, 1450, 800);
    AppendBefehl(V(heli), 78, 1500, 777, hurt, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return V(heli).orders == nullptr; }, 400));
    EXPECT_EQ(V(heli).type, kTypF203B);
    EXPECT_EQ(Personen[static_cast<std::size_t>(hurt)].offMap, 1);

    AppendBefehl(V(heli), 79, 1500, 777, 0, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return V(heli).orders == nullptr; }, 400));
    EXPECT_EQ(V(heli).type, kTypF203);
    EXPECT_EQ(Personen[static_cast<std::size_t>(hurt)].offMap, 0);

    AppendBefehl(V(heli), kOpTakeOff, 0, 0, 0, 0, 0);
    ASSERT_TRUE(player.runUntil([&] { return V(heli).orders == nullptr; }, 400));
    EXPECT_EQ(V(heli).storey, kLayerHelicopter);
    EXPECT_EQ(V(heli).link2, kNoLink);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(AircraftMission, TheAircraftSentOverTheViewCrossesTheMapAndIsGone) {
    const std::int16_t plane = Vehicle(kTypF111, 0, 0, 3);
    ASSERT_GE(plane, 0);
    SendFahrzeugIn(plane, static_cast<std::int16_t>(ViewOrigin.x + 315),
                   static_cast<std::int16_t>(ViewOrigin.y + 235));
    ASSERT_TRUE(player.runUntil([&] { return UsedFahrzeugAt(plane) == nullptr; }, 3000));
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(AircraftMission, TheSharkCirclesThePersonInThePondAndAttacks) {
    static std::int16_t swimmer = -1;
    swimmer = Casualty(1, 1085, 860);
    Person& p = Personen[static_cast<std::size_t>(swimmer)];
    p.controlFlags |= kPersonInDistress;
    p.attachment.makePlan().deadline = 30000;
    MissionHookRows[0].FindPersonInWater = [] { return swimmer; };
    const std::int16_t shark = Vehicle(kTypHAI, 1120, 780, 3);
    ASSERT_GE(shark, 0);
    SharkStateM30 = 0;
    AppendBefehl(V(shark), kOpCircle, 0, 0, 0, 0, 0);
    ASSERT_TRUE(player.runUntil([] { return SharkStateM30 == 2; }, 3000));
    // The attack set the person's deadline to the second it began: the mission's clock then ends
    // it unless the player's chase comes first.
    const DeadlinePlan* plan = p.attachment.plan();
    ASSERT_NE(plan, nullptr);
    EXPECT_LE(plan->deadline, static_cast<std::int16_t>(TickCounter / 20));
    EXPECT_LT(plan->deadline, 30000);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
