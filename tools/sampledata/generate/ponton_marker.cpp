// The marker on a free pontoon or boat point: a cross in a ring, with a second ring that swells
// frame by frame.

#include <vector>

#include "generate/topics.h"
#include "world/point_marker.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/sample_palette.h"

namespace kv::sampledata {

namespace {

Canvas Marker(int frame) {
    constexpr int kMiddle = kPointMarkerSize / 2;
    Canvas c(kPointMarkerSize, kPointMarkerSize);
    c.circle(kMiddle, kMiddle, kMiddle - 1, pal::kSignalCyan.first);
    c.circle(kMiddle, kMiddle, 2 + 2 * frame, pal::kWhite.first);
    c.line(kMiddle, 1, kMiddle, kPointMarkerSize - 2, pal::kYellow[5]);
    c.line(1, kMiddle, kPointMarkerSize - 2, kMiddle, pal::kYellow[5]);
    return c;
}

}  // namespace

bool WritePontonMarker(const OutputTree& out) {
    std::vector<Canvas> frames;
    for (int f = 0; f < kPointMarkerFrames; ++f) frames.push_back(Marker(f));
    return out.write(kPointMarkerFile, MakeVff(frames));
}

}  // namespace kv::sampledata
