#include "movement/traffic_paths.h"

namespace kv {

// No mission has paths until the traffic module fills them in.
std::optional<float> ZFWegSpeed(std::int32_t /*path*/) {
    return std::nullopt;
}

}  // namespace kv
