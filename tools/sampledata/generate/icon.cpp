// The desktop's icon: a blue light over a rescue cross on the fire brigade's red.

#include "generate/topics.h"
#include "writers/png_writer.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

bool WriteIcon(const std::string& path) {
    Canvas c(256, 256);
    // A rounded red plate: a square with its corners cut by circles.
    constexpr int kR = 40;
    c.fillRect(16 + kR, 16, 224 - 2 * kR, 224, pal::kFireBrigadeRamp[4]);
    c.fillRect(16, 16 + kR, 224, 224 - 2 * kR, pal::kFireBrigadeRamp[4]);
    for (const int cx : {16 + kR, 240 - kR})
        for (const int cy : {16 + kR, 240 - kR}) c.fillCircle(cx, cy, kR, pal::kFireBrigadeRamp[4]);
    // The cross, with a dark rim so it reads at small sizes.
    c.fillRect(98, 70, 60, 150, pal::kFireBrigadeDark.first);
    c.fillRect(53, 115, 150, 60, pal::kFireBrigadeDark.first);
    c.fillRect(104, 76, 48, 138, pal::kMedicWhite.first);
    c.fillRect(59, 121, 138, 48, pal::kMedicWhite.first);
    // The blue light on top.
    c.fillRect(100, 30, 56, 30, pal::kTechnicalRamp[1]);
    c.fillRect(106, 34, 44, 22, pal::kTechnicalRamp[5]);
    return WritePng(c, MakeSamplePalette(), path);
}

}  // namespace kv::sampledata
