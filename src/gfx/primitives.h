#pragma once
// Lines, frames in and under the selection colour, single pixels, the two picture shrinkers and
// the rectangle tests.

#include <cstdint>

namespace kv {

// The colour of selection frames; the "under" lines leave pixels of it alone.
inline constexpr std::uint8_t kSelectionColour = 255;
// The frame drawn under a selection.
inline constexpr std::uint8_t kUnderSelectionColour = 233;

// Lines including both end points, given in either order.
void DrawHLine8(int x1, int x2, int y, std::uint8_t colour, std::uint8_t* dst, std::uint32_t pitch);
void DrawVLine8(int x, int y1, int y2, std::uint8_t colour, std::uint8_t* dst, std::uint32_t pitch);
// The same, leaving pixels that hold the selection colour.
void DrawHLineUnder(int x1, int x2, int y, std::uint8_t colour, std::uint8_t* dst,
                    std::uint32_t pitch);
void DrawVLineUnder(int x, int y1, int y2, std::uint8_t colour, std::uint8_t* dst,
                    std::uint32_t pitch);

// Frames around x..x+w-1, y..y+h-1 in DrawTarget, clipped to the world view: an edge outside
// the view is left out, the others are cut to it.
void DrawSelectionRect(int x, int y, int w, int h);
void DrawRectClipped(int x, int y, int w, int h, std::uint8_t colour);
void DrawRectUnderSelection(int x, int y, int w, int h);

// One pixel of DrawTarget, or of a given buffer; y may be negative.
std::uint8_t GetPixel8(int x, int y);
void PutPixel8(int x, int y, std::uint8_t colour);
std::uint8_t GetSurfacePixel8(int x, int y, const std::uint8_t* buffer, std::uint32_t pitch);
void PutSurfacePixel8(int x, int y, std::uint8_t colour, std::uint8_t* buffer, std::uint32_t pitch);

// Source pixel (8i, 8j) to (i, j) of a packed (w/8) x (h/8) picture; w and h multiples of 8.
void ShrinkBy8(const std::uint8_t* src, std::uint32_t srcPitch, int w, int h, std::uint8_t* dst);
// Source pixel (2i, 2j) to (x + i, y + j) of dst; w and h even.
void ShrinkBy2(const std::uint8_t* src, std::uint32_t srcPitch, int x, int y, int w, int h,
               std::uint8_t* dst, std::uint32_t dstPitch);

// Rectangles by their inclusive corners.
struct Rect16 {
    std::int16_t x1;
    std::int16_t y1;
    std::int16_t x2;
    std::int16_t y2;
};
// 0 when b lies apart from a (touching edges overlap). Else bit 1: b's left edge within a's
// columns, bit 2: b's top within a's rows, bit 4: b's right edge, bit 8: b's bottom; 15 when b
// encloses a.
int RectsIntersect(const Rect16& a, const Rect16& b);
// How far p lies outside the rectangle c1..c2 along the farther axis; 0 inside or on it.
// Computed in 16 bits.
std::int16_t RectGap(std::int16_t px, std::int16_t py, std::int16_t c1x, std::int16_t c1y,
                     std::int16_t c2x, std::int16_t c2y);

}  // namespace kv
