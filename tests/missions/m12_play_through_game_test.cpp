// Mission 12 played the way a player plays it, every step a click or a key: jumped to from mission
// 1, briefed, the crew van and an ambulance bought and driven in, the visitor lying under the
// vertical beam carried off. A fire fighter sent at the vertical beam while the horizontal beam and
// the grid still hang on it brings the wreckage down on himself; taken apart in order, the
// wreckage lets the cutter free the passenger, and with every casualty driven or flown off the
// mission is won.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/random.h"
#include "mission/mission_fixture.h"
#include "missions/m12_play.h"
#include "platform/cp1252.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

class MissionTwelvePlayThrough : public test::MissionTest, public test::MissionTwelveMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }

    // The start picture, mission 1's video and its map left for play, then the jump.
    void intoMissionTwelve(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        SeedRandom(12);
        intoMissionOne(player);
        ASSERT_FALSE(HasFatalFailure());
        jumpToMissionTwelve(player);
        EXPECT_NE(videosOpened().find("mi12.avi"), std::string::npos);
    }
};

TEST_F(MissionTwelvePlayThrough, TheVerticalBeamFirstBringsTheWreckageDown) {
    shotPrefix = "play-m12-lost";
    test::ScriptedPlayer player(backend);
    intoMissionTwelve(player);
    ASSERT_FALSE(HasFatalFailure());
    buyAndEnter(player);
    ASSERT_FALSE(HasFatalFailure());
    inAndCrewOut(player);
    ASSERT_FALSE(HasFatalFailure());
    carryOffTheVisitorUnderTheUpright(player);
    ASSERT_FALSE(HasFatalFailure());
    std::printf("the crew out at tick %u\n", TickCounter);
    const std::int16_t ff = fireFighters[0];
    toThePiece(player, ff, kUpright);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 3000));
    EXPECT_EQ(GameMode, 4u);
    EXPECT_EQ(Cp1252ToUtf8(MessageLine.data()), "Verletzter gestorben!");
    EXPECT_EQ(ToteCount, 1u);
    EXPECT_NE(P(ff).casualty, 0) << "killed under the wreckage, at tick " << TickCounter;
    EXPECT_EQ(SonderObjs[kBeam].z, 0.0f) << "the wreckage came down";
    play(player, 2);
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(MissionTwelvePlayThrough, TheWreckageTakenApartAndEveryoneCarriedOffWins) {
    shotPrefix = "play-m12-won";
    test::ScriptedPlayer player(backend);
    useSampleData(true);
    openGame();
    SeedRandom(12);
    intoMissionOne(player);
    ASSERT_FALSE(HasFatalFailure());
    winMissionTwelve(player);
    ASSERT_FALSE(HasFatalFailure());
    std::printf("won at tick %u with %d left\n", TickCounter, Money);
    expectEvaluation(player, 0);
    printMemory();
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

}  // namespace
}  // namespace kv
