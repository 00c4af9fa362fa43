#include "media/cd_audio.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"
#include "core/main_window.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "platform/window.h"
#include "support/headless_test.h"

namespace kv {
namespace {

using Play = HeadlessMusic::Play;

void DispatchAll() {
    Message m;
    while (PeekMessage(m, PM_REMOVE)) DispatchMessage(m);
}

// A disc with tracks 2..11 in the working directory, the window and the music opened as at
// start-up.
class CdAudioTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        for (int t = 2; t <= 11; ++t) {
            const std::string name = (t < 10 ? "music/track0" : "music/track") + std::to_string(t);
            dir.write(name + (t == 7 ? ".wav" : ".ogg"), "x");
        }
        CurrentCdTrack = kNoCdTrack;
        ASSERT_EQ(InitWindow(), 1);
    }
    void TearDown() override {
        CloseCdAudio();
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        HeadlessTest::TearDown();
    }
    HeadlessMusic& music() { return backend.musicDevice(); }

    test::ScratchDir dir;
    test::WorkingDirectory cwd{dir.path()};
};

TEST_F(CdAudioTest, OpenFindsTheTracksAndSetsTheMusicVolume) {
    const WindowHandle window = OpenCdAudio(MainWindow);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(window, CdNotifyWindow);
    EXPECT_EQ(CdDevice, music().deviceId());
    EXPECT_EQ(GetCdTrackCount(), 11);
    const std::vector<std::string> files = FindCdTrackFiles();
    ASSERT_EQ(files.size(), 11u);
    EXPECT_TRUE(files[0].empty()) << "the data track has no file";
    EXPECT_TRUE(files[6].ends_with("track07.wav")) << files[6];
    EXPECT_TRUE(files[10].ends_with("track11.ogg")) << files[10];
    EXPECT_EQ(music().volumes(), (std::vector<std::uint32_t>{0x30003000u}));
    CloseCdAudio();
    EXPECT_EQ(CdNotifyWindow, 0u);
    EXPECT_EQ(CdDevice, 0u);
    EXPECT_FALSE(music().isOpen());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindowClassRegistered(kCdNotifyClass));
    // The volume found at start comes back.
    EXPECT_EQ(music().volumes(), (std::vector<std::uint32_t>{0x30003000u, 0xFFFFFFFFu}));
}

TEST_F(CdAudioTest, WithoutTrackFilesThereIsNoMusicAndNothingToRestore) {
    std::filesystem::remove_all(dir.path() / "music");
    EXPECT_EQ(OpenCdAudio(MainWindow), 0u);
    EXPECT_EQ(CdNotifyWindow, 0u);
    EXPECT_EQ(CdDevice, 0u);
    EXPECT_FALSE(IsWindowClassRegistered(kCdNotifyClass));
    PlayCdTrack(3, 1);
    StopCdAudio(1);
    CloseCdAudio();
    EXPECT_TRUE(music().plays().empty());
    EXPECT_TRUE(music().volumes().empty());
    EXPECT_EQ(CurrentCdTrack, kNoCdTrack);
}

TEST_F(CdAudioTest, PlayCdTrackCases) {
    ASSERT_NE(OpenCdAudio(MainWindow), 0u);
    struct Case {
        const char* what;
        std::uint16_t current;
        std::uint8_t musicOn;
        int track;
        int force;
        std::vector<Play> plays;
        std::uint16_t currentAfter;
    };
    const Case cases[] = {
        {"a new track", kNoCdTrack, 1, 3, 0, {{3, 4, true}}, 3},
        {"the same track again", 3, 1, 3, 0, {}, 3},
        {"the same track, forced", 3, 1, 3, 1, {{3, 4, true}}, 3},
        {"track 0", 3, 1, 0, 1, {}, 3},
        {"only the low 8 bits count", kNoCdTrack, 1, 0x105, 0, {{5, 6, true}}, 5},
        {"256 is track 0", 5, 1, 0x100, 1, {}, 5},
        {"music off keeps the track", 3, 0, 4, 0, {}, 4},
        {"the last track plays to the end of the disc",
         3,
         1,
         11,
         0,
         {{11, 12, false}, {11, 0, true}},
         11},
    };
    for (const Case& c : cases) {
        CurrentCdTrack = c.current;
        CdMusicOn = c.musicOn;
        music().clearPlays();
        PlayCdTrack(c.track, c.force);
        EXPECT_EQ(music().plays(), c.plays) << c.what;
        EXPECT_EQ(CurrentCdTrack, c.currentAfter) << c.what;
    }
}

TEST_F(CdAudioTest, ATrackThatEndsStartsAgainAndAStoppedOneDoesNot) {
    ASSERT_NE(OpenCdAudio(MainWindow), 0u);
    PlayCdTrack(6, 0);
    ASSERT_TRUE(music().finishTrack());
    DispatchAll();
    EXPECT_EQ(music().plays(), (std::vector<Play>{{6, 7, true}, {6, 7, true}}));
    EXPECT_TRUE(music().playing());

    // Replacing the play sends an aborted notice for the old one; it starts nothing.
    PlayCdTrack(8, 0);
    DispatchAll();
    EXPECT_EQ(music().plays().size(), 3u);

    StopCdAudio(0);
    DispatchAll();
    EXPECT_EQ(music().plays().size(), 3u);
    EXPECT_FALSE(music().playing());
    EXPECT_EQ(CurrentCdTrack, 8) << "kept, so that switching music on can start it again";
    EXPECT_EQ(music().stops(), 1);

    StopCdAudio(1);
    EXPECT_EQ(CurrentCdTrack, kNoCdTrack);
    EXPECT_EQ(music().stops(), 2);
    // 65535 is negative as a signed track: nothing is sent.
    StopCdAudio(1);
    EXPECT_EQ(music().stops(), 2);
}

TEST_F(CdAudioTest, EachMissionPlaysItsTrack) {
    ASSERT_NE(OpenCdAudio(MainWindow), 0u);
    struct Case {
        int mission;
        int track;
    };
    const Case cases[] = {{1, 11}, {12, 11}, {22, 3}, {23, 5},  {16, 6}, {25, 2}, {19, 4},
                          {27, 7}, {18, 9},  {29, 8}, {30, 10}, {0, 2},  {31, 2}};
    for (const Case& c : cases) {
        MissionNummer = static_cast<std::uint8_t>(c.mission);
        CurrentCdTrack = kNoCdTrack;
        music().clearPlays();
        PlayMissionMusic();
        ASSERT_FALSE(music().plays().empty()) << c.mission;
        EXPECT_EQ(music().plays().back().from, c.track) << "mission " << c.mission;
        CurrentCdTrack = kNoCdTrack;
        PlayMissionMusicAgain();
        EXPECT_EQ(CurrentCdTrack, c.track) << "mission " << c.mission;
    }
    // Every mission's track is one of the disc's music tracks, never the data track.
    for (std::uint8_t t : kMissionTracks) {
        EXPECT_GE(t, 2);
        EXPECT_LE(t, 11);
    }
}

}  // namespace
}  // namespace kv
