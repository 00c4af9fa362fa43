#include "movement/traffic_paths.h"

namespace kv {

std::uint8_t ZFWegCount = 0;

// No mission has paths until the traffic module fills them in.
std::optional<float> ZFWegSpeed(std::int32_t /*path*/) {
    return std::nullopt;
}

void SetZFWegSpeed(std::uint16_t path, float speed) {
    if (path >= ZFWegCount) return;
    (void)speed;  // no path records yet
}

}  // namespace kv
