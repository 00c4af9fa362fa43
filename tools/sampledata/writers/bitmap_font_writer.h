#pragma once
// The glyphs of a bitmap font, in the order the game's character table gives them: glyph 0 a
// blank, then the digits, the capitals, '-', the umlauts, '?', 'ß' and the quote signs. Drawn
// with the canvas' block letters, each glyph as narrow as its ink.

#include <cstdint>
#include <vector>

#include "writers/canvas.h"

namespace kv::sampledata {

struct BitmapFontStyle {
    int scale = 1;            // canvas pixels per letter pixel
    int padding = 0;          // background rows above and below the letters
    std::uint8_t ink = 1;     // the letters' colour
    std::uint8_t background;  // copied with the glyph, so it shows around the letters
};

// 47 glyphs; write them with MakeVff.
std::vector<Canvas> MakeBitmapFontGlyphs(const BitmapFontStyle& style);

// The fonts of the sample data.
inline constexpr const char* kAnzFontPath = "graphs\\anzfont.vff";
inline constexpr const char* kAnzFontLittlePath = "graphs\\anzfontl.vff";
BitmapFontStyle AnzFontStyle();
BitmapFontStyle AnzFontLittleStyle();

}  // namespace kv::sampledata
