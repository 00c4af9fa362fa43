// The picture formats, each typed by hand from its layout table and read by the game's own
// loader, field by field.

#include <gtest/gtest.h>

#include <vector>

#include "core/fatal_error.h"
#include "gfx/blend_tables.h"
#include "gfx/image_files.h"
#include "gfx/screen_animation.h"
#include "platform/system.h"
#include "support/golden_bytes.h"
#include "support/headless_test.h"

namespace kv {
namespace {

using test::GoldenBytes;
using Bytes = std::vector<std::uint8_t>;

Bytes Pixels(const std::uint8_t* p, std::size_t n) {
    return Bytes(p, p + n);
}

TEST(PictureGolden, ImageSetOfSharedSize) {
    GoldenBytes vff;
    vff.at(0).bytes({0x82});                                    // type 2, bit 7 ignored
    vff.at(1).bytes({0x02, 0x00});                              // two frames
    vff.at(3).bytes({0x03, 0x00, 0x02, 0x00});                  // each 3 x 2
    vff.at(7).bytes({0x03, 0x00, 0x00, 0x00});                  // frame 0: 3 packed bytes
    vff.at(11).bytes({0x09, 0x00, 0x00, 0x00});                 // frame 1: 9
    vff.at(15).bytes({0x85, 0x07, 0x00});                       // six times 7
    vff.at(18).bytes({0x03, 1, 2, 3, 0x81, 9, 0x80, 4, 0x00});  // 1 2 3, two 9s, one 4
    vff.at(27);

    VffImage* set = LoadVffFromBytes(vff);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(FrameCount(set), 2u);
    for (int f = 0; f < 2; ++f) {
        EXPECT_EQ(set[f].width, 3) << f;
        EXPECT_EQ(set[f].height, 2) << f;
    }
    EXPECT_EQ(Pixels(set[0].pixels, 6), Bytes(6, 7));
    EXPECT_EQ(Pixels(set[1].pixels, 6), (Bytes{1, 2, 3, 9, 9, 4}));
    FreeVff(set);
}

TEST(PictureGolden, ImageSetOfOwnSizes) {
    GoldenBytes vff;
    vff.at(0).bytes({0x03});                                             // type 3
    vff.at(1).bytes({0x02, 0x00});                                       // two frames
    vff.at(3).bytes({0x02, 0x00, 0x01, 0x00, 0x04, 0x00, 0x00, 0x00});   // 2 x 1, 4 bytes
    vff.at(11).bytes({0x01, 0x00, 0x03, 0x00, 0x05, 0x00, 0x00, 0x00});  // 1 x 3, 5 bytes
    vff.at(19).bytes({0x02, 5, 6, 0x00});                                // 5 6
    vff.at(23).bytes({0x81, 8, 0x80, 9, 0x00});                          // 8 8 9
    vff.at(28);

    VffImage* set = LoadVffFromBytes(vff);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(FrameCount(set), 2u);
    EXPECT_EQ(set[0].width, 2);
    EXPECT_EQ(set[0].height, 1);
    EXPECT_EQ(Pixels(set[0].pixels, 2), (Bytes{5, 6}));
    EXPECT_EQ(set[1].width, 1);
    EXPECT_EQ(set[1].height, 3);
    EXPECT_EQ(Pixels(set[1].pixels, 3), (Bytes{8, 8, 9}));
    FreeVff(set);
}

GoldenBytes SpriteSequence() {
    GoldenBytes aff;
    aff.at(0).bytes({0x02, 0x00});  // two frames
    // Frame 0: dx -3, dy 4, 2 x 2, 3 packed bytes, 100 ms.
    aff.at(2).bytes(
        {0xFD, 0xFF, 0x04, 0x00, 0x02, 0x00, 0x02, 0x00, 0x03, 0x00, 0x00, 0x00, 0x64, 0x00});
    // Frame 1: dx 5, dy -6, 3 x 1, 5 packed bytes, no delay.
    aff.at(16).bytes(
        {0x05, 0x00, 0xFA, 0xFF, 0x03, 0x00, 0x01, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00});
    aff.at(30).bytes({0x83, 1, 0x00});        // four times 1
    aff.at(33).bytes({0x03, 7, 8, 9, 0x00});  // 7 8 9
    aff.at(38);
    return aff;
}

TEST(PictureGolden, SpriteSequence) {
    const GoldenBytes aff = SpriteSequence();
    FrameSet* set = LoadAffFromBytes(aff);
    ASSERT_NE(set, nullptr);
    ASSERT_EQ(FrameCount(set), 2u);
    EXPECT_EQ(set[0].dx, -3);
    EXPECT_EQ(set[0].dy, 4);
    EXPECT_EQ(set[0].width, 2);
    EXPECT_EQ(set[0].height, 2);
    EXPECT_EQ(Pixels(set[0].pixels, 4), Bytes(4, 1));
    EXPECT_EQ(set[1].dx, 5);
    EXPECT_EQ(set[1].dy, -6);
    EXPECT_EQ(set[1].width, 3);
    EXPECT_EQ(set[1].height, 1);
    EXPECT_EQ(Pixels(set[1].pixels, 3), (Bytes{7, 8, 9}));
    FreeFrameSet(set);
}

class PictureGoldenFiles : public test::HeadlessTest {
  protected:
    void TearDown() override {
        FreeAnimation();
        test::HeadlessTest::TearDown();
    }
    test::ScratchDir dir;
    test::WorkingDirectory here{dir.path()};
};

TEST_F(PictureGoldenFiles, SpriteSequencePlayedAsAnAnimation) {
    dir.write("ani.aff", SpriteSequence().str());
    LoadAnimation("ani.aff", false);
    ASSERT_FALSE(FatalErrorRaised());
    constexpr int kPitch = 12;
    Bytes screen(kPitch * 12);
    backend.setTicks(1000);
    StepAnimation(4, 6, screen, kPitch, 1);
    // Frame 0 at (4 - 3, 6 + 4), two rows of two.
    EXPECT_EQ(screen[10 * kPitch + 1], 1);
    EXPECT_EQ(screen[11 * kPitch + 2], 1);
    backend.advance(100);
    StepAnimation(4, 6, screen, kPitch, 1);
    EXPECT_EQ(screen[0 * kPitch + 9], 0) << "frame 0 stays its 100 ms";
    backend.advance(1);
    StepAnimation(4, 6, screen, kPitch, 1);
    // Frame 1 at (4 + 5, 6 - 6).
    EXPECT_EQ(Pixels(&screen[0 * kPitch + 9], 3), (Bytes{7, 8, 9}));
}

TEST(PictureGolden, FullScreenPicture) {
    GoldenBytes cff;
    cff.at(0).bytes({0x44, 0x33, 0x22, 0x11});  // not used
    cff.at(4).bytes({0x88, 0x77, 0x66, 0x55});  // not used
    cff.at(8).bytes({0x85, 0x0C, 0x00});        // six pixels of 12
    cff.at(11).bytes({1, 2, 3, 63, 0, 31});     // palette entries 0 and 1
    cff.zeros(253 * 3);
    cff.at(11 + 255 * 3).bytes({10, 20, 30});  // entry 255
    cff.at(11 + 768);

    Bytes picture(6);
    GamePalette palette{};
    ASSERT_TRUE(LoadCffFromBytes(cff, &palette, picture));
    EXPECT_EQ(picture, Bytes(6, 12));
    EXPECT_EQ(Pixels(palette.data(), 6), (Bytes{1, 2, 3, 63, 0, 31}));
    EXPECT_EQ(palette[6], 0);
    EXPECT_EQ(Pixels(palette.data() + 765, 3), (Bytes{10, 20, 30}));
}

TEST_F(PictureGoldenFiles, Palette) {
    GoldenBytes pal;
    pal.at(0).bytes({1, 2, 3, 63, 0, 31});  // entries 0 and 1
    pal.zeros(253 * 3);
    pal.at(255 * 3).bytes({10, 20, 30});  // entry 255
    pal.at(768);
    dir.write("graphs/farben.pal", pal.str());

    GamePalette read{};
    ASSERT_TRUE(ReadWholeFile("graphs\\farben.pal", read));
    EXPECT_EQ(Bytes(read.begin(), read.end()), pal.data());
}

TEST_F(PictureGoldenFiles, BlendTableCache) {
    GoldenBytes cache;
    cache.at(0).bytes({0x14, 0x00});  // made for 20 %
    // The table in index order, entry a x 256 + b.
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) cache.bytes({static_cast<std::uint8_t>(a ^ (b * 3))});
    cache.at(2 + 65536);
    dir.write("graphs/ttable20.dat", cache.str());

    Palette.fill(0);
    LoadTransTable20();
    EXPECT_EQ(BlendTable20[0x0000], 0);
    EXPECT_EQ(BlendTable20[0x0102], 1 ^ 6);
    EXPECT_EQ(BlendTable20[0xFF01], 0xFF ^ 3);
    EXPECT_EQ(Bytes(BlendTable20.begin(), BlendTable20.end()),
              Bytes(cache.data().begin() + 2, cache.data().end()));
}

}  // namespace
}  // namespace kv
