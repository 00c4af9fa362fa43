#include "gfx/palette.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/startup.h"
#include "core/fatal_error.h"
#include "core/main_window.h"
#include "platform/display.h"
#include "platform/window.h"
#include "support/headless_test.h"
#include "writers/image_writers.h"
#include "writers/output_tree.h"

namespace kv {
namespace {

class PaletteTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        test::HeadlessTest::SetUp();
        ASSERT_EQ(InitWindow(), 1);
    }
    void TearDown() override {
        if (MainWindow != 0) DestroyWindow(MainWindow);
        test::HeadlessTest::TearDown();
    }
    HardwarePalette hardware() {
        HardwarePalette hw{};
        DisplayGetPaletteEntries(0, hw);
        return hw;
    }
};

// Every component value 0..63 occurs, among them the 63 that shows as 252.
GamePalette Ramp() {
    GamePalette p{};
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::uint8_t>((i * 7) % 64);
    p[300] = 63;
    return p;
}

TEST_F(PaletteTest, LoadFarbenPalSetsTheBlueLightsToTheirStartColour) {
    const test::ScratchDir dir;
    const test::WorkingDirectory here(dir.path());
    GamePalette file = Ramp();
    ASSERT_TRUE(sampledata::OutputTree(dir.path().string())
                    .write("graphs\\farben.pal", sampledata::MakePal(file)));
    LoadFarbenPal();
    EXPECT_FALSE(FatalErrorRaised());
    for (int entry : {9, 163}) {
        file[entry * 3] = 0;
        file[entry * 3 + 1] = 0;
        file[entry * 3 + 2] = 43;
    }
    EXPECT_EQ(Palette, file);
}

TEST_F(PaletteTest, AMissingOrShortPaletteFileIsFatal) {
    const test::ScratchDir dir;
    const test::WorkingDirectory here(dir.path());
    dir.write("graphs/farben.pal", std::string(767, '\1'));
    Palette.fill(5);
    LoadFarbenPal();
    EXPECT_EQ(FatalErrorMessage(), "graphs\\farben.pal not found!");
    EXPECT_EQ(Palette[0], 5) << "left as it was";
}

TEST_F(PaletteTest, SetPaletteEntryKeepsEightBits) {
    SetPaletteEntry(7, 255, 63, 1);
    EXPECT_EQ(hardware()[7], (PaletteEntry{252, 252, 4, 0}));
}

TEST_F(PaletteTest, FadeInEndsExactlyOnThePaletteAfterThirtyTwoUpdates) {
    const GamePalette target = Ramp();
    SetBlackPalette();
    const int changes = backend.paletteChanges();
    const int blanks = backend.verticalBlanks();
    FadePaletteIn(target);
    EXPECT_EQ(backend.paletteChanges() - changes, 32);
    EXPECT_EQ(backend.verticalBlanks() - blanks, 32);
    const HardwarePalette hw = hardware();
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry want{static_cast<std::uint8_t>(target[i * 3] * 4),
                                static_cast<std::uint8_t>(target[i * 3 + 1] * 4),
                                static_cast<std::uint8_t>(target[i * 3 + 2] * 4), 1};
        ASSERT_EQ(hw[i], want) << "entry " << i;
    }
    EXPECT_EQ(hw[100].r, 252);
}

TEST_F(PaletteTest, FadeOutReachesBlackAndPassesEvenlyThroughTheMiddle) {
    GamePalette full{};
    full.fill(63);
    SetPalette(full);
    SetPaletteEntry(1, 32, 16, 0);
    const int changes = backend.paletteChanges();
    FadePaletteOut();
    EXPECT_EQ(backend.paletteChanges() - changes, 32);
    const HardwarePalette hw = hardware();
    for (const PaletteEntry& e : hw) ASSERT_EQ(e, (PaletteEntry{0, 0, 0, 0}));
}

// Keeps every palette the display is given.
struct RecordingBackend : HeadlessBackend {
    void paletteChanged(const HardwarePalette& palette) override {
        seen.push_back(palette);
        HeadlessBackend::paletteChanged(palette);
    }
    std::vector<HardwarePalette> seen;
};

TEST_F(PaletteTest, FadesMoveEvenlyInBothDirections) {
    GamePalette full{};
    full.fill(63);
    SetBlackPalette();
    RecordingBackend recorder;
    SetBackend(&recorder);
    FadePaletteIn(full);
    FadePaletteOut();
    SetBackend(&backend);
    ASSERT_EQ(recorder.seen.size(), 64u);
    // 252 spread over 256 steps and shown every 8th: each update moves by 7 or 8.
    int last = 0;
    for (std::size_t i = 0; i < recorder.seen.size(); ++i) {
        const int now = recorder.seen[i][200].g;
        const int move = i < 32 ? now - last : last - now;
        EXPECT_TRUE(move == 7 || move == 8) << "update " << i << " moved by " << move;
        last = now;
    }
    EXPECT_EQ(recorder.seen[31][200].g, 252);
    EXPECT_EQ(recorder.seen[63][200].g, 0);
}

TEST_F(PaletteTest, FadesDoNothingWithoutADisplayPalette) {
    DestroyWindow(MainWindow);
    MainWindow = 0;
    const int blanks = backend.verticalBlanks();
    FadePaletteIn(Ramp());
    FadePaletteOut();
    EXPECT_EQ(backend.verticalBlanks(), blanks);
}

}  // namespace
}  // namespace kv
