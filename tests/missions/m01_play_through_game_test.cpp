// Mission 1 played through from the start picture to its evaluation, the way a player plays it:
// every step is a click or a key. The station buys the five vehicles, they drive in, the fuel is
// bound, both wrecks are taken away, both casualties are rescued and driven off, and the mission
// is won once the road is clear.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "mission/command_slots.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl.h"
#include "movement/unit_type.h"
#include "persons/personen.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/karte.h"
#include "support/kept_frames.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int8_t kFireFighter = 1;   // P02
constexpr std::int8_t kStretcher = 5;     // P06
constexpr std::int8_t kExtinguisher = 8;  // a fire fighter with the extinguisher
constexpr std::size_t kTractor = 0;
constexpr std::size_t kMotorcycle = 1;
constexpr std::size_t kFuel = 2;
constexpr std::int16_t kBadlyInjured = 0;
constexpr std::int16_t kLightlyInjured = 1;

// Base 0's places of the vehicles bought.
constexpr std::size_t kPlaceF104 = 1;
constexpr std::size_t kPlaceF201 = 2;
constexpr std::size_t kPlaceF110 = 3;

// The crane's orders for a wreck: to one of the goal points around it (2), then take it up (45).
bool HasCraneOrders(const Fahrzeug& crane) {
    for (const Befehl* b = crane.orders; b != nullptr; b = b->next)
        if (b->opcode == 2 && b->next != nullptr && b->next->opcode == 45) return true;
    return false;
}

class MissionOnePlayThrough : public test::MissionTest, public test::PlayThroughSteps {
  protected:
    HeadlessBackend& playBackend() override { return backend; }
};

