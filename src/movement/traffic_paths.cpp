#include "movement/traffic_paths.h"

namespace kv {

std::uint8_t ZFWegCount = 0;

void SetZFWegSpeed(std::uint16_t path, float speed) {
    if (path >= ZFWegCount) return;
    (void)speed;  // no path records yet
}

}  // namespace kv
