// The marker on a free pontoon point: a cross in a ring, with a second ring that swells frame by
// frame.

#include <vector>

#include "generate/topics.h"
#include "world/ponton_punkte.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

Canvas Marker(int frame) {
    constexpr int kMiddle = kPontonMarkerSize / 2;
    Canvas c(kPontonMarkerSize, kPontonMarkerSize);
    c.circle(kMiddle, kMiddle, kMiddle - 1, pal::kSignalCyan.first);
    c.circle(kMiddle, kMiddle, 2 + 2 * frame, pal::kWhite.first);
    c.line(kMiddle, 1, kMiddle, kPontonMarkerSize - 2, pal::kYellow[5]);
    c.line(1, kMiddle, kPontonMarkerSize - 2, kMiddle, pal::kYellow[5]);
    return c;
}

}  // namespace

bool WritePontonMarker(const OutputTree& out) {
    std::vector<Canvas> frames;
    for (int f = 0; f < kPontonMarkerFrames; ++f) frames.push_back(Marker(f));
    return out.write(kPontonMarkerFile, MakeVff(frames));
}

}  // namespace kv::sampledata
