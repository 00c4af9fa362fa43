#pragma once
// Mission 3 played by clicks and keys, as steps a whole-game test mixes in: the mission entered
// through the mission jump, its briefing, base 0's purchase, and the play that brings the cat
// down. The whole-campaign test plays the mission with the same steps.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "core/view.h"
#include "mission/command_slots.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/personen.h"
#include "platform/window.h"
#include "screens/basis.h"
#include "screens/basis_kauf.h"
#include "screens/basis_points.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv::test {

class MissionThreeMoves : public PlayThroughSteps {
  public:
    static constexpr std::int8_t kPolice = 0;       // P01
    static constexpr std::int8_t kFireFighter = 1;  // P02
    static constexpr std::size_t kPlaceF301 = 0;
    static constexpr std::size_t kPlaceF106 = 4;
    static constexpr int kJumpEntry = 28;  // campaign position 29

    struct Bought {
        std::int16_t police = -1;
        std::int16_t ladder = -1;
        std::int16_t officer = -1;
    };

    // From a running mission: the word typed, the jump list's box of mission 3 clicked, its video
    // and its briefing, then base 0's purchase: an F301 with a P01 and an F106 with a fire
    // fighter. Ends on the campaign map, bought, with nothing yet in the world.
    Bought enterAndBuyMissionThree(ScriptedPlayer& player) {
        Bought b;
        player.mouse(700, 380);
        for (const char c : std::string("EINSATZ")) player.key(static_cast<WParam>(c));
        play(player, 1);
        EXPECT_EQ(GameMode, 11u);
        EXPECT_EQ(JumpEntryText(kJumpEntry), "29 Menschenauflauf im Villenviertel!");
        const JumpBox box = (*JumpBoxes)[kJumpEntry];
        player.click(box.x + 5, box.y + 5);
        play(player, 1);
        EXPECT_EQ(MissionNummer, 3);
        EXPECT_EQ(Money, 2000);
        finishVideoHere();
        play(player, 1);
        EXPECT_EQ(GameMode, 10u);
        player.click(KarteMarker.x, KarteMarker.y);
        EXPECT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 3000));

        player.click(Basen[0].x + 4, Basen[0].y + 4);
        play(player, 1);
        EXPECT_EQ(GameMode, 8u);
        buy(player, kPlaceF301, kPolice);
        buy(player, kPlaceF106, kFireFighter);
        for (std::int16_t v = 0; v < static_cast<std::int16_t>(Fahrzeuge.size()); ++v) {
            if (F(v).type == kTypF301 && F(v).controlFlags == kOwnerBought) {
                b.police = v;
                for (const std::uint16_t seat : F(v).seats)
                    if (seat != kNoPerson) b.officer = static_cast<std::int16_t>(seat);
            }
            if (F(v).type == kTypF106 && F(v).controlFlags == kOwnerBought) b.ladder = v;
        }
        EXPECT_GE(Money, 0) << "the purchase fits the mission's money";
        player.key(VK_ESCAPE);
        play(player, 1);
        EXPECT_EQ(GameMode, 10u);
        return b;
    }

    // The camera box into play at speed 3; as each vehicle comes to rest at the entry it is sent
    // on, so that the other can drive in: the police car to wait on the path beside the northern
    // street, the F106 by cursor 19 over the tree, which drives it to its stand beside the tree and
    // sets its ladder up.
    void driveIn(ScriptedPlayer& player, const Bought& b) {
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        fast(player);
        bool policeSent = false;
        bool ladderSent = false;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                if (!policeSent && atRest(b.police)) {
                    sendTo(player, b.police, kBlockX, kWaitY);
                    policeSent = F(b.police).orders != nullptr;
                }
                if (!ladderSent && atRest(b.ladder)) {
                    clickFahrzeug(player, b.ladder);
                    overTree(player, 745);
                    ladderSent = F(b.ladder).orders != nullptr;
                }
                return policeSent && ladderSent;
            },
            3000))
            << where(b.police) << where(b.ladder);
    }

    // The ladder set up by the tree, its basket swung left so that the cat flees right, the
    // basket brought home; once the owner's SF02 comes along the northern street, the police car
    // pulls across its lane and it queues; the officer speaks with the owner, then calls the cat,
    // which jumps.
    void winMissionThree(ScriptedPlayer& player, const Bought& b) {
        // The ladder up beside the tree, the basket swung to the branch's left: the cat flees
        // to the right end. Then the ladder comes down, and the cat stays where it is.
        ASSERT_TRUE(playUntil(
            player, [&] { return F(b.ladder).anim == 3 && F(b.ladder).orders == nullptr; }, 3000))
            << where(b.ladder);
        clickFahrzeug(player, b.ladder);
        overTree(player, 736);
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                return MissionScratch.S7 == 1 && SonderObjs[1].x == 747 && MissionScratch.S6 == 0;
            },
            1500));
        clickFahrzeug(player, b.ladder);
        command(player, kCmdBasketDown);
        ASSERT_TRUE(playUntil(
            player, [&] { return MissionScratch.S7 == 0; }, 1500));

        // The owner's car on its way east, still short of the police car waiting by the lane:
        // the police car pulls across the lane; its officer gets out, and the owner's car comes.
        ASSERT_TRUE(playUntil(
            player, [&] { return F(b.police).orders == nullptr; }, 1500))
            << where(b.police);
        ASSERT_TRUE(playUntil(
            player, [] { return OwnerCarComing(); }, 20000));
        sendTo(player, b.police, kBlockX, kBlockY);
        ASSERT_TRUE(playUntil(
            player, [&] { return F(b.police).orders == nullptr; }, 300))
            << where(b.police);
        EXPECT_NEAR(F(b.police).y, kBlockY, 1.0f) << where(b.police);
        clickFahrzeug(player, b.police);
        command(player, kCmdStaffOut);
        ASSERT_TRUE(playUntil(
            player, [&] { return P(b.officer).offMap == 0 && P(b.officer).orders == nullptr; },
            300));
        std::int16_t owner = -1;
        ASSERT_TRUE(playUntil(
            player,
            [&] {
                owner = QueuedOwnerCar();
                return owner >= 0;
            },
            12000));

        // The officer to the owner's door.
        clickPerson(player, b.officer);
        hoverFahrzeug(player, owner);
        EXPECT_EQ(CursorId, kCursorRescue);
        player.click(MouseX, MouseY);
        play(player, 1);
        ASSERT_TRUE(playUntil(
            player, [&] { return MissionScratch.S5 == static_cast<std::uint16_t>(b.officer); },
            1500));
        EXPECT_TRUE(player.shot("play-m03-owner"));

        // The call from under the tree.
        clickPerson(player, b.officer);
        overTree(player, 745);
        ASSERT_TRUE(playUntil(
            player, [] { return GameMode != 2; }, 1500));
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    }

  protected:
    // Where the police car stands on the northern street's eastbound lane, and where it waits
    // for the owner's car, on the path beside the street.
    static constexpr float kBlockX = 900;
    static constexpr float kBlockY = 164;
    static constexpr float kWaitY = 215;
    // The owner's car, driving east, is this far west of the police car or more when it pulls out.
    static constexpr float kOwnerLead = 400;

    static std::string where(std::int16_t v) {
        char s[96];
        std::snprintf(s, sizeof s, " [vehicle %d type %d at %.1f %.1f order %d anim %d]", v,
                      F(v).type, static_cast<double>(F(v).x), static_cast<double>(F(v).y),
                      HeadBefehlOpcode(F(v)), F(v).anim);
        return s;
    }

    // A civilian SF02 driving east on the northern street, still well short of the block.
    static bool OwnerCarComing() {
        for (std::int16_t v = 0; v < static_cast<std::int16_t>(Fahrzeuge.size()); ++v) {
            const Fahrzeug& f = F(v);
            if (f.type == kTypSF02 && f.direction == 3 && f.y < 200 && f.x < kBlockX - kOwnerLead)
                return true;
        }
        return false;
    }

    // The vehicle selected and sent to the world point by a click there.
    void sendTo(ScriptedPlayer& player, std::int16_t v, float x, float y) {
        clickFahrzeug(player, v);
        clickWorldAt(player, x, y);
    }

    // A civilian SF02 standing in the queue facing east: the owner's car, ready to talk.
    static std::int16_t QueuedOwnerCar() {
        for (std::int16_t v = 0; v < static_cast<std::int16_t>(Fahrzeuge.size()); ++v) {
            const Fahrzeug& f = F(v);
            if (f.type != kTypSF02 || f.direction != 3 || f.x < 0 || f.x > 1600) continue;
            if (HeadBefehlOpcode(f) == kOpTraffic && (f.moverFlags & kMoverSearching) != 0)
                continue;
            if (f.y > 200) continue;
            return v;
        }
        return -1;
    }

    // The mouse on the tree's trunk at the world x, the rescue cursor shown, and the click.
    void overTree(ScriptedPlayer& player, float x) {
        clickWorldWith(player, x, 527, kCursorRescue);
        EXPECT_EQ(HoverKind, kHoverSonderObj);
    }

    void buy(ScriptedPlayer& player, std::size_t place, std::int8_t crewType) {
        ASSERT_EQ(BasisScreen.view, kBasisViewUnten);
        const ScreenPoint m = PlaceMiddle(place);
        player.mouse(m.x, m.y);
        play(player, 2);
        ASSERT_EQ(HoverKind, kHoverFahrzeug) << "place " << place;
        player.click(m.x, m.y);
        play(player, 1);
        ASSERT_EQ(BasisScreen.chosenPlace, static_cast<std::int16_t>(place));
        std::int16_t who = StaffToAssign(crewType, kStoreyHall);
        if (who < 0) {
            player.click(510, 540);  // PERSONAL
            play(player, 3);
            ASSERT_EQ(BasisScreen.view, kBasisViewOben);
            who = StaffToAssign(crewType, kStoreyStaffRoom);
        }
        ASSERT_GE(who, 0) << "no free staff of type " << int{crewType};
        const ScreenPoint mid = PersonMiddle(who);
        ScreenPoint at = mid;
        for (const auto& d : {std::pair{0, 0}, {-8, 0}, {8, 0}, {0, -6}, {0, 6}, {-10, -4}}) {
            at = {mid.x + d.first, mid.y + d.second};
            player.mouse(at.x, at.y);
            play(player, 2);
            if (HoverKind == kHoverPerson && HoverIds[0] == static_cast<std::uint16_t>(who)) break;
        }
        player.click(at.x, at.y);
        play(player, 1);
        ASSERT_TRUE(IsPersonAssigned(static_cast<std::uint16_t>(who))) << MessageLine.data();
        player.click(400, 540);  // START
        ASSERT_TRUE(playUntil(
            player,
            [] {
                return BasisScreen.view == kBasisViewUnten && BasisScreen.chosenPlace == -1 &&
                       BasisScreen.vehicle == -1;
            },
            300));
    }

    // The mission's video ended, as the headless player lets it end.
    virtual void finishVideoHere() = 0;
};

}  // namespace kv::test
