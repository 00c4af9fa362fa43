#include "core/mission_counters.h"

namespace kv {

std::uint16_t ToteCount = 0;

void ResetMissionCounters() {
    ToteCount = 0;
}

}  // namespace kv
