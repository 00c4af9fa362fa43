#pragma once
// An 8-bit picture to draw placeholder art on: rectangles, lines, circles and blocky capitals.
// Everything is clipped to the canvas. Colours are palette indices; 0 is transparent in sprites.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace kv::sampledata {

class Canvas {
  public:
    Canvas(int width, int height, std::uint8_t fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    // width x height bytes, row-major.
    std::span<const std::uint8_t> pixels() const { return pixels_; }
    std::span<std::uint8_t> pixels() { return pixels_; }
    // 0 outside the canvas.
    std::uint8_t at(int x, int y) const;

    void set(int x, int y, std::uint8_t colour);
    void fill(std::uint8_t colour);
    void fillRect(int x, int y, int w, int h, std::uint8_t colour);
    void frameRect(int x, int y, int w, int h, std::uint8_t colour);
    // Both end points included.
    void line(int x0, int y0, int x1, int y1, std::uint8_t colour);
    void fillCircle(int cx, int cy, int r, std::uint8_t colour);
    void circle(int cx, int cy, int r, std::uint8_t colour);
    // Rows top to bottom go from the first colour to the last, in equal bands.
    void verticalBands(int x, int y, int w, int h, std::span<const std::uint8_t> colours);
    // Copies another canvas with its top-left corner at (x, y); pixels of colour 0 are skipped
    // when transparent is set.
    void draw(const Canvas& source, int x, int y, bool transparent = true);

    // Text in a 5 x 7 block font, each font pixel scale x scale canvas pixels, one font pixel
    // between letters. Letters are capitals: lower case draws as upper case; Windows-1252 umlauts
    // are known; other characters leave a gap.
    void text(int x, int y, std::string_view text, int scale, std::uint8_t colour);
    static int textWidth(std::string_view text, int scale);
    static int textHeight(int scale) { return 7 * scale; }

  private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace kv::sampledata
