#include "core/mission_scratch.h"

namespace kv {

MissionScratchArea MissionScratch;

void ResetMissionScratch() {
    MissionScratch = {};
}

}  // namespace kv
