#include "gfx/sprite_blits.h"

#include "gfx/blend_tables.h"
#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"

namespace kv {

namespace {

const BlendTable& Selected(std::uint8_t selector) {
    return selector == kBlendSelector20 ? BlendTable20 : BlendTable50;
}

// One loop for the four copies; the mask and the table are either there or not, and the compiler
// makes a loop of each.
template <bool kMasked, bool kBlended>
void CopyRect(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1, int y1, int srcX,
              int srcY, int dstX, int dstY, const std::uint8_t* mask, const BlendTable* table) {
    const int columns = x1 - x0 + 1;
    if (columns <= 0 || y1 < y0) return;
    for (int y = y0; y <= y1; ++y) {
        const std::uint8_t* src =
            pixels + static_cast<std::ptrdiff_t>(srcY + y) * srcWidth + srcX + x0;
        std::uint8_t* dst = PixelAt(DrawTarget, DrawPitch, dstX + x0, dstY + y);
        const std::uint8_t* m = kMasked ? mask + y * kPieceMaskWidth + x0 : nullptr;
        for (int i = 0; i < columns; ++i) {
            const std::uint8_t s = src[i];
            const bool copied = s != 0 && (!kMasked || m[i] != 0);
            if constexpr (kBlended) {
                if (copied) dst[i] = (*table)[static_cast<std::size_t>(s) * 256 + dst[i]];
            } else {
                // Written back unchanged where nothing is copied, so that the loop has no branch.
                dst[i] = copied ? s : dst[i];
            }
        }
    }
}

}  // namespace

void BlitSpriteRect(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1, int y1,
                    int srcX, int srcY, int dstX, int dstY) {
    CopyRect<false, false>(pixels, srcWidth, x0, y0, x1, y1, srcX, srcY, dstX, dstY, nullptr,
                           nullptr);
}

void BlitSpriteRectBlended(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1, int y1,
                           int srcX, int srcY, int dstX, int dstY, std::uint8_t selector) {
    CopyRect<false, true>(pixels, srcWidth, x0, y0, x1, y1, srcX, srcY, dstX, dstY, nullptr,
                          &Selected(selector));
}

void BlitSpriteRectMasked(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1, int y1,
                          int srcX, int srcY, int dstX, int dstY, const std::uint8_t* mask) {
    CopyRect<true, false>(pixels, srcWidth, x0, y0, x1, y1, srcX, srcY, dstX, dstY, mask, nullptr);
}

void BlitSpriteRectMaskedBlended(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1,
                                 int y1, int srcX, int srcY, int dstX, int dstY,
                                 const std::uint8_t* mask, std::uint8_t selector) {
    CopyRect<true, true>(pixels, srcWidth, x0, y0, x1, y1, srcX, srcY, dstX, dstY, mask,
                         &Selected(selector));
}

}  // namespace kv
