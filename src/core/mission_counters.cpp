#include "core/mission_counters.h"

namespace kv {

MissionCounterSet MissionCounters;

void ResetMissionCounters() {
    MissionCounters = {};
}

}  // namespace kv
