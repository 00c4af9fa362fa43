// The mission screen's pictures in the generated data set, loaded as the mission start loads them.

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

#include "gfx/image_files.h"
#include "mission/panel_pictures.h"
#include "mission/pause.h"
#include "platform/sdl/avi_decoder.h"
#include "support/headless_test.h"
#include "vehicles/fahrzeug_sprite_table.h"
#include "world/level_map.h"
#include "writers/sample_palette.h"

namespace kv {
namespace {

class SampleMissionScreen : public test::HeadlessTest {
  protected:
    void TearDown() override {
        FreePanelPictures();
        FreeMapWege();
        HeadlessTest::TearDown();
    }
    test::WorkingDirectory data{KV_SAMPLEDATA_DIR};
};

TEST_F(SampleMissionScreen, HoldsEveryPanelPictureWithTheFramesThePanelsDraw) {
    ASSERT_TRUE(LoadPanelPictures(1));
    EXPECT_EQ(FrameCount(MaskeImages), 2u);
    EXPECT_EQ(MaskeImages[0].width + 640, 800) << "the right panel reaches the screen's edge";
    EXPECT_EQ(MaskeImages[1].height + 480, 600);
    EXPECT_EQ(FrameCount(MausImages), 34u);
    EXPECT_EQ(FrameCount(ButsImages), 3u);
    EXPECT_EQ(FrameCount(AbdeckImages), 3u);
    EXPECT_EQ(FrameCount(ZBalkenImages), 2u);
    EXPECT_EQ(FrameCount(MapButDownImages), 1u);
    EXPECT_EQ(FrameCount(OptionsButDownImages), 1u);

    // A picture for every panel picture number of a type, and for mission 3's marked person.
    std::size_t needed = 47;
    for (const FahrzeugTypRow& s : kFahrzeugTypRows)
        needed = std::max<std::size_t>(needed, s.panelPicture + 1u);
    EXPECT_GE(FrameCount(MaskPicsImages), needed);

    // The campaign map's road of base 0 starts with one pixel of its start colour.
    ASSERT_EQ(FrameCount(MapWegeImages), 1u);
    const VffImage& roads = MapWegeImages[0];
    ASSERT_EQ(roads.width, 800);
    ASSERT_EQ(roads.height, 600);
    const std::uint8_t* begin = roads.pixels;
    const std::uint8_t* end = begin + 800 * 600;
    EXPECT_EQ(std::count(begin, end, 16), 1);
    EXPECT_GT(std::count(begin, end, 17), 100);
}

// The map button's label is where a click presses the button, and its pressed look covers that
// place; nothing of a button is left where the panel once drew it.
TEST_F(SampleMissionScreen, TheMapButtonIsDrawnWhereAClickPressesIt) {
    ASSERT_TRUE(LoadPanelPictures(1));
    const VffImage& right = MaskeImages[0];
    auto labelPixels = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = 662; x <= 769; ++x)
                n += right.pixels[(y - 10) * right.width + (x - 640)] ==
                     sampledata::pal::kLightGrey.first;
        return n;
    };
    EXPECT_GT(labelPixels(155, 188), 40) << "KARTE inside the press region";
    EXPECT_EQ(labelPixels(57, 116), 0) << "no label above it";
    EXPECT_EQ(MapButDownImages[0].width, 108);
    EXPECT_EQ(MapButDownImages[0].height, 34);
}

// A cover over an idle command slot (at slot + 3) stays inside the slot's sunken frame and
// draws no frame of its own.
TEST_F(SampleMissionScreen, CommandSlotCoversLieInsideTheSlotFrame) {
    ASSERT_TRUE(LoadPanelPictures(1));
    for (std::size_t k = 0; k < 3; ++k) {
        const VffImage& cover = AbdeckImages[k];
        EXPECT_LE(3 + cover.width, 104 - 2) << k;
        EXPECT_LE(3 + cover.height, 77 - 2) << k;
        const std::uint8_t* begin = cover.pixels;
        const std::uint8_t* end = begin + cover.width * cover.height;
        EXPECT_EQ(std::count(begin, end, sampledata::pal::kPanel[0]), 0) << k;
        EXPECT_EQ(std::count(begin, end, sampledata::pal::kPanel[7]), 0) << k;
    }
}

// A staff type's panel picture shows a person in its service's colours, not a caption.
TEST_F(SampleMissionScreen, StaffPicturesShowTheirService) {
    ASSERT_TRUE(LoadPanelPictures(1));
    namespace pal = sampledata::pal;
    const struct {
        std::size_t picture;
        sampledata::PaletteRamp colours;
    } cases[] = {{8, pal::kPoliceRamp},
                 {9, pal::kFireBrigadeRamp},
                 {10, pal::kTechnicalRamp},
                 {12, pal::kMedicRamp}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picture);
        const VffImage& p = MaskPicsImages[c.picture];
        const std::uint8_t* begin = p.pixels;
        const std::uint8_t* end = begin + p.width * p.height;
        const auto service = std::count_if(begin, end, [&](std::uint8_t v) {
            return v >= c.colours.first && v < c.colours.first + c.colours.count;
        });
        EXPECT_GT(service, 100);
        EXPECT_EQ(std::count(begin, end, pal::kWhite.first), 0) << "no caption";
    }
}

TEST_F(SampleMissionScreen, ThePieceMaskMarksTheShearedCell) {
    ASSERT_TRUE(LoadPanelPictures(1));
    const VffImage& mask = PieceMaskImages[0];
    ASSERT_EQ(mask.width, 48);
    ASSERT_EQ(mask.height, kCellHeight);
    for (int t = 0; t < kCellHeight; ++t)
        for (int x = 0; x < 48; ++x) {
            // The cell's line t begins 16 - shear pixels into its box and is 32 pixels long.
            const bool own = x >= 16 - RowShear[t] && x < 48 - RowShear[t];
            EXPECT_EQ(mask.pixels[t * 48 + x] != 0, own) << x << ", " << t;
        }
}

// One frame that fits beside the campaign map at x 368: white letters on a box, nothing drawn
// along its rim.
TEST_F(SampleMissionScreen, ThePausePictureFitsFromEitherPlace) {
    VffImage* picture = LoadVff(kPausePicture);
    ASSERT_NE(picture, nullptr);
    ASSERT_EQ(FrameCount(picture), 1u);
    const VffImage& p = picture[0];
    EXPECT_EQ(p.width, 234);
    EXPECT_EQ(p.height, 60);
    const std::uint8_t* begin = p.pixels;
    const std::uint8_t* end = begin + p.width * p.height;
    EXPECT_GT(std::count(begin, end, 255), 300);
    for (int x = 0; x < p.width; ++x)
        EXPECT_EQ(p.pixels[x] | p.pixels[(p.height - 1) * p.width + x], 0);
    for (int y = 0; y < p.height; ++y)
        EXPECT_EQ(p.pixels[y * p.width] | p.pixels[y * p.width + p.width - 1], 0);
    FreeVff(picture);
}

TEST(SampleMissionVideo, MissionOnesOpeningPlaysASecond) {
    AviDecoder decoder;
    ASSERT_TRUE(decoder.open(std::string(KV_SAMPLEDATA_DIR) + "/videos/mi01.avi"));
    int pictures = 0;
    double t = 0;
    while (decoder.nextPicture(t, [](std::span<const std::int16_t>) {})) ++pictures;
    EXPECT_EQ(pictures, 15);
    EXPECT_FALSE(decoder.hasSound());
}

}  // namespace
}  // namespace kv
