// The marker drawn over contaminated persons: a small warning sign per contamination kind.

#include <vector>

#include "generate/topics.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

constexpr int kWidth = 18;
constexpr int kHeight = 10;

// A framed plate with a symbol: kind 1 three green drops, kind 2 a yellow and black trefoil.
Canvas Marker(int kind) {
    Canvas c(kWidth, kHeight);
    const std::uint8_t plate = kind == 1 ? pal::kToxic[1] : pal::kYellow[4];
    const std::uint8_t mark = pal::kToxic[5];
    c.fillRect(1, 0, kWidth - 2, kHeight, plate);
    c.frameRect(0, 1, kWidth, kHeight - 2, pal::kShadow[0]);
    if (kind == 1) {
        for (int i = 0; i < 3; ++i) {
            c.fillRect(4 + 4 * i, 3, 2, 4, mark);
            c.set(4 + 4 * i, 2, mark);
        }
    } else {
        c.fillCircle(kWidth / 2, kHeight / 2, 3, pal::kShadow[0]);
        c.fillRect(kWidth / 2 - 1, kHeight / 2 - 1, 2, 2, plate);
    }
    return c;
}

}  // namespace

bool WriteContaminationMarker(const OutputTree& out) {
    const std::vector<Canvas> frames = {Marker(1), Marker(2)};
    return out.write("graphs\\kontam.vff", MakeVff(frames));
}

}  // namespace kv::sampledata
