// The palette and the start picture of the generated data set, and the canvas they are drawn on.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "gfx/frame_buffer.h"
#include "gfx/image_files.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "screens/options.h"
#include "support/run_tile_decode.h"
#include "world/tile_set.h"
#include "writers/canvas.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {
namespace {

const std::string kData = KV_SAMPLEDATA_DIR;

TEST(SampleData, HoldsThePaletteAndTheStartPicture) {
    GamePalette palette{};
    ASSERT_TRUE(ReadWholeFile(kData + "/graphs/farben.pal", palette));
    EXPECT_EQ(palette, MakeSamplePalette());

    std::vector<std::uint8_t> screen(kWorkBufferSize);
    GamePalette picturePalette{};
    ASSERT_TRUE(LoadCff(kData + "/graphs/d/start.cff", &picturePalette, screen));
    EXPECT_EQ(picturePalette, palette);
    EXPECT_GT(std::set<std::uint8_t>(screen.begin(), screen.end()).size(), 20u)
        << "a picture, not a blank";
}

// The options panel covers the world view up to its right edge, so no strip of the screen behind
// shows beside it.
TEST(SampleData, TheOptionsPanelReachesTheViewsRightEdge) {
    VffImage* options = LoadVff(kData + "/graphs/d/options.vff");
    ASSERT_NE(options, nullptr);
    const VffImage& panel = options[kOptionsPanelFrame];
    EXPECT_EQ(kOptionsFramePos[kOptionsPanelFrame].x + panel.width, 640);
    for (int y = 0; y < panel.height; ++y)
        EXPECT_NE(panel.pixels[y * panel.width + panel.width - 1], 0) << y;
    FreeVff(options);
}

// A wood or field cell put out while fuel is left shows its tile's fire image: a sooted look
// with no flame in it, unlike the frames of its fire.
TEST(SampleTiles, ACellPutOutShowsNoFlames) {
    const auto bytes = ReadFileBytes(kData + "/missions/mi02.dat");
    ASSERT_TRUE(bytes.has_value());
    ByteReader in(*bytes);
    TileSetData set;
    ASSERT_TRUE(ReadTileSetData(in, set));
    const auto flame = [](std::uint8_t c) {
        return (c >= pal::kFire.first && c < pal::kFire.first + pal::kFire.count) ||
               (c >= pal::kFlameTip.first && c < pal::kFlameTip.first + pal::kFlameTip.count);
    };
    int burnable = 0;
    for (const TileTyp& t : set.tiles) {
        if (t.animA.flag != kAnimFire) continue;
        ++burnable;
        const auto count = [&](std::uint16_t image) {
            const RunImage& r = set.images[image];
            const auto px = test::DecodeRunTile(r.data, r.height);
            return std::count_if(px.begin(), px.end(), flame);
        };
        EXPECT_EQ(count(t.fireImage), 0) << "fire image " << t.fireImage;
        EXPECT_GT(count(t.animA.first), 0) << "a fire frame " << t.animA.first;
    }
    EXPECT_GE(burnable, 3);
}

TEST(SamplePalette, GameColoursAreDistinctAndComponentsSixBit) {
    const GamePalette p = MakeSamplePalette();
    auto rgb = [&](int i) { return std::vector<int>{p[i * 3], p[i * 3 + 1], p[i * 3 + 2]}; };
    EXPECT_EQ(rgb(0), (std::vector<int>{0, 0, 0}));
    for (int c : rgb(255)) EXPECT_GE(c, 56) << "255 is near-white";
    for (std::uint8_t c : p) EXPECT_LE(c, 63);
    // The colours the game draws marks and frames with must tell apart on the screen.
    std::set<std::vector<int>> marks;
    for (int i : {pal::kLeaderMark.first, pal::kUnderSelection.first, pal::kOtherCrewMark.first,
                  pal::kFireCrewMark.first, pal::kGroupMark.first, pal::kMapVehicleDot.first,
                  pal::kWhite.first, pal::kBlueLight1.first})
        marks.insert(rgb(i));
    EXPECT_EQ(marks.size(), 8u);
}

TEST(Canvas, ClipsEverythingToItself) {
    Canvas c(10, 8);
    c.fillRect(-5, -5, 8, 8, 3);
    c.text(8, -100, "W", 40, 6);  // its left stroke covers columns 8 and 9
    c.line(-20, 4, 30, 4, 4);
    c.fillCircle(9, 7, 2, 5);
    EXPECT_EQ(c.at(2, 2), 3);
    EXPECT_EQ(c.at(3, 3), 0);
    EXPECT_EQ(c.at(8, 0), 6);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(c.at(x, 4), 4) << x;
    EXPECT_EQ(c.at(9, 7), 5);
    EXPECT_EQ(c.at(-1, 0), 0);
    EXPECT_EQ(c.pixels().size(), 80u);
}

TEST(Canvas, TextFitsItsMeasuredBox) {
    const std::string text =
        "\xC4"
        "1?";  // Windows-1252 A umlaut
    const int w = Canvas::textWidth(text, 3);
    const int h = Canvas::textHeight(3);
    EXPECT_EQ(w, (3 * 6 - 1) * 3);
    Canvas c(w + 4, h + 4);
    c.text(2, 2, text, 3, 9);
    int inked = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y) != 0) {
                ++inked;
                EXPECT_TRUE(x >= 2 && x < 2 + w && y >= 2 && y < 2 + h) << x << "," << y;
            }
    EXPECT_GT(inked, 0);
    EXPECT_EQ(c.at(2, 2 + 3 * 3), 9) << "the umlaut's letter has its left stroke";
}

}  // namespace
}  // namespace kv::sampledata
