// Mission 29 played from the start picture by clicks and keys: reached through the mission jump
// from mission 1, briefed, the vehicles bought at two stations. Won by cutting the pilot down in
// time, putting the wrecks out and taking every casualty alive away; lost by doing nothing, when
// the pilot still hangs at tick 14401.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "missions/m29_play.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

class MissionTwentyNinePlayThrough : public test::MissionTest, public test::MissionTwentyNineMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump, and the
    // purchase.
    void intoMissionTwentyNine(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(29);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionTwentyNine(player);
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_NE(videosOpened().find("mi29.avi"), std::string::npos);
        buyAndEnter(player);
    }
};

TEST_F(MissionTwentyNinePlayThrough, WonByThePilotCutDownTheWrecksOutAndTheHurtTakenAway) {
    shotPrefix = "play-m29-won";
    test::ScriptedPlayer player(backend);
    intoMissionTwentyNine(player);
    ASSERT_FALSE(HasFatalFailure());
    rescueAndPutOut(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_GT(pilotDownAt, 0u);
    EXPECT_LT(pilotDownAt, 14400u) << "he came down alive";
    EXPECT_EQ(SonderObjs[18].burning, 0);
    EXPECT_EQ(SonderObjs[19].burning, 0);
    std::printf("won at tick %u, pilot down at %u, %u dead\n", TickCounter, pilotDownAt, ToteCount);
    expectEvaluation(player, 1);
    if (HasFatalFailure()) return;
    play(player, 2);  // the evaluation's frame kept
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    printMemory();
}

TEST_F(MissionTwentyNinePlayThrough, LostWithThePilotLeftHanging) {
    shotPrefix = "play-m29-lost";
    test::ScriptedPlayer player(backend);
    intoMissionTwentyNine(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 6000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Der Pilot wurde nicht gerettet!");
    // The check runs after each frame's three ticks.
    EXPECT_GE(TickCounter, 14401u);
    EXPECT_LE(TickCounter, 14403u);
    EXPECT_EQ(SonderObjs[21].type, 53);
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
