// The two logo videos and the intro, drawn and scored by code.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "generate/topics.h"
#include "writers/avi_writer.h"

namespace kv::sampledata {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    std::uint8_t r, g, b;
};

class Canvas {
  public:
    Canvas(std::span<std::uint8_t> rgb, int width, int height)
        : rgb_(rgb), width_(width), height_(height) {}
    int width() const { return width_; }
    int height() const { return height_; }
    void put(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        std::uint8_t* p = rgb_.data() + (static_cast<std::size_t>(y) * width_ + x) * 3;
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
    void fill(int x0, int y0, int x1, int y1, Rgb c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) put(x, y, c);
    }

  private:
    std::span<std::uint8_t> rgb_;
    int width_;
    int height_;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto m = [t](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>(std::lround(x + (y - x) * t));
    };
    return Rgb{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// Block letters, 5 x 7, for the names on the screens.
struct Glyph {
    char c;
    std::array<std::uint8_t, 7> rows;
};
constexpr Glyph kGlyphs[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}},
    {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}},
    {'N', {0x11, 0x19, 0x15, 0x13, 0x11, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}},
    {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}},
    {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}},
    {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
};

int TextWidth(std::string_view text, int scale) {
    return static_cast<int>(text.size()) * 6 * scale - scale;
}

void DrawText(Canvas& c, int x, int y, int scale, std::string_view text, Rgb colour) {
    for (char ch : text) {
        for (const Glyph& g : kGlyphs) {
            if (g.c != ch) continue;
            for (int row = 0; row < 7; ++row)
                for (int col = 0; col < 5; ++col)
                    if ((g.rows[row] >> (4 - col)) & 1)
                        c.fill(x + col * scale, y + row * scale, x + (col + 1) * scale,
                               y + (row + 1) * scale, colour);
        }
        x += 6 * scale;
    }
}

void DrawCentredText(Canvas& c, int y, int scale, std::string_view text, Rgb colour) {
    DrawText(c, (c.width() - TextWidth(text, scale)) / 2, y, scale, text, colour);
}

// A tone with a quick attack and an exponential decay, added into the sound.
void AddTone(std::vector<std::int16_t>& sound, int rate, double start, double seconds,
             double frequency, double volume, double decay) {
    const auto first = static_cast<std::size_t>(start * rate);
    const auto count = static_cast<std::size_t>(seconds * rate);
    for (std::size_t i = 0; i < count && first + i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / rate;
        const double envelope = std::min(1.0, t * 200.0) * std::exp(-t * decay);
        const double v =
            std::sin(2 * kPi * frequency * t) + 0.3 * std::sin(4 * kPi * frequency * t);
        const int sum = sound[first + i] + static_cast<int>(v * envelope * volume * 20000.0);
        sound[first + i] = static_cast<std::int16_t>(std::clamp(sum, -32767, 32767));
    }
}

constexpr int kRate = 22050;
constexpr int kFps = 15;

// First logo: a golden sun with turning rays on deep blue, its name fading in beneath.
AviClip FirstLogo() {
    AviClip clip;
    clip.width = 320;
    clip.height = 240;
    clip.framesPerSecond = kFps;
    clip.frameCount = 3 * kFps;
    clip.drawFrame = [](int f, std::span<std::uint8_t> rgb) {
        Canvas c(rgb, 320, 240);
        for (int y = 0; y < 240; ++y)
            c.fill(0, y, 320, y + 1, Mix(Rgb{4, 8, 40}, Rgb{20, 30, 90}, y / 240.0));
        const double grow = std::min(1.0, f / 15.0);
        const double radius = 44 * grow;
        const double turn = f * 0.06;
        for (int y = 0; y < 170; ++y) {
            for (int x = 0; x < 320; ++x) {
                const double dx = x - 160;
                const double dy = y - 95;
                const double d = std::sqrt(dx * dx + dy * dy);
                const double a = std::atan2(dy, dx) + turn;
                if (d < radius) {
                    c.put(x, y, Mix(Rgb{255, 240, 160}, Rgb{240, 150, 20}, d / 44.0));
                } else if (d < radius * 1.7 && std::cos(a * 12) > 0.6) {
                    c.put(x, y,
                          Mix(Rgb{250, 190, 40}, Rgb{20, 30, 90}, (d - radius) / (radius * 0.7)));
                }
            }
        }
        const double fade = std::clamp((f - 15) / 15.0, 0.0, 1.0);
        DrawCentredText(c, 182, 4, "DALQUIN", Mix(Rgb{20, 30, 90}, Rgb{255, 255, 255}, fade));
    };
    clip.sampleRate = kRate;
    clip.sound.assign(3 * kRate, 0);
    const double notes[] = {261.63, 329.63, 392.00, 523.25};
    for (int i = 0; i < 4; ++i)
        AddTone(clip.sound, kRate, 0.15 * i, 2.6 - 0.15 * i, notes[i], 0.35, 1.5);
    return clip;
}

