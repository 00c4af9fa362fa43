// Mission 1 won on to the high scores, a name typed and the campaign moved on; the last
// position's win on to the end picture and the end of the program; and the mission jump typed
// over the options button.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "media/video.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/mission_fixture.h"
#include "movement/traffic_paths.h"
#include "persons/personen.h"
#include "platform/data_folders.h"
#include "platform/window.h"
#include "screens/high_score.h"
#include "screens/mission_jump.h"
#include "support/kept_frames.h"
#include "support/scripted_player.h"
#include "vehicles/fahrzeuge.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

class HighScoreGame : public test::MissionTest {
  protected:
    // Mission 1 won as its check sees it: the scene cleared once a few seconds have passed;
    // then a click leads from the won screen to the evaluation, and a click or the Enter key
    // from there on.
    void winMissionOne(test::ScriptedPlayer& player, bool byEnter = false) {
        ASSERT_TRUE(player.runUntil([] { return TickCounter >= 100; }, 400));
        for (int slot = 0; slot < 3; ++slot) FreeSonderObjSlot(slot);
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
            RemoveFahrzeug(static_cast<std::int16_t>(i), kRemoveDrivenOff);
        for (std::size_t i = 0; i < Personen.size(); ++i)
            DeletePerson(static_cast<std::int32_t>(i));
        FreeZFWege();
        player.frames(1);
        ASSERT_EQ(GameMode, 5u) << FatalErrorMessage();
        player.click(400, 300);
        player.frames(1);
        ASSERT_EQ(GameMode, 18u) << FatalErrorMessage();
        ASSERT_GT(EvaluationPoints, 0);
        if (byEnter)
            player.key(VK_RETURN);
        else
            player.click(400, 300);
        player.frames(1);
        ASSERT_EQ(GameMode, 17u) << FatalErrorMessage();
    }
    std::string written(const std::string& rel) const { return dir / ("written/" + rel); }
};

std::vector<std::uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether the row's band (x 53..400) holds a pixel of a strongly red colour.
bool RowHasRed(const HeadlessBackend::Frame& f, int row) {
    const int top = kHighScoreFirstRowY + kHighScoreRowStep * row;
    for (int y = top; y < top + 25; ++y)
        for (int x = kHighScoreNumberX; x < kHighScorePointsX; ++x) {
            const PaletteEntry& c = f.palette[f.at(x, y)];
            if (c.r > 200 && c.g < 60 && c.b < 60) return true;
        }
    return false;
}

TEST_F(HighScoreGame, ANameTypedIntoTheNewRowIsStoredAndTheNextMissionIsAskedFor) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    SetWriteFolder(dir / "written");
    winMissionOne(player);
    const std::int32_t points = EvaluationPoints;
    EXPECT_EQ(HighScores.entryRow, 0);

    // The click that left the evaluation has not left this screen too.
    player.frames(1);
    EXPECT_EQ(GameMode, 17u);
    player.chars("Anna");
    player.click(400, 300);
    player.frames(1);
    EXPECT_EQ(GameMode, 17u) << "clicks do nothing while a name is typed";
    EXPECT_EQ(HighScoreEditText(), "Anna_");
    EXPECT_TRUE(player.shot("highscore"));
    ASSERT_FALSE(backend.frames().empty());
    EXPECT_TRUE(RowHasRed(backend.frames().back(), 0));
    EXPECT_FALSE(RowHasRed(backend.frames().back(), 1));

    player.chars("\r");
    player.frames(1);
    const std::vector<std::uint8_t> file = FileBytes(written("data/high1.dat"));
    ASSERT_EQ(file.size(), 522u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data() + 2)), "Anna");
    EXPECT_EQ(file[52] | file[53] << 8, points);
    EXPECT_EQ(file[54], 0) << "row 1 empty";
    EXPECT_FALSE(std::filesystem::exists(dir / "data/high1.dat")) << "nothing in the data";
    EXPECT_EQ(CampaignPosition, 1);
    EXPECT_EQ(MissionNummer, 5);
    // The next mission loads through its title and video on to its campaign map.
    ASSERT_TRUE(player.runUntil([] { return GameMode == 10u; }, 2000)) << FatalErrorMessage();
    EXPECT_EQ(KarteMarker.x, KarteMarkers[5].x);
    EXPECT_EQ(KarteMarker.y, KarteMarkers[5].y);
}

