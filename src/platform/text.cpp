#include "platform/text.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/config.h"
#include "platform/cp1252.h"

namespace kv {

namespace {

struct Glyph {
    bool loaded = false;
    int width = 0;
    int rows = 0;
    int left = 0;  // from the pen position to the first column
    int top = 0;   // from the baseline up to the first row
    int advance = 0;
    std::vector<std::uint8_t> coverage;  // 1 where the glyph is solid
};

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) lib = nullptr;
        return lib;
    }();
    return library;
}

std::optional<std::string> FindFontFile(bool bold) {
    const char* file = bold ? "LiberationSans-Bold.ttf" : "LiberationSans-Regular.ttf";
    std::vector<std::string> dirs;
    if (auto dir = GetConfigValue("Font Dir")) dirs.push_back(*dir);
    dirs.push_back("/usr/share/fonts/truetype/liberation");
    dirs.push_back("/usr/share/fonts/truetype/liberation2");
    dirs.push_back("/usr/local/share/fonts");
    for (const std::string& d : dirs) {
        std::string path = d + "/" + file;
        if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
            std::fclose(f);
            return path;
        }
    }
    return std::nullopt;
}

bool InRect(int x, int y, const Rect& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

}  // namespace

struct Font {
    FT_Face face = nullptr;
    int height = 0;
    int ascent = 0;
    std::array<Glyph, 256> glyphs;

    ~Font() {
        if (face != nullptr) FT_Done_Face(face);
    }

    const Glyph& glyph(unsigned char c) {
        Glyph& g = glyphs[c];
        if (g.loaded) return g;
        g.loaded = true;
        const FT_UInt index = FT_Get_Char_Index(face, CodePointFromCp1252(c));
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return g;
        if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) return g;
        const FT_Bitmap& bm = face->glyph->bitmap;
        g.width = static_cast<int>(bm.width);
        g.rows = static_cast<int>(bm.rows);
        g.left = face->glyph->bitmap_left;
        g.top = face->glyph->bitmap_top;
        g.advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
        g.coverage.assign(static_cast<std::size_t>(g.width) * g.rows, 0);
        for (int y = 0; y < g.rows; ++y) {
            const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
            for (int x = 0; x < g.width; ++x)
                g.coverage[static_cast<std::size_t>(y) * g.width + x] =
                    (row[x >> 3] >> (7 - (x & 7))) & 1;
        }
        return g;
    }
};

FontHandle CreateFont(std::string_view, int height, int weight) {
    // Every face the game asks for is Arial; Liberation Sans has its metrics.
    if (Library() == nullptr || height <= 0) return nullptr;
    const auto path = FindFontFile(weight >= 600);
    if (!path) return nullptr;
    auto font = std::make_unique<Font>();
    if (FT_New_Face(Library(), path->c_str(), 0, &font->face) != 0) {
        font->face = nullptr;
        return nullptr;
    }
    // A positive height is the cell: the Windows ascent plus descent of the font.
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(font->face, FT_SFNT_OS2));
    double cellUnits = os2 != nullptr ? os2->usWinAscent + os2->usWinDescent
                                      : font->face->ascender - font->face->descender;
    if (cellUnits <= 0) cellUnits = font->face->units_per_EM;
    const double scale = height / cellUnits;
    const double em = font->face->units_per_EM * scale;
    if (FT_Set_Char_Size(font->face, 0, static_cast<FT_F26Dot6>(std::lround(em * 64)), 72, 72) != 0)
        return nullptr;
    const double ascentUnits = os2 != nullptr ? os2->usWinAscent : font->face->ascender;
    font->height = height;
    font->ascent = static_cast<int>(std::lround(ascentUnits * scale));
    return font.release();
}

void DeleteFont(FontHandle font) {
    delete font;
}
int FontHeight(FontHandle font) {
    return font != nullptr ? font->height : 0;
}
int FontAscent(FontHandle font) {
    return font != nullptr ? font->ascent : 0;
}

