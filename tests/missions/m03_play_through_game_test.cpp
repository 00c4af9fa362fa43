// Mission 3 played by clicks and keys from the start picture: entered through the mission jump,
// bought at base 0, won by bringing the cat down; and lost by an injured onlooker.

#include <gtest/gtest.h>

#include <string>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "missions/m03_play.h"
#include "persons/person_injury.h"
#include "persons/personen.h"
#include "support/scripted_player.h"

namespace kv {
namespace {

// The onlooker nearest the tree at the start.
constexpr std::int16_t kOnlooker = 7;

class MissionThreePlayThrough : public test::MissionTest, public test::MissionThreeMoves {
  protected:
    HeadlessBackend& playBackend() override { return backend; }
    void finishVideoHere() override { finishVideo(); }

    // The start picture, mission 1's video and campaign map, into its play.
    void startGame(test::ScriptedPlayer& player) {
        useSampleData(true);
        openGame();
        // The traffic's cars are drawn at random: the seed brings the owner's car early.
        SeedRandom(11);
        clickStartPicture();
        finishVideo();
        ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
        leaveKarte(player);
        ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    }
};

TEST_F(MissionThreePlayThrough, TheCatIsBroughtDownByClicksAndKeys) {
    shotPrefix = "play-m03-won";
    test::ScriptedPlayer player(backend);
    startGame(player);
    const Bought b = enterAndBuyMissionThree(player);
    ASSERT_FALSE(HasFailure());
    EXPECT_NE(videosOpened().find("mi03.avi"), std::string::npos);
    ASSERT_GE(b.police, 0);
    ASSERT_GE(b.ladder, 0);
    ASSERT_GE(b.officer, 0);
    driveIn(player, b);
    winMissionThree(player, b);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(VerletzteCount, 0);
    expectEvaluation(player, 0);
    printMemory();
}

TEST_F(MissionThreePlayThrough, AnInjuredOnlookerLosesTheMission) {
    shotPrefix = "play-m03-lost";
    test::ScriptedPlayer player(backend);
    startGame(player);
    const Bought b = enterAndBuyMissionThree(player);
    ASSERT_FALSE(HasFailure());
    driveIn(player, b);
    ASSERT_FALSE(HasFailure());
    // Nothing in this mission lets a player hurt anyone: the test's one write injures the
    // onlooker, as a fall or a car would.
    InjurePerson(kOnlooker, 500000, 15, 0);
    ASSERT_TRUE(playUntil(
        player, [] { return GameMode != 2; }, 50));
    ASSERT_EQ(GameMode, 4u);
    EXPECT_EQ(std::string(MessageLine.data()), "Es hat einen Verletzten gegeben!");
    play(player, 2);
}

}  // namespace
}  // namespace kv