TEST_F(HighScoreGame, AfterTheLastPositionTheEndPictureEndsTheProgram) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    SetWriteFolder(dir / "written");
    CampaignPosition = kCampaignLength - 1;
    winMissionOne(player, true);
    // The Enter that left the evaluation does not also end the name here.
    player.frames(1);
    ASSERT_EQ(GameMode, 17u);
    EXPECT_EQ(HighScores.entryRow, 0);
    player.chars("\r");
    player.frames(1);
    ASSERT_EQ(GameMode, 16u) << FatalErrorMessage();
    EXPECT_EQ(CampaignPosition, 30);
    // Shown once under the black palette, then faded in.
    EXPECT_TRUE(test::KeepFrameInCurrentPalette(backend, "ende"));

    // The picture shown is the end picture, not the start picture.
    std::vector<std::uint8_t> start(kWorkBufferSize);
    ASSERT_TRUE(LoadCff("graphs\\d\\start.cff", nullptr, start));
    const std::vector<std::uint8_t>& shown = backend.frames().back().pixels;
    ASSERT_EQ(shown.size(), start.size());
    std::size_t differ = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) differ += shown[i] != start[i];
    EXPECT_GT(differ, start.size() / 2);
    EXPECT_EQ(std::vector<std::uint8_t>(WorkBuffer, WorkBuffer + kWorkBufferSize), shown);

    // A right click or a mouse move does nothing.
    player.rclick(300, 300);
    player.mouse(500, 200);
    player.frames(2);
    EXPECT_EQ(GameMode, 16u);
    EXPECT_TRUE(IsWindow(MainWindow));

    // A key fades to black and closes the window; the main loop ends with 0.
    const int paletteChanges = backend.paletteChanges();
    backend.inject(WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(RunMessageLoop(), 0);
    EXPECT_GE(backend.paletteChanges(), paletteChanges + 32) << "the fade's steps";
    EXPECT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(HighScoreGame, TheJumpListRunsTheMissionAndStartsTheChosenPositionWithItsMoney) {
    useSampleData(true);
    openGame();
    test::ScriptedPlayer player(backend);
    clickStartPicture();
    finishVideo();
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    leaveKarte(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    const std::int32_t entered = StartMoney;

    const auto typeWord = [&] {
        player.mouse(700, 380);
        for (const char c : std::string("EINSATZ")) player.key(static_cast<WParam>(c));
        player.frames(1);
    };
    typeWord();
    ASSERT_EQ(GameMode, 11u) << FatalErrorMessage();
    const std::uint32_t ticks = TickCounter;
    player.mouse(120, 60);
    player.frames(3);
    EXPECT_GT(TickCounter, ticks) << "the mission runs under the list";
    EXPECT_EQ(MouseX, 120);
    EXPECT_TRUE(player.shot("jump"));
    player.rclick(400, 300);
    player.frames(1);
    EXPECT_EQ(GameMode, 2u);

    // Money spent in the mission is given back before mission 1 starts again with its own.
    typeWord();
    ASSERT_EQ(GameMode, 11u);
    Money = 1234;
    player.click(760, 300);  // beside every box
    player.frames(1);
    EXPECT_EQ(GameMode, 11u);
    player.click(25, 55);
    player.frames(1);
    EXPECT_EQ(CampaignPosition, 0);
    EXPECT_EQ(MissionNummer, 1);
    EXPECT_EQ(VideoStage, kVideoMission);
    finishVideo();
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    EXPECT_EQ(Money, entered + 6000);
    EXPECT_LT(TickCounter, ticks) << "from its beginning";
}

}  // namespace
}  // namespace kv
