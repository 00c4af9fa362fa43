// Mission 8 played the way a player plays it, every step a click or a key: jumped to from mission
// 1, briefed, vehicles bought and driven in. Left at that, the burning wreck sets the restaurant
// alight and the casualties inside die; with the tankers' cannons on the wreck in time, the wreck
// goes out and never explodes, the restaurant's fire is put out too, and the casualties are
// rescued.

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
#include "mission/mission_fixture.h"
#include "missions/m08_play.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionEightPlayThrough : public test::MissionTest, public test::MissionEightMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump.
    void intoMissionEight(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(8);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionEight(player);
        EXPECT_NE(videosOpened().find("mi08.avi"), std::string::npos);
    }
};

TEST_F(MissionEightPlayThrough, TheWreckLeftBurningLosesIt) {
    shotPrefix = "play-m08-lost";
    test::ScriptedPlayer player(backend);
    intoMissionEight(player);
    ASSERT_FALSE(HasFatalFailure());
    buyAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 20000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Zu viele Tote!");
    EXPECT_GT(TickCounter, 1801u) << "the wreck exploded first";
    EXPECT_GT(BurningHouseCount, 0) << "the restaurant burns";
    std::printf("lost at tick %u with %d houses burning\n", TickCounter, BurningHouseCount);
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

// The tankers' cannons put the wreck out before it explodes and then the restaurant's fire; the
// fire fighters carry the three casualties out, the ambulances' teams load them, and each is
// driven off once its medic has it fit for the drive. The banner is clicked away into the
// evaluation.
TEST_F(MissionEightPlayThrough, WonByClicksWithTheWreckOutAndEveryCasualtyDrivenOff) {
    shotPrefix = "play-m08-won";
    test::ScriptedPlayer player(backend);
    intoMissionEight(player);
    ASSERT_FALSE(HasFatalFailure());
    buyAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    sprayTheWreck(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(player.shot("play-m08-wreck-out"));
    fightTheFires(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(player.shot("play-m08-fires-out"));
    rescueTheInjured(player);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(ToteCount, 0);
    EXPECT_EQ(SonderObjs[kWreck].type, kHalfBurnedPlane) << "never exploded";
    EXPECT_GE(Money, 5000);
    expectEvaluation(player, 1);
    play(player, 2);  // the evaluation's frame kept
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
