#pragma once
// The copies of the draw-list drawers: a rectangle of an 8-bit picture, given in the coordinates of
// one map cell's 48 x 28 box, into DrawTarget. The caller has already cut the rectangle to the
// cell, the view and the picture; these only copy. Colour 0 is transparent in all four.
//
// Source pixel (x, y) of the rectangle is pixels[(srcY + y) x srcWidth + srcX + x]; it lands on
// DrawTarget at (dstX + x, dstY + y). The masked copies lay the piece mask (48 bytes a row, one
// row per line of the cell's box) over the rectangle and write only where it is not 0. The
// blended ones write table[source x 256 + background], the table chosen by its selector.

#include <cstdint>

namespace kv {

inline constexpr int kPieceMaskWidth = 48;
inline constexpr int kPieceMaskHeight = 28;

// Selector 1 picks BlendTable20; every other value BlendTable50.
inline constexpr std::uint8_t kBlendSelector20 = 1;

void BlitSpriteRect(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1, int y1,
                    int srcX, int srcY, int dstX, int dstY);
void BlitSpriteRectBlended(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1, int y1,
                           int srcX, int srcY, int dstX, int dstY, std::uint8_t selector);
// x0..x1 within 0..47 and y0..y1 within 0..27.
void BlitSpriteRectMasked(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1, int y1,
                          int srcX, int srcY, int dstX, int dstY, const std::uint8_t* mask);
void BlitSpriteRectMaskedBlended(const std::uint8_t* pixels, int srcWidth, int x0, int y0, int x1,
                                 int y1, int srcX, int srcY, int dstX, int dstY,
                                 const std::uint8_t* mask, std::uint8_t selector);

}  // namespace kv
