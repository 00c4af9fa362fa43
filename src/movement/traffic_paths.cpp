#include "movement/traffic_paths.h"

namespace kv {

// No mission has paths until the traffic module fills them in.
std::uint8_t ZFWegCount = 0;

std::optional<float> ZFWegSpeed(std::int32_t /*path*/) {
    return std::nullopt;
}

void SetZFWegSpeed(std::uint16_t path, float /*speed*/) {
    if (path >= ZFWegCount) return;
}

void StepPassantRoute(std::int16_t) {}

}  // namespace kv
