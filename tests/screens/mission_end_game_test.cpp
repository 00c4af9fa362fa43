// Mission 1 failed and restarted, then won and evaluated, as the player sees it.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "mission/campaign_tables.h"
#include "mission/command_slots.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "mission/screen_calls.h"
#include "movement/traffic_paths.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/data_folders.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

using MissionEndGame = test::MissionTest;

int OptionsOpened = 0;

TEST_F(MissionEndGame, AFailedMissionStartsAgainAndAWonOneLeadsToItsEvaluation) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(Money, 6000);
    ScreenCallTable calls = ScreenCalls();
    calls.OpenOptionsScreen = [] { ++OptionsOpened; };
    SetScreenCalls(&calls);

    ToteCount = 1;
    player.frames(1);
    ASSERT_EQ(GameMode, 4u) << FatalErrorMessage();
    EXPECT_EQ(std::string(MessageLine.data()), W("Verletzter gestorben!"));
    // The frame that failed was the mission's last; the failed screen shows from the next.
    player.frames(1);
    EXPECT_TRUE(player.shot("failed"));

    // The options button fires on the third frame and does not restart; outside the view and the
    // button, and with the right button, nothing happens.
    OptionsOpened = 0;
    player.click(700, 380);
    player.frames(2);
    EXPECT_EQ(OptionsOpened, 0);
    EXPECT_EQ(OptionsButton.pressed, 1);
    player.frames(1);
    EXPECT_EQ(OptionsOpened, 1);
    EXPECT_EQ(OptionsButton.pressed, 0);
    player.click(700, 100);
    player.click(400, 540);
    player.rclick(300, 300);
    player.frames(2);
    EXPECT_EQ(GameMode, 4u);

    // A click into the view restarts on the campaign map, and so does a key.
    for (const bool byKey : {false, true}) {
        SCOPED_TRACE(byKey);
        if (byKey) {
            ToteCount = 1;
            player.frames(2);
            ASSERT_EQ(GameMode, 4u);
            player.key('A');
        } else {
            player.click(320, 240);
        }
        player.frames(1);
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        EXPECT_EQ(Money, 6000) << "the start money undone and added again";
        EXPECT_EQ(ToteCount, 0);
        leaveKarte(player);
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    }

    ASSERT_TRUE(player.runUntil([] { return TickCounter >= 100; }, 400));
    ASSERT_EQ(GameMode, 2u) << MessageLine.data();
    for (int slot = 0; slot < 3; ++slot) FreeSonderObjSlot(slot);
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
        RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
    for (std::size_t i = 0; i < Personen.size(); ++i) DeletePerson(static_cast<std::int32_t>(i));
    FreeZFWege();
    player.frames(1);
    ASSERT_EQ(GameMode, 5u) << FatalErrorMessage() << MessageLine.data();
    EXPECT_EQ(StartMoney, Money);
    player.frames(1);
    EXPECT_TRUE(player.shot("welldone"));

    player.click(400, 300);
    player.frames(1);
    ASSERT_EQ(GameMode, 18u) << FatalErrorMessage();
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Zeit: 00:05");
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(std::string(ResultLines[1].text.data()), "Geld: 6000");
    EXPECT_EQ(EvaluationEfficiency, 100);
    EXPECT_EQ(EvaluationPoints, 1000);
    EXPECT_TRUE(player.shot("auswertung"));

    // Mission 1 is the only mission built: the campaign is put just before it, so that leaving
    // the evaluation and the high scores starts it as the next mission, with the money left plus
    // its own. The high scores are written to a folder of the test's own.
    SetWriteFolder(dir / "written");
    CampaignPosition = 255;
    player.key('A');
    player.frames(1);
    ASSERT_EQ(GameMode, 17u) << FatalErrorMessage();
    player.chars("\r");
    player.frames(1);
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    EXPECT_EQ(CampaignPosition, 0);
    EXPECT_EQ(Money, 12000);
    EXPECT_EQ(StartMoney, 6000);
}

}  // namespace
}  // namespace kv
