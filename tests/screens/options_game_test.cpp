// The options over a running mission 1, as the player uses them: sound, the game speed, the
// hints, restarting and quitting.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/options.h"
#include "media/cd_audio.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/mission_fixture.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "platform/window.h"
#include "screens/basen_twins_fixture.h"
#include "screens/hints.h"
#include "screens/karte_wege.h"
#include "screens/options.h"
#include "support/scripted_player.h"
#include "support/sound_log.h"
#include "vehicles/fahrzeuge.h"

namespace kv {
namespace {

using OptionsGame = test::MissionTest;

// The options side button fires on the third frame after the press.
void OpenOptionsFromMission(test::ScriptedPlayer& player) {
    player.click(700, 380);
    player.frames(3);
}

long Clicks(const std::vector<int>& played) {
    return std::count(played.begin(), played.end(), kSoundClickHigh);
}

TEST_F(OptionsGame, TheOptionsOverMissionOne) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player, [](MissionHooks& row) {
        // The options are not about mission 1's rules: its checks stay out.
        row.CheckMission = [] {};
    });
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();

    OpenOptionsFromMission(player);
    ASSERT_EQ(GameMode, 9u) << FatalErrorMessage();
    EXPECT_EQ(ReturnGameMode, 2);
    player.mouse(400, 300);
    player.frames(1);
    EXPECT_TRUE(player.shot("options"));

    // Sound off and on again: the person's looping sound plays again.
    Person* looping = nullptr;
    for (std::size_t i = 0; i < Personen.size() && looping == nullptr; ++i)
        looping = UsedPersonAt(static_cast<std::int32_t>(i));
    ASSERT_NE(looping, nullptr);
    looping->sound = kSoundSiren;
    backend.sound.clearCalls();
    player.click(50, 140);
    player.frames(1);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(test::PlayedSoundIds(backend.sound), (std::vector<int>{kSoundClickHigh}));
    backend.sound.clearCalls();
    player.click(50, 140);
    player.frames(1);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(test::PlayedSoundIds(backend.sound),
              (std::vector<int>{kSoundClickHigh, kSoundSiren}));
    looping->sound = -1;
    StopAllSounds();

    // Music off keeps its track, and on plays that track again.
    const std::uint16_t track = CurrentCdTrack;
    ASSERT_NE(track, kNoCdTrack);
    ASSERT_TRUE(backend.musicDevice().playing());
    backend.musicDevice().clearPlays();
    player.click(50, 250);
    player.frames(1);
    EXPECT_EQ(CdMusicOn, 0);
    EXPECT_FALSE(backend.musicDevice().playing());
    EXPECT_EQ(CurrentCdTrack, track);
    player.click(50, 250);
    player.frames(1);
    EXPECT_EQ(CdMusicOn, 1);
    EXPECT_TRUE(backend.musicDevice().playing());
    ASSERT_FALSE(backend.musicDevice().plays().empty());
    EXPECT_EQ(backend.musicDevice().plays().back().from, track);

    // The game-speed knob dragged from step 1 through x 300 to x 500: a click for each step.
    // The headless mixer plays a sound until it is stopped, so each step starts from silence.
    const auto clicksSince = [this] {
        const long n = Clicks(test::PlayedSoundIds(backend.sound));
        StopAllSounds();
        backend.sound.clearCalls();
        return n;
    };
    player.press(140, 82);
    player.frames(1);
    EXPECT_EQ(OptionsDragging, 1);
    clicksSince();
    for (const auto& [x, speed, clicks] :
         {std::tuple{300, 2, 1}, std::tuple{400, 2, 0}, std::tuple{500, 3, 1}}) {
        player.mouse(x, 82);
        player.frames(1);
        EXPECT_EQ(GameSpeed, speed) << x;
        EXPECT_EQ(clicksSince(), clicks) << x;
    }
    player.release(500, 82);
    player.frames(1);
    EXPECT_EQ(OptionsDragging, 0);

    // The hints, in capitals; a key leads back to the options, and back to the mission.
    player.click(280, 447);
    player.frames(1);
    ASSERT_EQ(GameMode, 19u) << FatalErrorMessage();
    EXPECT_NE(HintText.find(W("DER VERKEHR MUSS WEITERFLIEßEN. STELLEN SIE IHRE")),
              std::string::npos);
    EXPECT_TRUE(player.shot("hints"));
    player.key('A');
    player.frames(1);
    ASSERT_EQ(GameMode, 9u);
    EXPECT_EQ(ReturnGameMode, 2);
    player.click(400, 400);
    player.frames(1);
    ASSERT_EQ(GameMode, 2u);

