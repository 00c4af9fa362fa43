// The water jet's four stretches ("sobj\jet.vff"): the drawer lays them along a jet's arc one after
// the other, so each is a short piece of blue-white water whose streaks run across its width and
// shift from frame to frame, and all four share one width.

#include <vector>

#include "generate/topics.h"
#include "world/wasser_strahl.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/pixel_noise.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 6;

// The core of the jet is pale, its edges the blue of water; spray flecks shift with the frame.
Canvas Stretch(int frame) {
    Canvas c(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const bool edge = y == 0 || y == kHeight - 1;
        for (int x = 0; x < kWidth; ++x) {
            const std::uint32_t n = PixelNoise(x + 5 * frame, y, 27);
            if (edge && n % 3 == 0) continue;  // a ragged rim
            const bool streak = (x + 4 * frame + 2 * y) % 7 < 2;
            const std::uint8_t colour = edge     ? pal::kWater[4 + static_cast<int>(n % 2)]
                                        : streak ? pal::kMedicWhite.first
                                                 : pal::kWater[6 + static_cast<int>(n % 2)];
            c.set(x, y, colour);
        }
    }
    return c;
}

}  // namespace

bool WriteJetImages(const OutputTree& out) {
    std::vector<Canvas> frames;
    for (int f = 0; f < kJetImageFrames; ++f) frames.push_back(Stretch(f));
    return out.write(kJetImagePath, MakeVff(frames));
}

}  // namespace kv::sampledata
