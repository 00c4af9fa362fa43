#include "media/video.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "core/options.h"
#include "gfx/frame_buffer.h"
#include "media/cd_audio.h"
#include "media/intro.h"
#include "platform/display.h"
#include "platform/window.h"
#include "support/headless_test.h"
#include "support/media_files.h"

namespace kv {
namespace {

using Modes = std::vector<std::string>;
using Destination = HeadlessVideo::Destination;

void DispatchAll() {
    Message m;
    while (PeekMessage(m, PM_REMOVE)) DispatchMessage(m);
}

std::vector<int> g_started;
void RecordStart(int slot) {
    g_started.push_back(slot);
}
int g_missionVideoEnds = 0;
void RecordMissionVideoEnd() {
    ++g_missionVideoEnds;
}

// The start-up videos and a mission video on the data "CD" in the working directory, the game
// started up to its videos.
class VideoTest : public test::HeadlessTest {
  public:
    // The files are the same for every test: written once for the suite.
    static void SetUpTestSuite() {
        const test::ScratchDir& d = suiteDir.emplace();
        EXPECT_TRUE(test::WriteTestVideo(d / "videos/dalquin.avi", 32, 24, 2));
        EXPECT_TRUE(test::WriteTestVideo(d / "videos/mervix.avi", 32, 16, 2));
        EXPECT_TRUE(test::WriteTestVideo(d / "videos/intro.avi", 32, 16, 2));
        EXPECT_TRUE(test::WriteTestVideo(d / "videos/m01.avi", 160, 120, 2));
        EXPECT_TRUE(WriteStartPicture(d));
        d.linkSampleData("persons");  // the first person types load at start-up
        EXPECT_TRUE(test::WriteTestGamePalette(d / "graphs/farben.pal"));
    }
    static void TearDownTestSuite() { suiteDir.reset(); }
    static bool WriteStartPicture(const test::ScratchDir& d) {
        return test::WriteTestStartPicture(d / "graphs/d/start.cff");
    }

    void SetUp() override {
        HeadlessTest::SetUp();
        g_started.clear();
        g_missionVideoEnds = 0;
        start();
    }
    void TearDown() override {
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        // A test that took the start picture away leaves it for the next.
        if (!std::filesystem::exists(dir.path() / "graphs/d/start.cff")) WriteStartPicture(dir);
        HeadlessTest::TearDown();
    }
    void start() {
        CurrentCdTrack = kNoCdTrack;
        InstallProgramTables();
        table = *tableOf();
        table[2].videoEnded = RecordMissionVideoEnd;
        SetGameModeTable(&table);
        SetStartMissionFunction(RecordStart);
        ASSERT_EQ(InitWindow(), 1);
        InitGame();
        ASSERT_FALSE(FatalErrorRaised());
    }
    // The installed program table, read back through the game-mode table.
    static const GameModeTable* tableOf() {
        static GameModeTable copy;
        for (std::uint32_t m = 0; m < kGameModeCount; ++m) copy[m] = HandlersFor(m);
        return &copy;
    }
    // For a table of cases: each one on a backend of its own, started anew.
    void restartOn(HeadlessBackend& fresh) {
        if (IsWindow(MainWindow)) DestroyWindow(MainWindow);
        test::ResetPlatformState();
        active = &fresh;
        SetBackend(&fresh);
        start();
    }
    void backToOwnBackend() {
        test::ResetPlatformState();
        SetBackend(&backend);
        active = &backend;
    }
    HeadlessVideo& video() { return active->videoDevice(); }
    std::string playing() const {
        const std::string& p = const_cast<VideoTest*>(this)->video().path();
        return p.substr(p.find_last_of('/') + 1);
    }
    void click() {
        backend.inject(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(300, 200));
        DispatchAll();
    }
    void key() {
        backend.inject(WM_KEYDOWN, VK_SPACE, 1);
        DispatchAll();
    }
    void finish() {
        ASSERT_TRUE(video().finishVideo());
        DispatchAll();
    }

