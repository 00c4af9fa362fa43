// The scripted player of the whole-game tests drives the real window procedure and frames.

#include "support/scripted_player.h"

#include <filesystem>

#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "mission/mission_fixture.h"
#include "support/kept_frames.h"

namespace kv {
namespace {

class ScriptedPlayerTest : public test::MissionTest {};

TEST_F(ScriptedPlayerTest, ClicksIntoMissionOneAndRunsItsFrames) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << "the start picture's click starts mission 1";
    const std::uint32_t tick = TickCounter;

    player.frames(3);
    EXPECT_EQ(player.framesRun(), 5) << "the start, the campaign map, three of play";
    EXPECT_GT(TickCounter, tick) << "mission frames tick the simulation";
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
}

TEST_F(ScriptedPlayerTest, KeepsTheLastShownFrameAsPng) {
    useSampleData(false);
    openGame();
    test::ScriptedPlayer player(backend);
    player.frames(2);
    ASSERT_FALSE(backend.frames().empty()) << "the loading screen was shown";
    ASSERT_TRUE(player.shot("player-start-picture"));
    EXPECT_TRUE(std::filesystem::exists(test::TestFramesDir() / "player-start-picture.png"));
}

}  // namespace
}  // namespace kv
