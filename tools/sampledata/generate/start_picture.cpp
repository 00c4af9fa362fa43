// The start picture: a street at dusk with a burning house, the services arriving, and the
// game's title over it.

#include "generate/topics.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kHorizon = 330;
constexpr int kRoadTop = 470;
constexpr int kRoadBottom = 550;

void DrawSky(Canvas& c) {
    const std::uint8_t bands[] = {pal::kSky[0], pal::kSky[1], pal::kSky[2],
                                  pal::kSky[3], pal::kSky[4], pal::kSky[5]};
    c.verticalBands(0, 0, c.width(), kHorizon + 110, bands);
}

// A house front with a roof and a grid of windows; lit windows follow a fixed pattern.
void DrawHouse(Canvas& c, int x, int width, int height, std::uint8_t wall, std::uint8_t roof,
               int seed) {
    const int top = kHorizon + 110 - height;
    c.fillRect(x, top, width, height, wall);
    for (int i = 0; i < width / 2 + 4; ++i)
        c.fillRect(x - 4 + i, top - i / 2, width + 8 - 2 * i, 1, roof);
    int n = seed;
    for (int wy = top + 12; wy + 18 < top + height - 8; wy += 30)
        for (int wx = x + 10; wx + 14 <= x + width - 10; wx += 26) {
            const bool lit = (n++ * 7 + seed) % 5 == 0;
            c.fillRect(wx, wy, 14, 18, lit ? pal::kYellow[4] : pal::kGlass[1]);
            c.frameRect(wx - 1, wy - 1, 16, 20, pal::kShadow[1]);
        }
}

void DrawFire(Canvas& c, int x, int y, int size) {
    for (int i = 0; i < 5; ++i)
        c.fillCircle(x + 10 + i * 9, y - i * size / 6 - 40, size / 3 + i * 3,
                     pal::kSmoke[1 + i % 4]);
    c.fillCircle(x, y, size / 2, pal::kFire[2]);
    c.fillCircle(x - size / 4, y + size / 8, size / 3, pal::kFire[5]);
    c.fillCircle(x + size / 5, y - size / 6, size / 3, pal::kFlameTip[1]);
    c.fillCircle(x, y + size / 6, size / 5, pal::kFlameTip[4]);
}

void DrawBlueLight(Canvas& c, int x, int y) {
    c.fillRect(x, y, 12, 5, pal::kBlueLight1.first);
    c.fillRect(x + 3, y - 2, 6, 2, pal::kTechnicalRamp[5]);
}

void DrawWheel(Canvas& c, int x, int y) {
    c.fillCircle(x, y, 9, pal::kRubber[0]);
    c.fillCircle(x, y, 4, pal::kMetal[5]);
}

void DrawFireEngine(Canvas& c, int x, int y) {
    c.fillRect(x, y - 50, 170, 42, pal::kFireBrigadeRamp[3]);
    c.fillRect(x + 125, y - 62, 45, 54, pal::kFireBrigadeRamp[4]);
    c.fillRect(x + 134, y - 56, 30, 18, pal::kGlass[2]);
    c.fillRect(x, y - 30, 120, 4, pal::kWhite.first);
    for (int i = 0; i < 5; ++i)
        c.fillRect(x + 8 + 22 * i, y - 46, 16, 12, pal::kFireBrigadeDark.first);
    c.fillRect(x + 6, y - 58, 110, 5, pal::kMetal[6]);  // ladder
    for (int i = 0; i < 11; ++i) c.fillRect(x + 10 + 10 * i, y - 60, 2, 9, pal::kMetal[6]);
    DrawBlueLight(c, x + 140, y - 68);
    DrawWheel(c, x + 30, y - 6);
    DrawWheel(c, x + 140, y - 6);
}

void DrawAmbulance(Canvas& c, int x, int y) {
    c.fillRect(x, y - 48, 120, 40, pal::kMedicRamp[4]);
    c.fillRect(x + 88, y - 40, 26, 16, pal::kGlass[2]);
    c.fillRect(x, y - 24, 120, 6, pal::kRescueOrange.first);
    c.fillRect(x + 30, y - 44, 18, 6, pal::kFireCrewMark.first);  // cross
    c.fillRect(x + 36, y - 50, 6, 18, pal::kFireCrewMark.first);
    DrawBlueLight(c, x + 90, y - 54);
    DrawWheel(c, x + 24, y - 6);
    DrawWheel(c, x + 96, y - 6);
}

void DrawStreet(Canvas& c) {
    c.fillRect(0, kHorizon + 110, c.width(), kRoadTop - kHorizon - 110, pal::kConcrete[3]);
    c.fillRect(0, kRoadTop, c.width(), kRoadBottom - kRoadTop, pal::kRoad[1]);
    for (int x = 10; x < c.width(); x += 80)
        c.fillRect(x, (kRoadTop + kRoadBottom) / 2 - 2, 40, 4, pal::kRoadMarkWhite.first);
    c.fillRect(0, kRoadBottom, c.width(), c.height() - kRoadBottom, pal::kGrass[2]);
    for (int x = 0; x < c.width(); x += 24)
        c.fillRect(x + 6, kRoadBottom + 10 + (x / 24) % 3 * 9, 6, 3, pal::kGrass[5]);
}

// The title in block letters, flame-coloured from top to bottom, over a dark shadow.
void DrawTitle(Canvas& c, std::string_view title, int y, int scale) {
    const int width = Canvas::textWidth(title, scale);
    const int x = (c.width() - width) / 2;
    c.text(x + scale / 2, y + scale / 2, title, scale, pal::kShadow[0]);
    Canvas mask(width, Canvas::textHeight(scale));
    mask.text(0, 0, title, scale, 1);
    for (int row = 0; row < mask.height(); ++row) {
        const std::uint8_t colour = pal::kFlameTip[5 - row * 6 / mask.height()];
        for (int col = 0; col < mask.width(); ++col)
            if (mask.at(col, row) != 0) c.set(x + col, y + row, colour);
    }
}

}  // namespace

bool WriteStartPicture(const OutputTree& out) {
    Canvas c(800, 600);
    DrawSky(c);
    DrawHouse(c, 20, 150, 190, pal::kBrick[3], pal::kRoof[2], 1);
    DrawHouse(c, 190, 120, 140, pal::kConcrete[5], pal::kRoof[4], 2);
    DrawHouse(c, 330, 180, 230, pal::kBrick[1], pal::kRoof[1], 3);
    DrawHouse(c, 530, 110, 160, pal::kSand[2], pal::kRoof[3], 4);
    DrawHouse(c, 660, 130, 200, pal::kConcrete[2], pal::kRoof[0], 5);
    DrawStreet(c);
    DrawFire(c, 420, 300, 70);
    DrawFire(c, 470, 250, 50);
    DrawFireEngine(c, 250, kRoadBottom - 14);
    DrawAmbulance(c, 520, kRoadBottom - 14);
    DrawTitle(c, "KESTRIVON", 60, 12);
    return out.write("graphs\\d\\start.cff", MakeCff(c, MakeSamplePalette()));
}

}  // namespace kv::sampledata