std::uint8_t NearestPaletteIndex(const HardwarePalette& palette, ColorRef colour) {
    const int r = colour & 0xFF;
    const int g = (colour >> 8) & 0xFF;
    const int b = (colour >> 16) & 0xFF;
    int best = 0;
    long bestDist = -1;
    for (int i = 0; i < 256; ++i) {
        const long dr = palette[i].r - r;
        const long dg = palette[i].g - g;
        const long db = palette[i].b - b;
        const long d = dr * dr + dg * dg + db * db;
        if (bestDist < 0 || d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

TextContext::TextContext(std::uint8_t* pixels, std::uint32_t pitch, int width, int height,
                         const HardwarePalette& palette)
    : pixels_(pixels), pitch_(pitch), width_(width), height_(height), palette_(palette) {
    setTextColor(Rgb(0, 0, 0));
    setBkColor(Rgb(255, 255, 255));
}

void TextContext::setTextColor(ColorRef colour) {
    textIndex_ = NearestPaletteIndex(palette_, colour);
}
void TextContext::setBkColor(ColorRef colour) {
    bkIndex_ = NearestPaletteIndex(palette_, colour);
}

TextSize TextContext::textExtent(std::string_view text) const {
    if (font_ == nullptr) return {};
    int cx = 0;
    for (char c : text) cx += font_->glyph(static_cast<unsigned char>(c)).advance;
    return TextSize{cx, font_->height};
}

void TextContext::drawRun(int left, int top, std::string_view text, const Rect* clip) {
    const Rect surface{0, 0, width_, height_};
    Rect bounds = surface;
    if (clip != nullptr) {
        bounds.left = std::max(bounds.left, clip->left);
        bounds.top = std::max(bounds.top, clip->top);
        bounds.right = std::min(bounds.right, clip->right);
        bounds.bottom = std::min(bounds.bottom, clip->bottom);
    }
    if (bkMode_ == OPAQUE) {
        const TextSize size = textExtent(text);
        for (int y = top; y < top + size.cy; ++y)
            for (int x = left; x < left + size.cx; ++x)
                if (InRect(x, y, bounds))
                    pixels_[static_cast<std::size_t>(y) * pitch_ + x] = bkIndex_;
    }
    const int baseline = top + font_->ascent;
    int pen = left;
    for (char c : text) {
        const Glyph& g = font_->glyph(static_cast<unsigned char>(c));
        for (int gy = 0; gy < g.rows; ++gy) {
            const int y = baseline - g.top + gy;
            for (int gx = 0; gx < g.width; ++gx) {
                const int x = pen + g.left + gx;
                if (g.coverage[static_cast<std::size_t>(gy) * g.width + gx] != 0 &&
                    InRect(x, y, bounds))
                    pixels_[static_cast<std::size_t>(y) * pitch_ + x] = textIndex_;
            }
        }
        pen += g.advance;
    }
}

bool TextContext::textOut(int x, int y, std::string_view text) {
    if (pixels_ == nullptr || font_ == nullptr) return false;
    const TextSize size = textExtent(text);
    int left = x;
    if ((align_ & TA_CENTER) == TA_CENTER)
        left = x - size.cx / 2;
    else if ((align_ & TA_RIGHT) != 0)
        left = x - size.cx;
    int top = y;
    if ((align_ & TA_BASELINE) == TA_BASELINE)
        top = y - font_->ascent;
    else if ((align_ & TA_BOTTOM) != 0)
        top = y - size.cy;
    drawRun(left, top, text, nullptr);
    return true;
}

int TextContext::drawText(std::string_view text, Rect& rect, std::uint32_t format) {
    if (font_ == nullptr) return 0;
    const int maxWidth = rect.right - rect.left;
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = (format & DT_SINGLELINE) != 0 ? text.size() : text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view para = text.substr(start, end - start);
        if (!para.empty() && para.back() == '\r') para.remove_suffix(1);
        const bool blank = para.empty();
        if ((format & DT_WORDBREAK) == 0) {
            lines.push_back(para);
        } else {
            // Break after the last space that keeps the line inside the rectangle; a word longer
            // than the line is broken where it no longer fits.
            while (!para.empty()) {
                std::size_t fit = 0;
                std::size_t lastSpace = std::string_view::npos;
                int w = 0;
                while (fit < para.size()) {
                    const int adv = textExtent(para.substr(fit, 1)).cx;
                    if (w + adv > maxWidth && fit > 0) break;
                    if (para[fit] == ' ') lastSpace = fit;
                    w += adv;
                    ++fit;
                }
                std::size_t cut = fit;
                std::size_t next = fit;
                if (fit < para.size()) {
                    if (para[fit] == ' ') {
                        next = fit + 1;
                    } else if (lastSpace != std::string_view::npos) {
                        cut = lastSpace;
                        next = lastSpace + 1;
                    }
                }
                lines.push_back(para.substr(0, cut));
                para.remove_prefix(next);
                while (!lines.back().empty() && lines.back().back() == ' ')
                    lines.back().remove_suffix(1);
            }
            // An empty line stays a line, with or without its carriage return.
            if (blank) lines.push_back({});
        }
        if (end >= text.size()) break;
        start = end + 1;
    }
    const int lineHeight = font_->height;
    const int total = static_cast<int>(lines.size()) * lineHeight;
    if ((format & DT_CALCRECT) != 0) {
        int widest = 0;
        for (std::string_view l : lines) widest = std::max(widest, textExtent(l).cx);
        if ((format & DT_WORDBREAK) == 0 || widest > maxWidth) rect.right = rect.left + widest;
        rect.bottom = rect.top + total;
        return total;
    }
    if (pixels_ == nullptr) return total;
    const Rect* clip = (format & DT_NOCLIP) != 0 ? nullptr : &rect;
    int top = rect.top;
    for (std::string_view l : lines) {
        const int w = textExtent(l).cx;
        int left = rect.left;
        if ((format & DT_CENTER) != 0)
            left = rect.left + (maxWidth - w) / 2;
        else if ((format & DT_RIGHT) != 0)
            left = rect.right - w;
        drawRun(left, top, l, clip);
        top += lineHeight;
    }
    return total;
}

DisplayDC::DisplayDC(SurfaceId surface) : surface_(surface) {
    LockedSurface locked;
    if (DisplayLock(surface, locked) != DD_OK) return;
    locked_ = true;
    context_ = TextContext(locked.pixels, locked.pitch, locked.width, locked.height,
                           DisplayCurrentPalette());
}

DisplayDC::~DisplayDC() {
    if (locked_) DisplayUnlock(surface_);
}

}  // namespace kv
