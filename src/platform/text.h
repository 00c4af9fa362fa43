#pragma once
// Text drawn with outline fonts into 8-bit surfaces, solid (no smoothing), in the palette entry
// nearest to the text colour. Liberation Sans stands in for Arial: it has the same metrics.

#include <cstdint>
#include <memory>
#include <string_view>

#include "platform/backend.h"
#include "platform/display.h"
#include "platform/system.h"

namespace kv {

struct Font;
using FontHandle = Font*;

using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return static_cast<ColorRef>(r) | (static_cast<ColorRef>(g) << 8) |
           (static_cast<ColorRef>(b) << 16);
}

// Text alignment: horizontal and vertical parts are or-ed.
inline constexpr std::uint32_t TA_LEFT = 0;
inline constexpr std::uint32_t TA_TOP = 0;
inline constexpr std::uint32_t TA_RIGHT = 2;
inline constexpr std::uint32_t TA_CENTER = 6;
inline constexpr std::uint32_t TA_BOTTOM = 8;
inline constexpr std::uint32_t TA_BASELINE = 24;

// DrawText formats.
inline constexpr std::uint32_t DT_LEFT = 0;
inline constexpr std::uint32_t DT_TOP = 0;
inline constexpr std::uint32_t DT_CENTER = 1;
inline constexpr std::uint32_t DT_RIGHT = 2;
inline constexpr std::uint32_t DT_WORDBREAK = 0x10;
inline constexpr std::uint32_t DT_SINGLELINE = 0x20;
inline constexpr std::uint32_t DT_NOCLIP = 0x100;
inline constexpr std::uint32_t DT_CALCRECT = 0x400;

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Height is the character cell (ascent plus descent) in pixels; weight 700 and above is bold.
// Null when no font file can be found.
FontHandle CreateFont(std::string_view face, int height, int weight);
void DeleteFont(FontHandle font);
int FontHeight(FontHandle font);
int FontAscent(FontHandle font);

struct TextSize {
    int cx = 0;
    int cy = 0;
};

// The state of text drawing on one 8-bit surface.
class TextContext {
  public:
    TextContext() = default;
    TextContext(std::uint8_t* pixels, std::uint32_t pitch, int width, int height,
                const HardwarePalette& palette);

    void selectFont(FontHandle font) { font_ = font; }
    void setTextColor(ColorRef colour);
    void setBkColor(ColorRef colour);
    void setBkMode(int mode) { bkMode_ = mode; }
    void setTextAlign(std::uint32_t align) { align_ = align; }
    std::uint8_t textIndex() const { return textIndex_; }

    // Texts are Windows-1252.
    bool textOut(int x, int y, std::string_view text);
    TextSize textExtent(std::string_view text) const;
    // Draws into rect, breaking lines at '\n' and, with DT_WORDBREAK, between words; returns the
    // height of the text. With DT_CALCRECT it only measures and sets rect's right and bottom.
    int drawText(std::string_view text, Rect& rect, std::uint32_t format);

  private:
    void drawRun(int left, int top, std::string_view text, const Rect* clip);

    std::uint8_t* pixels_ = nullptr;
    std::uint32_t pitch_ = 0;
    int width_ = 0;
    int height_ = 0;
    HardwarePalette palette_{};
    FontHandle font_ = nullptr;
    std::uint8_t textIndex_ = 0;
    std::uint8_t bkIndex_ = 0;
    int bkMode_ = OPAQUE;
    std::uint32_t align_ = TA_LEFT | TA_TOP;
};

// The palette entry nearest to a colour; the lowest index wins a tie.
std::uint8_t NearestPaletteIndex(const HardwarePalette& palette, ColorRef colour);

// A text context over a display surface, in the display's current colours. The surface stays
// locked while the context lives; false when it cannot be locked.
class DisplayDC {
  public:
    explicit DisplayDC(SurfaceId surface);
    ~DisplayDC();
    DisplayDC(const DisplayDC&) = delete;
    DisplayDC& operator=(const DisplayDC&) = delete;

    explicit operator bool() const { return locked_; }
    TextContext* operator->() { return &context_; }
    TextContext& operator*() { return context_; }

  private:
    SurfaceId surface_;
    bool locked_ = false;
    TextContext context_;
};

}  // namespace kv