    // Restart: the right button closes the question, the second time JA restarts with the money
    // mission 1 was entered with.
    Money -= 1234;
    OpenOptionsFromMission(player);
    ASSERT_EQ(GameMode, 9u);
    player.click(160, 447);
    player.frames(1);
    EXPECT_EQ(OptionsQuestion, kQuestionRestart);
    EXPECT_TRUE(player.shot("options-question"));
    player.rclick(300, 300);
    player.frames(1);
    EXPECT_EQ(OptionsQuestion, kNoQuestion);
    EXPECT_EQ(GameMode, 9u);
    player.click(160, 447);
    player.click(588, 160);
    player.frames(1);
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    EXPECT_EQ(Money, 6000);
    leaveKarte(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();

    // Quit: the window closes and the loop ends.
    OpenOptionsFromMission(player);
    ASSERT_EQ(GameMode, 9u);
    player.click(550, 400);
    player.click(588, 160);
    player.frames(2);
    EXPECT_TRUE(player.quit());
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(OptionsGame, BackToTheFailedScreenWithItsBannerAndReason) {
    test::ScriptedPlayer player(backend);
    playIntoMissionOne(player);
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    ToteCount = 1;
    player.frames(2);
    ASSERT_EQ(GameMode, 4u) << FatalErrorMessage();
    player.mouse(700, 380);
    player.frames(1);
    const auto failed = backend.frames().back();

    player.click(700, 380);
    player.frames(3);
    ASSERT_EQ(GameMode, 9u) << FatalErrorMessage();
    EXPECT_EQ(ReturnGameMode, 4);
    // A failed mission cannot be saved: the button does nothing.
    player.click(250, 400);
    player.frames(1);
    EXPECT_EQ(GameMode, 9u);
    player.click(400, 400);
    player.mouse(700, 380);
    player.frames(1);
    ASSERT_EQ(GameMode, 4u);
    // Only the panel's money differs: the failure gave back the mission's spending and start
    // money after the first picture was drawn.
    const auto& now = backend.frames().back();
    int differing = 0;
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const bool moneyField = x >= 670 && y >= 455 && y < 480;
            if (!moneyField && now.at(x, y) != failed.at(x, y)) ++differing;
        }
    EXPECT_EQ(differing, 0) << "the banner and the reason drawn again over the frozen mission";
    EXPECT_TRUE(player.shot("options-back-to-failed"));
}

using OptionsOverBase = test::TwinBaseTest;

// Over the helicopter base, the airfield and the ship base the options keep the base running
// behind them (here the world before its start: a vehicle travels its map road) and drawn, and
// lead back to it.
TEST_F(OptionsOverBase, EachBaseRunsOnBehindTheOptionsAndTheyLeadBackToIt) {
    test::ScriptedPlayer player(backend);
    openMissionOneMap(player, false);
    ASSERT_EQ(GameMode, 10u) << FatalErrorMessage();
    for (const auto& [base, mode, name] :
         {std::tuple{test::kHeliBase, 14u, "heli"}, std::tuple{test::kLflugBase, 13u, "lflug"},
          std::tuple{test::kSchiffBase, 15u, "schiff"}}) {
        SCOPED_TRACE(name);
        enterBase(base);
        ASSERT_EQ(GameMode, mode) << FatalErrorMessage();
        player.click(700, 380);
        player.frames(3);
        ASSERT_EQ(GameMode, 9u) << FatalErrorMessage();
        EXPECT_EQ(ReturnGameMode, mode);
        const std::int16_t car = CreateFahrzeug(kTypF201, RoadEntry.x, RoadEntry.y, 7);
        ASSERT_GE(car, 0);
        SetupFahrzeug(car, kOwnerBought);
        PlaceFahrzeugOnKarte(car, 0);
        const Fahrzeug& v = Fahrzeuge[static_cast<std::size_t>(car)];
        const std::pair<int, int> start{v.KarteX, v.KarteY};
        player.frames(2);
        EXPECT_NE((std::pair<int, int>{v.KarteX, v.KarteY}), start);
        EXPECT_TRUE(player.shot(std::string("options-over-") + name));
        player.click(400, 400);
        player.frames(1);
        ASSERT_EQ(GameMode, mode);
        player.key(VK_ESCAPE);
        player.frames(1);
        ASSERT_EQ(GameMode, 10u);
    }
}

}  // namespace
}  // namespace kv
