#pragma once
// Mission 7's moves by clicks and keys, for its own play-through tests and the campaign's: the
// mission jump from mission 1 to the underground station, the video and the briefing, the
// purchase at the station, and play at speed 3.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "mission/campaign_tables.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/karte.h"
#include "support/play_through.h"
#include "support/scripted_player.h"

namespace kv::test {

class MissionSevenMoves : public PlayThroughSteps {
  protected:
    // Base 0's places of the vehicles bought.
    static constexpr std::size_t kPlaceF104 = 1;
    static constexpr std::size_t kPlaceF201 = 2;
    static constexpr std::size_t kPlaceF110 = 3;
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::int8_t kFireFighter = 1;

    struct Crew {
        std::int8_t type;
        bool hall;  // the hall's team, else from the staff room
    };

    // In mission 1's play: EINSATZ typed over the options button, and the mission's box in the
    // list; then the video ends, and the briefing is read on the campaign map.
    void jumpToMissionSeven(ScriptedPlayer& player, const std::function<void()>& finishVideo) {
        player.mouse(700, 380);
        for (const char c : std::string("EINSATZ")) player.key(static_cast<WParam>(c));
        play(player, 1);
        ASSERT_EQ(GameMode, 11u);
        // Campaign position 15: the fifth box of the second column.
        player.click(275, 215);
        play(player, 1);
        ASSERT_EQ(MissionNummer, 7);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        player.click(KarteMarker.x, KarteMarker.y);
        ASSERT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 2000));
    }

    // At base 0, one vehicle of a place with its crew, sent off.
    void buy(ScriptedPlayer& player, std::size_t place, const std::vector<Crew>& crew) {
        ASSERT_EQ(BasisScreen.view, kBasisViewUnten);
        const ScreenPoint m = PlaceMiddle(place);
        player.mouse(m.x, m.y);
        play(player, 2);
        ASSERT_EQ(HoverKind, kHoverFahrzeug) << "place " << place;
        player.click(m.x, m.y);
        play(player, 1);
        ASSERT_EQ(BasisScreen.chosenPlace, static_cast<std::int16_t>(place));
        for (const Crew& c : crew) {
            const std::int8_t storey = c.hall ? kStoreyHall : kStoreyStaffRoom;
            if (!c.hall && BasisScreen.view != kBasisViewOben) {
                player.click(510, 540);  // PERSONAL
                play(player, 3);
                ASSERT_EQ(BasisScreen.view, kBasisViewOben);
            }
            const std::int16_t who = StaffToAssign(c.type, storey);
            ASSERT_GE(who, 0) << "no free staff of type " << int{c.type};
            const ScreenPoint mid = PersonMiddle(who);
            ScreenPoint at = mid;
            for (const auto& d : {std::pair{0, 0}, {-8, 0}, {8, 0}, {0, -6}, {0, 6}, {-10, -4}}) {
                at = {mid.x + d.first, mid.y + d.second};
                player.mouse(at.x, at.y);
                play(player, 2);
                if (HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(who))
                    break;
            }
            ASSERT_EQ(HoverKind, kHoverPerson);
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

    // Base 0 entered from the map: an ambulance with its stretcher team, a crane truck with the
    // metal cutters, and an engine with a fire fighter; back to the map, then into play at speed 3.
    void buyAndEnter(ScriptedPlayer& player) {
        player.click(Basen[0].x + 4, Basen[0].y + 4);
        play(player, 1);
        ASSERT_EQ(GameMode, 8u);
        const std::int32_t before = Money;
        buy(player, kPlaceF201, {{kStretcher, true}});
        buy(player, kPlaceF110, {});
        buy(player, kPlaceF104, {{kFireFighter, false}});
        EXPECT_LT(Money, before);
        EXPECT_GT(Money, 0) << "within the mission's 17000";
        player.key(VK_ESCAPE);
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        player.key('3');
        play(player, 1);
        EXPECT_EQ(GameSpeed, 3);
    }

    // Nobody goes to the casualties: the mission fails once one has died.
    void leaveCasualtiesAlone(ScriptedPlayer& player) {
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 12000));
        ASSERT_EQ(GameMode, 4u);
        EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Verletzter gestorben!");
        play(player, 2);
    }
};

}  // namespace kv::test
