#include "writers/png_writer.h"

#include <png.h>

#include <cstring>
#include <vector>

namespace kv::sampledata {

bool WritePng(const Canvas& canvas, const GamePalette& palette, const std::string& path) {
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(canvas.width()) * canvas.height() * 4);
    std::size_t at = 0;
    for (const std::uint8_t index : canvas.pixels()) {
        // Palette components are 0..63.
        for (int k = 0; k < 3; ++k) {
            const int c = palette[static_cast<std::size_t>(index) * 3 + k];
            rgba[at++] = static_cast<std::uint8_t>(c * 255 / 63);
        }
        rgba[at++] = index == 0 ? 0 : 255;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(canvas.width());
    image.height = static_cast<png_uint_32>(canvas.height());
    image.format = PNG_FORMAT_RGBA;
    const bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

}  // namespace kv::sampledata
