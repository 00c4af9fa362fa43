#include "platform/display.h"

#include <gtest/gtest.h>

#include <png.h>

#include <cstdio>

#include "platform/text.h"
#include "platform/window.h"
#include "support/headless_test.h"

namespace kv {
namespace {

LResult Proc(WindowHandle w, std::uint32_t m, WParam wp, LParam lp) {
    return DefWindowProc(w, m, wp, lp);
}

class DisplayTest : public test::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        RegisterWindowClass("D", Proc);
        ASSERT_NE(CreateWindow("D", "d"), 0u);
        ASSERT_EQ(DisplayOpen(), DD_OK);
        ASSERT_EQ(DisplaySetMode(800, 600, 8), DD_OK);
        ASSERT_EQ(DisplayCreateSurfaces(), DD_OK);
        ASSERT_EQ(DisplayCreatePalette(), DD_OK);
        ASSERT_EQ(DisplayAttachPalette(), DD_OK);
    }
};

TEST_F(DisplayTest, EveryFlipKeepsTheFrameAndItsPalette) {
    LockedSurface s;
    ASSERT_EQ(DisplayLock(SurfaceId::Back, s), DD_OK);
    EXPECT_GT(s.pitch, 800u);
    EXPECT_EQ(DisplayLock(SurfaceId::Back, s), DDERR_SURFACEBUSY);
    s.pixels[0] = 1;
    s.pixels[599 * s.pitch + 799] = 2;
    EXPECT_EQ(DisplayFlip(), DDERR_SURFACEBUSY) << "no flip while locked";
    ASSERT_EQ(DisplayUnlock(SurfaceId::Back), DD_OK);
    const PaletteEntry red{252, 0, 0, 0};
    DisplaySetPaletteEntries(1, std::span(&red, 1));
    ASSERT_EQ(DisplayFlip(), DD_OK);
    ASSERT_EQ(backend.frames().size(), 1u);
    const auto& f = backend.frames()[0];
    EXPECT_EQ(f.width, 800);
    EXPECT_EQ(f.at(0, 0), 1);
    EXPECT_EQ(f.at(799, 599), 2);
    EXPECT_EQ(f.palette[1], red);
    EXPECT_EQ(backend.displayModes(), std::vector<std::string>{"800x600x8"});
}

TEST_F(DisplayTest, LostSurfacesRefuseLockAndFlipUntilRecreated) {
    DisplaySimulateLoss(false, true);
    EXPECT_EQ(DisplayIsLost(SurfaceId::Primary), DD_OK);
    EXPECT_EQ(DisplayIsLost(SurfaceId::Back), DDERR_SURFACELOST);
    LockedSurface s;
    EXPECT_EQ(DisplayLock(SurfaceId::Back, s), DDERR_SURFACELOST);
    EXPECT_EQ(DisplayFlip(), DDERR_SURFACELOST);
    DisplayReleaseSurfaces();
    EXPECT_FALSE(DisplayPaletteAttached()) << "a palette must be attached to the new primary";
    ASSERT_EQ(DisplayCreateSurfaces(), DD_OK);
    EXPECT_EQ(DisplayLock(SurfaceId::Back, s), DD_OK);
}

TEST_F(DisplayTest, ADeviceContextHoldsTheSurfaceLockedWhileItLives) {
    LockedSurface s;
    {
        DisplayDC dc(SurfaceId::Primary);
        ASSERT_TRUE(dc);
        EXPECT_FALSE(DisplayDC(SurfaceId::Primary));
        EXPECT_EQ(DisplayLock(SurfaceId::Primary, s), DDERR_SURFACEBUSY)
            << "the refused one let go of nothing";
    }
    ASSERT_EQ(DisplayLock(SurfaceId::Primary, s), DD_OK) << "unlocked at its end";
    ASSERT_EQ(DisplayUnlock(SurfaceId::Primary), DD_OK);
    DisplaySimulateLoss(true, false);
    EXPECT_FALSE(DisplayDC(SurfaceId::Primary));
}

TEST_F(DisplayTest, OnlyKnownModes) {
    EXPECT_EQ(DisplaySetMode(1024, 768, 32), DDERR_INVALIDMODE);
    EXPECT_EQ(DisplaySetMode(640, 480, 16), DD_OK);
    backend.failDisplayMode(true);
    EXPECT_NE(DisplaySetMode(800, 600, 8), DD_OK);
}

TEST_F(DisplayTest, FramesAreWrittenAsPalettedPng) {
    LockedSurface s;
    ASSERT_EQ(DisplayLock(SurfaceId::Back, s), DD_OK);
    s.pixels[5 * s.pitch + 7] = 3;
    DisplayUnlock(SurfaceId::Back);
    DisplayFlip();
    test::ScratchDir dir;
    const std::string path = dir / "frame.png";
    ASSERT_TRUE(WriteFramePng(backend.frames().back(), path));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
    EXPECT_EQ(image.width, 800u);
    EXPECT_EQ(image.height, 600u);
    EXPECT_TRUE(image.format & PNG_FORMAT_FLAG_COLORMAP);
    png_image_free(&image);
}

}  // namespace
}  // namespace kv
