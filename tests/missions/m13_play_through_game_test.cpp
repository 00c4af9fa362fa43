// Mission 13 played the way a player plays it, every step a click or a key: jumped to from mission
// 1, briefed, the crew van bought and driven in. The driver left in the cab is lost: the tank
// trailer explodes at tick 4800, the drains after it, and the mission fails with his death. Cut
// free and driven off by an ambulance before that, he leaves nobody to rescue and the town is
// saved.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "missions/m13_play.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

class MissionThirteenPlayThrough : public test::MissionTest, public test::MissionThirteenMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump.
    void intoMissionThirteen(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(13);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionThirteen(player);
        EXPECT_NE(videosOpened().find("mi13.avi"), std::string::npos);
    }
};

TEST_F(MissionThirteenPlayThrough, TheDriverLeftInTheCabIsLost) {
    shotPrefix = "play-m13-lost";
    test::ScriptedPlayer player(backend);
    intoMissionThirteen(player);
    ASSERT_FALSE(HasFatalFailure());
    buyCrewVanAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_GE(SonderObjs[kTruck].user, 0) << "the driver held in the cab";
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 6000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Verletzter gestorben!");
    EXPECT_GT(TickCounter, 4800u) << "the tank went first";
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(MissionThirteenPlayThrough, TheDriverFreedAndDrivenOffWins) {
    shotPrefix = "play-m13-won";
    test::ScriptedPlayer player(backend);
    useSampleData(true);
    openGame();
    SeedRandom(13);
    intoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionThirteen(player);
    ASSERT_FALSE(HasFatalFailure());
    std::printf("won at tick %u with %d left\n", TickCounter, Money);
    expectEvaluation(player, 1);
    if (HasFatalFailure()) return;
    EXPECT_EQ(std::string(ResultLines[0].text.data()), "Tote: 0");
    EXPECT_EQ(ResultLines[0].percent, 100);
    play(player, 1);  // the evaluation's picture kept
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
