#include "gfx/primitives.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "gfx/blitters.h"
#include "gfx/frame_buffer.h"

namespace kv {

namespace {

// Frames: only the edges inside the world view, each cut to it.
template <typename HLine, typename VLine>
void DrawFrame(int x, int y, int w, int h, HLine&& hline, VLine&& vline) {
    const int right = x + w - 1;
    const int bottom = y + h - 1;
    if (right < kWorldView.left || x > kWorldView.right || bottom < kWorldView.top ||
        y > kWorldView.bottom)
        return;
    const int spanLeft = std::max(x, kWorldView.left);
    const int spanRight = std::min(right, kWorldView.right);
    const int spanTop = std::max(y, kWorldView.top);
    const int spanBottom = std::min(bottom, kWorldView.bottom);
    if (y >= kWorldView.top) hline(spanLeft, spanRight, y);
    if (bottom <= kWorldView.bottom) hline(spanLeft, spanRight, bottom);
    if (x >= kWorldView.left) vline(x, spanTop, spanBottom);
    if (right <= kWorldView.right) vline(right, spanTop, spanBottom);
}

void DrawFrameIn(int x, int y, int w, int h, std::uint8_t colour) {
    DrawFrame(
        x, y, w, h,
        [&](int x1, int x2, int row) { DrawHLine8(x1, x2, row, colour, DrawTarget, DrawPitch); },
        [&](int col, int y1, int y2) { DrawVLine8(col, y1, y2, colour, DrawTarget, DrawPitch); });
}

}  // namespace

void DrawHLine8(int x1, int x2, int y, std::uint8_t colour, std::uint8_t* dst,
                std::uint32_t pitch) {
    if (x1 > x2) std::swap(x1, x2);
    std::memset(PixelAt(dst, pitch, x1, y), colour, static_cast<std::size_t>(x2 - x1 + 1));
}

void DrawVLine8(int x, int y1, int y2, std::uint8_t colour, std::uint8_t* dst,
                std::uint32_t pitch) {
    if (y1 > y2) std::swap(y1, y2);
    std::uint8_t* d = PixelAt(dst, pitch, x, y1);
    for (int y = y1; y <= y2; ++y, d += pitch) *d = colour;
}

void DrawHLineUnder(int x1, int x2, int y, std::uint8_t colour, std::uint8_t* dst,
                    std::uint32_t pitch) {
    if (x1 > x2) std::swap(x1, x2);
    std::uint8_t* d = PixelAt(dst, pitch, x1, y);
    for (int x = x1; x <= x2; ++x, ++d)
        if (*d != kSelectionColour) *d = colour;
}

void DrawVLineUnder(int x, int y1, int y2, std::uint8_t colour, std::uint8_t* dst,
                    std::uint32_t pitch) {
    if (y1 > y2) std::swap(y1, y2);
    std::uint8_t* d = PixelAt(dst, pitch, x, y1);
    for (int y = y1; y <= y2; ++y, d += pitch)
        if (*d != kSelectionColour) *d = colour;
}

void DrawSelectionRect(int x, int y, int w, int h) {
    DrawFrameIn(x, y, w, h, kSelectionColour);
}

void DrawRectClipped(int x, int y, int w, int h, std::uint8_t colour) {
    DrawFrameIn(x, y, w, h, colour);
}

void DrawRectUnderSelection(int x, int y, int w, int h) {
    DrawFrame(
        x, y, w, h,
        [](int x1, int x2, int row) {
            DrawHLineUnder(x1, x2, row, kUnderSelectionColour, DrawTarget, DrawPitch);
        },
        [](int col, int y1, int y2) {
            DrawVLineUnder(col, y1, y2, kUnderSelectionColour, DrawTarget, DrawPitch);
        });
}

std::uint8_t GetPixel8(int x, int y) {
    return *PixelAt(DrawTarget, DrawPitch, x, y);
}

void PutPixel8(int x, int y, std::uint8_t colour) {
    *PixelAt(DrawTarget, DrawPitch, x, y) = colour;
}

std::uint8_t GetSurfacePixel8(int x, int y, const std::uint8_t* buffer, std::uint32_t pitch) {
    return *PixelAt(buffer, pitch, x, y);
}

void PutSurfacePixel8(int x, int y, std::uint8_t colour, std::uint8_t* buffer,
                      std::uint32_t pitch) {
    *PixelAt(buffer, pitch, x, y) = colour;
}

void ShrinkBy8(const std::uint8_t* src, std::uint32_t srcPitch, int w, int h, std::uint8_t* dst) {
    const int dw = w / 8;
    for (int j = 0; j < h / 8; ++j) {
        const std::uint8_t* s = PixelAt(src, srcPitch, 0, 8 * j);
        for (int i = 0; i < dw; ++i) *dst++ = s[8 * i];
    }
}

void ShrinkBy2(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
               std::uint8_t* dst, std::uint32_t dstPitch) {
    // Rows land dst pitch apart whatever the width.
    for (int j = 0; j < h / 2; ++j) {
        const std::uint8_t* s = PixelAt(src, srcPitch, 0, 2 * j);
        std::uint8_t* d = PixelAt(dst, dstPitch, x, y + j);
        for (int i = 0; i < w / 2; ++i) d[i] = s[2 * i];
    }
}

int RectsIntersect(const Rect16& a, const Rect16& b) {
    if (b.y2 < a.y1 || b.y1 > a.y2 || b.x2 < a.x1 || b.x1 > a.x2) return 0;
    auto within = [](std::int16_t v, std::int16_t lo, std::int16_t hi) {
        return lo <= v && v <= hi;
    };
    int bits = 0;
    if (within(b.x1, a.x1, a.x2)) bits |= 1;
    if (within(b.y1, a.y1, a.y2)) bits |= 2;
    if (within(b.x2, a.x1, a.x2)) bits |= 4;
    if (within(b.y2, a.y1, a.y2)) bits |= 8;
    return bits != 0 ? bits : 15;
}

std::int16_t RectGap(std::int16_t px, std::int16_t py, std::int16_t c1x, std::int16_t c1y,
                     std::int16_t c2x, std::int16_t c2y) {
    std::int16_t gap = 0;
    auto take = [&gap](int difference) {
        const auto d = static_cast<std::int16_t>(difference);
        if (d > gap) gap = d;
    };
    if (px < c1x) take(c1x - px);
    if (px > c2x) take(px - c2x);
    if (py < c1y) take(c1y - py);
    if (py > c2y) take(py - c2y);
    return gap;
}

}  // namespace kv
