// Mission 9 reached the way a player reaches it, by clicks and keys: from mission 1 through the
// mission jump typed over the options button, its video and briefing, police cars bought at the
// small station and driven in; the fans then left alone fight until the situation escalates.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "persons/personen.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/karte.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

constexpr std::int8_t kOfficer = 0;  // P01
// Base 0's place of the police car.
constexpr std::size_t kPlaceF301 = 0;

class MissionNinePlayThrough : public test::MissionTest, public test::PlayThroughSteps {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // A vehicle at the station's place, with staff from the staff room, started onto the map.
    void buy(test::ScriptedPlayer& player, std::size_t place, int officers) {
        ASSERT_EQ(BasisScreen.view, kBasisViewUnten);
        const test::ScreenPoint m = test::PlaceMiddle(place);
        player.mouse(m.x, m.y);
        play(player, 2);
        ASSERT_EQ(HoverKind, kHoverFahrzeug) << "place " << place;
        player.click(m.x, m.y);
        play(player, 1);
        ASSERT_EQ(BasisScreen.chosenPlace, static_cast<std::int16_t>(place));
        for (int n = 0; n < officers; ++n) {
            if (BasisScreen.view != kBasisViewOben) {
                player.click(510, 540);  // PERSONAL
                play(player, 3);
                ASSERT_EQ(BasisScreen.view, kBasisViewOben);
            }
            const std::int16_t who = test::StaffToAssign(kOfficer, kStoreyStaffRoom);
            ASSERT_GE(who, 0) << "no free officer";
            const test::ScreenPoint mid = test::PersonMiddle(who);
            test::ScreenPoint at = mid;
            for (const auto& d : {std::pair{0, 0}, {-4, 0}, {4, 0}, {0, -6}, {0, 6}}) {
                at = {mid.x + d.first, mid.y + d.second};
                player.mouse(at.x, at.y);
                play(player, 2);
                if (HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(who))
                    break;
            }
            ASSERT_EQ(HoverIds[0], static_cast<std::uint16_t>(who));
            player.click(at.x, at.y);
            play(player, 1);
            ASSERT_TRUE(IsPersonAssigned(static_cast<std::uint16_t>(who))) << MessageLine.data();
        }
        player.click(400, 540);  // START
        ASSERT_TRUE(playUntil(
            player,
            [] {
                return BasisScreen.view == kBasisViewUnten && BasisScreen.chosenPlace == -1 &&
                       BasisScreen.vehicle == -1;
            },
            300));
    }

    // From the start picture into mission 1, over the options button the mission jump to
    // campaign position 10, its video and briefing; at the small station two police cars with two
    // officers each; the camera box and speed 3. The moves of every mission-9 play.
    void enterMissionNine(test::ScriptedPlayer& player) {
        player.click(400, 300);
        play(player, 1);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        leaveKarte(player);
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();

        player.mouse(700, 380);
        for (const char c : std::string("EINSATZ")) player.key(static_cast<WParam>(c));
        play(player, 1);
        ASSERT_EQ(GameMode, 11u) << FatalErrorMessage();
        player.click(25, 415);  // "10 Sichern Sie das Fußballendspiel!"
        play(player, 1);
        ASSERT_EQ(MissionNummer, 9);
        EXPECT_NE(videosOpened().find("mi09.avi"), std::string::npos);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        player.click(KarteMarker.x, KarteMarker.y);
        ASSERT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 2000));

        player.click(Basen[0].x + 4, Basen[0].y + 4);
        play(player, 1);
        ASSERT_EQ(GameMode, 8u) << FatalErrorMessage();
        buy(player, kPlaceF301, 2);
        buy(player, kPlaceF301, 2);
        EXPECT_GE(Money, 5000);
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);

        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        player.key('3');
        play(player, 1);
    }
};

TEST_F(MissionNinePlayThrough, TheFansLeftAloneEscalateTheSituation) {
    useSampleData(true);
    openGame();
    SeedRandom(7);
    test::ScriptedPlayer player(backend);
    enterMissionNine(player);
    if (HasFatalFailure()) return;
    int bought = 0;
    for (const Fahrzeug& f : Fahrzeuge) bought += f.type == kTypF301;
    EXPECT_EQ(bought, 2);

    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 20000))
        << "injured " << VerletzteCount;
    EXPECT_EQ(GameMode, 4u);
    EXPECT_STREQ(MessageLine.data(), "Lage ist eskaliert!");
    EXPECT_GE(VerletzteCount, 15);
    EXPECT_EQ(ToteCount, 0);
    play(player, 2);
    printMemory();
}

}  // namespace
}  // namespace kv
