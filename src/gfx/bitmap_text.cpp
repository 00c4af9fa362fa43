#include "gfx/bitmap_text.h"

#include <string>

#include "core/refused_file.h"
#include "gfx/blitters.h"

namespace kv {

VffImage* LoadBitmapFont(std::string_view path) {
    VffImage* font = LoadVff(path);
    if (font == nullptr) return nullptr;
    const std::size_t count = FrameCount(font);
    // DrawText indexes the set by the character table without looking, so it is checked here.
    if (count < kBitmapFontGlyphs) {
        FreeVff(font);
        ReportRefusedFile(path, ReadFault{1, std::to_string(count) + " glyphs, " +
                                                 std::to_string(kBitmapFontGlyphs) + " needed"});
        return nullptr;
    }
    return font;
}

void DrawText(int x, int y, std::string_view text, const VffImage* font) {
    int penX = x;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == 0) break;
        if (c < 32) continue;
        if (c == '|') {
            penX = x;
            y += kBitmapTextLineHeight;
            continue;
        }
        const VffImage& glyph = font[GlyphOfChar(c)];
        // Glyph sizes come from the font file: a large one must not write past the screen.
        BlitToBackBufferClippedTo(kScreenRect, glyph.pixels, penX, y, glyph.width, glyph.height);
        penX += glyph.width + 1;
    }
}

}  // namespace kv
