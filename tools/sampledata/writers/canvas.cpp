#include "writers/canvas.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ascii.h"

namespace kv::sampledata {

namespace {

struct Glyph {
    unsigned char ch;
    std::uint8_t rows[7];  // bit 4 is the leftmost pixel
};

// clang-format off
constexpr Glyph kFont[] = {
    {'A', {0b01110, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'B', {0b11110, 0b10001, 0b10001, 0b11110, 0b10001, 0b10001, 0b11110}},
    {'C', {0b01110, 0b10001, 0b10000, 0b10000, 0b10000, 0b10001, 0b01110}},
    {'D', {0b11110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b11110}},
    {'E', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b11111}},
    {'F', {0b11111, 0b10000, 0b10000, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'G', {0b01110, 0b10001, 0b10000, 0b10111, 0b10001, 0b10001, 0b01111}},
    {'H', {0b10001, 0b10001, 0b10001, 0b11111, 0b10001, 0b10001, 0b10001}},
    {'I', {0b01110, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'J', {0b00111, 0b00010, 0b00010, 0b00010, 0b00010, 0b10010, 0b01100}},
    {'K', {0b10001, 0b10010, 0b10100, 0b11000, 0b10100, 0b10010, 0b10001}},
    {'L', {0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b10000, 0b11111}},
    {'M', {0b10001, 0b11011, 0b10101, 0b10101, 0b10001, 0b10001, 0b10001}},
    {'N', {0b10001, 0b10001, 0b11001, 0b10101, 0b10011, 0b10001, 0b10001}},
    {'O', {0b01110, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'P', {0b11110, 0b10001, 0b10001, 0b11110, 0b10000, 0b10000, 0b10000}},
    {'Q', {0b01110, 0b10001, 0b10001, 0b10001, 0b10101, 0b10010, 0b01101}},
    {'R', {0b11110, 0b10001, 0b10001, 0b11110, 0b10100, 0b10010, 0b10001}},
    {'S', {0b01111, 0b10000, 0b10000, 0b01110, 0b00001, 0b00001, 0b11110}},
    {'T', {0b11111, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00100}},
    {'U', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},
    {'V', {0b10001, 0b10001, 0b10001, 0b10001, 0b10001, 0b01010, 0b00100}},
    {'W', {0b10001, 0b10001, 0b10001, 0b10101, 0b10101, 0b10101, 0b01010}},
    {'X', {0b10001, 0b10001, 0b01010, 0b00100, 0b01010, 0b10001, 0b10001}},
    {'Y', {0b10001, 0b10001, 0b10001, 0b01010, 0b00100, 0b00100, 0b00100}},
    {'Z', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b10000, 0b11111}},
    {0xC4, {0b01010, 0b00000, 0b01110, 0b10001, 0b11111, 0b10001, 0b10001}},  // Ä
    {0xD6, {0b01010, 0b00000, 0b01110, 0b10001, 0b10001, 0b10001, 0b01110}},  // Ö
    {0xDC, {0b01010, 0b00000, 0b10001, 0b10001, 0b10001, 0b10001, 0b01110}},  // Ü
    {0xDF, {0b01110, 0b10001, 0b10001, 0b10110, 0b10001, 0b10001, 0b10110}},  // ß
    {'0', {0b01110, 0b10001, 0b10011, 0b10101, 0b11001, 0b10001, 0b01110}},
    {'1', {0b00100, 0b01100, 0b00100, 0b00100, 0b00100, 0b00100, 0b01110}},
    {'2', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b01000, 0b11111}},
    {'3', {0b11111, 0b00010, 0b00100, 0b00010, 0b00001, 0b10001, 0b01110}},
    {'4', {0b00010, 0b00110, 0b01010, 0b10010, 0b11111, 0b00010, 0b00010}},
    {'5', {0b11111, 0b10000, 0b11110, 0b00001, 0b00001, 0b10001, 0b01110}},
    {'6', {0b00110, 0b01000, 0b10000, 0b11110, 0b10001, 0b10001, 0b01110}},
    {'7', {0b11111, 0b00001, 0b00010, 0b00100, 0b01000, 0b01000, 0b01000}},
    {'8', {0b01110, 0b10001, 0b10001, 0b01110, 0b10001, 0b10001, 0b01110}},
    {'9', {0b01110, 0b10001, 0b10001, 0b01111, 0b00001, 0b00010, 0b01100}},
    {'.', {0b00000, 0b00000, 0b00000, 0b00000, 0b00000, 0b01100, 0b01100}},
    {',', {0b00000, 0b00000, 0b00000, 0b00000, 0b01100, 0b00100, 0b01000}},
    {':', {0b00000, 0b01100, 0b01100, 0b00000, 0b01100, 0b01100, 0b00000}},
    {'-', {0b00000, 0b00000, 0b00000, 0b11111, 0b00000, 0b00000, 0b00000}},
    {'+', {0b00000, 0b00100, 0b00100, 0b11111, 0b00100, 0b00100, 0b00000}},
    {'=', {0b00000, 0b00000, 0b11111, 0b00000, 0b11111, 0b00000, 0b00000}},
    {'!', {0b00100, 0b00100, 0b00100, 0b00100, 0b00100, 0b00000, 0b00100}},
    {'?', {0b01110, 0b10001, 0b00001, 0b00010, 0b00100, 0b00000, 0b00100}},
    {'\'', {0b00100, 0b00100, 0b01000, 0b00000, 0b00000, 0b00000, 0b00000}},
    {'/', {0b00001, 0b00010, 0b00010, 0b00100, 0b01000, 0b01000, 0b10000}},
    {'(', {0b00010, 0b00100, 0b01000, 0b01000, 0b01000, 0b00100, 0b00010}},
    {')', {0b01000, 0b00100, 0b00010, 0b00010, 0b00010, 0b00100, 0b01000}},
    {'%', {0b11000, 0b11001, 0b00010, 0b00100, 0b01000, 0b10011, 0b00011}},
};
// clang-format on

constexpr int kGlyphWidth = 5;
constexpr int kAdvance = kGlyphWidth + 1;

const Glyph* FindGlyph(unsigned char c) {
    c = static_cast<unsigned char>(AsciiUpper(static_cast<char>(c)));
    if (c == 0xE4 || c == 0xF6 || c == 0xFC) c = static_cast<unsigned char>(c - 0x20);  // ä ö ü
    for (const Glyph& g : kFont)
        if (g.ch == c) return &g;
    return nullptr;
}

}  // namespace

Canvas::Canvas(int width, int height, std::uint8_t fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

std::uint8_t Canvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Canvas::set(int x, int y, std::uint8_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
}

void Canvas::fill(std::uint8_t colour) {
    std::fill(pixels_.begin(), pixels_.end(), colour);
}

void Canvas::fillRect(int x, int y, int w, int h, std::uint8_t colour) {
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = std::min(x + w, width_);
    const int y1 = std::min(y + h, height_);
    for (int row = y0; row < y1; ++row)
        for (int col = x0; col < x1; ++col)
            pixels_[static_cast<std::size_t>(row) * width_ + col] = colour;
}

void Canvas::frameRect(int x, int y, int w, int h, std::uint8_t colour) {
    if (w <= 0 || h <= 0) return;
    fillRect(x, y, w, 1, colour);
    fillRect(x, y + h - 1, w, 1, colour);
    fillRect(x, y, 1, h, colour);
    fillRect(x + w - 1, y, 1, h, colour);
}

void Canvas::line(int x0, int y0, int x1, int y1, std::uint8_t colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        set(x0, y0, colour);
        if (x0 == x1 && y0 == y1) return;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::fillCircle(int cx, int cy, int r, std::uint8_t colour) {
    if (r < 0) return;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (dx * dx + dy * dy <= r * r + r) set(cx + dx, cy + dy, colour);
}

void Canvas::circle(int cx, int cy, int r, std::uint8_t colour) {
    if (r < 0) return;
    // Midpoint circle: one octant computed, mirrored into the other seven.
    int x = r;
    int y = 0;
    int err = 1 - r;
    while (x >= y) {
        const int pts[8][2] = {{x, y},   {y, x},   {-y, x}, {-x, y},
                               {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : pts) set(cx + p[0], cy + p[1], colour);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

void Canvas::verticalBands(int x, int y, int w, int h, std::span<const std::uint8_t> colours) {
    if (colours.empty() || h <= 0) return;
    const int n = static_cast<int>(colours.size());
    for (int row = 0; row < h; ++row) fillRect(x, y + row, w, 1, colours[row * n / h]);
}

void Canvas::draw(const Canvas& source, int x, int y, bool transparent) {
    for (int row = 0; row < source.height(); ++row)
        for (int col = 0; col < source.width(); ++col) {
            const std::uint8_t c = source.at(col, row);
            if (c != 0 || !transparent) set(x + col, y + row, c);
        }
}

void Canvas::text(int x, int y, std::string_view s, int scale, std::uint8_t colour) {
    for (const char ch : s) {
        if (const Glyph* g = FindGlyph(static_cast<unsigned char>(ch))) {
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < kGlyphWidth; ++col)
                    if (g->rows[row] & (0x10 >> col))
                        fillRect(x + col * scale, y + row * scale, scale, scale, colour);
        }
        x += kAdvance * scale;
    }
}

int Canvas::textWidth(std::string_view s, int scale) {
    if (s.empty()) return 0;
    return (static_cast<int>(s.size()) * kAdvance - 1) * scale;
}

}  // namespace kv::sampledata
