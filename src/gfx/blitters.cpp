#include "gfx/blitters.h"

#include <cstring>

#include "gfx/frame_buffer.h"

namespace kv {

void BlitToBackBuffer(const std::uint8_t* src, int x, int y, int w, int h) {
    std::uint8_t* dst = DrawTarget + x + static_cast<std::ptrdiff_t>(y) * DrawPitch;
    for (int row = 0; row < h; ++row)
        std::memcpy(dst + static_cast<std::ptrdiff_t>(row) * DrawPitch,
                    src + static_cast<std::ptrdiff_t>(row) * w, static_cast<std::size_t>(w));
}

void ClearRect8(std::uint8_t* dst, std::uint32_t pitch, int w, int h) {
    // Whole words only: the last w mod 4 pixels of a row stay as they are.
    const std::size_t bytes = static_cast<std::size_t>(w / 4) * 4;
    for (int row = 0; row < h; ++row)
        std::memset(dst + static_cast<std::size_t>(row) * pitch, 0, bytes);
}

}  // namespace kv
