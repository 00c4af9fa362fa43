#pragma once
// Mission 21 played by clicks and keys, for its own whole-game tests and the whole campaign's:
// from a running mission, the mission jump to the airliner's campaign position, its video, the
// briefing on the campaign map, and the way into the mission; for the win, nine ambulances bought
// at base 0, each fetching one casualty before the burning engine blows up.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/options.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "mission/panels/command_tables.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "screens/karte.h"
#include "screens/mission_jump.h"
#include "support/play_through.h"
#include "support/scripted_player.h"
#include "world/level_map.h"

namespace kv::test {

class MissionTwentyOneMoves : public PlayThroughSteps {
  protected:
    // Over the options button, the mission-jump word opens the list; its entry for campaign
    // position 28 starts the mission with its video. The video ends through finishVideo.
    void jumpToMissionTwentyOne(ScriptedPlayer& player, const std::function<void()>& finishVideo) {
        ASSERT_EQ(GameMode, 2u);
        player.mouse(700, 380);
        play(player, 1);
        for (const char c : std::string_view("EINSATZ")) player.key(static_cast<WParam>(c));
        play(player, 1);
        ASSERT_EQ(GameMode, 11u) << "the mission jump is open";
        const int position = CampaignPositionOf(21);
        EXPECT_EQ(JumpEntryText(position), "28 Verkehrsflugzeug notgelandet!");
        const JumpBox box = BuildJumpBoxes()[static_cast<std::size_t>(position)];
        player.click(box.x + 20, box.y + 10);
        play(player, 1);
        finishVideo();
        play(player, 1);
        ASSERT_EQ(GameMode, 10u);
        ASSERT_EQ(MissionNummer, 21);
    }
    // The briefing read to its end, then the camera box into the mission at full speed.
    void briefAndEnter(ScriptedPlayer& player) {
        readBriefing(player);
        player.click(kMapCamX + 5, kMapCamY + 5);
        play(player, 1);
        ASSERT_EQ(GameMode, 2u);
        fast(player);
    }

    // The briefing, then at base 0 one ambulance for each casualty, each with a stretcher team
    // and a medic, and into the mission at full speed.
    void buyAmbulancesAndEnter(ScriptedPlayer& player) {
        readBriefing(player);
        openStation(player);
        for (int i = 0; i < kCasualties; ++i)
            buy(player, kPlaceF201, {{kStretcher, true}, {kPersonTypMedic, false}});
        ASSERT_GE(Money, 0);
        leaveStationForTheMission(player);
        fast(player);
        ASSERT_EQ(GameSpeed, 3);
    }

    // Each ambulance, once it stands at the entry, drives to its place on the field south of the
    // casualties; there its team and medic get out, the team fetches its casualty, both board
    // again, and the ambulance goes home as soon as its patient, cared for on board, is strong
    // enough for the drive. Ends when the mission does.
    void rescueEveryCasualty(ScriptedPlayer& player) {
        const std::vector<Bought> bought = BoughtVehicles();
        ASSERT_EQ(bought.size(), static_cast<std::size_t>(kCasualties));
        std::vector<std::int16_t> casualties;
        for (std::int16_t i = 0; i < static_cast<std::int16_t>(Personen.size()); ++i)
            if (P(i).type != -1 && P(i).casualty != 0) casualties.push_back(i);
        ASSERT_EQ(casualties.size(), static_cast<std::size_t>(kCasualties));
        std::vector<CasualtyRun> runs;
        for (std::size_t k = 0; k < bought.size(); ++k) {
            ASSERT_EQ(bought[k].crew.size(), 2u);
            const std::int16_t casualty = casualties[kRescueOrder[k].casualty];
            runs.push_back({bought[k].vehicle, bought[k].crew[0], bought[k].crew[1], casualty,
                            kRescueOrder[k].park});
        }
        const bool done = playUntil(
            player, [&] { return !stepCasualtyRuns(player, runs); }, 12000);
        if (!done || GameMode != 5) {
            printCasualtyRuns(runs);
            player.shot("m21-stuck");
        }
        ASSERT_TRUE(done) << "tick " << TickCounter;
        ASSERT_EQ(GameMode, 5u) << std::string(MessageLine.data());
    }

    // The whole mission from another's play: jumped to, its video run out, briefed, the
    // ambulances bought and every casualty fetched; ends on the won banner.
    void winMissionTwentyOne(ScriptedPlayer& player) {
        ASSERT_NO_FATAL_FAILURE(jumpToMissionTwentyOne(
            player, [this] { ASSERT_TRUE(playBackend().videoDevice().finishVideo()); }));
        ASSERT_NO_FATAL_FAILURE(buyAmbulancesAndEnter(player));
        ASSERT_NO_FATAL_FAILURE(rescueEveryCasualty(player));
    }

  private:
    static constexpr int kCasualties = 9;
    static constexpr std::int8_t kStretcher = 5;  // P06
    static constexpr std::size_t kPlaceF201 = 2;

    // Which casualty (in the order they were placed) each ambulance fetches, and where it parks.
    // The places lie apart and none straight south of another, so that no parked ambulance, and
    // no crew standing at one, is in the way of another driving in or going home by the lane.
    struct Fetch {
        std::size_t casualty;
        PixelPos park;
    };
    static constexpr Fetch kRescueOrder[kCasualties] = {
        {1, {2420, 660}}, {3, {1990, 660}}, {7, {2640, 860}}, {6, {2480, 800}}, {8, {2740, 760}},
        {0, {2560, 660}}, {5, {1880, 660}}, {4, {1800, 760}}, {2, {2160, 850}},
    };

    void readBriefing(ScriptedPlayer& player) {
        player.click(KarteMarker.x, KarteMarker.y);
        ASSERT_TRUE(playUntil(
            player, [] { return BriefingState == kBriefingComplete; }, 2000));
    }
};

}  // namespace kv::test