TEST_F(MissionOnePlayThrough, ByClicksAndKeysFromTheStartPictureToTheEvaluation) {
    useSampleData(true);
    openGame();
    // The traffic's cars are drawn at random: the seed fixes them.
    SeedRandom(7);
    test::ScriptedPlayer player(backend);
    player.click(400, 300);
    play(player, 1);
    EXPECT_NE(videosOpened().find("mi01.avi"), std::string::npos);
    finishVideo();
    play(player, 1);
    ASSERT_EQ(GameMode, 10u);
    EXPECT_EQ(TickCounter, 0u) << "no tick while the video plays";
    // Esc before the briefing changes nothing.
    player.key(VK_ESCAPE);
    play(player, 1);
    ASSERT_EQ(GameMode, 10u);
    player.click(KarteMarker.x, KarteMarker.y);
    ASSERT_TRUE(playUntil(
        player, [] { return BriefingState == kBriefingComplete; }, 2000));

    // Base 0's station: two cranes; the engine with a fire fighter; two ambulances, each with
    // the hall's stretcher team, the second also with the seated medic from the staff room.
    openStation(player);
    const std::int32_t moneyBefore = Money;
    buy(player, kPlaceF110, {});
    buy(player, kPlaceF110, {});
    buy(player, kPlaceF104, {{kFireFighter, false}});
    buy(player, kPlaceF201, {{kStretcher, true}});
    buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
    EXPECT_EQ(TickCounter, 0u);
    EXPECT_GE(Money, 3000);
    EXPECT_LT(Money, moneyBefore);
    // The five, in the order bought, with their crews as seated.
    std::vector<std::int16_t> bought;
    std::vector<std::vector<std::int16_t>> crews;
    for (const Bought& b : BoughtVehicles()) {
        bought.push_back(b.vehicle);
        crews.push_back(b.crew);
    }
    ASSERT_EQ(bought.size(), 5u);
    ASSERT_EQ(crews[2].size(), 1u);
    ASSERT_EQ(crews[3].size(), 1u);
    ASSERT_EQ(crews[4].size(), 2u);
    player.key(VK_ESCAPE);
    play(player, 1);
    ASSERT_EQ(GameMode, 10u);
    EXPECT_EQ(TickCounter, 0u);

    // The camera box, then key "3": all five arrive and drive in.
    player.click(kMapCamX + 5, kMapCamY + 5);
    play(player, 1);
    ASSERT_EQ(GameMode, 2u);
    fast(player);
    EXPECT_EQ(GameSpeed, 3);
    const std::int16_t craneA = bought[0];
    const std::int16_t craneB = bought[1];
    const std::int16_t engine = bought[2];
    const std::int16_t ambulanceA = bought[3];  // the stretcher team
    const std::int16_t ambulanceB = bought[4];  // the stretcher team and the medic
    const std::int16_t fireFighter = crews[2][0];
    const std::int16_t teamA = crews[3][0];
    const std::int16_t teamB = crews[4][0];
    const std::int16_t medic = crews[4][1];
    const auto waitRest = [&](std::int16_t v) {
        ASSERT_TRUE(playUntil(
            player, [&] { return atRest(v); }, 1500))
            << "vehicle " << v;
    };
    const auto onObject = [&](std::size_t slot) {
        ASSERT_NE(SonderObjTypAt(SonderObjs[slot].type), nullptr) << "object " << slot;
        const auto [x, y] = ObjectMiddle(slot);
        clickWorldWith(player, x, y, kCursorRescue);
    };

    // As each vehicle comes to rest at the entry it is sent on, so that the next can drive in:
    // the ambulances to the grass south-west of the accident, the cranes to wait on the grass
    // further west, the engine onto the road west of the accident, in the lane the blocked
    // traffic would use (on grass its cursor would aim the cannon).
    struct Park {
        std::int16_t v;
        float x, y;
        bool sent = false;
    };
    std::vector<Park> parks = {{ambulanceA, 600, 650},
                               {ambulanceB, 680, 650},
                               {engine, 700, 505},
                               {craneA, 330, 650},
                               {craneB, 430, 650}};
    ASSERT_TRUE(playUntil(
        player,
        [&] {
            for (Park& park : parks) {
                if (park.sent || !atRest(park.v)) continue;
                driveTo(player, park.v, park.x, park.y);
                park.sent = true;
            }
            return std::all_of(parks.begin(), parks.end(), [](const Park& p) { return p.sent; });
        },
        3000));
    for (const std::int16_t ambulance : {ambulanceA, ambulanceB}) {
        waitRest(ambulance);
        clickFahrzeug(player, ambulance);
        command(player, kCmdStaffOut);
    }
    ASSERT_TRUE(playUntil(
        player, [&] { return P(teamA).offMap == 0 && P(medic).offMap == 0; }, 100));
    clickPerson(player, teamA);
    clickPerson(player, kLightlyInjured);

    // Into its ambulance as soon as it has the casualty: nobody may stand on the road for long.
    const auto board = [&](std::int16_t person, std::int16_t ambulance) {
        clickPerson(player, person);
        clickFahrzeug(player, ambulance);
        ASSERT_NE(P(person).orders, nullptr) << person << " was given no way in";
    };
    const auto loaded = [&](std::int16_t team, std::int16_t casualty) {
        return
            [&, team, casualty] { return P(team).link == casualty && P(team).orders == nullptr; };
    };

    // The engine's fire fighter gets out, takes the extinguisher and binds the fuel.
    waitRest(engine);
    clickFahrzeug(player, engine);
    command(player, kCmdStaffOut);
    ASSERT_TRUE(playUntil(
        player, [&] { return P(fireFighter).offMap == 0 && F(engine).orders == nullptr; }, 100));
    clickPerson(player, fireFighter);
    ASSERT_EQ(SelectedIndex, static_cast<std::uint16_t>(fireFighter));
    // The fire fighter chosen, a click on its engine offers the engine's equipment.
    clickFahrzeug(player, engine);
    command(player, kCmdExtinguisher);
    ASSERT_TRUE(playUntil(
        player,
        [&] { return P(fireFighter).type == kExtinguisher && P(fireFighter).orders == nullptr; },
        300));
    onObject(kFuel);
    ASSERT_TRUE(playUntil(player, loaded(teamA, kLightlyInjured), 600));
    board(teamA, ambulanceA);
    ASSERT_TRUE(playUntil(
        player, [&] { return SonderObjs[kFuel].type != 20; }, 600));
    EXPECT_EQ(SonderObjs[kFuel].commands, nullptr) << "bound, not set off";
    EXPECT_TRUE(player.shot("play-fuel-bound"));

    // Now the medic may treat the badly injured, and the second stretcher team load it.
    clickPerson(player, medic);
    clickPerson(player, kBadlyInjured);

    // The extinguisher goes back, the fire fighter gets in, and the engine goes home.
    clickPerson(player, fireFighter);
    clickFahrzeug(player, engine);
    command(player, kCmdReturnEquipment);
    ASSERT_TRUE(playUntil(
        player,
        [&] { return P(fireFighter).type == kFireFighter && P(fireFighter).orders == nullptr; },
        300));
    clickPerson(player, fireFighter);
    clickFahrzeug(player, engine);
    command(player, kCmdBoard);
    ASSERT_TRUE(playUntil(
        player, [&] { return P(fireFighter).offMap == 1; }, 300));
    clickFahrzeug(player, engine);
    command(player, kCmdBackToBase);

    ASSERT_TRUE(playUntil(
        player, [&] { return P(kBadlyInjured).treated != 0; }, 600));
    clickPerson(player, teamB);
    clickPerson(player, kBadlyInjured);
    ASSERT_TRUE(playUntil(player, loaded(teamB, kBadlyInjured), 600));
    board(teamB, ambulanceB);
    board(medic, ambulanceB);

    // The cranes, once the engine has left: the first to the motorcycle; the second waits on the
    // grass until the motorcycle, which stands in the way to the tractor, is gone.
    ASSERT_TRUE(playUntil(
        player, [&] { return UsedFahrzeugAt(engine) == nullptr; }, 1500));
    waitRest(craneA);
    clickFahrzeug(player, craneA);
    onObject(kMotorcycle);
    EXPECT_TRUE(HasCraneOrders(F(craneA)));

    ASSERT_TRUE(playUntil(
        player, [&] { return SonderObjs[kMotorcycle].visible == 0; }, 1500));
    waitRest(craneB);
    clickFahrzeug(player, craneB);
    onObject(kTractor);
    EXPECT_TRUE(HasCraneOrders(F(craneB)));
    ASSERT_TRUE(playUntil(
        player, [&] { return F(craneA).orders == nullptr; }, 600));
    clickFahrzeug(player, craneA);
    command(player, kCmdBackToBase);
    ASSERT_TRUE(playUntil(
        player, [&] { return SonderObjs[kTractor].visible == 0 && F(craneB).orders == nullptr; },
        1500));
    clickFahrzeug(player, craneB);
    command(player, kCmdBackToBase);

    // Each ambulance goes home once its patient is well enough for the drive.
    for (const std::int16_t ambulance : {ambulanceA, ambulanceB}) {
        bool gone = false;
        for (int tries = 0; tries < 200 && !gone && GameMode == 2; ++tries) {
            clickFahrzeug(player, ambulance);
            command(player, kCmdBackToBase);
            gone = F(ambulance).orders != nullptr;
            if (!gone) play(player, 20);
        }
        ASSERT_TRUE(gone || GameMode != 2);
    }
    // Won once the road is clear of every car, the last wreck gone; nobody died.
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 3000));
    ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    EXPECT_EQ(ToteCount, 0);
    EXPECT_LT(TickCounter, 5000u) << "the win came late";
    EXPECT_EQ(StartMoney, Money);
    EXPECT_GE(Money, 3000);

    // A click leads to the evaluation: the time line, and the money line at 100 %.
    expectEvaluation(player, 0);
    if (HasFatalFailure()) return;
    EXPECT_EQ(ResultLines[1].percent, 100);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    printMemory();
}

}  // namespace
}  // namespace kv