    static inline std::optional<test::ScratchDir> suiteDir;
    const test::ScratchDir& dir = *suiteDir;
    test::WorkingDirectory cwd{dir.path()};
    GameModeTable table{};
    HeadlessBackend* active = &backend;
};

TEST_F(VideoTest, TheStartUpVideosPlayInOneDisplayModeAndOnlyTheIntroCanBeSkipped) {
    PlayLogoVideos();
    EXPECT_EQ(GameMode, 1u);
    EXPECT_EQ(VideoStage, kVideoFirstLogo);
    EXPECT_EQ(playing(), "dalquin.avi");
    EXPECT_EQ(LoopSuspended, 1);
    EXPECT_EQ(VideoRect, (VideoRectangle{0, 0, 640, 480}));
    EXPECT_TRUE(IsWindowVisible(VideoWindow));
    EXPECT_TRUE(IsWindowVisible(VideoSysWindow));

    // Clicks and keys during the logos change nothing.
    click();
    key();
    EXPECT_TRUE(video().playing());
    EXPECT_EQ(video().stops(), 0);
    finish();
    EXPECT_EQ(VideoStage, kVideoSecondLogo);
    EXPECT_EQ(playing(), "mervix.avi");
    EXPECT_EQ(video().destination(), (Destination{0, 80, 640, 320}));
    click();
    key();
    EXPECT_TRUE(video().playing());
    finish();
    EXPECT_EQ(VideoStage, kVideoIntro);
    EXPECT_EQ(playing(), "intro.avi");
    EXPECT_EQ(video().destination(), (Destination{0, 80, 640, 320}));
    EXPECT_EQ(backend.displayModes(), (Modes{"800x600x8", "640x480x16"}))
        << "the logos and the intro share one switch";

    // A key during the intro reaches the video window, which ignores it; a click ends it.
    key();
    EXPECT_TRUE(video().playing());
    const std::uint32_t before = backend.ticks();
    const int blanks = backend.verticalBlanks();
    click();
    EXPECT_EQ(video().stops(), 1);
    EXPECT_FALSE(video().isOpen());
    EXPECT_EQ(LoopSuspended, 0);
    EXPECT_EQ(VideoWindow, 0u);
    EXPECT_FALSE(IsWindowVisible(VideoSysWindow));
    EXPECT_EQ(backend.displayModes(), (Modes{"800x600x8", "640x480x16", "800x600x8"}));
    EXPECT_EQ(GameMode, 1u);
    EXPECT_TRUE(g_started.empty()) << "the intro's end shows the start picture first";

    // The start picture is shown under the black palette, and after a second it comes up.
    ASSERT_FALSE(backend.frames().empty());
    const HeadlessBackend::Frame& picture = backend.frames().back();
    EXPECT_EQ(picture.at(400, 300), 7);
    EXPECT_EQ(picture.palette[7], (PaletteEntry{0, 0, 0, 0}));
    EXPECT_GE(backend.ticks() - before, 1000u);
    EXPECT_EQ(DisplayCurrentPalette()[7], (PaletteEntry{252, 0, 0, 1}));
    EXPECT_EQ(backend.verticalBlanks() - blanks, 32) << "it fades in";
    EXPECT_TRUE(backend.cursorVisible()) << "the start picture shows a pointer to click with";

    // On the start picture a click or a key fades out and starts the game.
    click();
    EXPECT_EQ(DisplayCurrentPalette()[7], (PaletteEntry{0, 0, 0, 1}));
    EXPECT_EQ(backend.verticalBlanks() - blanks, 64);
    EXPECT_EQ(g_started, (std::vector<int>{-1}));
    EXPECT_FALSE(backend.cursorVisible()) << "the game draws its own pointer from here on";
    key();
    EXPECT_EQ(g_started, (std::vector<int>{-1, -1}));
    EXPECT_TRUE(backend.boxes().empty());
}

TEST_F(VideoTest, AnIntroThatRunsOutEndsLikeASkippedOne) {
    PlayLogoVideos();
    finish();
    finish();
    finish();
    EXPECT_EQ(video().opened().size(), 3u);
    EXPECT_EQ(video().stops(), 0);
    EXPECT_EQ(LoopSuspended, 0);
    EXPECT_EQ(backend.displayModes(), (Modes{"800x600x8", "640x480x16", "800x600x8"}));
}

TEST_F(VideoTest, AMissingStartPictureIsFatal) {
    std::filesystem::remove(dir.path() / "graphs/d/start.cff");
    PlayLogoVideos();
    finish();
    finish();
    finish();
    ASSERT_EQ(backend.boxes().size(), 1u);
    EXPECT_EQ(backend.boxes()[0].text, "file not found: Startbild");
    EXPECT_FALSE(IsWindow(MainWindow));
}

TEST_F(VideoTest, PlacementFlags) {
    struct Case {
        int flags, x, y, w, h;
        VideoRectangle expected;
    };
    const Case cases[] = {
        {0, 0, 80, 640, 320, {0, 80, 640, 320}},
        {0, 10, 20, 100, 50, {10, 20, 100, 50}},
        {1, 5, 5, 100, 100, {0, 0, 640, 480}},
        {1 | 4, 5, 5, 100, 100, {0, 0, 640, 480}},
        {2, 0, 0, 320, 240, {160, 120, 320, 240}},
        {2, 0, 0, 641, 101, {0, 189, 641, 101}},  // (640 - 641) / 2 halves towards zero
        {4, 7, 9, 1, 1, {7, 9, 160, 120}},
        {2 | 4, 7, 9, 1, 1, {240, 180, 160, 120}},
    };
    VideoStage = kVideoMission;
    for (const Case& c : cases) {
        ASSERT_EQ(PlayVideo("CDvideos\\m01.avi", c.flags, c.x, c.y, c.w, c.h), 1);
        EXPECT_EQ(VideoRect, c.expected) << "flags " << c.flags;
        const Destination d{c.expected.x, c.expected.y, c.expected.width, c.expected.height};
        EXPECT_EQ(video().destination(), d) << "flags " << c.flags;
        CloseVideo();
    }
}

TEST_F(VideoTest, ASecondVideoClosesTheFirstAndSoundOffMutesIt) {
    VideoStage = kVideoMission;
    ASSERT_EQ(PlayVideo("CDvideos\\m01.avi", 0, 0, 0, 640, 480), 1);
    EXPECT_TRUE(video().audioOn());
    EXPECT_FALSE(BeginFrame()) << "no frame is drawn in the video's display mode";
    SoundOn = 0;
    ASSERT_EQ(PlayVideo("CDvideos\\m01.avi", 0, 0, 0, 640, 480), 1);
    EXPECT_FALSE(video().audioOn());
    EXPECT_EQ(backend.displayModes(),
              (Modes{"800x600x8", "640x480x16", "800x600x8", "640x480x16"}));
    EXPECT_EQ(video().stops(), 0);
    EXPECT_EQ(LoopSuspended, 1);
}

TEST_F(VideoTest, LeavingTheProgramEndsTheVideoAsItsEndWould) {
    // During a logo: the next one follows.
    PlayLogoVideos();
    backend.inject(WM_ACTIVATEAPP, 0, 0);
    DispatchAll();
    EXPECT_EQ(AppActive, 0u) << "the video window passes activation on to the main window";
    EXPECT_EQ(VideoStage, kVideoSecondLogo);
    EXPECT_TRUE(video().playing());

    // During a mission video: the mission goes on, with the game's display back.
    CloseVideo();
    GameMode = 2;
    VideoStage = kVideoMission;
    ASSERT_EQ(PlayVideo("CDvideos\\m01.avi", 0, 0, 0, 640, 480), 1);
    backend.inject(WM_ACTIVATEAPP, 0, 0);
    DispatchAll();
    EXPECT_EQ(g_missionVideoEnds, 1);
    EXPECT_EQ(LoopSuspended, 0);
    EXPECT_FALSE(video().isOpen());
    EXPECT_EQ(DisplayBitsPerPixel(), 8);
    // Activation without a video goes to the main window alone.
    backend.inject(WM_ACTIVATEAPP, 1, 0);
    DispatchAll();
    EXPECT_EQ(AppActive, 1u);
    EXPECT_EQ(g_missionVideoEnds, 1);
}

// Each failure is reported once, and no frame stays suspended behind the message.
TEST_F(VideoTest, FailuresAreFatalAndLeaveTheLoopRunning) {
    struct Case {
        const char* what;
        void (*prepare)(VideoTest&);
        const char* path;
        std::string message;
    };
    const Case cases[] = {
        {"no video window", [](VideoTest&) { DestroyVideoSysWindow(); }, "CDvideos\\m01.avi",
         "Videowindow not available"},
        {"missing file", [](VideoTest&) {}, "CDvideos\\none.avi",
         "Kestrivon-CD wurde nicht gefunden."},
        {"not a video", [](VideoTest& t) { t.dir.write("videos/bad.avi", "no video here"); },
         "CDvideos\\bad.avi", "cannot open video: \"videos\\bad.avi\" . Error Nr:2"},
        {"no window class", [](VideoTest&) { UnregisterWindowClass(kVideoWindowClass); },
         "CDvideos\\m01.avi", "cannot create videowindow"},
        {"refused play", [](VideoTest& t) { t.video().refusePlay(true); }, "CDvideos\\m01.avi",
         "cannot start video"},
    };
    for (const Case& c : cases) {
        HeadlessBackend fresh;
        restartOn(fresh);
        c.prepare(*this);
        VideoStage = kVideoMission;
        EXPECT_EQ(PlayVideo(c.path, 0, 0, 0, 640, 480), 0) << c.what;
        EXPECT_EQ(LoopSuspended, 0) << c.what;
        EXPECT_EQ(GameMode, 0u) << c.what;
        EXPECT_FALSE(IsWindow(MainWindow)) << c.what;
        ASSERT_EQ(fresh.boxes().size(), 1u) << c.what;
        EXPECT_EQ(fresh.boxes()[0].text, c.message) << c.what;
        EXPECT_FALSE(video().isOpen()) << c.what;
        backToOwnBackend();
    }
}

// A display mode that cannot be set, into the video's mode or back: reported as at start-up, and
// nothing is drawn into surfaces of the wrong size afterwards.
TEST_F(VideoTest, AModeSwitchThatFailsEndsTheGame) {
    for (const bool back : {false, true}) {
        HeadlessBackend fresh;
        restartOn(fresh);
        GameMode = 2;
        VideoStage = kVideoMission;
        if (back) {
            ASSERT_EQ(PlayVideo("CDvideos\\m01.avi", 0, 0, 0, 640, 480), 1);
            fresh.failDisplayMode(true);
            finish();
        } else {
            fresh.failDisplayMode(true);
            EXPECT_EQ(PlayVideo("CDvideos\\m01.avi", 0, 0, 0, 640, 480), 0);
            EXPECT_FALSE(video().isOpen());
        }
        ASSERT_EQ(fresh.boxes().size(), 1u) << back;
        EXPECT_EQ(fresh.boxes()[0].title, "Kestrivon");
        EXPECT_EQ(fresh.boxes()[0].text, "DirectDraw Init FAILED. Error:16389");
        EXPECT_TRUE(FatalErrorRaised());
        EXPECT_EQ(GameMode, 0u);
        EXPECT_EQ(LoopSuspended, 0);
        EXPECT_FALSE(IsWindow(MainWindow));
        EXPECT_EQ(g_missionVideoEnds, 0) << "the mission does not go on";
        const std::size_t frames = fresh.frames().size();
        PresentWorkBuffer();
        ShowStatusText("after", nullptr);
        EXPECT_EQ(fresh.frames().size(), frames);
        backToOwnBackend();
    }
}

TEST_F(VideoTest, ClosingTheProgramDuringAVideoShowsNoError) {
    VideoStage = kVideoMission;
    ASSERT_EQ(PlayVideo("CDvideos\\m01.avi", 0, 0, 0, 640, 480), 1);
    backend.inject(WM_CLOSE);
    DispatchAll();
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_EQ(LoopSuspended, 0);
    EXPECT_EQ(VideoSysWindow, 0u);
    EXPECT_FALSE(video().isOpen());
    EXPECT_TRUE(backend.boxes().empty());
    // A video asked for after that starts nothing and reports nothing.
    EXPECT_EQ(PlayVideo("CDvideos\\m01.avi", 0, 0, 0, 640, 480), 0);
    EXPECT_TRUE(backend.boxes().empty());
}

}  // namespace
}  // namespace kv