// Second logo: green stripes sweeping by, a white plate with the name sliding in.
AviClip SecondLogo() {
    AviClip clip;
    clip.width = 320;
    clip.height = 160;
    clip.framesPerSecond = kFps;
    clip.frameCount = 3 * kFps;
    clip.drawFrame = [](int f, std::span<std::uint8_t> rgb) {
        Canvas c(rgb, 320, 160);
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 320; ++x)
                c.put(x, y, ((x + y + f * 6) / 20) % 2 == 0 ? Rgb{10, 70, 40} : Rgb{16, 96, 56});
        const double slide = std::min(1.0, f / 18.0);
        const int w = TextWidth("MERVIX", 5) + 40;
        const int x = static_cast<int>(-w + (w + (320 - w) / 2) * slide);
        c.fill(x, 45, x + w, 115, Rgb{240, 240, 235});
        c.fill(x, 45, x + w, 50, Rgb{200, 30, 30});
        c.fill(x, 110, x + w, 115, Rgb{200, 30, 30});
        DrawText(c, x + 20, 63, 5, "MERVIX", Rgb{20, 60, 35});
    };
    clip.sampleRate = kRate;
    clip.sound.assign(3 * kRate, 0);
    AddTone(clip.sound, kRate, 1.1, 1.9, 659.25, 0.4, 2.0);
    AddTone(clip.sound, kRate, 1.4, 1.6, 880.00, 0.35, 2.0);
    return clip;
}

// The intro: a town at night, a house on fire, an engine with its blue light racing along the
// road to the sound of its siren, and the game's name above it all.
AviClip Intro() {
    AviClip clip;
    clip.width = 320;
    clip.height = 160;
    clip.framesPerSecond = kFps;
    clip.frameCount = 5 * kFps;
    clip.drawFrame = [](int f, std::span<std::uint8_t> rgb) {
        Canvas c(rgb, 320, 160);
        for (int y = 0; y < 130; ++y)
            c.fill(0, y, 320, y + 1, Mix(Rgb{2, 2, 20}, Rgb{30, 20, 60}, y / 130.0));
        std::uint32_t seed = 12345;
        auto next = [&seed] {
            seed = seed * 22695477u + 1u;
            return static_cast<int>((seed >> 16) & 0x7FFF);
        };
        for (int i = 0; i < 40; ++i) {
            const int sx = next() % 320;
            const int sy = next() % 60;
            c.put(sx, sy, ((i + f / 4) % 7 == 0) ? Rgb{120, 120, 140} : Rgb{230, 230, 255});
        }
        // Houses with lit windows; the fourth one burns.
        for (int h = 0; h < 8; ++h) {
            const int x0 = h * 40 + 2;
            const int top = 70 + (h * 37) % 30;
            c.fill(x0, top, x0 + 36, 130, h == 3 ? Rgb{50, 30, 30} : Rgb{35, 35, 50});
            for (int wy = top + 6; wy < 122; wy += 12)
                for (int wx = x0 + 5; wx < x0 + 32; wx += 10)
                    if ((wx + wy * 3 + h) % 4 != 0)
                        c.fill(wx, wy, wx + 5, wy + 6,
                               h == 3 ? Rgb{255, 120, 20} : Rgb{220, 200, 90});
            if (h == 3) {
                for (int k = 0; k < 8; ++k) {
                    const int fx = x0 + 2 + k * 4;
                    const int flame = 10 + (next() + f * 7 + k * 13) % 14;
                    for (int y = 0; y < flame; ++y)
                        c.fill(fx, top - y, fx + 4 - y * 4 / flame, top - y + 1,
                               Mix(Rgb{255, 230, 60}, Rgb{220, 40, 10},
                                   static_cast<double>(y) / flame));
                }
            }
        }
        c.fill(0, 130, 320, 160, Rgb{40, 40, 44});
        for (int x = (f * 8) % 40 - 40; x < 320; x += 40)
            c.fill(x, 144, x + 20, 146, Rgb{200, 200, 190});
        // The engine drives in from the left and stops before the burning house.
        const int ex = std::min(-60 + f * 5, 90);
        c.fill(ex, 128, ex + 56, 142, Rgb{200, 20, 20});
        c.fill(ex + 40, 122, ex + 56, 130, Rgb{200, 20, 20});
        c.fill(ex + 43, 124, ex + 53, 129, Rgb{150, 200, 230});
        c.fill(ex + 6, 126, ex + 36, 128, Rgb{200, 200, 200});
        c.fill(ex + 44, 119, ex + 50, 122, (f / 2) % 2 == 0 ? Rgb{60, 120, 255} : Rgb{10, 20, 80});
        c.fill(ex + 8, 141, ex + 16, 146, Rgb{10, 10, 10});
        c.fill(ex + 40, 141, ex + 48, 146, Rgb{10, 10, 10});
        const double fade = std::clamp((f - 30) / 20.0, 0.0, 1.0);
        DrawCentredText(c, 14, 3, "KESTRIVON", Mix(Rgb{10, 8, 30}, Rgb{255, 255, 255}, fade));
    };
    clip.sampleRate = kRate;
    clip.sound.assign(5 * kRate, 0);
    // The siren: two tones, half a second each, growing louder as the engine comes.
    for (int i = 0; i < 9; ++i) {
        const double volume = 0.1 + 0.035 * i;
        AddTone(clip.sound, kRate, i * 0.5, 0.5, i % 2 == 0 ? 440.0 : 587.33, volume, 0.3);
    }
    return clip;
}

}  // namespace

bool WriteVideos(const OutputTree& out) {
    return WriteAviFile(out.prepare("CDvideos\\dalquin.avi"), FirstLogo()) &&
           WriteAviFile(out.prepare("CDvideos\\mervix.avi"), SecondLogo()) &&
           WriteAviFile(out.prepare("CDvideos\\intro.avi"), Intro());
}

}  // namespace kv::sampledata
