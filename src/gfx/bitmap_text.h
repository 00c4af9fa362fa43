#pragma once
// Text in a bitmap font: an image set of 47 glyphs for the digits, the capitals, the umlauts and
// a few signs. Everything else, lower case and the blank included, shows glyph 0.

#include <array>
#include <cstdint>
#include <string_view>

#include "gfx/image_files.h"

namespace kv {

inline constexpr int kBitmapFontGlyphs = 47;
// Lines of a text are this far apart.
inline constexpr int kBitmapTextLineHeight = 12;

// The glyph of each character 32..255 (Windows-1252).
inline constexpr std::array<std::uint8_t, 224> kGlyphOfChar = [] {
    std::array<std::uint8_t, 224> table{};
    auto set = [&table](unsigned char c, int glyph) {
        table[c - 32] = static_cast<std::uint8_t>(glyph);
    };
    for (int d = 0; d < 10; ++d) set(static_cast<unsigned char>('0' + d), 1 + d);
    for (int l = 0; l < 26; ++l) set(static_cast<unsigned char>('A' + l), 11 + l);
    set('-', 37);
    set(0xC4, 38);  // Ä
    set(0xD6, 39);  // Ö
    set(0xDC, 40);  // Ü
    set('?', 41);
    set(0xDF, 42);  // ß
    set('"', 43);
    set('.', 44);
    set(',', 45);
    set('\'', 46);
    return table;
}();

constexpr int GlyphOfChar(unsigned char c) {
    return c < 32 ? 0 : kGlyphOfChar[c - 32];
}

// An image set with at least the 47 glyphs, or null (nothing reported) when the file is missing,
// malformed or has fewer; the caller reports it. Freed with FreeVff.
VffImage* LoadBitmapFont(std::string_view path);

// Draws text into DrawTarget with its first glyph's top-left at (x, y). Characters below 32 are
// ignored, '|' starts a new line at x, 12 pixels lower; each glyph is copied opaque and followed
// by one pixel of space, clipped to the 800 x 600 screen. The text ends at its end or at a NUL.
void DrawText(int x, int y, std::string_view text, const VffImage* font);

}  // namespace kv
