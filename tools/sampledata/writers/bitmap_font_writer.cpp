#include "writers/bitmap_font_writer.h"

#include <algorithm>
#include <string>

#include "gfx/bitmap_text.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kLetterWidth = 5;
constexpr int kLetterHeight = 7;

// The first character the game shows with this glyph.
unsigned char CharOfGlyph(int glyph) {
    for (int c = 32; c < 256; ++c)
        if (GlyphOfChar(static_cast<unsigned char>(c)) == glyph)
            return static_cast<unsigned char>(c);
    return ' ';
}

Canvas LetterMask(unsigned char c, int scale) {
    Canvas mask(kLetterWidth * scale, kLetterHeight * scale);
    if (c == '"') {
        // The block letters have no double quote: two ticks.
        mask.fillRect(1 * scale, 0, scale, 2 * scale, 1);
        mask.fillRect(3 * scale, 0, scale, 2 * scale, 1);
    } else {
        mask.text(0, 0, std::string(1, static_cast<char>(c)), scale, 1);
    }
    return mask;
}

}  // namespace

std::vector<Canvas> MakeBitmapFontGlyphs(const BitmapFontStyle& style) {
    const int height = kLetterHeight * style.scale + 2 * style.padding;
    std::vector<Canvas> glyphs;
    glyphs.emplace_back(3 * style.scale, height, style.background);
    for (int g = 1; g < kBitmapFontGlyphs; ++g) {
        const Canvas mask = LetterMask(CharOfGlyph(g), style.scale);
        int first = mask.width();
        int last = -1;
        for (int x = 0; x < mask.width(); ++x)
            for (int y = 0; y < mask.height(); ++y)
                if (mask.at(x, y) != 0) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        if (last < first) first = last = 0;
        Canvas glyph(last - first + 1, height, style.background);
        for (int y = 0; y < mask.height(); ++y)
            for (int x = first; x <= last; ++x)
                if (mask.at(x, y) != 0) glyph.set(x - first, y + style.padding, style.ink);
        glyphs.push_back(std::move(glyph));
    }
    return glyphs;
}

BitmapFontStyle AnzFontStyle() {
    return BitmapFontStyle{2, 0, pal::kYellow[5], pal::kBlack.first};
}

BitmapFontStyle AnzFontLittleStyle() {
    return BitmapFontStyle{1, 1, pal::kLightGrey.first, pal::kBlack.first};
}

}  // namespace kv::sampledata
