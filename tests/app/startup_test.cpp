#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "app/program_tables.h"
#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/main_window.h"
#include "gfx/fonts.h"
#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "gfx/palette.h"
#include "platform/display.h"
#include "platform/system.h"
#include "platform/window.h"
#include "support/headless_test.h"
#include "support/media_files.h"

namespace kv {
namespace {

using StartupTest = test::HeadlessTest;

// Start-up loads the first person types from the data set.
const char* const kData = KV_SAMPLEDATA_DIR;

// Whether a frame shows the status text: white pixels around the middle, black elsewhere.
int WhitePixelsNear(const HeadlessBackend::Frame& f, int cx, int cy) {
    int n = 0;
    for (int y = cy - 20; y < cy + 10; ++y)
        for (int x = cx - 150; x < cx + 150; ++x) n += f.at(x, y) == 255;
    return n;
}

TEST_F(StartupTest, TheProgramShowsItsLoadingTextPlaysItsVideosAndEndsWhenClosed) {
    test::WorkingDirectory data(kData);
    backend.videoDevice().setEndAtOnce(true);
    InstallProgramTables();
    backend.setCloseAt(2000);
    EXPECT_EQ(WinMain(), 0);
    EXPECT_EQ(backend.title, "Kestrivon");
    EXPECT_FALSE(backend.windowOpen());
    const auto& frames = backend.frames();
    const auto text = std::find_if(frames.begin(), frames.end(), [](const auto& f) {
        return WhitePixelsNear(f, 400, 300) > 100;
    });
    ASSERT_NE(text, frames.end()) << "KESTRIVON wird geladen...";
    EXPECT_EQ(text->at(10, 10), 0);
    EXPECT_EQ(text->palette[255], (PaletteEntry{252, 252, 252, 0}));
    EXPECT_EQ(text->palette[0], (PaletteEntry{0, 0, 0, 0}));
    const std::vector<std::string>& videos = backend.videoDevice().opened();
    ASSERT_EQ(videos.size(), 3u);
    EXPECT_TRUE(videos[0].ends_with("videos/dalquin.avi")) << videos[0];
    EXPECT_TRUE(videos[1].ends_with("videos/mervix.avi")) << videos[1];
    EXPECT_TRUE(videos[2].ends_with("videos/intro.avi")) << videos[2];
    EXPECT_EQ(backend.displayModes(),
              (std::vector<std::string>{"800x600x8", "640x480x16", "800x600x8"}));
    // Then the start picture, until the window is closed.
    std::vector<std::uint8_t> start(kWorkBufferSize);
    ASSERT_TRUE(LoadCff("graphs\\d\\start.cff", nullptr, start));
    EXPECT_EQ(frames.back().pixels, start);
    EXPECT_TRUE(backend.boxes().empty());
    EXPECT_TRUE(backend.cursorVisible()) << "the system cursor is back after the window went";
    EXPECT_FALSE(DisplayIsOpen());
    EXPECT_EQ(WorkBuffer, nullptr);
}

TEST_F(StartupTest, ADisplayThatCannotBeCreatedIsReported) {
    backend.failDisplayMode(true);
    EXPECT_EQ(WinMain(), kFailureExitCode);
    ASSERT_EQ(backend.boxes().size(), 1u);
    EXPECT_EQ(backend.boxes()[0].title, "Kestrivon");
    EXPECT_EQ(backend.boxes()[0].text, "DirectDraw Init FAILED. Error:16389");
    EXPECT_FALSE(backend.windowOpen());
}

TEST_F(StartupTest, AWindowThatCannotBeCreatedEndsSilently) {
    backend.failWindow(true);
    EXPECT_EQ(WinMain(), kFailureExitCode);
    EXPECT_TRUE(backend.boxes().empty());
}

void FailTwice() {
    FatalError("file not found: FAILED");
    FatalError("a consequence nobody needs to see");
}

TEST_F(StartupTest, FatalErrorIsShownOnceAtDestruction) {
    GameModeTable table{};
    table[4].frame = FailTwice;
    SetGameModeTable(&table);
    test::WorkingDirectory data(kData);
    ASSERT_EQ(InitWindow(), 1);
    InitGame();
    GameMode = 4;
    RunMessageLoop();
    ASSERT_EQ(backend.boxes().size(), 1u);
    EXPECT_EQ(backend.boxes()[0].title, "Error in Kestrivon");
    EXPECT_EQ(backend.boxes()[0].text, "file not found: FAILED");
    EXPECT_EQ(backend.boxes()[0].style, MB_ICONSTOP);
    EXPECT_EQ(GameMode, 0u);
    EXPECT_FALSE(DisplayHasSurfaces());
    // Nothing draws after it.
    EXPECT_FALSE(BeginFrame());
    ShowStatusText("after", nullptr);
    EXPECT_EQ(FatalErrorMessage(), "file not found: FAILED");
}

TEST_F(StartupTest, SurfacesThatCannotBeMadeAgainAreReportedAndEndTheGame) {
    test::WorkingDirectory data(kData);
    ASSERT_EQ(InitWindow(), 1);
    InitGame();
    ASSERT_FALSE(FatalErrorRaised());
    DisplayClose();  // the device is gone
    EXPECT_FALSE(RecreateSurfaces());
    ASSERT_EQ(backend.boxes().size(), 1u);
    EXPECT_EQ(backend.boxes()[0].title, "Kestrivon");
    EXPECT_EQ(backend.boxes()[0].text, "DirectDraw Init FAILED. Error:130");
    EXPECT_TRUE(FatalErrorRaised());
    EXPECT_EQ(GameMode, 0u);
    EXPECT_FALSE(IsWindow(MainWindow));
    EXPECT_FALSE(BeginFrame());
}

TEST_F(StartupTest, AMissingPaletteEndsTheStartBeforeAnythingElseRuns) {
    const test::ScratchDir empty;
    std::filesystem::create_directories(empty.path() / "graphs");
    const test::WorkingDirectory here(empty.path());
    EXPECT_EQ(WinMain(), kFailureExitCode) << "a failure, not a normal end";
    ASSERT_EQ(backend.boxes().size(), 1u);
    EXPECT_EQ(backend.boxes()[0].text, "graphs\\farben.pal not found!");
    EXPECT_EQ(backend.boxes()[0].title, "Error in Kestrivon");
    EXPECT_TRUE(backend.frames().empty()) << "no status text";
    EXPECT_FALSE(std::filesystem::exists(empty.path() / "graphs" / "ttable20.dat"))
        << "no blend table was made";
    EXPECT_TRUE(backend.videoDevice().opened().empty()) << "no video either";
    EXPECT_FALSE(backend.windowOpen());
    EXPECT_EQ(WorkBuffer, nullptr);
}

TEST_F(StartupTest, ActivationFreesAndRecentresTheCursor) {
    ASSERT_EQ(InitWindow(), 1);
    SendMessage(MainWindow, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(AppActive, 0u);
    Rect clip;
    EXPECT_FALSE(GetClipCursor(clip));
    EXPECT_FALSE(backend.cursorGrabbed());
    MouseX = 7;
    SendMessage(MainWindow, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(AppActive, 1u);
    ASSERT_TRUE(GetClipCursor(clip));
    EXPECT_EQ(clip, (Rect{21, 21, 779, 579}));
    EXPECT_EQ(backend.warpX(), 400);
    EXPECT_EQ(backend.warpY(), 300);
    EXPECT_EQ(MouseX, 400);
    EXPECT_EQ(MouseY, 300);
    DestroyWindow(MainWindow);
}

TEST_F(StartupTest, StatusTextSetsOnlyEntriesZeroAndTwoFiftyFive) {
    ASSERT_EQ(InitWindow(), 1);
    CreateGameFonts();
    GamePalette p{};
    for (int i = 0; i < 768; ++i) p[i] = static_cast<std::uint8_t>(i % 64);
    SetPalette(p);
    ShowStatusText("Spielstand wird geladen...", nullptr);
    HardwarePalette hw{};
    DisplayGetPaletteEntries(0, hw);
    EXPECT_EQ(hw[0], (PaletteEntry{0, 0, 0, 0}));
    EXPECT_EQ(hw[255], (PaletteEntry{252, 252, 252, 0}));
    EXPECT_EQ(hw[1].r, static_cast<std::uint8_t>(p[3] * 4));
    EXPECT_EQ(hw[254].b, static_cast<std::uint8_t>(p[254 * 3 + 2] * 4));
    const int oneLine = WhitePixelsNear(backend.frames().back(), 400, 340);
    EXPECT_EQ(oneLine, 0) << "no second line";
    ShowStatusText("Bitte warten...", "Staudamm gebrochen!");
    EXPECT_GT(WhitePixelsNear(backend.frames().back(), 400, 340), 50);
    DeleteGameFonts();
    DestroyWindow(MainWindow);
}

TEST_F(StartupTest, LostSurfacesAreRecreatedWithThePaletteAttached) {
    ASSERT_EQ(InitWindow(), 1);
    SetPaletteEntry(5, 63, 0, 0);
    DisplaySimulateLoss(false, true);  // only the back buffer
    ASSERT_TRUE(BeginFrame());
    EXPECT_EQ(DisplayIsLost(SurfaceId::Primary), DD_OK);
    EXPECT_TRUE(DisplayPaletteAttached());
    DrawTarget[0] = 5;
    EndFrame();
    EXPECT_EQ(backend.frames().back().palette[5], (PaletteEntry{252, 0, 0, 0}));
    DestroyWindow(MainWindow);
}

TEST(AllocOrDie, ZeroBytesGetsABlock) {
    void* p = AllocOrDie(0);
    ASSERT_NE(p, nullptr);
    static_cast<char*>(p)[0] = 1;
    std::free(p);
}

TEST(AllocOrDieDeathTest, ExhaustedMemoryShowsTheSystemBoxAndExitsWithOne) {
    HeadlessBackend backend;
    SetBackend(&backend);
    EXPECT_EXIT(
        {
            FailNextAllocation();
            AllocOrDie(480000);
        },
        ::testing::ExitedWithCode(1),
        "Systemfehler: 480000 Byte an Speicher konnten nicht reserviert werden.\nDas Programm wird "
        "beendet.\n\n");
#if !defined(__SANITIZE_ADDRESS__)
    // The sanitizer brings its own operator new, which ends the process its own way.
    EXPECT_EXIT(
        {
            volatile std::size_t huge = std::size_t{1} << 62;
            char* p = new char[huge];
            p[0] = 0;
        },
        ::testing::ExitedWithCode(1), "Systemfehler: 4611686018427387904 Byte");
#endif
    SetBackend(nullptr);
}

}  // namespace
}  // namespace kv
