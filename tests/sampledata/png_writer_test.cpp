// The PNG writer of the desktop icon: read back by libpng, pixel for pixel as typed from the
// palette.

#include "writers/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "support/headless_test.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {
namespace {

std::vector<std::uint8_t> ReadRgba(const std::string& path, int& width, int& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return {};
    image.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr) != 0;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    png_image_free(&image);
    return ok ? rgba : std::vector<std::uint8_t>{};
}

TEST(PngWriter, ColourZeroIsTransparentAndTheOthersAreThePalettesScaledTo255) {
    const test::ScratchDir dir;
    Canvas c(2, 2);
    c.set(1, 0, 10);   // the fire brigade's red (52, 6, 4)
    c.set(0, 1, 255);  // the selection frames' white (61, 61, 61)
    c.set(1, 1, 9);    // the first blue light (16, 24, 63)
    ASSERT_TRUE(WritePng(c, MakeSamplePalette(), dir / "fixture.png"));
    int width = 0;
    int height = 0;
    const std::vector<std::uint8_t> rgba = ReadRgba(dir / "fixture.png", width, height);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(height, 2);
    // Each 0..63 component times 255 / 63, rounded down; alpha 0 only for colour 0.
    const std::vector<std::uint8_t> typed = {
        0,   0,   0,   0,   210, 24, 16,  255,  //
        246, 246, 246, 255, 64,  97, 255, 255,
    };
    EXPECT_EQ(rgba, typed);
}

}  // namespace
}  // namespace kv::sampledata
